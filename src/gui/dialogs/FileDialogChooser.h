#pragma once

#include "foundation/alerts/FileChooser.h"

#include <QPointer>

class QWidget;

// File panels as Qt file dialogs over the document window.
class FileDialogChooser : public FileChooser {
public:
    explicit FileDialogChooser(QWidget* window);

    std::optional<QString> chooseSaveLocation(const SavePanelRequest& request) override;
    std::optional<QString> chooseFileToOpen(const OpenPanelRequest& request) override;
    std::optional<QString> chooseFolder(const OpenPanelRequest& request) override;

private:
    QPointer<QWidget> m_window;
};
