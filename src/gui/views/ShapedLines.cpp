#include "gui/views/ShapedLines.h"

#include <QFontMetricsF>
#include <QPainter>

const QStaticText& ShapedLines::shaped(const Key& key)
{
    if (const auto found = m_lines.constFind(key); found != m_lines.constEnd())
        return *found;
    if (m_lines.size() >= capacity)
        m_lines.clear();
    QStaticText line(QFontMetricsF(key.font).elidedText(key.text, Qt::ElideRight, key.width));
    line.setTextFormat(Qt::PlainText);
    line.prepare(QTransform(), key.font);
    return *m_lines.insert(key, std::move(line));
}

void ShapedLines::draw(QPainter& painter, const QRectF& rect, const QString& text, Qt::Alignment alignment)
{
    if (text.isEmpty() || rect.width() <= 0)
        return;
    const QStaticText& line = shaped({ text, painter.font(), int(rect.width()) });
    const QSizeF size = line.size();
    double x = rect.left();
    if (alignment & Qt::AlignRight)
        x = rect.right() - size.width();
    else if (alignment & Qt::AlignHCenter)
        x = rect.left() + (rect.width() - size.width()) / 2;
    double y = rect.top();
    if (alignment & Qt::AlignBottom)
        y = rect.bottom() - size.height();
    else if (alignment & Qt::AlignVCenter)
        y = rect.top() + (rect.height() - size.height()) / 2;
    painter.drawStaticText(QPointF(x, y), line);
}
