#include "Core/Router.h"

#include "Core/FilePath.h"
#include "Core/Notify.h"
#include "Core/Scheduler.h"
#include "Core/TabOpener.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>

Router &Router::shared()
{
    static auto *router = new Router;
    return *router;
}

void Router::setActiveSession(std::optional<QUuid> session)
{
    Notify::assign(this, activeSession_, session, &Router::activeSessionChanged);
}

void Router::setLiveSessions(std::vector<QUuid> sessions)
{
    Notify::assign(this, liveSessions_, std::move(sessions), &Router::liveSessionsChanged);
}

void Router::setUnassignedArrival(PathList files)
{
    Notify::assign(this, unassignedArrival_, std::move(files), &Router::unassignedArrivalChanged);
}

void Router::openCheckup(const PathList &adding)
{
    if (adding.empty())
        return;
    std::optional<QUuid> target = activeSession_;
    if (!target && !liveSessions_.empty())
        target = liveSessions_.back();
    if (!target) {
        setUnassignedArrival(adding);
        return;
    }
    if (checkupHook_.deliver)
        checkupHook_.deliver(*target, adding);
    request(Utility::sendCheckup, *target);
}

PathList Router::takeArrival(const QUuid &session)
{
    if (auto node = arrivals_.extract(session)) {
        emit arrivalsChanged();
        return std::move(node.mapped());
    }
    if (!unassignedArrival_.empty()) {
        PathList files = unassignedArrival_;
        setUnassignedArrival({});
        return files;
    }
    return {};
}

void Router::registerSession(const QUuid &session)
{
    std::vector<QUuid> live = liveSessions_;
    std::erase(live, session);
    live.push_back(session);
    setLiveSessions(std::move(live));
    if (!activeSession_)
        setActiveSession(session);
}

void Router::focus(const QUuid &session)
{
    if (std::find(liveSessions_.begin(), liveSessions_.end(), session) == liveSessions_.end()) {
        std::vector<QUuid> live = liveSessions_;
        live.push_back(session);
        setLiveSessions(std::move(live));
    }
    setActiveSession(session);
}

void Router::unregisterSession(const QUuid &session)
{
    std::vector<QUuid> live = liveSessions_;
    std::erase(live, session);
    setLiveSessions(std::move(live));
    if (activeSession_ == session)
        setActiveSession(liveSessions_.empty() ? std::nullopt : std::optional<QUuid>(liveSessions_.back()));
}

void Router::discard(const QUuid &session)
{
    if (pendingUtility_.erase(session) != 0)
        emit pendingUtilityChanged();
    if (pendingZip_.erase(session) != 0)
        emit pendingZipChanged();
    if (arrivals_.erase(session) != 0)
        emit arrivalsChanged();
}

std::optional<Utility> Router::takePendingUtility(const QUuid &session)
{
    auto node = pendingUtility_.extract(session);
    if (!node)
        return std::nullopt;
    emit pendingUtilityChanged();
    return node.mapped();
}

void Router::openZip(const PathList &compressing, const QUuid &session)
{
    pendingZip_[session] = compressing;
    emit pendingZipChanged();
    request(Utility::zipKorean, session);
}

void Router::request(Utility utility, const QUuid &session)
{
    auto it = pendingUtility_.find(session);
    if (it != pendingUtility_.end() && it->second == utility)
        return;
    pendingUtility_[session] = utility;
    emit pendingUtilityChanged();
}

void Router::openCheckupInNewTab(const PathList &with)
{
    if (with.empty())
        return;
    const QUuid session = QUuid::createUuid();
    arrivals_[session] = with;
    emit arrivalsChanged();
    TabOpener::shared().openTab(session);
}

PathList Router::takeZipHandoff(const QUuid &session)
{
    auto node = pendingZip_.extract(session);
    if (!node)
        return {};
    emit pendingZipChanged();
    return std::move(node.mapped());
}

