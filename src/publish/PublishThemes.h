#pragma once

#include <QStringList>

// The looks a site can take. Each theme is a set of style sheets shipped
// inside the program and copied into every site that uses it, so that a
// site works from a folder, offline and on any host.
namespace PublishThemes {
// In the order the options sheet lists them.
const QStringList& names();
// The theme of that name, or the first one for a name not in the list (a
// new year's "Default (Cream and Blue)", a theme of another version).
QString resolve(const QString& name);
// The theme's files as (path inside the theme's folder, contents).
QList<std::pair<QString, QByteArray>> files(const QString& theme);
// The theme's folder, relative to the site's top.
QStringList folder(const QString& theme);
} // namespace PublishThemes
