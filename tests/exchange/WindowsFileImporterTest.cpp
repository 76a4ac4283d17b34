#include "exchange/ExchangeFileBuilder.h"
#include "exchange/windows/WindowsFileImporter.h"
#include "foundation/color/Colors.h"
#include "foundation/richtext/RichText.h"
#include "model/AssignedFile.h"
#include "model/AssignedWebLink.h"
#include "model/Assignment.h"
#include "model/AttachedFile.h"
#include "model/AttachedWebLink.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/LessonReportInformation.h"
#include "model/PublishInfo.h"
#include "model/SemestraRecords.h"
#include "model/Standard.h"
#include "model/Unit.h"
#include "model/Year.h"
#include "testlib/FixedClock.h"
#include "testlib/LocalDate.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class WindowsFileImporterTest : public ::testing::Test {
protected:
    QString filePath() const { return m_folder.filePath(QStringLiteral("plan.smsqlite")); }

    // The importer's summary; the test fails when the file is refused.
    WindowsImportSummary importFile()
    {
        const Result<WindowsImportSummary> imported = WindowsFileImporter::importFile(filePath(), *m_context);
        EXPECT_TRUE(imported.ok()) << imported.error().toStdString();
        return imported ? *imported : WindowsImportSummary {};
    }
    Year* year() const { return m_context->fetch<Year>({ QStringLiteral("Year"), {}, {} }).value(0); }
    template <typename T> QList<T*> all(const QString& entity) const { return m_context->fetch<T>({ entity, {}, {} }); }
    Lesson* lessonTitled(const QString& title) const
    {
        for (Lesson* lesson : all<Lesson>(QStringLiteral("Lesson"))) {
            if (lesson->lessonTitle() == title)
                return lesson;
        }
        ADD_FAILURE() << "no lesson " << title.toStdString();
        return nullptr;
    }

    QTemporaryDir m_folder;
    ExchangeFileBuilder m_file { filePath() };
    std::unique_ptr<ObjectContext> m_context = SemestraRecords::newContext();
};

double secondsSince2001(Date date)
{
    return date.secondsSinceReferenceDate();
}

TEST_F(WindowsFileImporterTest, ReadsTheYearsSettingsFromItsLastRow)
{
    m_file.createTables().addSmallPlan().sql(QStringLiteral(
        "INSERT INTO ZYEAR (Z_PK, ZSTARTDATE, ZENDDATE, ZLASTICALSYNC, ZLESSONBODYTITLE, ZCUSTOM3TITLE, "
        "ZTEACHERSCHOOL, ZTEACHERPHONE, ZSHOWTEACHER, ZSHOWCUSTOM2, ZHOMEWORKENLARGED, ZTYPEOFSCHEDULE, "
        "ZREPEATINTERVAL) VALUES (2, 100, 200, 300, 'Plan', 'Extra', 'school-7', 'a1:lesson;b2:day;c3:course', "
        "1, 0, 5, 2, 4)"));
    m_file.close();
    importFile();

    Year* imported = year();
    ASSERT_TRUE(imported);
    EXPECT_EQ(secondsSince2001(imported->startDate()), 100);
    EXPECT_EQ(secondsSince2001(imported->endDate()), 200);
    EXPECT_EQ(imported->value<std::optional<Date>>(u"lastICalSync"), Date::fromSecondsSinceReferenceDate(300));
    EXPECT_EQ(imported->fieldTitle(QStringLiteral("lessonBody")), u"Plan");
    EXPECT_EQ(imported->fieldTitle(QStringLiteral("custom3")), u"Extra");
    EXPECT_EQ(imported->value<QString>(u"teacherSchool"), u"school-7");
    // The three items of the delete stack, separated the document's way.
    EXPECT_EQ(imported->deleteStack(), u"a1:lesson,b2:day,c3:course");
    EXPECT_TRUE(imported->value<bool>(u"showTeacher"));
    EXPECT_FALSE(imported->value<bool>(u"showCustom2"));
    EXPECT_TRUE(imported->value<bool>(u"homeworkEnlarged")) << "any integer but 0 is true";
    EXPECT_EQ(imported->typeOfSchedule(), Year::Rotating);
    EXPECT_EQ(imported->repeatInterval(), 4);
    EXPECT_EQ(all<Year>(QStringLiteral("Year")).size(), 1);
}

