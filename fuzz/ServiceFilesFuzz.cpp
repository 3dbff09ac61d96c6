// libFuzzer target: the right-click action's pasteboard, whatever it holds, yields a list of
// files without a crash: only absolute paths (a relative one would be taken in the instance's
// folder), from the local file URLs when there are any, else from the legacy list of names.
#include "App/LaunchRequest.h"
#include "App/ServiceProvider.h"
#include "Core/FilePath.h"

#include <QMimeData>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The first byte says where the URL list ends and the list of names begins.
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const qsizetype cut = std::min<qsizetype>(qsizetype{data[0]} * 4, bytes.size());
    QMimeData pasteboard;
    pasteboard.setData(Pasteboard::urlList, bytes.left(cut));
    pasteboard.setData(Pasteboard::fileNames, bytes.mid(cut));
    const PathList files = ServiceProvider::files(pasteboard);
    for (const auto &file : files)
        if (!file.native().starts_with('/') || file.native().find('\0') != std::string::npos)
            __builtin_trap();

    QMimeData urlsOnly;
    urlsOnly.setData(Pasteboard::urlList, bytes.left(cut));
    const PathList fromUrls = ServiceProvider::files(urlsOnly);
    if (!fromUrls.empty() && fromUrls != files)
        __builtin_trap();
    for (const auto &file : fromUrls)
        if (FilePath::fromFileUrl(FilePath::toFileUrl(file)) != file)
            __builtin_trap();
    return 0;
}
