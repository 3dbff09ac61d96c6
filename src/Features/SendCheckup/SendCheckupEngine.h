#pragma once

#include "Core/Router.h"

#include <QObject>
#include <QUuid>

#include <filesystem>
#include <memory>
#include <vector>

// The model behind one window tab's send-checkup dashboard, kept in a registry keyed by the
// tab's session. Main thread only.
class SendCheckupEngine : public QObject {
    Q_OBJECT

public:
    SendCheckupEngine();
    ~SendCheckupEngine() override;

    // The engine of a session, created on first use.
    static SendCheckupEngine &session(const QUuid &id);
    static void discard(const QUuid &id);
    static bool hasSession(const QUuid &id);

    const PathList &roots() const { return roots_; }
    const PathList &pendingArrival() const { return pendingArrival_; }
    void setPendingArrival(PathList files);

    // Adds files and folders (each resolved to its real path, the path unchanged when that
    // fails; a path byte-equal to a held root is skipped) and rediagnoses.
    void addURLs(const PathList &urls);
    void rescanAll();
    void clear();

signals:
    void rootsChanged();
    void pendingArrivalChanged();

private:
    PathList pendingArrival_;
    PathList roots_;
};
