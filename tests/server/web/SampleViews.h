#pragma once

#include "server/web/PageFrame.h"
#include "server/web/WebViews.h"

// A small teacher's year in October 2025 as the routes would fill it, for
// the page tests and the screenshots.
namespace SampleViews {

inline PageFrame teacherFrame(NavSection section = NavSection::None)
{
    PageFrame frame;
    frame.baseUrl = QStringLiteral("https://school.example/connect");
    frame.csrfToken = QStringLiteral("tok3n-AB");
    frame.username = QStringLiteral("mrivera");
    frame.section = section;
    return frame;
}

inline FieldTitles titles()
{
    return { QStringLiteral("Lesson Plan"), QStringLiteral("Homework"), QStringLiteral("For Students"),
        QStringLiteral("Materials"), QStringLiteral("Differentiation"), QStringLiteral("Reflection") };
}

inline LessonView biologyLesson()
{
    LessonView lesson;
    lesson.id = QStringLiteral("41");
    lesson.courseId = QStringLiteral("7");
    lesson.courseName = QStringLiteral("Biology");
    lesson.date = QDate(2025, 10, 14);
    lesson.title = QStringLiteral("Cell membranes and transport");
    lesson.unit = QStringLiteral("Cells");
    lesson.startTime = QTime(8, 5);
    lesson.endTime = QTime(8, 55);
    lesson.lessonBody
        = QStringLiteral("<p><b>Warm-up:</b> what keeps a cell together?</p><ol><li>Lab: osmosis in potato slices</li>"
                         "<li>Discuss <i>passive</i> and <i>active</i> transport</li></ol><script>alert(1)</script>");
    lesson.homework = QStringLiteral("<p>Read pages 112&ndash;118 and answer questions 1&ndash;4.</p>");
    lesson.publicComment = QStringLiteral("<p>Bring a lab coat on Thursday.</p>");
    lesson.custom1 = QStringLiteral("<ul><li>potatoes</li><li>salt solution</li></ul>");
    lesson.custom2 = QStringLiteral("<p style=\"-qt-paragraph-type:empty;\"><br /></p>\n");
    lesson.custom3 = QStringLiteral("<p>Keep the lab shorter next time.</p>");
    lesson.published = true;
    AssignmentView lab;
    lab.title = QStringLiteral("Osmosis lab report");
    lab.description = QStringLiteral("Two pages, with your graph.\nUse the template.");
    lab.dueDate = QDate(2025, 10, 21);
    lab.files.append(
        { QStringLiteral("9"), QStringLiteral("lab-template.docx"), 24 * 1024, true, FileOwner::Assignment });
    lesson.assignments.append(lab);
    lesson.files.append({ QStringLiteral("12"), QStringLiteral("membranes-slides.pdf"), 3 * 1024 * 1024 + 400 * 1024,
        true, FileOwner::Lesson });
    lesson.files.append(
        { QStringLiteral("13"), QStringLiteral("answer-key.pdf"), 90 * 1024, false, FileOwner::Lesson });
    lesson.links.append({ QStringLiteral("Membrane animation"), QStringLiteral("https://media.example.org/membrane"),
        QStringLiteral("5 minutes"), true });
    lesson.links.append(
        { QStringLiteral("Teacher forum"), QStringLiteral("https://forum.example.org/t/42"), {}, false });
    return lesson;
}

inline LessonView lesson(const QString& courseId, const QString& course, QDate date, const QString& title)
{
    LessonView lesson;
    lesson.id = courseId + date.toString(QStringLiteral("MMdd"));
    lesson.courseId = courseId;
    lesson.courseName = course;
    lesson.date = date;
    lesson.title = title;
    return lesson;
}

inline DayPageView dayPage()
{
    DayPageView view;
    view.titles = titles();
    view.day.date = QDate(2025, 10, 14);
    view.day.notes = QStringLiteral("Fire drill during second period.");
    view.day.lessons.append(biologyLesson());
    LessonView algebra = lesson(
        QStringLiteral("8"), QStringLiteral("Algebra I"), view.day.date, QStringLiteral("Slope from two points"));
    algebra.startTime = QTime(9, 5);
    algebra.endTime = QTime(9, 55);
    algebra.unit = QStringLiteral("Linear functions");
    algebra.lessonBody = QStringLiteral("<p>Examples on the board, then pairs.</p><p>Exit ticket: "
                                        "<a href=\"https://tickets.example.org/slope\">slope quiz</a></p>");
    algebra.homework = QStringLiteral("<p>Worksheet 3.2, odd problems.</p>");
    view.day.lessons.append(algebra);
    view.day.lessons.append(lesson(QStringLiteral("9"), QStringLiteral("Fish & Chips <2>"), view.day.date,
        QStringLiteral("Batter <script>alert(1)</script>")));
    view.previousDay = QDate(2025, 10, 10);
    view.nextDay = QDate(2025, 10, 15);
    return view;
}

inline MonthView october()
{
    MonthView view;
    view.month = QDate(2025, 10, 1);
    view.yearStart = QDate(2025, 9, 2);
    view.yearEnd = QDate(2026, 6, 19);
    for (QDate date(2025, 10, 1); date.month() == 10; date = date.addDays(1)) {
        if (date.dayOfWeek() > 5)
            continue;
        DayView day;
        day.date = date;
        if (date.day() == 13) {
            day.isHoliday = true;
            day.notes = QStringLiteral("Indigenous Peoples' Day");
        } else if (date.day() == 24) {
            day.isCancelled = true;
            day.notes = QStringLiteral("Snow day");
        } else {
            day.isCustom = date.day() == 31;
            day.lessons.append(lesson(QStringLiteral("7"), QStringLiteral("Biology"), date,
                QStringLiteral("Lesson %1 on cells").arg(date.day())));
            day.lessons.append(lesson(QStringLiteral("8"), QStringLiteral("Algebra I"), date,
                QStringLiteral("Section %1.%2").arg(date.day() / 7 + 1).arg(date.day() % 5 + 1)));
            day.lessons.append(
                lesson(QStringLiteral("9"), QStringLiteral("Fish & Chips <2>"), date, QStringLiteral("Tasting")));
        }
        view.days.append(day);
    }
    return view;
}

inline CourseView course(const QString& id, const QString& name, bool publicLinkOn)
{
    CourseView course;
    course.id = id;
    course.name = name;
    course.publicLinkOn = publicLinkOn;
    course.publicToken = QStringLiteral("pub-") + id + QStringLiteral("-x7Qz");
    return course;
}

inline SettingsView settings()
{
    SettingsView view;
    view.username = QStringLiteral("mrivera");
    view.hasYear = true;
    view.courses = { course(QStringLiteral("7"), QStringLiteral("Biology"), true),
        course(QStringLiteral("8"), QStringLiteral("Algebra I"), false),
        course(QStringLiteral("9"), QStringLiteral("Fish & Chips <2>"), false) };
    view.desktopSessions.append({ QStringLiteral("s1"), QStringLiteral("classroom-imac"),
        QDateTime(QDate(2025, 9, 1), QTime(7, 40)), QDateTime(QDate(2025, 10, 14), QTime(15, 12)) });
    view.desktopSessions.append(
        { QStringLiteral("s2"), QStringLiteral("home laptop"), QDateTime(QDate(2025, 10, 2), QTime(20, 3)), {} });
    view.notice = QStringLiteral("Password changed.");
    return view;
}

} // namespace SampleViews
