// The one main of every test executable: a UTF-8 locale, a Qt application, and a fresh HOME and
// XDG folders per process, so no test touches a real user's settings, autostart folder or Trash.
#include "support/TestSupport.h"

#include <QApplication>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <langinfo.h>
#include <sys/stat.h>

namespace TestSupport {
void setProcessRoot(const std::filesystem::path &root);
}

namespace {

void useUtf8Locale()
{
    if (std::setlocale(LC_ALL, "") == nullptr || std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0)
        std::setlocale(LC_ALL, "C.UTF-8");
}

std::filesystem::path makeProcessRoot()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "quillfern-test-XXXXXX").native();
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::perror("mkdtemp");
        std::exit(2);
    }
    const std::filesystem::path root = pattern;
    ::chmod(root.c_str(), 0755);
    const struct {
        const char *variable;
        const char *folder;
        mode_t mode;
    } folders[] = {
        {"HOME", "home", 0755},
        {"XDG_CONFIG_HOME", "config", 0755},
        {"XDG_DATA_HOME", "data", 0755},
        {"XDG_CACHE_HOME", "cache", 0755},
        {"XDG_RUNTIME_DIR", "runtime", 0700},
    };
    for (const auto &f : folders) {
        const auto path = root / f.folder;
        std::filesystem::create_directories(path);
        ::chmod(path.c_str(), f.mode);
        ::setenv(f.variable, path.c_str(), 1);
    }
    ::unsetenv("XDG_CONFIG_DIRS");
    ::unsetenv("DBUS_SESSION_BUS_ADDRESS");
    ::setenv("TMPDIR", root.c_str(), 1);
    return root;
}

} // namespace

int main(int argc, char **argv)
{
    useUtf8Locale();
    const auto root = makeProcessRoot();
    TestSupport::setProcessRoot(root);
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);

    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Quillfern"));
    QCoreApplication::setApplicationName(QStringLiteral("Quillfern"));
    testing::InitGoogleMock(&argc, argv);
    const int result = RUN_ALL_TESTS();
    TestSupport::removeTree(root);
    return result;
}
