#include "App/AppLaunch.h"

#include <QApplication>

#include <clocale>
#include <cstring>
#include <langinfo.h>
#include <string>
#include <vector>

int main(int argc, char **argv)
{
    // libarchive's writers and iconv need a UTF-8 character type.
    if (std::setlocale(LC_ALL, "") == nullptr || std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0)
        std::setlocale(LC_ALL, "C.UTF-8");

    const std::optional<QString> socketPath = SingleInstance::defaultSocketPath();
    {
        // Handing over to a running instance needs no display, so no GUI application yet.
        QCoreApplication core(argc, argv);
        if (const auto exitCode =
                AppLaunch::handOver(std::vector<std::string>(argv, argv + argc), socketPath))
            return *exitCode;
    }

    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Quillfern"));
    QCoreApplication::setApplicationName(QStringLiteral("Quillfern"));

    // The arguments as bytes (Qt has taken out its own options): file names need not be UTF-8.
    std::vector<std::string> arguments(argv, argv + argc);
    return AppLaunch::run(arguments, socketPath);
}
