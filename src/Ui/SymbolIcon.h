#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QString>

// The symbols the catalogue, the shell and the pages use ("hammer.fill", "doc.fill", …): one picture
// each in src/Ui/symbols, built in and drawn at any size, so they look the same with or without an
// icon theme on the desktop. An unknown name draws a plain circle.
namespace SymbolIcon {

// In the palette's text colour (selected: highlighted text; disabled: faded).
QIcon icon(const QString &symbolName);
// The symbol in one colour, `side` device-independent pixels square.
QPixmap pixmap(const QString &symbolName, int side, const QColor &tint, qreal devicePixelRatio = 1.0);
bool isKnown(const QString &symbolName);

} // namespace SymbolIcon
