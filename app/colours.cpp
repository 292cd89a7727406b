#include "colours.h"

#include <algorithm>
#include <cmath>

namespace colours {

namespace {

double luminance(const QColor& c)
{
    const auto linear = [](float v) { return v <= 0.03928f ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    const QColor rgb = c.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
}

// c drawn at its own opacity over the background.
QColor over(const QColor& c, const QColor& background)
{
    const float a = c.alphaF();
    const auto mix = [a](float top, float bottom) { return a * top + (1 - a) * bottom; };
    return QColor::fromRgbF(mix(c.redF(), background.redF()), mix(c.greenF(), background.greenF()),
                            mix(c.blueF(), background.blueF()));
}

QColor blend(const QColor& from, const QColor& to, double t)
{
    const auto mix = [t](float a, float b) { return float(a + (b - a) * t); };
    return QColor::fromRgbF(mix(from.redF(), to.redF()), mix(from.greenF(), to.greenF()),
                            mix(from.blueF(), to.blueF()));
}

// The colour moved towards the given extreme in small steps until it
// stands out from the background by the ratio asked.
QColor legible(QColor colour, const QColor& background, double ratio, const QColor& towards)
{
    colour = over(colour, background);
    const QColor from = colour;
    for (int step = 1; step <= 20 && contrast(colour, background) < ratio; ++step)
        colour = blend(from, towards, step / 20.0);
    return colour;
}

bool isDark(const QColor& c)
{
    return luminance(c) < 0.18;
}

} // namespace

double contrast(const QColor& a, const QColor& b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor typedText(const QPalette& palette)
{
    const QColor base = palette.color(QPalette::Base);
    return legible(palette.color(QPalette::PlaceholderText), base, textContrast, over(palette.color(QPalette::Text), base));
}

QColor negative(const QPalette& palette)
{
    const QColor window = palette.color(QPalette::Window);
    return legible(isDark(window) ? QColor(0xff, 0x60, 0x60) : QColor(0xc0, 0x00, 0x00), window, textContrast,
                   isDark(window) ? Qt::white : Qt::black);
}

QColor mark(const QPalette& palette)
{
    const QColor base = palette.color(QPalette::Base);
    return legible(QColor(0xe0, 0x80, 0x00), base, markContrast, isDark(base) ? Qt::white : Qt::black);
}

QPalette paper()
{
    QPalette p{QColor(Qt::white), QColor(Qt::white)};
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button, QPalette::AlternateBase,
                                QPalette::Light, QPalette::Midlight})
            p.setColor(group, role, Qt::white);
        for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            p.setColor(group, role, group == QPalette::Disabled ? QColor(0x60, 0x60, 0x60) : QColor(Qt::black));
    }
    p.setColor(QPalette::PlaceholderText, QColor(0x6e, 0x6e, 0x6e));
    p.setColor(QPalette::Mid, QColor(0xa0, 0xa0, 0xa0));
    p.setColor(QPalette::Dark, QColor(0x80, 0x80, 0x80));
    p.setColor(QPalette::Shadow, QColor(0x60, 0x60, 0x60));
    return p;
}

} // namespace colours
