#include "EngineTestSupport.h"

#include "Archive/LibArchive/LibArchiveBackend.h"
#include "Archive/SevenZip/SevenZipBackend.h"
#include "Archive/Zip/ZipBackend.h"
#include "Core/FilePath.h"
#include "Core/Text.h"
#include "Features/ZipKorean/ZipKoreanEngine.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace EngineTest;
using TestSupport::TempDir;
using Mode = ZipKoreanEngine::Mode;
using Format = ZipKoreanEngine::CreateFormat;

namespace {

const std::string nfdHangul = "\xE1\x84\x92\xE1\x85\xA1\xE1\x86\xAB"; // 한 as three jamo

fs::path writeZip(const TempDir &dir, const std::string &name, const std::vector<RawEntry> &entries)
{
    const fs::path path = dir / name;
    TestSupport::writeBytes(path, storedZip(entries));
    return path;
}

// A 7z written by the program's own writer from a scratch folder of files.
fs::path writeSevenZip(const TempDir &dir, const std::string &name,
                       const std::map<std::string, std::string> &files, const QString &password,
                       bool hideNames)
{
    std::vector<ZipWriter::Source> sources;
    for (const auto &[entry, content] : files) {
        const fs::path file = dir.file("scratch-7z/" + entry, content);
        sources.push_back({entry, file, false});
    }
    const fs::path path = dir / name;
    SevenZipBackend().createAt(path, sources, {.password = password, .hideNames = hideNames});
    return path;
}

ArchiveBackend::ExtractOptions into(const fs::path &folder, std::optional<std::string> prefix = {})
{
    ArchiveBackend::ExtractOptions options;
    options.destination = folder;
    options.strippingPrefix = std::move(prefix);
    return options;
}

void tarOf(const fs::path &folder, const fs::path &out, const QStringList &members,
           const QString &flags = "-czf")
{
    QStringList arguments{QStringLiteral("-C"), q(folder), flags, q(out)};
    arguments += members;
    ASSERT_EQ(TestSupport::run(QStringLiteral("tar"), arguments).exitCode, 0);
}

class ZipKoreanEngineTest : public ::testing::Test {
protected:
    TempDir dir;
    ZipKoreanEngine engine;
};

} // namespace

TEST_F(ZipKoreanEngineTest, RoutesByExtensionOnly)
{
    struct Case {
        const char *label;
        std::function<std::vector<fs::path>()> make;
        Mode mode;
        bool isZip;
        bool loadError;
        std::size_t rows;
    };
    const std::vector<Case> cases{
        {"upper-case ZIP",
         [&] {
             return std::vector{writeZip(dir, "A.ZIP", {{"a.txt", "A"}})};
         },
         Mode::extract, true, false, 1},
        {"folder named .zip", [&] { return std::vector{dir.folder("box.zip")}; }, Mode::extract, true, true,
         0},
        {"pdf packs", [&] { return std::vector{dir.file("doc.pdf", "%PDF")}; }, Mode::create, false, false,
         0},
        {"two archives pack",
         [&] {
             return std::vector{writeZip(dir, "one.zip", {{"a", "1"}}),
                                writeZip(dir, "two.zip", {{"b", "2"}})};
         },
         Mode::create, false, false, 0},
        {"tar.gz through libarchive",
         [&] {
             dir.file("tg/x.txt", "x");
             dir.file("tg/y.txt", "y");
             tarOf(dir / "tg", dir / "set.tar.gz", {"x.txt", "y.txt"});
             return std::vector{dir / "set.tar.gz"};
         },
         Mode::extract, false, false, 2},
        {"7z by the own reader",
         [&] {
             return std::vector{writeSevenZip(dir, "own.7z", {{"a.txt", "A"}, {"b.txt", "B"}}, "pw", false)};
         },
         Mode::extract, false, false, 2},
        {"7z with a coder the own reader lacks",
         [&] {
             dir.file("bz/a.txt", std::string(2000, 'a'));
             const auto r =
                 TestSupport::run("7zz", {"a", "-m0=BZip2", q(dir / "bz.7z"), "a.txt"}, dir / "bz");
             EXPECT_EQ(r.exitCode, 0) << r.err;
             return std::vector{dir / "bz.7z"};
         },
         Mode::extract, false, false, 1},
        {"plain folder packs", [&] { return std::vector{dir.folder("stuff")}; }, Mode::create, false, false,
         0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.label);
        engine.addURLs(c.make());
        EXPECT_EQ(engine.mode(), c.mode);
        EXPECT_EQ(engine.isZipArchive(), c.isZip);
        EXPECT_EQ(engine.loadError().has_value(), c.loadError)
            << engine.loadError().value_or("").toStdString();
        EXPECT_EQ(engine.displayEntries().size(), c.rows);
        EXPECT_EQ(engine.archiveURL().has_value(), c.mode == Mode::extract);
    }
    // The fall-back case above means something only while the own reader refuses that coder.
    EXPECT_THROW(
        {
            try {
                SevenZipBackend().extract(dir / "bz.7z", into(dir.folder("probe-out")));
            } catch (const FormatError &e) {
                EXPECT_EQ(e.category(), FormatError::Category::unsupported);
                throw;
            }
        },
        FormatError);
}

TEST_F(ZipKoreanEngineTest, EmptyDropChangesNothing)
{
    engine.addURLs({dir.folder("box.zip")});
    ASSERT_TRUE(engine.loadError());
    QSignalSpy modeSpy(&engine, &ZipKoreanEngine::modeChanged);
    QSignalSpy errorSpy(&engine, &ZipKoreanEngine::loadErrorChanged);
    engine.addURLs({});
    EXPECT_EQ(engine.mode(), Mode::extract);
    EXPECT_TRUE(engine.loadError());
    EXPECT_EQ(modeSpy.count() + errorSpy.count(), 0);
}

