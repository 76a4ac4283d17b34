#include "exchange/windows/WindowsImportSummary.h"

#include <QStringList>

const QString WindowsImportSummary::alertTitle = QStringLiteral("Some Records Were Not Imported");

bool WindowsImportSummary::skippedAnything() const
{
    return lessonsWithoutCourseOrDay + daysWithoutWeek + standardsInLoops + standardLinksWithoutEnds > 0;
}

QString WindowsImportSummary::message() const
{
    const struct {
        int count;
        const char* what;
    } kinds[] = {
        { daysWithoutWeek, "%n day(s) that belong to no week" },
        { lessonsWithoutCourseOrDay, "%n lesson(s) without a course or a day" },
        { standardsInLoops, "%n standard(s) whose parents lead back to themselves" },
        { standardLinksWithoutEnds, "%n standard link(s) to a missing lesson or standard" },
    };
    QStringList parts;
    for (const auto& kind : kinds) {
        if (kind.count > 0)
            parts << QString::fromLatin1(kind.what).replace(QStringLiteral("%n"), QString::number(kind.count));
    }
    return QStringLiteral("The file holds records that cannot be part of a plan. They were left out: %1. "
                          "Everything else was imported.")
        .arg(parts.join(QStringLiteral("; ")));
}
