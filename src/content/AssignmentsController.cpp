#include "content/AssignmentsController.h"

#include "content/LessonAttachmentsController.h"
#include "foundation/alerts/FileChooser.h"
#include "foundation/notify/NotificationCenter.h"
#include "model/AssignedFile.h"
#include "model/AssignedWebLink.h"
#include "model/Assignment.h"
#include "model/Lesson.h"
#include "model/ModelNotifications.h"

#include <QDir>

AssignmentsController::AssignmentsController(FileChooser& files)
    : m_files(files)
{
}

void AssignmentsController::setLesson(Lesson* lesson)
{
    m_lesson = lesson;
    m_selected = nullptr;
    reload();
}

void AssignmentsController::reload()
{
    m_assignments = m_lesson ? m_lesson->todaysAssignments() : QList<Assignment*>();
    for (Assignment* assignment : m_assignments)
        assignment->setCurrentLesson(m_lesson);
    if (!m_assignments.contains(m_selected))
        m_selected = nullptr;
}

void AssignmentsController::select(Assignment* assignment)
{
    m_selected = m_assignments.contains(assignment) ? assignment : nullptr;
}

Assignment* AssignmentsController::addAssignment()
{
    if (!m_lesson)
        return nullptr;
    Assignment* added = m_lesson->addAssignment();
    reload();
    m_selected = added;
    return added;
}

void AssignmentsController::removeAssignment()
{
    if (!m_selected)
        return;
    Lesson* given = m_selected->assignedLesson();
    Lesson* due = m_selected->dueLesson();
    m_selected->remove();
    m_selected = nullptr;
    notifyChanged(due);
    notifyChanged(given);
    reload();
}

void AssignmentsController::setTitle(const QString& title)
{
    if (!m_selected)
        return;
    m_selected->setValue(u"title", title);
    notifyChanged(m_selected->assignedLesson());
    if (m_selected->dueLesson() != m_selected->assignedLesson())
        notifyChanged(m_selected->dueLesson());
}

void AssignmentsController::setDetails(const QByteArray& rtf)
{
    if (m_selected)
        m_selected->setValue(u"details", rtf);
}

void AssignmentsController::setPoints(int points)
{
    if (m_selected)
        m_selected->setValue(u"points", points);
}

QList<Lesson*> AssignmentsController::dueLessonChoices() const
{
    if (!m_selected)
        return {};
    QList<Lesson*> choices = m_selected->lessonsAfterAssignedLesson();
    if (Lesson* due = m_selected->dueLesson(); due && !choices.contains(due))
        choices.append(due);
    return choices;
}

void AssignmentsController::setDueLesson(Lesson* lesson)
{
    if (!m_selected || !lesson || lesson == m_selected->dueLesson())
        return;
    Lesson* former = m_selected->dueLesson();
    m_selected->setObject(u"dueLesson", lesson);
    notifyChanged(former);
    notifyChanged(lesson);
    reload();
}

QList<Attachment*> AssignmentsController::attachments() const
{
    return m_selected ? m_selected->attachments() : QList<Attachment*>();
}

AssignedFile* AssignmentsController::addFileToAssignment()
{
    if (!m_selected)
        return nullptr;
    const std::optional<QString> path = m_files.chooseFileToOpen(OpenPanelRequest { {}, QDir::homePath(), {} });
    return path ? m_selected->addFileWithPath(*path) : nullptr;
}

AssignedWebLink* AssignmentsController::addLinkToAssignment(const QString& typedAddress)
{
    const std::optional<QString> address = AttachedWebLink::addressFromTyped(typedAddress);
    if (!m_selected || !address)
        return nullptr;
    return m_selected->addWebLinkWithURL(*address);
}

QList<Attachment*> AssignmentsController::attachDropped(const QStringList& locations)
{
    QList<Attachment*> attached;
    if (!m_selected)
        return attached;
    for (const QString& location : locations) {
        if (LessonAttachmentsController::isFileLocation(location))
            attached.append(m_selected->addFileWithPath(location));
        else if (LessonAttachmentsController::isWebLocation(location))
            attached.append(addLinkToAssignment(location));
    }
    return attached;
}

void AssignmentsController::removeAttachment(Attachment* attachment)
{
    if (m_selected && attachment && m_selected->attachments().contains(attachment))
        m_selected->removeAttachment(attachment);
}

void AssignmentsController::notifyChanged(Lesson* lesson) const
{
    if (lesson)
        NotificationCenter::defaultCenter().post(ModelNotifications::lessonDisplayTextChanged, lesson);
}
