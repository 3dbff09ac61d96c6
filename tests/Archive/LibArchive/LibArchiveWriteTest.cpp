#include "LibArchiveTesting.h"

#include "Core/FreeName.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QProcess>

#include <sys/stat.h>

using namespace LibArchiveTesting;
using Error = LibArchive::ArchiveError;
using Format = LibArchive::WriteFormat;
using Source = ZipWriter::Source;
namespace fs = std::filesystem;

namespace {

// Sources as the engine builds them: folders end in "/", files carry their path.
std::vector<Source> treeSources(const TestSupport::TempDir &dir)
{
    std::string binary(300000, '\0');
    for (std::size_t i = 0; i < binary.size(); ++i)
        binary[i] = char((i * 2654435761u) >> 13);
    return {
        {"사진 모음/", dir.folder("src/사진 모음"), true},
        {"사진 모음/설명.txt", dir.file("src/사진 모음/설명.txt", "가을 여행 사진들.\n"), false},
        {"사진 모음/빈 파일", dir.file("src/사진 모음/빈 파일"), false},
        {"사진 모음/원본/", dir.folder("src/사진 모음/원본"), true},
        {"사진 모음/원본/big.bin", dir.file("src/사진 모음/원본/big.bin", binary), false},
        {"메모.txt", dir.file("src/메모.txt", "memo\n"), false},
    };
}

std::map<std::string, std::string> expectedFiles(const std::vector<Source> &sources)
{
    std::map<std::string, std::string> files;
    for (const auto &s : sources)
        if (!s.isDirectory)
            files[s.entryName] = TestSupport::readBytes(*s.filePath);
    return files;
}

std::set<std::string> bsdtarNames(const fs::path &archive)
{
    const auto result = peer({"bsdtar", "-tf", q(archive)});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    std::set<std::string> names;
    std::string line;
    for (char c : result.out) {
        if (c == '\n') {
            // Formats differ on a folder's trailing "/".
            if (line.ends_with('/'))
                line.pop_back();
            names.insert(line);
            line.clear();
        } else {
            line += c;
        }
    }
    return names;
}

} // namespace

TEST(LibArchiveWrite, EveryFormatPassesThePeersAndExtractsByteForByte)
{
    const struct {
        Format format;
        const char *name;
        QStringList check; // an integrity check of the compressed stream or the 7z archive
    } cases[] = {
        {Format::sevenZip, "out.7z", {"7zz", "t"}},    {Format::tar, "out.tar", {"tar", "-tvf"}},
        {Format::tarGz, "out.tar.gz", {"gzip", "-t"}}, {Format::tarBz2, "out.tar.bz2", {"bzip2", "-t"}},
        {Format::tarXz, "out.tar.xz", {"xz", "-t"}},
    };
    TestSupport::TempDir dir;
    const auto sources = treeSources(dir);
    const std::set<std::string> names{"사진 모음",      "사진 모음/설명.txt",     "사진 모음/빈 파일",
                                      "사진 모음/원본", "사진 모음/원본/big.bin", "메모.txt"};
    const auto expected = expectedFiles(sources);

    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const auto archive = dir / c.name;
        bridge().createArchive(archive, sources, c.format);

        auto checked = peer(c.check + QStringList{q(archive)});
        EXPECT_EQ(checked.exitCode, 0) << checked.out << checked.err;
        EXPECT_EQ(bsdtarNames(archive), names);
        if (c.format != Format::sevenZip) {
            const auto gnu = peer({"tar", "-tvf", q(archive)});
            EXPECT_EQ(gnu.exitCode, 0) << gnu.err;
            EXPECT_EQ(gnu.err, "");
        }

        // Folders 0755, files 0644.
        const auto verbose = peer({"bsdtar", "-tvf", q(archive)});
        EXPECT_EQ(verbose.exitCode, 0) << verbose.err;
        std::set<std::string> modes;
        for (std::size_t start = 0; start < verbose.out.size();) {
            const auto end = verbose.out.find('\n', start);
            modes.insert(verbose.out.substr(start, 10));
            start = end + 1;
        }
        EXPECT_EQ(modes, (std::set<std::string>{"drwxr-xr-x", "-rw-r--r--"}));

        TestSupport::TempDir byBsdtar;
        EXPECT_EQ(peer({"bsdtar", "-xf", q(archive), "-C", q(byBsdtar.path())}).exitCode, 0);
        EXPECT_EQ(filesBelow(byBsdtar.path()), expected);
        // bsdtar applies the stored times: every entry carries the same one.
        std::set<std::int64_t> times;
        for (const auto &entry : fs::recursive_directory_iterator(byBsdtar.path())) {
            struct stat status {};
            ASSERT_EQ(::lstat(entry.path().c_str(), &status), 0);
            times.insert(status.st_mtime);
        }
        EXPECT_EQ(times.size(), 1u);
        if (c.format == Format::sevenZip) {
            TestSupport::TempDir by7zz;
            EXPECT_EQ(peer({"7zz", "x", "-bd", "-o" + q(by7zz.path()), q(archive)}).exitCode, 0);
            EXPECT_EQ(filesBelow(by7zz.path()), expected);
        } else {
            TestSupport::TempDir byTar;
            EXPECT_EQ(peer({"tar", "-xf", q(archive), "-C", q(byTar.path())}).exitCode, 0);
            EXPECT_EQ(filesBelow(byTar.path()), expected);
        }
        TestSupport::TempDir byUs;
        EXPECT_EQ(bridge().extract(archive, byUs.path(), false, {}, {}, {}), 4);
        EXPECT_EQ(filesBelow(byUs.path()), expected);
    }
    // Nothing but the archives and the sources is left in the folder.
    std::set<std::string> top;
    for (const auto &entry : fs::directory_iterator(dir.path()))
        top.insert(entry.path().filename().native());
    EXPECT_EQ(top,
              (std::set<std::string>{"src", "out.7z", "out.tar", "out.tar.gz", "out.tar.bz2", "out.tar.xz"}));
}

