#pragma once

#include <compare>

class QDateTime;
class QString;

// An absolute instant, kept as seconds since 2001-01-01 00:00:00 UTC: the form
// in which the document store and the exchange file hold dates. Everything that
// needs a calendar (days, months, hours) is answered in the user's current
// calendar and time zone at the time of the call.
class Date {
public:
    constexpr Date() = default;

    static constexpr Date fromSecondsSinceReferenceDate(double seconds) { return Date(seconds); }
    // ICU's UDate: milliseconds since 1970-01-01 00:00:00 UTC.
    static Date fromUDate(double millisecondsSince1970);
    static Date fromQDateTime(const QDateTime& dateTime);
    // The current instant, or the fixed one a test has set on the Clock.
    static Date now();

    constexpr double secondsSinceReferenceDate() const { return m_seconds; }
    double toUDate() const;
    QDateTime toQDateTime() const;

    Date addingSeconds(double seconds) const { return Date(m_seconds + seconds); }
    double timeIntervalSince(Date other) const { return m_seconds - other.m_seconds; }

    // NOLINTNEXTLINE(modernize-use-nullptr): clang-tidy mistakes the defaulted comparison for a 0 literal
    auto operator<=>(const Date&) const = default;

    // Strictly later than `earlier` and strictly earlier than `later`.
    bool isBetween(Date earlier, Date later) const;
    bool isSameMonthAsDate(Date other) const;
    bool isTodaysDate() const;

    // Local midnights of days relative to this date's calendar day.
    Date firstDayOfMonth() const;
    Date nextDay() const;
    Date firstDayOfNextMonth() const;
    Date firstDayOfLastMonth() const;
    Date lastDayOfLastMonth() const;

    // 00:00:00 and 23:59:59 of this date's calendar day in the local zone, with
    // the offset in force at that wall time.
    Date midnightDate() const;
    Date elevenFiftyNineDate() const;

    // This date's hour and minute on the calendar day of `day`, seconds zero,
    // in the host's time zone. Keeps a lesson's times on its day.
    Date timeOnDate(Date day) const;

    Date roundToEarlierHour() const;
    // Rounds up to the next half or full hour: minutes 0-24 give :30 of the
    // same hour, 25-51 give :00 and 52-59 give :10 of the next hour.
    Date roundToLaterHour() const;
    // Hour of day of this date minus that of `other`; minutes and days are ignored.
    int numberOfHoursSince(Date other) const;

private:
    explicit constexpr Date(double seconds)
        : m_seconds(seconds)
    { }

    struct WallTime {
        int hour;
        int minute;
        int second;
    };
    Date wallTimeOnSameDay(const QString& timeOfDay, const WallTime& time) const;

    double m_seconds = 0;
};
