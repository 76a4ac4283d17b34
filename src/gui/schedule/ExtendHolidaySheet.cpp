#include "gui/schedule/ExtendHolidaySheet.h"

#include <QDateEdit>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QDate calendarDate(Date date)
{
    return date.toQDateTime().date();
}

} // namespace

ExtendHolidaySheet::ExtendHolidaySheet(ExtendHolidayController& controller, QWidget* window)
    : QDialog(window)
    , m_controller(controller)
    , m_label(new QLabel(this))
    , m_date(new QDateEdit(this))
{
    setObjectName(QStringLiteral("ExtendHolidayWindow"));
    setWindowTitle(tr("Extend Non-School Day"));
    setWindowModality(Qt::WindowModal);
    m_label->setWordWrap(true);
    m_label->setMinimumWidth(380);
    m_date->setCalendarPopup(true);
    m_date->setDisplayFormat(QStringLiteral("MMM d, yyyy"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Extend"));
    connect(buttons, &QDialogButtonBox::accepted, this, &ExtendHolidaySheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ExtendHolidaySheet::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    layout->addWidget(m_date);
    layout->addWidget(buttons);
    load();
}

void ExtendHolidaySheet::load()
{
    m_label->setText(m_controller.label());
    if (!m_controller.day())
        return;
    m_date->setDateRange(calendarDate(m_controller.earliestDate()), calendarDate(m_controller.latestDate()));
    m_date->setDate(calendarDate(m_controller.chosenDate()));
}

// Noon of the chosen date is on that date whatever the clocks do.
void ExtendHolidaySheet::accept()
{
    m_controller.setChosenDate(Date::fromQDateTime(QDateTime(m_date->date(), QTime(12, 0))).midnightDate());
    m_controller.extendPressed();
    QDialog::accept();
}
