#include "Ui/PageParts.h"

#include <QFrame>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

namespace PageParts {

QWidget *scrollingContent(QWidget *page)
{
    auto *scroll = new QScrollArea(page);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto *outer = qobject_cast<QVBoxLayout *>(page->layout());
    if (outer == nullptr) {
        outer = new QVBoxLayout(page);
        outer->setContentsMargins(0, 0, 0, 0);
        outer->setSpacing(0);
    }
    outer->addWidget(scroll, 1);
    auto *content = new QWidget;
    scroll->setWidget(content);
    return content;
}

QLabel *captionLabel(const QString &text, TextSize size, QWidget *parent)
{
    auto *label = PageStyle::label(text, size, Tone::secondary, parent);
    label->setWordWrap(true);
    return label;
}

QFrame *divider(QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace PageParts
