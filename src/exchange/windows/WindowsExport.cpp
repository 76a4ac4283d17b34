#include "exchange/windows/WindowsExport.h"

#include "foundation/random/RandomSource.h"
#include "model/Assignment.h"
#include "model/Course.h"
#include "model/Document.h"
#include "model/Unit.h"
#include "model/Year.h"
#include "store/ObjectContext.h"

const QString WindowsExport::fileExtension = QStringLiteral("smsqlite");

void WindowsExport::fixExportProblems(Year& year)
{
    ObjectContext& context = year.context();
    for (Unit* unit : context.fetch<Unit>({ QStringLiteral("Unit"), {}, {} })) {
        if (!unit->object(u"course"))
            context.deleteObject(unit);
    }
    for (Course* course : year.myCourses())
        course->setRGBColors();
    for (Assignment* assignment : context.fetch<Assignment>({ QStringLiteral("Assignment"), {}, {} })) {
        if (!assignment->object(u"dueLesson") || !assignment->object(u"assignedLesson"))
            context.deleteObject(assignment);
    }
}

void WindowsExport::prepareForExport(Year& year)
{
    fixExportProblems(year);
    year.setValue(u"teacherEmail", QStringLiteral("1"));
}

QString WindowsExport::genRandStringLength(int n)
{
    static const QString characters
        = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
    QString result;
    result.reserve(n);
    for (int i = 0; i < n; ++i)
        result += characters.at(RandomSource::shared().uniform(std::uint32_t(characters.size())));
    return result;
}

QString WindowsExport::proposedFileName(const Document& document)
{
    return document.displayName() + QStringLiteral("_Windows.") + fileExtension;
}
