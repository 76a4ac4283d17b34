#include "ModelFixture.h"
#include "ScheduleBuilder.h"
#include "foundation/plist/PlistValue.h"
#include "foundation/richtext/RichText.h"
#include "model/AssignedWebLink.h"
#include "model/Assignment.h"
#include "model/AttachedFile.h"
#include "model/AttachedWebLink.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/LessonDictionary.h"
#include "model/Standard.h"
#include "model/StandardInLesson.h"
#include "model/Unit.h"
#include "model/Year.h"
#include "testlib/TemporaryPreferences.h"

#include <QDateTime>
#include <QTextBlock>
#include <QTextDocument>

namespace {

// Math and Art meet at 9:00 and 10:00 on every weekday of two weeks from
// Sunday 1 March 2026.
class LessonContentTest : public ModelFixture {
protected:
    LessonContentTest()
    {
        for (int week = 0; week < 2; ++week) {
            for (int weekday = 1; weekday <= 5; ++weekday)
                days.append(b.day(week * 7 + weekday));
        }
        math = b.course(QStringLiteral("Math"));
        art = b.course(QStringLiteral("Art"));
        lessons = b.lessonsOn(math, days, 9);
        artLessons = b.lessonsOn(art, days, 10);
        const QStringList titles { QStringLiteral("Plan"), QStringLiteral("Homework"), QStringLiteral("Public"),
            QStringLiteral("Extra 1"), QStringLiteral("Extra 2"), QStringLiteral("Extra 3") };
        for (int i = 0; i < Lesson::richFieldKeys().size(); ++i)
            year()->setValue(Lesson::richFieldKeys()[i] + QStringLiteral("Title"), titles[i]);
        for (const char16_t* flag : { u"showTeacher", u"showHomework", u"showPublic" })
            year()->setValue(flag, true);
    }

    Year* year() const { return b.year(); }
    void fill(Lesson* lesson, const QString& title)
    {
        lesson->setValue(u"lessonTitle", title);
        lesson->setValue(u"lessonBody", RichText::fromPlainText(title + QStringLiteral(" body")));
    }
    QStringList titles(const QList<Lesson*>& list) const
    {
        QStringList result;
        for (const Lesson* lesson : list)
            result.append(lesson->lessonTitle());
        return result;
    }
    Unit* unitOf(const QList<int>& places, const QString& name)
    {
        Unit* unit = math->addUnitWithName(name);
        for (int place : places) {
            fill(lessons[place], QStringLiteral("U%1").arg(place));
            lessons[place]->setObject(u"unit", unit);
        }
        return unit;
    }

    TemporaryPreferences preferences;
    ScheduleBuilder b { *context, 2026, 3, 1, 2 };
    QList<Day*> days;
    Course* math = nullptr;
    Course* art = nullptr;
    QList<Lesson*> lessons;
    QList<Lesson*> artLessons;
};

QStringList paragraphs(const QTextDocument& document)
{
    return document.toPlainText().split(QChar::ParagraphSeparator).join(QLatin1Char('\n')).split(QLatin1Char('\n'));
}

} // namespace

// Editor text

TEST_F(LessonContentTest, EditorTextOfOneFieldHasNoLabel)
{
    lessons[0]->setValue(u"homework", RichText::fromPlainText(QStringLiteral("Read page 4  ")));
    const auto text = lessons[0]->textViewString();
    EXPECT_EQ(paragraphs(*text), QStringList({ QStringLiteral("Read page 4"), QString() }));
}

TEST_F(LessonContentTest, EditorTextOfSeveralFieldsLabelsEachInDisplayOrder)
{
    lessons[0]->setValue(u"publicComment", RichText::fromPlainText(QStringLiteral("Bring paper")));
    lessons[0]->setValue(u"lessonBody", RichText::fromPlainText(QStringLiteral("Fractions")));
    // Hidden fields stay out even when they hold text.
    lessons[0]->setValue(u"custom1", RichText::fromPlainText(QStringLiteral("hidden")));
    const auto text = lessons[0]->textViewString();
    EXPECT_EQ(paragraphs(*text),
        QStringList({ QStringLiteral("Plan"), QStringLiteral("Fractions"), QStringLiteral("Public"),
            QStringLiteral("Bring paper"), QString() }));
    EXPECT_TRUE(text->begin().charFormat().font().bold() || text->begin().begin().fragment().charFormat().font().bold());
}

