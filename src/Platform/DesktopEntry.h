#pragma once

#include <QString>

// Writing the Exec key of freedesktop desktop entries (autostart, file-manager actions).
namespace DesktopEntry {

// One Exec argument: as it is when it holds no reserved character, else in double quotes with
// '"', '`', '$' and '\' escaped; '%' is doubled either way, so it never reads as a field code.
QString execArgument(const QString &argument);

} // namespace DesktopEntry
