#pragma once

#include "content/DesktopWorkspace.h"
#include "content/LessonAttachmentsController.h"
#include "content/WebLinkTitler.h"
#include "gui/alerts/MessageBoxAlertPresenter.h"
#include "planning/LessonWatch.h"

#include <QWidget>

class AssignmentsController;
class Attachment;
class Lesson;
class QPushButton;
class QTableWidget;

// The files and links attached to a lesson, or to the assignment selected
// in an assignments panel: one row each, the file's icon (a click on it
// opens the attachment with the desktop's program) and its name, edited in
// place. Files and links can be added with the buttons, dropped on the
// table or pasted into it. Remove acts on the selected row and is enabled
// only while one is selected; with no assignment selected nothing can be
// added. A lesson's table follows attachments added, removed or renamed
// elsewhere; an assignment's is reloaded by its panel.
class AttachmentsTable : public QWidget {
    Q_OBJECT
public:
    explicit AttachmentsTable(QWidget* parent = nullptr);

    void setLesson(Lesson* lesson);
    // Shows the selected assignment's attachments from now on; call reload()
    // when the selection changes.
    void setAssignments(AssignmentsController* assignments);
    void reload();
    // Reloads only when the rows no longer show the attachments as they are,
    // so that a selection or a name being typed survives unrelated changes.
    void refresh();
    QList<Attachment*> shownAttachments() const { return m_attachments; }

    QTableWidget* table() const { return m_table; }
    QPushButton* addFileButton() const { return m_addFile; }
    QPushButton* addLinkButton() const { return m_addLink; }
    QPushButton* removeButton() const { return m_remove; }

    // Attaches dropped or pasted files and addresses; answers how many.
    int attachLocations(const QStringList& locations);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<Attachment*> currentAttachments() const;
    bool showsAttachments(const QList<Attachment*>& attachments) const;
    bool canAdd() const;
    void addFiles();
    void addLink();
    void pasteLocations();
    void rowEdited(int row);
    void cellClicked(int row, int column);
    void removeSelected();
    void updateButtons();

    Lesson* m_lesson = nullptr;
    AssignmentsController* m_assignments = nullptr;
    QList<Attachment*> m_attachments;
    QTableWidget* m_table = nullptr;
    QPushButton* m_addFile = nullptr;
    QPushButton* m_addLink = nullptr;
    QPushButton* m_remove = nullptr;
    MessageBoxAlertPresenter m_alerts;
    DesktopWorkspace m_workspace;
    WebLinkTitler m_titler;
    LessonAttachmentsController m_lessonAttachments { &m_titler };
    LessonWatch m_watch;
};
