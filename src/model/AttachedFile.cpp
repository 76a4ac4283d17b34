#include "model/AttachedFile.h"

#include "model/Lesson.h"

#include <QFileInfo>

const QStringList& AttachedFile::keysThatUpdateTime() const
{
    static const QStringList keys = Attachment::keysThatUpdateTime() + QStringList { QStringLiteral("filePath") };
    return keys;
}

Lesson* AttachedFile::lesson() const
{
    return object<Lesson>(u"lesson");
}

QString AttachedFile::attachmentName() const
{
    const QString name = QStringLiteral("(File) %1").arg(this->name());
    const QString extension = QFileInfo(filePath()).suffix();
    return extension.isEmpty() ? name : QStringLiteral("%1 -- (%2)").arg(name, extension);
}

QString AttachedFile::shortFilePath() const
{
    return QFileInfo(filePath()).fileName();
}
