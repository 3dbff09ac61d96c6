#include "Core/DirectoryScan.h"
#include "Core/FilePath.h"
#include "Core/ScanSupport.h"
#include "Core/Text.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using TestSupport::TempDir;

TEST(DirectoryScan, ListsHiddenEntriesInCodePointOrder)
{
    TempDir dir;
    for (const char *name : {"a", "B", ".DS_Store", "._a", "c"})
        dir.file(name);
    dir.folder("sub");
    fs::create_symlink("nowhere", dir / "link");
    DirectoryScan scan;
    EXPECT_EQ(scan.list(dir.path()),
              (std::vector<std::string>{".DS_Store", "._a", "B", "a", "c", "link", "sub"}));
    EXPECT_EQ(scan.unreadableCount, 0);
}

TEST(DirectoryScan, EquivalentNfcAndNfdNamesKeepReadOrder)
{
    TempDir dir;
    const std::string nfc = "\xED\x95\x9C"; // 한
    const std::string nfd = Text::toNfd(nfc);
    dir.file(nfd);
    dir.file(nfc);
    dir.file("z");
    // readdir's order is the file system's; the listing must keep it for the two equal keys.
    std::vector<std::string> raw;
    for (const auto &e : fs::directory_iterator(dir.path()))
        if (e.path().filename() != "z")
            raw.push_back(e.path().filename().native());
    DirectoryScan scan;
    const auto names = scan.list(dir.path());
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[0], "z");
    EXPECT_EQ((std::vector<std::string>{names[1], names[2]}), raw);
}

TEST(DirectoryScan, MissingEmptyAndPlainFilesYieldNothingWithoutCounting)
{
    TempDir dir;
    const auto empty = dir.folder("empty");
    const auto file = dir.file("file");
    DirectoryScan scan;
    EXPECT_TRUE(scan.list(empty).empty());
    EXPECT_TRUE(scan.list(file).empty());
    EXPECT_TRUE(scan.list(dir / "missing").empty());
    EXPECT_EQ(scan.unreadableCount, 0);
}

TEST(DirectoryScan, UnreadableFolderIsCountedEachTime)
{
    TempDir dir;
    const auto locked = dir.folder("locked");
    dir.file("locked/inside");
    ASSERT_EQ(::chmod(locked.c_str(), 0), 0);
    const int result = TestSupport::runAsNobody([&] {
        DirectoryScan scan;
        const bool empty = scan.list(locked).empty() && scan.list(locked).empty();
        return empty ? int(scan.unreadableCount) : 100;
    });
    EXPECT_EQ(result, 2);
    ::chmod(locked.c_str(), 0755);
}

TEST(DirectoryScan, NameThatIsNotUtf8CanBeReopened)
{
    TempDir dir;
    const std::string cp949 = "\xC7\xD1\xB1\xDB.txt"; // 한글.txt in CP949
    dir.file(cp949, "data");
    DirectoryScan scan;
    const auto names = scan.list(dir.path());
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0], cp949);
    EXPECT_EQ(TestSupport::readBytes(dir.path() / names[0]), "data");
    EXPECT_EQ(Text::lossyUtf8(names[0]), QStringLiteral("\uFFFD\u0471\uFFFD.txt"));
}

TEST(ScanSupport, DroppedRootsAreResolvedOnceAndListedInPathOrder)
{
    TempDir dir;
    const fs::path real = dir.folder("real");
    const fs::path file = dir.file("b.txt");
    fs::create_directory_symlink("real", dir / "link");

    std::vector<fs::path> roots;
    EXPECT_TRUE(ScanSupport::addRoots(roots, {dir / "link", file}));
    EXPECT_EQ(roots, (std::vector<fs::path>{FilePath::realPathOrSame(real), FilePath::realPathOrSame(file)}));
    EXPECT_FALSE(ScanSupport::addRoots(roots, {real})); // the same folder by another way
    std::vector<fs::path> kept;
    EXPECT_TRUE(ScanSupport::addRoots(kept, {dir / "link"}, ScanSupport::standardized));
    EXPECT_EQ(kept.at(0).native(), (dir / "link").native());

    EXPECT_TRUE(ScanSupport::pathType(real).isDirectory);
    EXPECT_FALSE(ScanSupport::pathType(dir / "link").isDirectory); // a link is never a folder
    EXPECT_EQ(ScanSupport::pathType(dir / "missing").error, ENOENT);

    struct Row {
        fs::path url;
    };
    std::vector<Row> rows{{"stale"}};
    DirectoryScan scan;
    scan.unreadableCount = 2;
    const bool changed = ScanSupport::listRoots(rows, scan, {dir / "z", dir / "a"},
                                                [&](const fs::path &root) { rows.push_back({root}); });
    EXPECT_TRUE(changed);
    EXPECT_EQ(scan.unreadableCount, 0);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].url, dir / "a");
    EXPECT_EQ(rows[1].url, dir / "z");
}

