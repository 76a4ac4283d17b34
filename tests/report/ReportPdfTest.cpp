#include "ReportFixture.h"
#include "foundation/richtext/RichText.h"
#include "model/Week.h"
#include "report/ReportPdf.h"
#include "report/TextReports.h"
#include "report/WeeklyReportLayout.h"

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

class ReportPdfTest : public ReportFixture {
protected:
    static QString run(const QString& program, const QStringList& arguments)
    {
        QProcess process;
        process.start(program, arguments);
        process.waitForFinished();
        return QString::fromUtf8(process.readAllStandardOutput());
    }
    static QString pdfText(const QString& path) { return run(QStringLiteral("pdftotext"), { QStringLiteral("-raw"), path, QStringLiteral("-") }); }
    static QString info(const QString& path, const QString& field)
    {
        const QRegularExpression line(QStringLiteral("^%1:\\s*(.*)$").arg(field), QRegularExpression::MultilineOption);
        return line.match(run(QStringLiteral("pdfinfo"), { path })).captured(1).trimmed();
    }
    // "W x H" of the page in points, as pdfinfo reports it.
    static QString pageSize(const QString& path) { return info(path, QStringLiteral("Page size")).section(QLatin1Char(' '), 0, 2); }
    static QString points(const QSizeF& size) { return QStringLiteral("%1 x %2").arg(size.width()).arg(size.height()); }
    QString letter(QPageLayout::Orientation orientation) const
    {
        QSizeF size = QPageSize(QPageSize::Letter).size(QPageSize::Point);
        return points(orientation == QPageLayout::Landscape ? size.transposed() : size);
    }

    QTemporaryDir folder;
};

TEST_F(ReportPdfTest, WeeklyPdfIsLandscapeWithEachDaysLessonsInOrder)
{
    fill(lessons[0], QStringLiteral("Alphabet"));
    fill(artLessons[0], QStringLiteral("Brushes"));
    fill(lessons[1], QStringLiteral("Counting"));
    days[3]->removeAllLessons();
    days[3]->setValue(u"isHoliday", true);
    days[3]->setValue(u"holidayName", QStringLiteral("Founders Day"));
    const QString path = folder.filePath(QStringLiteral("week.pdf"));
    ASSERT_TRUE(ReportPdf::writeWeekly(*days[0]->week(), *settings, path));
    EXPECT_EQ(pageSize(path), letter(QPageLayout::Landscape));
    EXPECT_EQ(info(path, QStringLiteral("Pages")), QStringLiteral("1"));
    const QString text = pdfText(path);
    EXPECT_LT(text.indexOf(QStringLiteral("Alphabet")), text.indexOf(QStringLiteral("Brushes")));
    EXPECT_LT(text.indexOf(QStringLiteral("Brushes")), text.indexOf(QStringLiteral("Counting")));
    EXPECT_TRUE(text.contains(WeeklyReportLayout::dateText(*days[4])));
    // Turned text comes out only when pdftotext reads the page as laid out.
    EXPECT_TRUE(run(QStringLiteral("pdftotext"), { path, QStringLiteral("-") }).contains(QStringLiteral("Founders Day")));
}

TEST_F(ReportPdfTest, WeeklyPdfHasThePagesItsLongestColumnNeeds)
{
    const QString plan = QStringLiteral("Warm-up, group work, and a short quiz to close. ").repeated(12);
    for (int hour = 11; hour < 17; ++hour) {
        Lesson* extra = b.lesson(b.course(QStringLiteral("Extra %1").arg(hour)), days[0], hour);
        extra->setValue(u"lessonTitle", QStringLiteral("Block %1").arg(hour));
        extra->setValue(u"lessonBody", RichText::fromPlainText(plan));
    }
    const QString path = folder.filePath(QStringLiteral("long.pdf"));
    ASSERT_TRUE(ReportPdf::writeWeekly(*days[0]->week(), *settings, path));
    const QSizeF printable = QPageSize(QPageSize::Letter).size(QPageSize::Point).transposed() - QSizeF(40, 80);
    WeeklyReportLayout layout(*days[0]->week(), *settings);
    layout.reload(printable.width());
    const int expected = layout.pageCount(printable.height() - ReportPdf::weeklyBottomReserve);
    EXPECT_GT(expected, 1);
    EXPECT_EQ(info(path, QStringLiteral("Pages")), QString::number(expected));
    const QString text = pdfText(path);
    for (int hour = 12; hour < 17; ++hour)
        EXPECT_LT(text.indexOf(QStringLiteral("Block %1").arg(hour - 1)), text.indexOf(QStringLiteral("Block %1").arg(hour)));
}

