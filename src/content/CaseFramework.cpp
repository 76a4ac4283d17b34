#include "content/CaseFramework.h"

#include "content/StandardsImport.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace {

class TreePlacer {
public:
    TreePlacer(const QList<CaseItem>& items, StandardsImport& into)
        : m_items(items)
        , m_into(into)
    {
        for (qsizetype i = 0; i < items.size(); ++i)
            m_indexById.insert(items.at(i).identifier, i);
        for (qsizetype i = 0; i < items.size(); ++i)
            m_children[parentIndex(i)].append(i);
        for (QList<qsizetype>& siblings : m_children)
            std::stable_sort(siblings.begin(), siblings.end(),
                [this](qsizetype a, qsizetype b) { return bySequence(m_items.at(a), m_items.at(b)); });
    }

    void place(const QString& title)
    {
        const QList<qsizetype> tops = m_children.value(topLevel);
        if (!tops.isEmpty())
            placeChildren(topLevel, findOrCreate(title, title, nullptr));
        // Items that never reach the top hang in a loop of parents.
        for (qsizetype i = 0; i < m_items.size(); ++i) {
            if (!m_placed.contains(i))
                m_into.refuse(QStringLiteral("%1 is part of a loop of parents.").arg(name(m_items.at(i))));
        }
    }

private:
    static constexpr qsizetype topLevel = -1;

    static bool bySequence(const CaseItem& a, const CaseItem& b)
    {
        // Items without a sequence number keep file order after those with one.
        if (a.sequence && b.sequence)
            return *a.sequence < *b.sequence;
        return a.sequence.has_value() && !b.sequence.has_value();
    }
    static QString name(const CaseItem& item) { return item.shortName.isEmpty() ? item.identifier : item.shortName; }

    qsizetype parentIndex(qsizetype i) const
    {
        const qsizetype parent = m_indexById.value(m_items.at(i).parent, topLevel);
        return parent == i ? topLevel : parent;
    }

    Standard* findOrCreate(const QString& text, const QString& shortName, Standard* parent)
    {
        if (Standard* existing = m_into.lookup().exactly(shortName, text)) {
            ++m_into.report().skipped;
            return existing;
        }
        ++m_into.report().added;
        return m_into.create(text, shortName, parent);
    }

    // Walks with an explicit stack: frameworks can be deep.
    void placeChildren(qsizetype top, Standard* topStandard)
    {
        QList<std::pair<qsizetype, Standard*>> pending { { top, topStandard } };
        while (!pending.isEmpty()) {
            const auto [index, standard] = pending.takeLast();
            QList<std::pair<qsizetype, Standard*>> made;
            for (qsizetype child : m_children.value(index)) {
                m_placed.insert(child);
                made.emplace_back(child, findOrCreate(m_items.at(child).text, m_items.at(child).shortName, standard));
            }
            std::reverse(made.begin(), made.end());
            pending += made;
        }
    }

    const QList<CaseItem>& m_items;
    StandardsImport& m_into;
    QHash<QString, qsizetype> m_indexById;
    QHash<qsizetype, QList<qsizetype>> m_children;
    QSet<qsizetype> m_placed;
};

} // namespace

void CaseFramework::place(const QList<CaseItem>& items, const QString& title, StandardsImport& into)
{
    TreePlacer(items, into).place(title);
}
