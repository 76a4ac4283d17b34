#include "content/MissingAttachmentsController.h"

#include "foundation/alerts/AlertPresenter.h"
#include "foundation/alerts/FileChooser.h"
#include "foundation/notify/NotificationCenter.h"
#include "model/AssignedFile.h"
#include "model/Assignment.h"
#include "model/Lesson.h"
#include "model/ModelNotifications.h"
#include "model/Year.h"

#include <QFileInfo>

namespace {

void postClicked(Lesson* lesson)
{
    if (lesson)
        NotificationCenter::defaultCenter().post(ModelNotifications::lessonClicked, lesson);
}

} // namespace

MissingAttachmentsController::MissingAttachmentsController(AlertPresenter& alerts, FileChooser& files)
    : m_alerts(alerts)
    , m_chooser(files)
{
}

bool MissingAttachmentsController::checkAttachments(Year* year)
{
    m_year = year;
    m_files = year ? year->getAllMissingFiles() : QList<AttachedFile*>();
    m_finished = m_files.isEmpty();
    if (m_finished) {
        m_alerts.runModal(Alert { QStringLiteral("All Attachments Ok"),
            QStringLiteral("Semestra can find every attached file.  There's no need to adjust anything."),
            QStringLiteral("Ok"), {}, {} });
    }
    return !m_finished;
}

bool MissingAttachmentsController::locate(AttachedFile* file)
{
    if (!m_year || !m_files.contains(file))
        return false;
    const QString oldPath = file->actualPath();
    const std::optional<QString> chosen = m_chooser.chooseFileToOpen(OpenPanelRequest {
        QStringLiteral("Please select the file named %1").arg(file->displayFileName()),
        QFileInfo(oldPath).absolutePath(), {} });
    if (!chosen)
        return false;
    for (AttachedFile* moved : m_year->relinkFiles(oldPath, *chosen)) {
        if (moved->fileExists())
            m_files.removeAll(moved);
    }
    finishWhenEmpty(Announce::Yes);
    return true;
}

void MissingAttachmentsController::remove(AttachedFile* file)
{
    if (!m_files.contains(file))
        return;
    removeRecord(file);
    finishWhenEmpty(Announce::No);
}

void MissingAttachmentsController::removeAllMissing()
{
    const QList<AttachedFile*> listed = m_files;
    for (AttachedFile* file : listed) {
        if (!file->fileExists())
            removeRecord(file);
    }
    finishWhenEmpty(Announce::Yes);
}

void MissingAttachmentsController::removeRecord(AttachedFile* file)
{
    m_files.removeAll(file);
    if (auto* assigned = dynamic_cast<AssignedFile*>(file)) {
        Assignment* assignment = assigned->assignment();
        assigned->removeFromAssignment();
        if (assignment) {
            postClicked(assignment->assignedLesson());
            postClicked(assignment->dueLesson());
        }
        return;
    }
    Lesson* lesson = file->lesson();
    file->removeFromLesson();
    postClicked(lesson);
}

void MissingAttachmentsController::finishWhenEmpty(Announce announce)
{
    if (!m_files.isEmpty() || m_finished)
        return;
    m_finished = true;
    if (announce == Announce::Yes) {
        m_alerts.runModal(Alert { QStringLiteral("All Attachments Found"),
            QStringLiteral("Semestra can now find all your attachments.  This window will now close"),
            QStringLiteral("Ok"), {}, {} });
    }
}
