#include "Features/HangulFilename/HangulRenameEngine.h"

#include "Core/Text.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include <algorithm>
#include <set>
#include <sys/stat.h>

namespace fs = std::filesystem;
using Status = HangulRenameEngine::Item::Status;
using TestSupport::TempDir;

namespace {

const std::string hangulNfc = "한글 문서";
const std::string hangulNfd = Text::toNfd(hangulNfc);

using TestSupport::entriesBelow;

std::vector<std::string> names(const HangulRenameEngine &engine)
{
    std::vector<std::string> out;
    for (const auto &item : engine.items())
        out.push_back(fs::path(item.url).filename().native());
    return out;
}

} // namespace

TEST(HangulRenameEngine, FormRawValuesAndLabels)
{
    EXPECT_EQ(HangulRenameEngine::formFromString("nfc"), HangulRenameEngine::Form::nfc);
    EXPECT_EQ(HangulRenameEngine::formFromString("nfd"), HangulRenameEngine::Form::nfd);
    EXPECT_EQ(HangulRenameEngine::formFromString("NFC"), std::nullopt);
    EXPECT_EQ(HangulRenameEngine::toString(HangulRenameEngine::Form::nfd), QStringLiteral("nfd"));
    EXPECT_EQ(HangulRenameEngine::label(HangulRenameEngine::Form::nfc),
              QStringLiteral("Windows용 · 완성형 (NFC)"));
}

TEST(HangulRenameEngine, ScanFindsNamesOutsideTheFormAndLeavesOthersAlone)
{
    TempDir dir;
    const fs::path root = dir.folder(hangulNfd);      // root itself is examined
    dir.file(hangulNfd + "/" + hangulNfd + ".hwp");   // decomposed file
    dir.file(hangulNfd + "/" + hangulNfc + " 2.hwp"); // already composed
    dir.file(hangulNfd + "/plain.txt");               // ASCII: normalized in either form
    dir.file(hangulNfd + "/\xc7\xd1\xb1\xdb.txt");    // CP949 bytes: never an item
    dir.file(hangulNfd + "/Pages.app/" + hangulNfd);  // inside a package: never examined
    dir.file(hangulNfd + "/" + Text::toNfd("키노트") + ".KEY/x/" + hangulNfd); // package, any case
    fs::create_symlink(root, root / Text::toNfd("링크")); // a link is examined, not followed

    HangulRenameEngine engine;
    engine.addURLs({root});
    // Path order compares composed forms: 링 < 키 < 한.
    const std::vector<std::string> expected = {hangulNfd, Text::toNfd("링크"), Text::toNfd("키노트") + ".KEY",
                                               hangulNfd + ".hwp"};
    std::vector<std::string> found = names(engine);
    EXPECT_EQ(found, expected);
    // The composed name, plain.txt and Pages.app are already normalized.
    EXPECT_EQ(engine.alreadyNormalizedCount(), 3);
    EXPECT_EQ(engine.items()[0].newName, hangulNfc);
    EXPECT_TRUE(engine.items()[0].isDirectory);
    EXPECT_FALSE(engine.items()[1].isDirectory);
    EXPECT_EQ(engine.pendingCount(), 4);

    // The other direction finds the composed names instead.
    engine.setForm(HangulRenameEngine::Form::nfd);
    EXPECT_EQ(names(engine), (std::vector<std::string>{hangulNfc + " 2.hwp"}));
    EXPECT_EQ(engine.items()[0].newName, Text::toNfd(hangulNfc + " 2.hwp"));
}

TEST(HangulRenameEngine, RootsAreStandardizedAndComparedByBytes)
{
    TempDir dir;
    const fs::path nfd = dir.folder(hangulNfd);
    const fs::path nfc = dir.folder(hangulNfc);
    HangulRenameEngine engine;
    QSignalSpy rootsSpy(&engine, &HangulRenameEngine::scannedRootsChanged);
    QSignalSpy itemsSpy(&engine, &HangulRenameEngine::itemsChanged);
    engine.addURLs({nfd, fs::path(nfd.native() + "/"), dir.path() / "." / hangulNfd, nfc});
    EXPECT_EQ(engine.scannedRoots(), (std::vector<fs::path>{nfd, nfc}));
    EXPECT_EQ(rootsSpy.count(), 1);
    engine.addURLs({});
    EXPECT_EQ(rootsSpy.count(), 1);
    EXPECT_EQ(itemsSpy.count(), 2); // the empty call rescanned too
}

TEST(HangulRenameEngine, NestedRootsListAnEntryOnce)
{
    TempDir dir;
    const fs::path outer = dir.folder("outer");
    const fs::path inner = dir.folder("outer/" + hangulNfd);
    dir.file("outer/" + hangulNfd + "/" + hangulNfd);
    for (const auto &roots : {std::vector<fs::path>{outer, inner}, std::vector<fs::path>{inner, outer}}) {
        HangulRenameEngine engine;
        engine.addURLs(roots);
        EXPECT_EQ(engine.items().size(), 2u);
    }
}

