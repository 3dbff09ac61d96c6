#pragma once

#include <QString>

class QWidget;

// The one way the program brings a top-level window to the user: restored when minimised, shown,
// raised and activated. A later launch hands over the token its desktop gave it, so that the
// window manager lets the running instance take the focus: Wayland's XDG_ACTIVATION_TOKEN, X11's
// DESKTOP_STARTUP_ID. The next window brought forward uses it. Tests install a stand-in.
class WindowActivation {
public:
    struct Token {
        QString activationToken; // Wayland
        QString startupId;       // X11

        bool operator==(const Token &) const = default;
    };

    virtual ~WindowActivation() = default;
    virtual void activate(QWidget &window, const Token &token) = 0;

    static WindowActivation &shared();
    static void install(WindowActivation *activation); // nullptr restores the desktop's own

    // The launch's token, for the next window brought forward within a few seconds.
    static void setPendingToken(Token token);
    // Brings the window forward through the installed activation, with the pending token.
    static void bringForward(QWidget &window);
};