// A lesson longer than a page goes on over the pages after it: every line
// reaches paper.
TEST_F(ReportPdfTest, AWeeklyLessonTallerThanAPageContinuesOnTheNextPages)
{
    QStringList steps;
    for (int step = 1; step <= 90; ++step)
        steps << QStringLiteral("Step %1 of the long plan.").arg(step);
    steps << QStringLiteral("The last line of the plan.");
    lessons[0]->setValue(u"lessonBody", RichText::fromPlainText(steps.join(QLatin1Char('\n'))));
    fill(lessons[1], QStringLiteral("Tuesday"));
    const QString path = folder.filePath(QStringLiteral("tall.pdf"));
    ASSERT_TRUE(ReportPdf::writeWeekly(*days[0]->week(), *settings, path));

    EXPECT_GT(info(path, QStringLiteral("Pages")).toInt(), 1);
    const QString text = pdfText(path);
    EXPECT_TRUE(text.contains(QStringLiteral("Step 45 of the long plan.")));
    EXPECT_TRUE(text.contains(QStringLiteral("The last line of the plan.")));
    EXPECT_TRUE(text.contains(QStringLiteral("Tuesday")));
}

TEST_F(ReportPdfTest, TextReportIsPortraitAndFlowsOverPagesInDateOrder)
{
    const QString plan = QStringLiteral("Read the chapter and answer the questions at its end. ").repeated(15);
    for (int i = 0; i < days.size(); ++i) {
        lessons[i]->setValue(u"lessonTitle", QStringLiteral("Lesson %1").arg(i + 1));
        lessons[i]->setValue(u"lessonBody", RichText::fromPlainText(plan));
    }
    auto report = TextReports::dailyPlan(*year(), days.first()->actualDate(), days.last()->actualDate());
    const QString path = folder.filePath(QStringLiteral("daily.pdf"));
    ASSERT_TRUE(ReportPdf::writeText(*report, path));
    EXPECT_EQ(pageSize(path), letter(QPageLayout::Portrait));
    EXPECT_EQ(info(path, QStringLiteral("Pages")).toInt(), report->pageCount());
    EXPECT_GT(report->pageCount(), 1);
    const QString text = pdfText(path);
    for (int i = 2; i <= days.size(); ++i) {
        EXPECT_LT(text.indexOf(QStringLiteral("Lesson %1\n").arg(i - 1)), text.indexOf(QStringLiteral("Lesson %1\n").arg(i)))
            << i;
    }
}

TEST_F(ReportPdfTest, FailedWriteIsReportedAndLeavesNoFile)
{
    const QString missing = folder.filePath(QStringLiteral("no/such/folder/week.pdf"));
    const Status status = ReportPdf::writeWeekly(*days[0]->week(), *settings, missing);
    EXPECT_FALSE(status);
    EXPECT_TRUE(status.error().contains(missing));
    EXPECT_FALSE(QFile::exists(missing));

    auto report = TextReports::dailyPlan(*year(), days[0]->actualDate(), days[0]->actualDate());
    const Status onFolder = ReportPdf::writeText(*report, folder.path());
    EXPECT_FALSE(onFolder);
    EXPECT_FALSE(onFolder.error().isEmpty());
}
