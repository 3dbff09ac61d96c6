// Paths longer than PATH_MAX: reached through descriptors, component by component.
#include "Core/LongPath.h"
#include "Core/DirectoryScan.h"
#include "Core/FilePath.h"
#include "Core/FreeName.h"
#include "Core/RenameNoReplace.h"
#include "Core/ScanSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using TestSupport::TempDir;

namespace {

int openDescriptors()
{
    int count = 0;
    for ([[maybe_unused]] const auto &entry : fs::directory_iterator("/proc/self/fd"))
        ++count;
    return count;
}

} // namespace

TEST(LongPath, FileCallsReachEntriesPastPathMax)
{
    TempDir dir;
    const fs::path deep = TestSupport::deepFolders(dir.path(), 24);
    ASSERT_GT(deep.native().size(), std::size_t(PATH_MAX));
    TestSupport::writeBytes(deep / "a.txt", "deep");
    struct stat st {};
    ASSERT_NE(::lstat((deep / "a.txt").c_str(), &st), 0); // what the kernel makes of the path itself
    EXPECT_EQ(errno, ENAMETOOLONG);

    ASSERT_EQ(LongPath::lstat(deep / "a.txt", st), 0);
    EXPECT_EQ(st.st_size, 4);
    EXPECT_EQ(LongPath::stat(deep, st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    const int fd = LongPath::open(deep / "a.txt", O_RDONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    char bytes[8] = {};
    EXPECT_EQ(::read(fd, bytes, sizeof bytes), 4);
    ::close(fd);
    EXPECT_EQ(std::string(bytes), "deep");

    EXPECT_EQ(renameNoReplace(deep / "a.txt", deep / "b.txt"), 0);
    TestSupport::writeBytes(deep / "a.txt", "new");
    EXPECT_EQ(renameNoReplace(deep / "a.txt", deep / "b.txt"), EEXIST);
    EXPECT_EQ(TestSupport::readBytes(deep / "b.txt"), "deep");
    // Across folders, from the deep one up to the top and back.
    EXPECT_EQ(renameNoReplace(deep / "a.txt", dir / "up.txt"), 0);
    EXPECT_EQ(renameNoReplace(dir / "up.txt", deep / "a.txt"), 0);

    DirectoryScan scan;
    EXPECT_EQ(scan.list(deep), (std::vector<std::string>{"a.txt", "b.txt"}));
    EXPECT_TRUE(ScanSupport::pathType(deep).isDirectory);
    EXPECT_EQ(ScanSupport::entrySize(deep / "b.txt"), 4);
    EXPECT_TRUE(FilePath::exists(deep / "b.txt"));
    EXPECT_EQ(freeName(deep / "b.txt"), std::optional<fs::path>(deep / "b 2.txt"));

    // A missing folder on the way is reported as such.
    const fs::path elsewhere = dir / "missing" / deep.lexically_relative(dir.path()) / "a.txt";
    EXPECT_EQ(LongPath::lstat(elsewhere, st), ENOENT);
    EXPECT_EQ(renameNoReplace(elsewhere, deep / "c.txt"), ENOENT);
    EXPECT_TRUE(scan.list(elsewhere.parent_path()).empty());
    EXPECT_EQ(scan.unreadableCount, 0);
}

TEST(LongPath, WalksReachEveryEntryOfATreeDeeperThanPathMaxWithFewDescriptors)
{
    TempDir dir;
    // 150 levels of 30-byte names: far past PATH_MAX, and deeper than a walk keeps descriptors for.
    const fs::path deep = TestSupport::deepFolders(dir / "top", 150, 30);
    ASSERT_GT(deep.native().size(), std::size_t(PATH_MAX));
    for (fs::path folder = deep; folder != dir.path(); folder = folder.parent_path())
        TestSupport::writeBytes(folder / "f.txt", "x");
    const auto expected = TestSupport::entriesBelow(dir / "top");

    DirectoryScan scan;
    std::set<std::string> walked;
    int deepestDepth = 0;
    int descriptorsAtTop = 0;
    int descriptorsAtBottom = 0;
    ScanSupport::walkBelow(scan, (dir / "top").native(), [&](const ScanSupport::WalkEntry &entry) {
        walked.insert(entry.path.substr((dir / "top").native().size() + 1));
        if (entry.depth == 1)
            descriptorsAtTop = openDescriptors();
        if (entry.depth > deepestDepth) {
            deepestDepth = entry.depth;
            descriptorsAtBottom = openDescriptors();
        }
        return entry.type().isDirectory;
    });
    EXPECT_EQ(walked, expected);
    EXPECT_EQ(deepestDepth, 151);
    EXPECT_LT(descriptorsAtBottom - descriptorsAtTop, 80);
    EXPECT_EQ(scan.unreadableCount, 0);

    // The walk of the file tools offers every file once, the deepest included.
    auto once = ScanSupport::WalkedSet::holdingRoots({dir / "top"});
    int files = 0;
    bool sawDeepest = false;
    ScanSupport::forEachFile(scan, dir / "top", true, once, [&](const fs::path &file, bool inside) {
        EXPECT_TRUE(inside);
        ++files;
        sawDeepest |= file == deep / "f.txt";
    });
    EXPECT_EQ(files, 151);
    EXPECT_TRUE(sawDeepest);
}
