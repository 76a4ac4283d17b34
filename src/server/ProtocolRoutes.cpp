#include "server/ProtocolRoutes.h"

#include "server/FileStore.h"
#include "server/Multipart.h"
#include "server/RecordXml.h"
#include "server/Records.h"
#include "server/ResourceSpec.h"
#include "server/RouteContext.h"

#include <QMimeDatabase>

#include <httplib.h>

namespace {

using httplib::Request;
using httplib::Response;

// Record bodies are small; only attached files come near the request limit.
constexpr size_t MaximumXmlBody = 4 * 1024 * 1024;
const QString FileFormPurpose = QStringLiteral("file form");

// The kind of record the URL names, or none.
const ResourceSpec* resourceOf(const Request& req)
{
    return ResourceSpecs::byName(QString::fromStdString(req.matches[1]));
}

qint64 idOf(const Request& req, int index = 2)
{
    return QString::fromStdString(req.matches[index]).toLongLong();
}

template <typename T> void answerId(Response& res, const Outcome<T>& outcome)
{
    if (!outcome)
        return Route::text(res, outcome.status(), outcome.reason());
    Route::text(res, 200, QString::number(outcome.value()));
}

// XML bodies must say so: a browser form on another site cannot send one
// without asking first, which keeps these cookie-authenticated requests safe.
Outcome<QJsonObject> xmlBody(const ResourceSpec& spec, const Request& req)
{
    if (req.get_header_value("Content-Type").rfind("application/xml", 0) != 0
        && req.get_header_value("Content-Type").rfind("text/xml", 0) != 0)
        return Outcome<QJsonObject>::refused(415, QStringLiteral("the body must be application/xml"));
    if (req.body.size() > MaximumXmlBody)
        return Outcome<QJsonObject>::refused(413, QStringLiteral("the body is too large"));
    auto parsed = RecordXml::parse(spec, QByteArray::fromStdString(req.body));
    if (!parsed)
        return Outcome<QJsonObject>::refused(400, parsed.error());
    return *parsed;
}

void loginRemote(Services& services, const Request& req, Response& res)
{
    const auto session = Route::session(services, req);
    if (!session)
        return Route::text(res, 401, QStringLiteral("not logged in"));
    Route::text(res, 200, QStringLiteral("loggedin:%1").arg(session->account.yearId));
}

void formToken(Services& services, Response& res, const Session& session)
{
    const auto token = services.accounts.issueFormToken(session.account.id, FileFormPurpose);
    if (!token)
        return Route::text(res, 500, QStringLiteral("storage error"));
    Route::text(res, 200, *token);
}

void createYear(Services& services, const Request& req, Response& res, const Session& session)
{
    const auto body = xmlBody(ResourceSpecs::years(), req);
    if (!body)
        return Route::text(res, body.status(), body.reason());
    const auto id = services.records.createYear(session.account, *body);
    if (!id)
        return Route::text(res, id.status(), id.reason());
    // The desktop program takes the new year's id from the address it ends up at.
    Route::redirect(res, QStringLiteral("/years/%1").arg(*id), 302);
}

void showYear(Services& services, const Request& req, Response& res, const Session& session)
{
    if (!services.records.find(session.account, ResourceSpecs::years(), idOf(req, 1)))
        return Route::text(res, 404, QStringLiteral("no such year"));
    Route::text(res, 200, QString::number(idOf(req, 1)));
}

void readRecord(Services& services, const Request& req, Response& res, const Session& session)
{
    const ResourceSpec* spec = resourceOf(req);
    const auto record = spec ? services.records.find(session.account, *spec, idOf(req)) : std::nullopt;
    if (!record)
        return Route::text(res, 404, QStringLiteral("no such record"));
    res.set_content(RecordXml::write(*spec, record->id, record->fields, record->fileSize).toStdString(),
        "application/xml; charset=utf-8");
}

void createRecord(Services& services, const Request& req, Response& res, const Session& session)
{
    const ResourceSpec* spec = resourceOf(req);
    if (!spec || spec->isFile || spec->isYear())
        return Route::text(res, 404, QStringLiteral("no such resource"));
    const auto body = xmlBody(*spec, req);
    if (!body)
        return Route::text(res, body.status(), body.reason());
    answerId(res, services.records.create(session.account, *spec, *body));
}

// What a file form carries: its fields by key and, when sent, the bytes.
struct FileForm {
    QJsonObject fields;
    std::optional<QByteArray> data;
};

Outcome<FileForm> fileForm(Services& services, const ResourceSpec& spec, const Request& req, const Session& session)
{
    const auto boundary = Route::multipartBoundary(req);
    const auto parts = boundary ? Multipart::parse(QByteArray::fromStdString(req.body), *boundary) : std::nullopt;
    if (!parts)
        return Outcome<FileForm>::refused(400, QStringLiteral("the body must be a multipart form"));
    FileForm form;
    QString token;
    for (const MultipartPart& part : *parts) {
        const FieldSpec* field = spec.field(part.name);
        if (part.name == spec.filePart) {
            if (part.data.size() > FileStore::MaximumFileSize)
                return Outcome<FileForm>::refused(413, QStringLiteral("attached files are limited to 20 MiB"));
            form.data = part.data;
            const QString type = QString::fromLatin1(part.contentType);
            form.fields.insert(QStringLiteral("content_type"),
                type.isEmpty() ? QMimeDatabase()
                                     .mimeTypeForFile(part.fileName.value_or(QString()), QMimeDatabase::MatchExtension)
                                     .name()
                               : type);
        } else if (part.name == spec.fileNamePart) {
            form.fields.insert(QStringLiteral("name"), QString::fromUtf8(part.data));
        } else if (part.name == QLatin1String("authenticity_token")) {
            token = QString::fromUtf8(part.data);
        } else if (field && field->accepts(QString::fromUtf8(part.data))) {
            form.fields.insert(field->key, QString::fromUtf8(part.data));
        } else {
            return Outcome<FileForm>::refused(400, QStringLiteral("unknown or malformed form field %1").arg(part.name));
        }
    }
    if (!services.accounts.checkFormToken(token, session.account.id, FileFormPurpose))
        return Outcome<FileForm>::refused(403, QStringLiteral("bad or expired form token"));
    if (form.fields.value(QStringLiteral("name")).toString().isEmpty())
        return Outcome<FileForm>::refused(400, QStringLiteral("the form names no file"));
    for (const FieldSpec& field : spec.fields) {
        if (!form.fields.contains(field.key))
            return Outcome<FileForm>::refused(400, QStringLiteral("the form lacks %1").arg(field.key));
    }
    return form;
}

void uploadFile(Services& services, const Request& req, Response& res, const Session& session)
{
    const ResourceSpec* spec = resourceOf(req);
    const auto form = fileForm(services, *spec, req, session);
    if (!form)
        return Route::text(res, form.status(), form.reason());
    answerId(res, services.records.createFile(session.account, *spec, form->fields, form->data.value_or(QByteArray())));
}

void updateRecord(Services& services, const Request& req, Response& res, const Session& session)
{
    const ResourceSpec* spec = resourceOf(req);
    if (!spec)
        return Route::text(res, 404, QStringLiteral("no such resource"));
    if (spec->isFile) {
        const auto form = fileForm(services, *spec, req, session);
        if (!form)
            return Route::text(res, form.status(), form.reason());
        return answerId(res, services.records.updateFile(session.account, *spec, idOf(req), form->fields, form->data));
    }
    const auto body = xmlBody(*spec, req);
    if (!body)
        return Route::text(res, body.status(), body.reason());
    answerId(res, services.records.update(session.account, *spec, idOf(req), *body));
}

void deleteRecord(Services& services, const Request& req, Response& res, const Session& session)
{
    const ResourceSpec* spec = resourceOf(req);
    if (!spec)
        return Route::text(res, 404, QStringLiteral("no such resource"));
    if (!services.records.remove(session.account, *spec, idOf(req)))
        return Route::text(res, 500, QStringLiteral("storage error"));
    Route::text(res, 200, QStringLiteral("success"));
}

void downloadFile(Services& services, const Request& req, Response& res, const Session& session)
{
    Route::sendFile(services, res, session.account, QString::fromStdString(req.matches[1]), idOf(req));
}

} // namespace

