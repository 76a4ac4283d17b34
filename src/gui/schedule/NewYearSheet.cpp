#include "gui/schedule/NewYearSheet.h"

#include "gui/schedule/CourseSelectionPage.h"
#include "gui/schedule/NewYearSetupPage.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

NewYearSheet::NewYearSheet(ObjectContext& context, AlertPresenter& alerts, QWidget* window)
    : QDialog(window)
    , m_controller(context, alerts)
{
    setWindowTitle(tr("New School Year"));
    setWindowModality(Qt::WindowModal);

    m_setupPage = new NewYearSetupPage(m_controller, this);
    m_selectionPage = new CourseSelectionPage(this);
    m_pages = new QStackedWidget(this);
    m_pages->addWidget(m_setupPage);
    m_pages->addWidget(m_selectionPage);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(14);
    layout->addWidget(m_pages, 1);
    layout->addWidget(createButtons());
    showSetupPage();
    resize(760, 520);
}

QWidget* NewYearSheet::createButtons()
{
    auto* bar = new QWidget(this);
    auto* close = new QPushButton(tr("Close"), bar);
    close->setObjectName(QStringLiteral("close"));
    auto* quit = new QPushButton(tr("Quit"), bar);
    quit->setObjectName(QStringLiteral("quit"));
    auto* windowsFile = new QPushButton(tr("Open Windows File…"), bar);
    windowsFile->setObjectName(QStringLiteral("openWindowsFile"));
    m_back = new QPushButton(tr("Back"), bar);
    m_back->setObjectName(QStringLiteral("back"));
    m_continue = new QPushButton(tr("Continue"), bar);
    m_continue->setObjectName(QStringLiteral("continue"));
    m_create = new QPushButton(tr("Create"), bar);
    m_create->setObjectName(QStringLiteral("create"));
    for (QPushButton* button : { close, quit, windowsFile, m_back, m_continue, m_create })
        button->setAutoDefault(false);

    connect(close, &QPushButton::clicked, this, &NewYearSheet::reject);
    connect(quit, &QPushButton::clicked, this, &NewYearSheet::quitPressed);
    connect(windowsFile, &QPushButton::clicked, this, &NewYearSheet::openWindowsFileRequested);
    connect(m_back, &QPushButton::clicked, this, &NewYearSheet::backPressed);
    connect(m_continue, &QPushButton::clicked, this, &NewYearSheet::continuePressed);
    connect(m_create, &QPushButton::clicked, this, &NewYearSheet::createPressed);

    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(close);
    row->addWidget(quit);
    row->addWidget(windowsFile);
    row->addStretch();
    row->addWidget(m_back);
    row->addWidget(m_continue);
    row->addWidget(m_create);
    return bar;
}

void NewYearSheet::reject()
{
    if (m_controller.closePressed())
        QDialog::reject();
}

void NewYearSheet::quitPressed()
{
    // Quitting loses what was entered just as closing does.
    if (m_controller.closePressed())
        emit quitRequested();
}

void NewYearSheet::continuePressed()
{
    follow(m_controller.continuePressed());
}

void NewYearSheet::createPressed()
{
    follow(m_controller.createPressed());
}

void NewYearSheet::backPressed()
{
    // Every input stays as entered; continuing again rebuilds the table, so
    // ticks do not survive a change of courses or days.
    showSetupPage();
}

void NewYearSheet::follow(CreateNewSemestraController::Outcome outcome)
{
    switch (outcome) {
    case CreateNewSemestraController::Outcome::StayOnPage:
        break;
    case CreateNewSemestraController::Outcome::ShowCourseSelection:
        m_selectionPage->showTable(m_controller.courseSelection());
        m_pages->setCurrentWidget(m_selectionPage);
        m_back->show();
        m_continue->hide();
        m_create->show();
        m_create->setDefault(true);
        break;
    case CreateNewSemestraController::Outcome::YearBuilt:
        accept();
        break;
    }
}

void NewYearSheet::showSetupPage()
{
    m_pages->setCurrentWidget(m_setupPage);
    m_back->hide();
    m_create->hide();
    m_continue->show();
    m_setupPage->focusCourseName();
}
