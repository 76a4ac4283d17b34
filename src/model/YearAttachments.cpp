#include "model/AssignedFile.h"
#include "model/Year.h"
#include "store/ObjectContext.h"

QList<AttachedFile*> Year::getAllAttachedFiles() const
{
    return context().fetch<AttachedFile>(FetchRequest { QStringLiteral("AttachedFile"), {}, {} });
}

QList<AssignedFile*> Year::getAllAssignedFiles() const
{
    return context().fetch<AssignedFile>(FetchRequest { QStringLiteral("AssignedFile"), {}, {} });
}

QList<AttachedFile*> Year::getAllMissingFiles() const
{
    QList<AttachedFile*> missing;
    for (AttachedFile* file : getAllAttachedFiles()) {
        if (!file->fileExists())
            missing.append(file);
    }
    for (AssignedFile* file : getAllAssignedFiles()) {
        if (!file->fileExists())
            missing.append(file);
    }
    return missing;
}

QList<AttachedFile*> Year::relinkFiles(const QString& oldPath, const QString& newPath)
{
    // A file URL and the plain path it stands for name the same file.
    const QString target = AttachedFile::plainPath(oldPath);
    QList<AttachedFile*> all = getAllAttachedFiles();
    for (AssignedFile* file : getAllAssignedFiles())
        all.append(file);
    QList<AttachedFile*> changed;
    for (AttachedFile* file : all) {
        if (AttachedFile::plainPath(file->filePath()) == target) {
            file->setValue(u"filePath", AttachedFile::plainPath(newPath));
            changed.append(file);
        }
    }
    return changed;
}
