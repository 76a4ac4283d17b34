#include "gui/content/StandardsTree.h"

#include "model/Standard.h"

#include <QMimeData>

namespace {

constexpr int standardRole = Qt::UserRole;

} // namespace

const QString StandardsTree::mimeType = QStringLiteral("SMStandardDataType");

StandardsTree::StandardsTree(QWidget* parent)
    : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

QString StandardsTree::label(const Standard& standard)
{
    // A standard imported with its text alone would be a blank row.
    return standard.shortName().isEmpty() ? standard.text() : standard.shortName();
}

QTreeWidgetItem* StandardsTree::makeItem(Standard& standard)
{
    auto* item = new QTreeWidgetItem(QStringList { label(standard) });
    item->setData(0, standardRole, QVariant::fromValue<void*>(&standard));
    // Rows have check boxes only where a tree asks for them.
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled);
    m_items.insert(&standard, item);
    return item;
}

void StandardsTree::load(Standard* root, const std::function<void(QTreeWidgetItem&, Standard&)>& decorate)
{
    clear();
    m_items.clear();
    if (!root)
        return;
    QTreeWidgetItem* top = makeItem(*root);
    addTopLevelItem(top);
    addChildren(*top, *root, decorate);
    expandAll();
}

void StandardsTree::addChildren(
    QTreeWidgetItem& parent, Standard& standard, const std::function<void(QTreeWidgetItem&, Standard&)>& decorate)
{
    for (Standard* child : standard.sortedChildren()) {
        QTreeWidgetItem* item = makeItem(*child);
        parent.addChild(item);
        if (decorate)
            decorate(*item, *child);
        addChildren(*item, *child, decorate);
    }
}

Standard* StandardsTree::standardOf(const QTreeWidgetItem* item)
{
    return item ? static_cast<Standard*>(item->data(0, standardRole).value<void*>()) : nullptr;
}

QString StandardsTree::pasteboardString(const QList<Standard*>& standards)
{
    QString text;
    for (const Standard* standard : standards)
        text += standard->objectURI() + QStringLiteral("----");
    return text;
}

QMimeData* StandardsTree::mimeData(const QList<QTreeWidgetItem*>& items) const
{
    QList<Standard*> standards;
    for (const QTreeWidgetItem* item : items) {
        if (Standard* standard = standardOf(item))
            standards.append(standard);
    }
    auto* data = new QMimeData;
    data->setData(mimeType, pasteboardString(standards).toUtf8());
    return data;
}
