#include "ScheduleBuilder.h"
#include "foundation/richtext/RichText.h"
#include "model/AssignedFile.h"
#include "model/AssignedWebLink.h"
#include "model/Assignment.h"
#include "model/AttachedFile.h"
#include "model/AttachedWebLink.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/SemestraRecords.h"
#include "model/Standard.h"
#include "model/StandardInLesson.h"
#include "model/Unit.h"
#include "model/Year.h"
#include "store/ObjectContext.h"
#include "store/SemestraEntityModel.h"
#include "store/SqliteStore.h"
#include "testlib/FixedClock.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

// Bumping and pulling back move content by moving its records rather than
// copying them. Whatever a teacher or the online service can see must be
// what copying slot by slot gives: the same content in every slot, the same
// identifiers, and the same deletions queued for the service.
namespace {

// A year whose every slot is synced and most carry content of every kind:
// units with gaps, tags, standards, attachments, and work due near, far,
// past the course's end, in the slot itself and from before a bump.
struct PlannedYear {
    PlannedYear()
    {
        QList<Day*> days;
        for (int week = 0; week < 4; ++week) {
            for (int weekday = 1; weekday <= 5; ++weekday)
                days.append(b.day(week * 7 + weekday));
        }
        math = b.course(QStringLiteral("Math"));
        lessons = b.lessonsOn(math, days, 9);
        // Mondays meet twice: the afternoon slot follows the morning one.
        for (int week = 0; week < 4; ++week)
            lessons.append(b.lesson(math, days[week * 5], 13));
        lessons = math->allLessonsInOrder();
        art = b.course(QStringLiteral("Art"));
        const QList<Lesson*> artLessons = b.lessonsOn(art, days, 10);
        for (qsizetype i = 0; i < artLessons.size(); ++i)
            artLessons[i]->setValue(u"lessonTitle", QStringLiteral("Art %1").arg(i));
        standards = { newStandard(QStringLiteral("S.1")), newStandard(QStringLiteral("S.2")) };
        tag = context->insert<ManagedObject>(QStringLiteral("Tag"));
        tag->setValue(u"name", QStringLiteral("lab"));
        for (qsizetype i = 0; i < lessons.size(); ++i)
            fill(int(i));
        assign(lessons[11], artLessons[13], QStringLiteral("Across courses"));
        lessons[9]->setValue(u"anchored", true);
        lessons[16]->setValue(u"anchored", true);
        for (Course* course : { math, art }) {
            for (Lesson* lesson : course->lessons())
                lesson->setValue(u"syncID", nextID());
        }
        year()->setValue(u"teacherPhone", QVariant());
    }

    Year* year() const { return b.year(); }

    QString nextID() { return QString::number(++m_lastID); }

    Standard* newStandard(const QString& name)
    {
        auto* standard = context->insert<Standard>(QStringLiteral("Standard"));
        standard->setValue(u"shortName", name);
        return standard;
    }

    void fill(int i)
    {
        Lesson* lesson = lessons[i];
        if (i % 7 == 6)
            return;
        lesson->setValue(u"lessonTitle", QStringLiteral("Lesson %1").arg(i));
        lesson->setValue(u"lessonBody", RichText::fromPlainText(QStringLiteral("Body %1").arg(i)));
        lesson->setValue(u"iCalUID", QStringLiteral("cal-%1").arg(i));
        if (i % 5 != 4)
            lesson->setObject(u"unit", math->addUnitWithName(QStringLiteral("Unit %1").arg(i / 5)));
        if (i % 4 == 1)
            lesson->addObject(u"tags", tag);
        if (i % 3 == 0)
            link(lesson, standards[size_t(i % 2)], QStringLiteral("notes %1").arg(i));
        if (i % 4 == 2) {
            lesson->addFileWithPath(QStringLiteral("/home/t/sheet%1.pdf").arg(i))->setValue(u"syncID", nextID());
            lesson->addWebLinkWithURL(QStringLiteral("https://example.org/%1").arg(i))->setValue(u"syncID", nextID());
        }
        const int distance = QList<int> { 0, 1, 3, 30, -1 }.value(i % 5);
        if (i % 2 == 0)
            assign(lesson, lessons.value(i + distance, lessons.last()), QStringLiteral("Work %1").arg(i));
        if (i == 3)
            assign(lesson, nullptr, QStringLiteral("Open-ended"));
    }

