#include "store/PropertyIndex.h"
#include "store/PropertyKey.h"
#include "store/SemestraEntityModel.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

// Every property of every entity of the document's model is found at its
// own position, whatever text the caller holds it in.
TEST(PropertyIndexTest, FindsEveryPropertyOfTheModelAtItsPosition)
{
    for (const EntityDescription* entity : SemestraEntityModel::shared().entities()) {
        for (int i = 0; i < entity->attributes().size(); ++i) {
            const QString copy = QString(entity->attributes()[i].name.data(), entity->attributes()[i].name.size());
            EXPECT_EQ(entity->attributeIndex(copy), i) << qPrintable(entity->name() + u'.' + copy);
        }
        for (int i = 0; i < entity->relationships().size(); ++i)
            EXPECT_EQ(entity->relationshipIndex(entity->relationships()[i].name), i);
    }
}

// Names that share their length and their first, middle and last letters
// land in the same place and are told apart by their text; names that are
// not there, empty or not, are not found however many names there are.
TEST(PropertyIndexTest, TellsApartNamesThatShareWhatTheyAreHashedBy)
{
    QStringList names;
    for (int i = 0; i < 40; ++i)
        names << QStringLiteral("a%1xbz").arg(QChar(u'A' + i)) << QStringLiteral("k%1").arg(i);
    PropertyIndex index;
    for (const QString& name : names)
        index.add(name);
    for (int i = 0; i < names.size(); ++i)
        EXPECT_EQ(index.find(names[i]), i) << qPrintable(names[i]);
    EXPECT_EQ(index.find(u"aAxbZ"), -1);
    EXPECT_EQ(index.find(u"a~xbz"), -1);
    EXPECT_EQ(index.find(u""), -1);
    EXPECT_EQ(PropertyIndex().find(u"anything"), -1);
}

} // namespace

namespace {

// A key remembers one entity at a time: asked about several entities in
// turn, for an attribute and for a relationship of the same name, it answers
// each entity's own position, or -1 where the entity lacks the property.
TEST(PropertyKeyTest, AnswersEachEntitysOwnPositionWhateverItWasLastAskedAbout)
{
    static const PropertyKey key(u"syncID");
    static const PropertyKey course(u"course");
    QList<const EntityDescription*> entities = SemestraEntityModel::shared().entities();
    entities += entities;
    for (const EntityDescription* entity : std::as_const(entities)) {
        for (int round = 0; round < 2; ++round) {
            EXPECT_EQ(key.attributeIndexIn(*entity), entity->attributeIndex(u"syncID")) << qPrintable(entity->name());
            EXPECT_EQ(course.relationshipIndexIn(*entity), entity->relationshipIndex(u"course"))
                << qPrintable(entity->name());
            EXPECT_EQ(course.attributeIndexIn(*entity), -1) << qPrintable(entity->name());
        }
    }
}

} // namespace
