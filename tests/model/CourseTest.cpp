#include "ModelFixture.h"
#include "foundation/color/ColorArchive.h"
#include "foundation/color/Colors.h"
#include "model/MyCourse.h"
#include "model/Unit.h"
#include "model/Year.h"

namespace {

class CourseTest : public ModelFixture {
protected:
    Course* course = insert<MyCourse>("MyCourse");
};

} // namespace

TEST_F(CourseTest, ColorComesFromArchiveThenComponentsThenDefault)
{
    EXPECT_EQ(course->color(), Colors::defaultCourseColor());

    Course* partial = insert<MyCourse>("MyCourse");
    partial->setValue(u"red", 255);
    partial->setValue(u"green", 0);
    EXPECT_EQ(partial->color(), Colors::defaultCourseColor());
    partial->setValue(u"blue", 51);
    EXPECT_EQ(partial->color(), QColor(255, 0, 51));

    partial->setValue(u"colorData", ColorArchive::archive(QColor(Qt::blue)));
    EXPECT_EQ(partial->color(), QColor(Qt::blue));
    EXPECT_EQ(partial->lightColor(), Colors::highlighted(QColor(Qt::blue), 0.1f));
    EXPECT_NEAR(partial->transparentColor().alphaF(), 0.5, 1e-3);
}

TEST_F(CourseTest, SettingTheColorArchivesItAndTellsTheViews)
{
    course->setColor(QColor(10, 20, 30));
    EXPECT_EQ(ColorArchive::unarchive(course->value<QByteArray>(u"colorData")), QColor(10, 20, 30));
    EXPECT_TRUE(posted.contains(QStringLiteral("SemestraCourseColorChanged")));

    course->setRGBColors();
    EXPECT_EQ(course->value<int>(u"red"), 10);
    EXPECT_EQ(course->value<int>(u"blue"), 30);
}

TEST_F(CourseTest, RenamingUpdatesTimeAndTellsEditors)
{
    course->setValue(u"courseName", QStringLiteral("Biology"));
    EXPECT_EQ(course->lastUpdated(), at(800000000));
    EXPECT_EQ(posted, QStringList { QStringLiteral("SemestraCourseNameChanged") });
    posted.clear();
    course->setValue(u"draw", 0);
    EXPECT_TRUE(posted.isEmpty());
}

TEST_F(CourseTest, UnitsAreListedByNameWithUnnamedOnesFirst)
{
    Unit* poetry = course->addUnitWithName(QStringLiteral("Poetry"));
    Unit* unnamed = insert<Unit>("Unit");
    unnamed->setObject(u"course", course);
    Unit* drama = course->addUnitWithName(QStringLiteral("Drama"));
    insert<MyCourse>("MyCourse")->addUnitWithName(QStringLiteral("Algebra"));
    EXPECT_EQ(course->unitsArray(), (QList<Unit*> { unnamed, drama, poetry }));

    drama->setValue(u"unitName", QStringLiteral("The Novel"));
    EXPECT_EQ(course->unitsArray(), (QList<Unit*> { unnamed, poetry, drama }));
}
