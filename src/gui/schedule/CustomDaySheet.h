#pragma once

#ifndef Q_MOC_RUN
#include "schedule/CustomDayController.h"
#endif

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

// The custom-day sheet's two tabs: a new custom day (a name and the courses
// that meet) and an existing one to apply.
class CustomDaySheet : public QDialog {
    Q_OBJECT
public:
    CustomDaySheet(CustomDayController& controller, QWidget* window);

    // Shows the lists the controller built for its day.
    void load();
    void accept() override;
    void reject() override;

    const CustomDayController& controller() const { return m_controller; }
    QTabWidget* tabs() const { return m_tabs; }
    QListWidget* courseList() const { return m_courses; }
    QListWidget* customDayList() const { return m_customDays; }
    QLineEdit* nameField() const { return m_name; }
    QPushButton* createButton() const { return m_create; }

private:
    QWidget* createNewTab();
    QWidget* createExistingTab();
    void takeEntries();
    void updateCreateButton();

    CustomDayController& m_controller;
    QTabWidget* m_tabs = nullptr;
    QLineEdit* m_name = nullptr;
    QListWidget* m_courses = nullptr;
    QListWidget* m_customDays = nullptr;
    QLabel* m_noCustomDays = nullptr;
    QPushButton* m_create = nullptr;
};
