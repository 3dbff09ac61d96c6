#include "Ui/PageHeaderWidget.h"

#include "Ui/PageParts.h"
#include "Ui/PageStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

PageHeaderWidget::PageHeaderWidget(const QString &title, const QString &subtitle, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("header"));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    row_ = new QHBoxLayout;
    row_->setContentsMargins(16, 10, 16, 10);
    row_->setSpacing(10);
    auto *titles = new QVBoxLayout;
    titles->setSpacing(0);
    title_ = PageStyle::label(title, TextSize::body, Tone::primary, this, QFont::DemiBold);
    title_->setObjectName(QStringLiteral("title"));
    titles->addWidget(title_);
    subtitle_ = PageStyle::label(subtitle, TextSize::caption, Tone::secondary, this);
    subtitle_->setObjectName(QStringLiteral("subtitle"));
    titles->addWidget(subtitle_);
    row_->addLayout(titles);
    row_->addStretch(1);
    column->addLayout(row_);
    column->addWidget(PageParts::divider(this));
}

void PageHeaderWidget::addControl(QWidget *control)
{
    row_->addWidget(control);
}

QVBoxLayout *PageHeaderWidget::pageColumn(QWidget *page, const QString &title, const QString &subtitle)
{
    auto *column = new QVBoxLayout(page);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(new PageHeaderWidget(title, subtitle, page));
    return column;
}