TEST_F(WindowsFileImporterTest, AnOlderYearTableWithoutSyncAndColourColumnsTakesTheSubstitutes)
{
    m_file.createTables()
        .sql(QStringLiteral("DROP TABLE ZYEAR; CREATE TABLE ZYEAR (Z_PK INTEGER PRIMARY KEY, ZSTARTDATE TIMESTAMP, "
                            "ZENDDATE TIMESTAMP); DROP TABLE ZCOURSE; CREATE TABLE ZCOURSE (Z_PK INTEGER PRIMARY "
                            "KEY, ZCOURSENAME VARCHAR);"))
        .addSmallPlan();
    m_file.close();
    const Date importTime = local(2026, 1, 5, 10, 30);
    FixedClock clock(importTime);
    importFile();

    EXPECT_EQ(year()->value<std::optional<Date>>(u"lastICalSync"), importTime);
    const double neverSynced = year()->value<QString>(u"teacherAddress").toDouble();
    EXPECT_LT(neverSynced, -6.0e10) << "the most distant past, long before any sync";
    for (Course* course : year()->myCourses()) {
        EXPECT_FALSE(course->value(u"red").isValid());
        EXPECT_EQ(course->color(), Colors::defaultCourseColor());
    }
}

TEST_F(WindowsFileImporterTest, SyncTimesAreKeptAsSecondsSince1970UnlessLaterThanTomorrow)
{
    const Date now = local(2026, 3, 2, 12, 0);
    FixedClock clock(now);
    for (const double daysAhead : { -30.0, 0.9, 1.1, 12000.0 }) {
        const QString file = m_folder.filePath(QStringLiteral("sync%1.smsqlite").arg(daysAhead));
        ExchangeFileBuilder builder(file);
        builder.createTables().addSmallPlan().sql(QStringLiteral("UPDATE ZYEAR SET ZTEACHERADDRESS = %1")
                                                      .arg(secondsSince2001(now) + daysAhead * 86400, 0, 'f', 3));
        builder.close();
        auto context = SemestraRecords::newContext();
        ASSERT_TRUE(WindowsFileImporter::importFile(file, *context).ok());
        const auto* imported = context->fetch<Year>({ QStringLiteral("Year"), {}, {} }).first();
        const double since1970 = imported->value<QString>(u"teacherAddress").toDouble();
        if (daysAhead < 1.0)
            EXPECT_NEAR(since1970, secondsSince2001(now) + daysAhead * 86400 + 978307200.0, 0.01) << daysAhead;
        else
            EXPECT_LT(since1970, 0) << daysAhead << " days ahead cannot be a real sync";
    }
}

TEST_F(WindowsFileImporterTest, CoursesAreNumberedInKeyOrderDrawnPublishedAndColoured)
{
    m_file.createTables().addSmallPlan().sql(
        QStringLiteral("INSERT INTO ZCOURSE (Z_PK, ZCOURSENAME, ZRED, ZGREEN, ZBLUE) VALUES (5, 'Music', 0, 0, 255);"
                       "UPDATE ZCOURSE SET ZRED = 200, ZGREEN = 100, ZBLUE = 50 WHERE Z_PK = 10;"));
    m_file.close();
    importFile();

    QStringList byNumber;
    for (Course* course : year()->courses()) {
        byNumber << course->courseName();
        EXPECT_TRUE(course->isDrawn());
        EXPECT_EQ(course->value<int>(u"publish"), 1);
    }
    EXPECT_EQ(byNumber, (QStringList { QStringLiteral("Music"), QStringLiteral("Math"), QStringLiteral("Art") }));
    EXPECT_EQ(year()->getCourseWithName(QStringLiteral("Math"))->color(), QColor::fromRgb(200, 100, 50));
}