    void link(Lesson* lesson, Standard* standard, const QString& notes)
    {
        StandardInLesson* link = lesson->addStandard(standard);
        link->setValue(u"implementationNotes", notes);
        link->setValue(u"syncID", nextID());
    }

    void assign(Lesson* given, Lesson* due, const QString& title)
    {
        auto* assignment = context->insert<Assignment>(QStringLiteral("Assignment"));
        assignment->setValue(u"title", title);
        assignment->setValue(u"syncID", nextID());
        assignment->setObject(u"assignedLesson", given);
        assignment->setObject(u"dueLesson", due);
        assignment->addFileWithPath(QStringLiteral("/home/t/rubric.pdf"))->setValue(u"syncID", nextID());
        assignment->addWebLinkWithURL(QStringLiteral("https://example.org/help"))->setValue(u"syncID", nextID());
    }

    // The bump as copies make it: each slot in turn takes a copy of the
    // content before it.
    void bumpByCopying(Lesson* lesson)
    {
        const Year::BumpChain bump = year()->bumpChain(lesson);
        const QList<Lesson*>& chain = bump.movable;
        if (chain.size() < 2)
            return;
        chain.last()->wipe();
        for (qsizetype i = chain.size() - 1; i >= 1; --i) {
            chain[i]->replaceAllDataWithLesson(chain[i - 1]);
            chain[i]->updateLastUpdatedForAllSubordinates();
        }
        chain.first()->wipe();
        chain.first()->clearAssignments();
        chain.first()->setStartAndEndTime();
        chain.first()->updateLastUpdatedForAllSubordinates();
    }

    void pullBackByCopying(Lesson* lesson)
    {
        const QList<Lesson*> chain = year()->bumpChain(lesson).movable;
        if (chain.isEmpty())
            return;
        for (qsizetype i = 0; i + 1 < chain.size(); ++i) {
            chain[i]->replaceAllDataWithLesson(chain[i + 1]);
            chain[i]->updateLastUpdatedForAllSubordinates();
        }
        chain.last()->wipe();
        chain.last()->removeGivenAssignments();
        chain.last()->setStartAndEndTime();
        chain.last()->updateLastUpdatedForAllSubordinates();
    }

    std::unique_ptr<ObjectContext> context = SemestraRecords::newContext();
    ScheduleBuilder b { *context, 2026, 3, 1, 4 };
    Course* math = nullptr;
    Course* art = nullptr;
    QList<Lesson*> lessons;
    std::vector<Standard*> standards;
    ManagedObject* tag = nullptr;

private:
    int m_lastID = 0;
};

// Every attribute but the time of the last change, which differs between
// any two runs.
QString attributesOf(const ManagedObject* record)
{
    QStringList parts { record->entity().name() };
    const QList<AttributeDescription>& attributes = record->entity().attributes();
    for (int slot = 0; slot < attributes.size(); ++slot) {
        if (attributes[slot].name == QStringLiteral("lastUpdated"))
            continue;
        const QVariant& value = record->valueAtSlot(slot);
        const QString text = value.typeId() == QMetaType::QByteArray ? QString::fromLatin1(value.toByteArray().toHex())
                                                                      : value.toString();
        parts.append(QStringLiteral("%1=%2").arg(attributes[slot].name, value.isValid() ? text : QStringLiteral("-")));
    }
    return parts.join(u' ');
}

QString placeOf(const Lesson* lesson)
{
    if (!lesson)
        return QStringLiteral("none");
    return QStringLiteral("%1#%2").arg(lesson->courseName()).arg(lesson->course()->allLessonsInOrder().indexOf(lesson));
}

QStringList assignmentLines(const Assignment* assignment)
{
    QStringList lines { attributesOf(assignment) + QStringLiteral(" due ") + placeOf(assignment->dueLesson()) };
    for (const Attachment* attachment : assignment->attachments())
        lines.append(QStringLiteral("attached to it: ") + attributesOf(attachment));
    return lines;
}

// What the plan shows and the service holds, slot by slot; each line starts
// with its slot's place in its course.
QStringList contentOf(const Year& year)
{
    QStringList lines;
    for (const Course* course : year.courses()) {
        for (const Lesson* lesson : course->allLessonsInOrder()) {
            QStringList slot { attributesOf(lesson) };
            slot.append(QStringLiteral("unit ") + (lesson->unit() ? lesson->unit()->unitName() : QString()));
            for (const ManagedObject* tag : lesson->objects(u"tags"))
                slot.append(QStringLiteral("tag ") + tag->value<QString>(u"name"));
            for (const StandardInLesson* link : lesson->objects<StandardInLesson>(u"standards"))
                slot.append(link->standard()->shortName() + u' ' + attributesOf(link));
            for (const Attachment* attachment : lesson->attachments())
                slot.append(attributesOf(attachment));
            for (const Assignment* assignment : lesson->assignments())
                slot.append(assignmentLines(assignment));
            QStringList due;
            for (const Assignment* assignment : lesson->homeworkDue())
                due.append(assignment->title());
            due.sort();
            slot.append(QStringLiteral("due here: ") + due.join(u", "));
            for (const QString& line : slot)
                lines.append(placeOf(lesson) + u' ' + line);
        }
    }
    return lines;
}

QStringList queuedDeletions(const Year& year)
{
    QStringList entries = year.deleteStack().split(u',', Qt::SkipEmptyParts);
    entries.sort();
    return entries;
}

void expectSamePlan(const PlannedYear& moved, const PlannedYear& copied)
{
    const QStringList movedLines = contentOf(*moved.year());
    const QStringList copiedLines = contentOf(*copied.year());
    ASSERT_EQ(movedLines.size(), copiedLines.size());
    for (qsizetype i = 0; i < movedLines.size(); ++i)
        EXPECT_EQ(movedLines[i], copiedLines[i]);
    EXPECT_EQ(queuedDeletions(*moved.year()), queuedDeletions(*copied.year()));
}

class ContentShiftTest : public testing::Test {
protected:
    FixedClock clock { Date::fromSecondsSinceReferenceDate(800000000) };
};

} // namespace

