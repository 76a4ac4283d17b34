#include "gui/help/LibraryVersions.h"

#include <QtGlobal>

#include <curl/curl.h>
#include <libical/ical.h>
#include <sqlite3.h>
#include <unicode/uversion.h>

namespace LibraryVersions {

namespace {

QString icuVersion()
{
    UVersionInfo info;
    u_getVersion(info);
    char text[U_MAX_VERSION_STRING_LENGTH];
    u_versionToString(info, text);
    return QString::fromLatin1(text);
}

} // namespace

QList<Library> all()
{
    return {
        { QStringLiteral("Qt"), QString::fromLatin1(qVersion()) },
        { QStringLiteral("ICU"), icuVersion() },
        { QStringLiteral("SQLite"), QString::fromLatin1(sqlite3_libversion()) },
        { QStringLiteral("libcurl"), QString::fromLatin1(curl_version_info(CURLVERSION_NOW)->version) },
        { QStringLiteral("libical"), QStringLiteral(ICAL_VERSION) },
    };
}

} // namespace LibraryVersions
