#pragma once

#include <QString>
#include <QStringView>

// Lesson fields arrive as HTML written by the client, which anyone can forge,
// and are shown to the teacher and, on a public course page, to anyone. This
// rebuilds such HTML from an allowlist instead of patching it: only simple
// formatting elements survive, with no attributes but a checked href on
// links; text is escaped; the content of script, style, iframe, object, svg
// and the like is dropped whole; tags are balanced, so a field can never
// close or reopen the page around it.
class HtmlSanitizer {
public:
    static QString sanitized(QStringView html);

    // Nesting deeper than this keeps the text but no more elements, so a field
    // of ten thousand "<div>"s cannot make a page the browser chokes on.
    static constexpr int maximumDepth = 64;
};
