#include "gui/content/TemplateSheet.h"

#include "content/TemplateWindowController.h"
#include "gui/schedule/SheetDates.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QDateEdit* datePicker(QWidget* parent)
{
    auto* picker = new QDateEdit(parent);
    picker->setCalendarPopup(true);
    picker->setDisplayFormat(QStringLiteral("MMM d, yyyy"));
    return picker;
}

} // namespace

TemplateSheet::TemplateSheet(TemplateWindowController& controller, QWidget* window)
    : QDialog(window)
    , m_controller(controller)
    , m_message(new QLabel(this))
    , m_start(datePicker(this))
    , m_end(datePicker(this))
{
    setObjectName(QStringLiteral("TemplateWindow"));
    setWindowTitle(tr("Use as Template"));
    setWindowModality(Qt::WindowModal);
    m_message->setWordWrap(true);
    m_message->setMinimumWidth(420);

    auto* dates = new QFormLayout;
    dates->addRow(tr("Start Date:"), m_start);
    dates->addRow(tr("End Date:"), m_end);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Apply"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TemplateSheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TemplateSheet::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_message);
    layout->addLayout(dates);
    layout->addWidget(buttons);
}

void TemplateSheet::load()
{
    m_message->setText(m_controller.message());
    m_start->setDate(SheetDates::calendarDay(m_controller.startDate()));
    m_end->setDate(SheetDates::calendarDay(m_controller.endDate()));
}

void TemplateSheet::accept()
{
    m_controller.setStartDate(SheetDates::instant(m_start->date()));
    m_controller.setEndDate(SheetDates::instant(m_end->date()));
    if (m_controller.applyPressed())
        QDialog::accept();
}
