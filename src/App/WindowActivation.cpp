#include "App/WindowActivation.h"

#include "App/X11Desktop.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QWidget>

#include <utility>

namespace {

class DesktopActivation : public WindowActivation {
public:
    void activate(QWidget &window, const Token &token) override
    {
        if (window.isMinimized())
            window.showNormal();
        window.show();
        window.raise();
        const bool wayland = QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
        if (wayland && !token.activationToken.isEmpty()) {
            // Qt's Wayland plugin presents this variable with the activation it asks for next.
            qputenv("XDG_ACTIVATION_TOKEN", token.activationToken.toUtf8());
            window.activateWindow();
            qunsetenv("XDG_ACTIVATION_TOKEN");
            return;
        }
        window.activateWindow();
        X11Desktop::activate(window, token.startupId.toUtf8());
    }
};

WindowActivation *&installed()
{
    static WindowActivation *activation = nullptr;
    return activation;
}

// A token handed over a while ago belongs to no window brought forward now: the one the request
// brings comes at once, or after the delays of opening one (1 second in all).
constexpr qint64 tokenLifetime = 3000;

struct Pending {
    WindowActivation::Token token;
    QElapsedTimer since;
};

Pending &pending()
{
    static Pending pending;
    return pending;
}

} // namespace

WindowActivation &WindowActivation::shared()
{
    static DesktopActivation desktop;
    return installed() ? *installed() : desktop;
}

void WindowActivation::install(WindowActivation *activation)
{
    installed() = activation;
}

void WindowActivation::setPendingToken(Token token)
{
    pending().token = std::move(token);
    pending().since.start();
}

void WindowActivation::bringForward(QWidget &window)
{
    // A token works once: the next window brought forward goes without it.
    Token token = std::exchange(pending().token, Token{});
    if (!pending().since.isValid() || pending().since.hasExpired(tokenLifetime))
        token = Token{};
    shared().activate(window, token);
}
