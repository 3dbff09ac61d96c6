#include "Core/TabOpener.h"

TabOpener &TabOpener::shared()
{
    static TabOpener opener;
    return opener;
}

void TabOpener::openTab(const QUuid &session) const
{
    if (openTab_)
        openTab_(session);
}

void TabOpener::setOpenTab(std::function<void(const QUuid &)> action)
{
    openTab_ = std::move(action);
}
