#pragma once

#include "model/Attachment.h"

class Lesson;

// A web link attached to a lesson.
class AttachedWebLink : public Attachment {
public:
    using Attachment::Attachment;

    QString url() const { return value<QString>(u"URL"); }
    Lesson* lesson() const;
    QString attachmentName() const override { return QStringLiteral("(Web) %1").arg(name()); }
    QString shortFilePath() const override { return url(); }
};
