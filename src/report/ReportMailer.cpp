#include "report/ReportMailer.h"

#include "foundation/alerts/AlertPresenter.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

ReportMailer::ReportMailer(AlertPresenter& alerts, Launcher launch, FolderOpener open)
    : m_alerts(alerts)
    , m_launch(std::move(launch))
    , m_open(std::move(open))
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
    if (m_launch(QStringLiteral("xdg-email"), arguments))
        return true;
    m_open(QFileInfo(pdfPath).absolutePath());
    m_alerts.inform(QStringLiteral("Could Not Create Mail"),
        QStringLiteral("The desktop's mail program could not be started (xdg-email, from xdg-utils). The report "
                       "was saved as %1; attach it to a message yourself.")
            .arg(pdfPath));
    return false;
}

bool ReportMailer::startDetached(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}

void ReportMailer::openFolder(const QString& folder)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}
