#include "SiteFixture.h"

#include <libical/ical.h>

namespace {

struct FeedEvent {
    QString uid;
    QString summary;
    QString description;
    QString url;
    bool allDay = false;
    icaltimetype start {};
    icaltimetype end {};
};

// The feed parsed back, as a calendar program would read it.
QList<FeedEvent> parse(const QString& text)
{
    QList<FeedEvent> events;
    icalcomponent* calendar = icalparser_parse_string(text.toUtf8().constData());
    EXPECT_NE(calendar, nullptr);
    if (!calendar)
        return events;
    EXPECT_EQ(icalcomponent_isa(calendar), ICAL_VCALENDAR_COMPONENT);
    for (icalcomponent* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); event;
         event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
        FeedEvent parsed;
        parsed.uid = QString::fromUtf8(icalcomponent_get_uid(event));
        parsed.summary = QString::fromUtf8(icalcomponent_get_summary(event));
        if (const char* description = icalcomponent_get_description(event))
            parsed.description = QString::fromUtf8(description);
        if (icalproperty* url = icalcomponent_get_first_property(event, ICAL_URL_PROPERTY))
            parsed.url = QString::fromUtf8(icalproperty_get_url(url));
        parsed.start = icalcomponent_get_dtstart(event);
        parsed.end = icalcomponent_get_dtend(event);
        parsed.allDay = parsed.start.is_date != 0;
        events.append(parsed);
    }
    icalcomponent_free(calendar);
    return events;
}

} // namespace

class CalendarFeedTest : public SiteFixture { };

TEST_F(CalendarFeedTest, HasOneEventPerLessonWithDataAndPerNonSchoolDay)
{
    fill(lessons[0], QStringLiteral("Intro"));
    lessons[0]->setValue(u"lessonBodyString", QStringLiteral("Warm-up\nPractice"));
    fill(lessons[1], QStringLiteral("Untimed"));
    lessons[1]->setValue(u"startTime", QVariant());
    lessons[1]->setValue(u"endTime", QVariant());
    days[4]->setValue(u"isHoliday", true);
    days[4]->setValue(u"holidayName", QStringLiteral("Snow Day"));
    publish();
    ASSERT_TRUE(outcome.published());
    const QList<FeedEvent> events = parse(page(QStringLiteral("Math/Math.ics")));
    ASSERT_EQ(events.size(), 3);

    const FeedEvent& timed = events[0];
    EXPECT_EQ(timed.summary, QStringLiteral("Intro"));
    EXPECT_FALSE(timed.allDay);
    EXPECT_EQ(icaltime_as_timet(timed.start), time_t(ScheduleBuilder::localDate(2026, 3, 2, 9).toUDate() / 1000));
    EXPECT_EQ(icaltime_as_timet(timed.end), time_t(ScheduleBuilder::localDate(2026, 3, 2, 9, 50).toUDate() / 1000));
    EXPECT_EQ(timed.description, QStringLiteral("Plan:\nWarm-up\nPractice\n\nHomework:\nIntro homework"));
    EXPECT_EQ(timed.url, QStringLiteral("Mar22026/index.html"));

    const FeedEvent& untimed = events[1];
    EXPECT_TRUE(untimed.allDay);
    EXPECT_EQ(untimed.start.year, 2026);
    EXPECT_EQ(untimed.start.month, 3);
    EXPECT_EQ(untimed.start.day, 3);
    EXPECT_EQ(untimed.end.day, 4);

    const FeedEvent& holiday = events[2];
    EXPECT_EQ(holiday.summary, QStringLiteral("Snow Day"));
    EXPECT_TRUE(holiday.allDay);
    EXPECT_EQ(holiday.start.day, 6);
    QSet<QString> uids;
    for (const FeedEvent& event : events)
        uids.insert(event.uid);
    EXPECT_EQ(uids.size(), 3);
}

TEST_F(CalendarFeedTest, EventIdentifiersSurviveARepublishAndAChangedLesson)
{
    fill(lessons[0], QStringLiteral("Intro"));
    fill(lessons[2], QStringLiteral("Next"));
    publish();
    const QList<FeedEvent> first = parse(page(QStringLiteral("Math/Math.ics")));
    lessons[0]->setValue(u"lessonTitle", QStringLiteral("Intro, revised"));
    publish();
    const QList<FeedEvent> second = parse(page(QStringLiteral("Math/Math.ics")));
    ASSERT_EQ(first.size(), 2);
    ASSERT_EQ(second.size(), 2);
    EXPECT_EQ(first[0].uid, second[0].uid);
    EXPECT_EQ(first[1].uid, second[1].uid);
    EXPECT_NE(first[0].uid, first[1].uid);
    EXPECT_EQ(second[0].summary, QStringLiteral("Intro, revised"));
    // Another course's lessons never share an identifier with these.
    fill(artLessons[0], QStringLiteral("Drawing"));
    publish();
    EXPECT_NE(parse(page(QStringLiteral("Art/Art.ics"))).value(0).uid, first[0].uid);
}

TEST_F(CalendarFeedTest, MonthPagesOfferTheFeed)
{
    publish();
    const QString month = page(QStringLiteral("Math/March26.html"));
    EXPECT_TRUE(month.contains(QStringLiteral("<a href=\"Math.ics\">Subscribe to this calendar</a>")));
    EXPECT_TRUE(month.contains(QStringLiteral("type=\"text/calendar\"")));
}

TEST_F(CalendarFeedTest, LessonsOutsideTheLessonRangeStayOut)
{
    fill(lessons[0], QStringLiteral("Early"));
    fill(lessons[8], QStringLiteral("Late"));
    controller().setLessonRange(days[5]->actualDate(), days[9]->actualDate());
    publish();
    const QList<FeedEvent> events = parse(page(QStringLiteral("Math/Math.ics")));
    ASSERT_EQ(events.size(), 1);
    EXPECT_EQ(events[0].summary, QStringLiteral("Late"));
}
