#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

class QClipboard;
class QMimeData;

// Typed items that stay until replaced. The general pasteboard is the
// desktop's clipboard, shared by every window of every program; a named
// pasteboard is private to the application and independent of it.
class Pasteboard {
public:
    // Plain text, as every program reads it.
    static const QString StringType;

    // The desktop's clipboard. Without a GUI application it stands in for
    // one within the process.
    static Pasteboard& general();
    // The pasteboard of that name, created empty on first use.
    static Pasteboard& named(const QString& name);

    const QString& name() const { return m_name; }

    // Replaces the whole contents at once: one change.
    void setItems(const QHash<QString, QByteArray>& items);
    void clearContents() { setItems({}); }
    // Every change of contents counts, on the general pasteboard also those
    // made by other programs.
    int changeCount() const { return m_changeCount; }

    // Adds one item to what the pasteboard holds.
    void setData(const QByteArray& data, const QString& type);
    QByteArray data(const QString& type) const;
    void setString(const QString& value, const QString& type = StringType);
    QString string(const QString& type = StringType) const;

    bool hasType(const QString& type) const;
    QStringList types() const;

private:
    explicit Pasteboard(QString name);
    // The clipboard behind the general pasteboard, while there is one.
    QClipboard* systemClipboard() const;
    const QMimeData* systemData() const;

    QString m_name;
    bool m_general = false;
    QHash<QString, QByteArray> m_items;
    int m_changeCount = 0;
};
