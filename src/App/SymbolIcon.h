#pragma once

#include <QIcon>
#include <QString>

// Icons for the symbol names the catalogue and the shell use ("hammer.fill", "house.fill", …).
// They are drawn in code at any size, in the palette's text colour, so they look the same with or
// without an icon theme on the desktop. An unknown name draws a plain circle.
namespace SymbolIcon {

QIcon icon(const QString &symbolName);
bool isKnown(const QString &symbolName);

} // namespace SymbolIcon
