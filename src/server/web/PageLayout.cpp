#include "server/web/PageLayout.h"

#include "server/web/FormHtml.h"
#include "foundation/richtext/HtmlEscape.h"
#include "server/web/WebRoutes.h"

namespace {

QString navLink(const PageFrame& frame, const QString& route, const QString& label, NavSection section)
{
    const QString current
        = frame.section == section ? QStringLiteral(" class=\"current\" aria-current=\"page\"") : QString();
    return QStringLiteral("<a href=\"%1\"%2>%3</a>").arg(HtmlEscape::escaped(frame.href(route)), current, label);
}

QString navigation(const PageFrame& frame)
{
    if (!frame.username)
        return {};
    QString nav = QStringLiteral("<nav aria-label=\"Sections\">");
    nav += navLink(frame, QString::fromLatin1(WebRoutes::home), QStringLiteral("Courses"), NavSection::Courses);
    nav += navLink(frame, QString::fromLatin1(WebRoutes::currentMonth), QStringLiteral("Month"), NavSection::Month);
    nav += navLink(frame, QString::fromLatin1(WebRoutes::today), QStringLiteral("Today"), NavSection::Day);
    nav += navLink(frame, QString::fromLatin1(WebRoutes::settings), QStringLiteral("Settings"), NavSection::Settings);
    if (frame.administrator)
        nav += navLink(
            frame, QString::fromLatin1(WebRoutes::feedbackList), QStringLiteral("Feedback"), NavSection::Feedback);
    nav += QStringLiteral("<span class=\"who\">%1</span>").arg(HtmlEscape::escaped(*frame.username));
    nav += FormHtml::open(frame.href(QString::fromLatin1(WebRoutes::logout)), frame.csrfToken, FormStyle::Inline)
        + QStringLiteral("<button type=\"submit\">Sign out</button></form>");
    return nav + QStringLiteral("</nav>");
}

} // namespace

namespace PageLayout {

QString render(const PageFrame& frame, const QString& title, const QString& body, PageWidth width)
{
    return QStringLiteral("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                          "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                          "<title>%1 \u2013 SemestraConnect</title>\n"
                          "<link rel=\"stylesheet\" href=\"%2\">\n</head>\n<body>\n"
                          "<header class=\"site\"><div class=\"bar\"><a class=\"brand\" href=\"%3\">SemestraConnect</a>"
                          "%4</div></header>\n<main%5>\n%6\n</main>\n</body>\n</html>\n")
        .arg(HtmlEscape::escaped(title), HtmlEscape::escaped(frame.href(QString::fromLatin1(WebRoutes::styleSheet))),
            HtmlEscape::escaped(frame.href(QString::fromLatin1(WebRoutes::home))), navigation(frame),
            width == PageWidth::Narrow ? QStringLiteral(" class=\"narrow\"") : QString(), body);
}

QList<std::pair<QByteArray, QByteArray>> securityHeaders()
{
    return { { "Content-Security-Policy",
                 "default-src 'none'; style-src 'self'; img-src 'self'; form-action 'self'; base-uri 'none'; "
                 "frame-ancestors 'none'" },
        { "X-Content-Type-Options", "nosniff" }, { "Referrer-Policy", "same-origin" } };
}

} // namespace PageLayout
