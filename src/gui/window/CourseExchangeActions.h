#pragma once

#include <QObject>
#include <QPointer>

class DocumentWindow;
class ExportCourseSheet;
class QAction;
class QDialog;
class QMenu;

// Export Course and Import Course: carrying a course's plans between
// documents. The export sheet is kept with the window so that it remembers
// the teacher's last choices; an import sheet lives for one file.
class CourseExchangeActions : public QObject {
    Q_OBJECT
public:
    explicit CourseExchangeActions(DocumentWindow& window);

    void addToMenu(QMenu* menu);
    void updateStates();

    QAction* exportCourseAction() const { return m_exportCourse; }
    QAction* importCourseAction() const { return m_importCourse; }
    // The sheet a command shows, while it shows.
    QDialog* openSheet() const { return m_sheet; }

    void exportCoursePressed();
    void importCoursePressed();

private:
    void show(QDialog* sheet);
    void sheetEnded();

    DocumentWindow& m_window;
    QAction* m_exportCourse = nullptr;
    QAction* m_importCourse = nullptr;
    QPointer<ExportCourseSheet> m_exportSheet;
    QPointer<QDialog> m_sheet;
};
