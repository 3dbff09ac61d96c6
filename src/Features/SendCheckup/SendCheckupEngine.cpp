#include "Features/SendCheckup/SendCheckupEngine.h"

#include "Core/FilePath.h"

#include <algorithm>
#include <map>

namespace {
std::map<QUuid, std::unique_ptr<SendCheckupEngine>> &registry()
{
    static std::map<QUuid, std::unique_ptr<SendCheckupEngine>> sessions;
    return sessions;
}
} // namespace

SendCheckupEngine::SendCheckupEngine() = default;
SendCheckupEngine::~SendCheckupEngine() = default;

SendCheckupEngine &SendCheckupEngine::session(const QUuid &id)
{
    auto &engine = registry()[id];
    if (!engine)
        engine = std::make_unique<SendCheckupEngine>();
    return *engine;
}

void SendCheckupEngine::discard(const QUuid &id)
{
    // Released later on the event loop: a window may still be delivering a signal from it.
    if (auto node = registry().extract(id))
        node.mapped().release()->deleteLater();
}

bool SendCheckupEngine::hasSession(const QUuid &id) { return registry().count(id) != 0; }

void SendCheckupEngine::setPendingArrival(PathList files)
{
    if (pendingArrival_ == files)
        return;
    pendingArrival_ = std::move(files);
    emit pendingArrivalChanged();
}

void SendCheckupEngine::addURLs(const PathList &urls)
{
    bool changed = false;
    for (const auto &url : urls) {
        std::filesystem::path candidate = FilePath::realPathOrSame(url);
        const bool held = std::any_of(roots_.begin(), roots_.end(),
                                      [&](const auto &root) { return root.native() == candidate.native(); });
        if (held)
            continue;
        roots_.push_back(std::move(candidate));
        changed = true;
    }
    if (changed)
        emit rootsChanged();
    rescanAll();
}

void SendCheckupEngine::rescanAll() {}

void SendCheckupEngine::clear()
{
    if (!roots_.empty()) {
        roots_.clear();
        emit rootsChanged();
    }
    rescanAll();
}
