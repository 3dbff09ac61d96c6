// Watching for a tray that comes after the program, over a private D-Bus with a stand-in
// StatusNotifierWatcher; the real session bus is never used.
#include "support/PrivateBus.h"
#include "support/StandInTrayWatcher.h"
#include "support/TestSupport.h"

#include "Platform/TrayWatcher.h"

#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

namespace {

class TrayWatcherTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(TestSupport::haveProgram(QStringLiteral("dbus-daemon")));
        ASSERT_FALSE(bus.address().isEmpty());
        ASSERT_TRUE(program.isConnected());
        ASSERT_TRUE(panel.isConnected());
    }

    TestSupport::TempDir dir;
    TestSupport::PrivateBus bus{dir};
    QDBusConnection program = bus.connection(QStringLiteral("program"));
    QDBusConnection panel = bus.connection(QStringLiteral("panel"));
};

} // namespace

TEST_F(TrayWatcherTest, WatcherWithoutAHostIsNoTrayAndTheHostsRegistrationIsHeard)
{
    TrayWatcher watcher(program);
    QSignalSpy appeared(&watcher, &TrayWatcher::appeared);
    EXPECT_FALSE(watcher.isAvailable());
    watcher.watch();

    TestSupport::StandInTrayWatcher panelWatcher(panel);
    ASSERT_TRUE(panelWatcher.appear());
    // The watcher alone is no tray: Qt would find no host to show an icon.
    QTest::qWait(300);
    EXPECT_EQ(appeared.count(), 0);
    EXPECT_FALSE(watcher.isAvailable());

    panelWatcher.hostRegisters();
    ASSERT_TRUE(appeared.wait(10000));
    panelWatcher.hostRegisters(); // told once only
    QTest::qWait(200);
    EXPECT_EQ(appeared.count(), 1);
}

TEST_F(TrayWatcherTest, AWatcherStartedWithItsHostCountsAtOnceAndAnotherTrayIsAskedAgain)
{
    // The start asks and waits for the answer, which a panel gives from its own process: here
    // from a thread of its own.
    auto panelWatcher = new TestSupport::StandInTrayWatcher(panel);
    panelWatcher->hostRegisters();
    ASSERT_TRUE(panelWatcher->appear());
    QThread panelThread;
    panelWatcher->moveToThread(&panelThread);
    panelThread.start();
    TrayWatcher already(program);
    EXPECT_TRUE(already.isAvailable());
    QMetaObject::invokeMethod(
        panelWatcher, [panelWatcher] { delete panelWatcher; }, Qt::BlockingQueuedConnection);
    panelThread.quit();
    panelThread.wait();

    // No bus at all, and an XEmbed-like tray that shows up on the third look.
    int looks = 0;
    TrayWatcher other(QDBusConnection(QStringLiteral("no such bus")), [&] { return ++looks >= 3; });
    QSignalSpy appeared(&other, &TrayWatcher::appeared);
    other.watch(10000);
    EXPECT_EQ(appeared.count(), 0);
    ASSERT_TRUE(appeared.wait(10000));
    EXPECT_EQ(looks, 3);

    // Past the patience nobody asks any more.
    int late = 0;
    TrayWatcher patient(QDBusConnection(QStringLiteral("no such bus")), [&] { return ++late > 100; });
    patient.watch(1000);
    QTest::qWait(2500);
    EXPECT_LE(late, 2);
}
