#include "Features/ZipKorean/ZipKoreanView.h"

#include "support/PrivateBus.h"
#include "support/TestSupport.h"

#include <QDBusConnection>
#include <QObject>
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

} // namespace

TEST(RevealInFileManager, AsksTheFileManagerElseOpensTheFolder)
{
    ASSERT_TRUE(TestSupport::haveProgram(QStringLiteral("dbus-daemon")));
    TestSupport::TempDir dir;
    const fs::path item = dir.file("결과/a b.zip", "z");
    TestSupport::PrivateBus bus(dir);
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
