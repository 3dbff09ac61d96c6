#pragma once

#include "Core/Utility.h"

#include <QObject>
#include <QUuid>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using PathList = std::vector<std::filesystem::path>;

// The shared board on which entry points leave work for window tabs, and on which each tab picks
// up what is meant for it. Main thread only.
class Router : public QObject {
    Q_OBJECT

public:
    // How arrivals reach a session's send checkup, which lives above this layer and installs it.
    struct CheckupHook {
        // Adds the files to the session's checkup, or holds them as its pending arrival.
        std::function<void(const QUuid &, const PathList &)> deliver;
        // The session is gone for good: its checkup goes too.
        std::function<void(const QUuid &)> discard;
    };

    static Router &shared();

    // The last installed hook wins; until one is installed arrivals for a session are dropped.
    void setCheckupHook(CheckupHook hook) { checkupHook_ = std::move(hook); }

    std::optional<QUuid> activeSession() const { return activeSession_; }

    void openCheckup(const PathList &adding);
    PathList takeArrival(const QUuid &session);
    void registerSession(const QUuid &session);
    void focus(const QUuid &session);
    void unregisterSession(const QUuid &session);
    void discard(const QUuid &session);
    std::optional<Utility> takePendingUtility(const QUuid &session);
    void openZip(const PathList &compressing, const QUuid &session);
    void request(Utility utility, const QUuid &session);
    void openCheckupInNewTab(const PathList &with);
    PathList takeZipHandoff(const QUuid &session);

    // A window's content went away: unregister now and, 2 seconds later on the main scheduler,
    // drop the session's engine and pending work unless it has registered again.
    void contentDisappeared(const QUuid &session);

    // The URL-scheme rule: a file URL yields its path; a "quillfern" URL yields the existing
    // paths of its query items named "p"; anything else yields nothing.
    // Only absolute paths count: a relative one names nothing here.
    static PathList filesToDiagnose(std::string_view url);
    // The URL as a launch hands it on: each relative path of a "quillfern" URL's "p" items made
    // absolute against the launch's working folder; every other part, and any other URL, as it
    // was.
    static std::string withAbsolutePaths(std::string_view url, const std::filesystem::path &folder);

    // Read-only views for tests and the window content.
    const std::vector<QUuid> &liveSessions() const { return liveSessions_; }
    bool hasPendingUtility(const QUuid &session) const { return pendingUtility_.count(session) != 0; }
    const PathList &unassignedArrival() const { return unassignedArrival_; }

    // Forgets everything (tests).
    void resetForTesting();

signals:
    void activeSessionChanged();
    void pendingUtilityChanged();
    void pendingZipChanged();
    void liveSessionsChanged();
    void arrivalsChanged();
    void unassignedArrivalChanged();

private:
    void setActiveSession(std::optional<QUuid> session);
    void setLiveSessions(std::vector<QUuid> sessions);
    void setUnassignedArrival(PathList files);

    std::map<QUuid, Utility> pendingUtility_;
    std::map<QUuid, PathList> pendingZip_;
    std::optional<QUuid> activeSession_;
    std::vector<QUuid> liveSessions_;
    std::map<QUuid, PathList> arrivals_;
    PathList unassignedArrival_;
    std::map<QUuid, std::uint64_t> disappearances_;
    CheckupHook checkupHook_;
};
