#pragma once

#include <QWidget>

class Attachment;
class Lesson;
class QPushButton;
class QTableWidget;

// The files and links attached to a lesson, one row each, named in place.
// The remove button acts on the selected row and is enabled only while one
// is selected.
class AttachmentsTable : public QWidget {
public:
    explicit AttachmentsTable(QWidget* parent = nullptr);

    void setLesson(Lesson* lesson);
    QTableWidget* table() const { return m_table; }
    QPushButton* removeButton() const { return m_remove; }

private:
    void reload();
    void rowEdited(int row);
    void removeSelected();
    void updateRemoveButton();

    Lesson* m_lesson = nullptr;
    QList<Attachment*> m_attachments;
    QTableWidget* m_table = nullptr;
    QPushButton* m_remove = nullptr;
};