TEST(LibArchiveWrite, ASymbolicLinkSourceStoresAllOfItsTargetsBytes)
{
    TestSupport::TempDir dir;
    const std::string bytes(100000, 'x');
    const auto real = dir.file("real.bin", bytes);
    fs::create_symlink(real, dir / "link.bin");
    for (const auto format : {Format::tar, Format::sevenZip}) {
        const auto archive = dir / (format == Format::tar ? "a.tar" : "a.7z");
        bridge().createArchive(archive, {{"link.bin", dir / "link.bin", false}}, format);
        TestSupport::TempDir out;
        EXPECT_EQ(peer({"bsdtar", "-xf", q(archive), "-C", q(out.path())}).exitCode, 0);
        EXPECT_EQ(filesBelow(out.path()), (std::map<std::string, std::string>{{"link.bin", bytes}}));
    }
}

TEST(LibArchiveWrite, ASourceThatCannotBeReadWhollyFailsAndLeavesNothing)
{
    TestSupport::TempDir dir;
    const auto fifo = dir / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    dir.folder("folder");
    fs::create_symlink(dir / "nowhere", dir / "dangling");
    const struct {
        const char *what;
        fs::path path;
    } cases[] = {
        {"missing", dir / "missing.txt"},
        {"fifo", fifo}, // must not block waiting for a writer
        {"folder", dir / "folder"},
        {"dangling link", dir / "dangling"},
        {"grows past its declared size", "/proc/self/status"},
    };
    const auto first = dir.file("first.txt", "first\n");
    const auto before = entriesBelow(dir.path());
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        for (const auto format : {Format::tar, Format::sevenZip}) {
            const std::vector<Source> sources{{"first.txt", first, false}, {"항목", c.path, false}};
            EXPECT_EQ(errorOf([&] { bridge().createArchive(dir / "out.tar", sources, format); }),
                      Error::failed(QStringLiteral("읽기 실패: 항목")));
            EXPECT_EQ(entriesBelow(dir.path()), before);
        }
    }
}

TEST(LibArchiveWrite, AnExistingItemIsNeverReplaced)
{
    TestSupport::TempDir dir;
    const auto existing = dir.file("taken.tar", "keep me");
    const std::vector<Source> sources{{"a.txt", dir.file("a.txt", "a\n"), false}};
    EXPECT_EQ(errorOf([&] { bridge().createArchive(existing, sources, Format::tar); }),
              Error::failed(QStringLiteral("파일 생성: File exists")));
    EXPECT_EQ(TestSupport::readBytes(existing), "keep me");
    EXPECT_EQ(errorOf([&] { bridge().createArchive(dir / "no/such/folder.tar", sources, Format::tar); }),
              Error::failed(QStringLiteral("파일 생성: No such file or directory")));
    EXPECT_EQ(entriesBelow(dir.path()), (std::set<std::string>{"taken.tar", "a.txt"}));
}

