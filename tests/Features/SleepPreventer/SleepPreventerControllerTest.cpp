#include "FakePower.h"

#include "Core/Scheduler.h"
#include "Core/Settings.h"
#include "Features/SleepPreventer/SleepPreventerController.h"

#include <QFile>
#include <QSignalSpy>

#include <gtest/gtest.h>

using Guard = SleepPreventerController::Guard;
using Duration = SleepPreventerController::Duration;
using GuardSet = SleepPreventerController::GuardSet;

namespace {

const GuardSet allGuards(SleepPreventerController::allGuards.begin(),
                         SleepPreventerController::allGuards.end());
const QString name = QStringLiteral("Quillfern (Keep Awake)");

QString created(const char *type, int id)
{
    return QStringLiteral("create %1 255 %2 -> %3").arg(type).arg(name).arg(id);
}
const QString activity = QStringLiteral("activity ") + name;

class SleepControllerTest : public testing::Test {
protected:
    void SetUp() override
    {
        Scheduler::install(&clock);
        Settings::open()->remove(SleepPreventerController::settingsKey);
    }
    void TearDown() override { Scheduler::install(nullptr); }

    // A controller with exactly these guards ticked.
    std::unique_ptr<SleepPreventerController> make(const GuardSet &guards)
    {
        auto controller = std::make_unique<SleepPreventerController>(power);
        controller->setEnabled(guards);
        return controller;
    }

