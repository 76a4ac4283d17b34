#include "content/UnitManagerController.h"

#include "foundation/notify/NotificationCenter.h"
#include "model/Course.h"
#include "model/ModelNotifications.h"
#include "model/Unit.h"
#include "model/Year.h"

namespace {

void unitsChanged()
{
    NotificationCenter::defaultCenter().post(ModelNotifications::newUnitAdded);
}

} // namespace

UnitManagerController::UnitManagerController(AlertPresenter& alerts)
    : m_alerts(alerts)
{ }

void UnitManagerController::setYear(Year* year)
{
    m_year = year;
    const QList<Course*> all = courses();
    m_course = all.isEmpty() ? nullptr : all.first();
}

QList<Course*> UnitManagerController::courses() const
{
    return m_year ? m_year->allCoursesInAlphabeticalOrder() : QList<Course*>();
}

void UnitManagerController::selectCourse(Course* course)
{
    m_course = course;
}

QList<Unit*> UnitManagerController::units() const
{
    return m_course ? m_course->unitsArray() : QList<Unit*>();
}

Unit* UnitManagerController::addUnit()
{
    if (!m_course)
        return nullptr;
    Unit* unit = m_course->addUnitWithName(m_course->firstFreeUnitName(QStringLiteral("New Unit")));
    unitsChanged();
    return unit;
}

bool UnitManagerController::renameUnit(Unit* unit, const QString& newName)
{
    if (!unit || !unit->changeUnitNameTo(newName))
        return false;
    unitsChanged();
    return true;
}

void UnitManagerController::deleteUnit(Unit* unit)
{
    if (!unit || !unit->course())
        return;
    unit->course()->deleteUnit(unit);
    unitsChanged();
}

QString UnitManagerController::exportUnit(const Unit* unit, const QString& folder)
{
    return unit ? UnitExport(m_alerts).exportUnit(*unit, folder) : QString();
}
