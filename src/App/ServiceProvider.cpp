#include "App/ServiceProvider.h"

#include "App/AppDelegate.h"
#include "App/LaunchRequest.h"
#include "Core/FilePath.h"
#include "Core/Localization.h"

#include <QMimeData>

#include <string_view>

PathList ServiceProvider::files(const QMimeData &pasteboard)
{
    PathList files;
    // The URL list is read as bytes: a file URL percent-encodes its raw path, which QUrl would
    // decode lossily for a name that is not UTF-8.
    const QByteArray list = pasteboard.data(Pasteboard::urlList);
    for (const QByteArray &rawLine : list.split('\n')) {
        const QByteArray line = rawLine.endsWith('\r') ? rawLine.chopped(1) : rawLine;
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        if (auto path = FilePath::fromFileUrl(std::string_view(line.constData(), std::size_t(line.size()))))
            files.push_back(std::move(*path));
    }
    if (!files.empty())
        return files;

    // The legacy list: NUL-terminated names; anything else is not such a list.
    const QByteArray names = pasteboard.data(Pasteboard::fileNames);
    if (names.isEmpty() || !names.endsWith('\0'))
        return {};
    // A relative name would be taken against this process's working folder, not the sender's.
    for (const QByteArray &name : names.chopped(1).split('\0'))
        if (name.startsWith('/'))
            files.emplace_back(std::string(name.constData(), std::size_t(name.size())));
    return files;
}

void ServiceProvider::sendToQuillfern(const QMimeData &pasteboard, const QString &userData, QString *error)
{
    Q_UNUSED(userData);
    const PathList found = files(pasteboard);
    if (found.empty()) {
        if (error)
            *error = L("보낼 파일을 찾지 못했습니다");
        return;
    }
    AppDelegate::deliver(found);
}
