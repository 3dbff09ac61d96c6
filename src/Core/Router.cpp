#include "Core/Router.h"

#include "Core/FilePath.h"
#include "Core/Notify.h"
#include "Core/Scheduler.h"
#include "Core/TabOpener.h"

#include <algorithm>

Router &Router::shared()
{
    static Router *router = new Router;
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
    if (scheme != "quillfern")
        return {};

    // Components are split, not resolved: the whole text must be well-formed percent-encoding.
    std::string_view rest = url.substr(colon + 1);
    if (!FilePath::percentDecode(rest))
        return {};
    if (const auto hash = rest.find('#'); hash != std::string_view::npos)
        rest = rest.substr(0, hash);
    const auto question = rest.find('?');
    if (question == std::string_view::npos)
        return {};
    std::string_view query = rest.substr(question + 1);

    PathList files;
    for (;;) {
        const auto amp = query.find('&');
        const std::string_view item = query.substr(0, amp);
        const auto equals = item.find('=');
        if (equals != std::string_view::npos) {
            const auto name = FilePath::percentDecode(item.substr(0, equals));
            const auto value = FilePath::percentDecode(item.substr(equals + 1));
            if (name && *name == "p" && value) {
                std::filesystem::path path(*value);
                if (!value->empty() && FilePath::exists(path))
                    files.push_back(std::move(path));
            }
        }
        if (amp == std::string_view::npos)
            break;
        query = query.substr(amp + 1);
    }
    return files;
}
