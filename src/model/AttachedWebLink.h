#pragma once

#include "model/Attachment.h"

class Lesson;

// A web link attached to a lesson.
class AttachedWebLink : public Attachment {
public:
    using Attachment::Attachment;

    QString url() const { return value<QString>(u"URL"); }
    Lesson* lesson() const;
};
