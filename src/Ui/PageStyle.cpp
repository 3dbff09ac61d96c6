#include "Ui/PageStyle.h"

#include "App/SymbolIcon.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <functional>
#include <map>

namespace {

// Symbols the pages need beyond the shell's set, drawn in a 24 by 24 box with an opaque brush;
// parts "cut out" of a filled shape are cleared.
using Drawer = std::function<void(QPainter &)>;

QPen line(double width = 1.8)
{
    return QPen(Qt::black, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void cut(QPainter &p, const std::function<void(QPainter &)> &shape)
{
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    shape(p);
    p.restore();
}

QPainterPath page()
{
    QPainterPath path;
    path.moveTo(6, 2.5);
    path.lineTo(14, 2.5);
    path.lineTo(19.5, 8);
    path.lineTo(19.5, 21.5);
    path.lineTo(6, 21.5);
    path.closeSubpath();
    return path;
}

void filledPage(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPath(page());
    cut(p, [](QPainter &q) {
        q.setPen(line(1.2));
        q.drawPolyline(QPolygonF({QPointF(14, 2.5), QPointF(14, 8), QPointF(19.5, 8)}));
    });
}

void picture(QPainter &p, bool filled)
{
    p.setBrush(filled ? QBrush(Qt::black) : QBrush(Qt::NoBrush));
    p.setPen(filled ? QPen(Qt::NoPen) : line(1.6));
    p.drawRoundedRect(QRectF(3, 5, 18, 14), 2.5, 2.5);
    QPainterPath hills;
    hills.moveTo(5, 17);
    hills.lineTo(10, 11);
    hills.lineTo(13.5, 14.5);
    hills.lineTo(15.5, 12.5);
    hills.lineTo(19, 17);
    hills.closeSubpath();
    if (filled) {
        cut(p, [&](QPainter &q) {
            q.setPen(Qt::NoPen);
            q.setBrush(Qt::black);
            q.drawPath(hills);
            q.drawEllipse(QPointF(16.5, 8.8), 1.6, 1.6);
        });
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawPath(hills);
        p.drawEllipse(QPointF(16.5, 8.8), 1.6, 1.6);
    }
}

const std::map<QString, Drawer> &drawers()
{
    static const std::map<QString, Drawer> table{
        {QStringLiteral("doc.fill"), filledPage},
        {QStringLiteral("doc.text.fill"),
         [](QPainter &p) {
             filledPage(p);
             cut(p, [](QPainter &q) {
                 q.setPen(line(1.4));
                 for (double y : {12.0, 15.0, 18.0})
                     q.drawLine(QPointF(9, y), QPointF(16.5, y));
             });
         }},
        {QStringLiteral("arrow.down.doc.fill"),
         [](QPainter &p) {
             filledPage(p);
             cut(p, [](QPainter &q) {
                 q.setPen(line(1.8));
                 q.drawLine(QPointF(12.7, 9.5), QPointF(12.7, 18));
                 q.drawPolyline(QPolygonF({QPointF(9.2, 14.5), QPointF(12.7, 18), QPointF(16.2, 14.5)}));
             });
         }},
        {QStringLiteral("folder.fill"),
         [](QPainter &p) {
             QPainterPath path;
             path.moveTo(2.5, 6);
             path.quadTo(2.5, 4.5, 4, 4.5);
             path.lineTo(9, 4.5);
             path.lineTo(11, 7);
             path.lineTo(20, 7);
             path.quadTo(21.5, 7, 21.5, 8.5);
             path.lineTo(21.5, 18.5);
             path.quadTo(21.5, 20, 20, 20);
             path.lineTo(4, 20);
             path.quadTo(2.5, 20, 2.5, 18.5);
             path.closeSubpath();
             p.setPen(Qt::NoPen);
             p.setBrush(Qt::black);
             p.drawPath(path);
         }},
        {QStringLiteral("arrow.right"),
         [](QPainter &p) {
             p.setPen(line(2.0));
             p.drawLine(QPointF(4, 12), QPointF(19.5, 12));
             p.drawPolyline(QPolygonF({QPointF(13.5, 6), QPointF(19.5, 12), QPointF(13.5, 18)}));
         }},
        {QStringLiteral("checkmark.circle.fill"),
         [](QPainter &p) {
             p.setPen(Qt::NoPen);
             p.setBrush(Qt::black);
             p.drawEllipse(QPointF(12, 12), 10, 10);
             cut(p, [](QPainter &q) {
                 q.setPen(line(2.2));
                 q.drawPolyline(QPolygonF({QPointF(7.5, 12.5), QPointF(10.5, 15.5), QPointF(16.5, 8.5)}));
             });
         }},
        {QStringLiteral("exclamationmark.triangle.fill"),
         [](QPainter &p) {
             QPainterPath path;
             path.moveTo(12, 2.5);
             path.lineTo(22, 20.5);
             path.lineTo(2, 20.5);
             path.closeSubpath();
             p.setPen(QPen(Qt::black, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
             p.setBrush(Qt::black);
             p.drawPath(path);
             cut(p, [](QPainter &q) {
                 q.setPen(line(2.2));
                 q.drawLine(QPointF(12, 8.5), QPointF(12, 14));
                 q.drawPoint(QPointF(12, 17.5));
             });
         }},
        {QStringLiteral("photo"), [](QPainter &p) { picture(p, false); }},
        {QStringLiteral("photo.fill"), [](QPainter &p) { picture(p, true); }},
        {QStringLiteral("film.fill"),
         [](QPainter &p) {
             p.setPen(Qt::NoPen);
             p.setBrush(Qt::black);
             p.drawRoundedRect(QRectF(3, 3, 18, 18), 2.5, 2.5);
             cut(p, [](QPainter &q) {
                 q.setPen(Qt::NoPen);
                 q.setBrush(Qt::black);
                 for (double y : {5.0, 9.5, 14.0, 18.5}) {
                     q.drawRect(QRectF(4.5, y - 1, 2, 2));
                     q.drawRect(QRectF(17.5, y - 1, 2, 2));
                 }
                 q.drawRect(QRectF(8.5, 5, 7, 14));
             });
         }},
        {QStringLiteral("line.3.horizontal.decrease.circle"),
         [](QPainter &p) {
             p.setPen(line(1.6));
             p.setBrush(Qt::NoBrush);
             p.drawEllipse(QPointF(12, 12), 9.5, 9.5);
             p.drawLine(QPointF(7, 9), QPointF(17, 9));
             p.drawLine(QPointF(8.5, 12.5), QPointF(15.5, 12.5));
             p.drawLine(QPointF(10.5, 16), QPointF(13.5, 16));
         }},
    };
    return table;
}

} // namespace

namespace PageStyle {

QColor color(Tone tone, const QPalette &palette)
{
    const QColor text = palette.color(QPalette::WindowText);
    const bool dark = palette.color(QPalette::Window).lightnessF() < 0.5;
    auto faded = [&](double alpha) {
        QColor c = text;
        c.setAlphaF(float(alpha));
        return c;
    };
    switch (tone) {
    case Tone::primary:
        return text;
    case Tone::secondary:
        return faded(0.6);
    case Tone::tertiary:
        return faded(0.38);
    case Tone::quaternary:
        return faded(0.1);
    case Tone::accent:
        return palette.color(QPalette::Highlight);
    case Tone::orange:
        return dark ? QColor(255, 159, 10) : QColor(230, 120, 0);
    case Tone::green:
        return dark ? QColor(48, 209, 88) : QColor(30, 150, 60);
    case Tone::red:
        return dark ? QColor(255, 69, 58) : QColor(215, 40, 35);
    case Tone::cyan:
        return dark ? QColor(100, 210, 255) : QColor(20, 150, 200);
    case Tone::blue:
        return dark ? QColor(10, 132, 255) : QColor(0, 110, 230);
    }
    return text;
}

QFont font(TextSize size, const QFont &base, bool semibold)
{
    QFont f = base;
    const double points = base.pointSizeF() > 0 ? base.pointSizeF() : 10.0;
    const double factor = [size] {
        switch (size) {
        case TextSize::title3:
            return 1.45;
        case TextSize::body:
            return 1.0;
        case TextSize::callout:
            return 0.95;
        case TextSize::caption:
            return 0.85;
        case TextSize::caption2:
            return 0.78;
        }
        return 1.0;
    }();
    f.setPointSizeF(points * factor);
    if (semibold)
        f.setWeight(QFont::DemiBold);
    return f;
}

QPixmap symbol(const QString &name, int side, const QColor &tint, qreal devicePixelRatio)
{
    const int pixels = std::max(1, int(std::lround(side * devicePixelRatio)));
    QPixmap pixmap(pixels, pixels);
    pixmap.fill(Qt::transparent);
    {
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        const auto &table = drawers();
        const auto it = table.find(name);
        if (it == table.end() || SymbolIcon::isKnown(name)) {
            SymbolIcon::icon(name).paint(&p, QRect(0, 0, pixels, pixels));
        } else {
            p.scale(pixels / 24.0, pixels / 24.0);
            it->second(p);
        }
        // Whatever colour the drawing used, the symbol takes the tint.
        p.resetTransform();
        p.setCompositionMode(QPainter::CompositionMode_SourceIn);
        p.fillRect(QRect(0, 0, pixels, pixels), tint);
    }
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

} // namespace PageStyle
