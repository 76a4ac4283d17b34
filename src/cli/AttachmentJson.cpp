#include "cli/AttachmentJson.h"

#include "cli/CliDates.h"
#include "model/Assignment.h"
#include "model/AttachedFile.h"
#include "model/AttachedWebLink.h"
#include "model/Day.h"
#include "model/Lesson.h"

namespace {

QJsonValue dayJson(const Lesson* lesson)
{
    return lesson && lesson->dayTaught() ? QJsonValue(CliDates::formatDay(lesson->dayTaught()->actualDate()))
                                         : QJsonValue();
}

} // namespace

namespace AttachmentJson {

QJsonObject attachment(const Attachment& attachment)
{
    QJsonObject result { { QStringLiteral("name"), attachment.name() }, { QStringLiteral("notes"), attachment.notes() },
        { QStringLiteral("publish"), attachment.isPublished() } };
    if (const auto* file = dynamic_cast<const AttachedFile*>(&attachment)) {
        result.insert(QStringLiteral("kind"), QStringLiteral("file"));
        result.insert(QStringLiteral("path"), file->filePath());
    } else if (const auto* link = dynamic_cast<const AttachedWebLink*>(&attachment)) {
        result.insert(QStringLiteral("kind"), QStringLiteral("link"));
        result.insert(QStringLiteral("url"), link->url());
    }
    return result;
}

QJsonArray attachments(const QList<Attachment*>& attachments)
{
    QJsonArray result;
    for (const Attachment* each : attachments)
        result.append(attachment(*each));
    return result;
}

QJsonObject assignment(const Assignment& assignment)
{
    const std::optional<int> between = assignment.lessonsBetweenAssignedAndDue();
    return QJsonObject { { QStringLiteral("title"), assignment.title() },
        { QStringLiteral("assigned"), dayJson(assignment.assignedLesson()) },
        { QStringLiteral("due"), dayJson(assignment.dueLesson()) },
        { QStringLiteral("dueIn"), between ? QJsonValue(*between) : QJsonValue() },
        { QStringLiteral("points"), assignment.points() }, { QStringLiteral("details"), assignment.detailsString() },
        { QStringLiteral("attachments"), attachments(assignment.attachments()) } };
}

} // namespace AttachmentJson
