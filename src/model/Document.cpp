#include "model/Document.h"

#include "foundation/alerts/AlertPresenter.h"
#include "foundation/alerts/FileChooser.h"
#include "foundation/prefs/Preferences.h"
#include "model/DocumentLock.h"
#include "model/Lesson.h"
#include "model/SemestraRecords.h"
#include "model/Year.h"
#include "store/SemestraEntityModel.h"
#include "store/SqliteStore.h"
#include "store/StoreMigration.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

const QString Document::fileExtension = QStringLiteral("semestra");

namespace {

const QString updatedForSandbox = QStringLiteral("updatedForSandbox");
const QString updatedForWindows = QStringLiteral("updatedForWindows");

} // namespace

Document::Document(AlertPresenter& alerts, FileChooser& files)
    : m_alerts(alerts)
    , m_files(files)
    , m_context(SemestraRecords::newContext())
{ }

Document::~Document() = default;

Year* Document::getCurrentYear() const
{
    const QList<Year*> years = m_context->fetch<Year>({ QStringLiteral("Year"), {}, {} });
    return years.isEmpty() ? nullptr : years.first();
}

Status Document::open(const QString& path)
{
    const Result<QVariantMap> metadata = SqliteStore::readMetadata(path);
    if (!metadata)
        return Status::failure(metadata.error());
    if (SqliteStore::modelVersion(*metadata) < SemestraEntityModel::version)
        return upgradeAndOpen(path);
    return openCurrentLayout(path);
}

Status Document::openCurrentLayout(const QString& path)
{
    auto opened = SqliteStore::open(path, SemestraEntityModel::shared(), SemestraRecords::factory());
    if (!opened)
        return Status::failure(opened.error());
    m_context = std::move(opened).value();
    m_filePath = m_context->storePath();
    m_lock = std::make_unique<DocumentLock>(m_filePath);
    // Files written before lesson times were kept on their days get them
    // moved there once; the mark is written with the next save.
    if (!m_context->metadata().value(updatedForSandbox).toBool()) {
        if (Year* year = getCurrentYear())
            year->fixLessonTimes();
    }
    return Status::success();
}

Status Document::upgradeAndOpen(const QString& path)
{
    const int answer = m_alerts.runModal({ QStringLiteral("Semestra File Must Be Upgraded"),
        QStringLiteral("Semestra is trying to open a file created with an earlier version of this application. "
                       "This file must be upgraded for use with Semestra 4.1."),
        QStringLiteral("Upgrade"), QStringLiteral("Cancel"), {} });
    if (answer != AlertDefaultReturn)
        return Status::success();
    const QFileInfo old(path);
    const std::optional<QString> target = m_files.chooseSaveLocation(
        { QStringLiteral("Document Migration"), QStringLiteral("Please enter a name for your upgraded data file"), {},
            {}, old.absolutePath(), old.fileName(), { fileExtension, QStringLiteral("binary") }, true });
    if (!target)
        return Status::success();
    const Result<QString> converted = convertCopy(path, *target);
    if (!converted)
        return Status::failure(converted.error());
    m_alerts.runModal({ QStringLiteral("Upgrade Successful"),
        QStringLiteral("If you use Semestra Tablet for iPad, please download the free update (version 2.5) to work "
                       "with this file."),
        QStringLiteral("Ok"), {}, {} });
    return openCurrentLayout(*converted);
}

// Converts a copy step by step in a temporary folder beside the old file, so
// that the old file is never touched and the new one appears only when whole.
Result<QString> Document::convertCopy(const QString& oldPath, const QString& newPath)
{
    QTemporaryDir work(QFileInfo(oldPath).absoluteDir().filePath(QStringLiteral(".semestra-upgrade-XXXXXX")));
    if (!work.isValid() || !QFile::copy(oldPath, work.filePath(QStringLiteral("initial"))))
        return Result<QString>::failure(QStringLiteral("The file could not be copied for its upgrade."));
    QString current = work.filePath(QStringLiteral("initial"));
    for (int step = 1;; ++step) {
        const Result<QVariantMap> metadata = SqliteStore::readMetadata(current);
        if (!metadata)
            return Result<QString>::failure(metadata.error());
        if (SqliteStore::modelVersion(*metadata) == SemestraEntityModel::version)
            break;
        const QString next = work.filePath(QStringLiteral("migration-%1").arg(step));
        const Result<int> migrated = StoreMigration::migrateStep(current, next);
        if (!migrated)
            return Result<QString>::failure(migrated.error());
        current = next;
    }
    const QString staged = newPath + QStringLiteral(".upgrading");
    QFile::remove(staged);
    if (!QFile::copy(current, staged) || (QFile::exists(newPath) && !QFile::remove(newPath))
        || !QFile::rename(staged, newPath)) {
        QFile::remove(staged);
        return Result<QString>::failure(QStringLiteral("The upgraded file could not be written to %1.").arg(newPath));
    }
    return newPath;
}

