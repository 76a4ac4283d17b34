#include "foundation/color/Colors.h"

QColor Colors::defaultCourseColor()
{
    return QColor::fromHsvF(0.33f, 1.0f, 0.49f, 1.0f).toRgb();
}

QColor Colors::highlighted(const QColor& color, float level)
{
    const QColor rgb = color.toRgb();
    const auto blend = [level](float component) { return component + (1.0f - component) * level; };
    return QColor::fromRgbF(blend(rgb.redF()), blend(rgb.greenF()), blend(rgb.blueF()), rgb.alphaF());
}

QColor Colors::withAlpha(const QColor& color, float alpha)
{
    QColor result = color.toRgb();
    result.setAlphaF(alpha);
    return result;
}

std::array<int, 3> Colors::components255(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return { int(rgb.redF() * 255.0f), int(rgb.greenF() * 255.0f), int(rgb.blueF() * 255.0f) };
}
