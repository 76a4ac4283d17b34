#include "model/SemestraRecords.h"

#include "model/AssignedFile.h"
#include "model/AssignedWebLink.h"
#include "model/Assignment.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/LessonReportInformation.h"
#include "model/MyCourse.h"
#include "model/PublishInfo.h"
#include "model/Standard.h"
#include "model/StandardInLesson.h"
#include "model/Tag.h"
#include "model/Unit.h"
#include "model/Week.h"
#include "model/Year.h"
#include "store/SemestraEntityModel.h"

#include <QHash>

namespace {

using Maker = std::unique_ptr<ManagedObject> (*)(const EntityDescription&, ObjectContext&);

template <typename T> std::unique_ptr<ManagedObject> make(const EntityDescription& entity, ObjectContext& context)
{
    return std::make_unique<T>(entity, context);
}

const QHash<QString, Maker>& makers()
{
    static const QHash<QString, Maker> table {
        { QStringLiteral("Year"), &make<Year> },
        { QStringLiteral("Course"), &make<Course> },
        { QStringLiteral("MyCourse"), &make<MyCourse> },
        { QStringLiteral("Week"), &make<Week> },
        { QStringLiteral("Day"), &make<Day> },
        { QStringLiteral("Lesson"), &make<Lesson> },
        { QStringLiteral("Unit"), &make<Unit> },
        { QStringLiteral("Standard"), &make<Standard> },
        { QStringLiteral("StandardInLesson"), &make<StandardInLesson> },
        { QStringLiteral("Assignment"), &make<Assignment> },
        { QStringLiteral("AttachedFile"), &make<AttachedFile> },
        { QStringLiteral("AttachedWebLink"), &make<AttachedWebLink> },
        { QStringLiteral("AssignedFile"), &make<AssignedFile> },
        { QStringLiteral("AssignedWebLink"), &make<AssignedWebLink> },
        { QStringLiteral("PublishInfo"), &make<PublishInfo> },
        { QStringLiteral("LessonReportInformation"), &make<LessonReportInformation> },
        { QStringLiteral("Tag"), &make<Tag> },
    };
    return table;
}

} // namespace

ObjectContext::RecordFactory SemestraRecords::factory()
{
    return [](const EntityDescription& entity, ObjectContext& context) {
        const Maker maker = makers().value(entity.name());
        if (!maker)
            qFatal("No record class for %s", qPrintable(entity.name()));
        return maker(entity, context);
    };
}

std::unique_ptr<ObjectContext> SemestraRecords::newContext()
{
    return std::make_unique<ObjectContext>(SemestraEntityModel::shared(), factory());
}
