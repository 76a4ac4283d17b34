#include "connect/SyncText.h"

#include "foundation/dates/DateFormatting.h"

namespace {

bool allowedInXml(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD)
        || (c >= 0x10000 && c <= 0x10FFFF);
}

} // namespace

QString SyncText::escape(const QString& text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            escaped.append(c).append(text.at(++i));
            continue;
        }
        if (c.isSurrogate() || !allowedInXml(c.unicode()))
            continue;
        if (c == u'&')
            escaped.append(QLatin1String("&amp;"));
        else if (c == u'<')
            escaped.append(QLatin1String("&lt;"));
        else if (c == u'>')
            escaped.append(QLatin1String("&gt;"));
        else
            escaped.append(c);
    }
    return escaped;
}

QString SyncText::element(const QString& name, const QString& value)
{
    return QLatin1Char('<') + name + QLatin1Char('>') + value + QLatin1String("</") + name + QLatin1Char('>');
}

QString SyncText::yearDate(Date date)
{
    return DateFormatting::formatPattern(date, QStringLiteral("yyyy-MM-dd kk:mm:ss"));
}

QString SyncText::dayDate(Date date)
{
    return DateFormatting::formatPattern(date, QStringLiteral("yyyy-MM-dd kk:mm:ssZ"));
}

QString SyncText::lessonTime(Date date)
{
    return DateFormatting::formatPattern(date, QStringLiteral("yyyy-MM-dd kk:mm:00Z"));
}
