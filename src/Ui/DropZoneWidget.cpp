#include "Ui/DropZoneWidget.h"

#include "Ui/BouncingSymbolWidget.h"
#include "Ui/InfoBoxWidget.h"
#include "Ui/PageParts.h"
#include "Ui/RoundedPanelWidget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel *centred(QLabel *label)
{
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    return label;
}

} // namespace

DropZoneWidget::DropZoneWidget(const Content &content, QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("dropZone"));
    // Too short a window scrolls the zone rather than squeezing its lines into each other.
    auto *outer = new QVBoxLayout(PageParts::scrollingContent(this));
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addStretch(1);

    auto *cardRow = new QHBoxLayout;
    cardRow->setContentsMargins(40, 0, 40, 0);
    card_ = new DropCardWidget(this);
    cardRow->addWidget(card_);
    outer->addLayout(cardRow);

    auto *stack = new QVBoxLayout(card_);
    stack->setContentsMargins(40, 40, 40, 40);
    stack->setSpacing(14);
    symbol_ = new BouncingSymbolWidget(content.symbol, 46, card_);
    stack->addWidget(symbol_, 0, Qt::AlignHCenter);
    auto *title =
        centred(PageStyle::label(content.title, TextSize::title3, Tone::primary, card_, QFont::DemiBold));
    title->setObjectName(QStringLiteral("dropTitle"));
    stack->addWidget(title);
    auto *lines = new QVBoxLayout;
    lines->setSpacing(4);
    for (const Line &line : content.subtitle) {
        auto *label = centred(PageStyle::label(line.text, line.size, Tone::secondary, card_));
        label->setObjectName(QStringLiteral("dropSubtitle"));
        lines->addWidget(label);
    }
    stack->addLayout(lines);
    stack->addSpacing(4);
    button_ = new QPushButton(content.button, card_);
    button_->setObjectName(QStringLiteral("pickButton"));
    button_->setMinimumHeight(32);
    stack->addWidget(button_, 0, Qt::AlignHCenter);
    connect(button_, &QPushButton::clicked, this, &DropZoneWidget::pickRequested);

    outer->addStretch(1);
    auto *infoRow = new QHBoxLayout;
    infoRow->setContentsMargins(20, 0, 20, 20);
    infoRow->addWidget(new InfoBoxWidget(content.info, this));
    outer->addLayout(infoRow);
}

void DropZoneWidget::setTargeted(bool targeted)
{
    if (card_->isTargeted() == targeted)
        return;
    card_->setTargeted(targeted);
    symbol_->setTone(targeted);
    symbol_->bounce();
}

bool DropZoneWidget::isTargeted() const
{
    return card_->isTargeted();
}
