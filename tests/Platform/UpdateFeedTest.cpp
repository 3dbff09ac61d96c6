// The update check against feeds served over HTTP by a server of the test's own on 127.0.0.1.
#include "Platform/Updater.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

// One answer of the server: its status line, its headers, its body, and whether the connection is
// then held open without end (a feed that never finishes).
struct Answer {
    QByteArray status = "200 OK";
    QByteArray headers;
    QByteArray body;
    bool withLength = true;
    bool holdOpen = false;
};

// A small HTTP/1.1 server answering each path from a table; unknown paths get 404.
class FeedServer {
public:
    explicit FeedServer(std::map<QByteArray, Answer> answers) : answers_(std::move(answers))
    {
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] {
            while (QTcpSocket *socket = server_.nextPendingConnection())
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { serve(socket); });
        });
    }
    QString url(const char *path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(QLatin1String(path));
    }

private:
    void serve(QTcpSocket *socket)
    {
        QByteArray &request = pending_[socket];
        request += socket->readAll();
        if (!request.contains("\r\n\r\n"))
            return;
        const QByteArray path = request.split(' ').value(1);
        const auto found = answers_.find(path);
        const Answer answer =
            found != answers_.end() ? found->second : Answer{"404 Not Found", {}, "no", true};
        QByteArray head = "HTTP/1.1 " + answer.status + "\r\n" + answer.headers;
        if (answer.withLength)
            head += "Content-Length: " + QByteArray::number(answer.body.size()) + "\r\n";
        if (!answer.holdOpen)
            head += "Connection: close\r\n";
        socket->write(head + "\r\n" + answer.body);
        if (!answer.holdOpen)
            socket->disconnectFromHost();
    }

    QTcpServer server_;
    std::map<QByteArray, Answer> answers_;
    std::map<QTcpSocket *, QByteArray> pending_;
};

UpdateCheckResult check(const QString &url)
{
    FeedUpdater updater(url, QStringLiteral("1.0.0"));
    QSignalSpy finished(&updater, &Updater::checkFinished);
    updater.checkForUpdates();
    // Well within the check's own 30 seconds: an answer over the bound must not wait for them.
    if (!finished.wait(10000))
        return {UpdateCheckResult::Kind::failed, {}, {}, QStringLiteral("(no result within 10 s)")};
    EXPECT_TRUE(updater.canCheckForUpdates());
    return finished.first().first().value<UpdateCheckResult>();
}

} // namespace

TEST(UpdateFeed, ServedFeedsAreReadWithinTheBoundAndOnlyVersionsAreAnnounced)
{
    constexpr int bound = 64 * 1024;
    const QByteArray html = "<!DOCTYPE html>\n<html><head><title>Sign in</title></head></html>\n";
    // The bound itself is a feed; one byte more is not.
    const QByteArray full = "9.0\n" + QByteArray(bound - 4, 'x');
    FeedServer server({
        {"/feed.json",
         {"200 OK", "Content-Type: application/json\r\n",
          R"({"version": "9.0.0", "url": "https://example.com/get"})"}},
        {"/feed.txt", {"200 OK", {}, "1.0.0\nnotes\n", false}},
        {"/full.txt", {"200 OK", {}, full, false}},
        {"/portal", {"200 OK", "Content-Type: text/html\r\n", html}},
        {"/beta.json", {"200 OK", {}, R"({"version": "2.0-beta", "url": "https://example.com/"})"}},
        {"/words.json", {"200 OK", {}, R"({"version": "new", "url": "https://example.com/"})"}},
        {"/big", {"200 OK", {}, "9.0\n" + QByteArray(qsizetype{10} * 1024 * 1024, 'x')}},
        {"/big-unannounced", {"200 OK", {}, "9.0\n" + QByteArray(bound + 1, 'x'), false, true}},
        {"/big-announced", {"200 OK", "Content-Length: 10485760\r\n", "9.0\n", false, true}},
        {"/over-by-one", {"200 OK", {}, full + "x", false}},
    });

    using Kind = UpdateCheckResult::Kind;
    const QString unreadable = QStringLiteral("업데이트 정보를 읽을 수 없습니다.");
    const QString tooLarge = QStringLiteral("업데이트 정보가 너무 큽니다.");
    const struct {
        const char *path;
        Kind kind;
        const char *version;
        QString detail;
    } cases[] = {
        {"/feed.json", Kind::newVersion, "9.0.0", {}},
        {"/feed.txt", Kind::upToDate, "1.0.0", {}},
        {"/full.txt", Kind::newVersion, "9.0", {}},
        // A captive portal's page, or a version that is not numbers, is never announced.
        {"/portal", Kind::failed, "", unreadable},
        {"/beta.json", Kind::failed, "", unreadable},
        {"/words.json", Kind::failed, "", unreadable},
        // Over the bound: at once, whether the length was announced or the bytes keep coming,
        // and also when the server holds the connection open after them.
        {"/big", Kind::failed, "", tooLarge},
        {"/big-unannounced", Kind::failed, "", tooLarge},
        {"/big-announced", Kind::failed, "", tooLarge},
        {"/over-by-one", Kind::failed, "", tooLarge},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path);
        QElapsedTimer clock;
        clock.start();
        const UpdateCheckResult result = check(server.url(c.path));
        EXPECT_EQ(result.kind, c.kind) << result.detail.toStdString();
        EXPECT_EQ(result.version, QString::fromLatin1(c.version));
        if (!c.detail.isEmpty()) {
            EXPECT_EQ(result.detail, c.detail);
        }
    }
    const UpdateCheckResult json = check(server.url("/feed.json"));
    EXPECT_EQ(json.address, QStringLiteral("https://example.com/get"));

    // A server's error is reported as such, not as a feed that could not be read.
    const UpdateCheckResult missing = check(server.url("/none"));
    EXPECT_EQ(missing.kind, Kind::failed);
    EXPECT_NE(missing.detail, unreadable);
    EXPECT_NE(missing.detail, tooLarge);
    EXPECT_FALSE(missing.detail.isEmpty());
}

TEST(UpdateFeed, OnlyNumberVersionsCompare)
{
    const struct {
        const char *candidate;
        const char *current;
        bool newer;
    } cases[] = {
        {"<!DOCTYPE html>", "1.0.0", false},
        {"1.0.0-rc1", "1.0.0", false},
        {"2.0", "1.0-beta", false},
        {"1..2", "1.0", false},
        {"1.2.", "1.0", false},
        {"v2", "1.0", false},
        {"1.01", "1.1", false},
        {"1.002", "1.1", true},
        {"99999999999999999999999", "1.0", true}, // longer than any integer
    };
    for (const auto &c : cases)
        EXPECT_EQ(Updater::isNewer(QString::fromLatin1(c.candidate), QString::fromLatin1(c.current)), c.newer)
            << c.candidate << " vs " << c.current;
    EXPECT_TRUE(Updater::isVersion(QStringLiteral(" 1.2.0 ")));
    EXPECT_FALSE(Updater::isVersion(QStringLiteral("1.2.0 beta")));
    EXPECT_FALSE(Updater::isVersion(QString()));
}
