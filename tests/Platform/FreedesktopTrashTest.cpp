#include "Platform/FreedesktopTrash.h"

#include "Core/Text.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QString>

#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using TestSupport::TempDir;

namespace {

std::string infoOf(const fs::path &trashed)
{
    return TestSupport::readBytes(trashed.parent_path().parent_path() / "info" /
                                  (trashed.filename().native() + ".trashinfo"));
}

dev_t deviceOf(const fs::path &path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_dev : 0;
}

} // namespace

TEST(FreedesktopTrash, MovesIntoHomeTrashWithEscapedOriginalPath)
{
    TempDir dir;
    // A Korean name with a space, and a name whose bytes are not UTF-8 (CP949 of 한).
    const fs::path korean = dir.file("사진 1.jpg", "abc");
    const fs::path raw = dir.file("\xc7\xd1.txt", "raw");

    FreedesktopTrash trash;
    const fs::path home = FreedesktopTrash::homeTrash();
    EXPECT_EQ(home, fs::path(std::getenv("XDG_DATA_HOME")) / "Trash");

    const fs::path trashedKorean = trash.moveToTrash(korean);
    EXPECT_EQ(trashedKorean, home / "files" / "사진 1.jpg");
    EXPECT_FALSE(fs::exists(korean));
    EXPECT_EQ(TestSupport::readBytes(trashedKorean), "abc");
    const std::string info = infoOf(trashedKorean);
    EXPECT_EQ(info.rfind("[Trash Info]\nPath=", 0), 0u) << info;
    EXPECT_NE(info.find("%EC%82%AC%EC%A7%84%201.jpg\n"), std::string::npos) << info;
    EXPECT_NE(info.find("\nDeletionDate=20"), std::string::npos) << info;

    const fs::path trashedRaw = trash.moveToTrash(raw);
    EXPECT_EQ(trashedRaw.filename().native(), "\xc7\xd1.txt");
    EXPECT_NE(infoOf(trashedRaw).find("/%C7%D1.txt\n"), std::string::npos);

    if (TestSupport::haveProgram(QStringLiteral("trash-list"))) {
        const auto listed = TestSupport::run(QStringLiteral("trash-list"), {});
        EXPECT_NE(listed.out.find(korean.native()), std::string::npos) << listed.out << listed.err;
    }
}

TEST(FreedesktopTrash, SameNameTwiceGetsNumberedAndNothingIsReplaced)
{
    TempDir dir;
    FreedesktopTrash trash;
    const fs::path first = trash.moveToTrash(dir.file("a/.DS_Store", "one"));
    const fs::path second = trash.moveToTrash(dir.file("b/.DS_Store", "two"));
    const fs::path third = trash.moveToTrash(dir.file("c/photo.jpg", "three"));
    const fs::path fourth = trash.moveToTrash(dir.file("d/photo.jpg", "four"));
    EXPECT_EQ(first.filename(), ".DS_Store");
    EXPECT_EQ(second.filename(), ".DS_Store 2");
    EXPECT_EQ(third.filename(), "photo.jpg");
    EXPECT_EQ(fourth.filename(), "photo 2.jpg");
    EXPECT_EQ(TestSupport::readBytes(first), "one");
    EXPECT_EQ(TestSupport::readBytes(second), "two");
    EXPECT_EQ(TestSupport::readBytes(fourth), "four");
    EXPECT_NE(infoOf(second).find((dir / "b/.DS_Store").native()), std::string::npos);
}

TEST(FreedesktopTrash, LongestNameIsShortenedInTheTrashOnly)
{
    TempDir dir;
    // 255 bytes, the longest name there is; the shortening must not end inside a character.
    const std::string name = std::string(239, 'a') + "한한한한.txt";
    const fs::path item = dir.file(name, "long");
    FreedesktopTrash trash;
    const fs::path trashed = trash.moveToTrash(item);
    ASSERT_EQ(name.size(), 255u);
    EXPECT_LE(trashed.filename().native().size() + std::string(".trashinfo").size(), 255u);
    EXPECT_TRUE(Text::isValidUtf8(trashed.filename().native()));
    EXPECT_NE(infoOf(trashed).find(std::string(239, 'a') + "%ED%95%9C%ED%95%9C%ED%95%9C%ED%95%9C.txt\n"),
              std::string::npos);
    trash.restore(trashed, item);
    EXPECT_EQ(TestSupport::readBytes(item), "long");
}

TEST(FreedesktopTrash, RestorePutsBackAndNeverReplaces)
{
    TempDir dir;
    FreedesktopTrash trash;
    const fs::path original = dir.file("folder/inner.txt", "inner");
    const fs::path folder = original.parent_path();
    const fs::path trashed = trash.moveToTrash(folder);
    EXPECT_FALSE(fs::exists(folder));

    // Something new took the name meanwhile: the restore fails and both stay.
    dir.folder("folder");
    try {
        trash.restore(trashed, folder);
        ADD_FAILURE() << "restore replaced an existing entry";
    } catch (const Trash::Error &error) {
        EXPECT_TRUE(error.description().contains(QStringLiteral("File exists")))
            << error.description().toStdString();
    }
    EXPECT_TRUE(fs::exists(trashed / "inner.txt"));

    fs::remove(folder);
    trash.restore(trashed, folder);
    EXPECT_EQ(TestSupport::readBytes(original), "inner");
    EXPECT_FALSE(fs::exists(trashed));
    EXPECT_FALSE(fs::exists(trashed.parent_path().parent_path() / "info" / "folder.trashinfo"));
}

