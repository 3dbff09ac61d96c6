// The desktop entry and the file managers' actions, as the project installs them.
#include "Platform/FileManagerActions.h"
#include "support/TestSupport.h"

#include <QStandardPaths>

#include <string>
#include <vector>

#include <gtest/gtest.h>

using TestSupport::TempDir;

TEST(DesktopFiles, InstalledEntryIsValidAndClaimsTheSchemeAndTheActionsAreFound)
{
    TempDir prefix;
    // Only the data folder's install rules, into a private prefix.
    const auto installed = TestSupport::run(
        QStringLiteral("cmake"),
        {QStringLiteral("-DCMAKE_INSTALL_PREFIX=") + QString::fromStdString(prefix.path().native()),
         QStringLiteral("-P"), QStringLiteral(QUILLFERN_DATA_BUILD_DIR "/cmake_install.cmake")});
    ASSERT_EQ(installed.exitCode, 0) << installed.err;
    const auto share = prefix / "share";
    const auto entry = share / "applications/quillfern.desktop";
    ASSERT_TRUE(std::filesystem::exists(entry));
    EXPECT_TRUE(std::filesystem::exists(share / "icons/hicolor/scalable/apps/quillfern.svg"));

    if (TestSupport::haveProgram(QStringLiteral("desktop-file-validate"))) {
        const auto check = TestSupport::run(QStringLiteral("desktop-file-validate"),
                                            {QString::fromStdString(entry.native())});
        EXPECT_EQ(check.exitCode, 0) << check.out << check.err;
        EXPECT_EQ(check.out, "") << "warnings or hints";
    } else {
        ADD_FAILURE() << "desktop-file-validate is missing (desktop-file-utils)";
    }
    const std::string text = TestSupport::readBytes(entry);
    // The scheme only: files reach the program through the right-click actions, so installing it
    // never changes which program opens a file (an archive included).
    std::vector<std::string> mimeLines;
    for (std::size_t at = text.find("\nMimeType"); at != std::string::npos;
         at = text.find("\nMimeType", at + 1))
        mimeLines.push_back(text.substr(at + 1, text.find('\n', at + 1) - at - 1));
    EXPECT_EQ(mimeLines, std::vector<std::string>{"MimeType=x-scheme-handler/quillfern;"}) << text;
    EXPECT_NE(text.find("/bin/quillfern %U\n"), std::string::npos);

    // Each right-click action starts the installed program with the service request.
    for (const QString &relative : FileManagerActions::relativePaths()) {
        const auto action = share / relative.toStdString();
        ASSERT_TRUE(std::filesystem::exists(action)) << relative.toStdString();
        const std::string body = TestSupport::readBytes(action);
        EXPECT_NE(body.find((prefix / "bin/quillfern").native()), std::string::npos)
            << relative.toStdString();
        EXPECT_NE(body.find("--service"), std::string::npos) << relative.toStdString();
    }

    // Installed system-wide, they count as on; and so do the user's own copies.
    EXPECT_FALSE(FileManagerActions::isInstalled());
    qputenv("XDG_DATA_DIRS", QByteArray::fromStdString(share.native()));
    EXPECT_TRUE(FileManagerActions::isInstalled());
    EXPECT_FALSE(FileManagerActions::isInstalledForUser());
    qunsetenv("XDG_DATA_DIRS");
    FileManagerActions::installForUser(QStringLiteral("/usr/bin/quillfern"));
    EXPECT_TRUE(FileManagerActions::isInstalled());
    EXPECT_TRUE(FileManagerActions::isInstalledForUser());
    FileManagerActions::removeForUser();
    EXPECT_FALSE(FileManagerActions::isInstalled());
}