TEST_F(WindowsFileImporterTest, TheYearGetsTheSettingsANewYearStartsWith)
{
    m_file.createTables().addSmallPlan();
    m_file.close();
    importFile();

    PublishInfo* publish = year()->publish();
    ASSERT_TRUE(publish);
    EXPECT_EQ(publish->value<QString>(u"cssTheme"), u"Default (Cream and Blue)");
    EXPECT_EQ(publish->value<std::optional<Date>>(u"lessonExportStartDate"), year()->startDate());
    ASSERT_TRUE(year()->object(u"lessonReportInformation"));
    EXPECT_EQ(year()->lessonReportInformation()->startDateForDaily(), year()->startDate());
}

TEST_F(WindowsFileImporterTest, DaysAndLessonsKeepTheirValuesLinksAndChangeTimes)
{
    const QByteArray rtf = RichText::fromPlainText(QStringLiteral("Fractions"));
    m_file.createTables().addSmallPlan().sql(QStringLiteral(
        "UPDATE ZDAY SET ZHOLIDAYNAME = 'Fair', ZNOTES = 'bring forms', ZICALUIDNONSCHOOL = 'ns', "
        "ZICALUIDNOTES = 'nt', ZSYNCID = 'd-2', ZISHOLIDAY = 0, ZISCANCELLED = 1, ZISCUSTOM = 1, ZTYPEOFDAY = 3, "
        "ZLASTUPDATED = 4000 WHERE Z_PK = 2;"
        "INSERT INTO ZUNIT (Z_PK, ZUNITNAME, ZCOURSE) VALUES (7, 'Numbers', 10);"
        "INSERT INTO ZLESSON (Z_PK, ZDAYTAUGHT, ZCOURSE, ZUNIT, ZSTARTTIME, ZENDTIME, ZLASTUPDATED, ZLESSONTITLE, "
        "ZSYNCID, ZICALUID, ZLESSONBODY, ZLESSONBODYSTRING, ZANCHORED) VALUES "
        "(100, 1, 10, 7, %1, %2, 5000, 'Intro', 's-100', 'ical-100', ?, 'Fractions', 3), "
        "(101, 2, 20, 0, NULL, NULL, 0, 'No unit', NULL, NULL, NULL, NULL, 0), "
        "(102, 2, 10, 99, NULL, NULL, NULL, 'Missing unit', NULL, NULL, NULL, NULL, NULL);")
                                                      .arg(ExchangeFileBuilder::seconds(2025, 9, 8, 9, 0), 0, 'f', 1)
                                                      .arg(ExchangeFileBuilder::seconds(2025, 9, 8, 9, 50), 0, 'f', 1)
                                                      .replace(QStringLiteral("?"),
                                                          QStringLiteral("X'%1'").arg(QString::fromLatin1(rtf.toHex()))));
    m_file.close();
    importFile();

    Lesson* intro = lessonTitled(QStringLiteral("Intro"));
    ASSERT_TRUE(intro);
    EXPECT_EQ(intro->dayTaught()->actualDate(), local(2025, 9, 8));
    EXPECT_EQ(intro->courseName(), u"Math");
    ASSERT_TRUE(intro->unit());
    EXPECT_EQ(intro->unit()->value<QString>(u"unitName"), u"Numbers");
    EXPECT_EQ(intro->startTime(), local(2025, 9, 8, 9, 0));
    EXPECT_EQ(intro->endTime(), local(2025, 9, 8, 9, 50));
    EXPECT_EQ(RichText::plainText(intro->value<QByteArray>(u"lessonBody")), u"Fractions");
    EXPECT_EQ(intro->syncID(), u"s-100");
    EXPECT_EQ(intro->value<QString>(u"iCalUID"), u"ical-100");
    EXPECT_TRUE(intro->isAnchored());
    // Setting the other values stamps a record; the file's time wins.
    EXPECT_EQ(intro->lastUpdated(), Date::fromSecondsSinceReferenceDate(5000));

    Lesson* noUnit = lessonTitled(QStringLiteral("No unit"));
    ASSERT_TRUE(noUnit);
    EXPECT_EQ(noUnit->unit(), nullptr) << "ZUNIT 0 names no unit";
    EXPECT_FALSE(noUnit->startTime()) << "a lesson without times keeps none";
    EXPECT_EQ(noUnit->lastUpdated(), Date::fromSecondsSinceReferenceDate(0)) << "a date of 0 is 2001-01-01 UTC";
    EXPECT_EQ(lessonTitled(QStringLiteral("Missing unit"))->unit(), nullptr);

    Day* fair = noUnit->dayTaught();
    EXPECT_EQ(fair->value<QString>(u"holidayName"), u"Fair");
    EXPECT_EQ(fair->value<QString>(u"notes"), u"bring forms");
    EXPECT_EQ(fair->value<QString>(u"iCalUIDNonSchool"), u"ns");
    EXPECT_EQ(fair->value<QString>(u"iCalUIDNotes"), u"nt");
    EXPECT_EQ(fair->syncID(), u"d-2");
    EXPECT_TRUE(fair->value<bool>(u"isCancelled"));
    EXPECT_TRUE(fair->value<bool>(u"isCustom"));
    EXPECT_FALSE(fair->value<bool>(u"isHoliday"));
    EXPECT_EQ(fair->value<int>(u"typeOfDay"), 3);
    EXPECT_EQ(fair->lastUpdated(), Date::fromSecondsSinceReferenceDate(4000));
    EXPECT_EQ(fair->object(u"week")->value<int>(u"weekNumber"), 1);
}

