#pragma once

#include "foundation/core/Result.h"
#include "store/ObjectContext.h"

#include <memory>

class AlertPresenter;
class DocumentLock;
class FileChooser;
class Year;

// One open file: the records of its year and their life from creation or
// opening to saving. Windows and controllers hang off it; it knows nothing
// about widgets and asks the user only through the alert and file interfaces.
class Document {
public:
    static const QString fileExtension;

    // A new, untitled document with no year yet (the wizard builds one).
    Document(AlertPresenter& alerts, FileChooser& files);
    ~Document();
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    // Reads a document file. A file of an older layout is offered for
    // upgrade into a new file, which is then the one opened. When the user
    // declines, the document stays as it was (and filePath() empty).
    // The file is claimed for this process while it stays open; a file
    // another process has claimed opens read-only.
    Status open(const QString& path);
    // Nothing is ever written to the file of a read-only document: saving
    // and autosaving in place are refused, Save As to another file is not.
    bool isReadOnly() const;
    // Fails, saying why, when the document's own file may not be written:
    // for work that has effects elsewhere before it saves.
    Status checkWritable() const;

    ObjectContext& context() { return *m_context; }
    const QString& filePath() const { return m_filePath; }
    // The document's year: the first Year record, or none while it is new.
    Year* getCurrentYear() const;

    // Set while a document is being filled by the program (an import), so
    // that no wizard is offered for it.
    bool isOpeningProgrammatically() const { return m_openingProgrammatically; }
    void setOpeningProgrammatically(bool opening) { m_openingProgrammatically = opening; }

    // Saves to the document's file, or to `path` (which then becomes its
    // file, and the claim moves with it). Remembers the file as the one to
    // reopen at start-up. A file another process has claimed is refused.
    Status save();
    Status saveAs(const QString& path);
    // Saves in place when there is something worth keeping: never while the
    // document has no year, nor before it has a file.
    bool autosave();
    // Cuts the tie to the file (after the year moved to a new school year):
    // the document is untitled again, named after the old file, so that the
    // next save asks for a new name and autosaving leaves the old file alone.
    // Its undo history goes with the old year.
    void detachFromFile();
    // The file's name without extension, or the name an untitled document goes by.
    QString displayName() const;

    // Repairs run each time a window is set up for the year: rich fields made
    // to agree with their plain-text shadows, lesson times put back on their
    // days, day dates put back on their weekdays. From then on every change
    // is kept for undo, until the document closes.
    void setUpForWindow();

private:
    Status openCurrentLayout(const QString& path);
    Status upgradeAndOpen(const QString& path);
    Result<QString> convertCopy(const QString& oldPath, const QString& newPath);
    void fixTextFields();
    void markMetadataForSave();
    // A new claim on `path`, or none when the document's own claim covers it.
    Result<std::unique_ptr<DocumentLock>> claimForSave(const QString& path);

    AlertPresenter& m_alerts;
    FileChooser& m_files;
    std::unique_ptr<ObjectContext> m_context;
    std::unique_ptr<DocumentLock> m_lock;
    QString m_filePath;
    QString m_untitledName;
    bool m_openingProgrammatically = false;
};
