#include "gui/panels/LessonSettingsPanel.h"

#include "content/LibraryController.h"
#include "foundation/dates/DateFormatting.h"
#include "foundation/notify/NotificationCenter.h"
#include "gui/window/UndoStepName.h"
#include "model/Course.h"
#include "model/Lesson.h"
#include "model/ModelNotifications.h"
#include "model/Unit.h"
#include "planning/PlanningNotifications.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString shownTime(const std::optional<Date>& time)
{
    return time ? DateFormatting::formatShortTime(*time) : QString();
}

void showText(QLineEdit* field, const QString& text)
{
    if (field->text() != text)
        field->setText(text);
}

void post(const QString& name, NotificationSource* object = nullptr)
{
    NotificationCenter::defaultCenter().post(name, object);
}

} // namespace

LessonSettingsPanel::LessonSettingsPanel(AlertPresenter& alerts, QWidget* parent)
    : QWidget(parent)
    , m_alerts(alerts)
    , m_times(alerts)
    , m_heading(new QLabel(this))
    , m_title(new QLineEdit(this))
    , m_unit(new QComboBox(this))
    , m_lock(new QCheckBox(QStringLiteral("Locked"), this))
    , m_start(new QLineEdit(this))
    , m_end(new QLineEdit(this))
    , m_sendToLibrary(new QPushButton(QStringLiteral("Send to Library"), this))
    , m_libraryPath(LessonLibrary::defaultPath())
{
    m_title->setObjectName(QStringLiteral("lessonTitle"));
    m_title->setPlaceholderText(QStringLiteral("No Title Provided"));
    m_lock->setToolTip(QStringLiteral("A locked lesson stays in place when lessons are bumped or pulled back"));
    m_unit->setEditable(true);
    m_unit->setInsertPolicy(QComboBox::NoInsert);
    m_unit->setToolTip(QStringLiteral("Choose a unit, or type a new unit's name and press Return"));
    m_start->setPlaceholderText(QStringLiteral("No time"));
    m_end->setPlaceholderText(QStringLiteral("No time"));
    m_heading->setWordWrap(true);
    UndoStepName::setForToggle(m_lock, QStringLiteral("Lock Lesson"), QStringLiteral("Unlock Lesson"));
    UndoStepName::set(m_unit, QStringLiteral("Change Unit"));
    UndoStepName::set(m_start, QStringLiteral("Change Lesson Time"));
    UndoStepName::set(m_end, QStringLiteral("Change Lesson Time"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Title:"), m_title);
    form->addRow(QStringLiteral("Unit:"), m_unit);
    form->addRow(QString(), m_lock);
    form->addRow(QStringLiteral("Starts:"), m_start);
    form->addRow(QStringLiteral("Ends:"), m_end);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_heading);
    layout->addLayout(form);
    layout->addLayout(createCommandButtons());
    layout->addWidget(m_sendToLibrary, 0, Qt::AlignLeft);
    layout->addStretch();

    connect(m_title, &QLineEdit::textEdited, this, &LessonSettingsPanel::titleEdited);
    connect(m_unit, &QComboBox::activated, this, &LessonSettingsPanel::unitChosen);
    connect(m_unit->lineEdit(), &QLineEdit::returnPressed, this, &LessonSettingsPanel::unitNameEntered);
    connect(m_lock, &QCheckBox::toggled, this, &LessonSettingsPanel::lockToggled);
    connect(m_start, &QLineEdit::editingFinished, this, [this] { timeEntered(m_start); });
    connect(m_end, &QLineEdit::editingFinished, this, [this] { timeEntered(m_end); });
    connect(m_sendToLibrary, &QPushButton::clicked, this, &LessonSettingsPanel::sendToLibrary);
    setLesson(nullptr);
}

QLayout* LessonSettingsPanel::createCommandButtons()
{
    m_clear = commandButton(QStringLiteral("Clear Lesson"), &LessonSettingsPanel::clearLessonPressed);
    m_useAsTemplate = commandButton(QStringLiteral("Use as Template…"), &LessonSettingsPanel::useAsTemplatePressed);
    m_removeFromUnit = commandButton(QStringLiteral("Remove from Unit"), &LessonSettingsPanel::removeFromUnitPressed);
    m_manageUnits = commandButton(QStringLiteral("Manage Units…"), &LessonSettingsPanel::manageUnitsPressed);
    m_cancelLesson
        = commandButton(QStringLiteral("Remove Lesson from Day…"), &LessonSettingsPanel::cancelLessonPressed);
    auto* buttons = new QGridLayout;
    buttons->addWidget(m_clear, 0, 0);
    buttons->addWidget(m_useAsTemplate, 0, 1);
    buttons->addWidget(m_removeFromUnit, 1, 0);
    buttons->addWidget(m_manageUnits, 1, 1);
    buttons->addWidget(m_cancelLesson, 2, 0, 1, 2);
    return buttons;
}

QPushButton* LessonSettingsPanel::commandButton(const QString& text, void (LessonSettingsPanel::*pressed)(Lesson*))
{
    auto* button = new QPushButton(text, this);
    connect(button, &QPushButton::clicked, this, [this, pressed] {
        if (m_lesson)
            emit(this->*pressed)(m_lesson);
    });
    return button;
}

void LessonSettingsPanel::setLesson(Lesson* lesson)
{
    m_lesson = lesson;
    m_observers.clear();
    if (lesson) {
        const void* scope = &lesson->context();
        m_observers.observe(ModelNotifications::newUnitAdded, scope, [this](const Notification&) { reloadUnits(); });
        // Posted when a lesson joins or leaves a unit, here or elsewhere.
        m_observers.observe(
            PlanningNotifications::refreshCourseSourceList, scope, [this](const Notification&) { showUnit(); });
    }
    m_watch.watch(lesson, [this] { refresh(); });
    reload();
}

void LessonSettingsPanel::reload()
{
    setEnabled(m_lesson != nullptr);
    refresh();
    reloadUnits();
}

void LessonSettingsPanel::refresh()
{
    m_heading->setText(m_lesson ? m_lesson->dateAndCourseNameString() : QString());
    showText(m_title, m_lesson ? m_lesson->lessonTitle() : QString());
    {
        const QSignalBlocker quiet(m_lock);
        m_lock->setChecked(m_lesson && m_lesson->isAnchored());
    }
    showText(m_start, m_lesson ? shownTime(m_lesson->startTime()) : QString());
    showText(m_end, m_lesson ? shownTime(m_lesson->endTime()) : QString());
    showUnit();
}

void LessonSettingsPanel::reloadUnits()
{
    const QSignalBlocker quiet(m_unit);
    m_unit->clear();
    m_unit->addItem(QStringLiteral("None"));
    const Course* course = m_lesson ? m_lesson->course() : nullptr;
    if (!course) {
        showUnit();
        return;
    }
    for (Unit* unit : course->unitsArray())
        m_unit->addItem(unit->unitName(), QVariant::fromValue(static_cast<void*>(unit)));
    showUnit();
}

void LessonSettingsPanel::showUnit()
{
    const Unit* current = m_lesson ? m_lesson->unit() : nullptr;
    m_removeFromUnit->setEnabled(current != nullptr);
    const QSignalBlocker quiet(m_unit);
    m_unit->setCurrentIndex(current ? m_unit->findText(current->unitName(), Qt::MatchFixedString) : 0);
}

void LessonSettingsPanel::titleEdited(const QString& title)
{
    if (!m_lesson)
        return;
    // The lesson views and lists follow through the lesson's own notification.
    m_lesson->setValue(u"lessonTitle", title);
}

void LessonSettingsPanel::unitChosen(int index)
{
    if (!m_lesson)
        return;
    auto* unit = static_cast<Unit*>(m_unit->itemData(index).value<void*>());
    if (unit == m_lesson->unit())
        return;
    m_lesson->setObject(u"unit", unit);
    post(PlanningNotifications::refreshCourseSourceList);
}

void LessonSettingsPanel::unitNameEntered()
{
    Course* course = m_lesson ? m_lesson->course() : nullptr;
    const QString name = m_unit->currentText().trimmed();
    if (!course || name.isEmpty() || name == QStringLiteral("None")) {
        reloadUnits();
        return;
    }
    Unit* unit = course->unitWithName(name);
    if (!unit) {
        unit = course->addUnitWithName(name);
        post(ModelNotifications::newUnitAdded);
    }
    m_lesson->setObject(u"unit", unit);
    post(PlanningNotifications::refreshCourseSourceList);
    reloadUnits();
}

void LessonSettingsPanel::lockToggled(bool locked)
{
    if (!m_lesson)
        return;
    m_lesson->setValue(u"anchored", locked);
    lessonChanged();
}

void LessonSettingsPanel::timeEntered(QLineEdit* field)
{
    if (!m_lesson)
        return;
    const std::optional<Date> before = field == m_start ? m_lesson->startTime() : m_lesson->endTime();
    const QString shown = field == m_start ? m_times.changeStartTime(*m_lesson, field->text())
                                           : m_times.changeEndTime(*m_lesson, field->text());
    field->setText(shown);
    const std::optional<Date> after = field == m_start ? m_lesson->startTime() : m_lesson->endTime();
    if (before != after)
        lessonChanged();
}

void LessonSettingsPanel::lessonChanged() const
{
    post(ModelNotifications::lessonDisplayTextChanged, m_lesson);
    post(PlanningNotifications::planningModesNeedRefresh);
}

void LessonSettingsPanel::sendToLibrary()
{
    if (m_lesson)
        LibraryController::sendToLibrary(*m_lesson, m_alerts, m_libraryPath);
}
