#include "Ui/BottomBarWidget.h"

#include "Core/Localization.h"
#include "Ui/FlowLayout.h"
#include "Ui/PageStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

BottomBarWidget::BottomBarWidget(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("bottomBar"));
    // What does not fit beside the rest goes on to a line of its own.
    auto *row = new FlowLayout(this, 12, 8);
    row->setContentsMargins(14, 14, 14, 14);

    summary_ = PageStyle::label(QString(), TextSize::callout, Tone::secondary, this);
    summary_->setObjectName(QStringLiteral("summary"));
    row->addWidget(summary_);

    permissionRow_ = new QWidget(this);
    auto *permission = new QHBoxLayout(permissionRow_);
    permission->setContentsMargins(0, 0, 0, 0);
    permission->setSpacing(4);
    permission->addWidget(
        PageStyle::symbol(QStringLiteral("lock.fill"), TextSize::callout, Tone::orange, permissionRow_));
    permissionText_ = PageStyle::label(QString(), TextSize::callout, Tone::orange, permissionRow_);
    permissionText_->setObjectName(QStringLiteral("permission"));
    permission->addWidget(permissionText_);
    permissionRow_->hide();
    row->addWidget(permissionRow_);

    row->addStretch();
    clear_ = new QPushButton(L("비우기"), this);
    clear_->setObjectName(QStringLiteral("clear"));
    row->addWidget(clear_);
    action_ = new QPushButton(this);
    action_->setObjectName(QStringLiteral("action"));
    action_->setFont(PageStyle::font(TextSize::body, font(), QFont::DemiBold));
    action_->setDefault(true);
    action_->setMinimumHeight(action_->sizeHint().height() + 6);
    row->addWidget(action_);

    connect(clear_, &QPushButton::clicked, this, &BottomBarWidget::clearClicked);
    connect(action_, &QPushButton::clicked, this, &BottomBarWidget::actionClicked);

    spin_ = new QTimer(this);
    spin_->setInterval(90);
    connect(spin_, &QTimer::timeout, this, [this] {
        phase_ = (phase_ + 1) % 12;
        drawSpinnerFrame();
    });
}

void BottomBarWidget::setSummary(const QString &text)
{
    summary_->setText(text);
}

void BottomBarWidget::setUnreadableCount(long long count)
{
    permissionRow_->setVisible(count >= 1);
    if (count >= 1)
        permissionText_->setText(L("폴더 %lld개는 권한이 없어 살펴보지 못했습니다", count));
}

void BottomBarWidget::setAction(const QString &text, bool enabled)
{
    action_->setText(text);
    action_->setEnabled(enabled);
    // 8 points of room on each side of the label, beyond the style's own margins.
    action_->setMinimumWidth(0);
    action_->setMinimumWidth(action_->sizeHint().width() + 16);
}

void BottomBarWidget::setBusy(bool busy)
{
    if (busy_ == busy)
        return;
    busy_ = busy;
    if (busy) {
        drawSpinnerFrame();
        spin_->start();
    } else {
        spin_->stop();
        action_->setIcon(QIcon());
    }
}

void BottomBarWidget::setClearEnabled(bool enabled)
{
    clear_->setEnabled(enabled);
}

void BottomBarWidget::drawSpinnerFrame()
{
    const int side = 14;
    const qreal dpr = devicePixelRatioF();
    QPixmap pm(int(side * dpr), int(side * dpr));
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(palette().color(QPalette::ButtonText), 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(1.5, 1.5, side - 3, side - 3), -phase_ * 30 * 16, 270 * 16);
    p.end();
    action_->setIcon(QIcon(pm));
}

void BottomBarWidget::paintEvent(QPaintEvent *)
{
    // The bar material: a faint tint over the window colour.
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    p.fillRect(rect(), PageStyle::boxFill(palette(), 0.6));
}
