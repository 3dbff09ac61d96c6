#pragma once

#include <QString>

#include <optional>

// Writing the Exec key of freedesktop desktop entries (the application's entry, autostart, the
// file-manager actions), by the Desktop Entry specification's rules for it.
namespace DesktopEntry {

// Why the program cannot be named in a desktop file, if it cannot: a line break or another
// control character has no place in any of the files that start it.
std::optional<QString> refusal(const QString &program);

// One Exec argument as the file holds it: as it is when it holds no reserved character, else in
// double quotes with '"', '`', '$' and '\' backslash-escaped; then the key file's own string
// escapes (each backslash doubled, a tab as \t) and '%' doubled, so it never reads as a field
// code. Read back, the key file gives the quoted argument and the quoting gives the argument.
QString execArgument(const QString &argument);

// The start of an Exec value that runs the program, for a program that refusal() accepts. GIO
// looks the program up before it expands "%%", so a path holding '%' is run by the shell, which
// GIO finds on the PATH.
QString execProgram(const QString &program);

} // namespace DesktopEntry
