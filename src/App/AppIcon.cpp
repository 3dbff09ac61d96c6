#include "App/AppIcon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace AppIcon {

QIcon icon()
{
    // Drawn once per size here, so no icon-engine plugin is needed at run time; the sizes cover
    // trays (16 to 24) up to the window manager's large icons.
    QSvgRenderer renderer(QStringLiteral(":/icons/quillfern.svg"));
    QIcon result;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.end();
        result.addPixmap(pixmap);
    }
    return result;
}

} // namespace AppIcon
