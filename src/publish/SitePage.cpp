#include "publish/SitePage.h"

#include "publish/HtmlText.h"
#include "publish/PublishThemes.h"

namespace SitePage {

QString document(const QString& title, const QStringList& styleSheets, const QString& headExtra, const QString& body)
{
    QString page = QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n"
                                  "\t<meta charset=\"utf-8\">\n"
                                  "\t<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                                  "\t<title>%1</title>\n")
                       .arg(title);
    for (const QString& sheet : styleSheets)
        page += QLatin1Char('\t') + sheet + QLatin1Char('\n');
    page += headExtra;
    page += QStringLiteral("</head>\n<body>\n");
    page += body;
    page += QStringLiteral("\n</body>\n</html>\n");
    return page;
}

QStringList themeStyleSheets(const QString& theme, int depth, const QStringList& pageSheet)
{
    const QString up = QStringLiteral("../").repeated(depth);
    const QStringList folder = PublishThemes::folder(theme);
    QStringList links;
    for (const QStringList& sheet : { QStringList { QStringLiteral("theme.css") }, pageSheet }) {
        links.append(QStringLiteral("<link rel=\"stylesheet\" type=\"text/css\" href=\"%1%2\">")
                         .arg(up, HtmlText::pathHref(folder + sheet)));
    }
    return links;
}

QByteArray bytes(const QString& page)
{
    return HtmlText::encodeCharacterEntities(page).toUtf8();
}

} // namespace SitePage
