#include "cli/DemoYearFiller.h"
#include "exchange/CourseFile.h"
#include "exchange/CourseImport.h"
#include "foundation/alerts/AlertPresenter.h"
#include "foundation/plist/PropertyList.h"
#include "model/Course.h"
#include "model/Lesson.h"
#include "model/SemestraRecords.h"
#include "model/Year.h"
#include "store/ObjectContext.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

// Carrying a 200-lesson course of the demo year between documents: writing
// the course export file, and reading it and laying its lessons over
// another course. The document itself is not saved in either.
namespace {

constexpr qsizetype courseLength = 200;

class DefaultAnswers : public AlertPresenter {
public:
    int runModal(const Alert&) override { return AlertDefaultReturn; }
};

struct DemoYear {
    DemoYear()
    {
        // Two sections of each subject, so that a second course takes the import.
        year = DemoYearFiller::buildYear(*context, answers, 2);
        if (!year)
            qFatal("the demo year could not be built");
        const QList<Course*> courses = year->courses();
        source = courses.constFirst();
        target = courses.constLast();
        lessons = source->allLessonsInOrder().mid(0, courseLength);
        if (lessons.size() < courseLength)
            qFatal("the demo course has fewer than %d lessons", int(courseLength));
        file = folder.filePath(QStringLiteral("course.plist"));
        if (!PropertyList::writeXmlFile(file, source->dictionaryWithLessons(lessons)))
            qFatal("the course file could not be written");
    }

    DefaultAnswers answers;
    std::unique_ptr<ObjectContext> context = SemestraRecords::newContext();
    QTemporaryDir folder;
    Year* year = nullptr;
    Course* source = nullptr;
    Course* target = nullptr;
    QList<Lesson*> lessons;
    QString file;
};

DemoYear& demoYear()
{
    static DemoYear year;
    return year;
}

// The lesson dictionaries built and written as an XML property list file.
void ExportCourse200(benchmark::State& state)
{
    DemoYear& demo = demoYear();
    const QString path = demo.folder.filePath(QStringLiteral("export.plist"));
    for (auto _ : state) {
        const bool written = PropertyList::writeXmlFile(path, demo.source->dictionaryWithLessons(demo.lessons)).ok();
        benchmark::DoNotOptimize(written);
    }
    state.counters["lessons"] = double(demo.lessons.size());
}
BENCHMARK(ExportCourse200)->Unit(benchmark::kMillisecond);

// The file read once and its lessons laid over another course from its
// first day: the old content cleared, units, standards, attachments and
// assignments made.
void ImportCourse200(benchmark::State& state)
{
    DemoYear& demo = demoYear();
    for (auto _ : state) {
        const std::optional<CourseFile> file = CourseFile::read(demo.file);
        CourseImport(*demo.year, *file, demo.answers).addImportLessonsToCourse(demo.target, demo.year->startDate());
    }
    state.counters["lessons"] = double(demo.lessons.size());
}
BENCHMARK(ImportCourse200)->Unit(benchmark::kMillisecond);

} // namespace
