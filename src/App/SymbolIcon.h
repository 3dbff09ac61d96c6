#pragma once

#include <QColor>
#include <QIcon>
#include <QString>

// Icons for the symbol names the catalogue and the shell use ("hammer.fill", "house.fill", …).
// They are drawn in code at any size, in the palette's text colour, so they look the same with or
// without an icon theme on the desktop. An unknown name draws a plain circle.
namespace SymbolIcon {

QIcon icon(const QString &symbolName);
// The same symbol in a fixed colour (disabled: faded) instead of the palette's text colour.
QIcon icon(const QString &symbolName, const QColor &tint);
bool isKnown(const QString &symbolName);

} // namespace SymbolIcon
