// A helper process for the bus tests, in one of two roles:
//   services SESSION_ADDRESS SYSTEM_ADDRESS   small fake ScreenSaver (session) and login1 (system)
//                                             services that log every call, one tab-separated line each
//   hold SESSION_ADDRESS SYSTEM_ADDRESS       a keep-awake controller holding every guard until killed
#include "Features/SleepPreventer/SleepPreventerController.h"
#include "Platform/PowerManagement.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>
#include <QSocketNotifier>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

void say(const QString &line)
{
    std::fputs((line + QLatin1Char('\n')).toUtf8().constData(), stdout);
    std::fflush(stdout);
}

class FakeScreenSaver : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")

public slots:
    uint Inhibit(const QString &applicationName, const QString &reason)
    {
        const uint cookie = next_++;
        say(QStringLiteral("ss-inhibit\t%1\t%2\t%3").arg(applicationName, reason).arg(cookie));
        return cookie;
    }
    void UnInhibit(uint cookie) { say(QStringLiteral("ss-uninhibit\t%1").arg(cookie)); }
    void SimulateUserActivity() { say(QStringLiteral("ss-activity")); }

private:
    uint next_ = 7;
};

// Hands out the write end of a pipe as the inhibitor and reports when every copy of it is closed.
class FakeLoginManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public slots:
    QDBusUnixFileDescriptor Inhibit(const QString &what, const QString &who, const QString &why,
                                    const QString &mode)
    {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) != 0)
            return {};
        say(QStringLiteral("login1-inhibit\t%1\t%2\t%3\t%4").arg(what, who, why, mode));
        auto *notifier = new QSocketNotifier(ends[0], QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this, [notifier, what] {
            char byte = 0;
            if (::read(int(notifier->socket()), &byte, 1) > 0)
                return;
            say(QStringLiteral("login1-released\t%1").arg(what));
            ::close(int(notifier->socket()));
            notifier->deleteLater();
        });
        QDBusUnixFileDescriptor handed(ends[1]); // keeps its own copy
        ::close(ends[1]);
        return handed;
    }
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Quillfern"));
    QCoreApplication::setApplicationName(QStringLiteral("Quillfern"));
    const QStringList args = app.arguments();
    if (args.size() != 4)
        return 2;
    QDBusConnection session = QDBusConnection::connectToBus(args[2], QStringLiteral("session"));
    QDBusConnection system = QDBusConnection::connectToBus(args[3], QStringLiteral("system"));
    if (!session.isConnected() || !system.isConnected())
        return 3;

    if (args[1] == QLatin1String("services")) {
        FakeScreenSaver screenSaver;
        FakeLoginManager login;
        if (!session.registerObject(QStringLiteral("/org/freedesktop/ScreenSaver"), &screenSaver,
                                    QDBusConnection::ExportAllSlots) ||
            !session.registerService(QStringLiteral("org.freedesktop.ScreenSaver")) ||
            !system.registerObject(QStringLiteral("/org/freedesktop/login1"), &login,
                                   QDBusConnection::ExportAllSlots) ||
            !system.registerService(QStringLiteral("org.freedesktop.login1")))
            return 4;
        say(QStringLiteral("ready"));
        return QCoreApplication::exec();
    }
    if (args[1] == QLatin1String("hold")) {
        DBusPowerManagement power(session, system);
        SleepPreventerController controller(power);
        controller.setEnabled(SleepPreventerController::GuardSet(SleepPreventerController::allGuards.begin(),
                                                                 SleepPreventerController::allGuards.end()));
        controller.start();
        say(QStringLiteral("held\t%1").arg(controller.isActive() ? 1 : 0));
        return QCoreApplication::exec();
    }
    return 2;
}

#include "SleepBusHelper.moc"
