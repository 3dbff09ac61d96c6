#include "Archive/Zip/ZipBackend.h"
#include "Archive/Zip/ZipReader.h"

#include "Core/Text.h"
#include "ZipTestSupport.h"
#include "support/TestSupport.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <set>

using namespace ZipTest;
using Enc = ZipEntry::NameEncoding;

namespace {

const std::set<std::string> standardNames{"폴더/", "폴더/내용.txt", "폴더/random.bin", "한글 문서.txt",
                                          "one.txt"};

struct Fixture {
    const char *file;
    std::set<std::string> names;
    Enc koreanEncoding; // of the names holding Korean text
};

const Fixture peerFixtures[] = {
    {"infozip-utf8-flagless.zip", standardNames, Enc::utf8},
    {"infozip-stored.zip", standardNames, Enc::utf8},
    {"infozip-traditional-descriptor.zip", standardNames, Enc::utf8},
    {"7z-traditional.zip", standardNames, Enc::utf8},
    {"7z-aes128-ae2.zip", standardNames, Enc::utf8},
    {"7z-aes192-ae2.zip", standardNames, Enc::utf8},
    {"7z-aes256-ae2.zip", standardNames, Enc::utf8},
    {"aes192-ae1.zip", standardNames, Enc::utf8},
    {"bsdtar-aes128.zip", standardNames, Enc::utf8},
    {"bsdtar-aes256.zip", standardNames, Enc::utf8},
    {"bsdtar-cp949.zip", standardNames, Enc::cp949},
    {"python-cp949.zip", {"한글 문서.txt", "폴더/내용.txt", "caf\xC3\xBF.txt"}, Enc::cp949},
    {"python-unicode-path.zip", {"유니코드 이름.txt"}, Enc::utf8},
};

} // namespace

// Each archive made by a peer lists with the right names and extracts to what 7-Zip extracts.
TEST(ZipFixtures, listAndExtractLike7Zip)
{
    ASSERT_TRUE(TestSupport::haveProgram(QStringLiteral("7zz")));
    for (const auto &f : peerFixtures) {
        SCOPED_TRACE(f.file);
        const ArchiveInput archive = ArchiveInput::open(fixture(f.file));
        const auto entries = ZipReader::readEntries(archive);
        std::set<std::string> names;
        for (const auto &e : entries) {
            names.insert(e.decodedName);
            const bool ascii = std::all_of(e.decodedName.begin(), e.decodedName.end(),
                                           [](char c) { return (unsigned char)c < 0x80; });
            if (e.decodedName.starts_with("caf")) {
                EXPECT_EQ(int(e.encoding), int(Enc::latin1));
            } else if (!ascii) {
                EXPECT_EQ(int(e.encoding), int(f.koreanEncoding)) << e.decodedName;
            }
        }
        EXPECT_EQ(names, f.names);

        TestSupport::TempDir ours;
        TestSupport::TempDir theirs;
        const auto counts = ZipReader::extract(entries, archive, ours.path(), false, std::nullopt, "pass1");
        EXPECT_EQ(counts.extracted, int(std::count_if(entries.begin(), entries.end(),
                                                      [](const ZipEntry &e) { return !e.isDirectory; })));
        const auto peer = TestSupport::run(
            QStringLiteral("7zz"), {QStringLiteral("x"), QStringLiteral("-y"), QStringLiteral("-ppass1"),
                                    QStringLiteral("-o") + QString::fromStdString(theirs.path().native()),
                                    QString::fromStdString(fixture(f.file).native())});
        ASSERT_EQ(peer.exitCode, 0) << peer.out << peer.err;
        EXPECT_EQ(tree(ours.path()), tree(theirs.path()));
    }
}

TEST(ZipFixtures, wrongAndMissingPasswords)
{
    for (const char *file : {"infozip-traditional-descriptor.zip", "7z-traditional.zip", "7z-aes256-ae2.zip",
                             "aes192-ae1.zip", "bsdtar-aes128.zip"}) {
        SCOPED_TRACE(file);
        const ArchiveInput archive = ArchiveInput::open(fixture(file));
        for (const auto &e : ZipReader::readEntries(archive)) {
            if (e.isDirectory)
                continue;
            expectZipError([&] { ZipReader::extractData(e, archive, ""); }, ZipError::Kind::passwordRequired);
            expectZipError([&] { ZipReader::extractData(e, archive, "pass2"); },
                           ZipError::Kind::wrongPassword);
        }
    }
}

