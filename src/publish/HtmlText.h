#pragma once

#include "foundation/richtext/HtmlEscape.h"

#include <QString>
#include <QStringList>

#include <optional>

// The text forms that go into the published pages. Everything a teacher
// typed passes through escaped() before it is placed in a page, so that a
// title such as "<script>…" shows as text and never runs in a student's
// browser.
namespace HtmlText {
using HtmlEscape::escaped;
// A plain-text field as page text: one line per line of the field, leading
// spaces and tabs dropped, empty lines left out, each line ending in "<br>".
QString escapedLines(const QString& text);
// Replaces every character from U+00A0 to U+00FF by its HTML entity name
// ("&eacute;") and the bullet by "&#8226;". Characters beyond these are left
// as they are: the pages are UTF-8.
QString encodeCharacterEntities(const QString& page);
// A relative address made of path segments, each percent-encoded, so that a
// name holding "/", "?" or "#" stays one segment of a file's address.
QString pathHref(const QStringList& segments);
// The address as an attribute value when it may be followed from a page
// (http, https, ftp or mailto); none for any other scheme ("javascript:").
std::optional<QString> linkHref(const QString& address);
} // namespace HtmlText
