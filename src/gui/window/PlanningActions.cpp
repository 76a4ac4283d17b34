#include "gui/window/PlanningActions.h"

#include "foundation/prefs/Preferences.h"
#include "gui/window/FontSizeSlider.h"
#include "gui/window/PlanningArea.h"
#include "gui/window/ShownSelection.h"
#include "planning/CourseVisibility.h"
#include "planning/DisplayPreferences.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QToolBar>

namespace {

QString toggleTitle(const QString& key)
{
    static const QHash<QString, QString> titles {
        { DisplayPreferences::showDaysVertically, QStringLiteral("Show Days Vertically") },
        { DisplayPreferences::showDaysWithTimes, QStringLiteral("Show Days With Times") },
        { DisplayPreferences::showNotesView, QStringLiteral("Show Notes") },
        { DisplayPreferences::useFixedFontSize, QStringLiteral("Use Fixed Font Size") },
        { DisplayPreferences::rotatingNumbers, QStringLiteral("Show Rotation by Number") },
        { DisplayPreferences::showAssignmentsInLessonViews, QStringLiteral("Show Assignments") },
        { DisplayPreferences::alwaysShowLessonTimes, QStringLiteral("Always Show Lesson Times") },
    };
    return titles.value(key);
}

} // namespace

PlanningActions::PlanningActions(const ShownSelection& shown, QObject* parent)
    : QObject(parent)
    , m_shown(shown)
{
    createModeActions();
    m_back = makeAction(QStringLiteral("Back"), QKeySequence(Qt::CTRL | Qt::Key_BracketLeft));
    m_forward = makeAction(QStringLiteral("Forward"), QKeySequence(Qt::CTRL | Qt::Key_BracketRight));
    // Alt+Left and Alt+Right as in a web browser; the first key stays the one the menu shows.
    m_back->setShortcuts({ m_back->shortcut(), QKeySequence(Qt::ALT | Qt::Key_Left) });
    m_forward->setShortcuts({ m_forward->shortcut(), QKeySequence(Qt::ALT | Qt::Key_Right) });
    m_back->setIcon(QIcon::fromTheme(QStringLiteral("go-previous")));
    m_forward->setIcon(QIcon::fromTheme(QStringLiteral("go-next")));
    m_today = makeAction(QStringLiteral("Go to Today"), QKeySequence(Qt::CTRL | Qt::Key_T));
    m_selectDate = makeAction(QStringLiteral("Select Date…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_G));
    createToggleActions();
    m_showAll = makeAction(QStringLiteral("Show All Courses"));
    m_showNone = makeAction(QStringLiteral("Show No Courses"));

    connect(m_back, &QAction::triggered, this, [this] { shownArea()->controller().goBackward(); });
    connect(m_forward, &QAction::triggered, this, [this] { shownArea()->controller().goForward(); });
    connect(m_today, &QAction::triggered, this, &PlanningActions::gotoTodayRequested);
    connect(m_selectDate, &QAction::triggered, this, &PlanningActions::selectDateRequested);
    connect(m_showAll, &QAction::triggered, this,
        [this] { CourseVisibility::showCourses(*m_shown.year(), CourseVisibility::Shown::All); });
    connect(m_showNone, &QAction::triggered, this,
        [this] { CourseVisibility::showCourses(*m_shown.year(), CourseVisibility::Shown::None); });
    connect(&shown, &ShownSelection::changed, this, &PlanningActions::updateStates);
    updateStates();
}

PlanningArea* PlanningActions::area() const
{
    return m_shown.planningArea();
}

PlanningArea* PlanningActions::shownArea()
{
    if (m_shown.mode() != ShownSelection::Mode::Planning)
        emit planningModeRequested();
    return area();
}

QAction* PlanningActions::makeAction(const QString& text, const QKeySequence& shortcut)
{
    auto* action = new QAction(text, this);
    action->setShortcut(shortcut);
    return action;
}

void PlanningActions::createModeActions()
{
    // The three modes behave as one segmented control: exactly one is on.
    m_modes = new QActionGroup(this);
    const QStringList titles { QStringLiteral("Day"), QStringLiteral("Week"), QStringLiteral("Month") };
    for (int mode = PlanningModeViewController::DayMode; mode <= PlanningModeViewController::MonthMode; ++mode) {
        QAction* action = makeAction(titles[mode], QKeySequence(Qt::CTRL | (Qt::Key_1 + mode)));
        action->setCheckable(true);
        action->setData(mode);
        m_modes->addAction(action);
        m_modeActions.append(action);
        connect(action, &QAction::triggered, this, [this, mode] { shownArea()->controller().setToMode(mode); });
    }
}

void PlanningActions::createToggleActions()
{
    for (const QString& key : DisplayPreferences::toggles()) {
        QAction* action = makeAction(toggleTitle(key));
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, key] {
            DisplayPreferences::toggle(key);
            updateStates();
        });
        m_toggles.insert(key, action);
    }
    auto* monthText = new QActionGroup(this);
    m_monthTitles = makeAction(QStringLiteral("Month View Shows Lesson Titles"));
    m_monthCourseNames = makeAction(QStringLiteral("Month View Shows Course Names"));
    for (QAction* action : { m_monthTitles, m_monthCourseNames }) {
        action->setCheckable(true);
        monthText->addAction(action);
    }
    connect(m_monthTitles, &QAction::triggered, this, [this] { setMonthShowsCourseNames(false); });
    connect(m_monthCourseNames, &QAction::triggered, this, [this] { setMonthShowsCourseNames(true); });
}

