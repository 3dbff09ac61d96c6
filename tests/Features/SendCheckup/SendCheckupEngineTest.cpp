// Sessions, roots and the diagnosis of the send checkup.
#include "Features/SendCheckup/SendCheckupEngine.h"
#include "support/TestSupport.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace fs = std::filesystem;
using TestSupport::TempDir;

namespace {
const std::string nfdHan = "\xE1\x84\x92\xE1\x85\xA1\xE1\x86\xAB"; // 한, decomposed
const std::string nfcHan = "\xED\x95\x9C";
} // namespace

TEST(SendCheckupDiagnosis, EmptyEngineFindsNothing)
{
    SendCheckupEngine engine;
    EXPECT_EQ(engine.inferenceMessage(), QStringLiteral("문제를 찾지 못했어요 — 그대로 보내셔도 좋아요."));
    EXPECT_EQ(engine.selectedKinds(), 0);
    EXPECT_EQ(engine.unreadableWarning(), std::nullopt);
    EXPECT_TRUE(engine.fixHangul() && engine.fixJunk() && engine.fixNames() && engine.fixHeic());
}

TEST(SendCheckupDiagnosis, MessageFollowsTheOrderOfKinds)
{
    TempDir dir;
    const auto both = dir.folder("both");
    for (int i = 0; i < 3; ++i)
        dir.file("both/" + nfdHan + std::to_string(i));
    dir.file("both/.DS_Store");
    dir.file("both/._x");
    const auto junkOnly = dir.folder("junk");
    for (int i = 0; i < 5; ++i)
        dir.folder("junk/f" + std::to_string(i) + "/.DS_Store"); // a folder named .DS_Store is junk too
    const auto namesOnly = dir.folder("names");
    dir.file("names/a?b");
    dir.file("names/x.heic");

    const struct {
        fs::path root;
        QString message;
        int kinds;
    } cases[] = {
        {both,
         QStringLiteral("자소가 분리된 파일명 3개와 시스템 잔여 파일 2개가 발견됐어요 — Windows로 보낼 "
                        "준비로 판단했어요."),
         2},
        {junkOnly, QStringLiteral("시스템 잔여 파일 5개만 발견됐어요 — 정리하면 깔끔하게 보낼 수 있어요."),
         1},
        {namesOnly, QStringLiteral("Windows에서 저장할 수 없는 이름 1개를 찾았어요."), 2}, // and one HEIC
    };
    for (const auto &c : cases) {
        SendCheckupEngine engine;
        engine.addURLs({c.root});
        EXPECT_EQ(engine.inferenceMessage(), c.message) << c.root;
        EXPECT_EQ(engine.selectedKinds(), c.kinds) << c.root;
    }

    SendCheckupEngine engine;
    engine.addURLs({both});
    engine.setFixJunk(false); // not counted as selected, still mentioned
    EXPECT_EQ(engine.selectedKinds(), 1);
    EXPECT_TRUE(engine.inferenceMessage().contains(QStringLiteral("시스템 잔여 파일 2개")));
}

TEST(SendCheckupDiagnosis, UnreadableWarningNamesTheLargestCount)
{
    TempDir dir;
    for (const char *name : {"a", "b"})
        ::chmod(dir.folder(name).c_str(), 0);
    const std::string text = TestSupport::runAsNobodyCapture([&] {
        SendCheckupEngine engine;
        engine.addURLs({dir.path()});
        return engine.unreadableWarning().value_or(QStringLiteral("none")).toStdString();
    });
    EXPECT_EQ(text, "폴더 2개는 권한이 없어 살펴보지 못했습니다");
    for (const char *name : {"a", "b"})
        ::chmod((dir / name).c_str(), 0755);
}

TEST(SendCheckupRoots, DedupesThroughLinksKeepsTwinsAndMissingPaths)
{
    TempDir dir;
    const auto folder = dir.folder("f");
    fs::create_symlink(folder, dir / "link");
    const auto nfc = dir.folder(nfcHan);
    const auto nfd = dir.folder(nfdHan);
    SendCheckupEngine engine;
    QSignalSpy roots(&engine, &SendCheckupEngine::rootsChanged);
    engine.addURLs({folder, dir / "link", nfc, nfd, dir / "missing"});
    EXPECT_EQ(engine.roots(), (PathList{folder, nfc, nfd, dir / "missing"}));
    EXPECT_EQ(roots.count(), 1);
    engine.addURLs({folder});
    EXPECT_EQ(roots.count(), 1); // nothing new: no notification

    engine.setPendingArrival({folder});
    engine.setFixNames(false);
    engine.clear();
    EXPECT_TRUE(engine.roots().empty());
    EXPECT_EQ(engine.pendingArrival(), PathList{folder});
    EXPECT_FALSE(engine.fixNames());
}

TEST(SendCheckupRoots, ObserversHearOnlyRealChanges)
{
    SendCheckupEngine engine;
    QSignalSpy switches(&engine, &SendCheckupEngine::fixSwitchesChanged);
    QSignalSpy fixed(&engine, &SendCheckupEngine::isFixedChanged);
    QSignalSpy arrival(&engine, &SendCheckupEngine::pendingArrivalChanged);
    engine.setFixJunk(true);
    engine.setPendingArrival({});
    engine.clear();
    EXPECT_EQ(switches.count() + fixed.count() + arrival.count(), 0);
    engine.setFixJunk(false);
    engine.fixAll();
    engine.setPendingArrival({"/x"});
    EXPECT_EQ(switches.count(), 1);
    EXPECT_EQ(fixed.count(), 1);
    EXPECT_EQ(arrival.count(), 1);
}

TEST(SendCheckupRoots, SessionRegistryHandsOutOneEngineUntilDiscarded)
{
    const QUuid id = QUuid::createUuid();
    SendCheckupEngine &engine = SendCheckupEngine::session(id);
    EXPECT_EQ(&engine, &SendCheckupEngine::session(id));
    engine.setFixHeic(false);
    SendCheckupEngine::discard(id);
    EXPECT_TRUE(SendCheckupEngine::session(id).fixHeic());
    SendCheckupEngine::discard(id);
    SendCheckupEngine::discard(id); // nothing there: nothing happens
}
