#pragma once

#include <QByteArray>
#include <QColor>

#include <optional>

// A colour stored in a record as a keyed archive: a property list naming the
// colour class and holding its colour space and components as text
// ("r g b a"), the form desktop colour pickers archive colours in. Only device
// RGB and device/calibrated white colours occur in documents.
class ColorArchive {
public:
    static QByteArray archive(const QColor& color);
    // The colour in `data`, or nothing when the data is not a colour archive.
    static std::optional<QColor> unarchive(const QByteArray& data);
};
