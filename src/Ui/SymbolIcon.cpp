#include "Ui/SymbolIcon.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>

#include <cmath>
#include <functional>
#include <map>
#include <numbers>

namespace {

// Every symbol is drawn in opaque black in a 24 by 24 unit box, the painter scaled to the target;
// parts "cut out" of a filled shape are cleared. The tint is laid over the drawn shape afterwards, so
// every symbol takes any colour (also a translucent one) the same way.
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

// A sheet with its top right corner folded at x 14.
QPainterPath page(double top, double right, double bottom)
{
    QPainterPath path;
    path.moveTo(6, top);
    path.lineTo(14, top);
    path.lineTo(right, 8);
    path.lineTo(right, bottom);
    path.lineTo(6, bottom);
    path.closeSubpath();
    return path;
}

QPolygonF fold(double top, double right)
{
    return QPolygonF({QPointF(14, top), QPointF(14, 8), QPointF(right, 8)});
}

void outlinedPage(QPainter &p)
{
    p.setPen(line());
    p.setBrush(Qt::NoBrush);
    p.drawPath(page(3, 19, 21));
    p.drawPolyline(fold(3, 19));
}

void filledPage(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPath(page(2.5, 19.5, 21.5));
    cut(p, [](QPainter &q) {
        q.setPen(line(1.2));
        q.drawPolyline(fold(2.5, 19.5));
    });
}

QPainterPath star(QPointF centre, double radius)
{
    QPainterPath path;
    const double inner = radius * 0.28;
    path.moveTo(centre.x(), centre.y() - radius);
    path.quadTo(centre.x() + inner, centre.y() - inner, centre.x() + radius, centre.y());
    path.quadTo(centre.x() + inner, centre.y() + inner, centre.x(), centre.y() + radius);
    path.quadTo(centre.x() - inner, centre.y() + inner, centre.x() - radius, centre.y());
    path.quadTo(centre.x() - inner, centre.y() - inner, centre.x(), centre.y() - radius);
    return path;
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
        {QStringLiteral("hammer.fill"),
         [](QPainter &p) {
             p.setPen(line(3.0));
             p.drawLine(QPointF(8, 20), QPointF(15, 11));
             p.setPen(Qt::NoPen);
             p.setBrush(Qt::black);
             p.save();
             p.translate(15.5, 8.5);
             p.rotate(38);
             p.drawRoundedRect(QRectF(-6.5, -3, 13, 6), 1.2, 1.2);
             p.restore();
         }},
        {QStringLiteral("house.fill"),
         [](QPainter &p) {
             p.setPen(Qt::NoPen);
             p.setBrush(Qt::black);
             p.drawPolygon(QPolygonF({QPointF(12, 3), QPointF(22, 12), QPointF(2, 12)}));
             QPainterPath body;
             body.addRect(QRectF(5, 11, 14, 10));
             QPainterPath door;
             door.addRect(QRectF(10, 15, 4, 6));
             p.drawPath(body.subtracted(door));
         }},
        {QStringLiteral("textformat"),
         [](QPainter &p) {
             QFont f = p.font();
             f.setPixelSize(14);
             f.setBold(true);
             p.setFont(f);
             p.setPen(Qt::black);
             p.drawText(QRectF(0, 2, 24, 20), Qt::AlignCenter, QStringLiteral("Aa"));
         }},
        {QStringLiteral("sparkles"),
         [](QPainter &p) {
             p.setPen(Qt::NoPen);
             p.setBrush(Qt::black);
             p.drawPath(star(QPointF(10, 13), 8));
             p.drawPath(star(QPointF(19, 5), 3.5));
             p.drawPath(star(QPointF(19.5, 18.5), 2.5));
         }},
        {QStringLiteral("doc.zipper"),
         [](QPainter &p) {
             outlinedPage(p);
             p.setPen(line(1.6));
             for (int i = 0; i < 4; ++i) {
                 const double y = 6 + i * 3;
                 p.drawLine(QPointF(i % 2 ? 10 : 11, y), QPointF(i % 2 ? 11.5 : 12.5, y));
             }
             p.drawRect(QRectF(9.5, 17, 3, 2.5));
         }},
        {QStringLiteral("checkmark.rectangle.stack"),
         [](QPainter &p) {
             p.setPen(line(1.5));
             p.setBrush(Qt::NoBrush);
             p.drawLine(QPointF(6, 3.5), QPointF(18, 3.5));
             p.drawLine(QPointF(4.5, 6), QPointF(19.5, 6));
             p.drawRoundedRect(QRectF(3, 8.5, 18, 12.5), 2, 2);
             p.setPen(line(2.0));
             p.drawPolyline(QPolygonF({QPointF(8, 14.5), QPointF(11, 17.5), QPointF(16.5, 11.5)}));
         }},
        {QStringLiteral("photo.on.rectangle.angled"),
         [](QPainter &p) {
             p.setPen(line(1.5));
             p.setBrush(Qt::NoBrush);
             p.save();
             p.translate(13, 10);
             p.rotate(-10);
             p.drawRoundedRect(QRectF(-9, -6, 18, 13), 1.5, 1.5);
             p.restore();
             // The front picture hides the back one.
             cut(p, [](QPainter &q) { q.fillRect(QRectF(2.5, 8.5, 17, 12.5), Qt::black); });
             p.drawRoundedRect(QRectF(2.5, 8.5, 17, 12.5), 1.5, 1.5);
             p.setPen(Qt::NoPen);
             p.setBrush(Qt::black);
             p.drawPolygon(QPolygonF(
                 {QPointF(4, 19.5), QPointF(9, 13.5), QPointF(12, 17), QPointF(14, 15), QPointF(18, 19.5)}));
             p.drawEllipse(QPointF(15, 12), 1.5, 1.5);
         }},
        {QStringLiteral("film"),
         [](QPainter &p) {
             p.setPen(line(1.6));
             p.setBrush(Qt::NoBrush);
             p.drawRoundedRect(QRectF(3, 3, 18, 18), 2, 2);
             p.drawLine(QPointF(7.5, 3), QPointF(7.5, 21));
             p.drawLine(QPointF(16.5, 3), QPointF(16.5, 21));
             for (double y : {7.5, 12.0, 16.5}) {
                 p.drawLine(QPointF(3, y), QPointF(7.5, y));
                 p.drawLine(QPointF(16.5, y), QPointF(21, y));
             }
         }},
        {QStringLiteral("doc.plaintext"),
         [](QPainter &p) {
             outlinedPage(p);
             p.setPen(line(1.4));
             for (double y : {11.0, 14.0, 17.0})
                 p.drawLine(QPointF(9, y), QPointF(16, y));
         }},
        {QStringLiteral("cup.and.saucer"),
         [](QPainter &p) {
             p.setPen(line(1.6));
             p.setBrush(Qt::NoBrush);
             QPainterPath cup;
             cup.moveTo(4, 7);
             cup.lineTo(17, 7);
             cup.lineTo(16, 15);
             cup.quadTo(15.5, 17, 13, 17);
             cup.lineTo(8, 17);
             cup.quadTo(5.5, 17, 5, 15);
             cup.closeSubpath();
             p.drawPath(cup);
             p.drawArc(QRectF(14.5, 8, 6, 5.5), -90 * 16, 180 * 16);
             p.drawLine(QPointF(2.5, 20.5), QPointF(19.5, 20.5));
         }},
        {QStringLiteral("switch.2"),
         [](QPainter &p) {
             p.setPen(line(1.6));
             p.setBrush(Qt::NoBrush);
             p.drawLine(QPointF(3, 7), QPointF(12, 7));
             p.drawEllipse(QPointF(17, 7), 3.2, 3.2);
             p.drawLine(QPointF(12, 17), QPointF(21, 17));
             p.setBrush(Qt::black);
             p.drawEllipse(QPointF(7, 17), 3.2, 3.2);
         }},
        {QStringLiteral("envelope"),
         [](QPainter &p) {
             p.setPen(line(1.6));
             p.setBrush(Qt::NoBrush);
             p.drawRoundedRect(QRectF(3, 5.5, 18, 13), 1.5, 1.5);
             p.drawPolyline(QPolygonF({QPointF(3.5, 6.5), QPointF(12, 13), QPointF(20.5, 6.5)}));
         }},
        {QStringLiteral("info.circle.fill"),
         [](QPainter &p) {
             QPainterPath disc;
             disc.addEllipse(QPointF(12, 12), 9.5, 9.5);
             QPainterPath mark;
             mark.addEllipse(QPointF(12, 7.5), 1.5, 1.5);
             mark.addRoundedRect(QRectF(10.7, 10.5, 2.6, 7.5), 1.2, 1.2);
             p.setPen(Qt::NoPen);
             p.setBrush(Qt::black);
             p.drawPath(disc.subtracted(mark));
         }},
        {QStringLiteral("checkmark.seal.fill"),
         [](QPainter &p) {
             QPainterPath seal;
             for (int i = 0; i < 24; ++i) {
                 const double angle = i * std::numbers::pi / 12.0;
                 const double radius = i % 2 ? 8.6 : 10.2;
                 const QPointF point(12 + radius * std::cos(angle), 12 + radius * std::sin(angle));
                 i == 0 ? seal.moveTo(point) : seal.lineTo(point);
             }
             seal.closeSubpath();
             QPainterPath tick;
             QPainterPathStroker stroker;
             stroker.setWidth(2.2);
             stroker.setCapStyle(Qt::RoundCap);
             stroker.setJoinStyle(Qt::RoundJoin);
             QPainterPath line;
             line.moveTo(8, 12.3);
             line.lineTo(11, 15.2);
             line.lineTo(16.2, 9);
             tick = stroker.createStroke(line);
             p.setPen(Qt::NoPen);
             p.setBrush(Qt::black);
             p.drawPath(seal.subtracted(tick));
         }},
        {QStringLiteral("lightbulb.fill"),
         [](QPainter &p) {
             p.setPen(Qt::NoPen);
             p.setBrush(Qt::black);
             QPainterPath bulb;
             bulb.moveTo(9, 16);
             bulb.cubicTo(9, 13.5, 5.5, 12, 5.5, 8.5);
             bulb.cubicTo(5.5, 4.9, 8.4, 2.2, 12, 2.2);
             bulb.cubicTo(15.6, 2.2, 18.5, 4.9, 18.5, 8.5);
             bulb.cubicTo(18.5, 12, 15, 13.5, 15, 16);
             bulb.closeSubpath();
             p.drawPath(bulb);
             p.drawRoundedRect(QRectF(9, 17, 6, 1.8), 0.9, 0.9);
             p.drawRoundedRect(QRectF(9.8, 19.6, 4.4, 1.8), 0.9, 0.9);
         }},
        {QStringLiteral("lock.fill"),
         [](QPainter &p) {
             p.setPen(line(2.2));
             p.setBrush(Qt::NoBrush);
             p.drawArc(QRectF(7.5, 3.5, 9, 10), 0, 180 * 16);
             p.drawLine(QPointF(7.5, 8.5), QPointF(7.5, 11));
             p.drawLine(QPointF(16.5, 8.5), QPointF(16.5, 11));
             p.setPen(Qt::NoPen);
             p.setBrush(Qt::black);
             p.drawRoundedRect(QRectF(5, 10.5, 14, 10.5), 2, 2);
         }},
        {QStringLiteral("arrow.uturn.backward"),
         [](QPainter &p) {
             p.setPen(line(2.0));
             p.setBrush(Qt::NoBrush);
             QPainterPath path;
             path.moveTo(5, 9);
             path.lineTo(14, 9);
             path.cubicTo(17.5, 9, 20, 11.5, 20, 14.5);
             path.cubicTo(20, 17.5, 17.5, 20, 14, 20);
             path.lineTo(10, 20);
             p.drawPath(path);
             p.drawPolyline(QPolygonF({QPointF(9, 4.5), QPointF(4.5, 9), QPointF(9, 13.5)}));
         }},
        {QStringLiteral("square.and.arrow.up"),
         [](QPainter &p) {
             p.setPen(line(1.7));
             p.setBrush(Qt::NoBrush);
             p.drawPolyline(QPolygonF({QPointF(9, 9.5), QPointF(5.5, 9.5), QPointF(5.5, 21),
                                       QPointF(18.5, 21), QPointF(18.5, 9.5), QPointF(15, 9.5)}));
             p.drawLine(QPointF(12, 2.5), QPointF(12, 14.5));
             p.drawPolyline(QPolygonF({QPointF(8.5, 6), QPointF(12, 2.5), QPointF(15.5, 6)}));
         }},
        {QStringLiteral("folder"),
         [](QPainter &p) {
             p.setPen(line(1.6));
             p.setBrush(Qt::NoBrush);
             QPainterPath path;
             path.moveTo(3, 19);
             path.lineTo(3, 5.5);
             path.lineTo(9, 5.5);
             path.lineTo(11, 7.8);
             path.lineTo(21, 7.8);
             path.lineTo(21, 19);
             path.closeSubpath();
             p.drawPath(path);
             p.drawLine(QPointF(3, 10.5), QPointF(21, 10.5));
         }},
        {QStringLiteral("wrench.and.screwdriver"),
         [](QPainter &p) {
             p.setPen(line(2.4));
             p.drawLine(QPointF(5, 19), QPointF(15, 9));
             p.setPen(line(1.6));
             p.setBrush(Qt::NoBrush);
             p.drawEllipse(QPointF(17, 7), 3.5, 3.5);
             p.setPen(line(2.4));
             p.drawLine(QPointF(19, 19), QPointF(11, 11));
             p.setPen(line(1.4));
             p.drawLine(QPointF(11, 11), QPointF(6.5, 6.5));
         }},
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
             p.setPen(line(1.5));
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

// Names the set has no drawing of its own for, drawn as their nearest relatives.
QString drawnName(const QString &name)
{
    if (name == QLatin1String("archivebox.fill"))
        return QStringLiteral("doc.zipper");
    if (name == QLatin1String("lock.doc.fill"))
        return QStringLiteral("lock.fill");
    return name;
}

// The symbol, or a plain circle for an unknown name, in `tint` on a transparent square.
QPixmap render(const QString &name, int pixels, const QColor &tint)
{
    QPixmap pixmap(pixels, pixels);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(pixels / 24.0, pixels / 24.0);
    const auto &table = drawers();
    if (const auto it = table.find(drawnName(name)); it != table.end()) {
        it->second(p);
    } else {
        p.setPen(line());
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(12, 12), 8, 8);
    }
    p.resetTransform();
    p.setCompositionMode(QPainter::CompositionMode_SourceIn);
    p.fillRect(QRect(0, 0, pixels, pixels), tint);
    return pixmap;
}

class SymbolEngine : public QIconEngine {
public:
    explicit SymbolEngine(QString name) : name_(std::move(name)) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        const int side = std::min(rect.width(), rect.height());
        if (side <= 0)
            return;
        const qreal dpr = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        const QPixmap pm = SymbolIcon::pixmap(name_, side, colour(mode), dpr);
        painter->drawPixmap(
            QPointF(rect.x() + (rect.width() - side) / 2.0, rect.y() + (rect.height() - side) / 2.0), pm);
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap pm(size);
        pm.fill(Qt::transparent);
        QPainter painter(&pm);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pm;
    }

    QIconEngine *clone() const override { return new SymbolEngine(name_); }
    QString key() const override { return QStringLiteral("SymbolEngine"); }
    QString iconName() override { return name_; }

private:
    QColor colour(QIcon::Mode mode) const
    {
        const QPalette palette = QGuiApplication::palette();
        if (mode == QIcon::Selected)
            return palette.color(QPalette::HighlightedText);
        QColor c = palette.color(QPalette::WindowText);
        if (mode == QIcon::Disabled)
            c.setAlphaF(0.4f);
        return c;
    }

    QString name_;
};

} // namespace

namespace SymbolIcon {

QIcon icon(const QString &symbolName)
{
    return QIcon(new SymbolEngine(symbolName));
}

QPixmap pixmap(const QString &symbolName, int side, const QColor &tint, qreal devicePixelRatio)
{
    QPixmap pm = render(symbolName, std::max(1, int(std::lround(side * devicePixelRatio))), tint);
    pm.setDevicePixelRatio(devicePixelRatio);
    return pm;
}

bool isKnown(const QString &symbolName)
{
    return drawers().count(drawnName(symbolName)) != 0;
}

} // namespace SymbolIcon
