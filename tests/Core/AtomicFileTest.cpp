#include "Core/AtomicFile.h"
#include "Core/FileError.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <string>

namespace fs = std::filesystem;
using TestSupport::TempDir;

namespace {

int errorOf(const std::function<void()> &step)
{
    try {
        step();
    } catch (const FileError &error) {
        return error.error();
    }
    return 0;
}

} // namespace

// Nothing is visible under the name until the commit, and a commit never replaces: a taken name
// leaves the file pending, so the caller can move it to another name.
TEST(AtomicFile, CommitsWholeAndNeverReplaces)
{
    TempDir dir;
    const fs::path taken = dir.file("out.txt", "the user's");
    {
        AtomicFile file = AtomicFile::beside(taken);
        file.write(std::string_view("new"));
        EXPECT_EQ(TestSupport::entriesBelow(dir.path()).size(), 2u); // out.txt and the hidden file
        EXPECT_FALSE(TestSupport::noPartialFiles(dir.path()));
        EXPECT_EQ(errorOf([&] { file.commit(); }), EEXIST);
        EXPECT_EQ(TestSupport::readBytes(taken), "the user's");
        EXPECT_EQ(file.commitFree(taken), dir / "out 2.txt");
    }
    EXPECT_EQ(TestSupport::readBytes(dir / "out 2.txt"), "new");
    EXPECT_EQ(TestSupport::entriesBelow(dir.path()), (std::set<std::string>{"out.txt", "out 2.txt"}));

    // Replacing is asked for by name, for a file the program made itself.
    AtomicFile again = AtomicFile::beside(dir / "out 2.txt");
    again.write(std::string_view("newer"));
    again.setPermissions(0600);
    again.commitReplacing();
    EXPECT_EQ(TestSupport::readBytes(dir / "out 2.txt"), "newer");
    struct stat st {};
    ASSERT_EQ(::stat((dir / "out 2.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
}

// A file that is never committed, or whose write fails, leaves nothing behind; a link standing at
// an in-place name is never written through.
TEST(AtomicFile, FailureAndAbandonmentLeaveNothing)
{
    TempDir dir;
    {
        AtomicFile abandoned = AtomicFile::beside(dir / "a.txt");
        abandoned.write(std::string_view("half"));
        AtomicFile inPlace = AtomicFile::inPlace(dir / "b.txt");
        inPlace.write(std::string_view("half"));
    }
    EXPECT_TRUE(TestSupport::entriesBelow(dir.path()).empty());

    const fs::path elsewhere = dir.file("elsewhere.txt", "keep");
    fs::create_symlink(elsewhere, dir / "link.txt");
    EXPECT_EQ(errorOf([&] { AtomicFile::inPlace(dir / "link.txt"); }), EEXIST);
    EXPECT_EQ(TestSupport::readBytes(elsewhere), "keep");

    const TestSupport::SmallDisk disk(dir / "disk", "64k");
    if (!disk.mounted())
        GTEST_SKIP() << "mounting a small tmpfs needs root";
    try {
        AtomicFile full = AtomicFile::beside(dir / "disk/big.bin");
        full.write(std::string(1 << 20, 'x'));
        ADD_FAILURE() << "a full disk went unnoticed";
    } catch (const FileError &error) {
        EXPECT_EQ(error.error(), ENOSPC);
        EXPECT_EQ(error.description().toStdString(),
                  "파일 처리 중 오류가 발생했습니다. (쓰기 실패: " + (dir / "disk/big.bin").native() + ")");
    }
    EXPECT_TRUE(TestSupport::entriesBelow(dir / "disk").empty());
}

// A folder the user may not write fails at the start, naming the file that was asked for.
TEST(AtomicFile, UnwritableFolderFailsAtOnce)
{
    TempDir dir;
    const fs::path folder = dir.folder("ro");
    ::chmod(folder.c_str(), 0555);
    const std::string text = TestSupport::runAsNobodyCapture([&] {
        try {
            AtomicFile::beside(folder / "x.txt");
            return std::string("created");
        } catch (const FileError &error) {
            return error.detail().toStdString();
        }
    });
    ::chmod(folder.c_str(), 0755);
    EXPECT_EQ(text, "쓰기 실패: " + (folder / "x.txt").native());
    EXPECT_TRUE(fs::is_empty(folder));
}
