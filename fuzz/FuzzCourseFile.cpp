// Reads arbitrary bytes as a course export file and lays what it holds onto a
// new course of a small year: nothing may crash, the course gets a name, and
// what was imported must export and read back with as many lessons.
#include "exchange/CourseFile.h"
#include "exchange/CourseImport.h"
#include "foundation/alerts/AlertPresenter.h"
#include "foundation/dates/LocalCalendar.h"
#include "foundation/plist/PropertyList.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/SemestraRecords.h"
#include "model/Week.h"
#include "model/Year.h"
#include "store/ObjectContext.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>

namespace {

constexpr int dayCount = 4;

// Every question is answered as a teacher in a hurry would: go on.
class GoOn : public AlertPresenter {
public:
    int runModal(const Alert&) override { return AlertDefaultReturn; }
};

Year* smallYear(ObjectContext& context)
{
    const Date monday = LocalCalendar::dateFromComponents(DateComponents { 2026, 9, 7, 0, 0, 0 });
    auto* year = context.insert<Year>(QStringLiteral("Year"));
    year->setDate(u"startDate", monday);
    year->setDate(u"endDate", LocalCalendar::addingDays(monday, dayCount - 1));
    auto* week = context.insert<Week>(QStringLiteral("Week"));
    week->setValue(u"weekNumber", 1);
    week->setObject(u"year", year);
    for (int offset = 0; offset < dayCount; ++offset) {
        auto* day = context.insert<Day>(QStringLiteral("Day"));
        day->setDate(u"actualDate", LocalCalendar::addingDays(monday, offset));
        day->setObject(u"week", week);
    }
    return year;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // Rich text needs a GUI application for its fonts; no display is needed.
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<CourseFile> file = CourseFile::fromData(input);
    if (!file)
        return 0;
    const auto context = SemestraRecords::newContext();
    Year* year = smallYear(*context);
    GoOn alerts;
    const Course* course
        = CourseImport(*year, *file, alerts).importAsNewCourse(year->getAllDaysOrderedAscending(), year->startDate());
    if (!course || course->courseName().isEmpty())
        std::abort();
    const auto exported = CourseFile::fromData(PropertyList::writeXml(course->dictionaryForExport()));
    if (!exported || exported->lessons.size() != dayCount)
        std::abort();
    return 0;
}