TEST_F(LessonContentTest, EditorTextIsEmptyWithoutVisibleData)
{
    lessons[0]->setValue(u"custom2", RichText::fromPlainText(QStringLiteral("hidden")));
    EXPECT_TRUE(lessons[0]->textViewString()->isEmpty());
}

TEST_F(LessonContentTest, FixedFontSizeAppliesToTheWholeText)
{
    preferences.preferences().setValue(QStringLiteral("useFixedFontSize"), true);
    preferences.preferences().setValue(QStringLiteral("fixedFontSize"), 17);
    lessons[0]->setValue(u"lessonBody", RichText::fromPlainText(QStringLiteral("One")));
    lessons[0]->setValue(u"homework", RichText::fromPlainText(QStringLiteral("Two")));
    const auto text = lessons[0]->textViewString();
    for (QTextBlock block = text->begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment)
            EXPECT_EQ(fragment.fragment().charFormat().fontPointSize(), 17);
    }
}

TEST_F(LessonContentTest, SmallDisplayStrings)
{
    EXPECT_EQ(lessons[0]->lockMenuString(), QStringLiteral("Lock Lesson"));
    lessons[0]->setValue(u"anchored", true);
    EXPECT_EQ(lessons[0]->lockMenuString(), QStringLiteral("Unlock Lesson"));
    EXPECT_FALSE(lessons[0]->hasTitle());
    EXPECT_FALSE(lessons[0]->hasDataForKey(QStringLiteral("homework")));
    lessons[0]->setValue(u"homework", QByteArray());
    EXPECT_FALSE(lessons[0]->hasDataForKey(QStringLiteral("homework")));
    auto* tag = insert<ManagedObject>("Tag");
    tag->setValue(u"name", QStringLiteral("lab"));
    lessons[0]->addObject(u"tags", tag);
    EXPECT_EQ(lessons[0]->tagsString(), QStringLiteral("lab,"));
    EXPECT_TRUE(lessons[0]->hasTagWithName(QStringLiteral("lab")));
    EXPECT_FALSE(lessons[0]->hasTagWithName(QStringLiteral("Lab")));
}

// The transfer dictionary

TEST_F(LessonContentTest, DictionaryCarriesContentToALessonOfAnotherCourse)
{
    Unit* unit = unitOf({ 0 }, QStringLiteral("Fractions"));
    art->addUnitWithName(QStringLiteral("fractions"));
    lessons[0]->setValue(u"anchored", true);
    auto* link = insert<AttachedWebLink>("AttachedWebLink");
    link->setValue(u"URL", QStringLiteral("https://example.org"));
    link->setValue(u"publish", true);
    link->setValue(u"syncID", QStringLiteral("S1"));
    link->setObject(u"lesson", lessons[0]);
    auto* assignment = insert<Assignment>("Assignment");
    assignment->setValue(u"title", QStringLiteral("Worksheet"));
    assignment->setObject(u"assignedLesson", lessons[0]);
    assignment->setObject(u"dueLesson", lessons[2]);
    auto* standard = insert<Standard>("Standard");
    standard->setValue(u"shortName", QStringLiteral("N.1"));
    standard->setValue(u"text", QStringLiteral("Numbers"));
    standard->setObject(u"year", year());
    auto* standardLink = insert<StandardInLesson>("StandardInLesson");
    standardLink->setObject(u"lesson", lessons[0]);
    standardLink->setObject(u"standard", standard);

    const QVariantMap dictionary = LessonDictionary::fromText(LessonDictionary::toText(lessons[0]->dictionaryForExport())).value();
    artLessons[1]->importFromDictionary(dictionary);

    Lesson* target = artLessons[1];
    EXPECT_EQ(target->lessonTitle(), QStringLiteral("U0"));
    EXPECT_EQ(target->value<QString>(u"lessonBodyString"), QStringLiteral("U0 body"));
    EXPECT_TRUE(target->isAnchored());
    ASSERT_NE(target->unit(), nullptr);
    EXPECT_EQ(target->unit()->course(), art);
    EXPECT_NE(target->unit(), unit);
    const auto attachments = target->objects<AttachedWebLink>(u"attachments");
    ASSERT_EQ(attachments.size(), 1);
    EXPECT_TRUE(attachments[0]->isPublished());
    EXPECT_EQ(attachments[0]->value<QString>(u"syncID"), QString());
    ASSERT_EQ(target->assignments().size(), 1);
    EXPECT_EQ(target->assignments()[0]->dueLesson(), artLessons[3]);
    EXPECT_EQ(target->objects<StandardInLesson>(u"standards").size(), 1);
    EXPECT_TRUE(posted.contains(QStringLiteral("SemestraLessonClicked")));
}