TEST_F(WindowsFileImporterTest, PlainTextThatDiffersFromItsRichTextRebuildsIt)
{
    const auto hex = [](const QString& text) {
        return QStringLiteral("X'%1'").arg(QString::fromLatin1(RichText::fromPlainText(text).toHex()));
    };
    m_file.createTables().addSmallPlan().sql(
        QStringLiteral("INSERT INTO ZLESSON (Z_PK, ZDAYTAUGHT, ZCOURSE, ZLESSONTITLE, ZLESSONBODY, ZLESSONBODYSTRING, "
                       "ZHOMEWORK, ZHOMEWORKSTRING, ZCUSTOM1, ZCUSTOM1STRING) "
                       "VALUES (1, 1, 10, 'Edited', %1, 'edited on Windows', %2, '', %3, 'same')")
            .arg(hex(QStringLiteral("old text")), hex(QStringLiteral("stale homework")), hex(QStringLiteral("same"))));
    m_file.close();
    importFile();

    Lesson* lesson = lessonTitled(QStringLiteral("Edited"));
    ASSERT_TRUE(lesson);
    EXPECT_EQ(RichText::plainText(lesson->value<QByteArray>(u"lessonBody")), u"edited on Windows");
    EXPECT_EQ(RichText::plainText(lesson->value<QByteArray>(u"homework")), u"");
    EXPECT_EQ(RichText::plainText(lesson->value<QByteArray>(u"custom1")), u"same");
    EXPECT_EQ(lesson->value<QString>(u"custom1String"), u"same");
}

