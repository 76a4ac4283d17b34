#include "StoreGraphFiller.h"
#include "foundation/random/RandomSource.h"
#include "store/SemestraEntityModel.h"
#include "store/SqliteStore.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

// The lesson titles of the file: one generation when the file is whole.
QSet<QString> titlesIn(const QString& path)
{
    auto opened = SqliteStore::open(path, SemestraEntityModel::shared());
    EXPECT_TRUE(opened.ok()) << opened.error().toStdString();
    QSet<QString> titles;
    if (!opened)
        return titles;
    for (const ManagedObject* lesson :
        opened.value()->objectsOfEntity(*SemestraEntityModel::shared().entity(u"Lesson")))
        titles.insert(lesson->value<QString>(u"lessonTitle"));
    return titles;
}

class SqliteStoreCrashTest : public testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        ObjectContext context(SemestraEntityModel::shared());
        StoreGraphFiller::fill(context, 1500);
        for (ManagedObject* lesson : context.objectsOfEntity(*context.model().entity(u"Lesson")))
            lesson->setValue(u"lessonTitle", QStringLiteral("generation 0"));
        ASSERT_TRUE(SqliteStore::save(context, path()).ok());
    }

    QString path() const { return m_folder.filePath(QStringLiteral("year.semestra")); }

    struct Run {
        bool completed;
        qint64 savingMs; // from the start of the save to the end of the process
    };

    // Runs one save of `generation`, killed `delayMs` into the save (or left
    // to finish when negative).
    Run runVictim(int generation, int delayMs)
    {
        QProcess victim;
        victim.start(QStringLiteral(SEMESTRA_SAVE_VICTIM), { path(), QString::number(generation), GetParam() });
        EXPECT_TRUE(victim.waitForStarted());
        victim.waitForReadyRead(30000); // "saving": the save starts now
        QElapsedTimer saving;
        saving.start();
        if (delayMs >= 0) {
            QThread::msleep(delayMs);
            victim.kill();
        }
        victim.waitForFinished(60000);
        return { victim.readAllStandardOutput().contains("saved"), saving.elapsed() };
    }

private:
    QTemporaryDir m_folder;
};

} // namespace

TEST_P(SqliteStoreCrashTest, FileHoldsTheOldOrTheNewRecordsWheneverTheSaveIsKilled)
{
    const Run first = runVictim(1, -1);
    ASSERT_TRUE(first.completed);
    // Kill moments spread over the save and a little past it, so that some
    // saves finish and the rest die at every stage.
    const auto killWindowMs = std::uint32_t(std::max<qint64>(10, first.savingMs * 3 / 2));
    ASSERT_EQ(titlesIn(path()), QSet<QString> { QStringLiteral("generation 1") });

    RandomSource::shared().seed(20261206);
    int committed = 1;
    QSet<QString> outcomes;
    for (int generation = 2; generation < 22; ++generation) {
        const bool completed = runVictim(generation, int(RandomSource::shared().uniform(killWindowMs))).completed;
        const QSet<QString> titles = titlesIn(path());
        ASSERT_EQ(titles.size(), 1) << "torn save at generation " << generation;
        const QString title = *titles.begin();
        if (completed)
            EXPECT_EQ(title, QStringLiteral("generation %1").arg(generation));
        else
            EXPECT_TRUE(title == QStringLiteral("generation %1").arg(committed)
                || title == QStringLiteral("generation %1").arg(generation))
                << title.toStdString();
        committed = title.mid(11).toInt();
        outcomes.insert(QString::fromLatin1(completed ? "finished"
                : committed == generation             ? "killed after commit"
                                                      : "killed before commit"));
    }
    // Make sure the kills really landed inside saves.
    EXPECT_TRUE(outcomes.contains(QStringLiteral("killed before commit")));
}

INSTANTIATE_TEST_SUITE_P(InPlaceAndWholeFile, SqliteStoreCrashTest, testing::Values("in-place", "copy"));
