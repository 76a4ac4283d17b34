#include "content/LessonAttachmentsController.h"

#include "content/WebLinkTitler.h"
#include "foundation/notify/NotificationCenter.h"
#include "foundation/prefs/Preferences.h"
#include "model/AttachedFile.h"
#include "model/AttachedWebLink.h"
#include "model/Lesson.h"
#include "model/ModelNotifications.h"

#include <QDir>
#include <QFileInfo>

const QString LessonAttachmentsController::lastDirectoryKey = QStringLiteral("lastUsedSemestraDirectory");

LessonAttachmentsController::LessonAttachmentsController(WebLinkTitler* titler)
    : m_titler(titler)
{
}

QString LessonAttachmentsController::startDirectory()
{
    const QString remembered = Preferences::shared().stringValue(lastDirectoryKey);
    return !remembered.isEmpty() && QFileInfo(remembered).isDir() ? remembered : QDir::homePath();
}

QList<AttachedFile*> LessonAttachmentsController::attachFiles(Lesson* lesson, const QStringList& paths)
{
    QList<AttachedFile*> attached;
    if (!lesson || paths.isEmpty())
        return attached;
    for (const QString& path : paths)
        attached.append(lesson->addFileWithPath(path));
    Preferences::shared().setValue(
        lastDirectoryKey, QFileInfo(AttachedFile::plainPath(paths.last())).absolutePath());
    NotificationCenter::defaultCenter().post(ModelNotifications::lessonDisplayTextChanged, lesson);
    return attached;
}

AttachedWebLink* LessonAttachmentsController::attachLink(Lesson* lesson, const QString& typedAddress)
{
    const std::optional<QString> address = AttachedWebLink::addressFromTyped(typedAddress);
    if (!lesson || !address)
        return nullptr;
    AttachedWebLink* link = lesson->addWebLinkWithURL(*address);
    if (m_titler)
        m_titler->nameWhenFound(link);
    NotificationCenter::defaultCenter().post(ModelNotifications::lessonDisplayTextChanged, lesson);
    return link;
}

bool LessonAttachmentsController::isFileLocation(const QString& location)
{
    return location.startsWith(QLatin1String("file://")) || location.startsWith(QLatin1Char('/'));
}

bool LessonAttachmentsController::isWebLocation(const QString& location)
{
    return location.startsWith(QLatin1String("http://"), Qt::CaseInsensitive)
        || location.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
}

bool LessonAttachmentsController::acceptsDropped(const QStringList& locations)
{
    return std::any_of(locations.cbegin(), locations.cend(),
        [](const QString& location) { return isFileLocation(location) || isWebLocation(location); });
}

int LessonAttachmentsController::attachDropped(Lesson* lesson, const QStringList& locations)
{
    if (!lesson)
        return 0;
    QStringList files;
    int links = 0;
    for (const QString& location : locations) {
        if (isFileLocation(location))
            files.append(location);
        else if (isWebLocation(location))
            links += attachLink(lesson, location) ? 1 : 0;
    }
    return int(attachFiles(lesson, files).size()) + links;
}
