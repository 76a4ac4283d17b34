#include "cli/CliFixture.h"

namespace {

const QString course = QStringLiteral("Math");

} // namespace

// A three-week Monday-to-Friday year of one course; the first few slots get
// titles so that moves can be followed.
class LessonCommandsTest : public CliFixture {
protected:
    void SetUp() override
    {
        m_file = newTraditionalYear({ course, QStringLiteral("Art") });
        const QJsonArray school = schoolDays(m_file);
        for (const QJsonValue& day : school)
            m_dates.append(day[u"date"].toString());
        for (int slot = 0; slot < 4; ++slot)
            setTitle(slot, QStringLiteral("T%1").arg(slot + 1));
    }

    QStringList lessonArguments(const QString& command, int slot) const
    {
        return { command, m_file, QStringLiteral("--course"), course, QStringLiteral("--date"), m_dates.at(slot) };
    }
    void setTitle(int slot, const QString& title) const
    {
        runOk(lessonArguments(QStringLiteral("set-lesson"), slot) << QStringLiteral("--title") << title);
    }
    // Title of the course's lesson in each slot, in date order.
    QStringList titles() const
    {
        QStringList result;
        for (const QJsonValue& day : schoolDays(m_file))
            result.append(mathLesson(day.toObject())[u"title"].toString());
        return result;
    }
    static QJsonObject mathLesson(const QJsonObject& day)
    {
        for (const QJsonValue& lesson : day[u"lessons"].toArray()) {
            if (lesson[u"course"].toString() == course)
                return lesson.toObject();
        }
        return {};
    }

    QString m_file;
    QStringList m_dates;
};

