#include "Ui/PageStyle.h"

#include <algorithm>
#include <cmath>

namespace PageStyle {

QColor color(Tone tone, const QPalette &palette)
{
    const QColor text = palette.color(QPalette::WindowText);
    const bool dark = palette.color(QPalette::Window).lightnessF() < 0.5;
    auto faded = [&](double alpha) {
        QColor c = text;
        c.setAlphaF(float(alpha));
        return c;
    };
    switch (tone) {
    case Tone::primary:
        return text;
    case Tone::secondary:
        return faded(0.6);
    case Tone::tertiary:
        return faded(0.38);
    case Tone::quaternary:
        return faded(0.1);
    case Tone::accent:
        return palette.color(QPalette::Highlight);
    case Tone::orange:
        return dark ? QColor(255, 159, 10) : QColor(230, 120, 0);
    case Tone::green:
        return dark ? QColor(48, 209, 88) : QColor(30, 150, 60);
    case Tone::red:
        return dark ? QColor(255, 69, 58) : QColor(215, 40, 35);
    case Tone::cyan:
        return dark ? QColor(100, 210, 255) : QColor(20, 150, 200);
    case Tone::blue:
        return dark ? QColor(10, 132, 255) : QColor(0, 110, 230);
    case Tone::yellow:
        return dark ? QColor(255, 214, 10) : QColor(242, 183, 5);
    }
    return text;
}

QString toneName(Tone tone)
{
    switch (tone) {
    case Tone::primary:
        return QStringLiteral("primary");
    case Tone::secondary:
        return QStringLiteral("secondary");
    case Tone::tertiary:
        return QStringLiteral("tertiary");
    case Tone::quaternary:
        return QStringLiteral("quaternary");
    case Tone::accent:
        return QStringLiteral("accent");
    case Tone::orange:
        return QStringLiteral("orange");
    case Tone::green:
        return QStringLiteral("green");
    case Tone::red:
        return QStringLiteral("red");
    case Tone::cyan:
        return QStringLiteral("cyan");
    case Tone::blue:
        return QStringLiteral("blue");
    case Tone::yellow:
        return QStringLiteral("yellow");
    }
    return {};
}

QFont font(TextSize size, const QFont &base, QFont::Weight weight)
{
    const double factor = [size] {
        switch (size) {
        case TextSize::title:
            return 1.9;
        case TextSize::title2:
            return 1.6;
        case TextSize::title3:
            return 1.45;
        case TextSize::headline:
        case TextSize::body:
            return 1.0;
        case TextSize::callout:
            return 0.95;
        case TextSize::caption:
            return 0.85;
        case TextSize::caption2:
            return 0.78;
        }
        return 1.0;
    }();
    QFont f = base;
    if (f.pointSizeF() > 0)
        f.setPointSizeF(f.pointSizeF() * factor);
    else
        f.setPixelSize(std::max(1, int(std::lround(f.pixelSize() * factor))));
    f.setWeight(size == TextSize::headline ? std::max(weight, QFont::DemiBold) : weight);
    return f;
}

} // namespace PageStyle
