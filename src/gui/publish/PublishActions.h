#pragma once

#include "content/DesktopWorkspace.h"
#include "net/TransferAddress.h"

#include <QObject>

#include <functional>
#include <memory>
#include <optional>

class DocumentWindow;
class KeychainPasswordStore;
class PasswordStore;
class QPushButton;
class SiteUploadController;
class UploadJob;
struct HostKey;
class PublishController;
class PublishJob;
class PublishOptionsController;
class PublishOptionsSheet;
class PublishSheet;
class QAction;
class QMenu;

// Publish Options… and Publish… of the File menu. The sheets and their
// controllers are made on first use and kept with the window; a publish
// runs in the background with its progress in the status line, and the
// window stays free to use meanwhile. An upload to the school's server
// follows the generation on a worker thread, with a Cancel button in the
// status line; closing the window stops it.
class PublishActions : public QObject {
    Q_OBJECT
public:
    explicit PublishActions(DocumentWindow& window);
    ~PublishActions() override;

    void addToMenu(QMenu* menu);
    void updateStates();

    QAction* publishOptionsAction() const { return m_publishOptions; }
    QAction* publishAction() const { return m_publish; }
    PublishOptionsSheet* optionsSheet() const { return m_optionsSheet; }
    PublishSheet* publishSheet() const { return m_publishSheet; }
    // The publish under way, if any.
    PublishJob* job() const { return m_job.get(); }
    // The upload under way, if any.
    UploadJob* uploadJob() const { return m_upload.get(); }
    QPushButton* cancelButton() const { return m_cancel; }
    // Tests use a keyring of their own (set before the first publish) and
    // answer the password question.
    void setPasswordStore(PasswordStore& passwords);
    using PasswordPrompt = std::function<std::optional<QString>(const QString& why)>;
    void setPasswordPrompt(PasswordPrompt prompt) { m_prompt = std::move(prompt); }
    // Shows the log of the last upload.
    using LogViewer = std::function<void(const QStringList& log)>;
    void setLogViewer(LogViewer viewer) { m_showLog = std::move(viewer); }

    void publishOptionsPressed();
    void publishPressed();
    void startPublish(const QString& typedPassword = {});
    void cancelUpload();

signals:
    // A publish ended (written, failed or stopped).
    void publishEnded();

private:
    bool ensureControllers();
    void startGenerating(const QString& root);
    std::optional<QString> uploadPassword(const TransferAddress& address, const QString& typed);
    void jobProgressed(int coursesDone, int courseCount);
    void jobFinished();
    void startUpload();
    void uploadProgressed(int filesLeft, int total);
    void askHostKey(const HostKey& key);
    void uploadFinished();
    void showLog(const QStringList& log);

    DocumentWindow& m_window;
    DesktopWorkspace m_workspace;
    QAction* m_publishOptions = nullptr;
    QAction* m_publish = nullptr;
    std::unique_ptr<PublishController> m_controller;
    std::unique_ptr<PublishOptionsController> m_optionsController;
    PublishOptionsSheet* m_optionsSheet = nullptr;
    PublishSheet* m_publishSheet = nullptr;
    std::unique_ptr<PublishJob> m_job;
    std::unique_ptr<KeychainPasswordStore> m_keychain;
    PasswordStore* m_passwords = nullptr;
    PasswordPrompt m_prompt;
    LogViewer m_showLog;
    std::unique_ptr<SiteUploadController> m_uploads;
    // Between generating and uploading: where to and with what password.
    std::optional<TransferAddress> m_uploadAddress;
    QString m_uploadPassword;
    std::unique_ptr<UploadJob> m_upload;
    QPushButton* m_cancel = nullptr;
};
