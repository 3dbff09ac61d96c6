#pragma once

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QString>
#include <QVBoxLayout>

// Pieces of the pages built from plain widgets (sleep prevention, the settings switches, archives).
// Inline, so the pages' tests that compile a page on its own need no further source.
namespace PageParts {

// Sets the widget's font to `factor` of its size, in the weight.
inline void scaleFont(QWidget *widget, double factor, QFont::Weight weight = QFont::Normal)
{
    QFont font = widget->font();
    font.setPointSizeF(font.pointSizeF() * factor);
    font.setWeight(weight);
    widget->setFont(font);
}

// Fills the page with a frameless scroll area and returns the widget to lay the form out in.
inline QWidget *scrollingContent(QWidget *page)
{
    auto *scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto *outer = new QVBoxLayout(page);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
    auto *content = new QWidget;
    scroll->setWidget(content);
    return content;
}

// Explanatory text: wrapped, in the placeholder colour, at `factor` of the font size.
inline QLabel *captionLabel(const QString &text, double factor = 0.85)
{
    auto *label = new QLabel(text);
    label->setWordWrap(true);
    label->setForegroundRole(QPalette::PlaceholderText);
    scaleFont(label, factor);
    return label;
}

// An information sign beside the explanation, as the box's row; the caller sets its margins.
inline QHBoxLayout *infoNote(QWidget *box, const QString &text, double factor)
{
    auto *row = new QHBoxLayout(box);
    row->setSpacing(10);
    auto *sign = new QLabel(QStringLiteral("\u2139"));
    sign->setStyleSheet(QStringLiteral("color: #1a73e8; font-weight: bold;"));
    sign->setContentsMargins(0, 2, 0, 0);
    row->addWidget(sign, 0, Qt::AlignTop);
    row->addWidget(captionLabel(text, factor), 1);
    return row;
}

} // namespace PageParts
