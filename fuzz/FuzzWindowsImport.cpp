// Reads arbitrary bytes as an exchange file of the Windows edition. Whatever
// the bytes, the import may refuse the file but must not crash or hang, and
// what it imports must be a whole plan: every lesson on a day and in a
// course, every day in a week, every standard's parents ending at a root.
#include "exchange/windows/WindowsFileImporter.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/SemestraRecords.h"
#include "model/Standard.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QSet>

#include <cstdint>
#include <cstdlib>

namespace {

QString inputPath;

void requireWholePlan(const ObjectContext& context)
{
    for (const Lesson* lesson : context.fetch<Lesson>({ QStringLiteral("Lesson"), {}, {} })) {
        if (!lesson->dayTaught() || !lesson->course())
            std::abort();
    }
    for (const Day* day : context.fetch<Day>({ QStringLiteral("Day"), {}, {} })) {
        if (!day->object(u"week"))
            std::abort();
    }
    for (const Standard* standard : context.fetch<Standard>({ QStringLiteral("Standard"), {}, {} })) {
        QSet<const Standard*> passed;
        for (const Standard* up = standard; up; up = up->parent()) {
            if (passed.contains(up))
                std::abort();
            passed.insert(up);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // Lesson text is rich text, which needs a GUI application for its fonts.
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication application(*argc, *argv);
    inputPath = QDir::temp().filePath(QStringLiteral("fuzz-windows-import-%1.smsqlite").arg(getpid()));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QFile file(inputPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    file.close();
    const std::unique_ptr<ObjectContext> context = SemestraRecords::newContext();
    if (WindowsFileImporter::importFile(inputPath, *context).ok())
        requireWholePlan(*context);
    return 0;
}