TEST_F(ZipKoreanEngineTest, ZipListingBadgesAndSummary)
{
    const std::string ga = "\xEA\xB0\x80"; // 가
    const auto cp = [](const std::string &utf8) { return *Text::encodeCp949(utf8); };
    const std::string bogoseo = "\xEB\xB3\xB4\xEA\xB3\xA0\xEC\x84\x9C"; // 보고서

    engine.addURLs({writeZip(dir, "utf8.zip", {{ga + ".txt", "1", 0x800}, {"plain.txt", "2"}})});
    EXPECT_EQ(engine.cp949Count(), 0);
    EXPECT_EQ(engine.encodingSummary(),
              QString::fromUtf8("파일명 인코딩 정상 (UTF-8) — 자모 분리만 정리해서 풉니다"));
    EXPECT_FALSE(engine.displayEntries()[0].badge);

    engine.addURLs({writeZip(dir, "win.zip",
                             {{cp(ga) + ".txt", "1"},
                              {cp(bogoseo) + "/", ""},
                              {cp(bogoseo) + "/" + cp(ga) + ".hwp", "3"},
                              {"readme.txt", "4"}})});
    ASSERT_EQ(engine.displayEntries().size(), 4u);
    EXPECT_EQ(engine.cp949Count(), 3);
    EXPECT_EQ(engine.encodingSummary(),
              QString::fromUtf8("Windows(CP949) 인코딩 감지 — 한글 파일명 3개를 복원합니다"));
    EXPECT_EQ(engine.displayEntries()[0].name, ga + ".txt");
    EXPECT_EQ(engine.displayEntries()[2].name, bogoseo + "/" + ga + ".hwp");
    EXPECT_TRUE(engine.displayEntries()[1].isDirectory);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(engine.displayEntries()[std::size_t(i)].badge, QString::fromUtf8("CP949 복원"));
    EXPECT_FALSE(engine.displayEntries()[3].badge);
    EXPECT_FALSE(engine.needsPassword());

    // Decomposed names are listed composed; junk is marked by the reader's rule.
    engine.addURLs({writeZip(dir, "mac.zip", {{nfdHangul + ".txt", "1", 0x800}, {"__MACOSX/._x", "j"}})});
    EXPECT_EQ(engine.displayEntries()[0].name, Text::toNfc(nfdHangul) + ".txt");
    EXPECT_EQ(engine.junkEntryCount(), 1);
    EXPECT_TRUE(engine.displayEntries()[1].isMacJunk);
}

TEST_F(ZipKoreanEngineTest, EncryptedArchivesOfferThePassword)
{
    // ZIP: listed at once, the password is first used by extraction.
    const fs::path file = dir.file("in/secret.txt", "top secret");
    ZipBackend().createAt(dir / "locked.zip", {{"secret.txt", file, false}, {"open/", std::nullopt, true}},
                          {.password = "pw"});
    engine.addURLs({dir / "locked.zip"});
    EXPECT_EQ(engine.displayEntries().size(), 2u);
    EXPECT_TRUE(engine.needsPassword());
    EXPECT_EQ(engine.encryptedCount(), 1);
    EXPECT_TRUE(engine.encodingSummary().endsWith(QString::fromUtf8(" · 암호 필요")));

    // 7z with hidden names: nothing listed until the password comes.
    engine.addURLs({writeSevenZip(dir, "hidden.7z", {{"a.txt", "A"}}, "pw", true)});
    EXPECT_TRUE(engine.displayEntries().empty());
    EXPECT_TRUE(engine.needsPassword());
    EXPECT_FALSE(engine.loadError());
    EXPECT_EQ(engine.encodingSummary(),
              QString::fromUtf8("암호로 보호된 압축 파일 — 암호를 입력하고 풀기를 누르세요"));

    // 7z with a plain header: rows at once, folders not marked.
    const fs::path data = dir.file("seven/d/a.txt", "A");
    SevenZipBackend().createAt(dir / "files.7z", {{"d/", std::nullopt, true}, {"d/a.txt", data, false}},
                               {.password = "pw", .hideNames = false});
    engine.addURLs({dir / "files.7z"});
    ASSERT_EQ(engine.displayEntries().size(), 2u);
    EXPECT_FALSE(engine.needsPassword());
    EXPECT_FALSE(engine.displayEntries()[0].isEncrypted);
    EXPECT_TRUE(engine.displayEntries()[1].isEncrypted);
    EXPECT_EQ(engine.encodingSummary(), QString::fromUtf8("7Z 형식 — 파일명을 정리하며 풉니다 · 암호 필요"));
    engine.setPassword("pw");
    engine.extract();
    EXPECT_FALSE(engine.actionError()) << engine.actionError()->toStdString();
    EXPECT_EQ(TestSupport::readBytes(dir / "d" / "a.txt"), "A");
}

TEST_F(ZipKoreanEngineTest, PasswordCycleRequiredWrongRight)
{
    const fs::path file = dir.file("plain/note.txt", "note");
    for (const bool aes : {false, true}) {
        SCOPED_TRACE(aes);
        const fs::path zip = dir / (aes ? "aes.zip" : "zc.zip");
        ZipBackend().createAt(zip, {{"note.txt", file, false}}, {.password = "right", .zipAes256 = aes});
        engine.addURLs({zip});
        engine.extract();
        EXPECT_EQ(engine.actionError(), ZipError::passwordRequired().description());
        engine.setPassword("wrong");
        engine.extract();
        EXPECT_EQ(engine.actionError(), ZipError::wrongPassword().description());
        EXPECT_FALSE(engine.extractedItem());
        EXPECT_FALSE(fs::exists(dir / "note.txt"));
        engine.setPassword("right");
        engine.extract();
        EXPECT_FALSE(engine.actionError());
        EXPECT_EQ(engine.extractedItem(), dir / "note.txt");
        EXPECT_EQ(TestSupport::readBytes(dir / "note.txt"), "note");
        fs::remove(dir / "note.txt");
    }

    // 7z with hidden names: the re-listing's own text gives way to the general one.
    engine.addURLs({writeSevenZip(dir, "cycle.7z", {{"in/x.txt", "X"}, {"in/y.txt", "Y"}}, "right", true)});
    engine.extract();
    EXPECT_TRUE(engine.actionError());
    EXPECT_TRUE(engine.displayEntries().empty());
    engine.setPassword("wrong");
    engine.extract();
    EXPECT_EQ(engine.actionError(), QString::fromUtf8("암호가 올바르지 않거나 목록을 읽을 수 없습니다."));
    EXPECT_FALSE(engine.loadError());
    EXPECT_TRUE(engine.needsPassword());
    EXPECT_TRUE(engine.displayEntries().empty());
    engine.setPassword("right");
    engine.extract();
    EXPECT_FALSE(engine.actionError());
    EXPECT_EQ(engine.displayEntries().size(), 2u);
    EXPECT_EQ(engine.extractedItem(), dir / "in");
    EXPECT_EQ(tree(dir / "in"), (std::map<std::string, std::string>{{"x.txt", "X"}, {"y.txt", "Y"}}));
}