TEST(ZipFixtures, backslashesBecomeFoldersAndEscapesAreRefused)
{
    TestSupport::TempDir dir;
    const auto backslash = ArchiveInput::open(fixture("python-backslash.zip"));
    ZipReader::extract(ZipReader::readEntries(backslash), backslash, dir.folder("b"), false, std::nullopt,
                       "");
    const std::map<std::string, std::string> expected{{"ok.txt", "fine\n"},
                                                      {"dir/sub/file.txt", "payload\n"}};
    EXPECT_EQ(tree(dir / "b"), expected);

    const std::pair<const char *, const char *> escapes[] = {{"python-dotdot.zip", "../escaped.txt"},
                                                             {"python-absolute.zip", "/tmp/absolute.txt"}};
    for (const auto &[file, name] : escapes) {
        SCOPED_TRACE(file);
        const auto archive = ArchiveInput::open(fixture(file));
        const auto target = dir.folder(file);
        expectZipError(
            [&] {
                ZipReader::extract(ZipReader::readEntries(archive), archive, target, false, std::nullopt, "");
            },
            ZipError::Kind::corrupted, QStringLiteral("잘못된 경로: ") + QString::fromUtf8(name));
        EXPECT_EQ(tree(target).size(), 1u);
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "escaped.txt"));
}

