#include "cli/CliFixture.h"

#include <QProcess>
#include <QRegularExpression>

namespace {

const QString math = QStringLiteral("Math");
const QString art = QStringLiteral("Art");

QString runTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString pdfInfo(const QString& pdf, const QString& field)
{
    const QRegularExpression line(QStringLiteral("^%1:\\s*(.*)$").arg(field), QRegularExpression::MultilineOption);
    return line.match(runTool(QStringLiteral("pdfinfo"), { pdf })).captured(1).trimmed();
}

// Whether the pages are wider than tall; the paper itself follows the locale.
bool isLandscape(const QString& pdf)
{
    const QStringList size = pdfInfo(pdf, QStringLiteral("Page size")).split(QLatin1Char(' '));
    return size.size() > 2 && size[0].toDouble() > size[2].toDouble();
}

// A three-week Monday-to-Friday year of Math and Art from 2025-09-08.
class PrintedReportCommandsTest : public CliFixture {
protected:
    void SetUp() override
    {
        m_file = newTraditionalYear({ math, art });
        for (const QJsonValue& day : schoolDays(m_file))
            m_dates.append(day[u"date"].toString());
    }
    void setLesson(const QString& course, int slot, const QStringList& options) const
    {
        runOk(QStringList { QStringLiteral("set-lesson"), m_file, QStringLiteral("--course"), course,
                  QStringLiteral("--date"), m_dates.at(slot) }
            + options);
    }
    QStringList report(const QString& kind, const QStringList& options) const
    {
        return QStringList { QStringLiteral("report"), m_file, kind } + options;
    }

    QString m_file;
    QStringList m_dates;
};

} // namespace

TEST_F(PrintedReportCommandsTest, DailyTextHoldsTheRangesLessonsInOrder)
{
    setLesson(math, 0, { QStringLiteral("--title"), QStringLiteral("Place value") });
    setLesson(art, 1, { QStringLiteral("--title"), QStringLiteral("Colour wheel") });
    setLesson(math, 2, { QStringLiteral("--field"), QStringLiteral("homework=Page 12") });
    setLesson(math, 3, { QStringLiteral("--title"), QStringLiteral("Outside the range") });
    const QString text = runOk(report(QStringLiteral("daily"),
                                   { QStringLiteral("--from"), m_dates[0], QStringLiteral("--to"), m_dates[2],
                                       QStringLiteral("--text") }))
                             .out;
    EXPECT_LT(text.indexOf(QStringLiteral("Place value")), text.indexOf(QStringLiteral("Colour wheel")));
    EXPECT_LT(text.indexOf(QStringLiteral("Colour wheel")), text.indexOf(QStringLiteral("Page 12")));
    EXPECT_EQ(text.indexOf(QStringLiteral("Outside the range")), -1);
}

TEST_F(PrintedReportCommandsTest, WeeklyPdfIsLandscapeAndLeavesTheFileAlone)
{
    setLesson(math, 1, { QStringLiteral("--title"), QStringLiteral("Decimals") });
    const QByteArray before = fileHash(m_file);
    const QString pdf = path(QStringLiteral("week.pdf"));
    runOk(report(QStringLiteral("weekly"), { QStringLiteral("--date"), m_dates[3], QStringLiteral("--pdf"), pdf }));
    EXPECT_TRUE(isLandscape(pdf));
    EXPECT_EQ(pdfInfo(pdf, QStringLiteral("Pages")), QStringLiteral("1"));
    EXPECT_TRUE(runTool(QStringLiteral("pdftotext"), { pdf, QStringLiteral("-") }).contains(QStringLiteral("Decimals")));
    EXPECT_EQ(fileHash(m_file), before);
}

TEST_F(PrintedReportCommandsTest, UnitReportListsTheUnitsLessons)
{
    setLesson(math, 0, { QStringLiteral("--title"), QStringLiteral("Halves"), QStringLiteral("--unit"),
                           QStringLiteral("Fractions") });
    setLesson(math, 4, { QStringLiteral("--title"), QStringLiteral("Quarters"), QStringLiteral("--unit"),
                           QStringLiteral("Fractions") });
    const QString text = runOk(report(QStringLiteral("unit"),
                                   { QStringLiteral("--course"), math, QStringLiteral("--unit"),
                                       QStringLiteral("Fractions"), QStringLiteral("--text") }))
                             .out;
    EXPECT_TRUE(text.startsWith(QStringLiteral("Fractions lessons in Math")));
    EXPECT_LT(text.indexOf(QStringLiteral("Halves")), text.indexOf(QStringLiteral("Quarters")));
    const QString pdf = path(QStringLiteral("unit.pdf"));
    runOk(report(QStringLiteral("unit"),
        { QStringLiteral("--course"), math, QStringLiteral("--unit"), QStringLiteral("Fractions"),
            QStringLiteral("--pdf"), pdf }));
    EXPECT_FALSE(isLandscape(pdf));
    EXPECT_EQ(pdfInfo(pdf, QStringLiteral("Pages")), QStringLiteral("1"));
}

TEST_F(PrintedReportCommandsTest, MistakesAreOneLineErrorsAndWriteNothing)
{
    const QByteArray before = fileHash(m_file);
    const QString pdf = path(QStringLiteral("out.pdf"));
    const QList<QStringList> mistakes {
        report(QStringLiteral("monthly"), { QStringLiteral("--text") }),
        report(QStringLiteral("weekly"), { QStringLiteral("--date"), m_dates[0] }),
        report(QStringLiteral("weekly"), { QStringLiteral("--date"), m_dates[0], QStringLiteral("--text"),
                                             QStringLiteral("--pdf"), pdf }),
        report(QStringLiteral("weekly"), { QStringLiteral("--date"), QStringLiteral("2030-01-01"),
                                             QStringLiteral("--pdf"), pdf }),
        report(QStringLiteral("daily"), { QStringLiteral("--from"), m_dates[2], QStringLiteral("--to"), m_dates[0],
                                            QStringLiteral("--pdf"), pdf }),
        report(QStringLiteral("unit"), { QStringLiteral("--course"), math, QStringLiteral("--unit"),
                                           QStringLiteral("None"), QStringLiteral("--pdf"), pdf }),
        report(QStringLiteral("standards"), { QStringLiteral("--standard"), QStringLiteral("X.1"),
                                                QStringLiteral("--pdf"), pdf }),
        report(QStringLiteral("daily"), { QStringLiteral("--from"), m_dates[0], QStringLiteral("--to"), m_dates[0],
                                            QStringLiteral("--pdf"), path(QStringLiteral("missing/out.pdf")) }),
    };
    for (const QStringList& arguments : mistakes) {
        const CliRun failed = run(arguments);
        EXPECT_NE(failed.exitCode, 0) << arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(failed.errors.trimmed().count(QLatin1Char('\n')), 0) << failed.errors.toStdString();
        EXPECT_FALSE(failed.errors.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_EQ(fileHash(m_file), before);
}

TEST_F(PrintedReportCommandsTest, HelpShowsEveryReport)
{
    const QString help = runOk({ QStringLiteral("--help") }).out;
    for (const char* kind : { "weekly", "daily", "unit", "standards" })
        EXPECT_TRUE(help.contains(QStringLiteral("report FILE %1").arg(QLatin1String(kind)))) << kind;
}
