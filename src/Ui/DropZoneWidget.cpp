#include "Ui/DropZoneWidget.h"

#include "Ui/PageStyle.h"
#include "Ui/SymbolIcon.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>
#include <QVariantAnimation>

BouncingSymbolWidget::BouncingSymbolWidget(QString symbol, int side, QWidget *parent)
    : QWidget(parent), symbol_(std::move(symbol)), side_(side), animation_(new QVariantAnimation(this))
{
    setObjectName(QStringLiteral("dropSymbol"));
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

// The dashed rounded card; accent fill and edge while targeted.
class DropZoneWidget::Card : public QWidget {
public:
    using QWidget::QWidget;
    bool targeted = false;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF box = QRectF(rect()).adjusted(1, 1, -1, -1);
        QColor fill = PageStyle::color(Tone::accent, palette());
        fill.setAlphaF(0.08f);
        QColor edge = PageStyle::color(Tone::secondary, palette());
        edge.setAlphaF(0.35f);
        QPen pen(targeted ? PageStyle::color(Tone::accent, palette()) : edge, 2);
        pen.setDashPattern({4, 3}); // 8 on, 6 off at a width of 2
        p.setPen(pen);
        p.setBrush(targeted ? QBrush(fill) : QBrush(Qt::NoBrush));
        p.drawRoundedRect(box, 16, 16);
    }
};

namespace {

// The grey box with the blue info symbol and the explanation.
class InfoBox : public QWidget {
public:
    InfoBox(const QString &text, QWidget *parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("infoBox"));
        auto *row = new QHBoxLayout(this);
        row->setContentsMargins(14, 14, 14, 14);
        row->setSpacing(10);
        auto *icon = new QLabel(this);
        icon->setPixmap(SymbolIcon::pixmap(QStringLiteral("info.circle.fill"), 16,
                                           PageStyle::color(Tone::blue, palette()), devicePixelRatioF()));
        icon->setContentsMargins(0, 2, 0, 0);
        row->addWidget(icon, 0, Qt::AlignTop);
        auto *label = new QLabel(text, this);
        label->setObjectName(QStringLiteral("info"));
        label->setWordWrap(true);
        label->setFont(PageStyle::font(TextSize::callout, font()));
        QPalette pal = label->palette();
        pal.setColor(QPalette::WindowText, PageStyle::color(Tone::secondary, palette()));
        label->setPalette(pal);
        row->addWidget(label, 1);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        QColor fill = PageStyle::color(Tone::quaternary, palette());
        fill.setAlphaF(fill.alphaF() * 0.5f + 0.02f);
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        p.drawRoundedRect(rect(), 10, 10);
    }
};

QLabel *textLabel(const QString &text, TextSize size, bool semibold, Tone tone, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setFont(PageStyle::font(size, parent->font(), semibold ? QFont::DemiBold : QFont::Normal));
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, PageStyle::color(tone, parent->palette()));
    label->setPalette(pal);
    return label;
}

} // namespace

DropZoneWidget::DropZoneWidget(const Content &content, QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("dropZone"));
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addStretch(1);

    auto *cardRow = new QHBoxLayout;
    cardRow->setContentsMargins(40, 0, 40, 0);
    card_ = new Card(this);
    cardRow->addWidget(card_);
    outer->addLayout(cardRow);

    auto *stack = new QVBoxLayout(card_);
    stack->setContentsMargins(40, 40, 40, 40);
    stack->setSpacing(14);
    symbol_ = new BouncingSymbolWidget(content.symbol, 46, card_);
    stack->addWidget(symbol_, 0, Qt::AlignHCenter);
    auto *title = textLabel(content.title, TextSize::title3, true, Tone::primary, card_);
    title->setObjectName(QStringLiteral("dropTitle"));
    stack->addWidget(title);
    auto *subtitle = textLabel(content.subtitle, TextSize::callout, false, Tone::secondary, card_);
    subtitle->setObjectName(QStringLiteral("dropSubtitle"));
    stack->addWidget(subtitle);
    stack->addSpacing(4);
    button_ = new QPushButton(content.button, card_);
    button_->setObjectName(QStringLiteral("pick"));
    button_->setMinimumHeight(button_->sizeHint().height() + 6);
    stack->addWidget(button_, 0, Qt::AlignHCenter);
    connect(button_, &QPushButton::clicked, this, &DropZoneWidget::pickRequested);

    outer->addStretch(1);
    auto *infoRow = new QHBoxLayout;
    infoRow->setContentsMargins(20, 0, 20, 20);
    infoRow->addWidget(new InfoBox(content.info, this));
    outer->addLayout(infoRow);
}

void DropZoneWidget::setTargeted(bool targeted)
{
    if (targeted_ == targeted)
        return;
    targeted_ = targeted;
    card_->targeted = targeted;
    card_->update();
    symbol_->setTone(targeted);
    symbol_->bounce();
}