// Names stored without the UTF-8 flag or a Unicode Path field, as real writers leave them: Info-ZIP
// on Linux (UTF-8 as the files are named, NFC, or NFD from macOS) and Korean Windows (CP949).
// Several of them read validly both ways; each lists and extracts as its writer meant.
TEST(ZipFixtures, flaglessNamesFromEachWriter)
{
    TestSupport::TempDir dir;
    const auto made =
        TestSupport::run(QStringLiteral("bash"),
                         {TestSupport::q(fixture("make-name-fixtures.sh")), TestSupport::q(dir.path())});
    ASSERT_EQ(made.exitCode, 0) << made.err;
    const std::set<std::string> infoZip{
        "문서/", "문서/참고문헌.txt", "채용 공고.pdf", "백업_2024.01.01.tar.gz", "한글 문서.txt", "café.txt"};
    struct Case {
        const char *file;
        std::set<std::string> names; // composed
        Enc encoding;
        bool nfd;
    };
    const Case cases[] = {
        {"infozip-names-nfc.zip", infoZip, Enc::utf8, false},
        {"infozip-names-nfd.zip", infoZip, Enc::utf8, true},
        {"python-names-cp949.zip",
         {"한글 문서.txt", "표 1.xlsx", "책.txt", "천체.jpg", "똠방각하.txt"},
         Enc::cp949,
         false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        const auto archive = ArchiveInput::open(dir / c.file);
        const auto entries = ZipReader::readEntries(archive);
        std::set<std::string> names;
        std::set<std::string> folders;
        for (const auto &e : entries) {
            // Listed as stored: NFD stays NFD until extraction composes it.
            EXPECT_EQ(e.decodedName, c.nfd ? Text::toNfd(e.decodedName) : Text::toNfc(e.decodedName));
            EXPECT_EQ(int(e.encoding), int(c.encoding)) << e.decodedName;
            const std::string name = Text::toNfc(e.decodedName);
            names.insert(name);
            folders.insert(name.ends_with('/') ? name.substr(0, name.size() - 1) : name);
        }
        EXPECT_EQ(names, c.names);

        const auto out = dir.folder(std::string(c.file) + ".out");
        ZipReader::extract(entries, archive, out, false, std::nullopt, "");
        EXPECT_EQ(TestSupport::entriesBelow(out), folders);
    }
}

// Info-ZIP writes ZIP64 records past 65 535 entries, and always with -fz: refused as ZIP64 at once,
// nothing extracted.
TEST(ZipFixtures, zip64FromInfoZipIsRefusedWhole)
{
    TestSupport::TempDir dir;
    const auto files = dir.folder("many");
    for (int i = 0; i < 65536; ++i) {
        const int fd =
            ::open((files / std::to_string(i)).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        ASSERT_GE(fd, 0);
        ::close(fd);
    }
    for (const auto &args : {QStringList{"-q", "-r", "-0", "many.zip", "many"},
                             QStringList{"-q", "-fz", "forced.zip", "many/0"}}) {
        const auto r = TestSupport::run(QStringLiteral("zip"), args, dir.path());
        ASSERT_EQ(r.exitCode, 0) << r.err;
    }
    for (const char *zip : {"many.zip", "forced.zip"}) {
        SCOPED_TRACE(zip);
        expectZipError([&] { ZipReader::readEntries(ArchiveInput::open(dir / zip)); },
                       ZipError::Kind::unsupported, QStringLiteral("ZIP64 (4GB 이상)"));
        ArchiveBackend::ExtractOptions options;
        options.destination = dir.folder(std::string(zip) + ".out");
        expectZipError([&] { ZipBackend().extract(dir / zip, options); }, ZipError::Kind::unsupported);
        EXPECT_TRUE(TestSupport::entriesBelow(options.destination).empty());
    }
}

// Info-ZIP writes a ZIP64 end record and locator whenever it streams, with every value fitting the
// end record; a self-extractor's program before the archive moves every offset (zip -A corrects
// them). unzip and 7-Zip read all of these, and so does the reader; a ZIP64 end record holding
// values the end record does not is still refused as ZIP64.
TEST(ZipFixtures, streamedAndSelfExtractingArchivesRead)
{
    TestSupport::TempDir dir;
    const auto shell = [&](const QString &command) {
        const auto r = TestSupport::run(QStringLiteral("sh"), {QStringLiteral("-c"), command}, dir.path());
        ASSERT_EQ(r.exitCode, 0) << r.err;
    };
    shell(QStringLiteral("seq 1 10000 > numbers; seq 1 10000 | zip -q - - > streamed.zip"));
    shell(
        QStringLiteral("printf 'first\\n' > a.txt; printf 'second\\n' > b.txt; zip -q plain.zip a.txt b.txt; "
                       "cat /usr/bin/unzipsfx plain.zip > sfx.zip; cp sfx.zip adjusted.zip; "
                       "zip -q -A adjusted.zip"));
    const std::string numbers = TestSupport::readBytes(dir / "numbers");
    const struct {
        const char *archive;
        std::map<std::string, std::string> files;
    } cases[] = {
        {"streamed.zip", {{"-", numbers}}},
        {"sfx.zip", {{"a.txt", "first\n"}, {"b.txt", "second\n"}}},
        {"adjusted.zip", {{"a.txt", "first\n"}, {"b.txt", "second\n"}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.archive);
        for (const char *peer : {"unzip", "7zz"}) {
            const QStringList test = std::string(peer) == "unzip" ? QStringList{"-tq"} : QStringList{"t"};
            const auto r = TestSupport::run(QString::fromUtf8(peer),
                                            test + QStringList{QString::fromUtf8(c.archive)}, dir.path());
            // unzip says it found the program before the archive with exit code 1, a warning.
            EXPECT_LE(r.exitCode, 1) << peer << r.out << r.err;
        }
        const auto archive = ArchiveInput::open(dir / c.archive);
        const auto entries = ZipReader::readEntries(archive);
        const auto out = dir.folder(std::string(c.archive) + ".out");
        EXPECT_EQ(ZipReader::extract(entries, archive, out, false, std::nullopt, "").extracted,
                  int(c.files.size()));
        EXPECT_EQ(tree(out), c.files);
    }

    // The same streamed archive with a ZIP64 end record that counts one record more.
    Bytes larger = readFile(dir / "streamed.zip");
    const Bytes signature{0x50, 0x4B, 0x06, 0x06};
    const auto record = std::search(larger.begin(), larger.end(), signature.begin(), signature.end());
    ASSERT_NE(record, larger.end());
    record[32] += 1; // total records
    expectZipError([&] { ZipReader::readEntries(memory(larger)); }, ZipError::Kind::unsupported,
                   QStringLiteral("ZIP64 (4GB 이상)"));
}