TEST_F(LessonContentTest, DictionaryCarriesContentIntoAnotherDocument)
{
    fill(lessons[0], QStringLiteral("Away"));
    const QVariantMap dictionary = lessons[0]->dictionaryForExport();
    std::unique_ptr<ObjectContext> other = SemestraRecords::newContext();
    ScheduleBuilder elsewhere(*other, 2027, 2, 28, 1);
    Lesson* target = elsewhere.lesson(elsewhere.course(QStringLiteral("Math")), elsewhere.day(1), 8);
    target->importFromDictionary(dictionary, Lesson::Notify::No);
    EXPECT_EQ(target->lessonTitle(), QStringLiteral("Away"));
    EXPECT_EQ(target->unit(), nullptr);
}

TEST_F(LessonContentTest, EmptyLessonWritesEmptyValuesOfEachType)
{
    const QVariantMap dictionary = lessons[0]->dictionaryForExport();
    EXPECT_EQ(dictionary.value(QStringLiteral("lessonTitle")), QVariant(QString()));
    EXPECT_EQ(PlistValue::kind(dictionary.value(QStringLiteral("homework"))), PlistValue::Kind::Data);
    EXPECT_EQ(dictionary.value(QStringLiteral("anchored")), QVariant(false));
    for (const char* absent : { "startTime", "endTime", "iCalUID", "lastUpdated", "syncID", "unit" })
        EXPECT_FALSE(dictionary.contains(QLatin1String(absent))) << absent;
}

TEST_F(LessonContentTest, HostileDictionaryChangesOnlyTheContent)
{
    lessons[1]->setValue(u"syncID", QStringLiteral("KEEP"));
    lessons[1]->setValue(u"iCalUID", QStringLiteral("EVENT"));
    const std::optional<Date> start = lessons[1]->startTime();
    const QString huge(200000, QLatin1Char('x'));
    const QVariantMap hostile { { QStringLiteral("syncID"), QStringLiteral("FOREIGN") },
        { QStringLiteral("lastUpdated"), QDateTime::fromSecsSinceEpoch(0, Qt::UTC) },
        { QStringLiteral("startTime"), QDateTime::fromSecsSinceEpoch(0, Qt::UTC) },
        { QStringLiteral("lessonPosition"), qint64(99) }, { QStringLiteral("dayTaught"), QStringLiteral("x") },
        { QStringLiteral("course"), QStringLiteral("Art") }, { huge, huge },
        { QStringLiteral("lessonTitle"), qint64(7) }, { QStringLiteral("homework"), QStringLiteral("not data") },
        { QStringLiteral("lessonBody"), huge.toUtf8() }, { QStringLiteral("lessonBodyString"), QStringLiteral("lie") },
        { QStringLiteral("attachments"), QStringLiteral("none") },
        { QStringLiteral("assignments"), QVariantList { qint64(1), QVariantMap { { QStringLiteral("title"), huge },
                                                                { QStringLiteral("dueInNumber"), qint64(1) << 40 } } } },
        { QStringLiteral("unit"), QVariantList {} } };
    lessons[1]->importFromDictionary(hostile, Lesson::Notify::No);

    EXPECT_EQ(lessons[1]->value<QString>(u"syncID"), QStringLiteral("KEEP"));
    EXPECT_EQ(lessons[1]->startTime(), start);
    EXPECT_EQ(lessons[1]->dayTaught(), days[1]);
    EXPECT_EQ(lessons[1]->course(), math);
    EXPECT_EQ(lessons[1]->lessonTitle(), QString());
    EXPECT_FALSE(lessons[1]->hasDataForKey(QStringLiteral("homework")));
    // The shadow follows the rich text, never a claim beside it.
    EXPECT_EQ(lessons[1]->value<QString>(u"lessonBodyString"), RichText::plainText(huge.toUtf8()));
    EXPECT_TRUE(lessons[1]->objects(u"attachments").isEmpty());
    ASSERT_EQ(lessons[1]->assignments().size(), 1);
    EXPECT_EQ(lessons[1]->assignments()[0]->title().size(), huge.size());
    EXPECT_EQ(lessons[1]->assignments()[0]->dueLesson(), lessons.last());
    EXPECT_EQ(lessons[1]->unit(), nullptr);
}

