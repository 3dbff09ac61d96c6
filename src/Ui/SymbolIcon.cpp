#include "Ui/SymbolIcon.h"

#include <QFile>
#include <QGuiApplication>
#include <QIconEngine>
#include <QPaintDevice>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QSvgRenderer>

#include <cmath>

namespace {

// Every symbol is a picture in :/symbols, drawn in opaque black in a 24 by 24 box with its cut-out
// parts transparent. The tint is laid over the drawn shape afterwards, so every symbol takes any
// colour (also a translucent one) the same way.
QString pictureOf(const QString &name)
{
    // Names the set has no picture of its own for, drawn as their nearest relatives.
    if (name == QLatin1String("archivebox.fill"))
        return QStringLiteral(":/symbols/doc.zipper.svg");
    if (name == QLatin1String("lock.doc.fill"))
        return QStringLiteral(":/symbols/lock.fill.svg");
    return QStringLiteral(":/symbols/") + name + QStringLiteral(".svg");
}

// The symbol, or a plain circle for an unknown name, in `tint` on a transparent square.
QPixmap render(const QString &name, int pixels, const QColor &tint)
{
    QPixmap pixmap(pixels, pixels);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QSvgRenderer picture(SymbolIcon::isKnown(name) ? pictureOf(name)
                                                   : QStringLiteral(":/symbols/circle.svg"));
    picture.render(&p, QRectF(0, 0, pixels, pixels));
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
    return QFile::exists(pictureOf(symbolName));
}

} // namespace SymbolIcon