TEST_F(ZipKoreanEngineTest, ExtractionTargets)
{
    const std::string jaryo = "\xEC\x9E\x90\xEB\xA3\x8C";  // 자료
    const std::string mukeum = "\xEB\xAC\xB6\xEC\x9D\x8C"; // 묶음
    struct Case {
        const char *label;
        std::string archive;
        std::vector<RawEntry> entries;
        bool skipJunk;
        std::vector<std::string> existing;          // folders already beside the archive
        std::string result;                         // name of the new item beside the archive
        std::map<std::string, std::string> content; // its tree; a lone file: {"", bytes}
    };
    const std::vector<Case> cases{
        {"lone file", "lone.zip", {{"a.txt", "A"}}, true, {}, "a.txt", {{"", "A"}}},
        {"lone file again", "lone.zip", {{"a.txt", "A"}}, true, {}, "a 2.txt", {{"", "A"}}},
        {"folder entry and file",
         "docs1.zip",
         {{"docs/", ""}, {"docs/a.txt", "A"}},
         true,
         {},
         "docs",
         {{"a.txt", "A"}}},
        {"file below a folder without its entry",
         "docs2.zip",
         {{"docs/a.txt", "A"}},
         true,
         {},
         "docs 2",
         {{"a.txt", "A"}}},
        {"one empty folder", "empty.zip", {{"e/", ""}}, true, {}, "e", {}},
        {"several items",
         mukeum + ".zip",
         {{"a.txt", "A"}, {"b.txt", "B"}},
         true,
         {},
         mukeum,
         {{"a.txt", "A"}, {"b.txt", "B"}}},
        {"companion skipped",
         "pair.zip",
         {{"p.txt", "P"}, {"__MACOSX/._p.txt", "j"}},
         true,
         {},
         "p.txt",
         {{"", "P"}}},
        {"companion kept",
         "pair.zip",
         {{"p.txt", "P"}, {"__MACOSX/._p.txt", "j"}},
         false,
         {},
         "pair",
         {{"p.txt", "P"}, {"__MACOSX/", "/"}, {"__MACOSX/._p.txt", "j"}}},
        {"taken names are numbered",
         "jaryo.zip",
         {{jaryo + "/x.txt", "X"}},
         true,
         {jaryo, jaryo + " 2"},
         jaryo + " 3",
         {{"x.txt", "X"}}},
        {"decomposed names composed",
         "nfd.zip",
         {{nfdHangul + "/x.txt", "X", 0x800}},
         true,
         {},
         Text::toNfc(nfdHangul),
         {{"x.txt", "X"}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.label);
        for (const auto &folder : c.existing)
            dir.folder(folder);
        engine.addURLs({writeZip(dir, c.archive, c.entries)});
        engine.setSkipMacJunk(c.skipJunk);
        engine.extract();
        EXPECT_FALSE(engine.actionError()) << engine.actionError()->toStdString();
        const fs::path result = dir / c.result;
        EXPECT_EQ(engine.extractedItem(), result);
        if (c.content.count("") != 0)
            EXPECT_EQ(TestSupport::readBytes(result), c.content.at(""));
        else
            EXPECT_EQ(tree(result), c.content);
    }
}

TEST_F(ZipKoreanEngineTest, TarballsAreNamedAfterTheArchive)
{
    dir.file("src/a.txt", "A");
    dir.file("src/b.txt", "B");
    struct Case {
        const char *archive;
        QStringList members;
        const char *result;
    } cases[] = {
        {"backup.tar.gz", {"a.txt", "b.txt"}, "backup"},
        {"backup.tgz", {"a.txt", "b.txt"}, "backup 2"},
        // "tar -C dir -czf x.tgz ." names every member "./…": "." is no top folder of its own.
        {"dot.tgz", {"."}, "dot"},
        {"dot.tar.gz", {"./a.txt", "./b.txt"}, "dot 2"},
    };
    const std::map<std::string, std::string> both{{"a.txt", "A"}, {"b.txt", "B"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.archive);
        tarOf(dir / "src", dir / c.archive, c.members);
        engine.addURLs({dir / c.archive});
        engine.extract();
        EXPECT_FALSE(engine.actionError()) << engine.actionError()->toStdString();
        EXPECT_EQ(engine.extractedItem(), dir / c.result);
        EXPECT_EQ(tree(dir / c.result), both);
    }
    EXPECT_FALSE(fs::exists(dir / ". 2"));
}

TEST_F(ZipKoreanEngineTest, AFailureIsNeverReportedAsAnExtraction)
{
    // Listing fails: a compressed tar cut short inside its data, a ZIP without its end record.
    std::string noise(400000, '\0');
    for (std::size_t i = 0; i < noise.size(); ++i)
        noise[i] = char((i * 2654435761u) >> 13);
    dir.file("src/a.txt", "A");
    dir.file("src/noise.bin", noise);
    tarOf(dir / "src", dir / "cut.tar.gz", {"a.txt", "noise.bin"});
    fs::resize_file(dir / "cut.tar.gz", fs::file_size(dir / "cut.tar.gz") / 2);
    const std::string zip = storedZip({{"a.txt", "A"}, {"b.txt", "B"}});
    TestSupport::writeBytes(dir / "cut.zip", zip.substr(0, zip.size() - 22));
    for (auto [archive, says] : {std::pair{"cut.tar.gz", "Truncated input file"},
                                 std::pair{"cut.zip", "ZIP 파일이 아니거나 손상되었습니다."}}) {
        SCOPED_TRACE(archive);
        engine.addURLs({dir / archive});
        ASSERT_TRUE(engine.loadError());
        const QString listingError = *engine.loadError();
        EXPECT_TRUE(listingError.contains(QString::fromUtf8(says))) << listingError.toStdString();
        const auto before = namesIn(dir.path());
        engine.extract();
        EXPECT_EQ(engine.actionError(), listingError);
        EXPECT_FALSE(engine.extractedItem());
        EXPECT_EQ(namesIn(dir.path()), before);
    }

    // Listing succeeds, the data of the second entry is damaged: no result is reported.
    std::string damaged = storedZip({{"a.txt", "AAAA"}, {"b.txt", "BBBB"}});
    damaged[damaged.find("BBBB")] = 'X';
    TestSupport::writeBytes(dir / "damaged.zip", damaged);
    engine.addURLs({dir / "damaged.zip"});
    ASSERT_FALSE(engine.loadError());
    engine.extract();
    ASSERT_TRUE(engine.actionError());
    EXPECT_TRUE(engine.actionError()->startsWith(QString::fromUtf8("손상된 ZIP 파일입니다.")))
        << engine.actionError()->toStdString();
    EXPECT_FALSE(engine.extractedItem());
}

TEST_F(ZipKoreanEngineTest, NothingToExtract)
{
    engine.addURLs({writeZip(dir, "junk.zip", {{".DS_Store", "x"}})});
    const auto before = namesIn(dir.path());
    engine.extract();
    EXPECT_EQ(engine.actionError(), QString::fromUtf8("풀 항목이 없습니다."));
    EXPECT_FALSE(engine.extractedItem());
    EXPECT_EQ(namesIn(dir.path()), before);
}

TEST_F(ZipKoreanEngineTest, EmptyFilesExtractAndWritingNothingFails)
{
    // A lone empty file, read by libarchive (plain 7z) and by the own reader (encrypted 7z).
    dir.file("e/empty.txt", "");
    ASSERT_EQ(TestSupport::run("7zz", {"a", q(dir / "plain.7z"), "empty.txt"}, dir / "e").exitCode, 0);
    writeSevenZip(dir, "locked.7z", {{"void.txt", ""}}, "pw", true);
    for (auto [archive, result] : {std::pair{"plain.7z", "empty.txt"}, std::pair{"locked.7z", "void.txt"}}) {
        SCOPED_TRACE(archive);
        engine.addURLs({dir / archive});
        engine.setPassword("pw");
        engine.extract();
        EXPECT_FALSE(engine.actionError()) << engine.actionError()->toStdString();
        EXPECT_EQ(engine.extractedItem(), dir / result);
        EXPECT_TRUE(fs::is_regular_file(dir / result));
        EXPECT_EQ(fs::file_size(dir / result), 0u);
    }

    // Links are listed as files but not written: a result with nothing in it is a failure.
    dir.folder("links");
    ASSERT_EQ(::symlink("elsewhere", (dir / "links" / "one").c_str()), 0);
    ASSERT_EQ(::symlink("elsewhere", (dir / "links" / "two").c_str()), 0);
    tarOf(dir / "links", dir / "single.tar", {"one"}, "-cf");
    tarOf(dir / "links", dir / "pair.tar", {"one", "two"}, "-cf");
    for (const char *archive : {"single.tar", "pair.tar"}) {
        SCOPED_TRACE(archive);
        const auto before = namesIn(dir.path());
        engine.addURLs({dir / archive});
        ASSERT_FALSE(engine.displayEntries().empty());
        engine.extract();
        EXPECT_EQ(engine.actionError(), QString::fromUtf8("압축 파일에서 풀어낸 파일이 없습니다."));
        EXPECT_FALSE(engine.extractedItem());
        EXPECT_EQ(namesIn(dir.path()), before);
    }
}

TEST_F(ZipKoreanEngineTest, CollectingSources)
{
    const std::string sajin = "\xEC\x82\xAC\xEC\xA7\x84"; // 사진
    dir.file(sajin + "/a.jpg", "jpg");
    dir.file(sajin + "/.DS_Store", "ds");
    dir.file(sajin + "/__MACOSX/._a.jpg", "ad");
    engine.addURLs({dir / sajin});
    EXPECT_EQ(engine.mode(), Mode::create);
    ASSERT_EQ(engine.sources().size(), 2u);
    EXPECT_EQ(engine.sources()[0].entryName, sajin + "/");
    EXPECT_TRUE(engine.sources()[0].isDirectory);
    EXPECT_EQ(engine.sources()[1].entryName, sajin + "/a.jpg");
    EXPECT_EQ(engine.sources()[1].filePath, dir / sajin / "a.jpg");
    EXPECT_EQ(engine.sourceFileCount(), 1);
    EXPECT_EQ(engine.junkSkippedCount(), 2);
    EXPECT_EQ(engine.plannedZipPath(), dir / (sajin + " (Windows용).zip"));

    // Three items; a format change re-plans at once.
    const fs::path a = dir.file("a.txt", "A");
    const fs::path b = dir.file("b.txt", "B");
    engine.addURLs({dir / sajin, a, b});
    const std::string several = sajin + " 외 2개";
    EXPECT_EQ(engine.plannedZipPath(), dir / (several + " (Windows용).zip"));
    engine.setCreateFormat(Format::tarXz);
    EXPECT_EQ(engine.plannedZipPath(), dir / (several + ".tar.xz"));

    // Named after what it packs: an item that puts nothing in it (junk the send checkup's fix
    // has moved to the Trash since) is not counted.
    engine.addURLs({dir / "._gone.jpg", a, b});
    EXPECT_EQ(engine.plannedZipPath(), dir / "a 외 1개 (Windows용).zip");
    engine.addURLs({a, dir / "._gone.jpg"});
    EXPECT_EQ(engine.plannedZipPath(), dir / "a (Windows용).zip");

    // Taken names are numbered before the last extension.
    dir.file(sajin + " (Windows용).zip", "taken");
    dir.file(sajin + ".tar.gz", "taken");
    engine.addURLs({dir / sajin});
    EXPECT_EQ(engine.plannedZipPath(), dir / (sajin + " (Windows용) 2.zip"));
    engine.setCreateFormat(Format::tarGz);
    EXPECT_EQ(engine.plannedZipPath(), dir / (sajin + ".tar 2.gz"));

    // A decomposed file name gives composed entry and archive names; the source keeps its bytes.
    const fs::path nfd = dir.file(nfdHangul + ".hwp", "h");
    engine.addURLs({nfd});
    ASSERT_EQ(engine.sources().size(), 1u);
    EXPECT_EQ(engine.sources()[0].entryName, Text::toNfc(nfdHangul) + ".hwp");
    EXPECT_EQ(engine.sources()[0].filePath, nfd);
    EXPECT_EQ(engine.plannedZipPath(), dir / (Text::toNfc(nfdHangul) + " (Windows용).zip"));

    // Only junk: nothing to pack.
    engine.addURLs({dir / sajin / ".DS_Store"});
    EXPECT_EQ(engine.mode(), Mode::create);
    EXPECT_TRUE(engine.sources().empty());
    EXPECT_EQ(engine.junkSkippedCount(), 1);
    engine.createZip();
    EXPECT_EQ(engine.actionError(),
              QString::fromUtf8("압축할 파일이 없습니다. 파일이나 폴더를 다시 놓아 주세요."));
}

TEST_F(ZipKoreanEngineTest, NamesThatAreNotUtf8KeepTheirBytes)
{
    const std::string raw = "\xB0\xA1\xB3\xAA.txt"; // 가나 in CP949, not UTF-8
    dir.file("box/" + raw, "bytes");
    engine.addURLs({dir / "box"});
    ASSERT_EQ(engine.sources().size(), 2u);
    const auto &source = engine.sources()[1];
    EXPECT_EQ(source.filePath->native(), (dir / "box").native() + "/" + raw);
    EXPECT_TRUE(Text::isValidUtf8(source.entryName));
    // A name that is valid CP949 goes in as the Korean text it spells.
    EXPECT_EQ(source.entryName, "box/\xEA\xB0\x80\xEB\x82\x98.txt");
    engine.createZip();
    ASSERT_TRUE(engine.createdZip()) << engine.actionError().value_or("").toStdString();
    const auto entries = ZipBackend().list(*engine.createdZip(), {}).entries;
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].name, source.entryName);
    const fs::path out = dir.folder("out");
    EXPECT_EQ(ZipBackend().extract(*engine.createdZip(), into(out, "box/")), 1);
    EXPECT_EQ(tree(out), (std::map<std::string, std::string>{{entries[1].name.substr(4), "bytes"}}));

    // A dropped item whose own name is not UTF-8 keeps it in the archive's file name.
    const fs::path odd = dir.file(raw, "x");
    engine.addURLs({odd});
    EXPECT_EQ(engine.plannedZipPath()->native(), dir.path().native() + "/\xB0\xA1\xB3\xAA (Windows용).zip");
}

