#include "server/web/FeedbackListPage.h"

#include "foundation/richtext/HtmlEscape.h"
#include "server/web/PageLayout.h"
#include "server/web/WebFormat.h"

namespace {

QString sender(const FeedbackView& item)
{
    QStringList parts;
    if (!item.name.isEmpty())
        parts << HtmlEscape::escaped(item.name);
    if (!item.email.isEmpty())
        parts << HtmlEscape::escaped(item.email);
    if (!item.account.isEmpty())
        parts << QStringLiteral("account ") + HtmlEscape::escaped(item.account);
    return parts.isEmpty() ? QStringLiteral("anonymous") : parts.join(QStringLiteral(", "));
}

QString entry(const FeedbackView& item)
{
    const QString profile = item.systemProfile.isEmpty()
        ? QString()
        : QStringLiteral("<details><summary>System profile</summary><pre class=\"profile\">%1</pre></details>")
              .arg(HtmlEscape::escaped(item.systemProfile));
    return QStringLiteral("<article class=\"card\"><header><span class=\"badge\">%1</span> <strong>%2</strong> "
                          "<span class=\"muted\">%3 \u00b7 %4 %5</span></header><p>%6</p>%7</article>")
        .arg(HtmlEscape::escaped(item.feedbackType), sender(item), WebFormat::dateTime(item.received),
            HtmlEscape::escaped(item.appName), HtmlEscape::escaped(item.version),
            HtmlEscape::escapedLines(item.feedback), profile);
}

} // namespace

namespace FeedbackListPage {

QString render(const QList<FeedbackView>& feedback, const PageFrame& frame)
{
    QString body = QStringLiteral("<h1>Feedback</h1>");
    for (const FeedbackView& item : feedback)
        body += entry(item);
    if (feedback.isEmpty())
        body += QStringLiteral("<p class=\"muted\">No feedback has been sent yet.</p>");
    return PageLayout::render(frame, QStringLiteral("Feedback"), body);
}

} // namespace FeedbackListPage