TEST_F(WindowsFileImporterTest, AttachmentsAreFilesWithoutAnAddressAndWebLinksWithOne)
{
    m_file.createTables().addSmallPlan().sql(QStringLiteral(
        "INSERT INTO ZLESSON (Z_PK, ZDAYTAUGHT, ZCOURSE, ZLESSONTITLE) VALUES (1, 1, 10, 'Given'), (2, 2, 10, 'Due');"
        "INSERT INTO ZASSIGNMENT (Z_PK, ZTITLE, ZDETAILSSTRING, ZSYNCID, ZLASTUPDATED, ZPOINTS, ZASSIGNEDLESSON, "
        "ZDUELESSON) VALUES (30, 'Worksheet', 'odd ones', 'as-30', 700, 12, 1, 2);"
        "INSERT INTO ZATTACHMENT (Z_PK, ZLESSON, ZASSIGNMENT, ZNAME, ZSYNCID, ZPUBLISH, ZLASTUPDATED, ZURL, ZFILEPATH, "
        "ZWINDOWSFILEPATH, ZURL1, ZFILEPATH1, ZWINDOWSFILEPATH1, ZSANDBOXURL) VALUES "
        "(1, 1, NULL, 'Handout', 'f-1', 1, 800, NULL, '/h/handout.pdf', 'C:\\handout.pdf', NULL, NULL, NULL, X'0102'),"
        "(2, 1, NULL, 'Site', 'l-2', 0, 900, 'https://example.org', NULL, NULL, NULL, NULL, NULL, NULL),"
        "(3, NULL, 30, 'Sheet', 'af-3', 1, 0, NULL, NULL, NULL, NULL, '/h/sheet.pdf', 'C:\\sheet.pdf', X'03'),"
        "(4, NULL, 30, 'Video', 'al-4', 1, 0, NULL, NULL, NULL, 'https://video.example', NULL, NULL, NULL);"));
    m_file.close();
    importFile();

    Lesson* given = lessonTitled(QStringLiteral("Given"));
    ASSERT_TRUE(given);
    const QList<AttachedFile*> files = given->objects<AttachedFile>(u"attachments");
    const QList<AttachedWebLink*> links = given->objects<AttachedWebLink>(u"attachments");
    ASSERT_EQ(files.size(), 1);
    ASSERT_EQ(links.size(), 1);
    EXPECT_EQ(files[0]->value<QString>(u"name"), u"Handout");
    EXPECT_EQ(files[0]->value<QString>(u"filePath"), u"/h/handout.pdf");
    EXPECT_EQ(files[0]->value<QString>(u"windowsFilePath"), u"C:\\handout.pdf");
    EXPECT_EQ(files[0]->value<QByteArray>(u"sandboxURL"), QByteArray("\x01\x02"));
    EXPECT_TRUE(files[0]->value<bool>(u"publish"));
    EXPECT_EQ(files[0]->value<QString>(u"syncID"), u"f-1");
    EXPECT_EQ(files[0]->value<std::optional<Date>>(u"lastUpdated"), Date::fromSecondsSinceReferenceDate(800));
    EXPECT_EQ(links[0]->value<QString>(u"URL"), u"https://example.org");
    EXPECT_FALSE(links[0]->value<bool>(u"publish"));
    EXPECT_EQ(links[0]->value<std::optional<Date>>(u"lastUpdated"), Date::fromSecondsSinceReferenceDate(900));

    const QList<Assignment*> assignments = given->assignments();
    ASSERT_EQ(assignments.size(), 1);
    Assignment* worksheet = assignments.first();
    EXPECT_EQ(worksheet->dueLesson(), lessonTitled(QStringLiteral("Due")));
    EXPECT_EQ(worksheet->value<QString>(u"detailsString"), u"odd ones");
    EXPECT_EQ(worksheet->value<int>(u"points"), 12);
    EXPECT_EQ(worksheet->lastUpdated(), Date::fromSecondsSinceReferenceDate(700));
    const QList<AssignedFile*> sheets = worksheet->objects<AssignedFile>(u"files");
    const QList<AssignedWebLink*> videos = worksheet->objects<AssignedWebLink>(u"webLinks");
    ASSERT_EQ(sheets.size(), 1);
    ASSERT_EQ(videos.size(), 1);
    EXPECT_EQ(sheets[0]->value<QString>(u"filePath"), u"/h/sheet.pdf");
    EXPECT_EQ(sheets[0]->value<QString>(u"windowsFilePath"), u"C:\\sheet.pdf");
    EXPECT_EQ(sheets[0]->value<QByteArray>(u"sandboxURL"), QByteArray("\x03"));
    EXPECT_EQ(videos[0]->value<QString>(u"URL"), u"https://video.example");
    EXPECT_EQ(all<ManagedObject>(QStringLiteral("Attachment")).size(), 4);
}

