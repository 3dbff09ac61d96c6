#pragma once

#include <QDBusConnection>

#include <filesystem>
#include <functional>
#include <vector>

class QMimeData;

// Shows files in the desktop's file manager. The dashboard asks the installed viewer, so tests
// can stand in for the desktop.
class FileViewer {
public:
    virtual ~FileViewer() = default;
    // Opens file-manager windows that select the items.
    virtual void showItems(const std::vector<std::filesystem::path> &items) = 0;

    // The installed viewer; by default the freedesktop one on the session bus.
    static FileViewer &shared();
    static void install(FileViewer *viewer); // nullptr restores the default
};

// org.freedesktop.FileManager1.ShowItems with the items' file URIs. When the call fails (no
// file manager offers it, no bus), each item's folder is opened instead.
class FreedesktopFileViewer : public FileViewer {
public:
    using OpenFolder = std::function<void(const std::filesystem::path &folder)>;

    // The default OpenFolder hands the folder's file URL to xdg-open.
    explicit FreedesktopFileViewer(QDBusConnection bus, OpenFolder openFolder = {});

    void showItems(const std::vector<std::filesystem::path> &items) override;

    // The folders that hold the items, each once, in first-seen order.
    static std::vector<std::filesystem::path> foldersOf(const std::vector<std::filesystem::path> &items);

private:
    void openFolders(const std::vector<std::filesystem::path> &items) const;

    QDBusConnection bus_;
    OpenFolder openFolder_;
};

namespace FileClipboard {
// The items as copied files for pasting elsewhere: "text/uri-list" (CR LF lines),
// "x-special/gnome-copied-files" ("copy" and one URI a line) and the paths as plain text. URIs
// carry the raw path bytes percent-encoded, so no name is rewritten. The caller owns the result.
QMimeData *mimeData(const std::vector<std::filesystem::path> &items);
} // namespace FileClipboard
