#include "App/SupportButton.h"

#include "Core/Settings.h"
#include "Core/SupportLink.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QRadialGradient>

#include <cmath>

namespace {

constexpr double beatLength = 1.95;
constexpr const char *reduceMotionKey = "reduceMotion";
// 2001-01-01 UTC, the reference date the beat is counted from.
constexpr qint64 referenceEpochMs = 978307200000LL;

const QColor babyColors[8] = {
    QColor::fromRgbF(1.0f, 0.23f, 0.36f),  QColor::fromRgbF(1.0f, 0.54f, 0.17f),
    QColor::fromRgbF(0.85f, 0.70f, 0.0f),  QColor::fromRgbF(0.50f, 0.75f, 0.18f),
    QColor::fromRgbF(0.18f, 0.75f, 0.42f), QColor::fromRgbF(0.08f, 0.72f, 0.65f),
    QColor::fromRgbF(0.18f, 0.61f, 1.0f),  QColor::fromRgbF(0.55f, 0.36f, 0.96f),
};

QRadialGradient shellGradient(const QRectF &r)
{
    const double radius = 0.78 * std::max(r.width(), r.height());
    QRadialGradient g(QPointF(r.left() + 0.34 * r.width(), r.top() + 0.24 * r.height()), radius);
    g.setColorAt(0.0, QColor::fromRgbF(1.0f, 0.62f, 0.82f));
    g.setColorAt(0.5, QColor::fromRgbF(1.0f, 0.42f, 0.72f));
    g.setColorAt(1.0, QColor::fromRgbF(0.8f, 0.18f, 0.49f));
    return g;
}

} // namespace

// The small flying heart is drawn over the big one, on a fixed 52 by 78 canvas that ignores
// clicks; it lives in the heart's window so it may reach beyond the button.
class SupportHeart::Canvas : public QWidget {
public:
    explicit Canvas(QWidget *window) : QWidget(window)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        resize(52, 78);
    }
    double t = 0;
    long long n = 0;

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (t < 1.05 || t >= 1.67)
            return;
        const double p = (t - 1.05) / 0.62;
        const double q = 1 - p;
        const double e = 1 - std::pow(q, 2.6);
        const double s = 6.8 * (1 + 0.25 * q);
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.translate(width() / 2.0 - 3.472963553338606 * e,
                          height() / 2.0 - 19.69615506024416 * e + 13 * p * p);
        painter.rotate(-34 * e);
        painter.setOpacity(p < 0.75 ? 1.0 : std::max(4 * q, 0.0));
        const auto [base, light] = babyShades(int(n & 7));
        QLinearGradient fill(QPointF(-s / 2, -s / 2), QPointF(s / 2, s / 2));
        fill.setColorAt(0, light);
        fill.setColorAt(1, base);
        painter.fillPath(heartPath(QRectF(-s / 2, -s / 2, s, s)), fill);
    }
};

SupportHeart::SupportHeart(QWidget *parent) : QWidget(parent)
{
    setFixedSize(sizeHint());
    timer_.setInterval(16); // display rate
    connect(&timer_, &QTimer::timeout, this, &SupportHeart::frame);
}

SupportHeart::~SupportHeart()
{
    delete canvas_.data();
}

SupportHeart::Shell SupportHeart::shellShape(double t)
{
    Shell s;
    if (t < 1.05) {
        const double a = std::pow(t / 1.05, 1.5);
        s.scaleX = 1 + 0.2 * a * std::sin(13.5 * t);
        s.scaleY = 1 - 0.16 * a * std::sin(13.5 * t);
        s.rotation = 7.5 * a * std::sin(8.3 * t + 1.1);
        s.anchorX = 0.5 + 0.2 * a * std::sin(8.3 * t + 1.1);
        s.anchorY = 0.5 + 0.16 * a * std::cos(11.7 * t);
    } else if (t < 1.14) {
        const double k = 1 - (t - 1.05) / 0.09;
        s.scaleX = 1 + 0.34 * k;
        s.scaleY = 1 - 0.26 * k;
        s.rotation = -7 * k;
        s.anchorX = 0.5;
        s.anchorY = 0.72;
    } else {
        const double u = t - 1.14;
        const double e = std::exp(-7.5 * u);
        s.scaleX = 1 + 0.2 * e * std::cos(26 * u);
        s.scaleY = 1 - 0.15 * e * std::cos(26 * u);
        s.rotation = 3.5 * e * std::sin(24 * u);
    }
    return s;
}

QPainterPath SupportHeart::heartPath(const QRectF &r)
{
    const double w = r.width();
    const double h = r.height();
    const double midX = r.center().x();
    const double midY = r.center().y();
    QPainterPath path;
    path.moveTo(midX, r.bottom());
    path.cubicTo(midX - 0.5 * w, midY + 0.22 * h, r.left(), midY, r.left(), r.top() + 0.28 * h);
    // The two lobes: half circles over the top, left then right (y grows downwards here).
    const double radius = 0.25 * w;
    path.arcTo(QRectF(r.left(), r.top() + 0.28 * h - radius, 2 * radius, 2 * radius), 180, -180);
    path.arcTo(QRectF(r.right() - 2 * radius, r.top() + 0.28 * h - radius, 2 * radius, 2 * radius), 180,
               -180);
    path.cubicTo(r.right(), midY, midX + 0.5 * w, midY + 0.22 * h, midX, r.bottom());
    path.closeSubpath();
    return path;
}

