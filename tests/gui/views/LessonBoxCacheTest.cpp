#include "gui/views/LessonBoxCache.h"

#include "DayColumnsFixture.h"

#include <QTextDocument>

class LessonBoxCacheTest : public DayColumnsFixture {
protected:
    LessonBoxCache::Style style(LessonBoxText::Options options = {}) const
    {
        return { options, QApplication::font(), LessonBoxText::fieldLabels(*m_year) };
    }
};

TEST_F(LessonBoxCacheTest, TextsComposedAnotherWayAreDropped)
{
    LessonBoxCache texts;
    texts.setStyle(style());
    const std::shared_ptr<QTextDocument> plain = texts.text(*mondayMath, 200);
    texts.setStyle(style());
    EXPECT_EQ(texts.text(*mondayMath, 200), plain);

    texts.setStyle(style({ true, {} }));
    const std::shared_ptr<QTextDocument> withAssignments = texts.text(*mondayMath, 200);
    EXPECT_NE(withAssignments, plain);
    texts.setStyle(style({ true, 14.0 }));
    EXPECT_NE(texts.text(*mondayMath, 200), withAssignments);

    // Labels show once two fields have text: renaming one is a new style.
    setField(mondayMath, u"lessonBody", QStringLiteral("Halves"));
    setField(mondayMath, u"homework", QStringLiteral("Page 12"));
    texts.forget(mondayMath);
    const std::shared_ptr<QTextDocument> labelled = texts.text(*mondayMath, 200);
    m_year->setValue(u"homeworkTitle", QStringLiteral("Practice"));
    texts.setStyle(style({ true, 14.0 }));
    EXPECT_TRUE(texts.text(*mondayMath, 200)->toPlainText().contains(QStringLiteral("Practice: Page 12")));
    EXPECT_FALSE(labelled->toPlainText().contains(QStringLiteral("Practice")));
}

TEST_F(LessonBoxCacheTest, DropsTheLeastRecentlyUsedBeyondItsCapacity)
{
    LessonBoxCache texts(2);
    texts.setStyle(style());
    texts.text(*mondayMath, 200);
    texts.text(*mondayHistory, 200);
    texts.wrapped(*mondayMath, 200);
    texts.text(*fridayMath, 200);
    EXPECT_EQ(texts.size(), 2);
    EXPECT_EQ(texts.wrapped(*mondayHistory, 200), nullptr);
    EXPECT_NE(texts.wrapped(*mondayMath, 200), nullptr) << "asked for last but one";
    EXPECT_NE(texts.wrapped(*fridayMath, 200), nullptr);
}

// A bump hands each lesson's content to the next lesson of its course.
TEST_F(LessonBoxCacheTest, ALessonTakingOverAnothersContentTakesOverItsText)
{
    LessonBoxCache texts;
    texts.setStyle(style({ true, {} }));
    setField(mondayMath, u"homework", QStringLiteral("Page 12"));
    fridayMath->setValue(u"lessonTitle", QStringLiteral("Decimals"));
    const std::shared_ptr<QTextDocument> monday = texts.text(*mondayMath, 200);
    const std::shared_ptr<QTextDocument> friday = texts.text(*fridayMath, 200);

    fridayMath->setValue(u"lessonTitle", QStringLiteral("Fractions"));
    setField(fridayMath, u"homework", QStringLiteral("Page 12"));
    mondayMath->setValue(u"lessonTitle", QStringLiteral("Review"));
    texts.forget(mondayMath);
    texts.forget(fridayMath);
    EXPECT_EQ(texts.text(*fridayMath, 200), monday);
    const std::shared_ptr<QTextDocument> review = texts.text(*mondayMath, 200);
    EXPECT_NE(review, friday) << "Friday's old text is not Monday's new one";
    EXPECT_TRUE(review->toPlainText().startsWith(QStringLiteral("Review")));

    // One character apart is another text.
    setField(fridayMath, u"homework", QStringLiteral("Page 13"));
    texts.forget(fridayMath);
    setField(mondayMath, u"homework", QStringLiteral("Page 12"));
    mondayMath->setValue(u"lessonTitle", QStringLiteral("Fractions"));
    texts.forget(mondayMath);
    const std::shared_ptr<QTextDocument> page13 = texts.text(*fridayMath, 200);
    EXPECT_NE(page13, monday);
    EXPECT_TRUE(page13->toPlainText().contains(QStringLiteral("Page 13")));

    // Texts composed another way are never taken over.
    texts.setStyle(style());
    EXPECT_NE(texts.text(*mondayMath, 200), monday);
}

// Bumps in a row forget more texts than the cache keeps: the oldest make
// room, never the ones forgotten by the change before.
TEST_F(LessonBoxCacheTest, TextsForgottenLastOutliveOlderOnesBeyondTheCapacity)
{
    LessonBoxCache texts(2);
    texts.setStyle(style());
    const auto give = [](Lesson* lesson, const QString& title) { lesson->setValue(u"lessonTitle", title); };
    give(mondayMath, QStringLiteral("Fractions"));
    give(fridayMath, QStringLiteral("Decimals"));
    texts.text(*mondayMath, 200);
    texts.text(*fridayMath, 200);
    texts.forget(mondayMath);
    texts.forget(fridayMath);

    give(fridayMath, QStringLiteral("Fractions"));
    give(mondayMath, QStringLiteral("Percentages"));
    texts.text(*fridayMath, 200);
    const std::shared_ptr<QTextDocument> percentages = texts.text(*mondayMath, 200);
    texts.forget(mondayMath);
    texts.forget(fridayMath);

    give(mondayMath, QStringLiteral("Percentages"));
    EXPECT_EQ(texts.text(*mondayMath, 200), percentages);
}
