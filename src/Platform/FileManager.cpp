#include "Platform/FileManager.h"

#include "Core/FilePath.h"
#include "Core/Pasteboard.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QMimeData>
#include <QProcess>
#include <QStringList>

#include <algorithm>
#include <memory>

namespace fs = std::filesystem;

namespace {

FileViewer *&installedViewer()
{
    static FileViewer *viewer = nullptr;
    return viewer;
}

void openWithDesktop(const fs::path &folder)
{
    QProcess::startDetached(QStringLiteral("xdg-open"),
                            {QString::fromStdString(FilePath::toFileUrl(folder))});
}

QStringList fileUrls(const std::vector<fs::path> &items)
{
    QStringList urls;
    for (const auto &item : items)
        urls << QString::fromStdString(FilePath::toFileUrl(item));
    return urls;
}

} // namespace

FileViewer &FileViewer::shared()
{
    if (installedViewer() != nullptr)
        return *installedViewer();
    static FreedesktopFileViewer viewer(QDBusConnection::sessionBus());
    return viewer;
}

void FileViewer::install(FileViewer *viewer)
{
    installedViewer() = viewer;
}

FreedesktopFileViewer::FreedesktopFileViewer(QDBusConnection bus, OpenFolder openFolder)
    : bus_(std::move(bus)), openFolder_(openFolder ? std::move(openFolder) : OpenFolder(openWithDesktop))
{
}

std::vector<fs::path> FreedesktopFileViewer::foldersOf(const std::vector<fs::path> &items)
{
    std::vector<fs::path> folders;
    for (const auto &item : items) {
        fs::path folder = item.parent_path();
        if (folder.empty())
            folder = "/";
        if (std::find(folders.begin(), folders.end(), folder) == folders.end())
            folders.push_back(std::move(folder));
    }
    return folders;
}

void FreedesktopFileViewer::openFolders(const std::vector<fs::path> &items) const
{
    for (const auto &folder : foldersOf(items))
        openFolder_(folder);
}

void FreedesktopFileViewer::showItems(const std::vector<fs::path> &items)
{
    if (items.empty())
        return;
    if (!bus_.isConnected()) {
        openFolders(items);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    call << fileUrls(items) << QString();
    // Asynchronous: the page never waits for the file manager; a failed call falls back.
    auto *watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call));
    const OpenFolder open = openFolder_;
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, [watcher, items, open] {
        if (watcher->isError())
            for (const auto &folder : foldersOf(items))
                open(folder);
        watcher->deleteLater();
    });
}

namespace FileClipboard {

QMimeData *mimeData(const std::vector<fs::path> &items)
{
    auto data = std::make_unique<QMimeData>();
    QByteArray uriList;
    QByteArray gnome = "copy";
    QStringList plain;
    for (const auto &item : items) {
        const std::string url = FilePath::toFileUrl(item);
        uriList += QByteArray::fromStdString(url) + "\r\n";
        gnome += "\n" + QByteArray::fromStdString(url);
        plain << FilePath::display(item);
    }
    data->setData(Pasteboard::urlList, uriList);
    data->setData(Pasteboard::gnomeCopiedFiles, gnome);
    data->setText(plain.join(QLatin1Char('\n')));
    return data.release();
}

} // namespace FileClipboard
