#pragma once

#include <QCache>
#include <QColor>
#include <QImage>

#include <functional>
#include <memory>

class QPainter;
class QRectF;
class QTextDocument;

// Lesson texts drawn once into images and then copied onto the week. A bump
// moves each lesson's text into the next box of its course, where it shows
// at the same size on the same tint; drawing its glyphs again for every box
// cost more than all the rest of the box.
//
// An image is drawn on the box's own colour, so that its text is smoothed
// as on screen and the image is copied without blending.
class BoxTextImages {
public:
    using Paint = std::function<void(QPainter&)>;

    // Some fifty weeks of boxes on an ordinary screen.
    static constexpr qsizetype defaultBudget = qsizetype(32) << 20;

    // Images beyond `budget` bytes are dropped, least recently shown first.
    explicit BoxTextImages(qsizetype budget = defaultBudget);

    // Shows at `rect` what `paint` draws on `background` into an area of
    // rect's size with its origin at the top left. It is drawn only the first
    // time `text`, as wrapped now, is shown at this size on this background.
    void draw(QPainter& painter, const QRectF& rect, const std::shared_ptr<QTextDocument>& text,
        const QColor& background, const Paint& paint);

private:
    struct Key {
        const QTextDocument* text;
        double textWidth;
        double width;
        double height;
        QRgb background;
        double pixelRatio;

        bool operator==(const Key&) const = default;
    };
    friend size_t qHash(const Key& key, size_t seed)
    {
        return qHashMulti(seed, key.text, key.textWidth, key.width, key.height, key.background, key.pixelRatio);
    }
    // The text is kept with its image, so that no other text made at the
    // same address can be taken for it.
    struct Entry {
        std::shared_ptr<QTextDocument> text;
        QImage image;
    };

    QCache<Key, Entry> m_images;
};
