#pragma once

// moc cannot read the C++20 headers the date types bring in.
#ifndef Q_MOC_RUN
#include "calsync/ICalSyncManager.h"
#endif

#include <QDialog>
#include <QHash>

class AlertPresenter;
class PasswordStore;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QWidget;

// The calendar sync sheet ("ICalSyncManagerWindow"): where the calendars
// are (calendar files on this computer, or a CalDAV account), which calendar
// each course, the day notes and the non-school days go to, and what is
// synced. OK writes the choices into the year (and the password into the
// keyring); Cancel changes nothing.
class ICalSyncManagerWindow : public QDialog {
    Q_OBJECT
public:
    ICalSyncManagerWindow(Year& year, PasswordStore& passwords, AlertPresenter& alerts, QWidget* window);
    ~ICalSyncManagerWindow() override;

    ICalSyncManager& manager() { return m_manager; }
    QRadioButton* filesChoice() const { return m_files; }
    QRadioButton* serverChoice() const { return m_server; }
    QLineEdit* addressField() const { return m_address; }
    QLineEdit* userField() const { return m_user; }
    QLineEdit* passwordField() const { return m_password; }
    QLabel* keyringNote() const { return m_keyringNote; }
    QTableWidget* calendarTable() const { return m_table; }
    QCheckBox* switchBox(const QString& switchKey) const { return m_switches.value(switchKey); }
    QComboBox* calendarPopUp(int row) const;

    // Reads the year's choices again for another showing.
    void windowDidLoad();
    // Reads the calendars of the chosen store: the folder at once, the
    // server off the GUI thread.
    void lookUpCalendars();

    void accept() override;

private:
    QWidget* createStoreBox();
    QWidget* createSwitchesBox();
    void storeKindChanged();
    void fillTable();
    void showKeyringState();

    ICalSyncManager m_manager;
    Year& m_year;
    PasswordStore& m_passwords;
    AlertPresenter& m_alerts;
    QRadioButton* m_files = nullptr;
    QRadioButton* m_server = nullptr;
    QLabel* m_filesHelp = nullptr;
    QWidget* m_serverFields = nullptr;
    QLineEdit* m_address = nullptr;
    QLineEdit* m_user = nullptr;
    QLineEdit* m_password = nullptr;
    QLabel* m_keyringNote = nullptr;
    QPushButton* m_lookUp = nullptr;
    QTableWidget* m_table = nullptr;
    QHash<QString, QCheckBox*> m_switches;
    bool m_keyringWorks = true;
};
