#include "Platform/FileManagerActions.h"

#include "Core/AtomicFile.h"
#include "Core/ErrorText.h"
#include "Core/FileError.h"
#include "Platform/DesktopEntry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace FileManagerActions {

namespace {

struct Action {
    const char *resource; // in the embedded copy of the data folder
    const char *relative;
    bool python;
};

constexpr Action actions[] = {
    {":/filemanager/kio-servicemenu.desktop.in", "kio/servicemenus/quillfern-send.desktop", false},
    {":/filemanager/kio-servicemenu.desktop.in", "kservices5/ServiceMenus/quillfern-send.desktop", false},
    {":/filemanager/nemo.nemo_action.in", "nemo/actions/quillfern-send.nemo_action", false},
    {":/filemanager/file-manager-action.desktop.in", "file-manager/actions/quillfern-send.desktop", false},
    {":/filemanager/nautilus-extension.py.in", "nautilus-python/extensions/quillfern-send.py", true},
};

QString userFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

// The inside of a double-quoted Python string.
QString pythonString(const QString &text)
{
    QString out;
    for (QChar c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            out += QLatin1Char('\\');
        out += c;
    }
    return out;
}

} // namespace

QStringList relativePaths()
{
    QStringList out;
    for (const Action &a : actions)
        out << QString::fromLatin1(a.relative);
    return out;
}

QString render(const QString &templateText, const QString &executable, bool python)
{
    if (const auto refusal = DesktopEntry::refusal(executable))
        throw Error(*refusal);
    QString text = templateText;
    text.replace(QStringLiteral("@QUILLFERN_EXEC@"),
                 python ? pythonString(executable) : DesktopEntry::execProgram(executable));
    return text;
}

bool isInstalled()
{
    for (const Action &a : actions)
        if (!QStandardPaths::locate(QStandardPaths::GenericDataLocation, QString::fromLatin1(a.relative))
                 .isEmpty())
            return true;
    return false;
}

bool isInstalledForUser()
{
    for (const Action &a : actions)
        if (QFileInfo::exists(userFolder() + QLatin1Char('/') + QString::fromLatin1(a.relative)))
            return true;
    return false;
}

void installForUser(const QString &executable)
{
    for (const Action &a : actions) {
        QFile source(QString::fromLatin1(a.resource));
        if (!source.open(QIODevice::ReadOnly))
            throw Error(source.errorString());
        const QString text = render(QString::fromUtf8(source.readAll()), executable, a.python);
        const QString path = userFolder() + QLatin1Char('/') + QString::fromLatin1(a.relative);
        if (!QDir().mkpath(QFileInfo(path).absolutePath()))
            throw Error(QStringLiteral("mkdir: ") + QFileInfo(path).absolutePath());
        // The desktop's file managers run a user's own service menu only when it is executable.
        try {
            replaceWholeFile(QFile::encodeName(path).toStdString(), text.toStdString(), 0755);
        } catch (const FileError &error) {
            throw Error(errorText(error.error()));
        }
    }
}

void removeForUser()
{
    for (const Action &a : actions) {
        QFile file(userFolder() + QLatin1Char('/') + QString::fromLatin1(a.relative));
        if (file.exists() && !file.remove())
            throw Error(file.errorString());
    }
}

} // namespace FileManagerActions
