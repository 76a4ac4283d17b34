#include "model/AttachedFile.h"

#include "model/Lesson.h"

const QStringList& AttachedFile::keysThatUpdateTime() const
{
    static const QStringList keys = Attachment::keysThatUpdateTime() + QStringList { QStringLiteral("filePath") };
    return keys;
}

Lesson* AttachedFile::lesson() const
{
    return object<Lesson>(u"lesson");
}
