#include "Features/SendCheckup/DashboardStyleWidget.h"

#include "Ui/SymbolIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QResizeEvent>

namespace DashboardStyle {

void setTone(QWidget *widget, Tone tone)
{
    widget->setProperty("tone", toneName(tone));
    QPalette palette = widget->palette();
    const QColor c = color(tone, palette);
    palette.setColor(QPalette::WindowText, c);
    palette.setColor(QPalette::Text, c);
    widget->setPalette(palette);
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
    label->setPixmap(
        SymbolIcon::pixmap(name, side, color(tone, label->palette()), label->devicePixelRatioF()));
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
