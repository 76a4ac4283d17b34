#include "cli/DemoYearFiller.h"
#include "foundation/alerts/AlertPresenter.h"
#include "foundation/prefs/Preferences.h"
#include "gui/editing/FieldEditor.h"
#include "gui/editing/RichTextArea.h"
#include "gui/views/WeekView.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/SemestraRecords.h"
#include "model/Year.h"
#include "store/ObjectContext.h"

#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

class DefaultAnswers : public AlertPresenter {
public:
    int runModal(const Alert&) override { return 1; }
};

// The command line's demo year with four sections of every subject, the
// week of its first day in a week view beside the homework editor of that
// day's first lesson, and preferences in a folder of their own.
struct Fixture {
    Fixture()
        : preferences(std::make_unique<QSettings>(folder.filePath(QStringLiteral("bench.ini")), QSettings::IniFormat))
    {
        preferences.registerShippedDefaults();
        Preferences::setShared(&preferences);
        DefaultAnswers answers;
        year = DemoYearFiller::buildYear(*context, answers, 4);
        year->setValue(u"homeworkEnlarged", true);
        year->setValue(u"showHomework", true);
        Day* first = year->getFirstDay();
        view.resize(1200, 800);
        view.setWeek(year, first->week());
        view.show();
        editor.setLesson(first->lessonsInOrder().first());
        editor.resize(400, 300);
        editor.show();
        editor.textArea()->moveCursor(QTextCursor::End);
        render();
    }
    ~Fixture() { Preferences::setShared(nullptr); }

    void key(int key, const QString& text)
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(editor.textArea(), &press);
        QCoreApplication::sendEvent(editor.textArea(), &release);
    }

    void render()
    {
        QPainter painter(&image);
        view.render(&painter);
    }

    QTemporaryDir folder;
    Preferences preferences;
    std::unique_ptr<ObjectContext> context = SemestraRecords::newContext();
    Year* year = nullptr;
    WeekView view;
    FieldEditor editor { QStringLiteral("homework") };
    QImage image { 1200, 800, QImage::Format_ARGB32_Premultiplied };
};

// One character typed into the field editor: stored as RTF with its shadow,
// the lesson's box rebuilt, the week drawn again. The character is taken
// back outside the timing so that every iteration types into the same text.
void TypeOneCharacterAndRedrawTheWeek(benchmark::State& state)
{
    Fixture fixture;
    for (auto _ : state) {
        fixture.key(Qt::Key_A, QStringLiteral("a"));
        fixture.render();
        state.PauseTiming();
        fixture.key(Qt::Key_Backspace, QString());
        state.ResumeTiming();
    }
}
BENCHMARK(TypeOneCharacterAndRedrawTheWeek)->Unit(benchmark::kMillisecond)->Repetitions(5);

// The same keystroke without the drawing: the editor's share of the frame
// (RTF written and stored, shadow and box text rebuilt).
void TypeOneCharacter(benchmark::State& state)
{
    Fixture fixture;
    for (auto _ : state) {
        fixture.key(Qt::Key_A, QStringLiteral("a"));
        state.PauseTiming();
        fixture.key(Qt::Key_Backspace, QString());
        state.ResumeTiming();
    }
}
BENCHMARK(TypeOneCharacter)->Unit(benchmark::kMillisecond)->Repetitions(5);

} // namespace
