#pragma once

#include <QFont>
#include <QHash>
#include <QStaticText>
#include <QString>

class QPainter;
class QRectF;

// Single lines of text (course names, meeting times, day headings) shaped
// and elided once and then drawn from their glyphs. A week repeats each
// course's name in every one of its boxes, and shaping and eliding the name
// again for each box cost more than drawing the box around it.
class ShapedLines {
public:
    // Enough for every line of a few weeks; beyond it they are shaped anew.
    static constexpr qsizetype capacity = 2000;

    // Draws `text` on one line in the painter's font and pen, elided at the
    // right when it is wider than `rect`, placed in it by `alignment`.
    void draw(QPainter& painter, const QRectF& rect, const QString& text, Qt::Alignment alignment);

private:
    struct Key {
        QString text;
        QFont font;
        int width;

        bool operator==(const Key&) const = default;
    };
    friend size_t qHash(const Key& key, size_t seed) { return qHashMulti(seed, key.text, key.font, key.width); }

    const QStaticText& shaped(const Key& key);

    QHash<Key, QStaticText> m_lines;
};
