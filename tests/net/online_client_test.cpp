// The web client as the window uses it: every call answers once, later, through the event loop;
// posts carry the game's user agent and their body as the service reads it; a silent peer ends
// in the request's time-out, a refused connection and an HTTP error in a failure; and a whole
// account's life runs against a real service.

#include "net/online_client.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTcpServer>
#include <QTcpSocket>
#include <vector>

#include "core/online/operations.h"
#include "service_in_qt_test.h"

namespace orvala::net {
namespace {

struct Answer {
    bool ok = false;
    std::string reply;
};

Answer await(OnlineClient& client, const online::Request& request) {
    Answer a;
    bool answered = false;
    QEventLoop loop;
    client.post(request, [&](bool ok, const std::string& reply) {
        EXPECT_FALSE(answered) << "answered twice";
        a = {ok, reply};
        answered = true;
        loop.quit();
    });
    EXPECT_FALSE(answered) << "the call waited for its reply";
    if (!answered) loop.exec();
    return a;
}

std::string base(quint16 port) {
    return "http://127.0.0.1:" + std::to_string(port);
}

// A listener that keeps what arrives and answers `reply` once the request's body is in, or never.
class Peer : public QObject {
  public:
    explicit Peer(QByteArray reply) : reply_(std::move(reply)) {
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, this, [this] {
            QTcpSocket* s = server_.nextPendingConnection();
            QObject::connect(s, &QTcpSocket::readyRead, this, [this, s] {
                received += s->readAll();
                const auto end = received.indexOf("\r\n\r\n");
                const auto length = received.indexOf("Content-Length: ");
                if (end < 0 || reply_.isEmpty()) return;
                const int want = length < 0 ? 0 : received.mid(length + 16).split('\r')[0].toInt();
                if (received.size() - end - 4 < want) return;
                s->write(reply_);
                s->disconnectFromHost();
            });
        });
    }
    quint16 port() const { return server_.serverPort(); }
    QByteArray received;

  private:
    QTcpServer server_;
    QByteArray reply_;
};

TEST(OnlineClient, PostsAsTheGameAndReadsUtf8RepliesAsWindows1251) {
    Peer peer(
        "HTTP/1.1 200 OK\r\nContent-Type: text/plain; charset=utf-8\r\nContent-Length: "
        "10\r\n\r\n$\xD0\xA2\xD0\xB2\xD0\xB5\xD1\x80$");
    OnlineClient client(online::addressesAt(base(peer.port())));
    std::vector<bool> busy;
    QObject::connect(&client, &OnlineClient::busyChanged, [&](bool b) { busy.push_back(b); });
    const Answer a = await(client, online::recordsNearRequest(55, "ann", "\xD2\xE2\xE5\xF0"));
    ASSERT_TRUE(a.ok);
    EXPECT_EQ(a.reply, "$\xD2\xE2\xE5\xF0$");
    EXPECT_EQ(busy, (std::vector<bool>{true, false}));
    const QByteArray got = peer.received;
    EXPECT_TRUE(got.startsWith("POST /rec/near HTTP/1.1\r\n")) << got.toStdString();
    EXPECT_TRUE(got.contains("User-Agent: ZorSpecAccess\r\n"));
    EXPECT_TRUE(got.contains("Accept: text/html, */*\r\n"));
    EXPECT_TRUE(got.contains("Content-Type: application/x-www-form-urlencoded\r\n"));
    EXPECT_TRUE(got.endsWith("\r\n\r\ngid=55&nick=ann&city=\xD2\xE2\xE5\xF0"));

    // A plain fetch keeps Qt's own user agent.
    bool fetched = false;
    QEventLoop loop;
    peer.received.clear();
    client.fetch(QUrl(QString::fromStdString(base(peer.port()) + "/config.txt")), 1000,
                 [&](bool, const std::string&) {
                     fetched = true;
                     loop.quit();
                 });
    loop.exec();
    EXPECT_TRUE(fetched);
    EXPECT_FALSE(peer.received.contains("ZorSpecAccess"));
}

TEST(OnlineClient, SilenceRefusalAndErrorsAreFailures) {
    Peer silent("");
    OnlineClient client(online::addressesAt(base(silent.port())));
    online::Request quick = online::statisticsRequest();
    quick.timeoutMs = 100;
    EXPECT_FALSE(await(client, quick).ok);

    Peer error("HTTP/1.1 500 Internal Server Error\r\nContent-Length: 4\r\n\r\n$ok#");
    client.setAddresses(online::addressesAt(base(error.port())));
    EXPECT_FALSE(await(client, online::statisticsRequest()).ok);

    quint16 closed;
    {
        QTcpServer gone;
        gone.listen(QHostAddress::LocalHost, 0);
        closed = gone.serverPort();
    }
    client.setAddresses(online::addressesAt(base(closed)));
    const Answer refused = await(client, online::statisticsRequest());
    EXPECT_FALSE(refused.ok);
    EXPECT_TRUE(refused.reply.empty());

    // A caller that is gone gets no answer.
    Peer slow("HTTP/1.1 200 OK\r\nContent-Length: 4\r\n\r\n$ok#");
    client.setAddresses(online::addressesAt(base(slow.port())));
    auto* owner = new QObject;
    bool called = false;
    client.post(
        online::likeRequest("ann"), [&](bool, const std::string&) { called = true; }, owner);
    delete owner;
    QEventLoop loop;
    QObject::connect(&client, &OnlineClient::busyChanged, &loop, [&](bool b) {
        if (!b) loop.quit();
    });
    loop.exec();
    EXPECT_FALSE(called);

    // A client that goes while it waits answers nobody and says it is idle.
    Peer silentAgain("");
    auto* leaving = new OnlineClient(online::addressesAt(base(silentAgain.port())));
    std::vector<bool> busy;
    QObject::connect(leaving, &OnlineClient::busyChanged, [&](bool b) { busy.push_back(b); });
    leaving->post(online::statisticsRequest(), [&](bool, const std::string&) { called = true; });
    delete leaving;
    EXPECT_FALSE(called);
    EXPECT_EQ(busy, (std::vector<bool>{true, false}));
}

TEST(OnlineClient, AnAccountsLifeAgainstTheService) {
    using namespace orvala::service::testing;
    TestService service(service::Engine::Sqlite);
    OnlineClient client(online::addressesAt(base(service.port())));

    bool configured = false;
    client.readConfiguration(QUrl(QString::fromStdString(base(service.port()) + "/config.txt")),
                             [&] { configured = true; });
    while (!configured) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    // The page names the addresses the service publishes itself under.
    EXPECT_EQ(client.addresses().account, service.config().publicUrl + "/acc");
    EXPECT_EQ(client.addresses().records, service.config().publicUrl + "/rec");
    client.setAddresses(online::addressesAt(base(service.port())));

    online::Account ann;
    ann.Nick = "ann";
    ann.Pw = "secret1";
    ann.City = "Snowtown";  // holds "no", which is no refusal
    ann.EMail = "ann@x.org";
    ann.DateR = "09.12.2026";
    EXPECT_EQ(online::readRegisterReply(await(client, online::registerRequest(ann)).reply),
              online::RegisterResult::Created);
    EXPECT_EQ(online::readRegisterReply(await(client, online::registerRequest(ann)).reply),
              online::RegisterResult::NickTaken);
    online::Account bob = ann;
    bob.Nick = "bob";
    await(client, online::registerRequest(bob));

    const auto login = online::readAccountReply(
        await(client, online::readAccountRequest("ann", "secret1")).reply, "ann", "secret1");
    ASSERT_TRUE(login);
    EXPECT_EQ(login->City, "Snowtown");
    EXPECT_FALSE(online::readAccountReply(
        await(client, online::readAccountRequest("ann", "wrong12")).reply, "ann", "wrong12"));

    // One game for the global rating: the provisional loss, then the real result.
    online::GameResults r;
    r.Kon = 1;
    r.Rating = -1999.96;
    EXPECT_TRUE(
        online::readOkReply(await(client, online::writeResultsRequest("ann", "secret1", r)).reply));
    const auto back =
        online::readResultsReply(await(client, online::readResultsRequest("ann", "secret1")).reply);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Kon, 1);
    EXPECT_DOUBLE_EQ(back->Rating, -1999.96);
    EXPECT_EQ(
        online::readNumberReply(await(client, online::placeByRatingRequest(back->Rating)).reply),
        1);
    const auto top = online::readRatingTop(await(client, online::ratingTopRequest()).reply);
    ASSERT_EQ(top.size(), 1u);
    EXPECT_EQ(top[0].Nick, "ann");

