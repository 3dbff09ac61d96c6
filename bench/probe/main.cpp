#include "Probe.h"

#include <QCoreApplication>

#include <clocale>
#include <cstdio>
#include <cstring>
#include <langinfo.h>

namespace Probe {

std::map<std::string, Command> &commands()
{
    static std::map<std::string, Command> all;
    return all;
}

int fail(const std::string &message)
{
    std::fprintf(stderr, "%s\n", message.c_str());
    return 1;
}

} // namespace Probe

int main(int argc, char **argv)
{
    if (std::setlocale(LC_ALL, "") == nullptr || std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0)
        std::setlocale(LC_ALL, "C.UTF-8");
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Quillfern"));
    QCoreApplication::setApplicationName(QStringLiteral("Quillfern"));

    const auto &commands = Probe::commands();
    if (argc < 2 || commands.count(argv[1]) == 0) {
        std::fprintf(stderr, "usage: quillfern-probe COMMAND ...\n");
        for (const auto &[name, command] : commands)
            std::fprintf(stderr, "  %s %s\n", name.c_str(), command.usage.c_str());
        return 2;
    }
    std::vector<std::string> arguments(argv + 2, argv + argc);
    return commands.at(argv[1]).run(arguments);
}
