#include "Ui/BouncingSymbolWidget.h"

#include "Ui/PageStyle.h"
#include "Ui/SymbolIcon.h"

#include <QPainter>
#include <QVariantAnimation>

BouncingSymbolWidget::BouncingSymbolWidget(QString symbol, int side, QWidget *parent)
    : QWidget(parent), symbol_(std::move(symbol)), side_(side), animation_(new QVariantAnimation(this))
{
    setObjectName(QStringLiteral("dropSymbol"));
    setProperty("tone", PageStyle::toneName(Tone::secondary));
    animation_->setDuration(420);
    animation_->setStartValue(1.0);
    animation_->setKeyValueAt(0.3, 1.22);
    animation_->setKeyValueAt(0.65, 0.94);
    animation_->setEndValue(1.0);
    connect(animation_, &QVariantAnimation::valueChanged, this, [this](const QVariant &value) {
        scale_ = value.toDouble();
        update();
    });
}

void BouncingSymbolWidget::setTone(bool accent)
{
    if (accent_ == accent)
        return;
    accent_ = accent;
    setProperty("tone", PageStyle::toneName(accent ? Tone::accent : Tone::secondary));
    update();
}

void BouncingSymbolWidget::bounce()
{
    animation_->stop();
    animation_->start();
}

bool BouncingSymbolWidget::isBouncing() const
{
    return animation_->state() == QAbstractAnimation::Running;
}

QSize BouncingSymbolWidget::sizeHint() const
{
    // Room for the largest scale, so the bounce never clips.
    const int room = int(side_ * 1.3);
    return {room, room};
}

void BouncingSymbolWidget::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QPixmap pm = SymbolIcon::pixmap(
        symbol_, side_, PageStyle::color(accent_ ? Tone::accent : Tone::secondary, palette()),
        devicePixelRatioF());
    p.translate(width() / 2.0, height() / 2.0);
    p.scale(scale_, scale_);
    p.drawPixmap(QPointF(-side_ / 2.0, -side_ / 2.0), pm);
}
