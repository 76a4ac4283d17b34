#include "cli/DemoYearFiller.h"
#include "exchange/ExchangeFileBuilder.h"
#include "exchange/PlanFingerprint.h"
#include "exchange/windows/WindowsExport.h"
#include "exchange/windows/WindowsFileImporter.h"
#include "exchange/windows/WindowsFileWriter.h"
#include "foundation/richtext/RichText.h"
#include "model/Assignment.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Document.h"
#include "model/Lesson.h"
#include "model/PublishInfo.h"
#include "model/SemestraRecords.h"
#include "model/Unit.h"
#include "model/Year.h"
#include "store/sqlite/FMDatabase.h"
#include "store/sqlite/FMResultSet.h"
#include "testlib/LocalDate.h"
#include "testlib/SchoolYear.h"
#include "testlib/ScriptedFileChooser.h"
#include "testlib/TemporaryPreferences.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class WindowsExportTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_folder.filePath(name); }
    QStringList folderEntries() const { return QDir(m_folder.path()).entryList(QDir::Files | QDir::Hidden); }
    // One value of the written file, read with plain SQL.
    static QVariant fileValue(const QString& file, const QString& sql)
    {
        std::unique_ptr<FMDatabase> database = FMDatabase::databaseWithPath(file);
        EXPECT_TRUE(database->openReadOnly());
        std::unique_ptr<FMResultSet> rows = database->executeQuery(sql);
        EXPECT_TRUE(rows && rows->next()) << sql.toStdString();
        return rows ? rows->objectForColumnIndex(0) : QVariant();
    }

    TemporaryPreferences m_preferences;
    QTemporaryDir m_folder;
    std::unique_ptr<ObjectContext> m_context = SemestraRecords::newContext();
};

TEST_F(WindowsExportTest, FixExportProblemsDeletesWhatTheWindowsEditionCannotHoldAndStoresColours)
{
    Year* year = buildSchoolYear(*m_context);
    Course* math = year->getCourseWithName(QStringLiteral("Math"));
    math->setColor(QColor::fromRgbF(0.5f, 0.25f, 1.0f));
    Unit* kept = math->addUnitWithName(QStringLiteral("Kept"));
    auto* loose = m_context->insert<Unit>(QStringLiteral("Unit"));
    loose->setObject(u"year", year);
    const QList<Lesson*> lessons = math->allLessonsInOrder();
    const auto assignment = [&](Lesson* given, Lesson* due) {
        auto* made = m_context->insert<Assignment>(QStringLiteral("Assignment"));
        made->setObject(u"assignedLesson", given);
        made->setObject(u"dueLesson", due);
        return made;
    };
    Assignment* whole = assignment(lessons[0], lessons[1]);
    Assignment* noDue = assignment(lessons[0], nullptr);
    Assignment* notGiven = assignment(nullptr, lessons[1]);

    WindowsExport::fixExportProblems(*year);

    EXPECT_FALSE(kept->isDeleted());
    EXPECT_TRUE(loose->isDeleted());
    EXPECT_FALSE(whole->isDeleted());
    EXPECT_TRUE(noDue->isDeleted());
    EXPECT_TRUE(notGiven->isDeleted());
    EXPECT_EQ(math->value<int>(u"red"), 127);
    EXPECT_EQ(math->value<int>(u"green"), 63);
    EXPECT_EQ(math->value<int>(u"blue"), 255);
}

