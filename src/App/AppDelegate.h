#pragma once

#include "Core/Router.h"

#include <QJsonObject>
#include <QObject>

#include <memory>
#include <string>
#include <vector>

class ServiceProvider;

// The application's delegate: the launch steps, the roads by which files come in from outside
// (launch arguments and "quillfern:" URLs, the file managers' right-click action, a reopen),
// and the requests later launches hand over to this instance.
class AppDelegate : public QObject {
    Q_OBJECT

public:
    AppDelegate();
    ~AppDelegate() override;

    ServiceProvider &serviceProvider() const { return *serviceProvider_; }

    // Registers the login item once, and for a launch at login closes the main windows right
    // after the current step, leaving only the tray item. Without a tray the window stays, so
    // the user is never left with nothing to click.
    void applicationDidFinishLaunching(bool launchedAsLoginItem, bool hasTray);
    // What a launch at login leaves: the main windows close, the tray item stays.
    static void keepOnlyTheTray();

    // Documents and URLs opened with the application: each URL's files, joined in order, go to
    // a tab's send checkup and that tab comes forward. URLs yielding no file change nothing.
    void open(const std::vector<std::string> &urls);

    // A launch without files while running: a main window comes forward (one opens when none is
    // there).
    void reopen();

    // The "+" of the tab bar: a new tab with a fresh session.
    void newWindowForTab();

    // Whether a request another launch handed over can be taken; the answer holds "ok" and, on
    // failure, "error". Touches no widget, so it may run on any thread.
    static QJsonObject check(const QJsonObject &request);

    // Carries out a request; the answer is check()'s.
    QJsonObject handle(const QJsonObject &request);

    // The end of every road that yields files: the tab that is to receive them comes forward,
    // then the router's checkup.
    static void deliver(const PathList &files);

private:
    std::unique_ptr<ServiceProvider> serviceProvider_;
};
