#include "Features/FilenameSanitizer/FilenameSanitizerEngine.h"

#include "Core/FilePath.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include <sys/stat.h>

namespace fs = std::filesystem;
using Engine = FilenameSanitizerEngine;
using Kind = Engine::Item::Status::Kind;
using TestSupport::TempDir;

namespace {

const QString forbidden = QStringLiteral("금지 문자 (\\ : * ? \" < > | 등)");
const QString trailing = QStringLiteral("이름 끝의 공백·마침표");
QString reserved(const char *piece)
{
    return QStringLiteral("Windows 예약어 (%1)").arg(QString::fromUtf8(piece));
}

} // namespace

TEST(FilenameSanitizer, SanitizeRules)
{
    const struct {
        std::string name;
        std::string safe;
        QStringList issues;
    } cases[] = {
        {"a<b>.txt", "a_b_.txt", {forbidden}},
        {"back\\slash:colon*star?q\"|", "back_slash_colon_star_q__", {forbidden}},
        {"line\r\nbreak\ttab", "line_break_tab", {forbidden}}, // CR LF is one character
        {"del\x7f 한글 é", "del\x7f 한글 é", {}},
        {"report. ", "report", {trailing}},
        {"...", "이름 없음", {trailing}},
        {"   ", "이름 없음", {trailing}},
        {"no-break\u00a0", "no-break\u00a0", {}},
        {"con.txt", "_con.txt", {reserved("con")}},
        {"Com1.tar.gz", "_Com1.tar.gz", {reserved("Com1")}},
        {"LPT9", "_LPT9", {reserved("LPT9")}},
        {"aux.", "_aux", {trailing, reserved("aux")}},
        {"CON?", "CON_", {forbidden}},
        {"a?. ", "a_", {forbidden, trailing}},
        {"nul .txt", "nul .txt", {}},
        // A forbidden or control character carrying a combining mark is still forbidden; the
        // mark stays.
        {"q?\u0301x.txt", "q_\u0301x.txt", {forbidden}},
        {"q?\u0301.txt", "q_\u0301.txt", {forbidden}},
        {"tab\t\u0301\u0302", "tab_\u0301\u0302", {forbidden}},
        // A period carrying a mark is not a trailing period.
        {"end.\u0301", "end.\u0301", {}},
        // Names that are not valid UTF-8: only their ASCII bytes are checked and repaired.
        {"\xc7\xd1?.txt", "\xc7\xd1_.txt", {forbidden}}, // 한 in CP949
        {"bad\xff:name.txt", "bad\xff_name.txt", {forbidden}},
        {"\xff\r\n\x01|", "\xff___", {forbidden}},
        {"\xc7\xd1\xb1\xdb. .", "\xc7\xd1\xb1\xdb", {trailing}},
        {"con.\xff", "_con.\xff", {reserved("con")}},
        {"Lpt1.\xc7\xd1 ", "_Lpt1.\xc7\xd1", {trailing, reserved("Lpt1")}},
        {"\xc7\xd1\xb1\xdb.txt", "\xc7\xd1\xb1\xdb.txt", {}},
        {"con\xff.txt", "con\xff.txt", {}},
    };
    for (const auto &c : cases) {
        const auto [safe, issues] = Engine::sanitize(c.name);
        EXPECT_EQ(safe, c.safe) << c.name;
        EXPECT_EQ(issues, c.issues) << c.name;
    }
    for (const char *fine :
         {"COM0", "COM10", "LPT", "CONSOLE", "x.con", ".con", ".DS_Store", "data.txt", "ＣＯＮ"}) {
        const auto [safe, issues] = Engine::sanitize(fine);
        EXPECT_EQ(safe, fine);
        EXPECT_TRUE(issues.isEmpty()) << fine;
    }
}

TEST(FilenameSanitizer, ScanAndApplyDeepestFirst)
{
    TempDir dir;
    dir.file("root/bad?/worse*", "inner");
    dir.file("root/bad?/fine.txt", "fine");
    dir.file("root/.hidden ", "hidden");
    dir.file("root/con.txt", "taken target below");
    dir.file("root/_con.txt", "already there");
    dir.folder("root/a:b");
    dir.folder("root/a_b");
    const fs::path root = dir / "root";

    Engine engine;
    engine.addURLs({root});
    std::vector<std::string> found;
    for (const auto &item : engine.items())
        found.push_back(item.originalPath.lexically_relative(root).native());
    EXPECT_EQ(found, (std::vector<std::string>{".hidden ", "a:b", "bad?", "bad?/worse*", "con.txt"}));
    EXPECT_EQ(engine.scannedCount(), 9);
    EXPECT_TRUE(engine.items()[2].isDirectory);

    QSignalSpy changed(&engine, &Engine::itemChanged);
    engine.applyAll();
    // The file inside the folder went first.
    ASSERT_GE(changed.count(), 2);
    EXPECT_EQ(changed[0][0].toInt(), 3);
    EXPECT_EQ(engine.doneCount(), 5);
    EXPECT_EQ(engine.items()[3].url, root / "bad?" / "worse_"); // below the folder's old name
    EXPECT_EQ(engine.items()[2].url, root / "bad_");
    EXPECT_EQ(engine.items()[1].url, root / "a_b 2");
    EXPECT_EQ(engine.items()[4].url, root / "_con 2.txt");
    EXPECT_EQ(TestSupport::readBytes(root / "_con.txt"), "already there");
    EXPECT_EQ(TestSupport::readBytes(root / "_con 2.txt"), "taken target below");
    EXPECT_EQ(TestSupport::readBytes(root / "bad_/worse_"), "inner");
    EXPECT_EQ(TestSupport::readBytes(root / ".hidden"), "hidden");

    engine.applyAll(); // nothing pending any more
    EXPECT_EQ(engine.doneCount(), 5);
    engine.rescan();
    EXPECT_TRUE(engine.items().empty());
}

