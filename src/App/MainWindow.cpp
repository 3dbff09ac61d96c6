#include "App/MainWindow.h"

#include "App/ContentView.h"
#include "App/HostWindow.h"
#include "App/WindowActivation.h"
#include "Core/Scheduler.h"
#include "Core/TabOpener.h"

#include <QUuid>

namespace MainWindow {

HostWindow *existingMainWindow()
{
    for (HostWindow *host : HostWindow::hosts())
        if (host->height() > 200)
            return host;
    return nullptr;
}

void show(std::optional<QUuid> session)
{
    if (session) {
        if (ContentView *content = HostWindow::contentFor(*session)) {
            if (auto *host = qobject_cast<HostWindow *>(content->window()); host && host->height() > 200) {
                host->bringForward(content);
                return;
            }
        }
    }
    if (HostWindow *host = existingMainWindow()) {
        WindowActivation::bringForward(*host);
        return;
    }
    Scheduler::main().after(400, [] {
        if (existingMainWindow())
            return;
        TabOpener::shared().openTab(QUuid::createUuid());
        Scheduler::main().after(600, [] {
            // The reopen request of a running application: it opens a main window.
            if (!existingMainWindow())
                HostWindow::openMainWindow();
        });
    });
}

} // namespace MainWindow
