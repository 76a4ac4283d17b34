#pragma once

#include "model/Attachment.h"

class Lesson;

// A file attached to a lesson: its path, its bookmark and the path the
// Windows edition recorded for it.
class AttachedFile : public Attachment {
public:
    using Attachment::Attachment;

    QString filePath() const { return value<QString>(u"filePath"); }
    QString windowsFilePath() const { return value<QString>(u"windowsFilePath"); }
    QByteArray sandboxURL() const { return value<QByteArray>(u"sandboxURL"); }
    Lesson* lesson() const;
    QString attachmentName() const override;
    QString shortFilePath() const override;

protected:
    const QStringList& keysThatUpdateTime() const override;
};
