#include "Platform/Autostart.h"

#include "Core/AtomicFile.h"
#include "Core/ErrorText.h"
#include "Core/FileError.h"
#include "Platform/DesktopEntry.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTextStream>

#include <cerrno>

namespace Autostart {

QString entryPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart/quillfern.desktop");
}

void registerEntry(const QString &executable)
{
    if (const auto refusal = DesktopEntry::refusal(executable))
        throw Error(*refusal);
    const QString path = entryPath();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        throw Error(errorText(EACCES));
    QString text;
    QTextStream out(&text);
    out << "[Desktop Entry]\n"
        << "Type=Application\n"
        << "Name=Quillfern\n"
        << "Exec=" << DesktopEntry::execProgram(executable) << ' ' << loginFlag << '\n'
        << "Icon=quillfern\n"
        << "Terminal=false\n"
        << "X-GNOME-Autostart-enabled=true\n";
    out.flush();
    try {
        replaceWholeFile(QFile::encodeName(path).toStdString(), text.toStdString());
    } catch (const FileError &error) {
        throw Error(errorText(error.error()));
    }
}

void unregisterEntry()
{
    QFile file(entryPath());
    if (file.exists() && !file.remove())
        throw Error(file.errorString());
}

bool isRegistered()
{
    QFile file(entryPath());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    const QString text = QString::fromUtf8(file.readAll());
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const QString trimmed = line.trimmed();
        if (trimmed == QLatin1String("Hidden=true") ||
            trimmed == QLatin1String("X-GNOME-Autostart-enabled=false"))
            return false;
    }
    return true;
}

} // namespace Autostart
