#pragma once

#include <QColor>

#include <array>

// Colour arithmetic for course colours.
class Colors {
public:
    // A new course's colour: a deep green (hue 0.33, full saturation,
    // brightness 0.49, opaque), in device RGB.
    static QColor defaultCourseColor();

    // Blends `level` of the way toward white (0 keeps the colour, 1 gives white);
    // alpha is kept.
    static QColor highlighted(const QColor& color, float level);
    static QColor withAlpha(const QColor& color, float alpha);

    // Red, green and blue as whole numbers 0–255: each component times 255,
    // truncated (the form the Windows edition stores).
    static std::array<int, 3> components255(const QColor& color);
};
