#include "cli/DemoYearFiller.h"
#include "content/LessonContentController.h"
#include "foundation/alerts/AlertPresenter.h"
#include "foundation/richtext/RtfReader.h"
#include "foundation/richtext/RtfWriter.h"
#include "model/Course.h"
#include "model/Lesson.h"
#include "model/SemestraRecords.h"
#include "model/Year.h"
#include "store/ObjectContext.h"

#include <QTextCursor>
#include <QTextDocument>

#include <benchmark/benchmark.h>

// The model's share of lesson editing on the command line's demo year at
// four times a real year: what one keystroke in a field editor costs before
// the views redraw, and copying a lesson through the pasteboard.
namespace {

class DefaultAnswers : public AlertPresenter {
public:
    int runModal(const Alert&) override { return 1; }
};

struct DemoYear {
    DemoYear()
    {
        year = DemoYearFiller::buildYear(*context, answers, 4);
        if (!year)
            qFatal("the demo year could not be built");
        course = year->courses().constFirst();
        lessons = course->allLessonsInOrder();
    }

    DefaultAnswers answers;
    std::unique_ptr<ObjectContext> context = SemestraRecords::newContext();
    Year* year = nullptr;
    Course* course = nullptr;
    QList<Lesson*> lessons;
};

DemoYear& demoYear()
{
    static DemoYear year;
    return year;
}

// One character typed at the end of the lesson body: the editor's document
// is written back as RTF, the lesson stores it (its plain-text shadow and
// change time follow, observers are told) and the editor text of the lesson
// is built again for the views.
void TypeOneCharacter(benchmark::State& state)
{
    Lesson* lesson = demoYear().lessons.at(demoYear().lessons.size() / 2);
    const std::unique_ptr<QTextDocument> editor = RtfReader::read(lesson->value<QByteArray>(u"lessonBody"));
    QTextCursor cursor(editor.get());
    cursor.movePosition(QTextCursor::End);
    for (auto _ : state) {
        cursor.insertText(QStringLiteral("x"));
        lesson->setValue(u"lessonBody", RtfWriter::write(*editor));
        benchmark::DoNotOptimize(lesson->textViewString());
    }
}
BENCHMARK(TypeOneCharacter)->Unit(benchmark::kMicrosecond);

void CopyAndPasteLesson(benchmark::State& state)
{
    DemoYear& demo = demoYear();
    LessonContentController controller(demo.answers);
    for (auto _ : state) {
        controller.copyLesson(demo.lessons.at(3));
        controller.pasteLesson(demo.lessons.at(4));
    }
}
BENCHMARK(CopyAndPasteLesson)->Unit(benchmark::kMicrosecond);

} // namespace
