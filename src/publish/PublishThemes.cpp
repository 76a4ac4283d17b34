#include "publish/PublishThemes.h"

#include <QDirIterator>
#include <QFile>

namespace {

const QString resourceRoot = QStringLiteral(":/publish/themes/");

QByteArray resource(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

namespace PublishThemes {

const QStringList& names()
{
    static const QStringList themes { QStringLiteral("Default"), QStringLiteral("Blackboard"), QStringLiteral("Spiral"),
        QStringLiteral("Woody"), QStringLiteral("Retro"), QStringLiteral("Pastel"), QStringLiteral("No_Handouts"),
        QStringLiteral("Metal"), QStringLiteral("Blue Box"), QStringLiteral("Black") };
    return themes;
}

QString resolve(const QString& name)
{
    return names().contains(name) ? name : names().first();
}

QList<std::pair<QString, QByteArray>> files(const QString& theme)
{
    // The page layouts are shared; each theme brings its own colours,
    // type and ornaments in theme.css.
    QList<std::pair<QString, QByteArray>> result;
    QDirIterator layouts(resourceRoot + QStringLiteral("common"), QDir::Files, QDirIterator::Subdirectories);
    while (layouts.hasNext()) {
        const QString path = layouts.next();
        result.append({ path.mid(resourceRoot.size() + QStringLiteral("common/").size()), resource(path) });
    }
    std::sort(result.begin(), result.end());
    result.append(
        { QStringLiteral("theme.css"), resource(resourceRoot + resolve(theme) + QStringLiteral("/theme.css")) });
    return result;
}

QStringList folder(const QString& theme)
{
    return { QStringLiteral("themes"), resolve(theme) };
}

} // namespace PublishThemes
