#include "server/web/DesktopLoginPage.h"

#include "server/web/FormHtml.h"
#include "foundation/richtext/HtmlEscape.h"
#include "server/web/PageLayout.h"
#include "server/web/WebRoutes.h"

namespace DesktopLoginPage {

QString render(const DesktopLoginView& view, const PageFrame& frame)
{
    const QString title = QStringLiteral("Allow Semestra on this computer to sync?");
    const QString decision = QString::fromLatin1(WebRoutes::Field::decision);
    QString body = QStringLiteral("<h1>%1</h1><div class=\"card\">").arg(title);
    body += QStringLiteral("<p>Semestra on <strong>%1</strong> asks to send your year to this account as <strong>"
                           "%2</strong>.</p><p class=\"muted\">Allow it only if you just chose to sync in Semestra. "
                           "You can revoke it later in your settings.</p>")
                .arg(HtmlEscape::escaped(view.computerName), HtmlEscape::escaped(frame.username.value_or(QString())));
    body += FormHtml::open(frame.href(QString::fromLatin1(WebRoutes::desktopConfirmation)), frame.csrfToken)
        + FormHtml::hidden(QString::fromLatin1(WebRoutes::Field::request), view.requestToken)
        + QStringLiteral("<div class=\"actions\">")
        + FormHtml::button(QStringLiteral("Allow"), ButtonStyle::Primary, decision, QStringLiteral("allow"))
        + FormHtml::button(QStringLiteral("Don't Allow"), ButtonStyle::Secondary, decision, QStringLiteral("deny"))
        + QStringLiteral("</div></form></div>");
    return PageLayout::render(frame, title, body, PageWidth::Narrow);
}

QString renderDecided(DesktopDecision decision, const PageFrame& frame)
{
    const bool allowed = decision == DesktopDecision::Allowed;
    const QString title = allowed ? QStringLiteral("Semestra may sync") : QStringLiteral("Sync not allowed");
    const QString text = allowed
        ? QStringLiteral("You can close this page and return to Semestra: it goes on syncing by itself.")
        : QStringLiteral("Semestra on that computer was not allowed to sync. You can close this page.");
    return PageLayout::render(frame, title,
        QStringLiteral("<h1>%1</h1><div class=\"card\"><p>%2</p></div>").arg(title, text), PageWidth::Narrow);
}

} // namespace DesktopLoginPage
