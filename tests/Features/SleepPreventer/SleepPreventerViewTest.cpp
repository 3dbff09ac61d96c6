#include "FakePower.h"

#include "Core/Scheduler.h"
#include "Core/Settings.h"
#include "Features/SleepPreventer/SleepPreventerView.h"
#include "Ui/ToggleSwitch.h"
#include "support/SaveShot.h"

#include <QCheckBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>

#include <gtest/gtest.h>

using Guard = SleepPreventerController::Guard;
using Duration = SleepPreventerController::Duration;
using TestSupport::saveShot;

namespace {

class SleepViewTest : public testing::Test {
protected:
    void SetUp() override
    {
        Scheduler::install(&clock);
        Settings::open()->remove(SleepPreventerController::settingsKey);
        controller = std::make_unique<SleepPreventerController>(power);
        view = std::make_unique<SleepPreventerView>(*controller);
        view->resize(640, 900);
        view->show();
    }
    void TearDown() override
    {
        view.reset();
        controller.reset();
        Scheduler::install(nullptr);
    }

    template <typename T> T *find(const char *name) const
    {
        auto *widget = view->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    ToggleSwitch *masterSwitch() const { return find<ToggleSwitch>("masterSwitch"); }
    QCheckBox *guardBox(Guard g) const
    {
        return find<QCheckBox>(("guard-" + SleepPreventerController::toString(g).toStdString()).c_str());
    }
    QString status() const { return find<QLabel>("statusLine")->text(); }

    ManualScheduler clock;
    FakePower power;
    std::unique_ptr<SleepPreventerController> controller;
    std::unique_ptr<SleepPreventerView> view;
};

TEST_F(SleepViewTest, NoGuardDisablesTheSwitchAndShowsTheWarning)
{
    for (Guard g : SleepPreventerController::allGuards)
        guardBox(g)->click();
    EXPECT_TRUE(controller->enabled().empty());
    EXPECT_FALSE(masterSwitch()->isEnabled());
    EXPECT_FALSE(find<QLabel>("guardsWarning")->isHidden());
    saveShot(*view, "sleep-no-guard");

    guardBox(Guard::diskIdle)->click();
    EXPECT_EQ(controller->enabled(), SleepPreventerController::GuardSet({Guard::diskIdle}));
    EXPECT_TRUE(masterSwitch()->isEnabled());
    EXPECT_TRUE(find<QLabel>("guardsWarning")->isHidden());
    // The page's ticks are stored for the next launch.
    EXPECT_EQ(Settings::open()->value(SleepPreventerController::settingsKey).toStringList(),
              QStringList({"diskIdle"}));
}

TEST_F(SleepViewTest, TheSwitchDrivesTheControllerAndTheStatusLineFollowsIt)
{
    EXPECT_EQ(status(), "켜면 선택한 항목의 잠자기를 막습니다");
    EXPECT_EQ(find<QLabel>("stateTitle")->text(), "잠자기 방지 꺼짐");

    masterSwitch()->click();
    EXPECT_TRUE(controller->isActive());
    EXPECT_TRUE(masterSwitch()->isChecked());
    EXPECT_EQ(status(), "끌 때까지 막습니다");
    EXPECT_EQ(find<QLabel>("stateTitle")->text(), "잠자기 방지 중");
    // The duration cannot change while on.
    EXPECT_FALSE(find<QPushButton>("duration-minutes30")->isEnabled());

    masterSwitch()->click();
    EXPECT_FALSE(controller->isActive());
    EXPECT_FALSE(masterSwitch()->isChecked());
    find<QPushButton>("duration-minutes30")->click();
    EXPECT_EQ(controller->duration(), Duration::minutes30);

    masterSwitch()->click();
    ASSERT_TRUE(controller->activeUntil());
    const QString time = QLocale().toString(controller->activeUntil()->time(), QLocale::ShortFormat);
    EXPECT_EQ(status(), time + "까지 막습니다");
    saveShot(*view, "sleep-on");
    EXPECT_LE(std::abs(QDateTime::currentDateTime().secsTo(*controller->activeUntil()) - 1800), 5);

    // The run's expiry, like the tray's toggle, is followed without the page doing anything.
    clock.advance(1800 * 1000);
    EXPECT_FALSE(masterSwitch()->isChecked());
    EXPECT_EQ(status(), "켜면 선택한 항목의 잠자기를 막습니다");
    controller->start();
    EXPECT_TRUE(masterSwitch()->isChecked());
}

TEST_F(SleepViewTest, ASwitchThatCannotHoldAnythingStaysOff)
{
    controller->setEnabled({Guard::display, Guard::diskIdle});
    power.refused = {"PreventUserIdleDisplaySleep", "PreventDiskIdle"};
    masterSwitch()->click();
    EXPECT_FALSE(controller->isActive());
    EXPECT_FALSE(masterSwitch()->isChecked());
    EXPECT_EQ(status(), "켜면 선택한 항목의 잠자기를 막습니다");
}

TEST_F(SleepViewTest, AStartNoPowerServiceTookSaysSoUntilOneHolds)
{
    auto *notice = find<QLabel>("noPowerService");
    EXPECT_FALSE(notice->isVisible());
    controller->setEnabled({Guard::display});
    power.refused = {"PreventUserIdleDisplaySleep"};
    masterSwitch()->click();
    ASSERT_FALSE(controller->isActive());
    EXPECT_TRUE(notice->isVisible());
    EXPECT_EQ(notice->text(), "이 데스크톱에는 잠자기를 막아 줄 전원 서비스가 없어 켤 수 없습니다");

    // Once something holds, the notice goes, and does not come back when switched off.
    power.refused.clear();
    masterSwitch()->click();
    ASSERT_TRUE(controller->isActive());
    EXPECT_FALSE(notice->isVisible());
    masterSwitch()->click();
    EXPECT_FALSE(notice->isVisible());
}

TEST_F(SleepViewTest, OnlyTheDiskGuardSaysItHasNoCounterpartRatherThanNoService)
{
    // As the desktop's own layer does: disk idle is refused whatever answers.
    power.refused = {"PreventDiskIdle"};
    controller->setEnabled({Guard::diskIdle});
    masterSwitch()->click();
    ASSERT_FALSE(controller->isActive());
    auto *notice = find<QLabel>("noPowerService");
    EXPECT_TRUE(notice->isVisible());
    EXPECT_EQ(notice->text(),
              "디스크 잠자기는 Linux에 대응하는 기능이 없어 막을 수 없습니다 — 다른 항목도 골라 주세요");
    saveShot(*view, "sleep-disk-only");

    // With a guard that has a counterpart but no service to take it, the service is what is missing.
    power.refused = {"PreventDiskIdle", "PreventSystemSleep"};
    guardBox(Guard::systemSleep)->click();
    masterSwitch()->click();
    ASSERT_FALSE(controller->isActive());
    EXPECT_EQ(notice->text(), "이 데스크톱에는 잠자기를 막아 줄 전원 서비스가 없어 켤 수 없습니다");
    EXPECT_FALSE(SleepPreventerController::hasCounterpart(Guard::diskIdle));
    EXPECT_TRUE(SleepPreventerController::hasCounterpart(Guard::userActive));
}

TEST_F(SleepViewTest, ChangingGuardsWhileOnRestartsTheRunAndUntickingTheLastLeavesItOff)
{
    controller->setEnabled({Guard::display});
    controller->setDuration(Duration::hour1);
    masterSwitch()->click();
    clock.advance(1800 * 1000);
    power.calls.clear();

    guardBox(Guard::systemSleep)->click();
    EXPECT_TRUE(controller->isActive());
    EXPECT_EQ(power.take(),
              QStringList({"release 1", "create PreventUserIdleDisplaySleep 255 Quillfern (Keep Awake) -> 2",
                           "create PreventSystemSleep 255 Quillfern (Keep Awake) -> 3"}));
    // The run starts again at its full length: the first run's end passes without effect.
    clock.advance(1800 * 1000);
    EXPECT_TRUE(controller->isActive());
    clock.advance(1800 * 1000);
    EXPECT_FALSE(controller->isActive());

    masterSwitch()->click();
    guardBox(Guard::display)->click();
    EXPECT_TRUE(controller->isActive());
    power.calls.clear();
    guardBox(Guard::systemSleep)->click();
    EXPECT_FALSE(controller->isActive());
    EXPECT_FALSE(masterSwitch()->isChecked());
    EXPECT_FALSE(masterSwitch()->isEnabled());
    EXPECT_EQ(power.take(), QStringList({"release 6"}));
}

} // namespace
