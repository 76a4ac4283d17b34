#include "content/UnitExport.h"

#include "foundation/alerts/AlertPresenter.h"
#include "foundation/dates/Clock.h"
#include "foundation/dates/DateFormatting.h"
#include "foundation/plist/PropertyList.h"
#include "model/Course.h"
#include "model/Unit.h"

#include <QDir>
#include <QFileInfo>

const QString UnitExport::folderChooserTitle = QStringLiteral("Choose an Export Folder");

UnitExport::UnitExport(AlertPresenter& alerts)
    : m_alerts(alerts)
{ }

QString UnitExport::freeFileName(const QString& folder, const QString& courseName, const QString& stamp)
{
    QString base = QStringLiteral("%1-%2").arg(courseName, stamp);
    base.replace(QLatin1Char('/'), QLatin1Char('_'));
    const QDir directory(folder);
    QString name = base + QStringLiteral(".plist");
    for (int counter = 2; QFileInfo::exists(directory.filePath(name)); ++counter)
        name = QStringLiteral("%1 %2.plist").arg(base).arg(counter);
    return name;
}

std::optional<QString> UnitExport::writeFile(
    const QString& folder, const QString& courseName, const QVariantMap& dictionary)
{
    const QString stamp = DateFormatting::formatPattern(Clock::now(), QStringLiteral("kms"));
    const QString name = freeFileName(folder, courseName, stamp);
    if (!QFileInfo(folder).isDir() || !PropertyList::writeXmlFile(QDir(folder).filePath(name), dictionary))
        return std::nullopt;
    return name;
}

QString UnitExport::exportUnit(const Unit& unit, const QString& folder)
{
    const Course* course = unit.course();
    if (!course)
        return {};
    const QList<Lesson*> lessons = unit.allLessonsInOrder();
    const std::optional<QString> name = writeFile(folder, course->courseName(), course->dictionaryWithLessons(lessons));
    if (!name) {
        m_alerts.runModal(Alert { QStringLiteral("The unit %1 could not be exported").arg(unit.unitName()),
            QStringLiteral("The file could not be written in the folder you chose."), QStringLiteral("OK"), {}, {} });
        return {};
    }
    m_alerts.runModal(Alert { QStringLiteral("The unit %1 was successfully exported").arg(unit.unitName()),
        QStringLiteral("You can find the %1 lessons in the exported course in a file named %2 in the folder you chose.")
            .arg(lessons.size())
            .arg(*name),
        QStringLiteral("OK"), {}, {} });
    return QDir(folder).filePath(*name);
}
