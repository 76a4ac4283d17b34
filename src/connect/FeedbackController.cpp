#include "connect/FeedbackController.h"

#include "connect/MultipartForm.h"
#include "connect/SyncConnection.h"
#include "foundation/alerts/AlertPresenter.h"

#include <QCoreApplication>
#include <QFile>
#include <QSysInfo>
#include <QThread>

#include <sys/utsname.h>
#include <unistd.h>

const QString FeedbackController::sentTitle = QStringLiteral("Thank you for your feedback!");
const QString FeedbackController::failedTitle = QStringLiteral("An Error Occured");
const QString FeedbackController::noEmailTitle = QStringLiteral("You Didn't Enter an Email Address");
const QString FeedbackController::suppressedProfile = QStringLiteral("<systemProfile suppressed>");

namespace {

const QString separator = QStringLiteral("\n\n--\n\n");

QString osRelease()
{
    QFile file(QStringLiteral("/etc/os-release"));
    if (!file.open(QIODevice::ReadOnly))
        return QSysInfo::prettyProductName();
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.startsWith("PRETTY_NAME="))
            return QString::fromUtf8(line.mid(12)).remove(QLatin1Char('"'));
    }
    return QSysInfo::prettyProductName();
}

qint64 memoryBytes()
{
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGE_SIZE);
    return pages > 0 && pageSize > 0 ? qint64(pages) * pageSize : 0;
}

} // namespace

FeedbackController::FeedbackController(SyncConnection& connection, AlertPresenter& alerts, QObject* parent)
    : QObject(parent)
    , m_connection(connection)
    , m_alerts(alerts)
{ }

void FeedbackController::setTemplates(const QString& templates)
{
    m_texts = templates.split(separator);
    while (m_texts.size() < 3)
        m_texts.append(QString());
    m_section = Bug;
}

QString FeedbackController::switchSection(int section, const QString& currentText)
{
    m_texts[m_section] = currentText;
    m_section = std::clamp(section, int(Bug), int(Support));
    return m_texts[m_section];
}

FeedbackController::Fields FeedbackController::formFields(
    const QString& text, const Contact& contact, const QString& systemProfile) const
{
    static const QByteArray types[] = { "BUG", "FEATURE", "SUPPORT" };
    Fields fields { { "feedbackType", types[m_section] }, { "feedback", text.toUtf8() },
        { "appName", QCoreApplication::applicationName().toUtf8() },
        { "bundleID", QByteArrayLiteral("org.semestra.Semestra") },
        { "version", QCoreApplication::applicationVersion().toUtf8() }, { "systemProfile", systemProfile.toUtf8() } };
    if (contact.include && !contact.email.trimmed().isEmpty())
        fields.append({ "email", contact.email.trimmed().toUtf8() });
    if (contact.include && !contact.name.trimmed().isEmpty())
        fields.append({ "name", contact.name.trimmed().toUtf8() });
    return fields;
}

bool FeedbackController::send(const QString& text, const Contact& contact, const QString& systemProfile)
{
    m_texts[m_section] = text;
    if (!contact.include || contact.email.trimmed().isEmpty()) {
        const int answer = m_alerts.runModal({ noEmailTitle,
            QStringLiteral("If you don't enter an email address, you will not receive feedback or followup about your "
                           "comments.  Please consider adding an address at which you can be contacted"),
            QStringLiteral("Send Anyway"), QStringLiteral("Cancel"), {} });
        if (answer != AlertDefaultReturn)
            return false;
    }
    MultipartForm form("x-mime-boundary://");
    for (const auto& [name, value] : formFields(text, contact, systemProfile))
        form.addField(name, value);
    HttpRequest request;
    request.method = "POST";
    request.url = QStringLiteral("/feedback");
    request.headers = { { "Content-Type", form.contentType() } };
    request.body = form.body();
    m_connection.send(std::move(request), [this](const HttpResponse& r) {
        if (r.succeeded())
            m_alerts.inform(sentTitle, QStringLiteral("Your feedback has been sent."));
        else
            m_alerts.inform(failedTitle,
                QStringLiteral("There was a problem sending your feedback.  Please try again at another time"));
        emit finished(r.succeeded());
    });
    return true;
}

QString FeedbackController::systemProfile()
{
    utsname system {};
    const QString kernel = uname(&system) == 0
        ? QStringLiteral("%1 %2 %3 %4")
              .arg(QString::fromLocal8Bit(system.sysname), QString::fromLocal8Bit(system.release),
                  QString::fromLocal8Bit(system.version), QString::fromLocal8Bit(system.machine))
        : QSysInfo::kernelType() + QLatin1Char(' ') + QSysInfo::kernelVersion();
    return QStringLiteral("Kernel: %1\nSystem: %2\nQt: %3\nProcessors: %4\nMemory: %5 MiB\n")
        .arg(kernel, osRelease(), QString::fromLatin1(qVersion()))
        .arg(QThread::idealThreadCount())
        .arg(memoryBytes() / (1024 * 1024));
}
