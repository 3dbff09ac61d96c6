#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>

class QLabel;
class QPushButton;
class QWidget;

// The named colours and text sizes the pages share, and labels drawn in them.
enum class Tone { primary, secondary, tertiary, quaternary, accent, orange, green, red, cyan, blue, yellow };
// Relative to the widget's own font; a headline is body text at least semibold.
enum class TextSize { title, title2, title3, headline, body, callout, caption, caption2 };

namespace PageStyle {

QColor color(Tone tone, const QPalette &palette);
// The tone's name ("secondary", "orange", …), kept on labels as the property "tone".
QString toneName(Tone tone);
QFont font(TextSize size, const QFont &base, QFont::Weight weight = QFont::Normal);
// The quaternary colour at the opacity: the fill of boxes, cards and banners.
QColor boxFill(const QPalette &palette, double opacity);

// Colours the widget's text in the tone and keeps the tone's name on it (tests read it). The colour
// comes from the palette the widget inherits, never from its own, which an earlier tone recoloured.
void setTone(QWidget *widget, Tone tone);
// A plain-text label in the size, weight and tone.
QLabel *label(const QString &text, TextSize size, Tone tone, QWidget *parent = nullptr,
              QFont::Weight weight = QFont::Normal);
// A symbol as high as a line of the text size, tinted; the symbol's name is kept as "symbol".
QLabel *symbol(const QString &name, TextSize size, Tone tone, QWidget *parent = nullptr);
void setSymbol(QLabel *label, const QString &name, TextSize size, Tone tone);
// The large, default-styled main action of a bar.
void makeProminent(QPushButton *button);

} // namespace PageStyle
