#include "report/ReportMailer.h"

#include "foundation/alerts/AlertPresenter.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <algorithm>

ReportMailer::ReportMailer(AlertPresenter& alerts, Launcher launch, FolderOpener open, HandlerLookup mailHandler)
    : m_alerts(alerts)
    , m_launch(std::move(launch))
    , m_open(std::move(open))
    , m_mailHandler(std::move(mailHandler))
{ }

QString ReportMailer::pdfPathFor(const QString& fileName)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return {};
    const QString path = QDir(folder).filePath(fileName);
    QFile::remove(path);
    return path;
}

bool ReportMailer::send(const QString& pdfPath, const QString& subject)
{
    const QStringList arguments { QStringLiteral("--subject"), subject, QStringLiteral("--attach"), pdfPath };
    if (!m_launch(QStringLiteral("xdg-email"), arguments)) {
        showWhereThePdfIs(pdfPath, QStringLiteral("Could Not Create Mail"),
            QStringLiteral("The desktop's mail program could not be started (xdg-email, from xdg-utils)."));
        return false;
    }
    if (takesAttachments(m_mailHandler()))
        return true;
    showWhereThePdfIs(pdfPath, QStringLiteral("Attach the Report Yourself"),
        QStringLiteral("Your mail program opens a new message but does not take attachments handed to it."));
    return false;
}

// xdg-email hands the file itself only to these; every other mail program
// gets a mailto link whose attachment it ignores.
bool ReportMailer::takesAttachments(const QString& handler)
{
    static const QStringList attaching { QStringLiteral("thunderbird"), QStringLiteral("icedove"),
        QStringLiteral("evolution"), QStringLiteral("kmail") };
    const QString name = handler.toLower();
    return std::any_of(
        attaching.begin(), attaching.end(), [&](const QString& client) { return name.contains(client); });
}

void ReportMailer::showWhereThePdfIs(const QString& pdfPath, const QString& title, const QString& reason)
{
    m_open(QFileInfo(pdfPath).absolutePath());
    m_alerts.inform(
        title, QStringLiteral("%1 The report was saved as %2; attach it to a message yourself.").arg(reason, pdfPath));
}

bool ReportMailer::startDetached(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}

void ReportMailer::openFolder(const QString& folder)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

QString ReportMailer::defaultMailHandler()
{
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
        { QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("x-scheme-handler/mailto") });
    if (!query.waitForFinished(3000) || query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0)
        return {};
    return QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
}
