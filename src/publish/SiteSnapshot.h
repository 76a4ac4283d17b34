#pragma once

#include "foundation/dates/Date.h"
#include "foundation/dates/DateComponents.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <array>
#include <optional>

// Plain copies of what a site shows, read from the records on the main
// thread so that the pages can be written on another: the writer never
// touches a record.

inline constexpr int publishedFieldCount = 6;
// The settings that put the lesson fields on the pages, in field order.
inline constexpr std::array<QStringView, publishedFieldCount> publishFieldSwitches { u"publishLessonBody",
    u"publishHomework", u"publishPublicComment", u"publishCustom1", u"publishCustom2", u"publishCustom3" };

// The publishing settings of a year, with the ranges taken from midnight of
// their first day to 23:59:59 of their last.
struct SiteSettings {
    QString theme;
    QString mainTitle;
    QString introduction;
    QString monthHeader;
    QString monthFooter;
    bool showCredit = false;
    // Lesson body, homework, public comment, custom 1 to 3.
    std::array<bool, publishedFieldCount> publishField {};
    std::array<QString, publishedFieldCount> captions;
    bool publishFiles = false;
    bool publishLinks = false;
    bool publishStandards = false;
    Date calendarStart;
    Date calendarEnd;
    Date lessonStart;
    Date lessonEnd;
    // Decides which month a course's address opens on.
    Date today;
    // Part of every calendar event's identifier, so that two years' feeds
    // never share one.
    qint64 yearIdentity = 0;

    bool inCalendarRange(Date date) const { return date >= calendarStart && date <= calendarEnd; }
    bool inLessonRange(Date date) const { return date >= lessonStart && date <= lessonEnd; }
};

// One day of the year within either range.
struct SiteDay {
    Date date;
    // The calendar day, read once: the pages ask for it again and again.
    DateComponents parts;
    qint64 key = 0;
    bool isHoliday = false;
    bool isCancelled = false;
    QString holidayName;
    QString shortDate;
    QString mediumDate;
    QString longDate;
    std::optional<Date> lastUpdated;

    bool isNonSchoolDay() const { return isHoliday || isCancelled; }
};

struct SiteFile {
    QString name;
    QString path;
};

struct SiteLink {
    QString name;
    QString url;
};

struct SiteAssignment {
    QString title;
    QString details;
    QList<SiteFile> files;
    QList<SiteLink> links;
};

struct SiteStandard {
    QString shortName;
    QString text;
};

// A lesson with data. Outside the lesson range only what the month page
// shows is read: the title and the handouts.
struct SiteLesson {
    qint64 key = 0;
    QString title;
    std::array<QString, publishedFieldCount> fields;
    std::optional<Date> startTime;
    std::optional<Date> endTime;
    std::optional<Date> lastUpdated;
    QList<SiteAssignment> assigned;
    QList<SiteAssignment> due;
    QList<SiteFile> handouts;
    QList<SiteLink> links;
    QList<SiteStandard> standards;
};

// The lessons with data of one course on one day, in meeting order.
struct SiteCourseDay {
    int dayIndex = 0;
    QList<SiteLesson> lessons;
};

struct SiteCourse {
    qint64 key = 0;
    QString name;
    QString folder;
    bool published = false;
    // Where earlier publishes may have put day pages; next-lesson links
    // reach up to it.
    std::optional<Date> latestUploadDate;
};

// Everything one course's pages are made of.
struct SiteCoursePlan {
    SiteCourse course;
    QList<SiteCourseDay> days;
    // The nearest days with data just outside the lesson range, for the
    // first and last day page's navigation.
    std::optional<Date> previousBeforeRange;
    std::optional<Date> nextAfterRange;
};

// What every course shares: the settings, the days of both ranges in date
// order and the list of courses.
struct SiteFrame {
    SiteSettings settings;
    QList<SiteDay> days;
    QList<SiteCourse> courses;

    QList<SiteCourse> publishedCourses() const
    {
        QList<SiteCourse> published;
        for (const SiteCourse& course : courses) {
            if (course.published)
                published.append(course);
        }
        return published;
    }
};
