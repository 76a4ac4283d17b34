#pragma once

#include <QDirIterator>
#include <QFile>
#include <QMap>

// Every file and folder below `root` (names starting with "." too), by
// relative path: a file's bytes, or "<folder>".
inline QMap<QString, QByteArray> treeAt(const QString& root)
{
    QMap<QString, QByteArray> tree;
    QDirIterator walk(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (walk.hasNext()) {
        const QString path = walk.next();
        QFile file(path);
        const QString relative = path.mid(root.size() + 1);
        if (walk.fileInfo().isDir())
            tree.insert(relative, "<folder>");
        else if (file.open(QIODevice::ReadOnly))
            tree.insert(relative, file.readAll());
    }
    return tree;
}

// The tree without what an upload leaves at home.
inline QMap<QString, QByteArray> withoutHidden(QMap<QString, QByteArray> tree)
{
    for (auto entry = tree.begin(); entry != tree.end();) {
        const bool hidden = entry.key().startsWith(QLatin1Char('.')) || entry.key().contains(QLatin1String("/."));
        entry = hidden ? tree.erase(entry) : std::next(entry);
    }
    return tree;
}

// The entries that differ between two trees, one a line with their sizes;
// empty when the trees are equal.
inline std::string treeDifferences(const QMap<QString, QByteArray>& actual, const QMap<QString, QByteArray>& expected)
{
    QStringList lines;
    QStringList names = actual.keys() + expected.keys();
    names.removeDuplicates();
    for (const QString& name : names) {
        if (actual.value(name) != expected.value(name) || actual.contains(name) != expected.contains(name))
            lines.append(QStringLiteral("%1: %2 bytes, expected %3")
                             .arg(name)
                             .arg(actual.contains(name) ? actual.value(name).size() : -1)
                             .arg(expected.contains(name) ? expected.value(name).size() : -1));
    }
    return lines.join(QLatin1Char('\n')).toStdString();
}

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
