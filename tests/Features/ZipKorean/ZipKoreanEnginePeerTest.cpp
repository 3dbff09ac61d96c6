// End-to-end checks of the engine against the archivers people use.
#include "EngineTestSupport.h"

#include "Core/Text.h"
#include "Features/ZipKorean/ZipKoreanEngine.h"

#include <gtest/gtest.h>

#include <climits>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace EngineTest;
using TestSupport::ProcessResult;
using TestSupport::TempDir;
using Format = ZipKoreanEngine::CreateFormat;

namespace {

// A new archive of one dropped item, made by the engine; an empty path when that failed.
fs::path packed(const fs::path &item, Format format, const char *password)
{
    ZipKoreanEngine engine;
    engine.addURLs({item});
    engine.setCreateFormat(format);
    engine.setCreatePassword(password);
    engine.createZip();
    EXPECT_TRUE(engine.createdZip()) << engine.actionError().value_or("").toStdString();
    return engine.createdZip().value_or(fs::path());
}

} // namespace

TEST(ZipKoreanEnginePeers, Cp949ZipFromInfoZipExtractsWithComposedKoreanNames)
{
    TempDir dir;
    const std::vector<std::string> names{"\xEA\xB0\x80\xEB\x82\x98.txt",               // 가나.txt
                                         "\xEB\xB3\xB4\xEA\xB3\xA0\xEC\x84\x9C.hwp",   // 보고서.hwp
                                         "\xEC\x9E\x90\xEB\xA3\x8C/\xED\x95\x9C.txt"}; // 자료/한.txt
    for (const auto &name : names) {
        std::string cp949;
        std::size_t start = 0;
        // Each component is encoded on its own, the "/" kept.
        while (start <= name.size()) {
            const auto slash = name.find('/', start);
            const auto piece =
                name.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
            cp949 += *Text::encodeCp949(piece);
            if (slash == std::string::npos)
                break;
            cp949 += '/';
            start = slash + 1;
        }
        dir.file("src/" + cp949, "content of " + name);
    }
    const auto zipped = TestSupport::run("zip", {"-q", "-r", q(dir / "win.zip"), "."}, dir / "src");
    ASSERT_EQ(zipped.exitCode, 0) << zipped.err;

    ZipKoreanEngine engine;
    engine.addURLs({dir / "win.zip"});
    ASSERT_FALSE(engine.loadError()) << engine.loadError()->toStdString();
    EXPECT_EQ(engine.cp949Count(), 4); // three files and the folder
    engine.extract();
    ASSERT_FALSE(engine.actionError()) << engine.actionError()->toStdString();
    EXPECT_EQ(engine.extractedItem(), dir / "win");
    std::map<std::string, std::string> expected{{"\xEC\x9E\x90\xEB\xA3\x8C/", "/"}};
    for (const auto &name : names)
        expected[name] = "content of " + name;
    const auto got = tree(dir / "win");
    EXPECT_EQ(got, expected);
    for (const auto &[name, content] : got)
        EXPECT_TRUE(Text::isNfc(name)) << name;
}

TEST(ZipKoreanEnginePeers, JunkStaysOutOfAZipThat7zAccepts)
{
    TempDir dir;
    dir.file("share/report.txt", "report");
    dir.file("share/.DS_Store", "ds");
    dir.file("share/._report.txt", "appledouble");
    dir.file("share/__MACOSX/._report.txt", "appledouble");
    dir.file("share/inner/photo.jpg", std::string(3000, 'p'));
    ZipKoreanEngine engine;
    engine.addURLs({dir / "share"});
    EXPECT_EQ(engine.junkSkippedCount(), 3);
    engine.createZip();
    ASSERT_TRUE(engine.createdZip()) << engine.actionError().value_or("").toStdString();

    const auto tested = TestSupport::run("7zz", {"t", q(*engine.createdZip())});
    EXPECT_EQ(tested.exitCode, 0) << tested.out << tested.err;
    const auto listed = TestSupport::run("unzip", {"-Z1", q(*engine.createdZip())});
    ASSERT_EQ(listed.exitCode, 0);
    EXPECT_EQ(listed.out, "share/\nshare/inner/\nshare/inner/photo.jpg\nshare/report.txt\n");
}

