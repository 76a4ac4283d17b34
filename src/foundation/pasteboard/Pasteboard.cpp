#include "foundation/pasteboard/Pasteboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <map>
#include <memory>

const QString Pasteboard::StringType = QStringLiteral("text/plain");

Pasteboard& Pasteboard::general()
{
    static Pasteboard* board = [] {
        Pasteboard* made = &named(QStringLiteral("general"));
        made->m_general = true;
        if (QClipboard* clipboard = made->systemClipboard())
            QObject::connect(clipboard, &QClipboard::dataChanged, [made] { ++made->m_changeCount; });
        return made;
    }();
    return *board;
}

Pasteboard& Pasteboard::named(const QString& name)
{
    // Pasteboards live for the whole process, like the system's own.
    static std::map<QString, std::unique_ptr<Pasteboard>> registry;
    auto& slot = registry[name];
    if (!slot)
        slot.reset(new Pasteboard(name));
    return *slot;
}

Pasteboard::Pasteboard(QString name)
    : m_name(std::move(name))
{ }

QClipboard* Pasteboard::systemClipboard() const
{
    return m_general && qGuiApp ? QGuiApplication::clipboard() : nullptr;
}

const QMimeData* Pasteboard::systemData() const
{
    const QClipboard* clipboard = systemClipboard();
    return clipboard ? clipboard->mimeData() : nullptr;
}

void Pasteboard::setItems(const QHash<QString, QByteArray>& items)
{
    QClipboard* clipboard = systemClipboard();
    if (!clipboard) {
        m_items = items;
        ++m_changeCount;
        return;
    }
    // The clipboard counts its own change.
    auto* data = new QMimeData;
    for (auto item = items.cbegin(); item != items.cend(); ++item)
        data->setData(item.key(), item.value());
    clipboard->setMimeData(data);
}

void Pasteboard::setData(const QByteArray& data, const QString& type)
{
    QHash<QString, QByteArray> items;
    for (const QString& held : types())
        items.insert(held, this->data(held));
    items.insert(type, data);
    setItems(items);
}

QByteArray Pasteboard::data(const QString& type) const
{
    if (const QMimeData* held = systemData())
        return held->data(type);
    return m_items.value(type);
}

void Pasteboard::setString(const QString& value, const QString& type)
{
    setData(value.toUtf8(), type);
}

QString Pasteboard::string(const QString& type) const
{
    return QString::fromUtf8(data(type));
}

bool Pasteboard::hasType(const QString& type) const
{
    if (const QMimeData* held = systemData())
        return held->hasFormat(type);
    return m_items.contains(type);
}

QStringList Pasteboard::types() const
{
    if (const QMimeData* held = systemData())
        return held->formats();
    return m_items.keys();
}