void Router::contentDisappeared(const QUuid &session)
{
    unregisterSession(session);
    // Only the newest disappearance counts: a tab closed, reopened and closed again gets its
    // full two seconds from the last close.
    const std::uint64_t generation = ++disappearances_[session];
    Scheduler::main().after(2000, [session, generation] {
        Router &router = Router::shared();
        const auto it = router.disappearances_.find(session);
        if (it == router.disappearances_.end() || it->second != generation)
            return;
        router.disappearances_.erase(it);
        const auto &live = router.liveSessions();
        if (std::find(live.begin(), live.end(), session) != live.end())
            return;
        if (router.checkupHook_.discard)
            router.checkupHook_.discard(session);
        router.discard(session);
    });
}

void Router::resetForTesting()
{
    pendingUtility_.clear();
    pendingZip_.clear();
    arrivals_.clear();
    disappearances_.clear();
    setLiveSessions({});
    setActiveSession(std::nullopt);
    setUnassignedArrival({});
}

namespace {

bool isSchemeStart(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isSchemeChar(char c)
{
    return isSchemeStart(c) || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
}

} // namespace

namespace {

// Where the query of a "quillfern" URL lies in the text: from after its '?' to its '#' or end.
// Nothing for another scheme, a URL without a query, or percent-encoding that is not
// well-formed anywhere in it (components are split, not resolved).
std::optional<std::pair<std::size_t, std::size_t>> quillfernQuery(std::string_view url)
{
    const auto colon = url.find(':');
    if (colon == std::string_view::npos || url.substr(0, colon) != "quillfern")
        return std::nullopt;
    if (!FilePath::percentDecode(url.substr(colon + 1)))
        return std::nullopt;
    const std::size_t end = std::min(url.find('#', colon), url.size());
    const auto question = url.substr(0, end).find('?', colon);
    if (question == std::string_view::npos)
        return std::nullopt;
    return std::pair(question + 1, end);
}

// Calls `visit` with each item of the query in order: its text, and, when it carries a value,
// the decoded value of an item named exactly "p".
template <typename Visit> void forEachItem(std::string_view query, Visit visit)
{
    for (;;) {
        const auto amp = query.find('&');
        const std::string_view item = query.substr(0, amp);
        std::optional<std::string> path;
        if (const auto equals = item.find('='); equals != std::string_view::npos) {
            if (FilePath::percentDecode(item.substr(0, equals)) == "p")
                path = FilePath::percentDecode(item.substr(equals + 1));
        }
        visit(item, path);
        if (amp == std::string_view::npos)
            break;
        query = query.substr(amp + 1);
    }
}

} // namespace

PathList Router::filesToDiagnose(std::string_view url)
{
    const auto colon = url.find(':');
    if (colon == std::string_view::npos || colon == 0 || !isSchemeStart(url[0]))
        return {};
    const std::string_view scheme = url.substr(0, colon);
    if (!std::all_of(scheme.begin(), scheme.end(), isSchemeChar))
        return {};
    std::string lower(scheme);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    if (lower == "file") {
        if (auto path = FilePath::fromFileUrl(url))
            return {*path};
        return {};
    }
    const auto query = quillfernQuery(url);
    if (!query)
        return {};
    PathList files;
    forEachItem(url.substr(query->first, query->second - query->first),
                [&](std::string_view, const std::optional<std::string> &value) {
                    // Only absolute paths: the launch made its own relative ones absolute, and
                    // this process's working folder is no one's business.
                    if (value && value->starts_with('/') && value->find('\0') == std::string::npos &&
                        FilePath::exists(*value))
                        files.emplace_back(*value);
                });
    return files;
}

std::string Router::withAbsolutePaths(std::string_view url, const std::filesystem::path &folder)
{
    const auto query = quillfernQuery(url);
    if (!query || folder.empty())
        return std::string(url);
    std::string out(url.substr(0, query->first));
    bool first = true;
    forEachItem(url.substr(query->first, query->second - query->first),
                [&](std::string_view item, const std::optional<std::string> &value) {
                    if (!first)
                        out += '&';
                    first = false;
                    if (value && !value->empty() && !value->starts_with('/'))
                        out += "p=" + FilePath::toFileUrl(folder / *value).substr(std::strlen("file://"));
                    else
                        out += item;
                });
    out += url.substr(query->second);
    return out;
}
