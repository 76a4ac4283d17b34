#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

// A named pasteboard private to the application: typed items that stay until
// replaced, independent of the system clipboard (so copying text elsewhere
// does not disturb, say, a copied lesson).
class Pasteboard {
public:
    static const QString StringType;

    // The pasteboard of that name, created empty on first use.
    static Pasteboard& named(const QString& name);

    const QString& name() const { return m_name; }

    // Empties the pasteboard; every change of contents counts.
    void clearContents();
    int changeCount() const { return m_changeCount; }

    void setData(const QByteArray& data, const QString& type);
    QByteArray data(const QString& type) const;
    void setString(const QString& value, const QString& type = StringType);
    QString string(const QString& type = StringType) const;

    bool hasType(const QString& type) const { return m_items.contains(type); }
    QStringList types() const { return m_items.keys(); }

private:
    explicit Pasteboard(QString name);

    QString m_name;
    QHash<QString, QByteArray> m_items;
    int m_changeCount = 0;
};