// From the first slot, the middle, a slot just before or on an anchored
// one, a Monday's afternoon slot, and the last two slots.
TEST_F(ContentShiftTest, BumpingGivesWhatCopyingSlotBySlotGives)
{
    for (const int from : { 0, 5, 8, 9, 10, 15, 22, 23 }) {
        SCOPED_TRACE(from);
        PlannedYear moved;
        PlannedYear copied;
        ASSERT_FALSE(moved.year()->deleteStack().contains(u':'));
        moved.year()->bumpLesson(moved.lessons[from]);
        copied.bumpByCopying(copied.lessons[from]);
        expectSamePlan(moved, copied);
    }
}

TEST_F(ContentShiftTest, PullingBackGivesWhatCopyingSlotBySlotGives)
{
    for (const int from : { 0, 5, 8, 9, 15, 22, 23 }) {
        SCOPED_TRACE(from);
        PlannedYear moved;
        PlannedYear copied;
        moved.year()->pullLessonsBack(moved.lessons[from]);
        copied.pullBackByCopying(copied.lessons[from]);
        expectSamePlan(moved, copied);
    }
}

// A whole day bumps every course; work of one course due in another's
// slots and repeated bumps must not tell the two ways apart either.
TEST_F(ContentShiftTest, BumpingWholeDaysAgainAndAgainGivesWhatCopyingGives)
{
    PlannedYear moved;
    PlannedYear copied;
    for (const int dayOffset : { 1, 1, 9, 2 }) {
        Day* day = moved.b.day(dayOffset);
        moved.year()->bumpAllLessonsOnDay(day);
        for (Lesson* lesson : copied.b.day(dayOffset)->lessonsInOrder())
            copied.bumpByCopying(lesson);
    }
    expectSamePlan(moved, copied);
}

// Moved records change their lesson and forget their identifiers without
// being created anew: a save must still write all of it.
TEST_F(ContentShiftTest, WhatABumpMovedIsWhatTheSavedFileHolds)
{
    PlannedYear moved;
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("year.semestra"));
    ASSERT_TRUE(SqliteStore::save(*moved.context, file).ok());
    moved.year()->bumpAllLessonsOnDay(moved.b.day(1));
    moved.year()->pullLessonsBack(moved.lessons[10]);
    ASSERT_TRUE(SqliteStore::save(*moved.context, file).ok());

    auto reopened = SqliteStore::open(file, SemestraEntityModel::shared(), SemestraRecords::factory());
    ASSERT_TRUE(reopened.ok()) << reopened.error().toStdString();
    const Year* year = reopened.value()->fetch<Year>({ QStringLiteral("Year"), {}, {} }).first();
    QStringList saved = contentOf(*year);
    QStringList held = contentOf(*moved.year());
    saved.sort();
    held.sort();
    EXPECT_EQ(saved, held);
    EXPECT_EQ(queuedDeletions(*year), queuedDeletions(*moved.year()));
}
