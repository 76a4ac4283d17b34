#pragma once

#include <QMainWindow>

// The window of one open document. For now it shows the document's name;
// the planning views move in as the engine behind them arrives.
class DocumentWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit DocumentWindow(const QString& filePath, QWidget* parent = nullptr);

    // "Untitled" for a new document, else the file's name without its folder.
    static QString titleForPath(const QString& filePath);

private:
    QString m_filePath;
};
