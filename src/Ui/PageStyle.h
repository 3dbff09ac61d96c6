#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>

// The named colours and text sizes the tool pages share (their symbols: App/SymbolIcon.h).
enum class Tone { primary, secondary, tertiary, quaternary, accent, orange, green, red, cyan, blue, yellow };
// Relative to the widget's own font; a headline is body text at least semibold.
enum class TextSize { title, title2, title3, headline, body, callout, caption, caption2 };

namespace PageStyle {

QColor color(Tone tone, const QPalette &palette);
// The tone's name ("secondary", "orange", …), kept on labels as the property "tone".
QString toneName(Tone tone);
QFont font(TextSize size, const QFont &base, QFont::Weight weight = QFont::Normal);

} // namespace PageStyle
