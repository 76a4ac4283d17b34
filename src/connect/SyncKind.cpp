#include "connect/SyncKind.h"

#include "connect/SyncRecordXml.h"
#include "model/AssignedFile.h"
#include "model/AssignedWebLink.h"
#include "model/Assignment.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/Standard.h"
#include "model/StandardInLesson.h"
#include "model/Week.h"
#include "model/Year.h"
#include "store/ObjectContext.h"

namespace {

template <typename T>
QList<SyncedRecord*> fetchAll(const Year& year, const QString& entity, std::function<bool(const T&)> keep = {})
{
    QList<SyncedRecord*> records;
    for (T* record : year.context().fetch<T>(FetchRequest { entity, {}, {} })) {
        if (!keep || keep(*record))
            records.append(record);
    }
    return records;
}

template <typename T>
std::function<QByteArray(const SyncedRecord&, const Year&)> recordBody(QByteArray (*write)(const T&))
{
    return [write](const SyncedRecord& record, const Year&) { return write(static_cast<const T&>(record)); };
}

template <typename T>
std::function<QByteArray(const SyncedRecord&, const Year&)> bodyWithYear(QByteArray (*write)(const T&, const Year&))
{
    return [write](const SyncedRecord& record, const Year& year) { return write(static_cast<const T&>(record), year); };
}

bool isAssigned(const AttachedFile& file)
{
    return dynamic_cast<const AssignedFile*>(&file) != nullptr;
}

bool isAssigned(const AttachedWebLink& link)
{
    return dynamic_cast<const AssignedWebLink*>(&link) != nullptr;
}

} // namespace

QList<SyncKind> SyncKind::chain(bool syncPrivateFiles)
{
    using F = Form;
    return {
        { QStringLiteral("standards"), QStringLiteral("Sending standard %1 of %2"), {}, F::Xml,
            [](const Year& y) { return fetchAll<Standard>(y, QStringLiteral("Standard")); },
            bodyWithYear<Standard>(&SyncRecordXml::standard) },
        { QStringLiteral("courses"), QStringLiteral("Sending course %1 of %2"), QStringLiteral("Done sending courses"),
            F::Xml, [](const Year& y) { return fetchAll<Course>(y, QStringLiteral("MyCourse")); },
            bodyWithYear<Course>(&SyncRecordXml::course) },
        { QStringLiteral("weeks"), QStringLiteral("Sending week %1 of %2"), QStringLiteral("Done sending weeks"),
            F::Xml, [](const Year& y) { return fetchAll<Week>(y, QStringLiteral("Week")); },
            bodyWithYear<Week>(&SyncRecordXml::week) },
        { QStringLiteral("days"), QStringLiteral("sending day %1 of %2"), QStringLiteral("Done sending days"), F::Xml,
            [](const Year& y) { return fetchAll<Day>(y, QStringLiteral("Day")); },
            recordBody<Day>(&SyncRecordXml::day) },
        { QStringLiteral("lessons"), QStringLiteral("sending lesson %1 of %2"), QStringLiteral("Done sending lessons"),
            F::Xml, [](const Year& y) { return fetchAll<Lesson>(y, QStringLiteral("Lesson")); },
            recordBody<Lesson>(&SyncRecordXml::lesson) },
        { QStringLiteral("lesson_standards"), QStringLiteral("Sending lesson standard %1 of %2"),
            QStringLiteral("Done sending lessons standards"), F::Xml,
            [](const Year& y) {
                return fetchAll<StandardInLesson>(y, QStringLiteral("StandardInLesson"),
                    [](const StandardInLesson& link) { return link.lesson() && link.standard(); });
            },
            recordBody<StandardInLesson>(&SyncRecordXml::lessonStandard) },
        { QStringLiteral("assignments"), QStringLiteral("Sending assignment %1 of %2"),
            QStringLiteral("Done sending assignments"), F::Xml,
            [](const Year& y) { return fetchAll<Assignment>(y, QStringLiteral("Assignment")); },
            recordBody<Assignment>(&SyncRecordXml::assignment) },
        { QStringLiteral("attachfiles"), QStringLiteral("Sending attached file %1 of %2 : %3"),
            QStringLiteral("Done sending attached files"), F::LessonFile,
            [syncPrivateFiles](const Year& y) {
                return fetchAll<AttachedFile>(y, QStringLiteral("AttachedFile"), [=](const AttachedFile& file) {
                    return !isAssigned(file) && file.lesson() && file.isUnder20Meg()
                        && (file.isPublished() || syncPrivateFiles);
                });
            },
            {} },
        { QStringLiteral("assignment_attachfiles"), QStringLiteral("Sending assignment file %1 of %2 : %3"),
            QStringLiteral("Done sending assignment files"), F::AssignmentFile,
            [](const Year& y) {
                return fetchAll<AssignedFile>(y, QStringLiteral("AssignedFile"),
                    [](const AssignedFile& file) { return file.assignment() && file.isUnder20Meg(); });
            },
            {} },
        { QStringLiteral("attachlinks"), QStringLiteral("Sending web link %1 of %2"),
            QStringLiteral("Done sending web links"), F::Xml,
            [](const Year& y) {
                return fetchAll<AttachedWebLink>(y, QStringLiteral("AttachedWebLink"),
                    [](const AttachedWebLink& link) { return !isAssigned(link) && link.lesson(); });
            },
            recordBody<AttachedWebLink>(&SyncRecordXml::webLink) },
        { QStringLiteral("assignment_attachlinks"), QStringLiteral("Sending assignment web link %1 of %2"),
            QStringLiteral("Done sending assignment web links"), F::Xml,
            [](const Year& y) {
                return fetchAll<AssignedWebLink>(y, QStringLiteral("AssignedWebLink"),
                    [](const AssignedWebLink& link) { return link.assignment() != nullptr; });
            },
            recordBody<AttachedWebLink>(&SyncRecordXml::webLink) },
    };
}
