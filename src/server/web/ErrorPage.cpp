#include "server/web/ErrorPage.h"

#include "foundation/richtext/HtmlEscape.h"
#include "server/web/PageLayout.h"
#include "server/web/WebRoutes.h"

namespace {

QString heading(int status)
{
    switch (status) {
    case 400:
        return QStringLiteral("Bad request");
    case 401:
        return QStringLiteral("Please sign in");
    case 403:
        return QStringLiteral("Not allowed");
    case 404:
        return QStringLiteral("Page not found");
    case 413:
        return QStringLiteral("Too large");
    default:
        return status >= 500 ? QStringLiteral("Something went wrong") : QStringLiteral("Request refused");
    }
}

} // namespace

namespace ErrorPage {

QString render(int status, const QString& reason, const PageFrame& frame)
{
    const QString title = heading(status);
    const QString body = QStringLiteral("<h1>%1</h1><div class=\"card\"><p>%2</p><p class=\"muted\">Error %3 \u00b7 "
                                        "<a href=\"%4\">Back to the start page</a></p></div>")
                             .arg(title, HtmlEscape::escaped(reason), QString::number(status),
                                 HtmlEscape::escaped(frame.href(QString::fromLatin1(WebRoutes::home))));
    return PageLayout::render(frame, title, body, PageWidth::Narrow);
}

} // namespace ErrorPage
