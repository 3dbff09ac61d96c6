#pragma once

#include <QUuid>

#include <functional>

// The one action that opens a new main-window tab for a session. Window content installs it
// when shown; until one is installed it does nothing. The last installed action wins.
class TabOpener {
public:
    static TabOpener &shared();

    void openTab(const QUuid &session) const;
    void setOpenTab(std::function<void(const QUuid &)> action);

private:
    std::function<void(const QUuid &)> openTab_;
};
