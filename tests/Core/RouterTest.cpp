#include "Core/Router.h"
#include "Core/Scheduler.h"
#include "Core/TabOpener.h"
#include "Features/SendCheckup/SendCheckupEngine.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using TestSupport::TempDir;

class RouterTest : public ::testing::Test {
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

TEST_F(RouterTest, FilesWithoutAWindowWaitAndTheFirstWindowTakesTheLatest)
{
    const auto first = dir.file("first.txt");
    const auto second = dir.file("second.txt");
    router.openCheckup({first});
    router.openCheckup({second});
    EXPECT_EQ(router.unassignedArrival(), PathList{second});

    const QUuid a = QUuid::createUuid();
    router.registerSession(a);
    EXPECT_EQ(router.takeArrival(a), PathList{second});
    EXPECT_TRUE(router.unassignedArrival().empty());
    EXPECT_TRUE(router.takeArrival(a).empty());
}

TEST_F(RouterTest, ArrivalStartsAnEmptyCheckupOrBecomesItsPendingArrival)
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

TEST_F(RouterTest, ActiveSessionFollowsRegistrationFocusAndClosing)
{
    const QUuid a = QUuid::createUuid();
    const QUuid b = QUuid::createUuid();
    router.registerSession(a);
    EXPECT_EQ(router.activeSession(), a);
    router.registerSession(b);
    EXPECT_EQ(router.activeSession(), a); // showing B does not make it active
    router.focus(b);
    EXPECT_EQ(router.activeSession(), b);
    router.unregisterSession(a); // not active: stays as it is
    EXPECT_EQ(router.activeSession(), b);
    router.registerSession(a);
    router.unregisterSession(b);
    EXPECT_EQ(router.activeSession(), a); // the last live session
    router.unregisterSession(a);
    EXPECT_EQ(router.activeSession(), std::nullopt);
}

TEST_F(RouterTest, ZipHandoffIsTakenOnce)
{
    const QUuid a = QUuid::createUuid();
    const auto file = dir.file("x.txt");
    router.openZip({file}, a);
    EXPECT_EQ(router.takePendingUtility(a), Utility::zipKorean);
    EXPECT_EQ(router.takeZipHandoff(a), PathList{file});
    EXPECT_TRUE(router.takeZipHandoff(a).empty());
    router.openZip({}, a); // an empty hand-off still selects the tool
    EXPECT_EQ(router.takePendingUtility(a), Utility::zipKorean);
}

TEST_F(RouterTest, NewTabGetsItsArrivalAndEmptyListOpensNothing)
{
    std::vector<QUuid> opened;
    TabOpener::shared().setOpenTab([&](const QUuid &s) { opened.push_back(s); });
    router.openCheckupInNewTab({});
    EXPECT_TRUE(opened.empty());

    const auto file = dir.file("x.txt");
    router.openCheckupInNewTab({file});
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(router.takeArrival(opened[0]), PathList{file});
}

TEST_F(RouterTest, DiscardWaitsTwoSecondsAndSparesASessionThatCameBack)
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

TEST_F(RouterTest, ASecondCloseGetsItsOwnTwoSeconds)
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

TEST_F(RouterTest, SessionRegistryReturnsOneEngineUntilDiscarded)
{
    const QUuid a = QUuid::createUuid();
    SendCheckupEngine &first = SendCheckupEngine::session(a);
    EXPECT_EQ(&first, &SendCheckupEngine::session(a));
    first.setPendingArrival({dir.file("x")});
    SendCheckupEngine::discard(a);
    EXPECT_TRUE(SendCheckupEngine::session(a).pendingArrival().empty());
    SendCheckupEngine::discard(a);
}

TEST_F(RouterTest, AddUrlsResolvesLinksAndDedupesByteExactly)
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

struct DiagnoseCase {
    const char *name;
    std::string url;
    std::vector<std::string> expected; // relative to the temporary folder, "" for none
};

TEST_F(RouterTest, FilesToDiagnoseFollowsTheUrlRule)
{
    const auto file = dir.file("a file.txt");
    const auto folder = dir.folder("폴더");
    const std::string base = dir.path().native();
    auto encoded = [](const std::string &s) {
        std::string out;
        for (unsigned char c : s) {
            char buf[4];
            std::snprintf(buf, sizeof buf, "%%%02X", c);
            out += (std::isalnum(c) || c == '/' || c == '.') ? std::string(1, char(c)) : std::string(buf);
        }
        return out;
    };
    const std::string f = encoded(file.native());
    const std::string d = encoded(folder.native());
    const DiagnoseCase cases[] = {
        {"file and folder in order", "quillfern://open?p=" + f + "&p=" + d, {file.native(), folder.native()}},
        {"duplicates stay", "quillfern:?p=" + f + "&p=" + f, {file.native(), file.native()}},
        {"capital P is another name", "quillfern://open?P=" + f, {}},
        {"item without equals has no value", "quillfern://open?p&p=" + d, {folder.native()}},
        {"missing path dropped",
         "quillfern://open?p=" + encoded(base + "/nope") + "&p=" + d,
         {folder.native()}},
        {"scheme compared case-sensitively", "QUILLFERN://open?p=" + f, {}},
        {"other scheme", "https://example.invalid/?p=" + f, {}},
        {"no scheme", "/just/a/path", {}},
        {"bad percent-encoding", "quillfern://open?p=" + f + "&q=%zz", {}},
        {"other items and host ignored", "quillfern://host/path?x=1&p=" + f + "#frag", {file.native()}},
        {"file URL passes unchecked", "file://" + encoded(base + "/not here.txt"), {base + "/not here.txt"}},
    };
    for (const auto &c : cases) {
        PathList expected;
        for (const auto &e : c.expected)
            expected.emplace_back(e);
        EXPECT_EQ(Router::filesToDiagnose(c.url), expected) << c.name;
    }
}
