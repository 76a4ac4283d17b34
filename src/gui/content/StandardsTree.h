#pragma once

#include <QHash>
#include <QTreeWidget>

#include <functional>

class Standard;

// A standards outline: the root row, then every standard by its short name
// (by its text when it has none), children in short-name order. Rows keep their standard; dragging rows out
// puts them on the pasteboard as "SMStandardDataType".
class StandardsTree : public QTreeWidget {
public:
    static const QString mimeType;

    explicit StandardsTree(QWidget* parent = nullptr);

    // Rebuilds the rows below `root`, fully expanded; `decorate` may add
    // check boxes or change texts of each new row.
    void load(Standard* root, const std::function<void(QTreeWidgetItem&, Standard&)>& decorate = {});
    static Standard* standardOf(const QTreeWidgetItem* item);
    QTreeWidgetItem* itemOf(const Standard* standard) const { return m_items.value(standard); }
    // How a row names its standard.
    static QString label(const Standard& standard);
    // The dragged standards as one string: each one's store identifier followed by "----".
    static QString pasteboardString(const QList<Standard*>& standards);
    QMimeData* mimeData(const QList<QTreeWidgetItem*>& items) const override;

protected:
    QStringList mimeTypes() const override { return { mimeType }; }

private:
    QTreeWidgetItem* makeItem(Standard& standard);
    void addChildren(
        QTreeWidgetItem& parent, Standard& standard, const std::function<void(QTreeWidgetItem&, Standard&)>& decorate);

    QHash<const Standard*, QTreeWidgetItem*> m_items;
};
