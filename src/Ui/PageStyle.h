#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QPixmap>
#include <QString>

// The named colours and text sizes the tool pages share, and their symbols drawn in a colour.
enum class Tone { primary, secondary, tertiary, quaternary, accent, orange, green, red, cyan, blue };
enum class TextSize { title3, body, callout, caption, caption2 };

namespace PageStyle {

QColor color(Tone tone, const QPalette &palette);
QFont font(TextSize size, const QFont &base, bool semibold = false);
// A symbol of the catalogue's naming ("doc.fill", "checkmark.circle.fill", …) in one colour.
QPixmap symbol(const QString &name, int side, const QColor &tint, qreal devicePixelRatio = 1.0);

} // namespace PageStyle