TEST_F(WindowsExportTest, RandomNamesAreLettersAndDigitsOfTheAskedLength)
{
    QSet<QString> names;
    for (int i = 0; i < 20; ++i) {
        const QString name = WindowsExport::genRandStringLength(10);
        ASSERT_EQ(name.size(), 10);
        for (QChar c : name)
            EXPECT_TRUE((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')) << int(c.unicode());
        names.insert(name);
    }
    EXPECT_GT(names.size(), 15);
    EXPECT_TRUE(WindowsExport::genRandStringLength(0).isEmpty());
}

TEST_F(WindowsExportTest, TheProposedNameIsTheDocumentsNameWithWindowsAdded)
{
    ScriptedAlertPresenter alerts;
    ScriptedFileChooser files;
    Document document(alerts, files);
    buildSchoolYear(document.context());
    ASSERT_TRUE(document.saveAs(path(QStringLiteral("Biology.semestra"))).ok());
    EXPECT_EQ(WindowsExport::proposedFileName(document), u"Biology_Windows.smsqlite");
}

TEST_F(WindowsExportTest, TheFileCarriesTheSyncTimeAsADateTheListWithSemicolonsAndNoPassword)
{
    Year* year = buildSchoolYear(*m_context);
    const Date synced = local(2026, 10, 1, 8, 15);
    year->setValue(u"teacherAddress", QString::asprintf("%f", synced.secondsSinceReferenceDate() + 978307200.0));
    year->setValue(u"teacherPhone", QStringLiteral("a:lesson,b:day,c:course,"));
    year->publish()->setValue(u"ftpPassword", QStringLiteral("secret"));
    year->publish()->setValue(u"ftpUsername", QStringLiteral("teacher"));
    const QString file = path(QStringLiteral("out.smsqlite"));

    ASSERT_TRUE(WindowsFileWriter::write(*m_context, file).ok());

    // A number (SQLite keeps whole seconds as an integer), no longer text.
    EXPECT_NE(fileValue(file, QStringLiteral("SELECT typeof(ZTEACHERADDRESS) FROM ZYEAR")).toString(), u"text");
    EXPECT_DOUBLE_EQ(fileValue(file, QStringLiteral("SELECT ZTEACHERADDRESS FROM ZYEAR")).toDouble(),
        synced.secondsSinceReferenceDate());
    EXPECT_EQ(fileValue(file, QStringLiteral("SELECT ZTEACHERPHONE FROM ZYEAR")).toString(), u"a:lesson;b:day;c:course;");
    EXPECT_FALSE(fileValue(file, QStringLiteral("SELECT ZFTPPASSWORD FROM ZPUBLISHINFO")).isValid());
    EXPECT_EQ(fileValue(file, QStringLiteral("SELECT ZFTPUSERNAME FROM ZPUBLISHINFO")).toString(), u"teacher");
    // The rebuilt year table keeps its links and indexes.
    EXPECT_EQ(fileValue(file, QStringLiteral("SELECT count(*) FROM ZYEAR y JOIN ZPUBLISHINFO p ON y.ZPUBLISH = p.Z_PK"))
                  .toInt(),
        1);
    EXPECT_EQ(fileValue(file, QStringLiteral("SELECT group_concat(name, ' ') FROM (SELECT name FROM sqlite_master "
                                              "WHERE type = 'index' AND tbl_name = 'ZYEAR' ORDER BY name)"))
                  .toString(),
        u"ZYEAR_ZLESSONREPORTINFORMATION_INDEX ZYEAR_ZPUBLISH_INDEX");
    EXPECT_EQ(folderEntries(), QStringList { QStringLiteral("out.smsqlite") }) << "no temporary file is left";
    // The document itself keeps its text and its password.
    EXPECT_EQ(year->publish()->value<QString>(u"ftpPassword"), u"secret");
    EXPECT_EQ(year->deleteStack(), u"a:lesson,b:day,c:course,");
}

TEST_F(WindowsExportTest, AYearNeverSyncedHasNoSyncDate)
{
    buildSchoolYear(*m_context);
    const QString file = path(QStringLiteral("out.smsqlite"));
    ASSERT_TRUE(WindowsFileWriter::write(*m_context, file).ok());
    EXPECT_FALSE(fileValue(file, QStringLiteral("SELECT ZTEACHERADDRESS FROM ZYEAR")).isValid());
}

TEST_F(WindowsExportTest, AnEarlierFileIsReplacedWholeAndKeptWhenTheMoveFails)
{
    buildSchoolYear(*m_context);
    const QString file = path(QStringLiteral("out.smsqlite"));
    QFile earlier(file);
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier export");
    earlier.close();
    ASSERT_TRUE(WindowsFileWriter::write(*m_context, file).ok());
    EXPECT_EQ(fileValue(file, QStringLiteral("SELECT count(*) FROM ZYEAR")).toInt(), 1);

    // A folder in the way cannot be replaced: the move fails and both the
    // folder's content and the folder stay.
    const QString blocked = path(QStringLiteral("blocked.smsqlite"));
    ASSERT_TRUE(QDir().mkpath(blocked + QStringLiteral("/inside")));
    const WindowsFileWriter::Outcome moved = WindowsFileWriter::write(*m_context, blocked);
    EXPECT_EQ(moved.failure, WindowsFileWriter::Failure::Move);
    EXPECT_FALSE(moved.error.isEmpty());
    EXPECT_TRUE(QDir(blocked + QStringLiteral("/inside")).exists());
    EXPECT_EQ(folderEntries(), QStringList { QStringLiteral("out.smsqlite") }) << "the temporary file is removed";
}

TEST_F(WindowsExportTest, AFolderThatCannotBeWrittenFailsToGenerateAndLeavesNothing)
{
    buildSchoolYear(*m_context);
    const WindowsFileWriter::Outcome written
        = WindowsFileWriter::write(*m_context, path(QStringLiteral("missing/out.smsqlite")));
    EXPECT_EQ(written.failure, WindowsFileWriter::Failure::Generate);
    EXPECT_TRUE(folderEntries().isEmpty());
}

// A busy teacher's year, with everything the exchange carries filled in.
Year* fullyFilledYear(ObjectContext& context)
{
    ScriptedAlertPresenter alerts;
    Year* year = DemoYearFiller::buildYear(context, alerts, 1);
    year->setValue(u"teacherSchool", QStringLiteral("year-42"));
    year->setValue(u"teacherPhone", QStringLiteral("x1:lesson,x2:day,"));
    year->setValue(u"teacherAddress", QString::asprintf("%f", local(2025, 10, 1).secondsSinceReferenceDate() + 978307200.0));
    year->setDate(u"lastICalSync", local(2025, 10, 2, 7, 30));
    year->setValue(u"showCustom3", true);
    year->setValue(u"custom2Enlarged", true);
    year->publish()->setValue(u"ftpPassword", QStringLiteral("secret"));
    const QList<Day*> days = year->getAllDaysOrderedAscending();
    days[3]->setValue(u"notes", QStringLiteral("Fire drill"));
    days[3]->setValue(u"iCalUIDNotes", QStringLiteral("ical-notes"));
    days[3]->setValue(u"syncID", QStringLiteral("day-3"));
    days[5]->setValue(u"isCustom", true);
    days[5]->setValue(u"typeOfDay", 2);
    Lesson* lesson = days[3]->lessons().first();
    lesson->setValue(u"syncID", QStringLiteral("lesson-sync"));
    lesson->setValue(u"iCalUID", QStringLiteral("lesson-ical"));
    lesson->setValue(u"anchored", true);
    for (ManagedObject* attachment : lesson->objects(u"attachments")) {
        attachment->setValue(u"syncID", QStringLiteral("attachment-sync"));
        if (attachment->entity().name() == u"AttachedFile") {
            attachment->setValue(u"windowsFilePath", QStringLiteral("C:\\Handouts\\a.pdf"));
            attachment->setValue(u"sandboxURL", QByteArray("bookmark"));
        }
    }
    for (Assignment* assignment : context.fetch<Assignment>({ QStringLiteral("Assignment"), {}, {} })) {
        auto* file = context.insertObject(QStringLiteral("AssignedFile"));
        file->setValue(u"name", QStringLiteral("Sheet"));
        file->setValue(u"filePath", QStringLiteral("/home/teacher/sheet.pdf"));
        file->setValue(u"windowsFilePath", QStringLiteral("C:\\sheet.pdf"));
        file->setObject(u"assignment", assignment);
        break;
    }
    return year;
}

TEST_F(WindowsExportTest, AFullyFilledYearComesBackFromItsExchangeFileAsItWent)
{
    Year* original = fullyFilledYear(*m_context);
    auto* loose = m_context->insert<Unit>(QStringLiteral("Unit"));
    loose->setObject(u"year", original);
    WindowsExport::prepareForExport(*original);
    const QString file = path(QStringLiteral("demo.smsqlite"));
    ASSERT_TRUE(WindowsFileWriter::write(*m_context, file).ok());

    auto imported = SemestraRecords::newContext();
    const Result<WindowsImportSummary> summary = WindowsFileImporter::importFile(file, *imported);
    ASSERT_TRUE(summary.ok()) << summary.error().toStdString();
    EXPECT_FALSE(summary->skippedAnything());

    const QStringList before = planFingerprint(*m_context);
    const QStringList after = planFingerprint(*imported);
    EXPECT_GT(before.size(), 3000);
    for (qsizetype i = 0; i < std::min(before.size(), after.size()); ++i) {
        ASSERT_EQ(before[i].toStdString(), after[i].toStdString()) << "first difference at line " << i;
    }
    EXPECT_EQ(before.size(), after.size());

    // The intended differences: the sync time survives as a time, not as a
    // date three decades ahead; the password stays home; the settings are a
    // new year's; courses are numbered, drawn and published.
    Year* back = imported->fetch<Year>({ QStringLiteral("Year"), {}, {} }).first();
    EXPECT_NEAR(back->value<QString>(u"teacherAddress").toDouble(),
        original->value<QString>(u"teacherAddress").toDouble(), 0.001);
    EXPECT_TRUE(back->publish()->value<QString>(u"ftpPassword").isEmpty());
    QList<int> numbers;
    for (Course* course : back->courses()) {
        numbers << course->courseNumber();
        EXPECT_TRUE(course->isDrawn());
    }
    EXPECT_EQ(numbers, (QList<int> { 0, 1, 2, 3, 4, 5 }));
}

// What the Windows edition does not show still comes back: the notes of
// attachments and standard links, and the assignments' rich details.
TEST_F(WindowsExportTest, NotesAndRichDetailsComeBackFromTheExchangeFile)
{
    Year* original = fullyFilledYear(*m_context);
    int number = 0;
    for (ManagedObject* attachment : m_context->fetch<ManagedObject>({ QStringLiteral("Attachment"), {}, {} }))
        attachment->setValue(u"notes", QStringLiteral("note %1").arg(++number));
    for (ManagedObject* link : m_context->fetch<ManagedObject>({ QStringLiteral("StandardInLesson"), {}, {} }))
        link->setValue(u"implementationNotes", QStringLiteral("in groups %1").arg(++number));
    for (Assignment* assignment : m_context->fetch<Assignment>({ QStringLiteral("Assignment"), {}, {} }))
        assignment->setValue(u"details", RichText::fromPlainText(QStringLiteral("Step %1\nCheck").arg(++number)));
    WindowsExport::prepareForExport(*original);
    const QString file = path(QStringLiteral("notes.smsqlite"));
    ASSERT_TRUE(WindowsFileWriter::write(*m_context, file).ok());
    auto imported = SemestraRecords::newContext();
    ASSERT_TRUE(WindowsFileImporter::importFile(file, *imported).ok());

    auto valuesOf = [](const ObjectContext& context, const QString& entity, const QString& key) {
        QStringList values;
        for (const ManagedObject* record : context.fetch<ManagedObject>({ entity, {}, {} }))
            values << (key == u"details" ? RichText::plainText(record->value<QByteArray>(key))
                                         : record->value<QString>(key));
        values.sort();
        return values;
    };
    const QList<std::pair<QString, QString>> carried { { QStringLiteral("Attachment"), QStringLiteral("notes") },
        { QStringLiteral("StandardInLesson"), QStringLiteral("implementationNotes") },
        { QStringLiteral("Assignment"), QStringLiteral("details") } };
    for (const auto& [entity, key] : carried) {
        const QStringList before = valuesOf(*m_context, entity, key);
        ASSERT_FALSE(before.isEmpty()) << qPrintable(entity);
        EXPECT_FALSE(before.contains(QString())) << qPrintable(entity);
        EXPECT_EQ(valuesOf(*imported, entity, key), before) << qPrintable(entity);
    }
}

} // namespace
