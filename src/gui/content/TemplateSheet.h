#pragma once

#include <QDialog>

class QDateEdit;
class QLabel;
class TemplateWindowController;

// Overwrites a stretch of a course's lessons with the controller's template
// lesson: the teacher picks the first and the last day and applies.
class TemplateSheet : public QDialog {
    Q_OBJECT
public:
    TemplateSheet(TemplateWindowController& controller, QWidget* window);

    // Shows the controller's lesson: its message and proposed dates.
    void load();
    // Closes only when the controller has applied the template.
    void accept() override;

    QDateEdit* startDateEdit() const { return m_start; }
    QDateEdit* endDateEdit() const { return m_end; }

private:
    TemplateWindowController& m_controller;
    QLabel* m_message = nullptr;
    QDateEdit* m_start = nullptr;
    QDateEdit* m_end = nullptr;
};
