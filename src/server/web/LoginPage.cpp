#include "server/web/LoginPage.h"

#include "server/web/FormHtml.h"
#include "foundation/richtext/HtmlEscape.h"
#include "server/web/PageLayout.h"
#include "server/web/WebRoutes.h"

namespace LoginPage {

QString render(const LoginView& view, const PageFrame& frame)
{
    QString body = QStringLiteral("<h1>Sign in</h1>");
    if (view.error)
        body += QStringLiteral("<p class=\"error\" role=\"alert\">%1</p>").arg(HtmlEscape::escaped(*view.error));
    body += QStringLiteral("<div class=\"card\">");
    body += FormHtml::open(frame.href(QString::fromLatin1(WebRoutes::login)), view.csrfToken);
    if (!view.next.isEmpty())
        body += FormHtml::hidden(QString::fromLatin1(WebRoutes::Field::next), view.next);
    body += FormHtml::input(QStringLiteral("User name"), QString::fromLatin1(WebRoutes::Field::username),
        QStringLiteral("text"), view.username, QStringLiteral("username"));
    body += FormHtml::input(QStringLiteral("Password"), QString::fromLatin1(WebRoutes::Field::password),
        QStringLiteral("password"), {}, QStringLiteral("current-password"));
    body += FormHtml::button(QStringLiteral("Sign in")) + QStringLiteral("</form></div>");
    body += QStringLiteral("<p class=\"muted\">Your school runs this service. Ask its administrator for an account "
                           "or a new password.</p>");
    return PageLayout::render(frame, QStringLiteral("Sign in"), body, PageWidth::Narrow);
}

} // namespace LoginPage
