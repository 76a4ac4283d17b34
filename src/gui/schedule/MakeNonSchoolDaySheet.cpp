#include "gui/schedule/MakeNonSchoolDaySheet.h"

#include "gui/window/UndoStepName.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

MakeNonSchoolDaySheet::MakeNonSchoolDaySheet(MakeNonSchoolDayController& controller, QWidget* window)
    : QDialog(window)
    , m_controller(controller)
{
    setObjectName(QStringLiteral("MakeNonSchoolDayWindow"));
    setWindowTitle(tr("Make Non-School Day"));
    setWindowModality(Qt::WindowModal);

    auto* kind = new QGroupBox(tr("Kind of day"), this);
    m_holiday = new QRadioButton(tr("Holiday (the rotation moves on to the next school day)"), kind);
    m_cancelled = new QRadioButton(tr("Cancelled day (the day's place in the rotation is used up)"), kind);
    auto* kindLayout = new QVBoxLayout(kind);
    kindLayout->addWidget(m_holiday);
    kindLayout->addWidget(m_cancelled);

    m_lessons = new QGroupBox(tr("Lessons on this day"), this);
    m_bump = new QRadioButton(tr("Bump them to the next class meeting"), m_lessons);
    m_delete = new QRadioButton(tr("Delete them"), m_lessons);
    auto* lessonsLayout = new QVBoxLayout(m_lessons);
    lessonsLayout->addWidget(m_bump);
    lessonsLayout->addWidget(m_delete);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Make Non-School Day"));
    connect(buttons, &QDialogButtonBox::accepted, this, &MakeNonSchoolDaySheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &MakeNonSchoolDaySheet::reject);
    connect(m_holiday, &QRadioButton::toggled, this, &MakeNonSchoolDaySheet::kindChosen);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(kind);
    layout->addWidget(m_lessons);
    layout->addWidget(buttons);
    load();
}

void MakeNonSchoolDaySheet::load()
{
    using Kind = MakeNonSchoolDayController::Kind;
    const bool holiday = m_controller.kind() == Kind::Holiday;
    m_holiday->setChecked(holiday);
    m_cancelled->setChecked(!holiday);
    const bool bump = m_controller.existingLessons() == MakeNonSchoolDayController::ExistingLessons::Bump;
    m_bump->setChecked(bump);
    m_delete->setChecked(!bump);
    m_lessons->setVisible(m_controller.isLessonChoiceShown());
    nameStep();
}

// Undo names what the day became, not the sheet that made it.
void MakeNonSchoolDaySheet::nameStep()
{
    UndoStepName::set(this, m_holiday->isChecked() ? QStringLiteral("Make Holiday") : QStringLiteral("Cancel Day"));
}

void MakeNonSchoolDaySheet::kindChosen()
{
    using Kind = MakeNonSchoolDayController::Kind;
    m_controller.setKind(m_holiday->isChecked() ? Kind::Holiday : Kind::Cancelled);
    m_lessons->setVisible(m_controller.isLessonChoiceShown());
    nameStep();
}

void MakeNonSchoolDaySheet::accept()
{
    using ExistingLessons = MakeNonSchoolDayController::ExistingLessons;
    m_controller.setExistingLessons(m_bump->isChecked() ? ExistingLessons::Bump : ExistingLessons::Delete);
    m_controller.confirmPressed();
    QDialog::accept();
}

void MakeNonSchoolDaySheet::reject()
{
    m_controller.cancelPressed();
    QDialog::reject();
}
