#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QTime>

#include <optional>

// Plain values the routes fill from storage and the pages render. Strings
// hold what the client sent, unescaped (the XML layer has already decoded
// "&amp;"); the six lesson fields hold the client's HTML, untrusted.

// The year's captions of the lesson fields ("Homework", "Notes", ...).
struct FieldTitles {
    QString lessonBody;
    QString homework;
    QString publicComment;
    QString custom1;
    QString custom2;
    QString custom3;
};

enum class FileOwner { Lesson, Assignment };

struct FileView {
    QString id;
    QString name;
    qint64 sizeBytes = 0;
    bool published = false;
    FileOwner owner = FileOwner::Lesson;
};

struct WebLinkView {
    QString name;
    QString url;
    QString notes;
    bool published = false;
};

struct AssignmentView {
    QString title;
    QString description; // plain text
    std::optional<QDate> dueDate;
    QList<FileView> files;
    QList<WebLinkView> links;
};

struct LessonView {
    QString id;
    QString courseId;
    QString courseName;
    QDate date;
    QString title;
    QString unit;
    QTime startTime; // invalid when the course has no meeting time that day
    QTime endTime;
    QString lessonBody;
    QString homework;
    QString publicComment;
    QString custom1;
    QString custom2;
    QString custom3;
    // Shown on the course's public page (when its link is on).
    bool published = false;
    QList<AssignmentView> assignments;
    QList<FileView> files;
    QList<WebLinkView> links;
};

struct CourseView {
    QString id;
    QString name;
    bool publicLinkOn = false;
    QString publicToken; // the secret part of the public address
    QList<LessonView> lessons; // in date order
};

struct DayView {
    QDate date;
    bool isHoliday = false;
    bool isCancelled = false;
    bool isCustom = false;
    QString notes;
    QList<LessonView> lessons; // in course order
};

// The year by course: the home page of a signed-in teacher.
struct YearView {
    QDate startDate;
    QDate endDate;
    QList<CourseView> courses; // lessons may be left empty here
};

struct MonthView {
    QDate month; // any day of the month shown
    QDate yearStart;
    QDate yearEnd;
    QList<DayView> days; // the year's days in this month; lesson titles are enough
};

struct DayPageView {
    FieldTitles titles;
    DayView day;
    std::optional<QDate> previousDay;
    std::optional<QDate> nextDay;
};

struct CoursePageView {
    FieldTitles titles;
    CourseView course;
};

struct DesktopSessionView {
    QString id;
    QString computerName; // as the desktop program reported it
    QDateTime created;
    std::optional<QDateTime> lastUsed;
};

struct SettingsView {
    QString username;
    bool hasYear = false;
    QList<CourseView> courses; // for their public-link switches
    QList<DesktopSessionView> desktopSessions;
    std::optional<QString> notice; // "Password changed." after a form succeeded
    std::optional<QString> error; // why the last form was refused
};

struct LoginView {
    QString csrfToken;
    QString username; // kept after a failed attempt
    QString next; // a local path to return to after signing in, e.g. the desktop confirmation
    std::optional<QString> error;
};

struct DesktopLoginView {
    QString requestToken;
    QString computerName;
};

struct FeedbackView {
    QDateTime received;
    QString account; // empty when sent without signing in
    QString feedbackType; // BUG, FEATURE or SUPPORT
    QString feedback;
    QString appName;
    QString version;
    QString systemProfile;
    QString email;
    QString name;
};
