#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class AttachedFile;
class AttachedWebLink;
class Attachment;
class Lesson;
class WebLinkTitler;

// Attaching files and links to a lesson: from the file panel, the link
// sheet, drops onto a lesson and pastes into its attachments table.
class LessonAttachmentsController {
public:
    // Where the file panel starts: the folder files were last attached from.
    static const QString lastDirectoryKey;

    explicit LessonAttachmentsController(WebLinkTitler* titler = nullptr);

    // The folder the file panel starts in: the last one used, else home.
    static QString startDirectory();
    // Attaches each file and remembers the last one's folder.
    QList<AttachedFile*> attachFiles(Lesson* lesson, const QStringList& paths);
    // None when the address is refused (nothing usable typed).
    AttachedWebLink* attachLink(Lesson* lesson, const QString& typedAddress);
    // Dropped or pasted locations: "file" URLs (and plain absolute paths)
    // become files, "http" and "https" URLs links; anything else is left
    // out. Answers how many were attached.
    int attachDropped(Lesson* lesson, const QStringList& locations);
    // Whether a drop of these locations would attach anything.
    static bool acceptsDropped(const QStringList& locations);
    // A "file" URL or an absolute path.
    static bool isFileLocation(const QString& location);
    // An "http" or "https" URL.
    static bool isWebLocation(const QString& location);

private:
    WebLinkTitler* m_titler;
};
