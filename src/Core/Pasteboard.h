#pragma once

#include <QString>

// The MIME types of the data that carries files: drops, the clipboard and service requests.
namespace Pasteboard {

// File URLs, one a line; a local file's URL percent-encodes the raw bytes of its path.
inline const QString urlList = QStringLiteral("text/uri-list");
inline const QString text = QStringLiteral("text/plain");
// The file managers' list of copied files: "copy", then one URL a line.
inline const QString gnomeCopiedFiles = QStringLiteral("x-special/gnome-copied-files");
// The legacy list of file names: each raw path followed by a NUL byte.
inline const QString fileNames = QStringLiteral("NSFilenamesPboardType");

} // namespace Pasteboard