TEST(ZipKoreanEnginePeers, EncryptedSevenZipWithHiddenNamesOpensIn7zzWithThePasswordOnly)
{
    TempDir dir;
    const std::string secret = "\xEB\xB9\x84\xEB\xB0\x80"; // 비밀
    dir.file(secret + "/plan.txt", "the plan");
    ZipKoreanEngine engine;
    engine.addURLs({dir / secret});
    engine.setCreateFormat(Format::sevenZip);
    engine.setCreatePassword(QString::fromUtf8("열쇠"));
    engine.createZip();
    ASSERT_TRUE(engine.createdZip()) << engine.actionError().value_or("").toStdString();
    const QString archive = q(*engine.createdZip());

    const auto blind = TestSupport::run("7zz", {"l", "-p", archive});
    EXPECT_NE(blind.exitCode, 0);
    EXPECT_EQ(blind.out.find("plan.txt"), std::string::npos);
    const auto wrong = TestSupport::run("7zz", {"t", "-pwrong", archive});
    EXPECT_NE(wrong.exitCode, 0);
    const auto right =
        TestSupport::run("7zz", {"x", QString::fromUtf8("-p열쇠"), "-o" + q(dir / "out"), archive});
    ASSERT_EQ(right.exitCode, 0) << right.out << right.err;
    EXPECT_EQ(TestSupport::readBytes(dir / "out" / secret / "plan.txt"), "the plan");
}

TEST(ZipKoreanEnginePeers, TarFamilyAndPlainSevenZipReadByPeers)
{
    TempDir dir;
    dir.file("docs/a.txt", "A");
    dir.file("docs/b/c.txt", "C");
    for (Format format : {Format::tar, Format::tarGz, Format::tarBz2, Format::tarXz, Format::sevenZip}) {
        SCOPED_TRACE(ZipKoreanEngine::extension(format));
        ZipKoreanEngine engine;
        engine.addURLs({dir / "docs"});
        engine.setCreateFormat(format);
        engine.createZip();
        ASSERT_TRUE(engine.createdZip()) << engine.actionError().value_or("").toStdString();
        const fs::path out = dir / ("out-" + ZipKoreanEngine::extension(format));
        fs::create_directory(out);
        const bool seven = format == Format::sevenZip;
        const auto r = seven ? TestSupport::run("7zz", {"x", "-o" + q(out), q(*engine.createdZip())})
                             : TestSupport::run("bsdtar", {"-xf", q(*engine.createdZip()), "-C", q(out)});
        ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
        EXPECT_EQ(tree(out / "docs"), tree(dir / "docs"));
    }
}

TEST(ZipKoreanEnginePeers, AFolderHoldingLinksPacksInEveryFormat)
{
    TempDir dir;
    dir.file("photos/a.jpg", "photo");
    dir.file("photos/sub/c.txt", "c");
    dir.file("elsewhere/b.txt", "b");
    ASSERT_EQ(::symlink("a.jpg", (dir / "photos" / "same.jpg").c_str()), 0);
    ASSERT_EQ(::symlink((dir / "elsewhere").c_str(), (dir / "photos" / "dirlink").c_str()), 0);
    ASSERT_EQ(::symlink("..", (dir / "photos" / "sub" / "up").c_str()), 0);
    ASSERT_EQ(::symlink("gone", (dir / "photos" / "dangling").c_str()), 0);
    const std::map<std::string, std::string> expected{
        {"a.jpg", "photo"},     {"same.jpg", "photo"}, {"dirlink/", "/"},
        {"dirlink/b.txt", "b"}, {"sub/", "/"},         {"sub/c.txt", "c"},
    };
    const struct {
        Format format;
        const char *password;
    } cases[] = {{Format::zip, ""},   {Format::sevenZip, ""}, {Format::sevenZip, "pw"}, {Format::tar, ""},
                 {Format::tarGz, ""}, {Format::tarBz2, ""},   {Format::tarXz, ""}};
    int n = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(ZipKoreanEngine::extension(c.format) + (*c.password ? " with a password" : ""));
        const fs::path made = packed(dir / "photos", c.format, c.password);
        ASSERT_FALSE(made.empty());
        const QString archive = q(made);
        const fs::path out = dir.folder("out " + std::to_string(++n));
        const bool sevenZip = c.format == Format::zip || c.format == Format::sevenZip;
        const QString password = QStringLiteral("-p") + QString::fromUtf8(c.password);
        const auto tested = sevenZip ? TestSupport::run("7zz", {"t", password, archive})
                                     : TestSupport::run("bsdtar", {"-tf", archive});
        EXPECT_EQ(tested.exitCode, 0) << tested.out << tested.err;
        const auto extracted = sevenZip ? TestSupport::run("7zz", {"x", password, "-o" + q(out), archive})
                                        : TestSupport::run("bsdtar", {"-xf", archive, "-C", q(out)});
        ASSERT_EQ(extracted.exitCode, 0) << extracted.out << extracted.err;
        EXPECT_EQ(tree(out / "photos"), expected);
    }
}