void ProtocolRoutes::install(httplib::Server& http, Services& services)
{
    const auto bind = [&services](auto function) {
        return Route::withSession(
            services, [&services, function](const Request& req, Response& res, const Session& session) {
                function(services, req, res, session);
            });
    };
    const std::string resource = "([a-z_]+)";
    const std::string files = "(attachfiles|assignment_attachfiles)";

    http.Get("/loginremote", [&services](const Request& req, Response& res) { loginRemote(services, req, res); });
    http.Get("/" + files + "/new",
        bind([](Services& s, const Request&, Response& res, const Session& session) { formToken(s, res, session); }));
    http.Get("/syncdone", bind([](Services&, const Request&, Response& res, const Session&) {
        Route::text(res, 200, QStringLiteral("ok"));
    }));
    http.Get("/standards/relink", bind([](Services& s, const Request&, Response& res, const Session& session) {
        if (!s.records.relinkStandards(session.account))
            return Route::text(res, 500, QStringLiteral("storage error"));
        Route::text(res, 200, QStringLiteral("ok"));
    }));
    http.Post("/years/create", bind(createYear));
    http.Get(R"(/years/(\d{1,18}))", bind(showYear));
    http.Get("/" + resource + R"(/(\d{1,18})\.xml)", bind(readRecord));
    http.Get("/" + files + R"(/(\d{1,18})/download)", bind(downloadFile));
    http.Post("/" + resource + "/create", bind(createRecord));
    http.Post("/" + files, bind(uploadFile));
    http.Put("/" + resource + R"(/(\d{1,18}))", bind(updateRecord));
    http.Delete("/" + resource + R"(/(\d{1,18}))", bind(deleteRecord));
}