// Dictionaries written before points travelled, or by programs that know
// nothing of them, still import, with no points.
TEST_F(LessonContentTest, AssignmentsCarryTheirPointsThroughTheDictionary)
{
    auto* quiz = insert<Assignment>("Assignment");
    quiz->setValue(u"title", QStringLiteral("Quiz"));
    quiz->setValue(u"points", 25);
    quiz->setObject(u"assignedLesson", lessons[0]);
    quiz->setObject(u"dueLesson", lessons[1]);
    const QVariantMap dictionary
        = LessonDictionary::fromText(LessonDictionary::toText(lessons[0]->dictionaryForExport())).value();
    artLessons[3]->importFromDictionary(dictionary, Lesson::Notify::No);
    ASSERT_EQ(artLessons[3]->assignments().size(), 1);
    EXPECT_EQ(artLessons[3]->assignments().first()->points(), 25);

    const QVariantList older { QVariantMap { { QStringLiteral("title"), QStringLiteral("Old") } },
        QVariantMap {
            { QStringLiteral("title"), QStringLiteral("Odd") }, { QStringLiteral("points"), QStringLiteral("ten") } } };
    artLessons[4]->importFromDictionary({ { QStringLiteral("assignments"), older } }, Lesson::Notify::No);
    ASSERT_EQ(artLessons[4]->assignments().size(), 2);
    for (const Assignment* assignment : artLessons[4]->assignments())
        EXPECT_EQ(assignment->points(), 0);
}

// A field emptied in the editor keeps the bytes of an empty rich text.
TEST_F(LessonContentTest, AnEmptiedFieldHoldsNoData)
{
    lessons[0]->setValue(u"homework", RichText::fromPlainText(QStringLiteral("Read")));
    EXPECT_TRUE(lessons[0]->hasDataForKey(QStringLiteral("homework")));
    lessons[0]->setValue(u"homework", RichText::fromPlainText(QString()));
    EXPECT_FALSE(lessons[0]->value<QByteArray>(u"homework").isEmpty());
    EXPECT_FALSE(lessons[0]->hasDataForKey(QStringLiteral("homework")));
    EXPECT_TRUE(lessons[0]->textViewString()->isEmpty());
}

TEST_F(LessonContentTest, AnchoredReadsStringsAsOtherProgramsWriteThem)
{
    lessons[0]->importFromDictionary({ { QStringLiteral("anchored"), QStringLiteral("1") } }, Lesson::Notify::No);
    EXPECT_TRUE(lessons[0]->isAnchored());
    lessons[0]->importFromDictionary({ { QStringLiteral("anchored"), QStringLiteral("0") } }, Lesson::Notify::No);
    EXPECT_FALSE(lessons[0]->isAnchored());
}

TEST_F(LessonContentTest, ShadowOnlyDictionaryGivesUnstyledRichText)
{
    lessons[0]->importFromDictionary(
        { { QStringLiteral("homeworkString"), QStringLiteral("Plain words") } }, Lesson::Notify::No);
    EXPECT_EQ(RichText::plainText(lessons[0]->value<QByteArray>(u"homework")), QStringLiteral("Plain words"));
}