// The Windows edition keeps only the plain text: the details box shows the
// rich text, which is built from it, so that the first edit there keeps it.
TEST_F(WindowsFileImporterTest, AssignmentDetailsAreBuiltFromTheirPlainText)
{
    m_file.createTables().addSmallPlan().sql(QStringLiteral(
        "INSERT INTO ZLESSON (Z_PK, ZDAYTAUGHT, ZCOURSE, ZLESSONTITLE) VALUES (1, 1, 10, 'Given'), (2, 2, 10, 'Due');"
        "INSERT INTO ZASSIGNMENT (Z_PK, ZTITLE, ZDETAILSSTRING, ZASSIGNEDLESSON, ZDUELESSON) VALUES "
        "(30, 'Worksheet', 'Read pages 4 to 9', 1, 2), (31, 'Quiz', '', 1, 2);"));
    m_file.close();
    importFile();

    for (const Assignment* assignment : all<Assignment>(QStringLiteral("Assignment"))) {
        EXPECT_EQ(RichText::plainText(assignment->value<QByteArray>(u"details")), assignment->detailsString());
        if (assignment->title() == u"Worksheet") {
            EXPECT_EQ(assignment->detailsString(), QStringLiteral("Read pages 4 to 9"));
        }
    }
}

TEST_F(WindowsFileImporterTest, KeysThatNameNoRowGiveNoLinkAndAnAssignmentNeedsBothLessons)
{
    m_file.createTables().addSmallPlan().sql(QStringLiteral(
        "INSERT INTO ZUNIT (Z_PK, ZUNITNAME, ZCOURSE) VALUES (1, 'Orphan', 55);"
        "INSERT INTO ZSTANDARD (Z_PK, ZPARENT, ZISROOTITEM, ZSHORTNAME) VALUES (1, NULL, 1, 'All'), "
        "(2, 1, 0, 'A.1'), (3, 77, 0, 'Lost parent');"
        "INSERT INTO ZLESSON (Z_PK, ZDAYTAUGHT, ZCOURSE, ZLESSONTITLE) VALUES (1, 1, 10, 'Only');"
        "INSERT INTO ZASSIGNMENT (Z_PK, ZTITLE, ZASSIGNEDLESSON, ZDUELESSON) VALUES (1, 'Half', 1, 404);"
        "INSERT INTO ZATTACHMENT (Z_PK, ZLESSON, ZNAME) VALUES (1, 404, 'Nowhere');"
        "INSERT INTO ZSTANDARDINLESSON (Z_PK, ZLESSON, ZSTANDARD, ZSYNCID, ZLASTUPDATED) VALUES "
        "(1, 1, 2, 'sl-1', 60), (2, 1, 404, 'sl-2', 0), (3, 404, 2, 'sl-3', 0);"));
    m_file.close();
    const WindowsImportSummary summary = importFile();

    const QList<Unit*> units = all<Unit>(QStringLiteral("Unit"));
    ASSERT_EQ(units.size(), 1);
    EXPECT_EQ(units.first()->object(u"course"), nullptr);
    EXPECT_EQ(units.first()->object(u"year"), year());

    Assignment* half = all<Assignment>(QStringLiteral("Assignment")).value(0);
    ASSERT_TRUE(half);
    EXPECT_EQ(half->assignedLesson(), nullptr);
    EXPECT_EQ(half->dueLesson(), nullptr);
    EXPECT_TRUE(lessonTitled(QStringLiteral("Only"))->assignments().isEmpty());
    EXPECT_TRUE(all<ManagedObject>(QStringLiteral("Attachment")).isEmpty());

    const QList<Standard*> standards = all<Standard>(QStringLiteral("Standard"));
    ASSERT_EQ(standards.size(), 3);
    for (Standard* standard : standards) {
        EXPECT_EQ(standard->object(u"year"), year());
        if (standard->shortName() == u"A.1")
            EXPECT_EQ(standard->parent()->shortName(), u"All");
        else
            EXPECT_EQ(standard->parent(), nullptr) << standard->shortName().toStdString();
    }
    const QList<ManagedObject*> links = all<ManagedObject>(QStringLiteral("StandardInLesson"));
    ASSERT_EQ(links.size(), 1);
    EXPECT_EQ(links.first()->value<QString>(u"syncID"), u"sl-1");
    EXPECT_EQ(links.first()->object<Standard>(u"standard")->shortName(), u"A.1");
    EXPECT_EQ(links.first()->object<Lesson>(u"lesson")->lessonTitle(), u"Only");
    EXPECT_EQ(links.first()->value<std::optional<Date>>(u"lastUpdated"), Date::fromSecondsSinceReferenceDate(60));
    EXPECT_EQ(summary.standardLinksWithoutEnds, 2);
}

