#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class AssignedFile;
class AssignedWebLink;
class Assignment;
class Attachment;
class FileChooser;
class Lesson;

// The assignments panel of a lesson: the work given in it and due in it,
// the selected assignment's fields and due lesson, and its attachments.
// Every assignment listed is seen from the panel's lesson.
class AssignmentsController {
public:
    explicit AssignmentsController(FileChooser& files);

    void setLesson(Lesson* lesson);
    Lesson* lesson() const { return m_lesson; }
    // Reads the lesson's assignments again, keeping the selection when it
    // is still listed.
    void reload();
    const QList<Assignment*>& assignments() const { return m_assignments; }
    Assignment* selected() const { return m_selected; }
    void select(Assignment* assignment);

    // New work given in the lesson and due in the next one; it becomes the
    // selection.
    Assignment* addAssignment();
    // Deletes the selected assignment with its attachments.
    void removeAssignment();

    void setTitle(const QString& title);
    void setDetails(const QByteArray& rtf);
    void setPoints(int points);
    // The lessons the selected assignment may be due in: its assigned lesson
    // and those after it (a limited number), and always its current due
    // lesson.
    QList<Lesson*> dueLessonChoices() const;
    void setDueLesson(Lesson* lesson);

    // Attachments need an assignment to go to.
    bool canAddAttachment() const { return m_selected != nullptr; }
    QList<Attachment*> attachments() const;
    // Asks for one file, starting in the home folder.
    AssignedFile* addFileToAssignment();
    // None when the address is refused (nothing usable typed). The link is
    // named by its address until someone gives it its page's title.
    AssignedWebLink* addLinkToAssignment(const QString& typedAddress);
    // Dropped or pasted files and web addresses, as for a lesson; answers
    // what was attached.
    QList<Attachment*> attachDropped(const QStringList& locations);
    void removeAttachment(Attachment* attachment);

private:
    void notifyChanged(Lesson* lesson) const;

    FileChooser& m_files;
    Lesson* m_lesson = nullptr;
    QList<Assignment*> m_assignments;
    Assignment* m_selected = nullptr;
};
