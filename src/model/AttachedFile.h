#pragma once

#include "model/Attachment.h"

class Lesson;

// A file attached to a lesson: its path, its bookmark and the path the
// Windows edition recorded for it. Files are kept by path; a "file" URL
// string is accepted wherever a path is read.
class AttachedFile : public Attachment {
public:
    using Attachment::Attachment;

    // Files larger than this are neither published nor uploaded.
    static constexpr qint64 sizeLimit = 20 * 1024 * 1024;

    QString filePath() const { return value<QString>(u"filePath"); }
    QString windowsFilePath() const { return value<QString>(u"windowsFilePath"); }
    QByteArray sandboxURL() const { return value<QByteArray>(u"sandboxURL"); }
    Lesson* lesson() const;

    // A dropped or chosen location as a plain path: a "file" URL loses its
    // scheme and escapes (kept escaped when they would not decode cleanly).
    static QString plainPath(const QString& pathOrURL);
    // The attachment name a file at this path starts with: its name without
    // the extension, escapes decoded when the result is readable text.
    static QString nameForPath(const QString& path);

    // Takes the path and the name that goes with it, published.
    void setFile(const QString& pathOrURL);

    QString attachmentName() const override;
    QString shortFilePath() const override;
    QString deleteStackType() const override { return QStringLiteral("attachfile"); }
    QString displayFileName() const;
    QString actualPath() const;
    bool fileExists() const;
    // Whether the file exists and is at most sizeLimit bytes long.
    bool isUnder20Meg() const;
    // Where the file hangs, for the list of missing files.
    virtual QString detailForSSBWindow() const;
    // Takes the file out of its lesson and deletes it.
    void removeFromLesson();

protected:
    const QStringList& keysThatUpdateTime() const override;
};
