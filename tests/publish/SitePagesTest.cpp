#include "SiteFixture.h"
#include "model/Assignment.h"
#include "model/Standard.h"
#include "model/StandardInLesson.h"

#include <QRegularExpression>

namespace {

// Every href and src value of a page.
QStringList addresses(const QString& page)
{
    QStringList found;
    static const QRegularExpression attribute(QStringLiteral("(?:href|src)\\s*=\\s*\"([^\"]*)\""));
    for (auto match = attribute.globalMatch(page); match.hasNext();)
        found.append(match.next().captured(1));
    return found;
}

int count(const QString& text, const QString& part)
{
    return int(text.count(part));
}

} // namespace

class SitePagesTest : public SiteFixture { };

TEST_F(SitePagesTest, WritesTheLayoutOfTheSite)
{
    fill(lessons[0], QStringLiteral("Fractions"));
    const QStringList written = publish();
    ASSERT_TRUE(outcome.published());
    for (const char* path : { "index.html", "Math/index.html", "Math/March26.html", "Math/Mar22026/index.html",
             "Math/Math.ics", "Art/index.html", "Art/March26.html", "Art/Art.ics", "themes/Default/theme.css",
             "themes/Default/toplevel.css", "themes/Default/Courses/calendarstyle.css",
             "themes/Default/Courses/singleday.css" }) {
        EXPECT_TRUE(exists(QString::fromLatin1(path))) << path;
        EXPECT_TRUE(written.contains(QString::fromLatin1(path))) << path;
    }
    // Only days whose lessons have data get a page.
    EXPECT_FALSE(exists(QStringLiteral("Math/Mar32026")));
    EXPECT_FALSE(exists(QStringLiteral("Art/Mar22026")));
}

TEST_F(SitePagesTest, UserTextIsEscapedEverywhere)
{
    const QString script = QStringLiteral("<script>alert(1)</script>");
    fill(lessons[0], script);
    lessons[0]->setValue(u"lessonBodyString", script);
    art->setValue(u"courseName", QStringLiteral("Art <b>"));
    info->setValue(u"mainIndexTitle", script);
    info->setValue(u"mainIndexIntro", script);
    info->setValue(u"monthIndexHeader", script);
    info->setValue(u"monthIndexFooter", script);
    days[4]->setValue(u"isHoliday", true);
    days[4]->setValue(u"holidayName", script);
    year()->setValue(u"lessonBodyTitle", script);
    attachFile(lessons[0], script, QStringLiteral("/nowhere/a.pdf"));
    attachLink(lessons[0], script, QStringLiteral("javascript:alert(1)"));
    auto* work = insert<Assignment>("Assignment");
    work->setValue(u"title", script);
    work->setValue(u"detailsString", script);
    work->setObject(u"assignedLesson", lessons[0]);
    work->setObject(u"dueLesson", lessons[1]);
    auto* standard = insert<Standard>("Standard");
    standard->setValue(u"shortName", script);
    standard->setValue(u"text", script);
    auto* link = insert<StandardInLesson>("StandardInLesson");
    link->setObject(u"standard", standard);
    link->setObject(u"lesson", lessons[0]);
    artLessons[0]->setValue(u"lessonTitle", script);
    publish();
    ASSERT_TRUE(outcome.published());
    for (const char* path : { "index.html", "Math/March26.html", "Math/Mar22026/index.html", "Art__b_/March26.html",
             "Art__b_/index.html" }) {
        const QString html = page(QString::fromLatin1(path));
        ASSERT_FALSE(html.isEmpty()) << path;
        EXPECT_FALSE(html.contains(QStringLiteral("<script>alert"))) << path;
        EXPECT_FALSE(html.contains(QStringLiteral("<b>\""))) << path;
        EXPECT_FALSE(html.contains(QStringLiteral("Art <b>"))) << path;
        for (const QString& address : addresses(html))
            EXPECT_FALSE(address.contains(QStringLiteral("javascript"), Qt::CaseInsensitive)) << path;
    }
    const QString day = page(QStringLiteral("Math/Mar22026/index.html"));
    EXPECT_GE(count(day, QStringLiteral("&lt;script&gt;alert(1)&lt;/script&gt;")), 7);
    EXPECT_TRUE(day.contains(QStringLiteral("javascript:alert(1)"))) << "shown as text";
}

