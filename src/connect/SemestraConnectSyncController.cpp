#include "connect/SemestraConnectSyncController.h"

#include "connect/MultipartForm.h"
#include "connect/SyncConnection.h"
#include "connect/SyncRecordXml.h"
#include "connect/SyncReplies.h"
#include "foundation/alerts/AlertPresenter.h"
#include "foundation/dates/DateFormatting.h"
#include "foundation/prefs/Preferences.h"
#include "model/AssignedFile.h"
#include "model/Assignment.h"
#include "model/Document.h"
#include "model/Lesson.h"
#include "model/Year.h"
#include "net/HttpTransfer.h"

#include <QFile>
#include <QFileInfo>
#include <QTimer>

const QString SemestraConnectSyncController::mismatchTitle = QStringLiteral("File doesn't match account");
const QString SemestraConnectSyncController::stoppedTitle = QStringLiteral("Sync to SemestraConnect Stopped");
const QString SemestraConnectSyncController::filesFailedTitle = QStringLiteral("Some Files Were Not Uploaded");
const QString SemestraConnectSyncController::reminderTitle = QStringLiteral("Sync to SemestraConnect started");
const QString SemestraConnectSyncController::purgeTitle = QStringLiteral("Really Reset Sync Information?");
const QString SemestraConnectSyncController::purgedTitle = QStringLiteral("Sync Information Reset");

namespace {

const QString remindKey = QStringLiteral("remindAboutSyncProgress");
const QString privateFilesKey = QStringLiteral("syncPrivateFiles");
const QString yearIdKey = QStringLiteral("teacherSchool");
const QString referenceKey = QStringLiteral("teacherAddress");
const QString deleteStackKey = QStringLiteral("teacherPhone");

// Deletes go children first, so the service never holds a record whose
// parent is gone.
const QStringList deleteOrder { QStringLiteral("lesson_standard"), QStringLiteral("assignment_attachfile"),
    QStringLiteral("assignment_attachlink"), QStringLiteral("assignment"), QStringLiteral("attachfile"),
    QStringLiteral("attachlink"), QStringLiteral("lesson"), QStringLiteral("day"), QStringLiteral("week"),
    QStringLiteral("course"), QStringLiteral("standard"), QStringLiteral("year") };

const QStringList syncedEntities { QStringLiteral("MyCourse"), QStringLiteral("Standard"),
    QStringLiteral("StandardInLesson"), QStringLiteral("Week"), QStringLiteral("Day"), QStringLiteral("Lesson"),
    QStringLiteral("Assignment"), QStringLiteral("AttachedFile"), QStringLiteral("AttachedWebLink") };

QString describe(const HttpResponse& response)
{
    if (!response.answered())
        return QStringLiteral("SemestraConnect did not answer (%1)").arg(response.transportError);
    const QString text = QString::fromUtf8(response.body.left(200)).simplified();
    return QStringLiteral("SemestraConnect answered %1%2")
        .arg(response.status)
        .arg(text.isEmpty() ? QString() : QStringLiteral(": ") + text);
}

QString deleteType(const QString& entry)
{
    return entry.section(QLatin1Char(':'), -1);
}

} // namespace

SemestraConnectSyncController::SemestraConnectSyncController(
    Document& document, SyncConnection& connection, AlertPresenter& alerts, Scope scope, QObject* parent)
    : QObject(parent)
    , m_document(document)
    , m_year(*document.getCurrentYear())
    , m_connection(connection)
    , m_alerts(alerts)
    , m_scope(scope)
{
    m_uploadClock.setInterval(UploadProgress::tickMilliseconds);
    connect(&m_uploadClock, &QTimer::timeout, this,
        [this] { emit uploadProgressed(m_upload->tick(m_uploadTransfer->bytesSent.load())); });
}

SemestraConnectSyncController::~SemestraConnectSyncController()
{
    if (isRunning())
        m_connection.abandon();
}

void SemestraConnectSyncController::setRetries(int attempts, std::chrono::milliseconds firstPause)
{
    m_maxAttempts = std::max(1, attempts);
    m_firstPause = firstPause;
}

std::optional<Date> SemestraConnectSyncController::referenceTime(const Year& year)
{
    bool ok = false;
    const double seconds = year.value<QString>(referenceKey).toDouble(&ok);
    return ok ? std::optional<Date>(Date::fromUDate(seconds * 1000.0)) : std::nullopt;
}

