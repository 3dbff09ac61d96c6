#pragma once

#include "Ui/PageStyle.h"

#include <QString>

class QFrame;
class QLabel;
class QWidget;

// Small pieces the pages lay out with.
namespace PageParts {

// Fills the page (below what it already holds) with a frameless scroll area and returns the widget
// to lay the form out in.
QWidget *scrollingContent(QWidget *page);
// Explanatory text: wrapped, in the secondary colour, in the caption size unless said otherwise.
QLabel *captionLabel(const QString &text, TextSize size = TextSize::caption, QWidget *parent = nullptr);
// A thin horizontal line between two parts of a page.
QFrame *divider(QWidget *parent = nullptr);

} // namespace PageParts
