#include "gui/panels/SidePanel.h"

#include "foundation/richtext/RtfReader.h"
#include "gui/panels/DaySettingsPanel.h"
#include "gui/panels/NonSchoolSettingsPanel.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/ModelNotifications.h"
#include "model/Unit.h"
#include "model/Year.h"
#include "planning/PlanningNotifications.h"

#include <QLabel>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocumentFragment>
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

// "Label: value" lines for the settings states.
void appendLine(QTextCursor& cursor, const QString& label, const QString& value)
{
    cursor.insertText(label + QStringLiteral(": "), boldFormat());
    cursor.insertText(value, QTextCharFormat());
    cursor.insertBlock();
}

QString fieldLabel(const Year& year, const QString& field)
{
    const QString label = year.fieldTitle(field);
    return label.isEmpty() ? field : label;
}

} // namespace

SidePanel::SidePanel(QWidget* parent)
    : QWidget(parent)
    , m_heading(new QLabel(this))
    , m_stateLabel(new QLabel(this))
    , m_body(new QTextBrowser(this))
    , m_nonSchoolTools(new NonSchoolSettingsPanel(this))
    , m_dayTools(new DaySettingsPanel(DaySettingsPanel::Kind::WithLessons, this))
    , m_noLessonsTools(new DaySettingsPanel(DaySettingsPanel::Kind::WithoutLessons, this))
{
    auto* layout = new QVBoxLayout(this);
    m_stateLabel->setStyleSheet(QStringLiteral("color: palette(mid); font-size: 11px; text-transform: uppercase;"));
    QFont headingFont = m_heading->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.25);
    headingFont.setBold(true);
    m_heading->setFont(headingFont);
    m_heading->setWordWrap(true);
    m_body->setOpenExternalLinks(false);
    m_body->setFrameShape(QFrame::NoFrame);
    layout->addWidget(m_stateLabel);
    layout->addWidget(m_heading);
    layout->addWidget(m_body, 1);
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
    m_observers.observe(ModelNotifications::lessonDisplayTextChanged, scope, [this](const Notification& note) {
        if (note.object && note.object == static_cast<NotificationSource*>(m_lesson))
            redraw();
    });
    for (const QString& name : { PlanningNotifications::holidayNameChanged,
             PlanningNotifications::planningModesNeedRefresh, ModelNotifications::courseNameChanged })
        m_observers.observe(name, scope, [this](const Notification&) { redraw(); });
}

void SidePanel::showLessonEditor(Lesson* lesson)
{
    show(State::LessonEditor, lesson, lesson ? lesson->dayTaught() : nullptr);
}

void SidePanel::showLessonSettings(Lesson* lesson)
{
    show(State::LessonSettings, lesson, lesson ? lesson->dayTaught() : nullptr);
}

void SidePanel::showNonSchoolSettings(Day* day)
{
    show(State::NonSchoolSettings, nullptr, day);
}

void SidePanel::showNoLessonsSettings(Day* day)
{
    show(State::NoLessonsSettings, nullptr, day);
}

QString SidePanel::heading() const
{
    return m_heading->text();
}

QString SidePanel::bodyText() const
{
    return m_body->toPlainText();
}

void SidePanel::show(State state, Lesson* lesson, Day* day)
{
    m_state = state;
    m_lesson = lesson;
    m_day = day;
    redraw();
}

void SidePanel::redraw()
{
    m_stateLabel->setText(stateTitle(m_state));
    m_heading->clear();
    m_body->clear();
    switch (m_state) {
    case State::LessonEditor:
        fillLessonEditor();
        break;
    case State::LessonSettings:
        fillLessonSettings();
        break;
    case State::NonSchoolSettings:
        fillNonSchoolSettings();
        break;
    case State::NoLessonsSettings:
        fillNoLessonsSettings();
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

void SidePanel::fillLessonEditor()
{
    if (!m_lesson || !m_year)
        return;
    m_heading->setText(m_lesson->stringForEditingMode());
    QTextCursor cursor(m_body->document());
    QTextCharFormat titleFormat = boldFormat();
    titleFormat.setFontPointSize(m_body->font().pointSizeF() * 1.15);
    cursor.insertText(
        m_lesson->lessonTitle().isEmpty() ? QStringLiteral("Untitled lesson") : m_lesson->lessonTitle(), titleFormat);
    for (const QString& field : m_year->visibleFields()) {
        cursor.insertBlock();
        cursor.insertBlock();
        cursor.insertText(fieldLabel(*m_year, field), boldFormat());
        cursor.insertBlock();
        const auto text = RtfReader::read(m_lesson->value<QByteArray>(field));
        cursor.insertFragment(QTextDocumentFragment(text.get()));
    }
}

void SidePanel::fillLessonSettings()
{
    if (!m_lesson)
        return;
    m_heading->setText(m_lesson->dateAndCourseNameString());
    QTextCursor cursor(m_body->document());
    appendLine(cursor, QStringLiteral("Course"), m_lesson->courseName());
    appendLine(cursor, QStringLiteral("Time"), m_lesson->timeString());
    const Unit* unit = m_lesson->unit();
    appendLine(cursor, QStringLiteral("Unit"), unit ? unit->unitName() : QStringLiteral("None"));
    appendLine(cursor, QStringLiteral("Locked"), m_lesson->isAnchored() ? QStringLiteral("Yes") : QStringLiteral("No"));
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
