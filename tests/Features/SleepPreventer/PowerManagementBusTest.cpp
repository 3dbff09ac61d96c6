// The D-Bus power layer against fake ScreenSaver and login1 services on two private buses that the test
// starts itself (one stands in for the session bus, one for the system bus); the real buses are never used.
#include "support/PrivateBus.h"
#include "support/TestSupport.h"

#include "Core/Scheduler.h"
#include "Core/Settings.h"
#include "Features/SleepPreventer/SleepPreventerController.h"
#include "Platform/PowerManagement.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDeadlineTimer>
#include <QProcess>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QString name = QStringLiteral("Quillfern (Keep Awake)");

// A child process whose standard output is read line by line.
class LineReader {
public:
    explicit LineReader(QProcess &process) : process_(process) {}

    // Waits (generously, for a slow machine) until every wanted line has arrived, in any order; the
    // lines read on the way are appended to `seen`.
    bool waitForAll(QStringList wanted, QStringList *seen = nullptr)
    {
        QDeadlineTimer deadline(20000);
        while (!deadline.hasExpired()) {
            while (!pending_.isEmpty()) {
                const QString next = pending_.takeFirst();
                if (seen != nullptr)
                    *seen << next;
                wanted.removeOne(next);
            }
            if (wanted.isEmpty())
                return true;
            QCoreApplication::processEvents();
            // Output may already sit in the process's buffer, read there while other events ran.
            const bool arrived = process_.bytesAvailable() > 0 || process_.waitForReadyRead(50);
            if (!arrived && process_.state() != QProcess::Running)
                return false;
            buffer_ += process_.readAllStandardOutput();
            while (buffer_.contains('\n')) {
                const qsizetype end = buffer_.indexOf('\n');
                pending_ << QString::fromUtf8(buffer_.left(end));
                buffer_.remove(0, end + 1);
            }
        }
        return false;
    }
    bool waitFor(const QString &line, QStringList *seen = nullptr) { return waitForAll({line}, seen); }
    // Reads what has arrived without waiting.
    QStringList drain()
    {
        QCoreApplication::processEvents();
        process_.waitForReadyRead(200);
        buffer_ += process_.readAllStandardOutput();
        QStringList lines = pending_;
        pending_.clear();
        for (const QByteArray &l : buffer_.split('\n'))
            if (!l.isEmpty())
                lines << QString::fromUtf8(l);
        buffer_.clear();
        return lines;
    }

private:
    QProcess &process_;
    QByteArray buffer_;
    QStringList pending_;
};

void finish(QProcess &process)
{
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(10000);
    }
}

class PowerBusTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(TestSupport::haveProgram(QStringLiteral("dbus-daemon")));
        sessionBus = std::make_unique<TestSupport::PrivateBus>(dir, "session");
        systemBus = std::make_unique<TestSupport::PrivateBus>(dir, "system");
        ASSERT_FALSE(sessionBus->address().isEmpty());
        ASSERT_FALSE(systemBus->address().isEmpty());
        services.start(QStringLiteral(SLEEP_BUS_HELPER),
                       {QStringLiteral("services"), sessionBus->address(), systemBus->address()});
        ASSERT_TRUE(servicesOut.waitFor(QStringLiteral("ready")));
        static int serial = 0;
        const QString tag = QString::number(++serial);
        session = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(sessionBus->address(), QStringLiteral("test-session-") + tag));
        system = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(systemBus->address(), QStringLiteral("test-system-") + tag));
        ASSERT_TRUE(session->isConnected());
        ASSERT_TRUE(system->isConnected());
        Scheduler::install(&clock);
        Settings::open()->remove(SleepPreventerController::settingsKey);
    }
    void TearDown() override
    {
        Scheduler::install(nullptr);
        finish(services);
        if (session)
            QDBusConnection::disconnectFromBus(session->name());
        if (system)
            QDBusConnection::disconnectFromBus(system->name());
    }

    TestSupport::TempDir dir;
    std::unique_ptr<TestSupport::PrivateBus> sessionBus;
    std::unique_ptr<TestSupport::PrivateBus> systemBus;
    QProcess services;
    LineReader servicesOut{services};
    std::unique_ptr<QDBusConnection> session;
    std::unique_ptr<QDBusConnection> system;
    ManualScheduler clock;
};