namespace {

// The general-purpose flags of the local header that carries this name.
std::optional<std::uint16_t> zipFlagsOf(const std::string &archive, const std::string &name)
{
    for (auto at = archive.find(name); at != std::string::npos; at = archive.find(name, at + 1))
        if (at >= 30 && archive.compare(at - 30, 4, "PK\x03\x04") == 0)
            return std::uint16_t(std::uint8_t(archive[at - 24]) | std::uint8_t(archive[at - 23]) << 8);
    return std::nullopt;
}

} // namespace

TEST_F(ZipKoreanEngineTest, OtherNamesKeepTheirBytesWhereTheFormatCanAndAreSpelledOutWhereNot)
{
    const std::string ganada = "\xEA\xB0\x80\xEB\x82\x98.txt"; // 가나.txt
    const std::string odd = "\xFF\xFE"
                            "odd.txt"; // neither UTF-8 nor CP949
    dir.file("box/\xB0\xA1\xB3\xAA.txt", "korean");
    dir.file("box/" + odd, "odd");
    dir.file("box/%FF%FEodd.txt", "literal"); // the spelling, already taken by a real name
    struct Case {
        Format format;
        const char *password;
        std::set<std::string> names; // the entries below box/
    };
    const Case cases[] = {
        {Format::zip, "", {ganada, odd, "%FF%FEodd.txt"}},
        {Format::tar, "", {ganada, odd, "%FF%FEodd.txt"}},
        {Format::sevenZip, "", {ganada, "%FF%FEodd 2.txt", "%FF%FEodd.txt"}},
        {Format::sevenZip, "pw", {ganada, "%FF%FEodd 2.txt", "%FF%FEodd.txt"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(ZipKoreanEngine::extension(c.format) + c.password);
        engine.addURLs({dir / "box"});
        engine.setCreateFormat(c.format);
        engine.setCreatePassword(c.password);
        engine.createZip();
        ASSERT_TRUE(engine.createdZip()) << engine.actionError().value_or("").toStdString();
        const fs::path made = *engine.createdZip();
        const std::string bytes = TestSupport::readBytes(made);
        std::set<std::string> names;
        if (c.format == Format::zip) {
            // Bit 11 says UTF-8 only of the names that are.
            EXPECT_EQ(zipFlagsOf(bytes, "box/" + ganada).value_or(0) & 0x0800, 0x0800);
            EXPECT_EQ(zipFlagsOf(bytes, "box/" + odd).value_or(0x0800) & 0x0800, 0);
            names = {ganada, odd, "%FF%FEodd.txt"};
        } else if (c.format == Format::tar) {
            EXPECT_NE(bytes.find("box/" + odd), std::string::npos);
            EXPECT_EQ(bytes.find("\xEF\xBF\xBD"), std::string::npos);
            names = {ganada, odd, "%FF%FEodd.txt"};
        } else {
            const auto listing =
                *c.password ? SevenZipBackend().list(made, "pw") : LibArchiveBackend().list(made, {});
            for (const auto &entry : listing.entries)
                if (entry.name.starts_with("box/") && entry.name != "box/")
                    names.insert(entry.name.substr(4));
            // Every name comes back out as it went in.
            ZipKoreanEngine reader;
            reader.addURLs({made});
            reader.setPassword(c.password);
            reader.extract();
            ASSERT_FALSE(reader.actionError()) << reader.actionError()->toStdString();
            EXPECT_EQ(tree(*reader.extractedItem()),
                      (std::map<std::string, std::string>{
                          {ganada, "korean"}, {"%FF%FEodd 2.txt", "odd"}, {"%FF%FEodd.txt", "literal"}}));
        }
        EXPECT_EQ(names, c.names);
    }
}

TEST_F(ZipKoreanEngineTest, AFailedExtractionTakesBackAllItMade)
{
    dir.file("src/tree/a.txt", std::string(5000, 'a'));
    dir.file("src/tree/sub/b.txt", "B");
    dir.file("src/tree/zero.txt", "");
    dir.folder("src/tree/empty/deeper");
    const auto made =
        TestSupport::run("7zz", {"a", "-ppw", "-mhc=off", q(dir / "tree.7z"), "tree"}, dir / "src");
    ASSERT_EQ(made.exitCode, 0) << made.err;
    engine.addURLs({dir / "tree.7z"});
    ASSERT_FALSE(engine.displayEntries().empty()); // the names are not encrypted

    const auto before = namesIn(dir.path());
    engine.setPassword("wrong");
    engine.extract();
    EXPECT_TRUE(engine.actionError());
    EXPECT_FALSE(engine.extractedItem());
    EXPECT_EQ(namesIn(dir.path()), before);

    // The retry lands under the first name.
    engine.setPassword("pw");
    engine.extract();
    ASSERT_FALSE(engine.actionError()) << engine.actionError()->toStdString();
    EXPECT_EQ(engine.extractedItem(), dir / "tree");
    EXPECT_EQ(tree(dir / "tree"), tree(dir / "src" / "tree"));

    // What was there before stays whole; only the new, numbered folder goes.
    engine.setPassword("wrong");
    engine.extract();
    EXPECT_TRUE(engine.actionError());
    EXPECT_EQ(tree(dir / "tree"), tree(dir / "src" / "tree"));
    EXPECT_FALSE(fs::exists(dir / "tree 2"));

    // A ZIP whose last entry is damaged, after a folder and a file were written.
    std::string damaged = storedZip({{"r/", ""}, {"r/in/", ""}, {"r/in/a.txt", "AAAA"}, {"r/b.txt", "BBBB"}});
    damaged[damaged.find("BBBB")] = 'X';
    TestSupport::writeBytes(dir / "damaged.zip", damaged);
    engine.addURLs({dir / "damaged.zip"});
    const auto beforeZip = namesIn(dir.path());
    engine.extract();
    EXPECT_TRUE(engine.actionError());
    EXPECT_EQ(namesIn(dir.path()), beforeZip);
}

TEST_F(ZipKoreanEngineTest, ALinkPlantedAtTheChosenNameIsPassedOver)
{
    dir.file("src/docs/a.txt", "A");
    dir.file("src/docs/b.txt", "B");
    tarOf(dir / "src", dir / "docs.tar.gz", {"docs"});
    writeZip(dir, "docs.zip", {{"docs/a.txt", "A"}, {"docs/b.txt", "B"}});
    writeSevenZip(dir, "docs.7z", {{"docs/a.txt", "A"}, {"docs/b.txt", "B"}}, "pw", false);
    const fs::path elsewhere = dir.folder("elsewhere");
    int n = 0;
    for (const char *archive : {"docs.zip", "docs.tar.gz", "docs.7z"}) {
        SCOPED_TRACE(archive);
        engine.addURLs({dir / archive});
        engine.setPassword("pw");
        // Another user's link appears at the free name just before the folder is made there.
        std::optional<fs::path> planted;
        engine.setBeforeCreatingOutputFolder([&](const fs::path &at) {
            if (!planted && ::symlink(elsewhere.c_str(), at.c_str()) == 0)
                planted = at;
        });
        engine.extract();
        ASSERT_FALSE(engine.actionError()) << engine.actionError()->toStdString();
        const fs::path expected = dir / (n == 0 ? "docs" : "docs " + std::to_string(2 * n + 1));
        EXPECT_EQ(planted, expected);
        EXPECT_TRUE(fs::is_symlink(expected));
        const fs::path next = dir / ("docs " + std::to_string(2 * n + 2));
        EXPECT_EQ(engine.extractedItem(), next);
        EXPECT_EQ(tree(next), (std::map<std::string, std::string>{{"a.txt", "A"}, {"b.txt", "B"}}));
        EXPECT_TRUE(fs::is_empty(elsewhere));
        ++n;
    }
}

TEST_F(ZipKoreanEngineTest, FoldersThatCouldNotBeReadAreSaid)
{
    // Checked without root's privileges, which read every folder.
    const fs::path share = dir.folder("share");
    fs::permissions(share, fs::perms::all);
    dir.file("share/d/open.txt", "o");
    const fs::path locked = dir.folder("share/d/locked");
    dir.file("share/d/locked/hidden.txt", "h");
    ::chmod(locked.c_str(), 0);
    EXPECT_EQ(engine.unreadableWarning(), std::nullopt);
    const std::string got = TestSupport::runAsNobodyCapture([&] {
        ZipKoreanEngine child;
        child.addURLs({share / "d"});
        child.setCreateFormat(Format::tar);
        child.createZip();
        std::string out = child.unreadableWarning().value_or("none").toStdString();
        for (const auto &source : child.sources())
            out += "|" + source.entryName;
        return out + (child.createdZip() ? "|made" : "|failed");
    });
    ::chmod(locked.c_str(), 0755);
    // Still packed as the empty folder it appeared to be.
    EXPECT_EQ(got, "폴더 1개는 권한이 없어 살펴보지 못했습니다|d/|d/locked/|d/open.txt|made");
}

TEST_F(ZipKoreanEngineTest, SymbolicLinksPackWhatTheyPointTo)
{
    dir.file("real/inner.txt", "i");
    dir.file("other/deep.txt", "d");
    ASSERT_EQ(::symlink((dir / "real").c_str(), (dir / "alias").c_str()), 0);
    ASSERT_EQ(::symlink("inner.txt", (dir / "real" / "link").c_str()), 0);
    ASSERT_EQ(::symlink((dir / "other").c_str(), (dir / "real" / "folder").c_str()), 0);
    ASSERT_EQ(::symlink((dir / "real").c_str(), (dir / "other" / "back").c_str()), 0);
    ASSERT_EQ(::symlink("..", (dir.folder("real/sub") / "up").c_str()), 0);
    ASSERT_EQ(::symlink("nowhere", (dir / "real" / "dangling").c_str()), 0);
    engine.addURLs({dir / "alias"});

    // The dropped link is resolved and named as dropped; a link inside packs its target's data
    // or contents; links to a folder being walked (sub/up to its parent, other/back reached
    // through alias/folder to the root) and dangling links are left out.
    using Row = std::tuple<std::string, bool, std::string>;
    std::vector<Row> got;
    for (const auto &source : engine.sources())
        got.emplace_back(source.entryName, source.isDirectory,
                         source.filePath ? source.filePath->native() : std::string());
    const auto real = [&](const char *relative) { return FilePath::realPathOrSame(dir / relative).native(); };
    EXPECT_EQ(got, (std::vector<Row>{{"alias/", true, ""},
                                     {"alias/folder/", true, ""},
                                     {"alias/folder/deep.txt", false, real("other/deep.txt")},
                                     {"alias/inner.txt", false, real("real/inner.txt")},
                                     {"alias/link", false, real("real/inner.txt")},
                                     {"alias/sub/", true, ""}}));
    EXPECT_EQ(engine.plannedZipPath(), dir / "alias (Windows용).zip");
}

TEST_F(ZipKoreanEngineTest, EveryFormatRoundTrips)
{
    dir.file("set/a.txt", "A");
    dir.file("set/sub/b.txt", std::string(5000, 'b'));
    const auto original = tree(dir / "set");
    struct Case {
        Format format;
        const char *password;
        ZipKoreanEngine::ZipEncryptionChoice encryption;
        bool hideNames;
        const char *file;
    };
    using Choice = ZipKoreanEngine::ZipEncryptionChoice;
    const Case cases[] = {
        {Format::zip, "", Choice::aes256, true, "set (Windows용).zip"},
        {Format::zip, "pw", Choice::compatible, true, "set (Windows용) 2.zip"},
        {Format::zip, "pw", Choice::aes256, true, "set (Windows용) 3.zip"},
        {Format::sevenZip, "", Choice::compatible, true, "set.7z"},
        {Format::sevenZip, "pw", Choice::compatible, true, "set 2.7z"},
        {Format::sevenZip, "pw", Choice::compatible, false, "set 3.7z"},
        {Format::tar, "pw", Choice::compatible, true, "set.tar"},
        {Format::tarGz, "", Choice::compatible, true, "set.tar.gz"},
        {Format::tarBz2, "", Choice::compatible, true, "set.tar.bz2"},
        {Format::tarXz, "", Choice::compatible, true, "set.tar.xz"},
    };
    int copy = 1;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        engine.addURLs({dir / "set"});
        engine.setCreateFormat(c.format);
        engine.setCreatePassword(c.password);
        engine.setZipEncryption(c.encryption);
        engine.setSevenZipHideNames(c.hideNames);
        engine.createZip();
        ASSERT_FALSE(engine.actionError()) << engine.actionError()->toStdString();
        const fs::path made = dir / c.file;
        ASSERT_EQ(engine.createdZip(), made);
        ASSERT_TRUE(fs::is_regular_file(made));

        // What the writer was asked for shows in the archive.
        const bool locked = *c.password != '\0' && ZipKoreanEngine::supportsPassword(c.format);
        if (c.format == Format::zip) {
            const auto entry = ZipBackend().list(made, {}).entries.at(1);
            EXPECT_EQ(entry.name, "set/a.txt");
            EXPECT_EQ(entry.isEncrypted, locked);
            const auto detail = TestSupport::run("7zz", {"l", "-slt", q(made)});
            EXPECT_EQ(detail.out.find("Method = AES-256") != std::string::npos,
                      locked && c.encryption == Choice::aes256);
        } else if (c.format == Format::sevenZip) {
            if (locked && c.hideNames) {
                EXPECT_THROW(SevenZipBackend().list(made, {}), FormatError);
            }
            const auto entries = SevenZipBackend().list(made, "pw").entries;
            EXPECT_EQ(entries.back().isEncrypted, locked);
        }

        // Opened and extracted again by the engine, the tree comes back.
        ZipKoreanEngine reader;
        reader.addURLs({made});
        reader.setPassword(c.password);
        reader.extract();
        ASSERT_FALSE(reader.actionError()) << reader.actionError()->toStdString();
        ++copy;
        const fs::path back = dir / ("set " + std::to_string(copy));
        EXPECT_EQ(reader.extractedItem(), back);
        EXPECT_EQ(tree(back), original);
    }
}

TEST_F(ZipKoreanEngineTest, CreationNeverReplacesWhatItDidNotMake)
{
    dir.file("pics/a.txt", "A");
    for (Format format : {Format::zip, Format::sevenZip, Format::tarGz}) {
        const std::string ext = ZipKoreanEngine::extension(format);
        const std::string suffix = format == Format::zip ? " (Windows용)" : "";
        SCOPED_TRACE(ext);
        engine.addURLs({dir / "pics"});
        engine.setCreateFormat(format);
        if (format == Format::sevenZip)
            engine.setCreatePassword("pw");
        const fs::path planned = *engine.plannedZipPath();

        // Something comes to stand at the planned path after planning: a new free name is used.
        TestSupport::writeBytes(planned, "someone else's");
        engine.createZip();
        ASSERT_FALSE(engine.actionError()) << engine.actionError()->toStdString();
        const auto numbered = [&](int n) {
            const std::string name = "pics" + suffix + "." + ext;
            const auto dot = name.rfind('.');
            return dir / (name.substr(0, dot) + " " + std::to_string(n) + name.substr(dot));
        };
        const fs::path second = numbered(2);
        EXPECT_EQ(TestSupport::readBytes(planned), "someone else's");
        EXPECT_EQ(engine.createdZip(), second);
        EXPECT_EQ(engine.plannedZipPath(), second);

        // Pressing create again replaces the archive just made, at the same path.
        const auto first = namesIn(dir.path());
        engine.createZip();
        EXPECT_FALSE(engine.actionError());
        EXPECT_EQ(engine.createdZip(), second);
        EXPECT_EQ(namesIn(dir.path()), first);

        // Once another item replaced it, that item is kept as well.
        fs::remove(second);
        TestSupport::writeBytes(second, "replaced by the user");
        engine.createZip();
        EXPECT_EQ(TestSupport::readBytes(second), "replaced by the user");
        EXPECT_EQ(engine.createdZip(), numbered(3));
        EXPECT_FALSE(fs::exists(numbered(4)));
    }
    // No temporary file is left behind.
    for (const auto &name : namesIn(dir.path()))
        EXPECT_FALSE(name.starts_with(".")) << name;
}

TEST_F(ZipKoreanEngineTest, CreationFailuresLandInActionError)
{
    dir.file("gone/a.txt", "A");
    engine.addURLs({dir / "gone"});
    fs::remove(dir / "gone" / "a.txt");
    engine.createZip();
    ASSERT_TRUE(engine.actionError());
    EXPECT_FALSE(engine.createdZip());
    EXPECT_FALSE(engine.actionError()->contains(QStringLiteral(".quillfern-")));
    EXPECT_FALSE(fs::exists(*engine.plannedZipPath()));

    // An output folder without write permission (checked without root's privileges).
    dir.file("ro/item.txt", "x");
    fs::permissions(dir / "ro", fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                    fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    const int status = TestSupport::runAsNobody([&] {
        ZipKoreanEngine child;
        child.addURLs({dir / "ro" / "item.txt"});
        child.createZip();
        return child.actionError() && !child.createdZip() ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
}

TEST_F(ZipKoreanEngineTest, PropertiesNotifyOnlyOnChange)
{
    QSignalSpy skip(&engine, &ZipKoreanEngine::skipMacJunkChanged);
    QSignalSpy password(&engine, &ZipKoreanEngine::passwordChanged);
    QSignalSpy format(&engine, &ZipKoreanEngine::createFormatChanged);
    QSignalSpy planned(&engine, &ZipKoreanEngine::plannedZipPathChanged);
    QSignalSpy mode(&engine, &ZipKoreanEngine::modeChanged);
    QSignalSpy rows(&engine, &ZipKoreanEngine::displayEntriesChanged);

    engine.setSkipMacJunk(true);
    engine.setPassword("");
    engine.setCreateFormat(Format::zip);
    engine.clear();
    EXPECT_EQ(skip.count() + password.count() + format.count() + planned.count() + mode.count(), 0);
    EXPECT_EQ(rows.count(), 1); // a list notifies on every assignment

    engine.setSkipMacJunk(false);
    engine.setSkipMacJunk(false);
    EXPECT_EQ(skip.count(), 1);
    engine.addURLs({dir.file("a.txt", "A")});
    EXPECT_EQ(mode.count(), 1);
    EXPECT_EQ(planned.count(), 1);
    engine.setCreateFormat(Format::tar);
    engine.setCreateFormat(Format::tar);
    EXPECT_EQ(format.count(), 1);
    EXPECT_EQ(planned.count(), 2);

    // Assigning the present format re-plans: a path taken meanwhile is left for a free one.
    TestSupport::writeBytes(*engine.plannedZipPath(), "taken");
    engine.setCreateFormat(Format::tar);
    EXPECT_EQ(format.count(), 1);
    EXPECT_EQ(engine.plannedZipPath(), dir / "a 2.tar");

    // The junk choice survives a new drop and clear().
    engine.addURLs({dir / "a.txt"});
    engine.clear();
    EXPECT_FALSE(engine.skipMacJunk());
}

TEST(ZipKoreanEngineFormats, LabelsAndRawValues)
{
    for (Format format : ZipKoreanEngine::allCreateFormats)
        EXPECT_EQ(ZipKoreanEngine::createFormatFromString(ZipKoreanEngine::toString(format)), format);
    EXPECT_FALSE(ZipKoreanEngine::createFormatFromString("rar"));
    EXPECT_EQ(ZipKoreanEngine::label(Format::tarBz2), "tar.bz2");
    EXPECT_EQ(ZipKoreanEngine::label(Format::zip), QString::fromUtf8("ZIP — 호환 최고, Windows 권장"));
    EXPECT_TRUE(ZipKoreanEngine::supportsPassword(Format::sevenZip));
    EXPECT_FALSE(ZipKoreanEngine::supportsPassword(Format::tarXz));
    EXPECT_EQ(ZipKoreanEngine::zipEncryptionFromString("aes256"),
              ZipKoreanEngine::ZipEncryptionChoice::aes256);
    EXPECT_EQ(ZipKoreanEngine::label(ZipKoreanEngine::ZipEncryptionChoice::compatible),
              QString::fromUtf8("호환 우선 (Windows 기본 지원)"));
}

TEST_F(ZipKoreanEngineTest, SevenZipTheOwnReaderRefusesIsExtractedByLibarchive)
{
    dir.file("bz/notes/a.txt", std::string(3000, 'a'));
    dir.file("bz/notes/b.txt", "b");
    const auto made = TestSupport::run("7zz", {"a", "-m0=BZip2", q(dir / "notes.7z"), "notes"}, dir / "bz");
    ASSERT_EQ(made.exitCode, 0) << made.err;
    engine.addURLs({dir / "notes.7z"});
    ASSERT_FALSE(engine.loadError()) << engine.loadError()->toStdString();
    EXPECT_EQ(engine.displayEntries().size(), 3u);
    engine.extract();
    ASSERT_FALSE(engine.actionError()) << engine.actionError()->toStdString();
    EXPECT_EQ(engine.extractedItem(), dir / "notes");
    EXPECT_EQ(tree(dir / "notes"), tree(dir / "bz" / "notes"));
}

TEST_F(ZipKoreanEngineTest, EveryNumberedNameTakenIsReportedNotOverwritten)
{
    const fs::path zip = writeZip(dir, "full.zip", {{"a.txt", "new"}});
    dir.folder("taken");
    TestSupport::writeBytes(dir / "a.txt", "old");
    TestSupport::writeBytes(dir / "taken" / "b (Windows용).zip", "old");
    for (int n = 2; n < 10000; ++n) {
        TestSupport::writeBytes(dir / ("a " + std::to_string(n) + ".txt"), "old");
        TestSupport::writeBytes(dir / "taken" / ("b (Windows용) " + std::to_string(n) + ".zip"), "old");
    }
    engine.addURLs({zip});
    engine.extract();
    EXPECT_EQ(engine.actionError(), QString::fromUtf8("풀 위치를 정하지 못했습니다."));
    EXPECT_FALSE(engine.extractedItem());
    EXPECT_EQ(TestSupport::readBytes(dir / "a.txt"), "old");
    EXPECT_EQ(TestSupport::readBytes(dir / "a 9999.txt"), "old");

    engine.addURLs({dir.file("taken/b.txt", "b")});
    EXPECT_FALSE(engine.plannedZipPath());
    engine.createZip();
    EXPECT_EQ(engine.actionError(), QString::fromUtf8("저장할 위치를 정하지 못했습니다."));
}
