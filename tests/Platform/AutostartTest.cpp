#include "Platform/Autostart.h"

#include <QFile>

#include <gtest/gtest.h>

TEST(Autostart, RegisterWritesTheEntryWithTheLoginFlagAndUnregisterRemovesIt)
{
    const QString path = Autostart::entryPath();
    EXPECT_TRUE(path.startsWith(qEnvironmentVariable("XDG_CONFIG_HOME"))) << path.toStdString();
    EXPECT_FALSE(Autostart::isRegistered());

    Autostart::registerEntry(QStringLiteral("/opt/quill fern/bin/quillfern"));
    EXPECT_TRUE(Autostart::isRegistered());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("Exec=\"/opt/quill fern/bin/quillfern\" --login-item\n")))
        << text.toStdString();
    file.close();

    Autostart::unregisterEntry();
    EXPECT_FALSE(Autostart::isRegistered());
    EXPECT_NO_THROW(Autostart::unregisterEntry());
}

TEST(Autostart, HiddenEntryCountsAsNotRegistered)
{
    Autostart::registerEntry(QStringLiteral("/usr/bin/quillfern"));
    QFile file(Autostart::entryPath());
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("Hidden=true\n");
    file.close();
    EXPECT_FALSE(Autostart::isRegistered());
}
