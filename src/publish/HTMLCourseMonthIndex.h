#pragma once

#include "publish/SiteDayPage.h"
#include "publish/SiteNames.h"

// One course's calendar page for one month: a grid of the month's days,
// each linking to its day page, with the holidays named, the month's
// handouts beside it and links to the other months.
class HTMLCourseMonthIndex {
public:
    // `pages` are the course's day pages of this month by day of month;
    // `months` every month of the calendar range, `position` this one's.
    HTMLCourseMonthIndex(const SiteFrame& frame, const SiteNames::DateNames& names, const SiteCourse& course,
        const QList<SiteMonth>& months, int position, const QHash<int, const SiteDayPage*>& pages);

    // Whether a day of the month had lessons or was a non-school day.
    bool hadData() const { return m_hadData; }
    QString allHTML();

private:
    QString navigation() const;
    QString monthMenu() const;
    QString tableHTML();
    QString cell(int dayOfMonth, int weekday);
    QString handoutString() const;
    const SiteDay* dayOn(int dayOfMonth) const;

    const SiteFrame& m_frame;
    const SiteNames::DateNames& m_names;
    const SiteCourse& m_course;
    const QList<SiteMonth>& m_months;
    const int m_position;
    const QHash<int, const SiteDayPage*>& m_pages;
    QHash<int, const SiteDay*> m_days;
    bool m_hadData = false;
};