    ManualScheduler clock;
    FakePower power;
};

TEST_F(SleepControllerTest, StoredGuardsAreReadBackAndMalformedValuesFallBackToAll)
{
    struct Case {
        const char *what;
        std::optional<QVariant> stored;
        GuardSet expected;
    } cases[] = {
        {"missing key", std::nullopt, allGuards},
        {"unknown names skipped", QStringList{"display", "bogus"}, {Guard::display}},
        {"empty list", QStringList{}, {}},
        {"only unknown names", QStringList{"Display", "sleep"}, {}},
        {"a text instead of a list", QString("display"), allGuards},
        {"a number", QVariant(3), allGuards},
        {"list of non-texts", QVariantList{QVariant(1), QVariant(true)}, allGuards},
    };
    for (const Case &c : cases) {
        {
            auto settings = Settings::open();
            if (c.stored)
                settings->setValue(SleepPreventerController::settingsKey, *c.stored);
            else
                settings->remove(SleepPreventerController::settingsKey);
        }
        SleepPreventerController controller(power);
        EXPECT_EQ(controller.enabled(), c.expected) << c.what;
        EXPECT_FALSE(controller.isActive());
        EXPECT_EQ(controller.duration(), Duration::forever);
    }
    // Reading never writes the value back.
    EXPECT_EQ(Settings::open()->value(SleepPreventerController::settingsKey).toList().size(), 2);

    // A list written by another hand, with a number among the texts, is no list of texts either.
    for (const char *stored : {R"([1, "display"])", R"(["display", null])", R"([["display"]])"}) {
        const QString file = Settings::open()->fileName();
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(QByteArray(R"({"sleepPreventerGuards": )") + stored + "}");
        out.close();
        EXPECT_EQ(SleepPreventerController(power).enabled(), allGuards) << stored;
    }
}

TEST_F(SleepControllerTest, EveryAssignmentStoresTheSetAndAnEmptySetSurvivesARelaunch)
{
    auto controller = make({Guard::display, Guard::userActive});
    EXPECT_EQ(SleepPreventerController(power).enabled(), GuardSet({Guard::display, Guard::userActive}));

    Settings::open()->setValue(SleepPreventerController::settingsKey, QStringList{"diskIdle"});
    QSignalSpy changed(controller.get(), &SleepPreventerController::enabledChanged);
    controller->setEnabled({Guard::display, Guard::userActive}); // unchanged, still stored
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(SleepPreventerController(power).enabled(), GuardSet({Guard::display, Guard::userActive}));

    controller->setEnabled({});
    EXPECT_EQ(changed.count(), 1);
    EXPECT_TRUE(SleepPreventerController(power).enabled().empty());
}

TEST_F(SleepControllerTest, StartWithNoGuardDoesNothing)
{
    auto controller = make({});
    QSignalSpy active(controller.get(), &SleepPreventerController::isActiveChanged);
    controller->start();
    clock.advance(60000);
    EXPECT_FALSE(controller->isActive());
    EXPECT_TRUE(power.calls.isEmpty());
    EXPECT_EQ(active.count(), 0);
}

TEST_F(SleepControllerTest, StartHoldsTheTickedGuardsSkipsRefusalsAndStopReleasesThem)
{
    power.refused = {QStringLiteral("PreventDiskIdle")};
    auto controller = make(allGuards);
    QSignalSpy active(controller.get(), &SleepPreventerController::isActiveChanged);
    controller->start();
    EXPECT_TRUE(controller->isActive());
    EXPECT_EQ(controller->activeUntil(), std::nullopt);
    EXPECT_EQ(power.take(), QStringList({created("PreventUserIdleDisplaySleep", 1),
                                         created("PreventUserIdleSystemSleep", 2), "refused PreventDiskIdle",
                                         created("PreventSystemSleep", 3), activity}));

    controller->start(); // already on: no second set
    EXPECT_TRUE(power.calls.isEmpty());

    clock.advance(30000);
    clock.advance(30000);
    EXPECT_EQ(power.take(), QStringList({activity, activity}));

    controller->stop();
    EXPECT_FALSE(controller->isActive());
    EXPECT_EQ(power.take(), QStringList({"release 1", "release 2", "release 3"}));
    clock.advance(120000);
    EXPECT_TRUE(power.calls.isEmpty()) << "the activity loop ends with stop()";

    controller->stop(); // already off: nothing released again
    EXPECT_TRUE(power.calls.isEmpty());
    EXPECT_EQ(active.count(), 2);
}

TEST_F(SleepControllerTest, NothingHeldLeavesTheControllerOff)
{
    power.refused = {"PreventUserIdleDisplaySleep", "PreventUserIdleSystemSleep", "PreventDiskIdle",
                     "PreventSystemSleep"};
    auto controller = make({Guard::display, Guard::idleSystem, Guard::diskIdle, Guard::systemSleep});
    QSignalSpy active(controller.get(), &SleepPreventerController::isActiveChanged);
    controller->start();
    EXPECT_FALSE(controller->isActive());
    EXPECT_EQ(active.count(), 0);
    EXPECT_EQ(controller->activeUntil(), std::nullopt);

    // Nor does a declaration of user activity that no one takes: no loop goes on declaring it.
    power.activityRefused = true;
    controller->setEnabled(allGuards);
    power.calls.clear();
    controller->start();
    clock.advance(60000);
    EXPECT_FALSE(controller->isActive());
    EXPECT_EQ(active.count(), 0);
    EXPECT_EQ(power.take().filter(QStringLiteral("activity")), QStringList({"refused " + activity}));
    power.activityRefused = false;

    // The screen-saver guard alone needs no assertion and turns the controller on.
    controller->setEnabled({Guard::userActive});
    power.calls.clear();
    controller->start();
    EXPECT_TRUE(controller->isActive());
    EXPECT_EQ(power.take(), QStringList({activity}));
    clock.advance(30000);
    EXPECT_EQ(power.take(), QStringList({activity}));
}

TEST_F(SleepControllerTest, AFiniteRunEndsItselfAndAStoppedRunsTimerDoesNothing)
{
    auto controller = make({Guard::display});
    controller->setDuration(Duration::hour1);
    const QDateTime before = QDateTime::currentDateTime();
    controller->start();
    const QDateTime after = QDateTime::currentDateTime();
    ASSERT_TRUE(controller->activeUntil());
    EXPECT_GE(*controller->activeUntil(), before.addSecs(3600));
    EXPECT_LE(*controller->activeUntil(), after.addSecs(3600));

    clock.advance(3600 * 1000 - 1);
    EXPECT_TRUE(controller->isActive());
    clock.advance(1);
    EXPECT_FALSE(controller->isActive());
    EXPECT_EQ(controller->activeUntil(), std::nullopt);
    EXPECT_EQ(power.take(), QStringList({created("PreventUserIdleDisplaySleep", 1), "release 1"}));

    // Stopped early and started again for good: the first timer must not end the second run.
    controller->start();
    clock.advance(1000);
    controller->stop();
    controller->setDuration(Duration::forever);
    controller->start();
    clock.advance(7200 * 1000);
    EXPECT_TRUE(controller->isActive());
    EXPECT_EQ(controller->activeUntil(), std::nullopt);
}

TEST_F(SleepControllerTest, TablesKeepTheirRawValuesAndOrder)
{
    QStringList guards;
    for (Guard g : SleepPreventerController::allGuards) {
        guards << SleepPreventerController::toString(g);
        EXPECT_EQ(SleepPreventerController::guardFromString(guards.last()), g);
    }
    EXPECT_EQ(guards, QStringList({"display", "idleSystem", "diskIdle", "systemSleep", "userActive"}));
    EXPECT_EQ(SleepPreventerController::guardFromString("DISPLAY"), std::nullopt);
    QStringList labels;
    for (Duration d : SleepPreventerController::allDurations)
        labels << SleepPreventerController::label(d);
    EXPECT_EQ(labels, QStringList({"계속", "30분", "1시간", "2시간"}));
    EXPECT_EQ(SleepPreventerController::seconds(Duration::minutes30), 1800);
    EXPECT_EQ(SleepPreventerController::seconds(Duration::hour2), 7200);
    EXPECT_EQ(SleepPreventerController::assertionName.size(), 22);
}

} // namespace