    online::RecordEntry entry;
    entry.nick = "Incognito";
    entry.city = "Moscow";
    entry.country = "1-001";
    entry.score = 321;
    EXPECT_EQ(online::readNumberReply(await(client, online::recordWriteRequest(entry)).reply), 1);
    const auto rows =
        online::readRecordList(await(client, online::recordListRequest(55)).reply, 55);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].Score, 321);
    EXPECT_EQ(online::readNumberReply(await(client, online::recordCountRequest(55)).reply), 1);

    // Zors: nothing to give yet, a stranger, then a credited balance moved in one step.
    EXPECT_EQ(online::readTransferReply(
                  await(client, online::transferRequest("ann", "secret1", "bob", 5)).reply)
                  .result,
              online::TransferResult::NotEnough);
    EXPECT_EQ(online::readTransferReply(
                  await(client, online::transferRequest("ann", "secret1", "nobody", 5)).reply)
                  .result,
              online::TransferResult::NoSuchMember);
    service.db().execute("UPDATE accounts SET balance = 30 WHERE nick = 'ann'");
    const auto moved = online::readTransferReply(
        await(client, online::transferRequest("ann", "secret1", "bob", 30)).reply);
    EXPECT_EQ(moved.result, online::TransferResult::Done);
    EXPECT_EQ(moved.balanceLeft, 0);
    EXPECT_EQ(online::readBalanceReply(await(client, online::readBalanceRequest("bob")).reply), 30);

    EXPECT_TRUE(online::readStatusReply(await(client, online::startReportRequest(true)).reply));
    EXPECT_TRUE(online::readStatusReply(await(client, online::likeRequest("ann")).reply));
    EXPECT_TRUE(
        online::readStatusReply(await(client, online::gameReportRequest({1, 0, 120})).reply));
    const auto stats = online::readStatistics(await(client, online::statisticsRequest()).reply);
    ASSERT_TRUE(stats);
    EXPECT_EQ(stats->Stat1, 1);
    EXPECT_EQ(stats->Stat2, 1);
    EXPECT_EQ(stats->Stat3, 1);
    EXPECT_EQ(stats->Stat4, "ann");
    EXPECT_EQ(stats->StatX[0], 1);
    EXPECT_EQ(stats->StatX[2], 120);
}

}  // namespace
}  // namespace orvala::net