TEST(LibArchiveWrite, ANameThatIsNotUtf8IsKeptAsBytesInTarAndRefusedBy7z)
{
    TestSupport::TempDir dir;
    const std::string name = "\xB0\xA1.txt"; // CP949 bytes, as an old unzip tool leaves them
    const std::vector<Source> sources{{name, dir.file("source.txt", "bytes\n"), false}};
    for (const auto format : {Format::tar, Format::tarGz}) {
        const auto archive = dir / (format == Format::tar ? "a.tar" : "a.tar.gz");
        bridge().createArchive(archive, sources, format);
        EXPECT_EQ(peer({"tar", "-tf", q(archive)}).exitCode, 0);
        TestSupport::TempDir out;
        EXPECT_EQ(peer({"bsdtar", "-xf", q(archive), "-C", q(out.path())}).exitCode, 0);
        EXPECT_EQ(filesBelow(out.path()), (std::map<std::string, std::string>{{name, "bytes\n"}}));
    }
    const auto refused = errorOf([&] { bridge().createArchive(dir / "a.7z", sources, Format::sevenZip); });
    EXPECT_EQ(refused.kind(), Error::Kind::failed);
    EXPECT_THAT(refused.detail().toStdString(), testing::StartsWith("헤더 쓰기: "));
    EXPECT_FALSE(pathIsTaken(dir / "a.7z"));
}

TEST(LibArchiveWrite, EntriesWithoutDataAreHeadersOnly)
{
    TestSupport::TempDir dir;
    const std::vector<Source> sources{
        {"empty/", std::nullopt, true},
        {"no-source", std::nullopt, false},
        {"folder-with-path/", dir.folder("f"), true},
    };
    bridge().createArchive(dir / "a.tar", sources, Format::tar);
    EXPECT_EQ(bridge().listEntries(dir / "a.tar", {}),
              (std::vector<LibArchive::Item>{
                  {"empty/", true, 0}, {"no-source", false, 0}, {"folder-with-path/", true, 0}}));
}

TEST(LibArchiveWrite, CreationWorksInTheCLocale)
{
    TestSupport::TempDir dir;
    const auto source = dir.file("source.txt", "내용입니다.\n");
    const auto out = dir.folder("out");
    QProcess child;
    auto environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("LANG"));
    environment.remove(QStringLiteral("LC_CTYPE"));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    child.setProcessEnvironment(environment);
    child.start(QStringLiteral(LOCALE_CHILD_PATH), {q(out), q(source)});
    ASSERT_TRUE(child.waitForFinished(60000));
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(child.exitCode(), 0) << child.readAllStandardError().toStdString();
    EXPECT_EQ(child.readAllStandardOutput().toStdString(), "ANSI_X3.4-1968\n");

    for (const char *name : {"a.7z", "a.tar", "a.tar.gz", "a.tar.bz2", "a.tar.xz"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(bsdtarNames(out / name), (std::set<std::string>{"한글폴더", "한글폴더/문서.txt"}));
        TestSupport::TempDir extracted;
        EXPECT_EQ(peer({"bsdtar", "-xf", q(out / name), "-C", q(extracted.path())}).exitCode, 0);
        EXPECT_EQ(filesBelow(extracted.path()),
                  (std::map<std::string, std::string>{{"한글폴더/문서.txt", "내용입니다.\n"}}));
    }
}

TEST(LibArchiveWrite, AFolderWithoutWritePermissionIsReported)
{
    TestSupport::TempDir dir;
    const auto source = dir.file("a.txt", "a\n");
    const auto locked = dir.folder("locked");
    ASSERT_EQ(::chmod(locked.c_str(), 0555), 0);
    const auto archive = fixtures() / "one.tar"; // made here, with the test's own rights
    const std::string detail = TestSupport::runAsNobodyCapture([&] {
        try {
            bridge().createArchive(locked / "out.tar", {{"a.txt", source, false}}, Format::tar);
        } catch (const Error &error) {
            return error.detail().toStdString();
        }
        return std::string("created");
    });
    EXPECT_EQ(detail, "파일 생성: Permission denied");
    const std::string extracted = TestSupport::runAsNobodyCapture([&] {
        try {
            bridge().extract(archive, locked, false, {}, {}, {});
        } catch (const Error &error) {
            return error.detail().toStdString();
        }
        return std::string("extracted");
    });
    EXPECT_EQ(extracted, "쓰기 실패: " + locked.native() + "/only.txt");
    EXPECT_TRUE(entriesBelow(locked).empty());
}
