#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>

// The named colours and text sizes the tool pages share (their symbols: App/SymbolIcon.h).
enum class Tone { primary, secondary, tertiary, quaternary, accent, orange, green, red, cyan, blue };
enum class TextSize { title3, body, callout, caption, caption2 };

namespace PageStyle {

QColor color(Tone tone, const QPalette &palette);
QFont font(TextSize size, const QFont &base, bool semibold = false);

} // namespace PageStyle
