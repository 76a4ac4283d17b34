#include "schedule/CourseSelectionTable.h"

#include "foundation/dates/DateFormatting.h"

namespace {

constexpr int weekdayColumnWidth = 70;
constexpr int rotationColumnWidth = 40;

} // namespace

CourseSelectionTable::CourseSelectionTable(const QStringList& courseNames, QList<CourseSelectionColumn> columns)
    : m_courseNames(courseNames)
    , m_columns(std::move(columns))
    , m_ticks(courseNames.size())
{ }

CourseSelectionTable CourseSelectionTable::forWeekdays(
    const QStringList& courseNames, const std::array<bool, 7>& teachingDays)
{
    const QStringList names = DateFormatting::weekdaySymbols(DateFormatting::SymbolWidth::Full);
    QList<CourseSelectionColumn> columns;
    for (qsizetype weekday = 0; weekday < names.size() && weekday < qsizetype(teachingDays.size()); ++weekday) {
        if (teachingDays.at(std::size_t(weekday)))
            columns.append({ names.at(weekday), names.at(weekday), weekdayColumnWidth });
    }
    return CourseSelectionTable(courseNames, std::move(columns));
}

CourseSelectionTable CourseSelectionTable::forRotation(const QStringList& courseNames, int rotationLength)
{
    QList<CourseSelectionColumn> columns;
    for (int day = 0; day < rotationLength; ++day)
        columns.append(
            { QString::number(day), QStringLiteral("%1 day").arg(QChar(char16_t(u'A' + day))), rotationColumnWidth });
    return CourseSelectionTable(courseNames, std::move(columns));
}

bool CourseSelectionTable::isTicked(qsizetype row, const QString& columnIdentifier) const
{
    return row >= 0 && row < m_ticks.size() && m_ticks.at(row).value(columnIdentifier, false);
}

void CourseSelectionTable::setTicked(qsizetype row, const QString& columnIdentifier, bool ticked)
{
    if (row >= 0 && row < m_ticks.size())
        m_ticks[row].insert(columnIdentifier, ticked);
}
