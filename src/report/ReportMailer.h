#pragma once

#include <QStringList>

#include <functional>

class AlertPresenter;

// Hands a report PDF to the desktop's mail composer. Without one, the PDF
// stays where it was written and the folder is shown, with the reason.
class ReportMailer {
public:
    // Starts a program without waiting for it; false when it cannot start.
    using Launcher = std::function<bool(const QString& program, const QStringList& arguments)>;
    using FolderOpener = std::function<void(const QString& folder)>;
    // The desktop entry of the user's mail program (the handler of mailto
    // links); empty when none is set.
    using HandlerLookup = std::function<QString()>;

    explicit ReportMailer(AlertPresenter& alerts, Launcher launch = startDetached, FolderOpener open = openFolder,
        HandlerLookup mailHandler = defaultMailHandler);

    // Where a mailed report is written ("weeklyreport.pdf",
    // "dailyreport.pdf"): the user's cache folder, created when missing,
    // the older file removed. Empty when the folder cannot be made.
    static QString pdfPathFor(const QString& fileName);
    // True when the composer was started with the file attached. Otherwise,
    // also when the mail program is one that drops attachments it is handed,
    // the folder holding the PDF is shown and the user told where it is.
    bool send(const QString& pdfPath, const QString& subject);

    // Whether the desktop's mail hand-off attaches files for this mail
    // program; the others receive a bare mailto link and drop the file.
    static bool takesAttachments(const QString& handler);

    static bool startDetached(const QString& program, const QStringList& arguments);
    static void openFolder(const QString& folder);
    static QString defaultMailHandler();

private:
    void showWhereThePdfIs(const QString& pdfPath, const QString& title, const QString& reason);

    AlertPresenter& m_alerts;
    Launcher m_launch;
    FolderOpener m_open;
    HandlerLookup m_mailHandler;
};
