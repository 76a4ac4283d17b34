#include "gui/views/LessonBoxText.h"

#include "DayColumnsFixture.h"
#include "model/Assignment.h"

#include <QTextBlock>
#include <QTextDocument>

namespace {

// Each paragraph's text, with the parts in bold in brackets.
QStringList paragraphs(const QTextDocument& document)
{
    QStringList result;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QString text;
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const bool bold = fragment.fragment().charFormat().fontWeight() >= QFont::Bold;
            text += bold ? QStringLiteral("[%1]").arg(fragment.fragment().text()) : fragment.fragment().text();
        }
        result << text;
    }
    return result;
}

} // namespace

class LessonBoxTextTest : public DayColumnsFixture {
protected:
    QStringList text(const Lesson* lesson, LessonBoxText::Options options = {}) const
    {
        return paragraphs(*LessonBoxText::build(*lesson, options, QApplication::font()));
    }
};

TEST_F(LessonBoxTextTest, OneFieldWithTextNeedsNoLabel)
{
    EXPECT_EQ(text(mondayMath), QStringList { "[Fractions]" });
    setField(mondayMath, u"homework", QStringLiteral("Page 12"));
    // Text in a field the year does not show, and white space only.
    setField(mondayMath, u"custom1", QStringLiteral("Rulers"));
    setField(mondayMath, u"lessonBody", QStringLiteral("  \n "));
    EXPECT_EQ(text(mondayMath), QStringList({ "[Fractions]", "Page 12" }));
}

TEST_F(LessonBoxTextTest, SeveralFieldsComeLabelledInTheYearsFieldOrder)
{
    setField(mondayMath, u"homework", QStringLiteral("Page 12"));
    mondayMath->setValue(u"lessonBody",
        QByteArray("{\\rtf1\\ansi{\\fonttbl\\f0 Helvetica;}\\f0 {\\b Warm-up:} halves\\par Practice\\par}"));
    m_year->setValue(u"showCustom1", true);
    setField(mondayMath, u"custom1", QStringLiteral("Rulers"));
    EXPECT_EQ(
        LessonBoxText::fieldsWithData(*mondayMath, *m_year), QStringList({ "lessonBody", "homework", "custom1" }));
    EXPECT_EQ(text(mondayMath),
        QStringList(
            { "[Fractions]", "[Plan: ][Warm-up:] halves", "Practice", "[Homework: ]Page 12", "[Materials: ]Rulers" }));

    // A field without a label of its own still gets its text shown.
    m_year->setValue(u"custom1Title", QString());
    EXPECT_EQ(text(mondayMath).last(), QStringLiteral("Rulers"));
    mondayMath->setValue(u"lessonTitle", QString());
    EXPECT_EQ(text(mondayMath).first(), QStringLiteral("[Plan: ][Warm-up:] halves"));
}

TEST_F(LessonBoxTextTest, FixedSizeOverridesTheSizesTyped)
{
    mondayMath->setValue(u"lessonBody", QByteArray("{\\rtf1\\ansi\\fs48 Big {\\fs16 small}\\par}"));
    const auto sizes = [](const QTextDocument& document) {
        QList<double> result;
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
            for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment)
                result << fragment.fragment().charFormat().font().pointSizeF();
        }
        return result;
    };
    const auto own = LessonBoxText::build(*mondayMath, {}, QApplication::font());
    EXPECT_TRUE(sizes(*own).contains(24.0) && sizes(*own).contains(8.0));
    const auto fixed = LessonBoxText::build(*mondayMath, { false, 10.5 }, QApplication::font());
    for (double size : sizes(*fixed))
        EXPECT_EQ(size, 10.5);

    preferences.preferences().setValue(QStringLiteral("useFixedFontSize"), true);
    preferences.preferences().setValue(QStringLiteral("fixedFontSize"), 15);
    EXPECT_EQ(DayColumnsLayout::Options::fromPreferences().text.fixedPointSize, 15.0);
    preferences.preferences().setValue(QStringLiteral("useFixedFontSize"), false);
    EXPECT_FALSE(DayColumnsLayout::Options::fromPreferences().text.fixedPointSize);
}

TEST_F(LessonBoxTextTest, AssignmentsDueAndGivenAreListedOnRequest)
{
    const auto assignment = [this](const char* title, Lesson* given, Lesson* due) {
        auto* created = insert<Assignment>("Assignment");
        created->setValue(u"title", QString::fromUtf8(title));
        created->setObject(u"assignedLesson", given);
        created->setObject(u"dueLesson", due);
    };
    assignment("Worksheet 2", mondayMath, fridayMath);
    assignment("Worksheet 1", fridayMath, mondayMath);
    assignment("Quiz", mondayMath, fridayMath);
    EXPECT_EQ(text(mondayMath), QStringList { "[Fractions]" });
    EXPECT_EQ(text(mondayMath, { true, {} }),
        QStringList({ "[Fractions]", "[Due: ]Worksheet 1", "[Assigned: ]Quiz, Worksheet 2" }));
    EXPECT_EQ(text(fridayMath, { true, {} }),
        QStringList({ "[Decimals]", "[Due: ]Quiz, Worksheet 2", "[Assigned: ]Worksheet 1" }));
}
