// libFuzzer target: any program path is either refused (a control character that no desktop file
// can hold) or written into an Exec key that GLib's key-file and command-line parsers, as the
// desktops use them, read back to the program and its arguments exactly.
#include <glib.h>

#include "Platform/DesktopEntry.h"

#include <QStringList>

#include <cstdint>
#include <optional>

namespace {

// The command line of an Exec value as GLib reads it, "%%" put back to '%'; nothing when it fails.
std::optional<QStringList> readBack(const QString &exec)
{
    const QByteArray file = "[Desktop Entry]\nExec=" + exec.toUtf8() + "\n";
    g_autoptr(GKeyFile) keys = g_key_file_new();
    if (!g_key_file_load_from_data(keys, file.constData(), gsize(file.size()), G_KEY_FILE_NONE, nullptr))
        return std::nullopt;
    g_autofree char *value = g_key_file_get_string(keys, "Desktop Entry", "Exec", nullptr);
    g_auto(GStrv) argv = nullptr;
    if (!value || !g_shell_parse_argv(value, nullptr, &argv, nullptr))
        return std::nullopt;
    QStringList out;
    for (char **arg = argv; *arg; ++arg)
        out << QString::fromUtf8(*arg).replace(QStringLiteral("%%"), QStringLiteral("%"));
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString program = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    bool control = false;
    for (QChar c : program)
        control = control || (c.unicode() < 0x20 && c != QLatin1Char('\t')) || c.unicode() == 0x7F;
    if (DesktopEntry::refusal(program).has_value() != control)
        __builtin_trap();
    if (control)
        return 0;

    const auto argv =
        readBack(DesktopEntry::execProgram(program) + QLatin1Char(' ') + DesktopEntry::execArgument(program));
    if (!argv)
        __builtin_trap();
    // A program holding '%' runs through the shell, which GIO finds by name.
    const QStringList expected = program.contains(QLatin1Char('%'))
                                     ? QStringList{QStringLiteral("sh"), QStringLiteral("-c"),
                                                   QStringLiteral("exec \"$0\" \"$@\""), program, program}
                                     : QStringList{program, program};
    if (*argv != expected)
        __builtin_trap();
    return 0;
}
