#pragma once

#include <QString>
#include <QStringView>

// Character references in the HTML a client sends. Decoding them before the
// sanitizer looks at a value is what makes "&#106;avascript:" recognisable
// as the scheme it is; the sanitizer escapes everything again on the way out.
namespace HtmlEntities {
// Numeric references (decimal and hex, with or without the closing ";") and
// the named ones rich-text writers emit. An unknown name stays as written;
// code points that are not characters become U+FFFD.
QString decoded(QStringView text);
} // namespace HtmlEntities
