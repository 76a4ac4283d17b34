#pragma once

#include <QDialog>

class PublishController;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QTabWidget;

// The publish sheet ("PublishWindow"): where the site goes and which days
// it covers. The "local" tab writes it into a folder on this computer; an
// upload tab can be added beside it. Publishing itself runs in the
// background once the sheet is closed; cancelling changes nothing.
class PublishSheet : public QDialog {
    Q_OBJECT
public:
    PublishSheet(PublishController& controller, QWidget* window);

    // Fills the fields from the year's settings again, for another showing.
    void windowDidLoad();

    QTabWidget* tabs() const { return m_tabs; }
    QLineEdit* folderField() const { return m_folder; }
    QPushButton* chooseButton() const { return m_choose; }
    QPushButton* publishButton() const { return m_publish; }
    QDateEdit* calendarStart() const { return m_calendarStart; }
    QDateEdit* calendarEnd() const { return m_calendarEnd; }
    QDateEdit* lessonStart() const { return m_lessonStart; }
    QDateEdit* lessonEnd() const { return m_lessonEnd; }

    void choosePressed();
    // Stores the sheet's choices and closes it, or keeps it open after
    // telling the teacher what is missing.
    void publishPressed();

signals:
    // The settings are stored: the site may be written now.
    void publishRequested();

private:
    QWidget* createLocalTab();

    PublishController& m_controller;
    QTabWidget* m_tabs = nullptr;
    QLineEdit* m_folder = nullptr;
    QPushButton* m_choose = nullptr;
    QPushButton* m_publish = nullptr;
    QDateEdit* m_calendarStart = nullptr;
    QDateEdit* m_calendarEnd = nullptr;
    QDateEdit* m_lessonStart = nullptr;
    QDateEdit* m_lessonEnd = nullptr;
};
