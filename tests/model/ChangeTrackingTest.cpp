#include "ModelFixture.h"
#include "model/AssignedWebLink.h"
#include "model/Assignment.h"
#include "model/AttachedFile.h"
#include "model/AttachedWebLink.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/Standard.h"
#include "model/StandardInLesson.h"

namespace {

class ChangeTrackingTest : public ModelFixture {
protected:
    // Whether changing `key` of `record` to `value` stamps it with the current time.
    bool stamps(SyncedRecord* record, const char* key, const QVariant& value)
    {
        record->setValue(u"lastUpdated", QVariant());
        record->setValue(QString::fromLatin1(key), value);
        return record->lastUpdated() == at(800000000);
    }
};

} // namespace

TEST_F(ChangeTrackingTest, DayNotesAndHolidayNamesStampTheDay)
{
    auto* day = insert<Day>("Day");
    EXPECT_TRUE(stamps(day, "notes", QStringLiteral("Fire drill")));
    EXPECT_TRUE(stamps(day, "holidayName", QStringLiteral("Holiday")));
    EXPECT_TRUE(stamps(day, "holidayType", 1));
    EXPECT_FALSE(stamps(day, "isHoliday", true));
}

TEST_F(ChangeTrackingTest, AssignmentsStampOnTitleLessonsAndDetails)
{
    auto* assignment = insert<Assignment>("Assignment");
    EXPECT_TRUE(stamps(assignment, "title", QStringLiteral("Essay")));
    EXPECT_TRUE(stamps(assignment, "detailsString", QStringLiteral("500 words")));
    EXPECT_FALSE(stamps(assignment, "points", 10));
    assignment->setValue(u"lastUpdated", QVariant());
    assignment->setObject(u"dueLesson", insert<Lesson>("Lesson"));
    EXPECT_EQ(assignment->lastUpdated(), at(800000000));
    // Linking from the lesson's side is the same change.
    auto* other = insert<Assignment>("Assignment");
    insert<Lesson>("Lesson")->addObject(u"assignments", other);
    EXPECT_EQ(other->lastUpdated(), at(800000000));
}

TEST_F(ChangeTrackingTest, AttachmentsStampOnTheirOwnKeys)
{
    auto* file = insert<AttachedFile>("AttachedFile");
    auto* link = insert<AttachedWebLink>("AttachedWebLink");
    auto* assignedLink = insert<AssignedWebLink>("AssignedWebLink");
    EXPECT_TRUE(stamps(file, "name", QStringLiteral("Worksheet")));
    EXPECT_TRUE(stamps(file, "filePath", QStringLiteral("/tmp/w.pdf")));
    EXPECT_FALSE(stamps(file, "windowsFilePath", QStringLiteral("C:\\w.pdf")));
    EXPECT_TRUE(stamps(link, "publish", true));
    // Only links of assignments count a new address as a change.
    EXPECT_FALSE(stamps(link, "URL", QStringLiteral("https://example.org")));
    EXPECT_TRUE(stamps(assignedLink, "URL", QStringLiteral("https://example.org")));
}

TEST_F(ChangeTrackingTest, StandardsStampOnTheirTexts)
{
    auto* standard = insert<Standard>("Standard");
    auto* link = insert<StandardInLesson>("StandardInLesson");
    EXPECT_TRUE(stamps(standard, "shortName", QStringLiteral("RL.1")));
    EXPECT_TRUE(stamps(standard, "text", QStringLiteral("Cite evidence")));
    EXPECT_FALSE(stamps(standard, "isRootItem", true));
    EXPECT_TRUE(stamps(link, "implementationNotes", QStringLiteral("Group work")));
}
