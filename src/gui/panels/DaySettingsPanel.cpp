#include "gui/panels/DaySettingsPanel.h"

#include "foundation/notify/NotificationCenter.h"
#include "model/Day.h"
#include "model/Year.h"
#include "planning/PlanningNotifications.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

DaySettingsPanel::DaySettingsPanel(Kind kind, QWidget* parent)
    : QWidget(parent)
    , m_kind(kind)
    , m_title(new QLabel(this))
    , m_makeNonSchool(new QPushButton(tr("Make Non-School Day…"), this))
    , m_makeCustom(new QPushButton(tr("Make Custom Day…"), this))
    , m_addCourse(new QPushButton(tr("Add Course to Day…"), this))
    , m_restartRotation(new QPushButton(tr("Restart Rotation…"), this))
{
    setObjectName(
        kind == Kind::WithLessons ? QStringLiteral("DaySettingsPanel") : QStringLiteral("NoLessonsSettingsPanel"));
    m_title->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_title);
    layout->addSpacing(8);
    for (QPushButton* button : { m_makeNonSchool, m_makeCustom, m_addCourse, m_restartRotation })
        layout->addWidget(button);
    layout->addStretch();

    // The document runs the non-school-day command for whoever asks.
    connect(m_makeNonSchool, &QPushButton::clicked, this,
        [this] { NotificationCenter::defaultCenter().post(PlanningNotifications::makeNonSchoolDay, m_day); });
    connect(m_makeCustom, &QPushButton::clicked, this, [this] { emit makeCustomDayRequested(m_day); });
    connect(m_addCourse, &QPushButton::clicked, this, [this] { emit addCourseRequested(m_day); });
    connect(m_restartRotation, &QPushButton::clicked, this, [this] { emit restartRotationRequested(m_day); });
}

void DaySettingsPanel::setDay(Day* day)
{
    m_day = day;
    const bool school = day && !day->isNonSchoolDay();
    // The side panel above already says when no lessons meet.
    if (!school)
        m_title->clear();
    else
        m_title->setText(day->isCustomDay() ? day->customDayName() : tr("Day tools"));
    for (QPushButton* button : { m_makeNonSchool, m_makeCustom, m_addCourse })
        button->setEnabled(school);
    const bool rotating = school && day->year() && !day->year()->isNonRotating();
    m_restartRotation->setVisible(m_kind == Kind::WithLessons && rotating);
}
