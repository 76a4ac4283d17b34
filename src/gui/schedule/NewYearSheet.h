#pragma once

// moc cannot read the C++20 headers the date types bring in.
#ifndef Q_MOC_RUN
#include "schedule/CreateNewSemestraController.h"
#endif

#include <QDialog>

class CourseSelectionPage;
class NewYearSetupPage;
class QPushButton;
class QStackedWidget;

// The new-year wizard as a sheet over a new document's window. It only
// shows the controller's state and passes the teacher's commands on; the
// year is built by the controller. Accepted once the year is built,
// rejected when the teacher closes it; Quit leaves the ending of the
// application to the window's owner.
class NewYearSheet : public QDialog {
    Q_OBJECT
public:
    NewYearSheet(ObjectContext& context, AlertPresenter& alerts, QWidget* window);

    CreateNewSemestraController& controller() { return m_controller; }

    // Close, or Escape: the wizard asks the controller first.
    void reject() override;

signals:
    // The teacher chose Quit and agreed to lose what was entered.
    void quitRequested();
    // The teacher would rather open a plan of the Windows edition.
    void openWindowsFileRequested();

private:
    QWidget* createButtons();
    void quitPressed();
    void continuePressed();
    void createPressed();
    void backPressed();
    // Shows the page the controller is on after a command, or ends with the
    // built year.
    void follow(CreateNewSemestraController::Outcome outcome);
    void showSetupPage();

    CreateNewSemestraController m_controller;
    QStackedWidget* m_pages = nullptr;
    NewYearSetupPage* m_setupPage = nullptr;
    CourseSelectionPage* m_selectionPage = nullptr;
    QPushButton* m_back = nullptr;
    QPushButton* m_continue = nullptr;
    QPushButton* m_create = nullptr;
};
