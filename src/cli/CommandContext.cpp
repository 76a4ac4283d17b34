#include "cli/CommandContext.h"

#include "model/Document.h"

#include <QFileInfo>

Result<std::unique_ptr<Document>> CommandContext::openDocument(const QString& path)
{
    using Opened = Result<std::unique_ptr<Document>>;
    if (!QFileInfo(path).isFile())
        return Opened::failure(QStringLiteral("%1: no such file").arg(path));
    auto document = std::make_unique<Document>(alerts, files);
    const Status opened = document->open(path);
    if (!opened)
        return Opened::failure(QStringLiteral("%1: %2").arg(path, opened.error()));
    // An older file is converted only into the file given with --upgrade-to.
    if (document->filePath().isEmpty())
        return Opened::failure(
            QStringLiteral("%1 was written by an earlier version; give --upgrade-to NEWFILE to convert it").arg(path));
    if (!document->getCurrentYear())
        return Opened::failure(QStringLiteral("%1: the document holds no school year").arg(path));
    return document;
}

Result<std::unique_ptr<Document>> CommandContext::openDocumentToChange(const QString& path)
{
    auto document = openDocument(path);
    if (!document)
        return document;
    if (const Status writable = document.value()->checkWritable(); !writable)
        return Result<std::unique_ptr<Document>>::failure(writable.error());
    return document;
}

Result<std::unique_ptr<Document>> CommandContext::newDocument(const QString& path, bool force)
{
    if (QFileInfo::exists(path) && !force)
        return Result<std::unique_ptr<Document>>::failure(
            QStringLiteral("%1 already exists (use --force to replace it)").arg(path));
    return std::make_unique<Document>(alerts, files);
}
