#pragma once

#include "model/Attachment.h"

#include <optional>

class Lesson;

// A web link attached to a lesson.
class AttachedWebLink : public Attachment {
public:
    using Attachment::Attachment;

    QString url() const { return value<QString>(u"URL"); }
    Lesson* lesson() const;

    // The address a teacher typed, with "http://" in front when it names
    // neither http nor https; none when nothing usable was typed.
    static std::optional<QString> addressFromTyped(const QString& typed);

    // Takes the address and a name (the address when `name` is empty),
    // published.
    void setLink(const QString& url, const QString& name);

    QString attachmentName() const override;
    QString shortFilePath() const override { return url(); }
    QString deleteStackType() const override { return QStringLiteral("attachlink"); }
    // Takes the link out of its lesson and deletes it.
    void removeFromLesson();
};