void SemestraConnectSyncController::request(const QByteArray& method, const QString& path, Handler handler,
    QByteArray body, QList<QPair<QByteArray, QByteArray>> headers, std::shared_ptr<HttpTransfer> transfer)
{
    HttpRequest request;
    request.method = method;
    request.url = path;
    request.body = std::move(body);
    request.headers = std::move(headers);
    request.transfer = std::move(transfer);
    m_connection.send(std::move(request), [this, method, path, handler = std::move(handler)](const HttpResponse& r) {
        emit requestSent(QStringLiteral("%1 %2 %3")
                             .arg(QString::fromLatin1(method), path,
                                 r.answered() ? QString::number(r.status) : QStringLiteral("no answer")));
        handler(r);
    });
}

void SemestraConnectSyncController::status(const QString& text)
{
    emit statusChanged(text);
}

void SemestraConnectSyncController::login()
{
    m_started = true;
    m_lostYear = false;
    m_syncStart = Date::now();
    m_reference = referenceTime(m_year);
    request("GET", QStringLiteral("/loginremote?version=1"), [this](const HttpResponse& r) { loggedIn(r); });
}

void SemestraConnectSyncController::loggedIn(const HttpResponse& response)
{
    if (response.status == 401 || response.status == 403)
        return stop(SyncOutcome::State::NotLoggedIn, QStringLiteral("Not logged in to SemestraConnect."));
    const std::optional<qint64> accountYear = SyncReplies::loggedInYear(response.body);
    if (!response.succeeded() || !accountYear)
        return stop(SyncOutcome::State::Failed, describe(response));
    const QString fileYear = m_year.value<QString>(yearIdKey).trimmed();
    if (*accountYear == -1) {
        status(QStringLiteral("Sending a brand new year."));
    } else if (fileYear.isEmpty() || fileYear.toLongLong() != *accountYear) {
        m_alerts.runModal({ mismatchTitle,
            QStringLiteral("This file does not match the file previously synced to SemestraConnect.  If you need to "
                           "sync this file, please visit ")
                + m_connection.address().base()
                + QStringLiteral(" and purge your existing file using the personal settings tab"),
            QStringLiteral("ok"), {}, {} });
        return stop(SyncOutcome::State::WrongAccount, mismatchTitle);
    }
    sendYear();
}

void SemestraConnectSyncController::sendYear()
{
    dealWithDeletes();
}

void SemestraConnectSyncController::dealWithDeletes()
{
    status(QStringLiteral("Processing items that need to be removed"));
    const QStringList entries = m_year.value<QString>(deleteStackKey).split(QLatin1Char(','), Qt::SkipEmptyParts);
    m_deletes.clear();
    m_deletesLeft.clear();
    for (const QString& type : deleteOrder) {
        for (const QString& entry : entries) {
            if (deleteType(entry) == type)
                m_deletes.append(entry);
        }
    }
    // Entries of no known type cannot be deleted; they stay for a later program.
    for (const QString& entry : entries) {
        if (!deleteOrder.contains(deleteType(entry)))
            m_deletesLeft.append(entry);
    }
    deleteNext();
}

void SemestraConnectSyncController::deleteNext()
{
    if (m_deletes.isEmpty()) {
        m_year.setValue(deleteStackKey,
            m_deletesLeft.isEmpty() ? QString() : m_deletesLeft.join(QLatin1Char(',')) + QLatin1Char(','));
        m_outcome.deletesLeft = int(m_deletesLeft.size());
        if (m_reminder == Reminder::Show && Preferences::shared().boolValue(remindKey)) {
            const int answer = m_alerts.runModal({ reminderTitle,
                QStringLiteral("You can track the progress of your sync to SemestraConnect by looking at the bottom "
                               "right corner of the main window and watching as items are synced.  Would you like "
                               "to be reminded of this when syncing in the future?"),
                QStringLiteral("Remind Again"), QStringLiteral("Close"), {} });
            if (answer == AlertAlternateReturn)
                Preferences::shared().setValue(remindKey, false);
        }
        status(m_scope == Scope::Changes ? QStringLiteral("Updating Year") : QStringLiteral("Sending Year"));
        return checkYear();
    }
    const QString entry = m_deletes.takeFirst();
    const QString id = entry.section(QLatin1Char(':'), 0, -2).trimmed();
    request(
        "DELETE", QStringLiteral("/%1s/%2").arg(deleteType(entry).toLower(), id), [this, entry](const HttpResponse& r) {
            // Gone already counts as deleted: the entry must not wait forever.
            const bool done
                = (r.succeeded() && r.body.trimmed().startsWith("success")) || r.status == 404 || r.status == 410;
            if (done)
                ++m_outcome.deletesDone;
            else
                m_deletesLeft.append(entry);
            deleteNext();
        });
}

