#include "gui/dialogs/SelectDateDialog.h"

#include "foundation/dates/Clock.h"
#include "foundation/dates/DateFormatting.h"
#include "foundation/notify/NotificationCenter.h"
#include "model/Day.h"
#include "model/Year.h"
#include "planning/PlanningNotifications.h"

#include <QCalendarWidget>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The locale's numeric date with the full year ("2/10/2027", "10/02/2027",
// "10.2.2027"), one of the forms a typed date is read in, so that what the
// field shows can be edited.
const QString fieldTemplate = QStringLiteral("yMd");

} // namespace

SelectDateDialog::SelectDateDialog(Year& year, QWidget* window)
    : QDialog(window)
    , m_year(year)
    , m_calendar(new QCalendarWidget(this))
    , m_field(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("Go to Date"));
    setWindowModality(Qt::WindowModal);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    buttons->addButton(QStringLiteral("Go"), QDialogButtonBox::AcceptRole)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_calendar, &QCalendarWidget::selectionChanged, this, &SelectDateDialog::mirrorCalendar);
    connect(m_field, &QLineEdit::editingFinished, this, &SelectDateDialog::readField);
    m_calendar->setGridVisible(false);
    m_field->setPlaceholderText(DateFormatting::patternForTemplate(fieldTemplate).toUpper());
    m_field->setToolTip(tr("Type a date as you write it, or as %1")
                            .arg(DateFormatting::formatPattern(Clock::now(), QStringLiteral("yyyy-MM-dd"))));
    m_field->setAccessibleName(tr("Date"));
    m_calendar->setAccessibleName(tr("Calendar"));
    nameCalendarParts();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_calendar);
    layout->addWidget(m_field);
    layout->addWidget(buttons);
    setPickedDate(Clock::now());
}

// The calendar's month arrows and day grid come without names; Qt gives
// them these object names.
void SelectDateDialog::nameCalendarParts() const
{
    const std::pair<const char*, QString> parts[] { { "qt_calendar_prevmonth", tr("Previous month") },
        { "qt_calendar_nextmonth", tr("Next month") }, { "qt_calendar_calendarview", tr("Days of the month") },
        { "qt_calendar_monthbutton", tr("Month") }, { "qt_calendar_yearbutton", tr("Year") } };
    for (const auto& [objectName, name] : parts) {
        if (auto* part = m_calendar->findChild<QWidget*>(QLatin1String(objectName)))
            part->setAccessibleName(name);
    }
}

void SelectDateDialog::setPickedDate(Date date)
{
    m_calendar->setSelectedDate(date.toQDateTime().date());
    mirrorCalendar();
}

Date SelectDateDialog::pickedDate() const
{
    // Noon keeps the instant inside the picked calendar day on any zone change.
    return Date::fromQDateTime(QDateTime(m_calendar->selectedDate(), QTime(12, 0)));
}

void SelectDateDialog::mirrorCalendar()
{
    m_field->setText(DateFormatting::formatTemplate(pickedDate(), fieldTemplate));
}

void SelectDateDialog::readField()
{
    // An unreadable entry puts the field back to the calendar's date.
    if (const std::optional<Date> typed = DateFormatting::parseTypedDate(m_field->text()))
        setPickedDate(*typed);
    else
        mirrorCalendar();
}

void SelectDateDialog::accept()
{
    readField();
    if (Day* day = m_year.getDayWithDate(pickedDate()))
        NotificationCenter::defaultCenter().post(PlanningNotifications::gotoDate, day);
    QDialog::accept();
}