void PlanningActions::setMonthShowsCourseNames(bool courseNames)
{
    DisplayPreferences::setFlag(DisplayPreferences::showCourseNamesInMonthView, courseNames);
    updateStates();
}

void PlanningActions::addToMenu(QMenu* menu)
{
    menu->addActions(m_modeActions);
    menu->addSeparator();
    menu->addActions({ m_back, m_forward, m_today, m_selectDate });
    menu->addSeparator();
    for (const QString& key : DisplayPreferences::toggles())
        menu->addAction(m_toggles.value(key));
    menu->addActions({ m_monthTitles, m_monthCourseNames });
    menu->addSeparator();
    menu->addActions({ m_showAll, m_showNone });
    // Another window may have flipped a preference since this menu last showed.
    connect(menu, &QMenu::aboutToShow, this, &PlanningActions::updateStates);
}

void PlanningActions::addToToolBar(QToolBar* toolBar)
{
    toolBar->addAction(m_back);
    toolBar->addAction(m_forward);
    toolBar->addSeparator();
    toolBar->addActions(m_modeActions);
    toolBar->addSeparator();
    toolBar->addAction(m_today);
    toolBar->addSeparator();
    m_fontSize = new FontSizeSlider(toolBar);
    toolBar->addWidget(m_fontSize);
    updateStates();
}

QAction* PlanningActions::modeAction(int mode) const
{
    return m_modeActions.value(mode);
}

void PlanningActions::updateStates()
{
    PlanningArea* planningArea = area();
    const bool hasArea = planningArea != nullptr;
    for (QAction* action : m_modeActions) {
        action->setEnabled(hasArea);
        action->setChecked(hasArea && action->data().toInt() == planningArea->controller().selectedView());
    }
    m_back->setEnabled(hasArea && planningArea->controller().canGoBackward());
    m_forward->setEnabled(hasArea && planningArea->controller().canGoForward());
    m_today->setEnabled(hasArea);
    m_selectDate->setEnabled(hasArea);
    m_showAll->setEnabled(hasArea);
    m_showNone->setEnabled(hasArea);
    const Preferences& preferences = Preferences::shared();
    for (auto it = m_toggles.cbegin(); it != m_toggles.cend(); ++it)
        it.value()->setChecked(preferences.boolValue(it.key()));
    const bool courseNames = preferences.boolValue(DisplayPreferences::showCourseNamesInMonthView);
    m_monthCourseNames->setChecked(courseNames);
    m_monthTitles->setChecked(!courseNames);
    if (m_fontSize)
        m_fontSize->updateFromPreferences(hasArea);
}