TEST_F(PowerBusTest, AllGuardsInhibitTheScreenSaverAndLoginAndStopReleasesThem)
{
    DBusPowerManagement power(*session, *system);
    SleepPreventerController controller(power);
    controller.setEnabled(SleepPreventerController::GuardSet(SleepPreventerController::allGuards.begin(),
                                                             SleepPreventerController::allGuards.end()));
    controller.start();
    EXPECT_TRUE(controller.isActive());

    QStringList seen;
    ASSERT_TRUE(servicesOut.waitFor(QStringLiteral("ss-activity"), &seen));
    EXPECT_EQ(seen, QStringList({"ss-inhibit\t" + name + "\t" + name + "\t7",
                                 "login1-inhibit\tidle\t" + name + "\t" + name + "\tblock",
                                 "login1-inhibit\tsleep\t" + name + "\t" + name + "\tblock", "ss-activity"}));

    clock.advance(30000);
    seen.clear();
    ASSERT_TRUE(servicesOut.waitFor(QStringLiteral("ss-activity"), &seen));
    EXPECT_EQ(seen, QStringList({"ss-activity"}));

    controller.stop();
    EXPECT_TRUE(
        servicesOut.waitForAll({"ss-uninhibit\t7", "login1-released\tidle", "login1-released\tsleep"}));
    clock.advance(60000);
    EXPECT_FALSE(servicesOut.drain().contains(QStringLiteral("ss-activity")));
}

TEST_F(PowerBusTest, TheProcessEndingReleasesItsInhibitors)
{
    QProcess holder;
    LineReader holderOut(holder);
    holder.start(QStringLiteral(SLEEP_BUS_HELPER),
                 {QStringLiteral("hold"), sessionBus->address(), systemBus->address()});
    ASSERT_TRUE(holderOut.waitFor(QStringLiteral("held\t1")));
    QStringList seen;
    ASSERT_TRUE(servicesOut.waitFor("login1-inhibit\tsleep\t" + name + "\t" + name + "\tblock", &seen));

    EXPECT_FALSE(seen.contains(QStringLiteral("login1-released\tidle")));
    holder.kill();
    holder.waitForFinished(10000);
    EXPECT_TRUE(servicesOut.waitForAll({"login1-released\tidle", "login1-released\tsleep"}));
}

TEST_F(PowerBusTest, TypesWithoutAServiceOrCounterpartAreRefused)
{
    DBusPowerManagement power(*session, *system);
    EXPECT_EQ(power.create(QStringLiteral("PreventDiskIdle"), PowerManagement::levelOn, name), std::nullopt);
    EXPECT_EQ(power.create(QStringLiteral("PreventNothing"), PowerManagement::levelOn, name), std::nullopt);
    EXPECT_EQ(power.create(QStringLiteral("PreventUserIdleDisplaySleep"), 0, name), std::nullopt);

    // login1 asked for on a bus that has no such service; and a bus that is not connected at all.
    DBusPowerManagement wrongBus(*session, *session);
    EXPECT_EQ(wrongBus.create(QStringLiteral("PreventSystemSleep"), PowerManagement::levelOn, name),
              std::nullopt);
    auto display =
        wrongBus.create(QStringLiteral("PreventUserIdleDisplaySleep"), PowerManagement::levelOn, name);
    EXPECT_TRUE(display);
    DBusPowerManagement noBus(QDBusConnection(QStringLiteral("no-such-connection")),
                              QDBusConnection(QStringLiteral("no-such-connection")));
    EXPECT_EQ(noBus.create(QStringLiteral("PreventUserIdleSystemSleep"), PowerManagement::levelOn, name),
              std::nullopt);
    EXPECT_FALSE(noBus.declareUserActivity(name));
    noBus.release(1); // unknown: ignored
}

// A bus on which nothing answers: the screen-saver guard is not held either, so nothing is.
TEST(PowerBusWithoutServices, StartLeavesTheControllerOff)
{
    ASSERT_TRUE(TestSupport::haveProgram(QStringLiteral("dbus-daemon")));
    TestSupport::TempDir dir;
    TestSupport::PrivateBus bus(dir, "silent");
    ASSERT_FALSE(bus.address().isEmpty());
    const QString connectionName = QStringLiteral("test-silent");
    {
        QDBusConnection connection = QDBusConnection::connectToBus(bus.address(), connectionName);
        ASSERT_TRUE(connection.isConnected());
        ManualScheduler clock;
        Scheduler::install(&clock);
        DBusPowerManagement power(connection, connection);
        EXPECT_FALSE(power.declareUserActivity(name));
        SleepPreventerController controller(power);
        controller.setEnabled(
            {SleepPreventerController::allGuards.begin(), SleepPreventerController::allGuards.end()});
        controller.start();
        EXPECT_FALSE(controller.isActive());
        EXPECT_EQ(controller.activeUntil(), std::nullopt);
        controller.setEnabled({SleepPreventerController::Guard::userActive});
        controller.start();
        EXPECT_FALSE(controller.isActive());
        Scheduler::install(nullptr);
    }
    QDBusConnection::disconnectFromBus(connectionName);
}

} // namespace
