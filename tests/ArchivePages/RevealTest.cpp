#include "Features/ZipKorean/ZipKoreanView.h"

#include "support/TestSupport.h"

#include <QDBusConnection>
#include <QObject>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

// Stands in for the desktop's file manager and remembers what it was asked to show.
class FakeFileManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")

public:
    QStringList shown;
    QString startupId;

public slots:
    void ShowItems(const QStringList &uris, const QString &startup)
    {
        shown += uris;
        startupId = startup;
    }
};

// A private session bus, so the test needs no desktop session.
class PrivateBus {
public:
    explicit PrivateBus(const TestSupport::TempDir &dir)
    {
        // The bare <allow eavesdrop> rule is what lets a client's Hello through.
        const auto config = dir / "bus.conf";
        TestSupport::writeBytes(
            config, "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                    " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                    "<busconfig><type>session</type><listen>unix:tmpdir=/tmp</listen>"
                    "<auth>EXTERNAL</auth><policy context=\"default\">"
                    "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
                    "<allow own=\"*\"/></policy></busconfig>\n");
        daemon_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--config-file=") + QString::fromStdString(config),
                       QStringLiteral("--nofork"), QStringLiteral("--print-address")});
        if (daemon_.waitForStarted(10000)) {
            while (!daemon_.canReadLine() && daemon_.waitForReadyRead(10000)) {
            }
            address_ = QString::fromUtf8(daemon_.readLine().trimmed());
        }
    }
    ~PrivateBus()
    {
        daemon_.terminate();
        if (!daemon_.waitForFinished(5000))
            daemon_.kill();
        daemon_.waitForFinished(5000);
    }
    PrivateBus(const PrivateBus &) = delete;
    PrivateBus &operator=(const PrivateBus &) = delete;
    const QString &address() const { return address_; }

private:
    QProcess daemon_;
    QString address_;
};

} // namespace

TEST(RevealInFileManager, AsksTheFileManagerElseOpensTheFolder)
{
    ASSERT_TRUE(TestSupport::haveProgram(QStringLiteral("dbus-daemon")));
    TestSupport::TempDir dir;
    const fs::path item = dir.file("결과/a b.zip", "z");
    PrivateBus bus(dir);
    ASSERT_FALSE(bus.address().isEmpty());
    QDBusConnection caller = QDBusConnection::connectToBus(bus.address(), QStringLiteral("reveal-caller"));
    ASSERT_TRUE(caller.isConnected());
    std::vector<QUrl> opened;
    const auto open = [&](const QUrl &folder) { opened.push_back(folder); };

    // No file manager on the bus: its folder is opened instead.
    ZipKoreanView::revealInFileManager(item, caller, open);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !opened.empty(); }, 5000));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].toLocalFile().toStdString(), (dir / "결과").native());

    // With one: it is asked to show the item, by its file URL, and nothing else is opened.
    QDBusConnection service = QDBusConnection::connectToBus(bus.address(), QStringLiteral("reveal-service"));
    FakeFileManager manager;
    ASSERT_TRUE(service.registerObject(QStringLiteral("/org/freedesktop/FileManager1"), &manager,
                                       QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(service.registerService(QStringLiteral("org.freedesktop.FileManager1")));
    ZipKoreanView::revealInFileManager(item, caller, open);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !manager.shown.isEmpty(); }, 5000));
    EXPECT_EQ(manager.shown,
              QStringList{QUrl::fromLocalFile(QString::fromStdString(item)).toString(QUrl::FullyEncoded)});
    EXPECT_EQ(manager.startupId, "");
    QTest::qWait(100);
    EXPECT_EQ(opened.size(), 1u);

    // Without a bus at all the folder is opened at once.
    ZipKoreanView::revealInFileManager(item, QDBusConnection(QStringLiteral("none")), open);
    EXPECT_EQ(opened.size(), 2u);
}

#include "RevealTest.moc"
