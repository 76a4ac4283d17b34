#include "server/web/FormHtml.h"

#include "foundation/richtext/HtmlEscape.h"
#include "server/web/WebRoutes.h"

namespace FormHtml {

QString open(const QString& action, const QString& csrfToken, FormStyle style)
{
    return QStringLiteral("<form method=\"post\" action=\"%1\" class=\"%2\">")
               .arg(HtmlEscape::escaped(action),
                   style == FormStyle::Stacked ? QStringLiteral("stacked") : QStringLiteral("inline"))
        + hidden(QString::fromLatin1(WebRoutes::Field::csrfToken), csrfToken);
}

QString hidden(const QString& name, const QString& value)
{
    return QStringLiteral("<input type=\"hidden\" name=\"%1\" value=\"%2\">")
        .arg(HtmlEscape::escaped(name), HtmlEscape::escaped(value));
}

QString input(
    const QString& label, const QString& name, const QString& type, const QString& value, const QString& autocomplete)
{
    const QString id = QStringLiteral("f-") + name;
    QString html = QStringLiteral("<label for=\"%1\">%2</label><input id=\"%1\" type=\"%3\" name=\"%4\"")
                       .arg(HtmlEscape::escaped(id), HtmlEscape::escaped(label), type, HtmlEscape::escaped(name));
    if (!value.isEmpty())
        html += QStringLiteral(" value=\"%1\"").arg(HtmlEscape::escaped(value));
    if (!autocomplete.isEmpty())
        html += QStringLiteral(" autocomplete=\"%1\"").arg(autocomplete);
    return html + QStringLiteral(" required>");
}

QString confirmation(const QString& label)
{
    return QStringLiteral(
        "<label class=\"check\"><input type=\"checkbox\" name=\"%1\" value=\"yes\" required> %2</label>")
        .arg(QString::fromLatin1(WebRoutes::Field::confirm), HtmlEscape::escaped(label));
}

QString button(const QString& label, ButtonStyle style, const QString& name, const QString& value)
{
    const QString cssClass = style == ButtonStyle::Danger ? QStringLiteral(" class=\"danger\"")
        : style == ButtonStyle::Secondary                 ? QStringLiteral(" class=\"secondary\"")
                                                          : QString();
    const QString nameAndValue = name.isEmpty()
        ? QString()
        : QStringLiteral(" name=\"%1\" value=\"%2\"").arg(HtmlEscape::escaped(name), HtmlEscape::escaped(value));
    return QStringLiteral("<button type=\"submit\"%1%2>%3</button>")
        .arg(cssClass, nameAndValue, HtmlEscape::escaped(label));
}

} // namespace FormHtml
