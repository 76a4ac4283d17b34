#pragma once

#include <QList>

class AlertPresenter;
class AttachedFile;
class FileChooser;
class Year;

// The "Check Attachments" sheet: every file attached to a lesson or an
// assignment that is no longer at its path, with where it hangs. A file can
// be pointed at its new place (every record of the same old path follows)
// or removed; the sheet is finished once the list is empty.
class MissingAttachmentsController {
public:
    MissingAttachmentsController(AlertPresenter& alerts, FileChooser& files);

    // Lists the missing files; with none, tells the teacher so and answers
    // false (there is nothing to show).
    bool checkAttachments(Year* year);
    const QList<AttachedFile*>& files() const { return m_files; }
    bool isFinished() const { return m_finished; }

    // Asks where the file is now; false when the teacher cancelled.
    bool locate(AttachedFile* file);
    void remove(AttachedFile* file);
    void removeAllMissing();

private:
    void removeRecord(AttachedFile* file);
    // Closes the sheet once nothing is left, announcing it when asked.
    enum class Announce { Yes, No };
    void finishWhenEmpty(Announce announce);

    AlertPresenter& m_alerts;
    FileChooser& m_chooser;
    Year* m_year = nullptr;
    QList<AttachedFile*> m_files;
    bool m_finished = false;
};