TEST(HangulRenameEngine, ApplyRenamesDeepestFirstAndFollowsRenamedRoot)
{
    TempDir dir;
    const fs::path other = dir.folder("other");
    const fs::path root = dir.folder(hangulNfd);
    dir.file(hangulNfd + "/" + hangulNfd + ".txt", "contents");
    HangulRenameEngine engine;
    engine.addURLs({other, root});
    ASSERT_EQ(engine.items().size(), 2u);
    const QUuid folderId = engine.items()[0].id;

    engine.applyAll();
    EXPECT_EQ(engine.doneCount(), 2);
    EXPECT_EQ(engine.items()[0].id, folderId); // same rows, same order
    EXPECT_EQ(engine.items()[0].url, dir / hangulNfc);
    // The file was renamed first, inside the folder's old name.
    EXPECT_EQ(engine.items()[1].url, dir / hangulNfd / (hangulNfc + ".txt"));
    EXPECT_EQ(engine.scannedRoots(), (std::vector<fs::path>{other, dir / hangulNfc}));
    EXPECT_EQ(TestSupport::readBytes(dir / hangulNfc / (hangulNfc + ".txt")), "contents");
    EXPECT_EQ(entriesBelow(dir.path()),
              (std::set<std::string>{"other", hangulNfc, hangulNfc + "/" + hangulNfc + ".txt"}));

    engine.applyAll(); // nothing pending: nothing happens
    EXPECT_EQ(engine.doneCount(), 2);
    engine.rescan();
    EXPECT_TRUE(engine.items().empty());
    EXPECT_EQ(engine.alreadyNormalizedCount(), 3);

    // Assigning the same form rescans as well.
    engine.addURLs({dir.file(Text::toNfd("새 파일"))});
    engine.applyAll();
    ASSERT_EQ(engine.doneCount(), 1);
    engine.setForm(HangulRenameEngine::Form::nfc);
    EXPECT_TRUE(engine.items().empty());
}

TEST(HangulRenameEngine, BothFormsSideBySideKeepTheirContents)
{
    TempDir dir;
    dir.file(hangulNfd + ".txt", "decomposed");
    dir.file(hangulNfc + ".txt", "composed");
    HangulRenameEngine engine;
    engine.addURLs({dir.path()});
    ASSERT_EQ(engine.items().size(), 1u);
    engine.applyAll();
    EXPECT_EQ(engine.items()[0].status, Status::failed(QStringLiteral("File exists")));
    EXPECT_EQ(engine.items()[0].url, dir / (hangulNfd + ".txt"));
    EXPECT_EQ(TestSupport::readBytes(dir / (hangulNfd + ".txt")), "decomposed");
    EXPECT_EQ(TestSupport::readBytes(dir / (hangulNfc + ".txt")), "composed");
    EXPECT_EQ(entriesBelow(dir.path()).size(), 2u); // no temporary name left behind
    engine.rescan();
    EXPECT_EQ(engine.pendingCount(), 1); // listed again
}

TEST(HangulRenameEngine, BothFormsLinkedToOneFileStayApart)
{
    // Two names of one inode look like one entry by inode, but they are two entries: the
    // rename through the temporary name must meet the other name and undo its first step.
    TempDir dir;
    const fs::path decomposed = dir.file(hangulNfd, "shared");
    fs::create_hard_link(decomposed, dir / hangulNfc);
    HangulRenameEngine engine;
    engine.addURLs({decomposed});
    engine.applyAll();
    EXPECT_EQ(engine.items()[0].status, Status::failed(QStringLiteral("File exists")));
    EXPECT_EQ(entriesBelow(dir.path()), (std::set<std::string>{hangulNfd, hangulNfc}));
}

TEST(HangulRenameEngine, FailedFirstStepKeepsTheName)
{
    TempDir dir;
    const fs::path locked = dir.folder("locked");
    dir.file("locked/" + hangulNfd);
    ASSERT_EQ(::chmod(locked.c_str(), 0555), 0);
    const std::string result = TestSupport::runAsNobodyCapture([&] {
        HangulRenameEngine engine;
        engine.addURLs({locked});
        engine.applyAll();
        return engine.items().size() == 1 ? engine.items()[0].status.message.toStdString() : "no item";
    });
    EXPECT_EQ(result, "Permission denied");
    EXPECT_TRUE(fs::exists(locked / hangulNfd));
}

TEST(HangulRenameEngine, UnreadableFoldersAreCounted)
{
    TempDir dir;
    dir.file("a/closed/" + hangulNfd);
    dir.folder("a/closed2");
    // Searchable but not readable, for the owner as for everybody else.
    ASSERT_EQ(::chmod((dir / "a/closed").c_str(), 0300), 0);
    ASSERT_EQ(::chmod((dir / "a/closed2").c_str(), 0300), 0);
    const int unreadable = TestSupport::runAsNobody([&] {
        HangulRenameEngine engine;
        engine.addURLs({dir / "a"});
        return int(engine.unreadableCount());
    });
    EXPECT_EQ(unreadable, 2);
}

