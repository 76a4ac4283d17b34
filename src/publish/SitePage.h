#pragma once

#include <QString>
#include <QStringList>

// The frame every page of a site shares: an HTML5 document in UTF-8 that
// reads on a phone (the viewport follows the device), with the theme's
// style sheets.
namespace SitePage {
// `title` and `body` are HTML already; `styleSheets` and `headExtra` are
// placed in the head as given.
QString document(const QString& title, const QStringList& styleSheets, const QString& headExtra, const QString& body);
// The link elements of the theme's own sheet and of the page's layout
// (its path inside the theme's folder), for a page `depth` folders below
// the site's top.
QStringList themeStyleSheets(const QString& theme, int depth, const QStringList& pageSheet);
// The page with every Latin-1 character as an entity, as UTF-8 bytes.
QByteArray bytes(const QString& page);
} // namespace SitePage
