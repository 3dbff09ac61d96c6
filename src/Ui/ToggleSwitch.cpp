#include "Ui/ToggleSwitch.h"

#include <QPainter>

ToggleSwitch::ToggleSwitch(QWidget *parent) : QAbstractButton(parent)
{
    setCheckable(true);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void ToggleSwitch::setLarge(bool large)
{
    large_ = large;
    updateGeometry();
    update();
}

QSize ToggleSwitch::sizeHint() const
{
    return large_ ? QSize(62, 34) : QSize(40, 22);
}

void ToggleSwitch::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF track = QRectF(rect()).adjusted(1, 1, -1, -1);
    const qreal radius = track.height() / 2;
    QColor fill = isChecked() ? palette().color(QPalette::Highlight) : palette().color(QPalette::Mid);
    if (!isEnabled())
        fill.setAlphaF(0.4);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(track, radius, radius);
    const qreal inset = 2;
    const qreal knob = track.height() - 2 * inset;
    const qreal x = isChecked() ? track.right() - inset - knob : track.left() + inset;
    QColor knobColour = palette().color(QPalette::Base);
    if (!isEnabled())
        knobColour.setAlphaF(0.8);
    painter.setBrush(knobColour);
    painter.drawEllipse(QRectF(x, track.top() + inset, knob, knob));
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(track, radius, radius);
    }
}
