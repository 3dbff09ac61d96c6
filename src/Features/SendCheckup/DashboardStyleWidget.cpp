#include "Features/SendCheckup/DashboardStyleWidget.h"

#include "App/SymbolIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QResizeEvent>

namespace DashboardStyle {

QString toneName(Tone tone)
{
    switch (tone) {
    case Tone::primary:
        return QStringLiteral("primary");
    case Tone::secondary:
        return QStringLiteral("secondary");
    case Tone::tertiary:
        return QStringLiteral("tertiary");
    case Tone::accent:
        return QStringLiteral("accent");
    case Tone::green:
        return QStringLiteral("green");
    case Tone::orange:
        return QStringLiteral("orange");
    case Tone::red:
        return QStringLiteral("red");
    case Tone::blue:
        return QStringLiteral("blue");
    case Tone::yellow:
        return QStringLiteral("yellow");
    }
    return {};
}

QColor color(Tone tone, const QPalette &palette)
{
    QColor text = palette.color(QPalette::WindowText);
    switch (tone) {
    case Tone::primary:
        return text;
    case Tone::secondary:
        text.setAlphaF(0.62f);
        return text;
    case Tone::tertiary:
        text.setAlphaF(0.42f);
        return text;
    case Tone::accent:
        return palette.color(QPalette::Highlight);
    case Tone::green:
        return QColor(0x1f, 0x9d, 0x48);
    case Tone::orange:
        return QColor(0xe0, 0x7a, 0x00);
    case Tone::red:
        return QColor(0xd9, 0x2d, 0x20);
    case Tone::blue:
        return QColor(0x0a, 0x64, 0xd6);
    case Tone::yellow:
        return QColor(0xf2, 0xb7, 0x05);
    }
    return text;
}

void setTone(QWidget *widget, Tone tone)
{
    widget->setProperty("tone", toneName(tone));
    QPalette palette = widget->palette();
    const QColor c = color(tone, palette);
    palette.setColor(QPalette::WindowText, c);
    palette.setColor(QPalette::Text, c);
    widget->setPalette(palette);
}

QFont font(TextStyle style, const QFont &base, QFont::Weight weight)
{
    QFont f = base;
    double scale = 1.0;
    switch (style) {
    case TextStyle::title:
        scale = 1.9;
        break;
    case TextStyle::title2:
        scale = 1.6;
        break;
    case TextStyle::title3:
        scale = 1.35;
        break;
    case TextStyle::headline:
        weight = std::max(weight, QFont::DemiBold);
        break;
    case TextStyle::body:
        break;
    case TextStyle::callout:
        scale = 0.95;
        break;
    case TextStyle::caption:
        scale = 0.82;
        break;
    }
    if (f.pointSizeF() > 0)
        f.setPointSizeF(f.pointSizeF() * scale);
    else
        f.setPixelSize(int(f.pixelSize() * scale));
    f.setWeight(weight);
    return f;
}

QLabel *label(const QString &text, TextStyle style, Tone tone, QWidget *parent, QFont::Weight weight)
{
    auto *l = new QLabel(text, parent);
    l->setFont(font(style, l->font(), weight));
    setTone(l, tone);
    l->setTextFormat(Qt::PlainText);
    return l;
}

void setSymbol(QLabel *label, const QString &name, TextStyle style, Tone tone)
{
    const int side = QFontMetrics(font(style, label->font())).height();
    label->setPixmap(SymbolIcon::icon(name, color(tone, label->palette())).pixmap(side, side));
    label->setProperty("symbol", name);
    label->setProperty("tone", toneName(tone));
}

QLabel *symbol(const QString &name, TextStyle style, Tone tone, QWidget *parent)
{
    auto *l = new QLabel(parent);
    setSymbol(l, name, style, tone);
    return l;
}

} // namespace DashboardStyle

RoundedPanelWidget::RoundedPanelWidget(double radius, QWidget *parent) : QWidget(parent), radius_(radius) {}

void RoundedPanelWidget::setFill(QColor fill)
{
    if (fill == fill_)
        return;
    fill_ = fill;
    update();
}

void RoundedPanelWidget::setDashedEdge(std::optional<QColor> edge)
{
    if (edge == edge_)
        return;
    edge_ = edge;
    update();
}

void RoundedPanelWidget::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(1, 1, -1, -1);
    QPainterPath shape;
    shape.addRoundedRect(box, radius_, radius_);
    p.fillPath(shape, fill_);
    if (edge_) {
        QPen pen(*edge_, 2);
        pen.setDashPattern({4.0, 3.0}); // in pen widths: 8 px dash, 6 px gap
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawPath(shape);
    }
}

ElidedLabelWidget::ElidedLabelWidget(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred); // shrinks to nothing, grows to its text
}

void ElidedLabelWidget::setFullText(const QString &text)
{
    full_ = text;
    setToolTip(text);
    elide();
    updateGeometry();
}

QSize ElidedLabelWidget::minimumSizeHint() const
{
    return QSize(0, fontMetrics().height());
}

QSize ElidedLabelWidget::sizeHint() const
{
    return QSize(fontMetrics().horizontalAdvance(full_), fontMetrics().height());
}

void ElidedLabelWidget::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    elide();
}

void ElidedLabelWidget::elide()
{
    setText(fontMetrics().elidedText(full_, Qt::ElideMiddle, std::max(0, width())));
}
