#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>

// One tickable column of the course selection table.
struct CourseSelectionColumn {
    QString identifier;
    QString header;
    int width = 0;
};

// The wizard's second page: which course meets on which weekday (weekly
// repeating years) or rotation day (rotating years). One row per course, in
// entry order; every tick starts unset.
class CourseSelectionTable {
public:
    CourseSelectionTable() = default;

    // Columns named by the locale's full weekday names, for the teaching
    // days (index 0 = Sunday) only.
    static CourseSelectionTable forWeekdays(const QStringList& courseNames, const std::array<bool, 7>& teachingDays);
    // Columns "0", "1", ... headed "A day", "B day", ...
    static CourseSelectionTable forRotation(const QStringList& courseNames, int rotationLength);

    const QList<CourseSelectionColumn>& columns() const { return m_columns; }
    const QStringList& courseNames() const { return m_courseNames; }

    bool isTicked(qsizetype row, const QString& columnIdentifier) const;
    void setTicked(qsizetype row, const QString& columnIdentifier, bool ticked);

private:
    CourseSelectionTable(const QStringList& courseNames, QList<CourseSelectionColumn> columns);

    QStringList m_courseNames;
    QList<CourseSelectionColumn> m_columns;
    QList<QHash<QString, bool>> m_ticks;
};
