#include "Ui/InfoBoxWidget.h"

#include "Ui/PageStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

InfoBoxWidget::InfoBoxWidget(const QString &text, QWidget *parent, bool boxed)
    : RoundedPanelWidget(10, parent)
{
    setObjectName(QStringLiteral("infoBox"));
    if (boxed)
        setFill(PageStyle::boxFill(palette(), 0.5));
    auto *row = new QHBoxLayout(this);
    const int inset = boxed ? 14 : 0;
    row->setContentsMargins(inset, inset, inset, inset);
    row->setSpacing(10);
    // The symbol sits 2 points lower than the top of the text beside it.
    auto *symbolColumn = new QVBoxLayout;
    symbolColumn->setContentsMargins(0, 2, 0, 0);
    symbolColumn->addWidget(
        PageStyle::symbol(QStringLiteral("info.circle.fill"), TextSize::callout, Tone::blue, this));
    symbolColumn->addStretch(1);
    row->addLayout(symbolColumn);
    text_ = PageStyle::label(text, TextSize::callout, Tone::secondary, this);
    text_->setObjectName(QStringLiteral("info"));
    text_->setWordWrap(true);
    row->addWidget(text_, 1);
}
