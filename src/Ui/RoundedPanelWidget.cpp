#include "Ui/RoundedPanelWidget.h"

#include "Ui/PageStyle.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>

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
    // Inset by the pen's half width, so the edge is drawn inside the widget.
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

DropCardWidget::DropCardWidget(QWidget *parent) : RoundedPanelWidget(16, parent)
{
    paintLook();
}

void DropCardWidget::setTargeted(bool targeted)
{
    if (targeted_ == targeted)
        return;
    targeted_ = targeted;
    paintLook();
}

void DropCardWidget::changeEvent(QEvent *event)
{
    RoundedPanelWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        paintLook();
}

void DropCardWidget::paintLook()
{
    const QColor accent = PageStyle::color(Tone::accent, palette());
    QColor fill = accent;
    fill.setAlphaF(0.08f);
    QColor edge = PageStyle::color(Tone::secondary, palette());
    edge.setAlphaF(0.35f);
    setFill(targeted_ ? fill : QColor(Qt::transparent));
    setDashedEdge(targeted_ ? accent : edge);
}
