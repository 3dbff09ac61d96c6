#include "App/SymbolIcon.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>

#include <cmath>
#include <functional>
#include <map>
#include <numbers>
#include <optional>

namespace {

// Every symbol is drawn in a 24 by 24 unit box; the painter is scaled to the target rectangle.
using Drawer = std::function<void(QPainter &, const QColor &)>;

QPen stroke(const QColor &c, double width = 1.8)
{
    return QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void documentOutline(QPainter &p, const QColor &c)
{
    QPainterPath page;
    page.moveTo(6, 3);
    page.lineTo(14, 3);
    page.lineTo(19, 8);
    page.lineTo(19, 21);
    page.lineTo(6, 21);
    page.closeSubpath();
    p.setPen(stroke(c));
    p.setBrush(Qt::NoBrush);
    p.drawPath(page);
    p.drawPolyline(QPolygonF({QPointF(14, 3), QPointF(14, 8), QPointF(19, 8)}));
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

const std::map<QString, Drawer> &drawers()
{
    static const std::map<QString, Drawer> table{
        {QStringLiteral("hammer.fill"),
         [](QPainter &p, const QColor &c) {
             p.setPen(stroke(c, 3.0));
             p.drawLine(QPointF(8, 20), QPointF(15, 11));
             p.setPen(Qt::NoPen);
             p.setBrush(c);
             p.save();
             p.translate(15.5, 8.5);
             p.rotate(38);
             p.drawRoundedRect(QRectF(-6.5, -3, 13, 6), 1.2, 1.2);
             p.restore();
         }},
        {QStringLiteral("house.fill"),
         [](QPainter &p, const QColor &c) {
             p.setPen(Qt::NoPen);
             p.setBrush(c);
             p.drawPolygon(QPolygonF({QPointF(12, 3), QPointF(22, 12), QPointF(2, 12)}));
             QPainterPath body;
             body.addRect(QRectF(5, 11, 14, 10));
             QPainterPath door;
             door.addRect(QRectF(10, 15, 4, 6));
             p.drawPath(body.subtracted(door));
         }},
        {QStringLiteral("textformat"),
         [](QPainter &p, const QColor &c) {
             QFont f = p.font();
             f.setPixelSize(14);
             f.setBold(true);
             p.setFont(f);
             p.setPen(c);
             p.drawText(QRectF(0, 2, 24, 20), Qt::AlignCenter, QStringLiteral("Aa"));
         }},
        {QStringLiteral("sparkles"),
         [](QPainter &p, const QColor &c) {
             p.setPen(Qt::NoPen);
             p.setBrush(c);
             p.drawPath(star(QPointF(10, 13), 8));
             p.drawPath(star(QPointF(19, 5), 3.5));
             p.drawPath(star(QPointF(19.5, 18.5), 2.5));
         }},
        {QStringLiteral("doc.zipper"),
         [](QPainter &p, const QColor &c) {
             documentOutline(p, c);
             p.setPen(stroke(c, 1.6));
             for (int i = 0; i < 4; ++i) {
                 const double y = 6 + i * 3;
                 p.drawLine(QPointF(i % 2 ? 10 : 11, y), QPointF(i % 2 ? 11.5 : 12.5, y));
             }
             p.drawRect(QRectF(9.5, 17, 3, 2.5));
         }},
        {QStringLiteral("checkmark.rectangle.stack"),
         [](QPainter &p, const QColor &c) {
             p.setPen(stroke(c, 1.5));
             p.setBrush(Qt::NoBrush);
             p.drawLine(QPointF(6, 3.5), QPointF(18, 3.5));
             p.drawLine(QPointF(4.5, 6), QPointF(19.5, 6));
             p.drawRoundedRect(QRectF(3, 8.5, 18, 12.5), 2, 2);
             p.setPen(stroke(c, 2.0));
             p.drawPolyline(QPolygonF({QPointF(8, 14.5), QPointF(11, 17.5), QPointF(16.5, 11.5)}));
         }},
        {QStringLiteral("photo.on.rectangle.angled"),
         [](QPainter &p, const QColor &c) {
             p.setPen(stroke(c, 1.5));
             p.setBrush(Qt::NoBrush);
             p.save();
             p.translate(13, 10);
             p.rotate(-10);
             p.drawRoundedRect(QRectF(-9, -6, 18, 13), 1.5, 1.5);
             p.restore();
             // The front picture hides the back one.
             p.setCompositionMode(QPainter::CompositionMode_Clear);
             p.fillRect(QRectF(2.5, 8.5, 17, 12.5), Qt::transparent);
             p.setCompositionMode(QPainter::CompositionMode_SourceOver);
             p.drawRoundedRect(QRectF(2.5, 8.5, 17, 12.5), 1.5, 1.5);
             p.setPen(Qt::NoPen);
             p.setBrush(c);
             p.drawPolygon(QPolygonF(
                 {QPointF(4, 19.5), QPointF(9, 13.5), QPointF(12, 17), QPointF(14, 15), QPointF(18, 19.5)}));
             p.drawEllipse(QPointF(15, 12), 1.5, 1.5);
         }},
        {QStringLiteral("film"),
         [](QPainter &p, const QColor &c) {
             p.setPen(stroke(c, 1.6));
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
         [](QPainter &p, const QColor &c) {
             documentOutline(p, c);
             p.setPen(stroke(c, 1.4));
             for (double y : {11.0, 14.0, 17.0})
                 p.drawLine(QPointF(9, y), QPointF(16, y));
         }},
        {QStringLiteral("cup.and.saucer"),
         [](QPainter &p, const QColor &c) {
             p.setPen(stroke(c, 1.6));
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
         [](QPainter &p, const QColor &c) {
             p.setPen(stroke(c, 1.6));
             p.setBrush(Qt::NoBrush);
             p.drawLine(QPointF(3, 7), QPointF(12, 7));
             p.drawEllipse(QPointF(17, 7), 3.2, 3.2);
             p.drawLine(QPointF(12, 17), QPointF(21, 17));
             p.setBrush(c);
             p.drawEllipse(QPointF(7, 17), 3.2, 3.2);
         }},
        {QStringLiteral("envelope"),
         [](QPainter &p, const QColor &c) {
             p.setPen(stroke(c, 1.6));
             p.setBrush(Qt::NoBrush);
             p.drawRoundedRect(QRectF(3, 5.5, 18, 13), 1.5, 1.5);
             p.drawPolyline(QPolygonF({QPointF(3.5, 6.5), QPointF(12, 13), QPointF(20.5, 6.5)}));
         }},
        {QStringLiteral("info.circle.fill"),
         [](QPainter &p, const QColor &c) {
             QPainterPath disc;
             disc.addEllipse(QPointF(12, 12), 9.5, 9.5);
             QPainterPath mark;
             mark.addEllipse(QPointF(12, 7.5), 1.5, 1.5);
             mark.addRoundedRect(QRectF(10.7, 10.5, 2.6, 7.5), 1.2, 1.2);
             p.setPen(Qt::NoPen);
             p.setBrush(c);
             p.drawPath(disc.subtracted(mark));
         }},
        {QStringLiteral("checkmark.seal.fill"),
         [](QPainter &p, const QColor &c) {
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
             p.setBrush(c);
             p.drawPath(seal.subtracted(tick));
         }},
        {QStringLiteral("lightbulb.fill"),
         [](QPainter &p, const QColor &c) {
             p.setPen(Qt::NoPen);
             p.setBrush(c);
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
         [](QPainter &p, const QColor &c) {
             p.setPen(stroke(c, 2.2));
             p.setBrush(Qt::NoBrush);
             p.drawArc(QRectF(7.5, 3.5, 9, 10), 0, 180 * 16);
             p.drawLine(QPointF(7.5, 8.5), QPointF(7.5, 11));
             p.drawLine(QPointF(16.5, 8.5), QPointF(16.5, 11));
             p.setPen(Qt::NoPen);
             p.setBrush(c);
             p.drawRoundedRect(QRectF(5, 10.5, 14, 10.5), 2, 2);
         }},
        {QStringLiteral("arrow.uturn.backward"),
         [](QPainter &p, const QColor &c) {
             p.setPen(stroke(c, 2.0));
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
         [](QPainter &p, const QColor &c) {
             p.setPen(stroke(c, 1.7));
             p.setBrush(Qt::NoBrush);
             p.drawPolyline(QPolygonF({QPointF(9, 9.5), QPointF(5.5, 9.5), QPointF(5.5, 21),
                                       QPointF(18.5, 21), QPointF(18.5, 9.5), QPointF(15, 9.5)}));
             p.drawLine(QPointF(12, 2.5), QPointF(12, 14.5));
             p.drawPolyline(QPolygonF({QPointF(8.5, 6), QPointF(12, 2.5), QPointF(15.5, 6)}));
         }},
        {QStringLiteral("folder"),
         [](QPainter &p, const QColor &c) {
             p.setPen(stroke(c, 1.6));
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
         [](QPainter &p, const QColor &c) {
             p.setPen(stroke(c, 2.4));
             p.drawLine(QPointF(5, 19), QPointF(15, 9));
             p.setPen(stroke(c, 1.6));
             p.setBrush(Qt::NoBrush);
             p.drawEllipse(QPointF(17, 7), 3.5, 3.5);
             p.setPen(stroke(c, 2.4));
             p.drawLine(QPointF(19, 19), QPointF(11, 11));
             p.setPen(stroke(c, 1.4));
             p.drawLine(QPointF(11, 11), QPointF(6.5, 6.5));
         }},
    };
    return table;
}

class SymbolEngine : public QIconEngine {
public:
    explicit SymbolEngine(QString name, std::optional<QColor> tint = std::nullopt)
        : name_(std::move(name)), tint_(tint)
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        QColor colour = tint_.value_or(QGuiApplication::palette().color(QPalette::WindowText));
        if (mode == QIcon::Disabled)
            colour.setAlphaF(0.4f);
        else if (mode == QIcon::Selected && !tint_)
            colour = QGuiApplication::palette().color(QPalette::HighlightedText);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        const double side = std::min(rect.width(), rect.height());
        painter->translate(rect.x() + (rect.width() - side) / 2.0, rect.y() + (rect.height() - side) / 2.0);
        painter->scale(side / 24.0, side / 24.0);
        const auto &table = drawers();
        if (const auto it = table.find(name_); it != table.end()) {
            it->second(*painter, colour);
        } else {
            painter->setPen(stroke(colour));
            painter->setBrush(Qt::NoBrush);
            painter->drawEllipse(QPointF(12, 12), 8, 8);
        }
        painter->restore();
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap pm(size);
        pm.fill(Qt::transparent);
        QPainter painter(&pm);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pm;
    }

    QIconEngine *clone() const override { return new SymbolEngine(name_, tint_); }
    QString key() const override { return QStringLiteral("SymbolEngine"); }
    QString iconName() override { return name_; }

private:
    QString name_;
    std::optional<QColor> tint_;
};

} // namespace

namespace SymbolIcon {

QIcon icon(const QString &symbolName)
{
    return QIcon(new SymbolEngine(symbolName));
}

QIcon icon(const QString &symbolName, const QColor &tint)
{
    return QIcon(new SymbolEngine(symbolName, tint));
}

bool isKnown(const QString &symbolName)
{
    return drawers().count(symbolName) != 0;
}

} // namespace SymbolIcon
