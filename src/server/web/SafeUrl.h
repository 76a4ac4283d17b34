#pragma once

#include <QString>

#include <optional>

// The one gate for addresses a page may link to: a lesson's links, its web
// links and the href of anchors in lesson HTML.
namespace SafeUrl {
// The address, normalised and percent-encoded, when it is an absolute http or
// https address with a host or a mailto address; none for anything else
// ("javascript:", "data:", relative or scheme-relative addresses). The input
// is the value as the browser would see it, character references decoded.
std::optional<QString> linkHref(const QString& address);
} // namespace SafeUrl
