// Showing files in the file manager over a private D-Bus that the test starts itself, with a fake
// org.freedesktop.FileManager1; the real session bus is never used.
#include "support/PrivateBus.h"
#include "support/TestSupport.h"

#include "Core/FilePath.h"
#include "Platform/FileManager.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QTest>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

class FakeFileManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")

public:
    std::vector<std::pair<QStringList, QString>> calls;

public slots:
    void ShowItems(const QStringList &uris, const QString &startupId) { calls.emplace_back(uris, startupId); }
};

// Runs the event loop until the condition holds (generously, for a slow machine).
template <typename F> bool waitUntil(F condition)
{
    return QTest::qWaitFor(condition, 20000);
}

class FileManagerBusTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(TestSupport::haveProgram(QStringLiteral("dbus-daemon")));
        bus = std::make_unique<TestSupport::PrivateBus>(dir);
        ASSERT_FALSE(bus->address().isEmpty());
        caller = std::make_unique<QDBusConnection>(bus->connection(QStringLiteral("caller")));
        service = std::make_unique<QDBusConnection>(bus->connection(QStringLiteral("service")));
        ASSERT_TRUE(caller->isConnected());
        ASSERT_TRUE(service->isConnected());
    }

    TestSupport::TempDir dir;
    std::unique_ptr<TestSupport::PrivateBus> bus;
    std::unique_ptr<QDBusConnection> caller;
    std::unique_ptr<QDBusConnection> service;
};

} // namespace

TEST_F(FileManagerBusTest, TheFileManagerReceivesExactlyTheItems)
{
    FakeFileManager fake;
    ASSERT_TRUE(service->registerObject(QStringLiteral("/org/freedesktop/FileManager1"), &fake,
                                        QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(service->registerService(QStringLiteral("org.freedesktop.FileManager1")));

    const std::vector<fs::path> items{dir.folder("보낼 것"), dir.file("\xB0\xA1 #1.txt")};
    std::vector<fs::path> opened;
    FreedesktopFileViewer viewer(*caller, [&](const fs::path &folder) { opened.push_back(folder); });
    viewer.showItems(items);
    ASSERT_TRUE(waitUntil([&] { return !fake.calls.empty(); }));
    ASSERT_EQ(fake.calls.size(), 1u);
    const QStringList expected{QString::fromStdString(FilePath::toFileUrl(items[0])),
                               QString::fromStdString(FilePath::toFileUrl(items[1]))};
    EXPECT_EQ(fake.calls[0].first, expected);
    EXPECT_TRUE(fake.calls[0].second.isEmpty());
    // The percent-encoded URI carries the raw name bytes back unchanged.
    EXPECT_EQ(FilePath::fromFileUrl(fake.calls[0].first[1].toStdString()), items[1]);
    QCoreApplication::processEvents();
    EXPECT_TRUE(opened.empty());
}

TEST_F(FileManagerBusTest, WithoutAFileManagerTheFoldersOpenInstead)
{
    const std::vector<fs::path> items{dir.file("a/one.txt"), dir.file("a/two.txt"), dir.folder("b/c")};
    std::vector<fs::path> opened;
    FreedesktopFileViewer viewer(*caller, [&](const fs::path &folder) { opened.push_back(folder); });
    viewer.showItems(items);
    ASSERT_TRUE(waitUntil([&] { return opened.size() >= 2; }));
    EXPECT_EQ(opened, (std::vector<fs::path>{dir / "a", dir / "b"}));

    // No bus at all: the folders open at once.
    opened.clear();
    FreedesktopFileViewer offline(QDBusConnection(QStringLiteral("not-connected")),
                                  [&](const fs::path &folder) { opened.push_back(folder); });
    offline.showItems({items[0]});
    EXPECT_EQ(opened, std::vector<fs::path>{dir / "a"});
}

#include "FileManagerBusTest.moc"
