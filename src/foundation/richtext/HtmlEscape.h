#pragma once

#include <QString>

// Every string a generated page shows that came from a teacher, a client or
// a URL goes through here, so that "<script>" in a course name is shown and
// never run: the published site and the service's pages alike.
namespace HtmlEscape {
// "&", "<", ">", '"' and "'" as character references: safe as text and as a
// quoted attribute value.
QString escaped(const QString& text);
// Plain text with its line breaks kept as "<br>".
QString escapedLines(const QString& text);
} // namespace HtmlEscape
