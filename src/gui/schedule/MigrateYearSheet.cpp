#include "gui/schedule/MigrateYearSheet.h"

#include "gui/schedule/SheetDates.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

MigrateYearSheet::MigrateYearSheet(Document& document, AlertPresenter& alerts, QWidget* window)
    : QDialog(window)
    , m_controller(document, alerts)
    , m_picker(new QDateEdit(this))
{
    setObjectName(QStringLiteral("MigrateYearWindow"));
    setWindowTitle(QStringLiteral("Migrate Year"));
    setWindowModality(Qt::WindowModal);
    m_controller.windowDidLoad();
    m_picker->setCalendarPopup(true);
    m_picker->setDate(SheetDates::calendarDay(m_controller.pickerDate()));

    auto* explanation = new QLabel(QStringLiteral("Move every course, lesson, custom day and holiday to a new school "
                                                  "year. The new year starts on the Sunday on or before the date you "
                                                  "choose; every day keeps its weekday."),
        this);
    explanation->setWordWrap(true);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Your year now starts on:"), new QLabel(m_controller.currentStartText(), this));
    form->addRow(QStringLiteral("Start the new year in the week of:"), m_picker);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Migrate"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &MigrateYearSheet::migratePressed);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addLayout(form);
    layout->addWidget(buttons);
    resize(440, sizeHint().height());
}

void MigrateYearSheet::migratePressed()
{
    m_controller.setPickerDate(SheetDates::instant(m_picker->date()));
    m_controller.migratePressed();
    accept();
}
