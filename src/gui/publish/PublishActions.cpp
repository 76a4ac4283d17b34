#include "gui/publish/PublishActions.h"

#include "gui/publish/PublishOptionsSheet.h"
#include "gui/publish/PublishSheet.h"
#include "gui/window/DocumentWindow.h"
#include "model/Document.h"
#include "model/Year.h"
#include "publish/PublishController.h"
#include "publish/PublishJob.h"
#include "publish/PublishOptionsController.h"

#include <QAction>
#include <QMenu>
#include <QProgressBar>
#include <QStatusBar>

namespace {

constexpr int doneMessageMs = 6000;

} // namespace

PublishActions::PublishActions(DocumentWindow& window)
    : QObject(&window)
    , m_window(window)
    , m_publishOptions(new QAction(QStringLiteral("Publish Options…"), this))
    , m_publish(new QAction(QStringLiteral("Publish…"), this))
{
    connect(m_publishOptions, &QAction::triggered, this, &PublishActions::publishOptionsPressed);
    connect(m_publish, &QAction::triggered, this, &PublishActions::publishPressed);
    updateStates();
}

PublishActions::~PublishActions() = default;

void PublishActions::addToMenu(QMenu* menu)
{
    menu->addActions({ m_publishOptions, m_publish });
    connect(menu, &QMenu::aboutToShow, this, &PublishActions::updateStates);
}

void PublishActions::updateStates()
{
    const bool hasYear = m_window.document().getCurrentYear() != nullptr;
    m_publishOptions->setEnabled(hasYear);
    m_publish->setEnabled(hasYear && !m_job);
}

bool PublishActions::ensureControllers()
{
    Year* year = m_window.document().getCurrentYear();
    if (!year)
        return false;
    if (!m_controller) {
        m_controller = std::make_unique<PublishController>(*year, m_window.alerts(), m_window.files());
        m_optionsController = std::make_unique<PublishOptionsController>(*year);
    }
    return true;
}

void PublishActions::publishOptionsPressed()
{
    if (!ensureControllers())
        return;
    if (!m_optionsSheet)
        m_optionsSheet = new PublishOptionsSheet(*m_optionsController, m_window.alerts(), m_workspace, &m_window);
    else
        m_optionsSheet->windowDidLoad();
    m_optionsSheet->open();
}

void PublishActions::publishPressed()
{
    if (!ensureControllers() || m_job)
        return;
    if (!m_publishSheet) {
        m_publishSheet = new PublishSheet(*m_controller, &m_window);
        connect(m_publishSheet, &PublishSheet::publishRequested, this, &PublishActions::startPublish);
    } else {
        m_publishSheet->windowDidLoad();
    }
    m_publishSheet->open();
}

void PublishActions::startPublish()
{
    if (!ensureControllers() || m_job)
        return;
    m_job = m_controller->makeJob();
    connect(m_job.get(), &PublishJob::progressed, this, &PublishActions::jobProgressed);
    connect(m_job.get(), &PublishJob::finished, this, &PublishActions::jobFinished);
    QProgressBar* progress = m_window.progressIndicator();
    progress->setRange(0, 0);
    progress->setVisible(true);
    m_window.statusBar()->showMessage(QStringLiteral("Publishing the web site…"));
    m_job->start();
    updateStates();
}

void PublishActions::jobProgressed(int coursesDone, int courseCount)
{
    QProgressBar* progress = m_window.progressIndicator();
    progress->setRange(0, courseCount);
    progress->setValue(coursesDone);
    m_window.statusBar()->showMessage(
        QStringLiteral("Publishing the web site: %1 of %2 courses").arg(coursesDone).arg(courseCount));
}

void PublishActions::jobFinished()
{
    // The job is still in its own signal: let it go once that returns.
    PublishJob* job = m_job.release();
    job->deleteLater();
    m_window.progressIndicator()->setVisible(false);
    const PublishOutcome outcome = job->outcome();
    m_window.statusBar()->clearMessage();
    m_controller->publishFinished(outcome);
    if (outcome.published()) {
        m_window.statusBar()->showMessage(QStringLiteral("Web site published: %1 files written, %2 unchanged")
                                              .arg(outcome.filesWritten)
                                              .arg(outcome.filesUnchanged),
            doneMessageMs);
    }
    updateStates();
    emit publishEnded();
}
