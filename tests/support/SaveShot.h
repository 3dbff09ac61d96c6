#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QEvent>
#include <QPixmap>
#include <QString>
#include <QWidget>

namespace TestSupport {

// With QUILLFERN_SHOTS set to a folder, saves a picture of the widget there for a person to look at
// (its pending layouts done first); otherwise does nothing.
inline void saveShot(QWidget &widget, const QString &name)
{
    const QByteArray folder = qgetenv("QUILLFERN_SHOTS");
    if (folder.isEmpty())
        return;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    widget.grab().save(QString::fromUtf8(folder) + QLatin1Char('/') + name + QStringLiteral(".png"));
}

} // namespace TestSupport
