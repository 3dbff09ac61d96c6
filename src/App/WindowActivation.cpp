#include "App/WindowActivation.h"

#include "App/X11Desktop.h"

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

WindowActivation::Token &pending()
{
    static WindowActivation::Token token;
    return token;
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
    pending() = std::move(token);
}

void WindowActivation::bringForward(QWidget &window)
{
    // A token works once: the next window brought forward goes without it.
    shared().activate(window, std::exchange(pending(), Token{}));
}
