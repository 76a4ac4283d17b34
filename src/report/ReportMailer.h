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

    explicit ReportMailer(AlertPresenter& alerts, Launcher launch = startDetached, FolderOpener open = openFolder);

    // Where a mailed report is written ("weeklyreport.pdf",
    // "dailyreport.pdf"): the user's cache folder, created when missing,
    // the older file removed. Empty when the folder cannot be made.
    static QString pdfPathFor(const QString& fileName);
    // True when the composer was started with the file attached; otherwise
    // the folder holding the PDF is shown and the user told why.
    bool send(const QString& pdfPath, const QString& subject);

    static bool startDetached(const QString& program, const QStringList& arguments);
    static void openFolder(const QString& folder);

private:
    AlertPresenter& m_alerts;
    Launcher m_launch;
    FolderOpener m_open;
};