TEST(ZipKoreanEnginePeers, ATreeDeeperThanPathMaxPacksWithEveryWriter)
{
    TempDir dir;
    const fs::path deepest = TestSupport::deepFolders(dir / "top", 24);
    TestSupport::writeBytes(deepest / "deep.txt", "deepest data");
    const std::string entry = "top/" + deepest.lexically_relative(dir / "top").native() + "/deep.txt";
    ASSERT_GT(entry.size(), std::size_t(PATH_MAX));
    const struct {
        Format format;
        const char *password;
    } cases[] = {{Format::zip, ""}, {Format::sevenZip, "pw"}, {Format::sevenZip, ""}, {Format::tarGz, ""}};
    for (const auto &c : cases) {
        SCOPED_TRACE(ZipKoreanEngine::extension(c.format) + (*c.password ? " with a password" : ""));
        ZipKoreanEngine engine;
        engine.addURLs({dir / "top"});
        EXPECT_EQ(engine.sourceFileCount(), 1);
        engine.setCreateFormat(c.format);
        engine.setCreatePassword(c.password);
        engine.createZip();
        ASSERT_TRUE(engine.createdZip()) << engine.actionError().value_or("").toStdString();
        const QString archive = q(*engine.createdZip());
        const QString name = QString::fromStdString(entry);
        const auto read =
            c.format == Format::tarGz
                ? TestSupport::run("bsdtar", {"-xOf", archive, name})
                : TestSupport::run("7zz", {"e", "-so", QStringLiteral("-p") + c.password, archive, name});
        EXPECT_EQ(read.exitCode, 0) << read.err;
        EXPECT_EQ(read.out, "deepest data");
        fs::remove(*engine.createdZip());
    }
}

TEST(ZipKoreanEnginePeers, FilesWithCp949NamesStayTwoFilesForEveryPeer)
{
    // What an old unzip leaves of a Korean Windows ZIP: names in CP949 bytes.
    TempDir dir;
    const std::string bogo = "\xEB\xB3\xB4\xEA\xB3\xA0.txt";  // 보고.txt
    const std::string sajin = "\xEC\x82\xAC\xEC\xA7\x84.txt"; // 사진.txt
    dir.file("d/" + *Text::encodeCp949(bogo), "1");
    dir.file("d/" + *Text::encodeCp949(sajin), "2");
    const std::map<std::string, std::string> expected{{"d/", "/"}, {"d/" + bogo, "1"}, {"d/" + sajin, "2"}};
    const struct {
        Format format;
        const char *password;
    } cases[] = {{Format::zip, ""}, {Format::sevenZip, ""}, {Format::sevenZip, "pw"}, {Format::tarGz, ""}};
    int n = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(ZipKoreanEngine::extension(c.format) + c.password);
        const fs::path made = packed(dir / "d", c.format, c.password);
        ASSERT_FALSE(made.empty());
        const QString archive = q(made);
        const QString password = QStringLiteral("-p") + QString::fromUtf8(c.password);
        const fs::path out = dir.folder("out " + std::to_string(++n));
        ProcessResult listed;
        ProcessResult extracted;
        switch (c.format) {
        case Format::zip:
            listed = TestSupport::run("unzip", {"-Z1", archive});
            extracted = TestSupport::run("unzip", {"-o", "-q", archive, "-d", q(out)});
            break;
        case Format::sevenZip:
            listed = TestSupport::run("7zz", {"l", "-ba", password, archive});
            extracted = TestSupport::run("7zz", {"x", password, "-o" + q(out), archive});
            break;
        default:
            listed = TestSupport::run("bsdtar", {"-tf", archive});
            extracted = TestSupport::run("bsdtar", {"-xf", archive, "-C", q(out)});
            break;
        }
        ASSERT_EQ(listed.exitCode, 0) << listed.err;
        EXPECT_NE(listed.out.find("d/" + bogo), std::string::npos) << listed.out;
        EXPECT_NE(listed.out.find("d/" + sajin), std::string::npos) << listed.out;
        ASSERT_EQ(extracted.exitCode, 0) << extracted.out << extracted.err;
        EXPECT_EQ(tree(out), expected);
    }
}

TEST(ZipKoreanEnginePeers, ProbeSaysWhichFoldersItCouldNotLookInto)
{
    // Run without root's privileges, which read every folder.
    TempDir dir;
    const fs::path share = dir.folder("share");
    fs::permissions(share, fs::perms::all);
    dir.file("share/d/open.txt", "o");
    const fs::path locked = dir.folder("share/d/locked");
    ::chmod(locked.c_str(), 0);
    const QString probe = QStringLiteral(QUILLFERN_PROBE);
    const QStringList create{QStringLiteral("archive-create"), QStringLiteral("tar"), q(share / "d")};
    const auto result =
        ::geteuid() == 0
            ? TestSupport::run(
                  "setpriv", QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", probe} + create)
            : TestSupport::run(probe, create);
    ::chmod(locked.c_str(), 0755);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, (share / "d.tar").native() + "\n");
    EXPECT_EQ(result.err, "폴더 1개는 권한이 없어 살펴보지 못했습니다\n");
}
