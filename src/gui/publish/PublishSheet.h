#pragma once

#include <QDialog>

class PublishController;
class QCheckBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class SiteUploadController;

// The publish sheet ("PublishWindow"): where the site goes and which days
// it covers. The "local" tab writes it into a folder on this computer; the
// "ftp" tab uploads it to the school's server. Publishing itself runs in
// the background once the sheet is closed; cancelling changes nothing.
class PublishSheet : public QDialog {
    Q_OBJECT
public:
    PublishSheet(PublishController& controller, SiteUploadController& uploads, QWidget* window);

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
    QWidget* ftpTab() const { return m_ftpTab; }
    QLineEdit* hostField() const { return m_host; }
    QSpinBox* portField() const { return m_port; }
    QLineEdit* userField() const { return m_user; }
    QLineEdit* passwordField() const { return m_password; }
    QLineEdit* remotePathField() const { return m_remotePath; }
    QCheckBox* requireEncryptionBox() const { return m_requireEncryption; }
    bool uploadChosen() const;

    void choosePressed();
    // Stores the sheet's choices and closes it, or keeps it open after
    // telling the teacher what is missing.
    void publishPressed();

signals:
    // The settings are stored: the site may be written now. `password` is
    // the one typed for an upload, empty when none was.
    void publishRequested(const QString& password);

private:
    QWidget* createLocalTab();
    QWidget* createFtpTab();
    // Stores the server settings; false after telling the teacher what is
    // wrong with them.
    bool storeServer();

    PublishController& m_controller;
    SiteUploadController& m_uploads;
    QTabWidget* m_tabs = nullptr;
    QLineEdit* m_folder = nullptr;
    QPushButton* m_choose = nullptr;
    QPushButton* m_publish = nullptr;
    QDateEdit* m_calendarStart = nullptr;
    QDateEdit* m_calendarEnd = nullptr;
    QDateEdit* m_lessonStart = nullptr;
    QDateEdit* m_lessonEnd = nullptr;
    QWidget* m_ftpTab = nullptr;
    QLineEdit* m_host = nullptr;
    QSpinBox* m_port = nullptr;
    QLineEdit* m_user = nullptr;
    QLineEdit* m_password = nullptr;
    QLineEdit* m_remotePath = nullptr;
    QCheckBox* m_requireEncryption = nullptr;
};
