#include "Ui/ElidedLabel.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QResizeEvent>

#include <algorithm>
#include <cmath>

ElidedLabel::ElidedLabel(const QString &text, QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setFullText(text);
}

void ElidedLabel::setFullText(const QString &text)
{
    full_ = text;
    setToolTip(text);
    elide();
    updateGeometry();
}

QSize ElidedLabel::minimumSizeHint() const
{
    const int few = fontMetrics().horizontalAdvance(QStringLiteral("W\u2026W"));
    return {std::min(few, sizeHint().width()), fontMetrics().height()};
}

QSize ElidedLabel::sizeHint() const
{
    // Rounded up: a width rounded down would shorten the very text it was measured for.
    const int whole = int(std::ceil(QFontMetricsF(font()).horizontalAdvance(full_)));
    const QMargins m = contentsMargins();
    return {whole + m.left() + m.right(), fontMetrics().height() + m.top() + m.bottom()};
}

void ElidedLabel::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    elide();
}

void ElidedLabel::showEvent(QShowEvent *event)
{
    QLabel::showEvent(event);
    elide();
}

void ElidedLabel::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        elide();
        updateGeometry();
    }
}

void ElidedLabel::elide()
{
    if (!isVisible()) {
        setText(full_);
        return;
    }
    const QFontMetricsF metrics(font());
    const qreal room = contentsRect().width();
    setText(metrics.horizontalAdvance(full_) <= room ? full_
                                                     : metrics.elidedText(full_, Qt::ElideMiddle, room));
}
