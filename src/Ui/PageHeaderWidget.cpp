#include "Ui/PageHeaderWidget.h"

#include "Ui/FlowLayout.h"
#include "Ui/PageParts.h"
#include "Ui/PageStyle.h"

#include <QLabel>
#include <QVBoxLayout>

PageHeaderWidget::PageHeaderWidget(const QString &title, const QString &subtitle, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("header"));
    // As high as its width needs: the controls may take a second line.
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    // The controls stand beside the titles while they fit, else on lines of their own below.
    row_ = new FlowLayout(nullptr, 10, 6);
    row_->setContentsMargins(16, 10, 16, 10);
    auto *titleBox = new QWidget(this);
    auto *titles = new QVBoxLayout(titleBox);
    titles->setContentsMargins(0, 0, 0, 0);
    titles->setSpacing(0);
    title_ = PageStyle::label(title, TextSize::body, Tone::primary, titleBox, QFont::DemiBold);
    title_->setObjectName(QStringLiteral("title"));
    titles->addWidget(title_);
    subtitle_ = PageStyle::label(subtitle, TextSize::caption, Tone::secondary, titleBox);
    subtitle_->setObjectName(QStringLiteral("subtitle"));
    titles->addWidget(subtitle_);
    row_->addWidget(titleBox);
    row_->addStretch();
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
