#include "Probe.h"

#include <QApplication>
#include <QCoreApplication>

#include <clocale>
#include <cstdio>
#include <cstring>
#include <langinfo.h>
#include <memory>

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
    const auto &commands = Probe::commands();
    if (argc < 2 || commands.count(argv[1]) == 0) {
        std::fprintf(stderr, "usage: quillfern-probe COMMAND ...\n");
        for (const auto &[name, command] : commands)
            std::fprintf(stderr, "  %s %s\n", name.c_str(), command.usage.c_str());
        return 2;
    }
    std::unique_ptr<QCoreApplication> app;
    if (commands.at(argv[1]).needs == Probe::Needs::widgets) {
        // Pages are shown offscreen: the probe needs no display.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setOrganizationName(QStringLiteral("Quillfern"));
    QCoreApplication::setApplicationName(QStringLiteral("Quillfern"));

    std::vector<std::string> arguments(argv + 2, argv + argc);
    return commands.at(argv[1]).run(arguments);
}
