#include "LibArchiveTesting.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace LibArchiveTesting {

const fs::path &fixtures()
{
    // Never freed: the test main removes the whole process folder at exit.
    static const TestSupport::TempDir *dir = [] {
        auto *made = new TestSupport::TempDir;
        const auto result =
            TestSupport::run(QStringLiteral("bash"), {QStringLiteral(FIXTURE_SCRIPT), q(made->path())});
        if (result.exitCode != 0)
            ADD_FAILURE() << "make-fixtures.sh failed: " << result.err;
        return made;
    }();
    return dir->path();
}

TestSupport::ProcessResult peer(const QStringList &arguments)
{
    return TestSupport::run(QStringLiteral("env"), QStringList{QStringLiteral("LC_ALL=C.UTF-8")} + arguments);
}

std::map<std::string, std::string> filesBelow(const fs::path &root)
{
    std::map<std::string, std::string> files;
    for (const auto &entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_symlink() && entry.is_regular_file())
            files[fs::relative(entry.path(), root).native()] = TestSupport::readBytes(entry.path());
    }
    return files;
}

} // namespace LibArchiveTesting
