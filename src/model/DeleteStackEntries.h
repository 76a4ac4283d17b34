#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

// A delete stack's text ("syncID:type," entries) with a table for telling
// whether an entry is new. A bump through a synced year adds thousands of
// short entries: each is written once, straight into the text, and found
// again through its place there, with no string of its own.
class DeleteStackEntries {
public:
    DeleteStackEntries() = default;
    // The entries the stored stack text holds.
    explicit DeleteStackEntries(const QString& stack);

    // The stack with every entry added since it was read.
    const QString& text() const { return m_text; }
    // Adds "syncID:type," unless the stack holds it; whether it was new.
    bool add(QStringView syncID, QStringView type);

private:
    struct Entry {
        qsizetype start;
        qsizetype length;
        size_t hash;
    };

    QStringView entryText(const Entry& entry) const { return QStringView(m_text).mid(entry.start, entry.length); }
    // Where the entry is in the table, or the free place it would take.
    size_t placeOf(QStringView text, size_t hash) const;
    // Takes the entry at that place of the text into the table; whether it
    // was not there yet.
    bool takeEntry(qsizetype start, qsizetype length);
    void growTable();

    QString m_text;
    std::vector<Entry> m_entries;
    // Open addressing over a power-of-two size: each place holds an index
    // into m_entries plus one, or zero when free.
    std::vector<std::uint32_t> m_table;
};
