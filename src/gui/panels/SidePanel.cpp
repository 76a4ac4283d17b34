#include "gui/panels/SidePanel.h"

#include "gui/panels/DaySettingsPanel.h"
#include "gui/panels/LessonEditorPanel.h"
#include "gui/panels/LessonSettingsPanel.h"
#include "gui/panels/NonSchoolSettingsPanel.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/ModelNotifications.h"
#include "model/Year.h"
#include "planning/PlanningNotifications.h"

#include <QLabel>
#include <QStackedWidget>
#include <QTextBrowser>
#include <QTextCursor>
#include <QVBoxLayout>

namespace {

QString stateTitle(SidePanel::State state)
{
    switch (state) {
    case SidePanel::State::LessonEditor:
        return QStringLiteral("Lesson");
    case SidePanel::State::LessonSettings:
        return QStringLiteral("Lesson Settings");
    case SidePanel::State::NonSchoolSettings:
        return QStringLiteral("Non-School Day");
    case SidePanel::State::NoLessonsSettings:
        return QStringLiteral("Day Settings");
    }
    return {};
}

QTextCharFormat boldFormat()
{
    QTextCharFormat format;
    format.setFontWeight(QFont::Bold);
    return format;
}

// "Label: value" lines for the day states.
void appendLine(QTextCursor& cursor, const QString& label, const QString& value)
{
    cursor.insertText(label + QStringLiteral(": "), boldFormat());
    cursor.insertText(value, QTextCharFormat());
    cursor.insertBlock();
}

} // namespace

SidePanel::SidePanel(AlertPresenter& alerts, QWidget* parent)
    : QWidget(parent)
    , m_stateLabel(new QLabel(this))
    , m_pages(new QStackedWidget(this))
    , m_editor(new LessonEditorPanel(m_pages))
    , m_settings(new LessonSettingsPanel(alerts, m_pages))
    , m_dayPage(new QWidget(m_pages))
    , m_heading(new QLabel(m_dayPage))
    , m_body(new QTextBrowser(m_dayPage))
    , m_nonSchoolTools(new NonSchoolSettingsPanel(this))
    , m_dayTools(new DaySettingsPanel(DaySettingsPanel::Kind::WithLessons, this))
    , m_noLessonsTools(new DaySettingsPanel(DaySettingsPanel::Kind::WithoutLessons, this))
{
    m_stateLabel->setStyleSheet(QStringLiteral("color: palette(mid); font-size: 11px; text-transform: uppercase;"));
    QFont headingFont = m_heading->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.25);
    headingFont.setBold(true);
    m_heading->setFont(headingFont);
    m_heading->setWordWrap(true);
    m_body->setOpenExternalLinks(false);
    m_body->setFrameShape(QFrame::NoFrame);
    m_body->setAccessibleName(tr("About this day"));
    auto* dayLayout = new QVBoxLayout(m_dayPage);
    dayLayout->setContentsMargins(0, 0, 0, 0);
    dayLayout->addWidget(m_heading);
    dayLayout->addWidget(m_body, 1);
    m_pages->addWidget(m_editor);
    m_pages->addWidget(m_settings);
    m_pages->addWidget(m_dayPage);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_stateLabel);
    layout->addWidget(m_pages, 1);
    // The day's commands sit under whichever page shows its day.
    for (QWidget* tools : { static_cast<QWidget*>(m_nonSchoolTools), static_cast<QWidget*>(m_dayTools),
             static_cast<QWidget*>(m_noLessonsTools) })
        layout->addWidget(tools);
    showDayTools();
}

void SidePanel::setYear(Year* year)
{
    m_year = year;
    m_observers.clear();
    m_lesson = nullptr;
    m_day = nullptr;
    if (!year)
        return;
    const void* scope = &year->context();
    for (const QString& name : { PlanningNotifications::holidayNameChanged,
             PlanningNotifications::planningModesNeedRefresh, ModelNotifications::courseNameChanged })
        m_observers.observe(name, scope, [this](const Notification&) { redrawDay(); });
}

void SidePanel::showLessonEditor(Lesson* lesson)
{
    showState(State::LessonEditor, lesson, lesson ? lesson->dayTaught() : nullptr);
}

void SidePanel::focusLessonEditor()
{
    if (m_state == State::LessonEditor && m_lesson)
        m_editor->focusFirstField();
}

void SidePanel::showLessonSettings(Lesson* lesson)
{
    showState(State::LessonSettings, lesson, lesson ? lesson->dayTaught() : nullptr);
}

void SidePanel::showNonSchoolSettings(Day* day)
{
    showState(State::NonSchoolSettings, nullptr, day);
}

void SidePanel::showNoLessonsSettings(Day* day)
{
    showState(State::NoLessonsSettings, nullptr, day);
}

QString SidePanel::heading() const
{
    switch (m_state) {
    case State::LessonEditor:
        return m_editor->heading();
    case State::LessonSettings:
        return lesson() ? lesson()->dateAndCourseNameString() : QString();
    default:
        return m_heading->text();
    }
}

QString SidePanel::bodyText() const
{
    return m_body->toPlainText();
}

void SidePanel::showState(State state, Lesson* lesson, Day* day)
{
    m_state = state;
    m_lesson = lesson;
    m_day = day;
    redraw();
}

void SidePanel::redraw()
{
    m_stateLabel->setText(stateTitle(m_state));
    // Only the page on show holds the lesson, so a hidden editor never
    // writes into a lesson the panel has moved away from.
    m_editor->setLesson(m_state == State::LessonEditor ? lesson() : nullptr);
    m_settings->setLesson(m_state == State::LessonSettings ? lesson() : nullptr);
    switch (m_state) {
    case State::LessonEditor:
        m_pages->setCurrentWidget(m_editor);
        break;
    case State::LessonSettings:
        m_pages->setCurrentWidget(m_settings);
        break;
    case State::NonSchoolSettings:
    case State::NoLessonsSettings:
        m_pages->setCurrentWidget(m_dayPage);
        redrawDay();
        break;
    }
    showDayTools();
}

void SidePanel::showDayTools()
{
    m_nonSchoolTools->setVisible(m_state == State::NonSchoolSettings);
    m_dayTools->setVisible(m_state == State::LessonSettings);
    m_noLessonsTools->setVisible(m_state == State::NoLessonsSettings);
    m_nonSchoolTools->setDay(m_state == State::NonSchoolSettings ? m_day : nullptr);
    m_dayTools->setDay(m_state == State::LessonSettings ? m_day : nullptr);
    m_noLessonsTools->setDay(m_state == State::NoLessonsSettings ? m_day : nullptr);
}

void SidePanel::redrawDay()
{
    m_heading->clear();
    m_body->clear();
    if (m_state == State::NonSchoolSettings)
        fillNonSchoolSettings();
    else if (m_state == State::NoLessonsSettings)
        fillNoLessonsSettings();
}

void SidePanel::fillNonSchoolSettings()
{
    if (!m_day)
        return;
    m_heading->setText(m_day->longDateString());
    QTextCursor cursor(m_body->document());
    appendLine(
        cursor, QStringLiteral("Kind"), m_day->isHoliday() ? QStringLiteral("Holiday") : QStringLiteral("Cancelled"));
    const QString name = m_day->holidayName().trimmed();
    if (!name.isEmpty())
        appendLine(cursor, QStringLiteral("Name"), name);
}

void SidePanel::fillNoLessonsSettings()
{
    if (!m_day)
        return;
    m_heading->setText(m_day->longDateString());
    m_body->setPlainText(QStringLiteral("No lessons meet on this day."));
}