void SemestraConnectSyncController::checkYear()
{
    const QString id = m_year.value<QString>(yearIdKey).trimmed();
    if (id.isEmpty())
        return createYear();
    request("GET", QStringLiteral("/years/%1.xml").arg(id), [this](const HttpResponse& r) {
        if (r.status == 200 && SyncReplies::isRecordXml(r.body))
            return putYear();
        if (r.status == 404)
            return createYear();
        retry(describe(r), [this] { checkYear(); });
    });
}

void SemestraConnectSyncController::putYear()
{
    const QString id = m_year.value<QString>(yearIdKey).trimmed();
    request("PUT", QStringLiteral("/years/%1").arg(id),
        [this](const HttpResponse& r) {
            const auto answered = SyncReplies::recordId(r.body);
            if (r.succeeded() && answered)
                return yearSent(*answered);
            retry(describe(r), [this] { checkYear(); });
        },
        SyncRecordXml::year(m_year), { { "Content-Type", "application/xml" } });
}

void SemestraConnectSyncController::createYear()
{
    // A year made anew holds nothing: every record must be created again.
    if (!m_lostYear) {
        m_lostYear = true;
        purgeSyncIDSWithoutAsking(m_year);
    }
    request("POST", QStringLiteral("/years/create"),
        [this](const HttpResponse& r) {
            const bool redirected = r.status >= 300 && r.status < 400;
            const auto id = redirected ? SyncReplies::idFromLocation(r.headers.value("location"))
                                       : (r.succeeded() ? SyncReplies::recordId(r.body) : std::nullopt);
            if (id)
                return yearSent(*id);
            retry(describe(r), [this] { createYear(); });
        },
        SyncRecordXml::year(m_year), { { "Content-Type", "application/xml" } });
}

void SemestraConnectSyncController::yearSent(const QString& id)
{
    m_attempt = 0;
    m_year.setValue(yearIdKey, id);
    ++m_outcome.recordsSent;
    m_kinds = SyncKind::chain(Preferences::shared().boolValue(privateFilesKey));
    startKind(0);
}

bool SemestraConnectSyncController::isChanged(const SyncedRecord& record) const
{
    if (m_scope == Scope::Everything || m_lostYear || !m_reference || record.strippedID().isEmpty())
        return true;
    // Weeks keep no time of change: once on the service they change only
    // with their days, which are sent themselves.
    if (!record.entity().attribute(u"lastUpdated"))
        return false;
    const std::optional<Date> updated = record.lastUpdated();
    return updated && updated->secondsSinceReferenceDate() >= m_reference->secondsSinceReferenceDate();
}

void SemestraConnectSyncController::startKind(int index)
{
    if (index >= m_kinds.size())
        return finishChain();
    m_kind = index;
    m_current = 0;
    m_queue.clear();
    for (SyncedRecord* record : m_kinds[index].fetch(m_year)) {
        if (isChanged(*record))
            m_queue.append(record);
    }
    if (m_queue.isEmpty())
        return startKind(index + 1);
    m_formToken.clear();
    if (m_kinds[index].isFile())
        return fetchFormToken();
    sendCurrent();
}

void SemestraConnectSyncController::fetchFormToken()
{
    request("GET", QStringLiteral("/%1/new").arg(m_kinds[m_kind].resource), [this](const HttpResponse& r) {
        if (r.succeeded() && !r.body.trimmed().isEmpty()) {
            m_formToken = r.body.trimmed();
            m_attempt = 0;
            return sendCurrent();
        }
        retry(describe(r), [this] { fetchFormToken(); });
    });
}

QString SemestraConnectSyncController::resourcePath(const QString& resource, const SyncedRecord& record) const
{
    return QStringLiteral("/%1/%2").arg(resource, record.strippedID());
}