TEST_F(LessonContentTest, TextThatIsNotADictionaryIsRefused)
{
    EXPECT_FALSE(LessonDictionary::fromText(QStringLiteral("(1, 2)")).has_value());
    EXPECT_FALSE(LessonDictionary::fromText(QStringLiteral("{ unclosed = ")).has_value());
    EXPECT_TRUE(LessonDictionary::fromText(QStringLiteral("{ lessonTitle = A; }")).has_value());
}

TEST_F(LessonContentTest, CourseDictionaryListsEachUnitOnceInLessonOrder)
{
    unitOf({ 2, 3 }, QStringLiteral("B"));
    unitOf({ 1 }, QStringLiteral("A"));
    const QVariantMap root = math->dictionaryWithLessons(math->allLessonsInOrder());
    EXPECT_EQ(root.value(QStringLiteral("units")).toStringList(), QStringList({ QStringLiteral("A"), QStringLiteral("B") }));
    EXPECT_EQ(root.value(QStringLiteral("lessons")).toList().size(), lessons.size());
    EXPECT_EQ(root.value(QStringLiteral("courseName")), QVariant(QStringLiteral("Math")));
}

// Units

TEST_F(LessonContentTest, UnitsAreListedAsPeopleNumberThem)
{
    for (const char* name : { "Unit 10", "unit 2", "Unit 1", "Algebra" })
        math->addUnitWithName(QLatin1String(name));
    QStringList names;
    for (const Unit* unit : math->unitsArray())
        names.append(unit->unitName());
    EXPECT_EQ(names,
        QStringList({ QStringLiteral("Algebra"), QStringLiteral("Unit 1"), QStringLiteral("unit 2"),
            QStringLiteral("Unit 10") }));
}

TEST_F(LessonContentTest, NameCountersSkipNamesInUseIgnoringCase)
{
    math->addUnitWithName(QStringLiteral("Fractions"));
    math->addUnitWithName(QStringLiteral("FRACTIONS 1"));
    EXPECT_EQ(math->firstFreeUnitName(QStringLiteral("fractions")), QStringLiteral("fractions 2"));
    const Unit* source = art->addUnitWithName(QStringLiteral("Fractions"));
    EXPECT_EQ(math->makeCopyOfUnit(source)->unitName(), QStringLiteral("Fractions 2"));
    EXPECT_EQ(math->firstFreeUnitName(QStringLiteral("New Unit")), QStringLiteral("New Unit"));
}

TEST_F(LessonContentTest, RenamingRefusesEmptyAndTakenNames)
{
    Unit* first = math->addUnitWithName(QStringLiteral("One"));
    math->addUnitWithName(QStringLiteral("Two"));
    EXPECT_FALSE(first->changeUnitNameTo(QString()));
    EXPECT_FALSE(first->changeUnitNameTo(QStringLiteral("two")));
    EXPECT_TRUE(first->changeUnitNameTo(QStringLiteral("ONE")));
    EXPECT_EQ(first->unitName(), QStringLiteral("ONE"));
    // Another course's units do not count.
    EXPECT_TRUE(art->addUnitWithName(QStringLiteral("x"))->changeUnitNameTo(QStringLiteral("Two")));
}

TEST_F(LessonContentTest, DeletingAUnitDeletesItAndKeepsItsLessonsContent)
{
    Unit* unit = unitOf({ 0, 1 }, QStringLiteral("Gone"));
    unitOf({ 4 }, QStringLiteral("Also"));
    math->deleteUnit(unit);
    EXPECT_EQ(math->unitWithName(QStringLiteral("Gone")), nullptr);
    EXPECT_EQ(year()->allUnits().size(), 1);
    EXPECT_EQ(lessons[0]->unit(), nullptr);
    EXPECT_EQ(lessons[0]->lessonTitle(), QStringLiteral("U0"));
    math->deleteAllUnits();
    EXPECT_TRUE(year()->allUnits().isEmpty());
    EXPECT_EQ(lessons[4]->lessonTitle(), QStringLiteral("U4"));
}
