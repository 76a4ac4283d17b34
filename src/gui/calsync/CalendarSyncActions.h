#pragma once

// moc cannot read the C++20 headers the date types bring in.
#ifndef Q_MOC_RUN
#include "calsync/ICalSyncController.h"
#endif

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>

class DocumentWindow;
class ICalSyncManagerWindow;
class KeychainPasswordStore;
class PasswordStore;
class QAction;
class QMenu;
class QThread;

// The Calendar menu: the calendar sync sheet, "Sync All to Calendar" and
// "Sync Changes to Calendar". A sync plans from the records, writes the
// events on a worker thread while the window goes on (its progress in the
// status line), and records the outcome back in the records.
class CalendarSyncActions : public QObject {
    Q_OBJECT
public:
    // Asks the teacher for a server password the keyring cannot give,
    // saying why; none when the teacher cancels.
    using PasswordPrompt = std::function<std::optional<QString>(const QString& why)>;

    explicit CalendarSyncActions(DocumentWindow& window);
    ~CalendarSyncActions() override;

    void addToMenu(QMenu* menu);
    void updateStates();
    // Tests put in their own keyring and prompt.
    void setPasswordStore(PasswordStore& passwords) { m_passwords = &passwords; }
    void setPasswordPrompt(PasswordPrompt prompt) { m_prompt = std::move(prompt); }

    QAction* syncWindowAction() const { return m_openWindow; }
    QAction* syncAllAction() const { return m_syncAll; }
    QAction* syncChangesAction() const { return m_syncChanges; }
    // The sheet while it shows.
    ICalSyncManagerWindow* syncWindow() const;
    bool isSyncing() const { return m_thread != nullptr; }

    void openiCalSyncWindow();
    void syncAllToiCal();
    void syncChangesToiCal();

signals:
    void syncFinished(const CalendarSyncCounts& counts);

private:
    void startSync();
    std::unique_ptr<CalendarStore> makeStore();
    void showProgress(qsizetype done, qsizetype total);
    void runFinished();

    DocumentWindow& m_window;
    std::unique_ptr<KeychainPasswordStore> m_keychain;
    PasswordStore* m_passwords;
    PasswordPrompt m_prompt;
    std::unique_ptr<ICalSyncController> m_controller;
    QPointer<ICalSyncManagerWindow> m_sheet;
    QAction* m_openWindow = nullptr;
    QAction* m_syncAll = nullptr;
    QAction* m_syncChanges = nullptr;
    // The run in progress: what it works from and on, and what it found.
    struct Run;
    std::unique_ptr<Run> m_run;
    QThread* m_thread = nullptr;
};
