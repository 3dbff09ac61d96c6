#include "Platform/SingleInstance.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QThread>

#include <gtest/gtest.h>

#include <future>

namespace {
QString socketIn(const TestSupport::TempDir &dir)
{
    return QString::fromStdString((dir / "instance.socket").native());
}

// Sends from another thread while this one serves the primary's event loop.
std::optional<QJsonObject> sendWhileServing(const QString &path, const QJsonObject &request)
{
    auto answer = std::async(std::launch::async, [&] { return SingleInstance::send(path, request, 5000); });
    while (answer.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
        QCoreApplication::processEvents();
    return answer.get();
}
} // namespace

TEST(SingleInstance, SecondInstanceHandsItsRequestToTheFirst)
{
    TestSupport::TempDir dir;
    const QString path = socketIn(dir);
    EXPECT_EQ(SingleInstance::send(path, {}), std::nullopt); // nobody listening yet

    SingleInstance primary(path);
    QJsonObject seen;
    ASSERT_TRUE(primary.listen([&](const QJsonObject &request) {
        seen = request;
        return QJsonObject{{QStringLiteral("ok"), false},
                           {QStringLiteral("error"), QStringLiteral("보낼 파일을 찾지 못했습니다")}};
    }));
    SingleInstance second(path);
    EXPECT_FALSE(second.listen({}));

    const QJsonObject request{{QStringLiteral("kind"), QStringLiteral("open")},
                              {QStringLiteral("args"), QJsonArray{QStringLiteral("x")}}};
    const auto answer = sendWhileServing(path, request);
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(seen, request);
    EXPECT_EQ(answer->value(QStringLiteral("error")).toString(),
              QStringLiteral("보낼 파일을 찾지 못했습니다"));
}

TEST(SingleInstance, StaleSocketOfACrashedInstanceIsTakenOver)
{
    TestSupport::TempDir dir;
    const QString path = socketIn(dir);
    {
        // A socket file with nobody behind it, as a killed process leaves it.
        TestSupport::writeBytes(path.toStdString(), "");
    }
    SingleInstance primary(path);
    EXPECT_TRUE(primary.listen([](const QJsonObject &) {
        return QJsonObject{{QStringLiteral("ok"), true}};
    }));
    const auto answer =
        sendWhileServing(path, QJsonObject{{QStringLiteral("kind"), QStringLiteral("reopen")}});
    ASSERT_TRUE(answer.has_value());
    EXPECT_TRUE(answer->value(QStringLiteral("ok")).toBool());
}