std::pair<QColor, QColor> SupportHeart::babyShades(int index)
{
    const QColor base = babyColors[index & 7];
    auto lighten = [](float c) { return c + (1 - c) * 0.28f; };
    const QColor light =
        QColor::fromRgbF(lighten(base.redF()), lighten(base.greenF()), lighten(base.blueF()));
    return {base, light};
}

bool SupportHeart::reduceMotion()
{
    return Settings::open()->value(QLatin1String(reduceMotionKey), false).toBool();
}

void SupportHeart::setReduceMotion(bool reduce)
{
    Settings::open()->setValue(QLatin1String(reduceMotionKey), reduce);
}

std::pair<double, long long> SupportHeart::beat()
{
    const double T = double(QDateTime::currentMSecsSinceEpoch() - referenceEpochMs) / 1000.0;
    const auto n = static_cast<long long>(std::floor(T / beatLength));
    return {T - beatLength * double(n), n};
}

void SupportHeart::updateAnimation()
{
    const bool animate = isVisible() && window()->isActiveWindow() && !reduceMotion();
    if (animate == timer_.isActive())
        return;
    if (animate) {
        if (!canvas_)
            canvas_ = new Canvas(window());
        canvas_->show();
        canvas_->raise();
        timer_.start();
    } else {
        timer_.stop();
        if (canvas_)
            canvas_->hide();
    }
    update();
}

void SupportHeart::frame()
{
    update();
    if (canvas_) {
        const auto [t, n] = beat();
        canvas_->t = t;
        canvas_->n = n;
        const QPoint centre = mapTo(window(), rect().center());
        canvas_->move(centre.x() - canvas_->width() / 2, centre.y() - canvas_->height() / 2);
        canvas_->update();
    }
}

void SupportHeart::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange)
        updateAnimation();
}

bool SupportHeart::event(QEvent *event)
{
    const bool handled = QWidget::event(event);
    // Children hear of their window's activation through these.
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate)
        updateAnimation();
    return handled;
}

void SupportHeart::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    updateAnimation();
}

void SupportHeart::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    updateAnimation();
}

void SupportHeart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(1.5, 2, -1.5, -1.5);
    if (timer_.isActive()) {
        const Shell s = shellShape(beat().first);
        const QPointF anchor(frame.left() + s.anchorX * frame.width(),
                             frame.top() + s.anchorY * frame.height());
        const QPointF centre = frame.center();
        painter.translate(centre);
        painter.rotate(s.rotation);
        painter.translate(-centre);
        painter.translate(anchor);
        painter.scale(s.scaleX, s.scaleY);
        painter.translate(-anchor);
    }
    const QPainterPath heart = heartPath(frame);
    // The shadow below, then the gradient body and a soft highlight up and to the left.
    painter.save();
    painter.translate(0, 0.8);
    painter.fillPath(heart, QColor::fromRgbF(0, 0, 0, 0.26f));
    painter.restore();
    painter.fillPath(heart, shellGradient(frame));
    const QPointF highlight = frame.center() + QPointF(-3.0, -2.8);
    QRadialGradient glow(highlight, 2.3);
    glow.setColorAt(0, QColor::fromRgbF(1, 1, 1, 0.38f));
    glow.setColorAt(1, QColor::fromRgbF(1, 1, 1, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(highlight, 2.3, 1.5);
}

SupportButton::SupportButton(const std::optional<QString> &title, const std::optional<QString> &tooltip,
                             QWidget *parent)
    : QAbstractButton(parent)
{
    setObjectName(QStringLiteral("supportButton"));
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    heart_ = new SupportHeart(this);
    layout->addWidget(heart_, 0, Qt::AlignVCenter);
    label_ = new QLabel(title.value_or(SupportLink::label()), this);
    label_->setObjectName(QStringLiteral("supportLabel"));
    label_->setForegroundRole(QPalette::Link);
    layout->addWidget(label_, 0, Qt::AlignVCenter);
    setText(label_->text());
    setToolTip(tooltip.value_or(SupportLink::tooltip()));
    connect(this, &QAbstractButton::clicked, this, [] { QDesktopServices::openUrl(SupportLink::url()); });
}

QSize SupportButton::sizeHint() const
{
    return layout()->sizeHint();
}

void SupportButton::paintEvent(QPaintEvent *)
{
    if (!hasFocus())
        return;
    QPainter painter(this);
    QPen pen(palette().color(QPalette::Highlight));
    pen.setStyle(Qt::DotLine);
    painter.setPen(pen);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
