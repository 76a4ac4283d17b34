// A process that rewrites a document and saves it, to be killed mid-save by
// SqliteStoreCrashTest. Usage: store_save_victim FILE GENERATION (in-place|copy)
#include "StoreGraphFiller.h"
#include "store/SemestraEntityModel.h"
#include "store/SqliteStore.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 4)
        return 2;
    auto opened = SqliteStore::open(args[1], SemestraEntityModel::shared());
    if (!opened)
        return 3;
    ObjectContext& context = *opened.value();
    const QString title = QStringLiteral("generation ") + args[2];
    for (ManagedObject* lesson : context.objectsOfEntity(*context.model().entity(u"Lesson"))) {
        lesson->setValue(u"lessonTitle", title);
        lesson->setValue(u"lessonBody", (title + QStringLiteral(" body ")).repeated(20).toUtf8());
    }
    std::fputs("saving\n", stdout);
    std::fflush(stdout);
    const Status saved
        = args[3] == u"copy" ? SqliteStore::writeCopy(context, args[1]) : SqliteStore::save(context, args[1]);
    if (!saved)
        return 4;
    std::fputs("saved\n", stdout);
    std::fflush(stdout);
    return 0;
}
