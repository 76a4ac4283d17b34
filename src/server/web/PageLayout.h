#pragma once

#include "server/web/PageFrame.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <utility>

enum class PageWidth { Wide, Narrow };

// The frame of every page: the HTML5 head with a viewport for phones, the
// stylesheet, and the bar with the signed-in teacher's sections.
namespace PageLayout {
// title is plain text; body is HTML the caller has escaped.
QString render(const PageFrame& frame, const QString& title, const QString& body, PageWidth width = PageWidth::Wide);

// Headers every page response should carry: the pages need no script,
// inline style, frame or foreign form target, so the browser is told to
// allow none of them.
QList<std::pair<QByteArray, QByteArray>> securityHeaders();
} // namespace PageLayout