TEST(FilenameSanitizer, NamesThatAreNotUtf8AreListedAndRepairedOnTheirAsciiBytes)
{
    TempDir dir;
    const std::string han = "\xc7\xd1"; // 한 in CP949
    dir.file("root/" + han + "?/bad\xff:name.txt", "inner");
    dir.file("root/" + han + ".txt", "fine");
    const fs::path root = dir / "root";
    Engine engine;
    engine.addURLs({root});
    ASSERT_EQ(engine.items().size(), 2u);
    EXPECT_EQ(engine.scannedCount(), 4);
    engine.applyAll();
    EXPECT_EQ(engine.doneCount(), 2);
    EXPECT_EQ(TestSupport::readBytes(root / (han + "_") / "bad\xff_name.txt"), "inner");
    EXPECT_EQ(TestSupport::readBytes(root / (han + ".txt")), "fine");
    engine.rescan();
    EXPECT_TRUE(engine.items().empty());
}

TEST(FilenameSanitizer, RenamedRootIsFollowed)
{
    TempDir dir;
    const fs::path root = dir.file("report?.txt");
    Engine engine;
    engine.addURLs({dir / "other", root});
    engine.applyAll();
    ASSERT_EQ(engine.doneCount(), 1);
    EXPECT_EQ(engine.scannedRoots(), (std::vector<fs::path>{dir / "other", dir / "report_.txt"}));
    engine.rescan();
    EXPECT_TRUE(engine.items().empty()); // no phantom of the old name
}

TEST(FilenameSanitizer, RepairedNamesNeverTwinANameOfTheSameFolderAfterNfc)
{
    const std::string ga = "\xEA\xB0\x80"; // 가
    const std::string nfdGa = "\xE1\x84\x80\xE1\x85\xA1";
    TempDir dir;
    const fs::path root = FilePath::realPathOrSame(dir.folder("r"));
    // In list order: the decomposed name is repaired first, into a name the composed one then wants.
    dir.file("r/" + nfdGa + "\".txt", "decomposed");
    dir.file("r/" + ga + "*.txt", "composed");
    dir.file("r/" + ga + "_ 2.txt", "taken");
    Engine engine;
    engine.addURLs({root});
    ASSERT_EQ(engine.pendingCount(), 2);
    engine.applyAll();
    EXPECT_EQ(engine.doneCount(), 2);
    EXPECT_EQ(TestSupport::entriesBelow(root),
              (std::set<std::string>{nfdGa + "_.txt", ga + "_ 2.txt", ga + "_ 3.txt"}));
    EXPECT_EQ(TestSupport::readBytes(root / (ga + "_ 3.txt")), "composed");
}

TEST(FilenameSanitizer, RootsAreRealPathsAndListOnce)
{
    TempDir dir;
    const fs::path folder = FilePath::realPathOrSame(dir.folder("f"));
    dir.file("f/sub/x?");
    fs::create_symlink(folder, dir / "link");
    Engine engine;
    engine.addURLs({folder, dir / "link", fs::path(folder.native() + "/"), folder / "sub"});
    EXPECT_EQ(engine.scannedRoots(), (std::vector<fs::path>{folder, folder / "sub"}));
    EXPECT_EQ(engine.items().size(), 1u);
    EXPECT_EQ(engine.scannedCount(), 3);

    engine.clear();
    EXPECT_TRUE(engine.scannedRoots().empty());
    EXPECT_EQ(engine.scannedCount(), 0);
}

TEST(FilenameSanitizer, EveryNumberTakenFailsWithoutReplacing)
{
    TempDir dir;
    dir.file("x/a?.txt", "mine");
    dir.file("x/a_.txt", "first");
    for (int n = 2; n < 10000; ++n)
        dir.file("x/a_ " + std::to_string(n) + ".txt");
    Engine engine;
    engine.addURLs({dir / "x"});
    ASSERT_EQ(engine.items().size(), 1u);
    engine.applyAll();
    EXPECT_EQ(engine.items()[0].status, Engine::Item::Status::failed(QStringLiteral("File exists")));
    EXPECT_EQ(engine.items()[0].url, dir / "x/a?.txt");
    EXPECT_EQ(TestSupport::readBytes(dir / "x/a?.txt"), "mine");
    EXPECT_EQ(TestSupport::readBytes(dir / "x/a_.txt"), "first");
}

TEST(FilenameSanitizer, PermissionFailuresAsUnprivilegedUser)
{
    TempDir dir;
    dir.file("top/locked/bad|name");
    dir.file("top/closed/also|bad");
    ASSERT_EQ(::chmod((dir / "top/locked").c_str(), 0555), 0);
    ASSERT_EQ(::chmod((dir / "top/closed").c_str(), 0300), 0);
    const std::string result = TestSupport::runAsNobodyCapture([&] {
        Engine engine;
        engine.addURLs({dir / "top"});
        engine.applyAll();
        std::string out = std::to_string(engine.scan.unreadableCount);
        for (const auto &item : engine.items())
            out += "|" + item.url.filename().native() + "|" + item.status.message.toStdString();
        out += "|" + std::to_string(engine.pendingCount() + engine.doneCount() + engine.failedCount());
        return out;
    });
    EXPECT_EQ(result, "1|bad|name|Permission denied|1");
    EXPECT_TRUE(fs::exists(dir / "top/locked/bad|name"));
}
