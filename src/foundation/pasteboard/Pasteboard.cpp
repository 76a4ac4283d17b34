#include "foundation/pasteboard/Pasteboard.h"

#include <map>
#include <memory>

const QString Pasteboard::StringType = QStringLiteral("text/plain;charset=utf-8");

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

void Pasteboard::clearContents()
{
    m_items.clear();
    ++m_changeCount;
}

void Pasteboard::setData(const QByteArray& data, const QString& type)
{
    m_items.insert(type, data);
    ++m_changeCount;
}

QByteArray Pasteboard::data(const QString& type) const
{
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
