#include "cli/DemoYearFiller.h"
#include "foundation/alerts/AlertPresenter.h"
#include "foundation/alerts/FileChooser.h"
#include "foundation/notify/NotificationCenter.h"
#include "foundation/prefs/Preferences.h"
#include "gui/window/DocumentWindow.h"
#include "gui/window/PlanningArea.h"
#include "model/Day.h"
#include "model/Document.h"
#include "model/Lesson.h"
#include "model/Year.h"
#include "planning/PlanningModeViewController.h"
#include "planning/PlanningNotifications.h"
#include "store/EntityModel.h"
#include "store/ObjectContext.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

class DefaultAnswers : public AlertPresenter {
public:
    int runModal(const Alert&) override { return 1; }
};

class NoFiles : public FileChooser {
public:
    std::optional<QString> chooseSaveLocation(const SavePanelRequest&) override { return std::nullopt; }
    std::optional<QString> chooseFileToOpen(const OpenPanelRequest&) override { return std::nullopt; }
    std::optional<QString> chooseFolder(const OpenPanelRequest&) override { return std::nullopt; }
};

// Counts the paint events of every widget of the application.
class PaintCounter : public QObject {
public:
    PaintCounter() { QCoreApplication::instance()->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
    int count = 0;
};

// A synced year has been sent to the online service: every record carries
// the service's identifier, so every record a move replaces is queued for
// deletion there.
enum class Synced { No, Yes };

// The planning window on the command line's demo year at four times a real
// year, showing the week of its first school day with the day's last lesson
// clicked: every view, panel and list of the window hears what a day change
// tells them, as in use. A bump of the whole day selects where that lesson's
// content went, the same row a day later, so each run redraws the week in
// view rather than scrolling to another part of it.
struct Fixture {
    explicit Fixture(Synced synced)
        : preferences(std::make_unique<QSettings>(folder.filePath(QStringLiteral("bench.ini")), QSettings::IniFormat))
    {
        preferences.registerShippedDefaults();
        Preferences::setShared(&preferences);
        const QString path = folder.filePath(QStringLiteral("Demo.semestra"));
        {
            DocumentWindow writer;
            if (!DemoYearFiller::buildYear(writer.document().context(), answers, 4)
                || !writer.document().saveAs(path).ok())
                qFatal("the demo year could not be written");
        }
        window = std::make_unique<DocumentWindow>(answers, files);
        if (!window->openFile(path))
            qFatal("the demo year could not be opened");
        window->resize(1400, 900);
        window->show();
        year = window->document().getCurrentYear();
        first = year->getDaysIncludingAndAfter(year->getFirstDay()).constFirst();
        window->planningArea()->controller().setToMode(PlanningModeViewController::WeekMode);
        NotificationCenter::defaultCenter().post(
            PlanningNotifications::lessonClicked, first->lessonsInOrder().constLast());
        if (synced == Synced::Yes)
            giveEveryRecordAServiceIdentifier();
        settle();
    }
    ~Fixture()
    {
        window.reset();
        Preferences::setShared(nullptr);
    }

    void giveEveryRecordAServiceIdentifier()
    {
        ObjectContext& context = window->document().context();
        qint64 next = 0;
        for (const EntityDescription* entity : context.model().entities()) {
            if (entity->attributeIndex(u"syncID") < 0)
                continue;
            for (ManagedObject* record : context.objectsOfEntity(*entity))
                record->setValue(u"syncID", QString::number(++next));
        }
    }

    // The window takes in what it was told and repaints what changed, as it
    // would before the next frame: the offscreen platform paints the dirty
    // regions into its backing store as a screen would. Answers whether
    // anything was painted, so that a run that drew nothing is not timed as
    // if it had.
    bool settle()
    {
        paints.count = 0;
        QCoreApplication::processEvents();
        return paints.count > 0;
    }

    QTemporaryDir folder;
    Preferences preferences;
    DefaultAnswers answers;
    NoFiles files;
    std::unique_ptr<DocumentWindow> window;
    Year* year = nullptr;
    Day* first = nullptr;
    PaintCounter paints;
};

// The first school day cancelled with its lessons bumped, through to the
// redrawn window. Between runs (untimed) the day is restored and its new
// lessons pulled back, which puts the content where it was; a synced year
// gets its identifiers back and its deletion queue emptied, as after a sync.
void CancelFirstSchoolDayWithBumpInTheWindow(benchmark::State& state, Synced synced)
{
    Fixture fixture(synced);
    for (auto _ : state) {
        fixture.year->bumpAllLessonsOnDay(fixture.first);
        fixture.first->turnIntoCancelledDay();
        const bool painted = fixture.settle();
        state.PauseTiming();
        if (!painted) {
            state.SkipWithError("the window did not repaint after the change");
            break;
        }
        fixture.first->restoreNonSchoolDay();
        for (Lesson* lesson : fixture.first->lessonsInOrder())
            fixture.year->pullLessonsBack(lesson);
        fixture.year->setValue(u"teacherPhone", QVariant());
        if (synced == Synced::Yes)
            fixture.giveEveryRecordAServiceIdentifier();
        fixture.settle();
        state.ResumeTiming();
    }
}
BENCHMARK_CAPTURE(CancelFirstSchoolDayWithBumpInTheWindow, unsynced, Synced::No)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CancelFirstSchoolDayWithBumpInTheWindow, synced, Synced::Yes)->Unit(benchmark::kMillisecond);

} // namespace