TEST(HangulRenameEngine, TreeMatchesConvmvBothWays)
{
    if (!TestSupport::haveProgram(QStringLiteral("convmv")))
        GTEST_FAIL() << "convmv is missing (scripts/install-deps installs it)";
    TempDir dir;
    const std::vector<std::string> words = {"가나다",      "한글 문서", "사진_2024",
                                            "회의록-초안", "ㄱ자",      "café"};
    const fs::path ours = dir.folder("ours");
    for (int folder = 0; folder < 10; ++folder) {
        const std::string f = Text::toNfd(words[folder % words.size()] + " " + std::to_string(folder));
        for (int n = 0; n < 99; ++n)
            dir.file("ours/" + f + "/" + Text::toNfd(words[n % words.size()] + std::to_string(n) + ".txt"),
                     std::to_string(n));
    }
    fs::copy(ours, dir / "peer", fs::copy_options::recursive);
    const fs::path peer = dir / "peer";

    for (const auto form : {HangulRenameEngine::Form::nfc, HangulRenameEngine::Form::nfd}) {
        const QString flag =
            form == HangulRenameEngine::Form::nfc ? QStringLiteral("--nfc") : QStringLiteral("--nfd");
        HangulRenameEngine engine;
        engine.setForm(form);
        engine.addURLs({ours});
        EXPECT_GT(engine.pendingCount(), 0);
        engine.applyAll();
        EXPECT_EQ(engine.failedCount(), 0);
        const auto converted = TestSupport::run(
            QStringLiteral("convmv"),
            {QStringLiteral("-r"), flag, QStringLiteral("-f"), QStringLiteral("utf8"), QStringLiteral("-t"),
             QStringLiteral("utf8"), QStringLiteral("--notest"), QString::fromStdString(peer.native())});
        ASSERT_EQ(converted.exitCode, 0) << converted.err;
        EXPECT_EQ(entriesBelow(ours), entriesBelow(peer));

        // An independent check of every name.
        const char *script = form == HangulRenameEngine::Form::nfc
                                 ? "while(<>){chomp; print \"$_\\n\" if $_ ne NFC($_)}"
                                 : "while(<>){chomp; print \"$_\\n\" if $_ ne NFD($_)}";
        const auto listing = TestSupport::run(
            QStringLiteral("sh"),
            {QStringLiteral("-c"), QStringLiteral("find . | perl -CSA -MUnicode::Normalize -e '%1'")
                                       .arg(QString::fromUtf8(script))},
            ours);
        EXPECT_EQ(listing.exitCode, 0) << listing.err;
        EXPECT_EQ(listing.out, "");
    }
    EXPECT_EQ(entriesBelow(ours).size(), 10u + 990u);
}

TEST(HangulRenameEngine, BrokenExample)
{
    TempDir dir;
    HangulRenameEngine engine;
    EXPECT_EQ(engine.brokenExample(), std::nullopt);

    const struct {
        std::string name;
        std::optional<QString> example;
    } cases[] = {
        {"report_" + Text::toNfd("보고서") + ".docx", QStringLiteral("ㅂㅗㄱㅗㅅㅓ")},
        {Text::toNfd("가나다라마바사아자차카타파") + ".txt",
         QStringLiteral("ㄱㅏㄴㅏㄷㅏㄹㅏㅁㅏㅂㅏㅅㅏㅇㅏㅈㅏㅊㅏㅋㅏㅌㅏ…")},
        {"plain." + Text::toNfd("확장"), std::nullopt}, // the extension never contributes
        {Text::toNfd("caf\xc3\xa9-x"), QStringLiteral("cafe\u00b4")},
    };
    for (const auto &c : cases) {
        TempDir one;
        one.file(c.name);
        HangulRenameEngine e;
        e.addURLs({one / c.name});
        ASSERT_EQ(e.items().size(), 1u) << c.name;
        EXPECT_EQ(e.brokenExample(), c.example) << c.name;
    }

    // Only pending rows count.
    engine.addURLs({dir.file(Text::toNfd("한"))});
    EXPECT_EQ(engine.brokenExample(), QStringLiteral("ㅎㅏㄴ"));
    engine.applyAll();
    EXPECT_EQ(engine.brokenExample(), std::nullopt);
}

TEST(HangulRenameEngine, WindowsPreview)
{
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("한글 문서.hwp"), QStringLiteral("ㅎㅏㄴㄱㅡㄹ ㅁㅜㄴㅅㅓ.hwp")},
        {QStringLiteral("がっこう"), QStringLiteral("か゛っこう")},
        {QStringLiteral("plain-ASCII_1.txt"), QStringLiteral("plain-ASCII_1.txt")},
        {QStringLiteral("\u00e9"), QStringLiteral("e\u00b4")},
        {QStringLiteral("값"), QStringLiteral("ㄱㅏㅄ")},
        {QString(), QString()},
    };
    for (const auto &[name, preview] : cases)
        EXPECT_EQ(windowsPreview(name), preview) << name.toStdString();
}