TEST_F(WindowsFileImporterTest, RowsThatWouldBreakThePlanAreLeftOutAndCounted)
{
    m_file.createTables().addSmallPlan().sql(QStringLiteral(
        "INSERT INTO ZDAY (Z_PK, ZWEEK, ZACTUALDATE) VALUES (3, 9, 0), (4, NULL, 0);"
        "INSERT INTO ZLESSON (Z_PK, ZDAYTAUGHT, ZCOURSE, ZLESSONTITLE) VALUES (1, 1, 10, 'Kept'), "
        "(2, 1, 99, 'No course'), (3, 1, NULL, 'Null course'), (4, 42, 10, 'No day'), (5, 3, 10, 'Day of no week');"
        "INSERT INTO ZSTANDARD (Z_PK, ZPARENT, ZISROOTITEM, ZSHORTNAME) VALUES (1, NULL, 1, 'Root'), "
        "(2, 1, 0, 'Fine'), (3, 3, 0, 'Own parent'), (4, 5, 0, 'Loop a'), (5, 4, 0, 'Loop b'), "
        "(6, 4, 0, 'Below the loop');"
        "INSERT INTO ZSTANDARDINLESSON (Z_PK, ZLESSON, ZSTANDARD) VALUES (1, 1, 4);"));
    m_file.close();
    const WindowsImportSummary summary = importFile();

    EXPECT_EQ(summary.daysWithoutWeek, 2);
    EXPECT_EQ(summary.lessonsWithoutCourseOrDay, 4);
    EXPECT_EQ(summary.standardsInLoops, 4);
    EXPECT_EQ(summary.standardLinksWithoutEnds, 1) << "a link to a standard that was left out";
    EXPECT_TRUE(summary.skippedAnything());
    for (const char* expected : { "2 day(s)", "4 lesson(s)", "4 standard(s)", "1 standard link(s)" })
        EXPECT_TRUE(summary.message().contains(QLatin1String(expected))) << summary.message().toStdString();

    const QList<Lesson*> lessons = all<Lesson>(QStringLiteral("Lesson"));
    ASSERT_EQ(lessons.size(), 1);
    EXPECT_EQ(lessons.first()->lessonTitle(), u"Kept");
    EXPECT_EQ(all<Day>(QStringLiteral("Day")).size(), 2);
    QStringList kept;
    for (Standard* standard : all<Standard>(QStringLiteral("Standard")))
        kept << standard->shortName();
    EXPECT_EQ(kept, (QStringList { QStringLiteral("Root"), QStringLiteral("Fine") }));
}

TEST_F(WindowsFileImporterTest, AWellFormedFileSkipsNothingAndNumbersEachDaysLessonsInCourseOrder)
{
    m_file.createTables().addSmallPlan().sql(
        QStringLiteral("INSERT INTO ZLESSON (Z_PK, ZDAYTAUGHT, ZCOURSE, ZSTARTTIME) VALUES (1, 1, 20, NULL), "
                       "(2, 1, 10, NULL), (3, 2, 10, 900), (4, 2, 10, 300), (5, 2, 20, 100);"));
    m_file.close();
    const WindowsImportSummary summary = importFile();
    EXPECT_FALSE(summary.skippedAnything());
    EXPECT_EQ(all<Lesson>(QStringLiteral("Lesson")).size(), 5);
    EXPECT_EQ(all<Day>(QStringLiteral("Day")).size(), 2);

    QStringList positions;
    for (Day* day : year()->getAllDaysOrderedAscending()) {
        QList<Lesson*> lessons = day->lessons();
        std::sort(lessons.begin(), lessons.end(),
            [](const Lesson* a, const Lesson* b) { return a->lessonPosition() < b->lessonPosition(); });
        for (Lesson* lesson : lessons)
            positions << QStringLiteral("%1@%2").arg(lesson->courseName()).arg(lesson->lessonPosition());
    }
    EXPECT_EQ(positions.join(u' '), u"Math@0 Art@1 Math@0 Math@1 Art@2");
    EXPECT_EQ(year()->getAllDaysOrderedAscending().last()->lessons().size(), 3);
}

} // namespace
