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
