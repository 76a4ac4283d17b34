#include "content/CaseJsonFormat.h"

#include "content/CaseFramework.h"
#include "content/StandardsImport.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QJsonObject package(const QByteArray& bytes)
{
    const QByteArray trimmed = bytes.trimmed();
    if (!trimmed.startsWith('{') && !trimmed.startsWith("\xEF\xBB\xBF"))
        return {};
    return QJsonDocument::fromJson(trimmed.startsWith('{') ? trimmed : trimmed.mid(3)).object();
}

// A node reference is an object with an "identifier" (and a URI and title).
QString nodeIdentifier(const QJsonValue& reference)
{
    return reference[u"identifier"].toString();
}

struct Link {
    QString parent;
    std::optional<double> sequence;
};

QHash<QString, Link> childOfLinks(const QJsonArray& associations)
{
    QHash<QString, Link> links;
    for (const QJsonValue& association : associations) {
        if (association[u"associationType"].toString() != u"isChildOf")
            continue;
        const QString child = nodeIdentifier(association[u"originNodeURI"]);
        const QJsonValue sequence = association[u"sequenceNumber"];
        if (!links.contains(child))
            links.insert(child,
                { nodeIdentifier(association[u"destinationNodeURI"]),
                    sequence.isDouble() ? std::optional(sequence.toDouble()) : std::nullopt });
    }
    return links;
}

} // namespace

bool CaseJsonFormat::recognises(const StandardsSource& source) const
{
    const QJsonObject root = package(source.bytes());
    return root.contains(u"CFDocument") && root.contains(u"CFItems");
}

void CaseJsonFormat::read(const StandardsSource& source, StandardsImport& into) const
{
    const QJsonObject root = package(source.bytes());
    const QHash<QString, Link> links = childOfLinks(root[u"CFAssociations"].toArray());
    QList<CaseItem> items;
    int number = 0;
    for (const QJsonValue& value : root[u"CFItems"].toArray()) {
        ++number;
        CaseItem item;
        item.identifier = value[u"identifier"].toString();
        item.text = value[u"fullStatement"].toString();
        item.shortName = value[u"humanCodingScheme"].toString();
        if (item.shortName.isEmpty())
            item.shortName = value[u"abbreviatedStatement"].toString();
        if (item.text.isEmpty()) {
            into.refuse(QStringLiteral("Item %1 has no full statement.").arg(number));
            continue;
        }
        const Link link = links.value(item.identifier);
        item.parent = link.parent;
        item.sequence = link.sequence;
        items.append(item);
    }
    CaseFramework::place(items, root[u"CFDocument"][u"title"].toString(), into);
}
