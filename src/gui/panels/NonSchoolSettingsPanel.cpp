#include "gui/panels/NonSchoolSettingsPanel.h"

#include "gui/window/UndoStepName.h"
#include "model/Day.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

NonSchoolSettingsPanel::NonSchoolSettingsPanel(QWidget* parent)
    : QWidget(parent)
    , m_kind(new QLabel(this))
    , m_name(new QLineEdit(this))
    , m_restore(new QPushButton(tr("Restore School Day"), this))
    , m_extend(new QPushButton(tr("Extend Non-School Day…"), this))
    , m_makeCustom(new QPushButton(tr("Make Custom Day…"), this))
{
    setObjectName(QStringLiteral("NonSchoolSettingsPanel"));
    m_name->setPlaceholderText(tr("Name"));
    m_name->setAccessibleName(tr("Non-school day name"));
    UndoStepName::set(m_name, QStringLiteral("Rename Non-School Day"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_kind);
    layout->addWidget(m_name);
    layout->addSpacing(8);
    layout->addWidget(m_restore);
    layout->addWidget(m_extend);
    layout->addWidget(m_makeCustom);
    layout->addStretch();

    connect(m_name, &QLineEdit::textEdited, this, [this](const QString& name) { m_controller.setHolidayName(name); });
    connect(m_restore, &QPushButton::clicked, this, [this] { emit restoreRequested(m_controller.day()); });
    connect(m_extend, &QPushButton::clicked, this, [this] { emit extendRequested(m_controller.day()); });
    connect(m_makeCustom, &QPushButton::clicked, this, [this] { emit makeCustomDayRequested(m_controller.day()); });
}

void NonSchoolSettingsPanel::setDay(Day* day)
{
    m_controller.setDay(day);
    const bool nonSchool = day && day->isNonSchoolDay();
    m_kind->setText(!nonSchool ? QString() : day->isHoliday() ? tr("Holiday") : tr("Cancelled day"));
    // Typing keeps the cursor where it is; only another day replaces the text.
    if (m_name->text() != m_controller.holidayName())
        m_name->setText(m_controller.holidayName());
    for (QWidget* control : { static_cast<QWidget*>(m_name), static_cast<QWidget*>(m_restore),
             static_cast<QWidget*>(m_extend), static_cast<QWidget*>(m_makeCustom) })
        control->setEnabled(nonSchool);
}