TEST_F(SitePagesTest, PagesAreUtf8AndKeepEveryScript)
{
    const QString title = QStringLiteral("Ελληνικά – Русский – 中文 \U0001F600");
    fill(lessons[0], title);
    math->setValue(u"courseName", QStringLiteral("Mathématiques"));
    publish();
    ASSERT_TRUE(outcome.published());
    const QString folder = QStringLiteral("Mathématiques");
    for (const QString& path :
        { folder + QStringLiteral("/Mar22026/index.html"), folder + QStringLiteral("/March26.html") }) {
        const QString html = page(path);
        EXPECT_TRUE(html.contains(QStringLiteral("<meta charset=\"utf-8\">"))) << path.toStdString();
        EXPECT_TRUE(html.contains(QStringLiteral("name=\"viewport\""))) << path.toStdString();
        EXPECT_TRUE(html.contains(title)) << path.toStdString();
        EXPECT_TRUE(html.contains(QStringLiteral("Math&eacute;matiques"))) << path.toStdString();
    }
    EXPECT_TRUE(page(QStringLiteral("index.html")).contains(QStringLiteral("href=\"Math%C3%A9matiques/index.html\"")));
}

TEST_F(SitePagesTest, OnlyPublishedCoursesAreListedAndWritten)
{
    fill(artLessons[0], QStringLiteral("Drawing"));
    art->setValue(u"publish", 0);
    publish();
    const QString top = page(QStringLiteral("index.html"));
    EXPECT_TRUE(top.contains(QStringLiteral("href=\"Math/index.html\"")));
    EXPECT_FALSE(top.contains(QStringLiteral("Art")));
    EXPECT_FALSE(exists(QStringLiteral("Art")));
}

TEST_F(SitePagesTest, AMonthStartingOnSundayHasNoLeadingCells)
{
    publish();
    const QString page = this->page(QStringLiteral("Math/March26.html"));
    const qsizetype table = page.indexOf(QStringLiteral("<table class=\"calendar\">"));
    const QString month = page.mid(table, page.indexOf(QStringLiteral("</table>"), table) - table);
    const qsizetype firstRow = month.indexOf(QStringLiteral("<tbody>"));
    const qsizetype firstCell = month.indexOf(QStringLiteral("<td"), firstRow);
    EXPECT_EQ(month.mid(firstCell, 24), QStringLiteral("<td class=\"noLesson\">1</"));
    // 31 days from a Sunday: five rows, the last closed after Tuesday 31
    // with four empty cells.
    EXPECT_EQ(count(month, QStringLiteral("<tr>")), 6);
    EXPECT_EQ(count(month, QStringLiteral("</tr>")), 6);
    EXPECT_EQ(count(month, QStringLiteral("class=\"empty\"")), 4);
}

TEST_F(SitePagesTest, CalendarCellsLinkTitlesAndNameNonSchoolDays)
{
    fill(lessons[0], QStringLiteral("Intro"));
    Lesson* second = b.lesson(math, days[0], 14);
    second->setValue(u"homeworkString", QStringLiteral("read"));
    days[2]->setValue(u"isCancelled", true);
    days[3]->setValue(u"isHoliday", true);
    days[3]->setValue(u"holidayName", QStringLiteral("Thanksgiving"));
    publish();
    const QString month = page(QStringLiteral("Math/March26.html"));
    EXPECT_TRUE(month.contains(QStringLiteral("<a href=\"Mar22026/index.html\">2 - Intro; No Title</a>")));
    EXPECT_TRUE(month.contains(QStringLiteral("4 - Cancelled</td>")));
    EXPECT_TRUE(month.contains(QStringLiteral("5 - Thanksgiving</td>")));
    const QString day = page(QStringLiteral("Math/Mar22026/index.html"));
    EXPECT_TRUE(day.contains(QStringLiteral("Intro homework")));
    EXPECT_TRUE(day.contains(QStringLiteral("read<br>")));
}

TEST_F(SitePagesTest, AccentsAndBulletsBecomeEntities)
{
    fill(lessons[0], QStringLiteral("Caf\u00e9"));
    lessons[0]->setValue(u"lessonBodyString", QStringLiteral("\u2022 one"));
    publish();
    EXPECT_TRUE(page(QStringLiteral("Math/March26.html")).contains(QStringLiteral("Caf&eacute;")));
    const QString day = page(QStringLiteral("Math/Mar22026/index.html"));
    EXPECT_TRUE(day.contains(QStringLiteral("Caf&eacute;")));
    EXPECT_TRUE(day.contains(QStringLiteral("&#8226; one")));
}

