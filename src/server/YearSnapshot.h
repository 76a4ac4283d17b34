#pragma once

#include "server/Records.h"
#include "server/web/WebViews.h"

#include <QHash>
#include <QList>

#include <optional>

// The account's current year read in one go and turned into the views the
// pages render. Dates come as the desktop program writes them
// ("2026-09-01 24:00:00-0400": hour 24 is midnight of that same date).
class YearSnapshot {
public:
    struct CourseLink {
        bool on = false;
        QString token;
    };

    static std::optional<YearSnapshot> load(Records& records, const Account& account);

    FieldTitles titles() const;
    YearView year() const;
    MonthView month(QDate anyDay) const;
    std::optional<DayPageView> day(QDate date) const;
    std::optional<CoursePageView> course(qint64 courseId) const;
    QList<CourseView> courses() const;
    // A day to open when none is named: today if it is a day of the year,
    // else the nearest one.
    std::optional<QDate> nearestDay(QDate date) const;

    void setCourseLinks(QHash<qint64, CourseLink> links) { m_links = std::move(links); }

    static QDate dateOf(const QString& sent);
    static QTime timeOf(const QString& sent);

private:
    LessonView lessonView(const StoredRecord& lesson) const;
    AssignmentView assignmentView(const StoredRecord& assignment) const;
    QList<FileView> filesOf(
        const QList<StoredRecord>& files, const QString& ownerKey, qint64 owner, FileOwner kind) const;
    QList<WebLinkView> linksOf(const QList<StoredRecord>& links, const QString& ownerKey, qint64 owner) const;
    QList<StoredRecord> lessonsWhere(const QString& key, qint64 id) const;
    DayView dayView(const StoredRecord& day, bool withLessons) const;
    CourseView courseView(const StoredRecord& course) const;
    QDate lessonDate(qint64 lessonId) const;

    QJsonObject m_year;
    QList<StoredRecord> m_courses;
    QList<StoredRecord> m_days; // in date order
    QList<StoredRecord> m_lessons;
    QList<StoredRecord> m_assignments;
    QList<StoredRecord> m_files;
    QList<StoredRecord> m_assignmentFiles;
    QList<StoredRecord> m_weblinks;
    QList<StoredRecord> m_assignmentLinks;
    QHash<qint64, QDate> m_dayDates;
    QHash<qint64, qint64> m_lessonDays;
    QHash<qint64, CourseLink> m_links;
};