TEST(FreedesktopTrash, MissingItemFailsWithSystemText)
{
    TempDir dir;
    FreedesktopTrash trash;
    try {
        trash.moveToTrash(dir / "nothing-here");
        ADD_FAILURE() << "no error";
    } catch (const Trash::Error &error) {
        EXPECT_TRUE(error.description().contains(QStringLiteral("nothing-here")));
        EXPECT_TRUE(error.description().contains(QStringLiteral("No such file or directory")));
    }
    // No reservation is left behind.
    const fs::path info = FreedesktopTrash::homeTrash() / "info" / "nothing-here.trashinfo";
    EXPECT_FALSE(fs::exists(info));
}

TEST(FreedesktopTrash, ItemOnAnotherDeviceGoesToThatVolumesTrash)
{
    const fs::path top = "/dev/shm";
    if (::access(top.c_str(), W_OK) != 0 ||
        deviceOf(top) == deviceOf(FreedesktopTrash::homeTrash().parent_path()))
        GTEST_SKIP() << "no writable second file system";
    const std::string uid = std::to_string(::getuid());
    const fs::path shared = top / ".Trash";
    const fs::path own = top / (".Trash-" + uid);
    if (fs::exists(fs::symlink_status(shared)) || fs::exists(fs::symlink_status(own)))
        GTEST_SKIP() << "the second file system already has a trash";

    enum class Shared { none, sticky, notSticky, link };
    const struct {
        Shared shared;
        fs::path expected;
    } cases[] = {
        {Shared::none, own / "files"},
        {Shared::sticky, shared / uid / "files"},
        {Shared::notSticky, own / "files"}, // anybody could have planted it
        {Shared::link, own / "files"},
    };
    const fs::path sticky = top / ("quillfern-sticky-" + std::to_string(::getpid()));
    const fs::path item = top / ("quillfern-trash-test-" + std::to_string(::getpid()));
    // Leaves the second file system as it was, also when a check fails.
    struct Cleanup {
        std::vector<fs::path> paths;
        ~Cleanup()
        {
            for (const auto &path : paths)
                TestSupport::removeTree(path);
        }
    };
    for (const auto &c : cases) {
        const Cleanup cleanup{{item, shared, own, sticky}};
        if (c.shared == Shared::sticky || c.shared == Shared::notSticky) {
            fs::create_directory(shared);
            ::chmod(shared.c_str(), c.shared == Shared::sticky ? 01777 : 0777);
        } else if (c.shared == Shared::link) {
            fs::create_directory(sticky);
            ::chmod(sticky.c_str(), 01777);
            fs::create_directory_symlink(sticky, shared);
        }
        TestSupport::writeBytes(item, "x");

        FreedesktopTrash trash;
        const fs::path trashed = trash.moveToTrash(item);
        EXPECT_EQ(trashed.parent_path(), c.expected);
        EXPECT_FALSE(fs::exists(item));
        // On a volume the recorded path is relative to the volume's top folder.
        EXPECT_NE(infoOf(trashed).find("\nPath=" + item.filename().native() + "\n"), std::string::npos)
            << infoOf(trashed);
        struct stat st {};
        ASSERT_EQ(::lstat(c.expected.parent_path().c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u);

        trash.restore(trashed, item);
        EXPECT_EQ(TestSupport::readBytes(item), "x");
    }
}

TEST(FreedesktopTrash, UnprivilegedUserCannotTrashWhatItCannotMove)
{
    TempDir dir;
    const fs::path item = dir.file("locked/.DS_Store", "x");
    ASSERT_EQ(::chmod(item.parent_path().c_str(), 0555), 0);
    // A data folder the unprivileged user owns, so only the move itself can be refused.
    const fs::path ownData = dir.folder("own-data");
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(ownData.c_str(), 65534, 65534), 0);
    }
    const std::string savedDataHome = std::getenv("XDG_DATA_HOME");
    const std::string text = TestSupport::runAsNobodyCapture([&] {
        ::setenv("XDG_DATA_HOME", ownData.c_str(), 1);
        std::string result = "moved";
        try {
            FreedesktopTrash().moveToTrash(item);
        } catch (const Trash::Error &error) {
            result = error.description().toStdString();
        }
        ::setenv("XDG_DATA_HOME", savedDataHome.c_str(), 1);
        return result;
    });
    EXPECT_NE(text.find("Permission denied"), std::string::npos) << text;
    EXPECT_TRUE(fs::exists(item));
    EXPECT_FALSE(fs::exists(ownData / "Trash/info/.DS_Store.trashinfo"));
}

TEST(FreedesktopTrash, InstalledTrashReplacesTheShared)
{
    struct Fake : Trash {
        fs::path moveToTrash(const fs::path &item) override { return "/fake" / item.filename(); }
        void restore(const fs::path &, const fs::path &) override {}
    } fake;
    EXPECT_NE(dynamic_cast<FreedesktopTrash *>(&Trash::shared()), nullptr);
    Trash::install(&fake);
    EXPECT_EQ(&Trash::shared(), &fake);
    Trash::install(nullptr);
    EXPECT_NE(dynamic_cast<FreedesktopTrash *>(&Trash::shared()), nullptr);
}