void SemestraConnectSyncController::sendCurrent()
{
    const SyncKind& kind = m_kinds[m_kind];
    SyncedRecord& record = *m_queue[m_current];
    QString text = kind.sendingText.arg(m_current + 1).arg(m_queue.size());
    if (kind.isFile())
        text = text.arg(static_cast<const AttachedFile&>(record).shortFilePath());
    status(text);
    if (m_lostYear || record.strippedID().isEmpty())
        return sendRecord(false);
    request("GET", resourcePath(kind.resource, record) + QStringLiteral(".xml"), [this](const HttpResponse& r) {
        const bool file = m_kinds[m_kind].isFile();
        if (r.status == 200 && file) {
            if (const auto size = SyncReplies::storedFileSize(r.body))
                return sendRecord(true, size);
        } else if (r.status == 200 && SyncReplies::isRecordXml(r.body)) {
            return sendRecord(true);
        } else if (r.status == 404) {
            return sendRecord(false);
        }
        retry(describe(r), [this] { sendCurrent(); });
    });
}

void SemestraConnectSyncController::sendRecord(bool exists, std::optional<qint64> storedSize)
{
    const SyncKind& kind = m_kinds[m_kind];
    if (kind.isFile())
        return sendFile(exists, storedSize);
    const SyncedRecord& record = *m_queue[m_current];
    const QString path = exists ? resourcePath(kind.resource, record) : QStringLiteral("/%1/create").arg(kind.resource);
    request(exists ? "PUT" : "POST", path, [this](const HttpResponse& r) { recordSent(r); }, kind.body(record, m_year),
        { { "Content-Type", "application/xml" } });
}

void SemestraConnectSyncController::sendFile(bool exists, std::optional<qint64> storedSize)
{
    const SyncKind& kind = m_kinds[m_kind];
    const auto& file = static_cast<const AttachedFile&>(*m_queue[m_current]);
    const QString path = file.actualPath();
    QFile source(path);
    if (!source.open(QIODevice::ReadOnly))
        return retry(QStringLiteral("%1 could not be read").arg(path), [this] { sendCurrent(); });
    const QByteArray data = source.readAll();
    const QString name = QFileInfo(path).fileName();
    const bool lessonFile = kind.form == SyncKind::Form::LessonFile;
    MultipartForm form;
    form.addField(lessonFile ? "attach_file_name" : "assignment_attach_file_name", name.toUtf8());
    form.addField("authenticity_token", m_formToken);
    if (lessonFile) {
        const Lesson* lesson = file.lesson();
        form.addField("lesson_id", lesson ? lesson->strippedID().toUtf8() : QByteArray());
        form.addField("publish", file.isPublished() ? "1" : "0");
    } else {
        const Assignment* assignment = static_cast<const AssignedFile&>(file).assignment();
        form.addField("assignment_id", assignment ? assignment->strippedID().toUtf8() : QByteArray());
    }
    if (storedSize && *storedSize == data.size())
        status(QStringLiteral("skipping file data upload (local file size matches remote file size)"));
    else
        form.addFile(lessonFile ? "attachfile[attach]" : "assignmentattachfile[assignment_attach]", name,
            MultipartForm::mimeTypeFor(name), data);
    const QByteArray body = form.body();
    request(
        exists ? "PUT" : "POST", exists ? resourcePath(kind.resource, file) : QLatin1Char('/') + kind.resource,
        [this](const HttpResponse& r) {
            m_uploadClock.stop();
            recordSent(r);
        },
        body, { { "Content-Type", form.contentType() }, { "Accepts", "application/xml" } },
        watchUpload(name, body.size()));
}

std::shared_ptr<HttpTransfer> SemestraConnectSyncController::watchUpload(const QString& name, qint64 totalBytes)
{
    m_upload.emplace(name, totalBytes);
    m_uploadTransfer = std::make_shared<HttpTransfer>();
    m_uploadClock.start();
    return m_uploadTransfer;
}

void SemestraConnectSyncController::recordSent(const HttpResponse& response)
{
    const auto id = SyncReplies::recordId(response.body);
    if (!response.succeeded() || !id)
        return retry(describe(response), [this] { sendCurrent(); });
    m_queue[m_current]->setValue(u"syncID", *id);
    if (m_kinds[m_kind].isFile())
        ++m_outcome.filesSent;
    else
        ++m_outcome.recordsSent;
    advance();
}

void SemestraConnectSyncController::advance()
{
    m_attempt = 0;
    if (++m_current < m_queue.size())
        return sendCurrent();
    const SyncKind& kind = m_kinds[m_kind];
    if (kind.resource == QLatin1String("standards")) {
        // Lets the service hang each standard under its parent by the
        // object addresses sent as moid and parent_moid.
        return request(
            "GET", QStringLiteral("/standards/relink"), [this](const HttpResponse&) { startKind(m_kind + 1); });
    }
    status(kind.doneText);
    startKind(m_kind + 1);
}

