#include "Ui/EmptyStateWidget.h"

#include "Ui/PageStyle.h"
#include "Ui/SymbolIcon.h"

#include <QLabel>
#include <QVBoxLayout>

EmptyStateWidget::EmptyStateWidget(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("emptyState"));
    auto *layout = new QVBoxLayout(this);
    layout->addStretch(1);
    symbol_ = new QLabel(this);
    symbol_->setAlignment(Qt::AlignCenter);
    layout->addWidget(symbol_);
    layout->addSpacing(8);
    title_ = PageStyle::label(QString(), TextSize::title3, Tone::primary, this, QFont::DemiBold);
    title_->setObjectName(QStringLiteral("emptyTitle"));
    title_->setAlignment(Qt::AlignCenter);
    title_->setWordWrap(true);
    layout->addWidget(title_);
    description_ = PageStyle::label(QString(), TextSize::body, Tone::secondary, this);
    description_->setObjectName(QStringLiteral("emptyDescription"));
    description_->setAlignment(Qt::AlignCenter);
    description_->setWordWrap(true);
    layout->addWidget(description_);
    layout->addStretch(1);
}

void EmptyStateWidget::setContent(const QString &symbol, const QString &title, const QString &description)
{
    if (symbol != symbolName_) {
        symbolName_ = symbol;
        symbol_->setPixmap(SymbolIcon::pixmap(symbol, 44, PageStyle::color(Tone::secondary, palette()),
                                              devicePixelRatioF()));
    }
    title_->setText(title);
    description_->setText(description);
}

QString EmptyStateWidget::title() const
{
    return title_->text();
}

QString EmptyStateWidget::description() const
{
    return description_->text();
}
