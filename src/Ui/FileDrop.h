#pragma once

#include <QByteArray>

#include <filesystem>
#include <functional>
#include <vector>

class QMimeData;
class QWidget;

// Files dropped on a page, one rule for every page: a drag is taken when its URL list holds a local
// file, or names nothing at all; a drag without a URL list, or whose addresses are all elsewhere (web
// pages, other hosts), is refused. The files arrive as byte paths read from the raw "text/uri-list"
// bytes, so names that are not UTF-8 survive; addresses that are not local files are passed over.
namespace FileDrop {

using Paths = std::vector<std::filesystem::path>;

Paths paths(const QByteArray &uriList);
Paths paths(const QMimeData *mime);
bool takes(const QMimeData *mime);

// Makes the page a drop destination under that rule: hovered(true) when a drag it takes comes over it,
// hovered(false) when the drag leaves or is dropped; dropped() gets the files of each drop it takes.
void accept(QWidget *page, std::function<void(bool)> hovered, std::function<void(const Paths &)> dropped);

} // namespace FileDrop
