#include "ProtocolClient.h"

#include <regex>

std::string Reply::header(const char* name) const
{
    const auto found = headers.find(name);
    return found == headers.end() ? std::string() : found->second;
}

ProtocolClient::ProtocolClient(int port)
    : m_client("127.0.0.1", port)
{
    m_client.set_connection_timeout(10);
    m_client.set_tcp_nodelay(true);
    m_client.set_read_timeout(60);
}

httplib::Headers ProtocolClient::cookieHeader() const
{
    std::string all;
    for (const auto& [name, value] : m_cookies)
        all += (all.empty() ? "" : "; ") + name + "=" + value;
    return all.empty() ? httplib::Headers {} : httplib::Headers { { "Cookie", all } };
}

void ProtocolClient::keepCookies(const httplib::Headers& headers)
{
    const auto [first, last] = headers.equal_range("Set-Cookie");
    for (auto it = first; it != last; ++it) {
        const std::string pair = it->second.substr(0, it->second.find(';'));
        const size_t equals = pair.find('=');
        const std::string name = pair.substr(0, equals);
        const std::string value = pair.substr(equals + 1);
        if (value.empty() || it->second.find("Max-Age=0") != std::string::npos)
            m_cookies.erase(name);
        else
            m_cookies[name] = value;
    }
}

Reply ProtocolClient::send(const std::string& method, const std::string& path, const std::string& body,
    const std::string& contentType, const httplib::Headers& extra)
{
    httplib::Request request;
    request.method = method;
    request.path = path;
    request.headers = cookieHeader();
    request.headers.insert(extra.begin(), extra.end());
    if (!contentType.empty() || !body.empty()) {
        request.body = body;
        request.set_header("Content-Type", contentType);
    }
    const auto result = m_client.send(request);
    if (!result)
        return { 0, {}, httplib::to_string(result.error()), {} };
    keepCookies(result->headers);
    return { result->status, result->body, {}, result->headers };
}

Reply ProtocolClient::get(const std::string& path)
{
    return send("GET", path, {}, {});
}

Reply ProtocolClient::postXml(const std::string& path, const std::string& xml)
{
    return send("POST", path, xml, "application/xml");
}

Reply ProtocolClient::putXml(const std::string& path, const std::string& xml)
{
    return send("PUT", path, xml, "application/xml");
}

Reply ProtocolClient::del(const std::string& path)
{
    return send("DELETE", path, {}, {});
}

Reply ProtocolClient::postForm(const std::string& path, const httplib::Params& fields)
{
    return send("POST", path, httplib::detail::params_to_query_str(fields), "application/x-www-form-urlencoded");
}

Reply ProtocolClient::sendFileForm(const std::string& method, const std::string& path, const std::string& body)
{
    return send(method, path, body, "multipart/form-data; boundary=" + Boundary, { { "Accepts", "application/xml" } });
}

std::string ProtocolClient::csrfToken(const std::string& page)
{
    static const std::regex hidden(R"re(name="csrf_token" value="([^"]*)")re");
    std::smatch match;
    return std::regex_search(page, match, hidden) ? match[1].str() : std::string();
}

bool ProtocolClient::logIn(const std::string& username, const std::string& password)
{
    const Reply form = get("/login");
    const Reply done = postForm(
        "/login", { { "username", username }, { "password", password }, { "csrf_token", csrfToken(form.body) } });
    return done.status == 303 && !cookie("semestra_session").empty();
}

std::string ProtocolClient::cookie(const std::string& name) const
{
    const auto found = m_cookies.find(name);
    return found == m_cookies.end() ? std::string() : found->second;
}

qint64 ProtocolClient::createYear()
{
    const Reply created = postXml("/years/create",
        "<year><year_number>1</year_number><start_date>2026-08-31 24:00:00</start_date>"
        "<start_date>2027-06-18 24:00:00</start_date><custom1_title>Lab</custom1_title>"
        "<custom2_title></custom2_title><custom3_title></custom3_title>"
        "<public_comment_title>Comment</public_comment_title><homework_title>Homework</homework_title>"
        "<lesson_body_title>Lesson</lesson_body_title></year>");
    const std::string location = created.header("Location");
    if (created.status != 302 || location.rfind("/years/", 0) != 0)
        return 0;
    return std::stoll(location.substr(7));
}

qint64 ProtocolClient::create(const std::string& resource, const std::string& xml)
{
    const Reply created = postXml("/" + resource + "/create", xml);
    return created.status == 200 ? std::stoll(created.body) : 0;
}

std::string ProtocolClient::formToken(const std::string& resource)
{
    return get("/" + resource + "/new").body;
}

std::string fileFormBody(const std::string& token, const std::string& name, const std::string& ownerPart,
    const std::string& ownerId, std::optional<std::string> publish, const std::optional<std::string>& data,
    bool assignmentFile)
{
    const std::string namePart = assignmentFile ? "assignment_attach_file_name" : "attach_file_name";
    const std::string filePart = assignmentFile ? "assignmentattachfile[assignment_attach]" : "attachfile[attach]";
    const auto field = [](const std::string& part, const std::string& value) {
        return "Content-Disposition: form-data; name=\"" + part + "\"\r\n\r\n" + value + "\r\n--" + Boundary + "\r\n";
    };
    std::string body = "--" + Boundary + "\r\n" + field(namePart, name) + field("authenticity_token", token)
        + field(namePart, name) + field(ownerPart, ownerId);
    if (publish)
        body += field("publish", *publish);
    if (data)
        body += "Content-Disposition: form-data; name=\"" + filePart + "\"; filename=\"" + name
            + "\"\r\nContent-Type: text/plain\r\n\r\n" + *data + "\r\n--" + Boundary + "--";
    return body;
}