TEST(ScanSupport, ForEachFileWalksFoldersButNotLinksAndCanPassHiddenEntriesOver)
{
    TempDir dir;
    dir.file("top/a", "12345");
    dir.file("top/.hidden/b");
    dir.file("top/.c");
    dir.file("top/sub/d");
    fs::create_directory_symlink("sub", dir / "top/link");
    for (const bool skipHidden : {false, true}) {
        DirectoryScan scan;
        auto walked = ScanSupport::WalkedSet::holdingRoots({dir / "top"});
        std::vector<std::pair<std::string, bool>> seen;
        ScanSupport::forEachFile(scan, dir / "top", skipHidden, walked,
                                 [&](const fs::path &file, bool inside) {
                                     seen.emplace_back(file.lexically_relative(dir.path()).native(), inside);
                                 });
        std::vector<std::pair<std::string, bool>> expected{
            {"top/a", true}, {"top/link", true}, {"top/sub/d", true}};
        if (!skipHidden)
            expected.insert(expected.begin(), {{"top/.c", true}, {"top/.hidden/b", true}});
        EXPECT_EQ(seen, expected) << skipHidden;
    }
    DirectoryScan scan;
    auto walked = ScanSupport::WalkedSet::holdingRoots({dir / "top/a"});
    std::vector<bool> given;
    ScanSupport::forEachFile(scan, dir / "top/a", true, walked,
                             [&](const fs::path &, bool inside) { given.push_back(inside); });
    EXPECT_EQ(given, std::vector<bool>{false}); // a file given by itself is not inside a folder

    // Two roots, one inside the other: each entry once, the inner root's as its own.
    const std::vector<fs::path> roots{dir / "top", dir / "top/sub"};
    auto both = ScanSupport::WalkedSet::holdingRoots(roots);
    std::vector<std::string> once;
    for (const auto &root : roots)
        ScanSupport::forEachFile(scan, root, true, both, [&](const fs::path &file, bool) {
            once.push_back(file.lexically_relative(dir.path()).native());
        });
    EXPECT_EQ(once, (std::vector<std::string>{"top/a", "top/link", "top/sub/d"}));
    EXPECT_EQ(ScanSupport::entrySize(dir / "top/a"), 5);
    EXPECT_EQ(ScanSupport::entrySize(dir / "missing"), 0);
}

TEST(ScanSupport, RowsAreSortedStablyByTheCodePointsOfTheirNfcPaths)
{
    const std::string nfc = "\xED\x95\x9C"; // 한
    const std::string nfd = Text::toNfd(nfc);
    // "-" and "." sort before "/", so a folder's entries need not follow it; the NFC and NFD
    // spellings of one path are equal and keep their order; bytes that are not UTF-8 sort as bytes.
    const std::vector<std::string> expected{"/r/a",      "/r/a-b",    "/r/a.txt",         "/r/a/x",
                                            "/r/" + nfd, "/r/" + nfc, "/r/" + nfc + "/y", "/r/" + nfd + "/z",
                                            "/r/\xff",   "/x",        "relative"};
    struct Row {
        std::string url;
    };
    std::vector<Row> rows;
    for (const std::size_t i : {10, 7, 3, 9, 4, 0, 6, 2, 8, 5, 1})
        rows.push_back({expected[i]});
    ScanSupport::sortByPath(rows, [](const Row &row) -> const std::string & { return row.url; });
    std::vector<std::string> sorted;
    for (const auto &row : rows)
        sorted.push_back(row.url);
    EXPECT_EQ(sorted, expected);
}