void Document::markMetadataForSave()
{
    m_context->metadata().insert(updatedForSandbox, true);
    m_context->metadata().insert(updatedForWindows, true);
}

Status Document::save()
{
    if (m_filePath.isEmpty())
        return Status::failure(QStringLiteral("The document has no file yet."));
    return saveAs(m_filePath);
}

bool Document::isReadOnly() const
{
    return m_lock && m_lock->isHeldElsewhere();
}

Status Document::checkWritable() const
{
    if (!isReadOnly())
        return Status::success();
    return Status::failure(QStringLiteral("“%1” is open in another copy of Semestra, so nothing was written to it.")
                               .arg(QFileInfo(m_filePath).fileName()));
}

// A read-only document never claims its own file later, even once the other
// process lets go: that process may have saved since, and writing only this
// document's changes over its work would mix the two.
Result<std::unique_ptr<DocumentLock>> Document::claimForSave(const QString& path)
{
    using Claim = Result<std::unique_ptr<DocumentLock>>;
    const QString name = QFileInfo(path).fileName();
    if (m_lock && m_lock->covers(path)) {
        if (const Status writable = checkWritable(); !writable)
            return Claim::failure(writable.error());
        return std::unique_ptr<DocumentLock>();
    }
    auto lock = std::make_unique<DocumentLock>(path);
    if (lock->isHeldElsewhere())
        return Claim::failure(
            QStringLiteral("“%1” is open in another copy of Semestra; close it there first.").arg(name));
    return lock;
}

// The model version, "updatedForSandbox" and "updatedForWindows" go into the
// file's metadata in the same transaction as the records.
Status Document::saveAs(const QString& path)
{
    Result<std::unique_ptr<DocumentLock>> claim = claimForSave(path);
    if (!claim)
        return Status::failure(claim.error());
    markMetadataForSave();
    const Status saved = SqliteStore::save(*m_context, path);
    if (!saved)
        return saved;
    // A new file's claim replaces that of the file left behind.
    if (claim.value())
        m_lock = std::move(claim).value();
    m_filePath = m_context->storePath();
    // Only a file that was written is worth reopening at start-up.
    Preferences::shared().setValue(QStringLiteral("lastFileURLLeopard"), QFileInfo(path).absoluteFilePath());
    return saved;
}

bool Document::autosave()
{
    if (!getCurrentYear() || m_filePath.isEmpty() || isReadOnly())
        return false;
    markMetadataForSave();
    return SqliteStore::save(*m_context, m_filePath).ok();
}

void Document::detachFromFile()
{
    // The year moved on to a new school year; there is no way back into the old one.
    m_context->undoHistory().clear();
    if (m_filePath.isEmpty())
        return;
    m_untitledName = QFileInfo(m_filePath).completeBaseName();
    m_filePath.clear();
    m_lock.reset();
}

QString Document::displayName() const
{
    if (!m_filePath.isEmpty())
        return QFileInfo(m_filePath).completeBaseName();
    return m_untitledName.isEmpty() ? QStringLiteral("Untitled") : m_untitledName;
}

void Document::setUpForWindow()
{
    fixTextFields();
    if (Year* year = getCurrentYear())
        year->fixDaylightSavings();
    // The repairs are not the teacher's changes: the history starts after them.
    UndoHistory& history = m_context->undoHistory();
    history.clear();
    history.setEnabled(true);
}

void Document::fixTextFields()
{
    for (Lesson* lesson : m_context->fetch<Lesson>({ QStringLiteral("Lesson"), {}, {} })) {
        lesson->makeFieldsEqual();
        lesson->fixUpTimes();
    }
}
