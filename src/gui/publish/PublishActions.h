#pragma once

#include "content/DesktopWorkspace.h"

#include <QObject>

#include <memory>

class DocumentWindow;
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
// window stays free to use meanwhile.
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

    void publishOptionsPressed();
    void publishPressed();
    void startPublish();

signals:
    // A publish ended (written, failed or stopped).
    void publishEnded();

private:
    bool ensureControllers();
    void jobProgressed(int coursesDone, int courseCount);
    void jobFinished();

    DocumentWindow& m_window;
    DesktopWorkspace m_workspace;
    QAction* m_publishOptions = nullptr;
    QAction* m_publish = nullptr;
    std::unique_ptr<PublishController> m_controller;
    std::unique_ptr<PublishOptionsController> m_optionsController;
    PublishOptionsSheet* m_optionsSheet = nullptr;
    PublishSheet* m_publishSheet = nullptr;
    std::unique_ptr<PublishJob> m_job;
};
