#include "Ui/PageStyle.h"

#include "Ui/SymbolIcon.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

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
        return faded(0.16);
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

QColor boxFill(const QPalette &palette, double opacity)
{
    QColor c = color(Tone::quaternary, palette);
    c.setAlphaF(float(c.alphaF() * opacity));
    return c;
}

namespace {

// The palette a widget has before anything recolours its own: its parent's, else the application's.
QPalette inheritedPalette(const QWidget *widget)
{
    return widget->parentWidget() != nullptr ? widget->parentWidget()->palette()
                                             : QApplication::palette(widget);
}

} // namespace

void setTone(QWidget *widget, Tone tone)
{
    widget->setProperty("tone", toneName(tone));
    const QColor c = color(tone, inheritedPalette(widget));
    QPalette palette = widget->palette();
    // Both text roles: a label on a Base background (a form group, a list) draws with Text.
    palette.setColor(QPalette::WindowText, c);
    palette.setColor(QPalette::Text, c);
    widget->setPalette(palette);
}

QLabel *label(const QString &text, TextSize size, Tone tone, QWidget *parent, QFont::Weight weight)
{
    auto *l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText);
    l->setFont(font(size, l->font(), weight));
    setTone(l, tone);
    return l;
}

void setSymbol(QLabel *label, const QString &name, TextSize size, Tone tone)
{
    const int side = QFontMetrics(font(size, label->font())).height();
    label->setPixmap(
        SymbolIcon::pixmap(name, side, color(tone, inheritedPalette(label)), label->devicePixelRatioF()));
    label->setProperty("symbol", name);
    label->setProperty("tone", toneName(tone));
}

QLabel *symbol(const QString &name, TextSize size, Tone tone, QWidget *parent)
{
    auto *l = new QLabel(parent);
    setSymbol(l, name, size, tone);
    return l;
}

void makeProminent(QPushButton *button)
{
    button->setDefault(true);
    button->setAutoDefault(false);
    button->setFont(font(TextSize::body, button->font(), QFont::DemiBold));
    button->setMinimumHeight(32);
    button->setStyleSheet(QStringLiteral("QPushButton { padding: 4px 16px; }"));
}

} // namespace PageStyle