// A desktop session may ask Qt for its X11 platform, whose plugin would
// take options such as --title for itself (and needs a display at all):
// the command line never depends on the desktop.
TEST_F(LessonCommandsTest, ADesktopPlatformSettingNeitherTakesOptionsNorNeedsADisplay)
{
    const QHash<QString, QString> desktop { { QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb") },
        { QStringLiteral("DISPLAY"), QStringLiteral(":97") } };
    const CliRun result
        = run(lessonArguments(QStringLiteral("set-lesson"), 5) << QStringLiteral("--title") << QStringLiteral("Rome"),
            desktop);
    EXPECT_TRUE(result.succeeded()) << result.errors.toStdString();
    EXPECT_EQ(titles().at(5), QStringLiteral("Rome"));
}

TEST_F(LessonCommandsTest, BumpPushesContentOneSlotLaterAndLeavesTheSlotEmpty)
{
    ASSERT_EQ(m_dates.size(), 15);
    runOk(lessonArguments(QStringLiteral("bump"), 1));
    EXPECT_EQ(titles().mid(0, 6),
        QStringList({ QStringLiteral("T1"), QString(), QStringLiteral("T2"), QStringLiteral("T3"), QStringLiteral("T4"),
            QString() }));
}

TEST_F(LessonCommandsTest, BumpDropsTheLastContentOffTheEnd)
{
    setTitle(14, QStringLiteral("Last"));
    runOk(lessonArguments(QStringLiteral("bump"), 13));
    EXPECT_EQ(titles().mid(12), QStringList({ QString(), QString(), QString() }));
}

TEST_F(LessonCommandsTest, PullbackPullsLaterContentOverTheSlot)
{
    runOk(lessonArguments(QStringLiteral("pullback"), 0));
    EXPECT_EQ(titles().mid(0, 5),
        QStringList({ QStringLiteral("T2"), QStringLiteral("T3"), QStringLiteral("T4"), QString(), QString() }));
}

TEST_F(LessonCommandsTest, LockedSlotKeepsItsContentWhileBumpAndPullbackStepOverIt)
{
    runOk(lessonArguments(QStringLiteral("lock"), 2));
    runOk(lessonArguments(QStringLiteral("bump"), 0));
    EXPECT_EQ(titles().mid(0, 6),
        QStringList({ QString(), QStringLiteral("T1"), QStringLiteral("T3"), QStringLiteral("T2"), QStringLiteral("T4"),
            QString() }));
    EXPECT_TRUE(mathLesson(schoolDays(m_file).at(2).toObject())[u"locked"].toBool());

    runOk(lessonArguments(QStringLiteral("pullback"), 0));
    EXPECT_EQ(titles().mid(0, 5),
        QStringList(
            { QStringLiteral("T1"), QStringLiteral("T2"), QStringLiteral("T3"), QStringLiteral("T4"), QString() }));

    runOk(lessonArguments(QStringLiteral("lock"), 2) << QStringLiteral("--off"));
    EXPECT_FALSE(mathLesson(schoolDays(m_file).at(2).toObject())[u"locked"].toBool());
}

TEST_F(LessonCommandsTest, FieldsGiveTheLessonDataWithoutATitle)
{
    runOk(lessonArguments(QStringLiteral("set-lesson"), 5)
        << QStringLiteral("--field") << QStringLiteral("homework=Read chapter 2"));
    const QJsonObject lesson = mathLesson(schoolDays(m_file).at(5).toObject());
    EXPECT_TRUE(lesson[u"hasData"].toBool());
    EXPECT_TRUE(lesson[u"title"].toString().isEmpty());
    EXPECT_FALSE(mathLesson(schoolDays(m_file).at(6).toObject())[u"hasData"].toBool());
}

TEST_F(LessonCommandsTest, BadLessonArgumentsFailInOneLineAndLeaveTheFileAlone)
{
    const QByteArray before = fileHash(m_file);
    const QList<QStringList> bad {
        { QStringLiteral("bump"), m_file, QStringLiteral("--course"), QStringLiteral("Chemistry"),
            QStringLiteral("--date"), m_dates.at(0) },
        { QStringLiteral("bump"), m_file, QStringLiteral("--course"), course, QStringLiteral("--date"),
            QStringLiteral("2025-09-13") },
        { QStringLiteral("bump"), m_file, QStringLiteral("--course"), course, QStringLiteral("--date"),
            QStringLiteral("09/08/2025") },
        { QStringLiteral("bump"), m_file, QStringLiteral("--course"), course },
        lessonArguments(QStringLiteral("bump"), 0) << QStringLiteral("--index") << QStringLiteral("1"),
        lessonArguments(QStringLiteral("bump"), 0) << QStringLiteral("--index") << QStringLiteral("-1"),
        lessonArguments(QStringLiteral("bump"), 0) << QStringLiteral("--title") << QStringLiteral("x"),
        lessonArguments(QStringLiteral("set-lesson"), 0),
        lessonArguments(QStringLiteral("set-lesson"), 0) << QStringLiteral("--field") << QStringLiteral("notes=x"),
        lessonArguments(QStringLiteral("set-lesson"), 0) << QStringLiteral("--title"),
        { QStringLiteral("lock"), m_file, path(QStringLiteral("other.semestra")) },
    };
    for (const QStringList& arguments : bad) {
        const CliRun result = run(arguments);
        EXPECT_NE(result.exitCode, 0) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(result.errors.startsWith(u"semestra-cli: ")) << result.errors.toStdString();
        EXPECT_EQ(result.errors.count(u'\n'), 1) << result.errors.toStdString();
        EXPECT_TRUE(result.out.isEmpty());
    }
    EXPECT_EQ(fileHash(m_file), before);
}

// The year was built without meeting times: moving content must not invent
// any for the slots it empties, nor move them to the end of their day.
TEST_F(LessonCommandsTest, BumpAndPullbackLeaveAbsentTimesAbsent)
{
    const QStringList orderBefore = lessonCourses(schoolDays(m_file).at(0).toObject());
    runOk(lessonArguments(QStringLiteral("bump"), 0));
    runOk(lessonArguments(QStringLiteral("pullback"), 2));
    for (const QJsonValue& day : schoolDays(m_file)) {
        for (const QJsonValue& lesson : day[u"lessons"].toArray()) {
            EXPECT_TRUE(lesson[u"start"].isNull()) << day[u"date"].toString().toStdString();
            EXPECT_TRUE(lesson[u"end"].isNull()) << day[u"date"].toString().toStdString();
        }
    }
    EXPECT_EQ(lessonCourses(schoolDays(m_file).at(0).toObject()), orderBefore);
    EXPECT_EQ(lessonCourses(schoolDays(m_file).at(14).toObject()), orderBefore);
}
