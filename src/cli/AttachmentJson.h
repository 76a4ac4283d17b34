#pragma once

#include <QJsonArray>
#include <QJsonObject>

class Assignment;
class Attachment;

namespace AttachmentJson {

// kind ("file" or "link"), name, path or url, notes, publish.
QJsonObject attachment(const Attachment& attachment);
QJsonArray attachments(const QList<Attachment*>& attachments);
// title, assigned and due dates (null when the lesson is gone), the slots
// between them, points, details as text and attachments.
QJsonObject assignment(const Assignment& assignment);

} // namespace AttachmentJson
