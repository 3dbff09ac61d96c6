// The send checkups as the router's board drives them: one engine per session, added to or
// asked, and dropped two seconds after its tab went away for good.
#include "Core/Router.h"
#include "Core/Scheduler.h"
#include "Core/TabOpener.h"
#include "Features/SendCheckup/SendCheckupEngine.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using TestSupport::TempDir;

class CheckupOnTheBoard : public ::testing::Test {
protected:
    void SetUp() override
    {
        Router::shared().resetForTesting();
        SendCheckupEngine::attachToRouter();
        Scheduler::install(&clock);
    }
    void TearDown() override
    {
        Scheduler::install(nullptr);
        TabOpener::shared().setOpenTab({});
        Router::shared().resetForTesting();
    }
    Router &router = Router::shared();
    ManualScheduler clock;
    TempDir dir;
};

TEST_F(CheckupOnTheBoard, ArrivalStartsAnEmptyCheckupOrBecomesItsPendingArrival)
{
    const QUuid a = QUuid::createUuid();
    router.registerSession(a);
    const auto one = dir.file("one.txt");
    const auto two = dir.file("two.txt");
    const auto three = dir.file("three.txt");

    router.openCheckup({one});
    SendCheckupEngine &engine = SendCheckupEngine::session(a);
    EXPECT_EQ(engine.roots(), PathList{one});
    EXPECT_TRUE(engine.pendingArrival().empty());
    EXPECT_EQ(router.takePendingUtility(a), Utility::sendCheckup);
    EXPECT_EQ(router.takePendingUtility(a), std::nullopt);

    router.openCheckup({two});
    router.openCheckup({three});
    EXPECT_EQ(engine.roots(), PathList{one});
    EXPECT_EQ(engine.pendingArrival(), PathList{three}); // the second pending arrival replaces the first
    EXPECT_EQ(router.takePendingUtility(a), Utility::sendCheckup);

    router.openCheckup({});
    EXPECT_FALSE(router.hasPendingUtility(a));
    SendCheckupEngine::discard(a);
}

TEST_F(CheckupOnTheBoard, DiscardWaitsTwoSecondsAndSparesASessionThatCameBack)
{
    const QUuid gone = QUuid::createUuid();
    const QUuid back = QUuid::createUuid();
    for (const QUuid &s : {gone, back}) {
        router.registerSession(s);
        SendCheckupEngine::session(s);
        router.request(Utility::tweaks, s);
        router.contentDisappeared(s);
    }
    clock.advance(1000);
    router.registerSession(back);
    EXPECT_TRUE(SendCheckupEngine::hasSession(gone));
    clock.advance(1000);
    EXPECT_FALSE(SendCheckupEngine::hasSession(gone));
    EXPECT_FALSE(router.hasPendingUtility(gone));
    EXPECT_TRUE(SendCheckupEngine::hasSession(back));
    EXPECT_EQ(router.takePendingUtility(back), Utility::tweaks);
    SendCheckupEngine::discard(back);
}

TEST_F(CheckupOnTheBoard, ASecondCloseGetsItsOwnTwoSeconds)
{
    const QUuid s = QUuid::createUuid();
    router.registerSession(s);
    SendCheckupEngine::session(s);
    router.contentDisappeared(s);
    clock.advance(1500);
    router.registerSession(s);
    router.contentDisappeared(s);
    clock.advance(1000); // the first close's check is due now, but a newer close stands
    EXPECT_TRUE(SendCheckupEngine::hasSession(s));
    clock.advance(1000);
    EXPECT_FALSE(SendCheckupEngine::hasSession(s));
}

TEST_F(CheckupOnTheBoard, SessionRegistryReturnsOneEngineUntilDiscarded)
{
    const QUuid a = QUuid::createUuid();
    SendCheckupEngine &first = SendCheckupEngine::session(a);
    EXPECT_EQ(&first, &SendCheckupEngine::session(a));
    first.setPendingArrival({dir.file("x")});
    SendCheckupEngine::discard(a);
    EXPECT_TRUE(SendCheckupEngine::session(a).pendingArrival().empty());
    SendCheckupEngine::discard(a);
}

TEST_F(CheckupOnTheBoard, AddUrlsResolvesLinksAndDedupesByteExactly)
{
    const auto folder = dir.folder("folder");
    fs::create_symlink(folder, dir / "link");
    const std::string nfc = "\xEA\xB0\x80";             // 가
    const std::string nfd = "\xE1\x84\x80\xE1\x85\xA1"; // ᄀ + ᅡ
    const auto composed = dir.folder(nfc);
    const auto decomposed = dir.folder(nfd);
    const auto missing = dir / "missing";

    SendCheckupEngine engine;
    engine.addURLs({folder, dir / "link", folder, composed, decomposed, missing, missing});
    EXPECT_EQ(engine.roots(), (PathList{folder, composed, decomposed, missing}));
}
