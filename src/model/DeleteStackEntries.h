#pragma once

#include <QSet>
#include <QString>

// The entries of a delete stack ("syncID:type," each), for telling whether an
// entry is new. A bump through a synced year looks up thousands of short
// entries, where Qt's seeded string hash costs more than the rest of the
// lookup: the entries are hashed with the standard library's plain hash.
class DeleteStackEntries {
public:
    DeleteStackEntries() = default;
    // The entries the stored stack text holds.
    explicit DeleteStackEntries(const QString& stack);

    // Whether the entry was new.
    bool add(const QString& entry);

private:
    struct Entry {
        QString text;
        friend bool operator==(const Entry& a, const Entry& b) noexcept { return a.text == b.text; }
    };
    friend size_t qHash(const Entry& entry, size_t seed) noexcept;

    QSet<Entry> m_entries;
};