TEST_F(SitePagesTest, DayPagesLinkTheirNeighboursAndTheirMonth)
{
    for (int place : { 0, 3, 7 })
        fill(lessons[place], QStringLiteral("L%1").arg(place));
    publish();
    const QString middle = page(QStringLiteral("Math/Mar52026/index.html"));
    EXPECT_TRUE(middle.contains(QStringLiteral("<a href=\"../Mar22026/index.html\">March 2, 2026</a>")));
    EXPECT_TRUE(middle.contains(QStringLiteral("<a href=\"../Mar112026/index.html\">March 11, 2026</a>")));
    EXPECT_TRUE(middle.contains(QStringLiteral("<a href=\"../March26.html\">Math - March 2026</a>")));
    const QString first = page(QStringLiteral("Math/Mar22026/index.html"));
    EXPECT_TRUE(first.contains(QStringLiteral("<td class=\"navLeft\"></td>")));
}

TEST_F(SitePagesTest, TheCourseAddressOpensOnTheCurrentMonth)
{
    clock.set(ScheduleBuilder::localDate(2026, 3, 10, 12));
    fill(lessons[0], QStringLiteral("Intro"));
    publish();
    EXPECT_TRUE(page(QStringLiteral("Math/index.html")).contains(QStringLiteral("url=March26.html")));
    EXPECT_TRUE(page(QStringLiteral("Art/index.html")).contains(QStringLiteral("url=March26.html")));
}

TEST_F(SitePagesTest, HandoutCopyAndLinksUseOneCleanName)
{
    QTemporaryDir sources;
    const QString source = sources.filePath(QStringLiteral("Fiche n°7 été.pdf"));
    QFile file(source);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("%PDF-1.4 handout");
    file.close();
    fill(lessons[0], QStringLiteral("Intro"));
    attachFile(lessons[0], QStringLiteral("Worksheet"), source);
    attachFile(lessons[0], QStringLiteral("Gone"), sources.filePath(QStringLiteral("missing.pdf")));
    attachFile(lessons[0], QStringLiteral("Sneaky"), sources.filePath(QStringLiteral("index.html")));
    publish();
    ASSERT_TRUE(outcome.published());
    EXPECT_TRUE(exists(QStringLiteral("Math/Mar22026/Fiche_n7_ete.pdf")));
    const QString day = page(QStringLiteral("Math/Mar22026/index.html"));
    EXPECT_TRUE(day.contains(QStringLiteral("<a href=\"Fiche_n7_ete.pdf\">PDF: Fiche_n7_ete</a>")));
    EXPECT_TRUE(page(QStringLiteral("Math/March26.html"))
                    .contains(QStringLiteral("<a href=\"Mar22026/Fiche_n7_ete.pdf\">Fiche_n7_ete</a>")));
    // A handout that is not there is named without a link to nothing, and
    // none takes the page's own name.
    EXPECT_TRUE(day.contains(QStringLiteral("PDF: missing")));
    EXPECT_FALSE(day.contains(QStringLiteral("href=\"missing.pdf\"")));
    EXPECT_FALSE(exists(QStringLiteral("Math/Mar22026/missing.pdf")));
    EXPECT_TRUE(day.contains(QStringLiteral("<div class=\"lessonTitle\">Intro</div>")));
}

TEST_F(SitePagesTest, WebLinksAreFollowableOnlyForWebAndMail)
{
    fill(lessons[0], QStringLiteral("Intro"));
    attachLink(lessons[0], QStringLiteral("Reading"), QStringLiteral("https://example.org/read?a=1&b=2"));
    attachLink(lessons[0], QStringLiteral("Trap"), QStringLiteral("javascript:alert(document.cookie)"));
    publish();
    const QString day = page(QStringLiteral("Math/Mar22026/index.html"));
    EXPECT_TRUE(day.contains(QStringLiteral("<a href=\"https://example.org/read?a=1&amp;b=2\">")));
    EXPECT_TRUE(day.contains(QStringLiteral("<dt>javascript:alert(document.cookie)</dt>")));
}
