#pragma once

#include "publish/SiteDayPage.h"

#include <QByteArray>

// A course's calendar as an iCalendar file that calendar programs can
// subscribe to: one event per lesson with data in the lesson range (timed
// when the lesson has meeting times, else lasting the whole day) and one
// all-day event per non-school day. Every event keeps its identifier from
// one publish to the next, so that a subscribed calendar updates its events
// instead of adding them again; the file only changes when a lesson does.
class CalendarFeed {
public:
    // `pages` are the course's day pages that this publish writes.
    static QByteArray build(const SiteFrame& frame, const SiteCourse& course, const QList<const SiteDayPage*>& pages);

    // The identifiers of a lesson's and a non-school day's events.
    static QString lessonUID(const SiteSettings& settings, qint64 lessonKey);
    static QString dayUID(const SiteSettings& settings, qint64 dayKey);
};
