#pragma once

#include <QString>

#include <httplib.h>
#include <map>
#include <optional>
#include <string>

struct Reply {
    int status = 0; // 0: no answer
    std::string body;
    std::string error; // why there was no answer
    httplib::Headers headers;

    std::string header(const char* name) const;
};

// An HTTP client on 127.0.0.1 that keeps its cookies, as the desktop program
// and a browser do, and sends the requests of the sync protocol.
class ProtocolClient {
public:
    explicit ProtocolClient(int port);
    // Reuses connections, as the desktop program's HTTP library does.
    void setKeepAlive(bool on) { m_client.set_keep_alive(on); }

    Reply get(const std::string& path);
    Reply postXml(const std::string& path, const std::string& xml);
    Reply putXml(const std::string& path, const std::string& xml);
    Reply del(const std::string& path);
    Reply postForm(const std::string& path, const httplib::Params& fields);
    Reply sendFileForm(const std::string& method, const std::string& path, const std::string& body);
    Reply send(const std::string& method, const std::string& path, const std::string& body,
        const std::string& contentType, const httplib::Headers& extra = {});

    // Through the login form, as a browser or a script does.
    bool logIn(const std::string& username, const std::string& password);
    std::string cookie(const std::string& name) const;
    void setCookie(const std::string& name, const std::string& value) { m_cookies[name] = value; }
    void forgetCookies() { m_cookies.clear(); }
    // The hidden csrf_token of the form on a page.
    static std::string csrfToken(const std::string& page);

    // Creates the account's year and answers its id (0 on failure).
    qint64 createYear();
    // POST /<resource>/create; the new id, or 0 when refused.
    qint64 create(const std::string& resource, const std::string& xml);
    std::string formToken(const std::string& resource = "attachfiles");

private:
    void keepCookies(const httplib::Headers& headers);
    httplib::Headers cookieHeader() const;

    httplib::Client m_client;
    std::map<std::string, std::string> m_cookies;
};

// The multipart body of a file upload, byte for byte as the desktop program
// builds it; without `data` it ends after the last opening boundary.
std::string fileFormBody(const std::string& token, const std::string& name, const std::string& ownerPart,
    const std::string& ownerId, std::optional<std::string> publish, const std::optional<std::string>& data,
    bool assignmentFile = false);

inline const std::string Boundary = "0xKhTmLbOuNdArY";
