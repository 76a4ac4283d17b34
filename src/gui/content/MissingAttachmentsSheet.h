#pragma once

#include <QDialog>

class AttachedFile;
class MissingAttachmentsController;
class QPushButton;
class QTableWidget;

// The files attached to lessons and assignments that are no longer where
// they were, with where each hangs: the teacher points one at its new place,
// removes it, or removes every one still missing. The sheet closes once the
// list is empty.
class MissingAttachmentsSheet : public QDialog {
public:
    MissingAttachmentsSheet(MissingAttachmentsController& controller, QWidget* parent = nullptr);

    // Fills the table from the controller's list.
    void load();

    QTableWidget* table() const { return m_table; }
    QPushButton* locateButton() const { return m_locate; }
    QPushButton* removeButton() const { return m_remove; }
    QPushButton* removeAllButton() const { return m_removeAll; }

private:
    AttachedFile* selectedFile() const;
    void locate();
    void remove();
    void removeAll();
    void afterChange();
    void updateButtons();

    MissingAttachmentsController& m_controller;
    QTableWidget* m_table = nullptr;
    QPushButton* m_locate = nullptr;
    QPushButton* m_remove = nullptr;
    QPushButton* m_removeAll = nullptr;
};
