#pragma once

#include <QIcon>

// The program's own icon, the installed quillfern.svg built in: a white hammer on a blue tile,
// which reads on dark and light panels alike. The tray and every window show it.
namespace AppIcon {

QIcon icon();

} // namespace AppIcon
