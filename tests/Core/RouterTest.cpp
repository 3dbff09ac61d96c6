#include "Core/Router.h"
#include "Core/FilePath.h"
#include "Core/Scheduler.h"
#include "Core/TabOpener.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <set>

namespace fs = std::filesystem;
using TestSupport::TempDir;

namespace {

// Stands in for the send checkups above this layer: records what the board hands them.
struct StandInCheckups {
    std::vector<std::pair<QUuid, PathList>> delivered;
    std::set<QUuid> live; // sessions that were handed files and not discarded since
    std::vector<QUuid> discarded;

    Router::CheckupHook hook()
    {
        return {[this](const QUuid &id, const PathList &files) {
                    delivered.emplace_back(id, files);
                    live.insert(id);
                },
                [this](const QUuid &id) {
                    discarded.push_back(id);
                    live.erase(id);
                }};
    }
};

} // namespace

class RouterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Router::shared().resetForTesting();
        router.setCheckupHook(checkups.hook());
        Scheduler::install(&clock);
    }
    void TearDown() override
    {
        Scheduler::install(nullptr);
        TabOpener::shared().setOpenTab({});
        Router::shared().resetForTesting();
        router.setCheckupHook({});
    }
    Router &router = Router::shared();
    StandInCheckups checkups;
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

TEST_F(RouterTest, ArrivalGoesToTheActiveSessionElseTheLastLiveOneAndSelectsTheCheckup)
{
    const QUuid a = QUuid::createUuid();
    const QUuid b = QUuid::createUuid();
    router.registerSession(a);
    router.registerSession(b);
    const auto one = dir.file("one.txt");
    const auto two = dir.file("two.txt");

    router.openCheckup({one});
    ASSERT_EQ(checkups.delivered.size(), 1u);
    EXPECT_EQ(checkups.delivered[0], std::pair(a, PathList{one})); // a is active
    EXPECT_EQ(router.takePendingUtility(a), Utility::sendCheckup);
    EXPECT_EQ(router.takePendingUtility(a), std::nullopt);

    router.unregisterSession(a); // b, the last live one, becomes active
    router.openCheckup({two});
    EXPECT_EQ(checkups.delivered.back(), std::pair(b, PathList{two}));
    EXPECT_EQ(router.takePendingUtility(b), Utility::sendCheckup);

    router.openCheckup({});
    EXPECT_EQ(checkups.delivered.size(), 2u);
    EXPECT_FALSE(router.hasPendingUtility(b));
    router.unregisterSession(b);
    router.openCheckup({one}); // no session: the files wait
    EXPECT_EQ(checkups.delivered.size(), 2u);
    EXPECT_EQ(router.unassignedArrival(), PathList{one});
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
        router.focus(s);
        router.openCheckup({dir.file("x.txt")});
        router.request(Utility::tweaks, s);
        router.contentDisappeared(s);
    }
    clock.advance(1000);
    router.registerSession(back);
    EXPECT_TRUE(checkups.live.count(gone));
    clock.advance(1000);
    EXPECT_FALSE(checkups.live.count(gone));
    EXPECT_FALSE(router.hasPendingUtility(gone));
    EXPECT_TRUE(checkups.live.count(back));
    EXPECT_EQ(router.takePendingUtility(back), Utility::tweaks);
    EXPECT_EQ(checkups.discarded, std::vector<QUuid>{gone});
}

TEST_F(RouterTest, ASecondCloseGetsItsOwnTwoSeconds)
{
    const QUuid s = QUuid::createUuid();
    router.registerSession(s);
    router.openCheckup({dir.file("x.txt")});
    router.contentDisappeared(s);
    clock.advance(1500);
    router.registerSession(s);
    router.contentDisappeared(s);
    clock.advance(1000); // the first close's check is due now, but a newer close stands
    EXPECT_TRUE(checkups.live.count(s));
    clock.advance(1000);
    EXPECT_FALSE(checkups.live.count(s));
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

TEST_F(RouterTest, LaunchMakesRelativePathsOfItsUrlAbsoluteAndTheInstanceNeverResolvesOne)
{
    const std::filesystem::path base = "/base dir";
    const struct {
        const char *url;
        std::string expected;
    } cases[] = {
        {"quillfern://open?p=rel", "quillfern://open?p=/base%20dir/rel"},
        {"quillfern://x?p=/abs&p=sub/a%20b&q=z", "quillfern://x?p=/abs&p=/base%20dir/sub/a%20b&q=z"},
        {"quillfern://x?q=1&p=%ED%8F%B4%EB%8D%94#p=frag",
         "quillfern://x?q=1&p=/base%20dir/%ED%8F%B4%EB%8D%94#p=frag"},
        {"quillfern://x?p=../up&p", "quillfern://x?p=/base%20dir/../up&p"},
        {"quillfern:?p=", "quillfern:?p="},               // an empty path stays empty
        {"quillfern://x?P=rel", "quillfern://x?P=rel"},   // not an item named p
        {"quillfern://x?p=r%zz", "quillfern://x?p=r%zz"}, // malformed: nothing to go by
        {"https://example.invalid/?p=rel", "https://example.invalid/?p=rel"},
        {"quillfern://no-query/rel", "quillfern://no-query/rel"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Router::withAbsolutePaths(c.url, base), c.expected) << c.url;
    EXPECT_EQ(Router::withAbsolutePaths("quillfern://open?p=rel", {}), "quillfern://open?p=rel");

    // Where the instance runs, a relative path names nothing, even one that exists there.
    const auto saved = fs::current_path();
    fs::current_path(dir.path());
    dir.folder("rel");
    EXPECT_TRUE(Router::filesToDiagnose("quillfern://open?p=rel").empty());
    fs::current_path(saved);
    EXPECT_EQ(Router::filesToDiagnose(Router::withAbsolutePaths("quillfern://open?p=rel", dir.path())),
              PathList{dir / "rel"});
    // A NUL would cut the name short in every call: "/…/rel%00x" is not "/…/rel".
    const std::string rel = FilePath::toFileUrl(dir / "rel").substr(7);
    EXPECT_TRUE(Router::filesToDiagnose("quillfern://open?p=" + rel + "%00x").empty());
    EXPECT_TRUE(Router::filesToDiagnose("file://" + rel + "%00x").empty());
}
