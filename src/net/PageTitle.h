#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The title of an HTML page, as a teacher would want to name a link by it.
namespace PageTitle {

// The most characters a title keeps.
constexpr qsizetype maxLength = 200;

// The text of the page's first <title>, read in the charset the Content-Type
// header declares (else the page's own meta declaration, else UTF-8), with
// entities decoded, white space collapsed to single spaces on one line and
// at most maxLength characters. None when the page has no title text.
std::optional<QString> fromHtml(const QByteArray& body, const QByteArray& contentType = {});

// Named, decimal and hexadecimal character references replaced by their
// characters; an unknown reference stays as written.
QString decodeEntities(const QString& text);

// The charset a Content-Type value or the page's meta tags declare; empty
// when neither says.
QByteArray declaredCharset(const QByteArray& body, const QByteArray& contentType);

} // namespace PageTitle
