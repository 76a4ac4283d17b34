#include "store/SemestraEntityModel.h"

#include <gtest/gtest.h>

namespace {

const EntityModel& model()
{
    return SemestraEntityModel::shared();
}

QString column(const char* entity, const char* property)
{
    const EntityDescription* e = model().entity(QString::fromLatin1(entity));
    if (const AttributeDescription* a = e->attribute(QString::fromLatin1(property)))
        return a->columnName;
    return e->relationship(QString::fromLatin1(property))->columnName;
}

} // namespace

TEST(EntityModelTest, SubEntitiesShareTheirRootTable)
{
    EXPECT_EQ(model().version(), 21);
    EXPECT_EQ(model().entity(u"MyCourse")->tableName(), QStringLiteral("ZCOURSE"));
    EXPECT_TRUE(model().entity(u"MyCourse")->isKindOf(*model().entity(u"Course")));
    for (const char* kind : { "AttachedFile", "AttachedWebLink", "AssignedFile", "AssignedWebLink" })
        EXPECT_EQ(model().entity(QString::fromLatin1(kind))->tableName(), QStringLiteral("ZATTACHMENT")) << kind;
    EXPECT_TRUE(model().entity(u"Attachment")->isAbstract());
    EXPECT_EQ(model().rootEntities().size(), 13);
}

TEST(EntityModelTest, SiblingAttributesOfTheSameNameGetNumberedColumns)
{
    EXPECT_EQ(column("AttachedWebLink", "URL"), QStringLiteral("ZURL"));
    EXPECT_EQ(column("AssignedWebLink", "URL"), QStringLiteral("ZURL1"));
    EXPECT_EQ(column("AttachedFile", "filePath"), QStringLiteral("ZFILEPATH"));
    EXPECT_EQ(column("AssignedFile", "filePath"), QStringLiteral("ZFILEPATH1"));
    EXPECT_EQ(column("AssignedFile", "windowsFilePath"), QStringLiteral("ZWINDOWSFILEPATH1"));
    // Inherited attributes keep the parent's column.
    EXPECT_EQ(column("AssignedFile", "sandboxURL"), QStringLiteral("ZSANDBOXURL"));
    EXPECT_EQ(column("AssignedWebLink", "name"), QStringLiteral("ZNAME"));
}

TEST(EntityModelTest, SiblingLinksToTheSameEntityShareOneKeyColumn)
{
    EXPECT_EQ(column("AttachedFile", "lesson"), QStringLiteral("ZLESSON"));
    EXPECT_EQ(column("AttachedWebLink", "lesson"), QStringLiteral("ZLESSON"));
    EXPECT_EQ(column("AssignedFile", "assignment"), QStringLiteral("ZASSIGNMENT"));
    EXPECT_EQ(column("AssignedWebLink", "assignment"), QStringLiteral("ZASSIGNMENT"));
    EXPECT_EQ(column("Lesson", "dayTaught"), QStringLiteral("ZDAYTAUGHT"));
    EXPECT_EQ(column("Course", "red"), QStringLiteral("ZRED"));
}

TEST(EntityModelTest, ManyToManySidesAgreeOnTheirJoinTable)
{
    const RelationshipDescription* tags = model().entity(u"Lesson")->relationship(u"tags");
    const RelationshipDescription* lessons = model().entity(u"Tag")->relationship(u"lessons");
    ASSERT_TRUE(tags->isManyToMany());
    ASSERT_TRUE(lessons->isManyToMany());
    EXPECT_EQ(tags->joinTable, lessons->joinTable);
    EXPECT_EQ(tags->joinOwnColumn, lessons->joinOtherColumn);
    EXPECT_EQ(tags->joinOtherColumn, lessons->joinOwnColumn);
    EXPECT_NE(tags->ownsJoinTable, lessons->ownsJoinTable);
    EXPECT_FALSE(model().entity(u"Day")->relationship(u"lessons")->isManyToMany());
}