void SemestraConnectSyncController::retry(const QString& reason, const std::function<void()>& again)
{
    if (++m_attempt < m_maxAttempts) {
        const auto pause = m_firstPause * (1 << (m_attempt - 1));
        QTimer::singleShot(pause, this, [this, again] {
            if (m_outcome.state == SyncOutcome::State::Running)
                again();
        });
        return;
    }
    // A file that keeps failing is left for the next sync; the rest goes on.
    if (m_kind >= 0 && m_kinds[m_kind].isFile() && !m_formToken.isEmpty()) {
        ++m_outcome.filesFailed;
        return advance();
    }
    stop(SyncOutcome::State::Failed, reason);
}

void SemestraConnectSyncController::finishChain()
{
    request("GET", QStringLiteral("/syncdone"), [this](const HttpResponse&) { updateSyncTime(); });
}

void SemestraConnectSyncController::updateSyncTime()
{
    if (m_outcome.filesFailed > 0) {
        // Keeping the old reference sends the failed files again next time.
        const QString message = QStringLiteral("%1 files could not be uploaded").arg(m_outcome.filesFailed);
        status(message);
        m_alerts.inform(filesFailedTitle, message + QStringLiteral(". The next sync will try them again."));
    } else {
        m_year.setValue(referenceKey, QString::number(m_syncStart.toUDate() / 1000.0, 'f', 3));
        status(QStringLiteral("Completed synchronization to SemestraConnect at %1")
                   .arg(DateFormatting::formatShortTime(Date::now())));
    }
    stop(SyncOutcome::State::Completed);
}

void SemestraConnectSyncController::cancel()
{
    if (!isRunning())
        return;
    m_connection.abandon();
    status(QStringLiteral("Sync to SemestraConnect cancelled"));
    stop(SyncOutcome::State::Cancelled, QStringLiteral("The sync was cancelled."));
}

void SemestraConnectSyncController::stop(SyncOutcome::State state, const QString& reason)
{
    m_uploadClock.stop();
    m_outcome.state = state;
    m_outcome.reason = reason;
    if (state == SyncOutcome::State::Failed) {
        status(QStringLiteral("Sync to SemestraConnect stopped"));
        m_alerts.inform(
            stoppedTitle, reason + QStringLiteral(". Nothing was lost: the next sync sends what is still to be sent."));
    }
    saveIdentifiers();
    emit finished();
}

// Identifiers the service handed out are kept even when the sync stopped
// half-way: forgetting them would create those records a second time.
void SemestraConnectSyncController::saveIdentifiers()
{
    if (m_document.filePath().isEmpty() || !m_document.context().hasChanges())
        return;
    const Status saved = m_document.save();
    if (!saved) {
        m_alerts.inform(QStringLiteral("The Sync Could Not Be Saved"), saved.error());
        if (m_outcome.state == SyncOutcome::State::Completed) {
            m_outcome.state = SyncOutcome::State::Failed;
            m_outcome.reason = saved.error();
        }
    }
}

void SemestraConnectSyncController::purgeSyncIDSWithoutAsking(Year& year)
{
    year.setValue(yearIdKey, QString());
    year.setValue(referenceKey, QString());
    for (const QString& entity : syncedEntities) {
        for (ManagedObject* record : year.context().fetch(FetchRequest { entity, {}, {} })) {
            if (!record->value<QString>(u"syncID").isEmpty())
                record->setValue(u"syncID", QString());
        }
    }
}

bool SemestraConnectSyncController::purgeSyncIDS(Year& year, AlertPresenter& alerts, const QString& webAddress)
{
    const int answer = alerts.runModal({ purgeTitle,
        QStringLiteral("This should only be done if you're experiencing issues where lesson plan information isn't "
                       "being transferred online.  You will also need to archive/delete your online plans at ")
            + webAddress,
        QStringLiteral("Purge"), QStringLiteral("Cancel"), {} });
    if (answer != AlertDefaultReturn)
        return false;
    purgeSyncIDSWithoutAsking(year);
    alerts.runModal({ purgedTitle,
        QStringLiteral("Please purge the lesson information from SemestraConnect using the personal settings on the "
                       "site to re-sync this file to your account."),
        QStringLiteral("OK"), {}, {} });
    return true;
}
