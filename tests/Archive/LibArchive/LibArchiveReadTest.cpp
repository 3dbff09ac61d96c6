#include "LibArchiveTesting.h"

#include "Core/FreeName.h"
#include "Core/Text.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <unistd.h>

using namespace LibArchiveTesting;
using Error = LibArchive::ArchiveError;
using Kind = Error::Kind;
using Item = LibArchive::Item;
namespace fs = std::filesystem;

namespace {

int extractAll(const fs::path &archive, const fs::path &to, bool skipJunk = false,
               const std::optional<std::string> &prefix = {}, const QString &password = {})
{
    return bridge().extract(archive, to, skipJunk, prefix, {}, password);
}

// Listed entries with the folders' trailing "/" removed, since formats differ there.
std::map<std::string, std::pair<bool, std::int64_t>> listed(const fs::path &archive)
{
    std::map<std::string, std::pair<bool, std::int64_t>> result;
    for (const auto &item : bridge().listEntries(archive, {})) {
        std::string name = item.name;
        if (name.ends_with('/'))
            name.pop_back();
        result[name] = {item.isDirectory, item.isDirectory ? 0 : item.size};
    }
    return result;
}

} // namespace

TEST(LibArchiveRead, ArchivesOfThePeersListAndExtractByteForByte)
{
    const auto tree = filesBelow(fixtures() / "tree");
    ASSERT_EQ(tree.size(), 4u);
    const std::map<std::string, std::pair<bool, std::int64_t>> expected{
        {"자료", {true, 0}},
        {"자료/하위", {true, 0}},
        {"자료/보고서.txt", {false, std::int64_t(tree.at("자료/보고서.txt").size())}},
        {"자료/빈파일.txt", {false, 0}},
        {"자료/하위/data.bin", {false, 200000}},
        {"readme.txt", {false, std::int64_t(tree.at("readme.txt").size())}},
    };
    for (const char *name :
         {"pax.tar", "ustar.tar", "newc.cpio", "gnu.tar.gz", "gnu.tar.bz2", "gnu.tar.xz", "peer.7z"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(listed(fixtures() / name), expected);
        TestSupport::TempDir out;
        EXPECT_EQ(extractAll(fixtures() / name, out.path()), 4);
        EXPECT_EQ(filesBelow(out.path()), tree);
        EXPECT_TRUE(fs::is_directory(out / "자료/하위"));
    }
}

TEST(LibArchiveRead, ABareCompressedStreamTakesTheArchivesName)
{
    TestSupport::TempDir dir;
    const auto memo = TestSupport::readBytes(fixtures() / "memo.txt.gz");
    // gzip -n stores no name: the archive's own name stands in, less a compression extension.
    const struct {
        const char *archive;
        const char *listedAs;
    } cases[] = {
        {"memo.txt.gz", "memo.txt"}, {"MEMO.TXT.GZ", "MEMO.TXT"}, {"memo.txt.xz", "memo.txt"},
        {"memo.bin", "memo.bin"},    {"memo.lz4", "memo"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.archive);
        const auto path = dir.file(c.archive, memo);
        EXPECT_EQ(bridge().listEntries(path, {}), (std::vector<Item>{{c.listedAs, false, 0}}));
    }
    // Plain gzip keeps the original name, which libarchive reports.
    EXPECT_EQ(bridge().listEntries(fixtures() / "notes.txt.gz", {}),
              (std::vector<Item>{{"notes.txt", false, 0}}));
    // A real archive's member named "data" keeps its name.
    EXPECT_EQ(bridge().listEntries(fixtures() / "data-inside.tar.gz", {}),
              (std::vector<Item>{{"data", false, 33}}));

    // Text that looks like a manifest of file names is still a bare stream.
    EXPECT_EQ(bridge().listEntries(fixtures() / "words.txt.gz", {}),
              (std::vector<Item>{{"words.txt", false, 0}}));
    const auto words = dir / "out" / "words.txt";
    fs::create_directories(words.parent_path());
    EXPECT_EQ(bridge().extract(fixtures() / "words.txt.gz", dir / "out", false, {}, words, {}), 1);
    EXPECT_EQ(TestSupport::readBytes(words), "apple\nbanana\ncherry\n");

    const auto target = dir / "out" / "메모.txt";
    EXPECT_EQ(bridge().extract(dir / "memo.txt.gz", dir / "out", false, {}, target, {}), 1);
    EXPECT_EQ(TestSupport::readBytes(target), "Memo about the move, with dates.\n");
}

TEST(LibArchiveRead, ANameLeavingTheDestinationStopsTheExtraction)
{
    const struct {
        const char *archive;
        const char *detail;
        std::set<std::string> writtenBefore;
    } cases[] = {
        {"evil.tar", "잘못된 경로: ../evil.txt", {"ok.txt"}},
        {"abs.tar", "잘못된 경로: /abs.txt", {"ok.txt"}},
        {"inner-evil.tar", "잘못된 경로: dir/../../evil.txt", {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.archive);
        TestSupport::TempDir parent;
        const auto out = parent.folder("out");
        EXPECT_EQ(errorOf([&] { extractAll(fixtures() / c.archive, out); }),
                  Error::failed(QString::fromUtf8(c.detail)));
        EXPECT_EQ(entriesBelow(out), c.writtenBefore);
        EXPECT_EQ(entriesBelow(parent.path()).count("evil.txt"), 0u);
    }
    EXPECT_EQ(Error::failed(QStringLiteral("잘못된 경로: /abs.txt")).description(),
              QStringLiteral("압축 처리에 실패했습니다. (잘못된 경로: /abs.txt)"));
}

TEST(LibArchiveRead, HardLinksCopyTheirExtractedTargetAndUnresolvableOnesAreLeftOut)
{
    TestSupport::TempDir out;
    // b.txt links to a.txt; c.txt is a symbolic link; d, e and f name a missing file, a path
    // outside the archive and an absolute path.
    EXPECT_EQ(extractAll(fixtures() / "links.tar", out.path()), 2);
    EXPECT_EQ(entriesBelow(out.path()), (std::set<std::string>{"a.txt", "b.txt"}));
    EXPECT_EQ(TestSupport::readBytes(out / "b.txt"), "linked contents\n");
    EXPECT_FALSE(fs::is_symlink(out / "b.txt"));
    EXPECT_EQ(fs::hard_link_count(out / "b.txt"), 1u);
}

TEST(LibArchiveRead, EveryMemberOfALinkGroupGetsTheData)
{
    for (const char *name : {"links.cpio", "links-pax.tar"}) {
        SCOPED_TRACE(name);
        TestSupport::TempDir out;
        EXPECT_EQ(extractAll(fixtures() / name, out.path()), 3);
        EXPECT_EQ(filesBelow(out.path()), (std::map<std::string, std::string>{
                                              {"x.txt", "shared data\n"},
                                              {"y.txt", "shared data\n"},
                                              {"z.txt", "shared data\n"},
                                          }));
    }
}

TEST(LibArchiveRead, LegacyKoreanNamesAreDecodedAndWrittenAsUtf8)
{
    EXPECT_EQ(bridge().listEntries(fixtures() / "cp949.tar", {}),
              (std::vector<Item>{{"한글폴더/", true, 0}, {"한글폴더/문서.txt", false, 4}}));
    TestSupport::TempDir out;
    EXPECT_EQ(extractAll(fixtures() / "cp949.tar", out.path()), 1);
    EXPECT_EQ(filesBelow(out.path()),
              (std::map<std::string, std::string>{{"한글폴더/문서.txt", "\xB3\xBB\xBF\xEB"}}));
}

TEST(LibArchiveRead, ExtractedNamesAreComposedAndBackslashesSeparateFolders)
{
    const std::string decomposed = Text::toNfd("한글.txt");
    ASSERT_NE(decomposed, "한글.txt");
    EXPECT_EQ(bridge().listEntries(fixtures() / "nfd.tar", {}), (std::vector<Item>{{decomposed, false, 4}}));
    EXPECT_EQ(bridge().listEntries(fixtures() / "backslash.tar", {}),
              (std::vector<Item>{{"dir/file.txt", false, 5}}));
    TestSupport::TempDir out;
    EXPECT_EQ(extractAll(fixtures() / "nfd.tar", out.path()), 1);
    EXPECT_EQ(extractAll(fixtures() / "backslash.tar", out.path()), 1);
    EXPECT_EQ(filesBelow(out.path()),
              (std::map<std::string, std::string>{{"한글.txt", "nfd\n"}, {"dir/file.txt", "back\n"}}));
}

TEST(LibArchiveRead, APrefixIsStrippedAndEntriesOutsideItAreSkipped)
{
    TestSupport::TempDir out;
    EXPECT_EQ(extractAll(fixtures() / "prefix.tar", out.path(), false, std::string("R/")), 1);
    EXPECT_EQ(entriesBelow(out.path()), (std::set<std::string>{"a.txt"}));
    EXPECT_EQ(TestSupport::readBytes(out / "a.txt"), "in R\n");
}

TEST(LibArchiveRead, MacJunkIsSkippedOnlyWhenAsked)
{
    const auto items = bridge().listEntries(fixtures() / "junk.tar", {});
    std::vector<std::pair<std::string, bool>> junk;
    junk.reserve(items.size());
    for (const auto &item : items)
        junk.emplace_back(item.name, item.isMacJunk());
    EXPECT_EQ(junk, (std::vector<std::pair<std::string, bool>>{{"__MACOSX/._keep.txt", true},
                                                               {"folder/.DS_Store", true},
                                                               {"._b.txt", true},
                                                               {"._top/inner.txt", false},
                                                               {"keep.txt", false}}));
    TestSupport::TempDir skipping, keeping;
    EXPECT_EQ(extractAll(fixtures() / "junk.tar", skipping.path(), true), 2);
    EXPECT_EQ(filesBelow(skipping.path()), (std::map<std::string, std::string>{
                                               {"._top/inner.txt", "not junk\n"}, {"keep.txt", "keep\n"}}));
    EXPECT_EQ(extractAll(fixtures() / "junk.tar", keeping.path(), false), 5);
}

TEST(LibArchiveRead, SpecialFilesBecomeRegularFilesOfTheirDataAndSymbolicLinksAreLeftOut)
{
    TestSupport::TempDir out;
    EXPECT_EQ(extractAll(fixtures() / "kinds.tar", out.path()), 3);
    EXPECT_EQ(entriesBelow(out.path()), (std::set<std::string>{"d", "d/empty.txt", "d/fifo", "d/char"}));
    EXPECT_EQ(filesBelow(out.path()),
              (std::map<std::string, std::string>{{"d/empty.txt", ""}, {"d/fifo", ""}, {"d/char", ""}}));

    // 7-Zip reading a pipe stores the piped bytes under a FIFO entry.
    TestSupport::TempDir piped;
    EXPECT_EQ(extractAll(fixtures() / "fifo.7z", piped.path()), 1);
    EXPECT_EQ(filesBelow(piped.path()), (std::map<std::string, std::string>{{"fifo.txt", "abc"}}));

    EXPECT_TRUE(bridge().listEntries(fixtures() / "empty.tar", {}).empty());
    EXPECT_EQ(extractAll(fixtures() / "empty.tar", out.path()), 0);
}

TEST(LibArchiveRead, RepeatedNamesGoToFreeNamesAndRepeatedFoldersMerge)
{
    TestSupport::TempDir out;
    EXPECT_EQ(extractAll(fixtures() / "twins.tar", out.path()), 6);
    EXPECT_EQ(filesBelow(out.path()), (std::map<std::string, std::string>{{"한글.txt", "nfc\n"},
                                                                          {"한글 2.txt", "nfd\n"},
                                                                          {"a.txt", "first\n"},
                                                                          {"a 2.txt", "second\n"},
                                                                          {"d/x.txt", "x\n"},
                                                                          {"d/y.txt", "y\n"}}));
}

TEST(LibArchiveRead, ATruncatedStreamSaysSoAndLeavesNoPartialFile)
{
    const auto listed = errorOf([&] { bridge().listEntries(fixtures() / "truncated.tar.gz", {}); });
    EXPECT_EQ(listed.kind(), Kind::failed);
    EXPECT_THAT(listed.detail().toStdString(), testing::StartsWith("Truncated input file"));

    TestSupport::TempDir out;
    const auto extracted = errorOf([&] { extractAll(fixtures() / "truncated.tar.gz", out.path()); });
    EXPECT_EQ(extracted.kind(), Kind::failed);
    EXPECT_THAT(extracted.detail().toLower().toStdString(), testing::HasSubstr("truncated"));
    EXPECT_EQ(entriesBelow(out.path()), (std::set<std::string>{"first.txt"}));
}

TEST(LibArchiveRead, AFullDiskLeavesNoPartialFile)
{
    TestSupport::TempDir dir;
    const auto small = dir / "small";
    const TestSupport::SmallDisk disk(small);
    if (!disk.mounted())
        GTEST_SKIP() << "mounting a small tmpfs needs root";

    const auto big = dir.file("src/big.bin");
    fs::resize_file(big, 8 << 20);
    bridge().createArchive(
        dir / "full.tar.gz",
        {{"first.txt", dir.file("src/first.txt", "first\n"), false}, {"big.bin", big, false}},
        LibArchive::WriteFormat::tarGz);
    EXPECT_EQ(errorOf([&] { extractAll(dir / "full.tar.gz", small); }),
              Error::failed(QString::fromStdString("쓰기 실패: " + small.native() + "/big.bin")));
    EXPECT_EQ(entriesBelow(small), (std::set<std::string>{"first.txt"}));
}

TEST(LibArchiveRead, EverythingGoesToTheSingleTarget)
{
    TestSupport::TempDir out;
    const auto target = out / "elsewhere" / "only 2.txt";
    fs::create_directories(target.parent_path());
    EXPECT_EQ(bridge().extract(fixtures() / "one.tar", out.path(), false, {}, target, {}), 1);
    EXPECT_EQ(entriesBelow(out.path()), (std::set<std::string>{"elsewhere", "elsewhere/only 2.txt"}));
    EXPECT_EQ(TestSupport::readBytes(target), "the only file\n");
}

TEST(LibArchiveRead, ADamagedHeaderFailsInsteadOfEndingEarly)
{
    EXPECT_EQ(errorOf([&] { bridge().listEntries(fixtures() / "damaged.tar", {}); }),
              Error::failed(QStringLiteral("Damaged tar archive")));
    TestSupport::TempDir out;
    EXPECT_EQ(errorOf([&] { extractAll(fixtures() / "damaged.tar", out.path()); }),
              Error::failed(QStringLiteral("Damaged tar archive")));
    EXPECT_EQ(entriesBelow(out.path()), (std::set<std::string>{"first.txt"}));
}

TEST(LibArchiveRead, PasswordTroubleIsToldApart)
{
    EXPECT_EQ(errorOf([&] { bridge().listEntries(fixtures() / "hidden-names.7z", {}); }).kind(),
              Kind::passwordRequired);

    const auto locked = fixtures() / "locked.zip";
    EXPECT_EQ(bridge().listEntries(locked, {}), (std::vector<Item>{{"secret.txt", false, 29}}));
    TestSupport::TempDir out;
    EXPECT_EQ(errorOf([&] { extractAll(locked, out.path()); }).kind(), Kind::passwordRequired);
    EXPECT_EQ(errorOf([&] { extractAll(locked, out.path(), false, {}, QStringLiteral("wrong")); }).kind(),
              Kind::wrongPassword);
    // The file whose data could not be read is not left behind.
    EXPECT_TRUE(entriesBelow(out.path()).empty());
    EXPECT_EQ(extractAll(locked, out.path(), false, {}, QStringLiteral("secret")), 1);
    EXPECT_EQ(TestSupport::readBytes(out / "secret.txt"), "Secret contents of the file.\n");
}

TEST(LibArchiveRead, ErrorTextsAreInterpreted)
{
    const struct {
        const char *text;
        Error expected;
    } cases[] = {
        {"Incorrect passphrase", Error::wrongPassword()},
        {"Invalid PASSWORD given", Error::wrongPassword()},
        {"Passphrase required for this entry", Error::passwordRequired()},
        {"The archive header is encrypted, but currently not supported", Error::passwordRequired()},
        {"Unrecognized archive format", Error::failed(QStringLiteral("Unrecognized archive format"))},
    };
    for (const auto &c : cases)
        EXPECT_EQ(LibArchive::interpret(c.text), c.expected) << c.text;
}

TEST(LibArchiveRead, FileSystemFailuresAreReported)
{
    TestSupport::TempDir dir;
    const auto missing = errorOf([&] { bridge().listEntries(dir / "missing.tar", {}); });
    EXPECT_EQ(missing.kind(), Kind::failed);
    EXPECT_THAT(missing.detail().toStdString(), testing::HasSubstr("missing.tar"));

    // A destination that is a file: the folders cannot be made and the write names its path.
    const auto notAFolder = dir.file("plain", "x");
    EXPECT_EQ(errorOf([&] { extractAll(fixtures() / "one.tar", notAFolder); }),
              Error::failed(QString::fromStdString("쓰기 실패: " + notAFolder.native() + "/only.txt")));
}
