// The tournament lobby in the window against a real service on loopback, with a listener of
// the test's own standing in for the table's game server: seats taken and left by two
// accounts, the refresh showing the other player, the same-address refusal, the lobby closed
// to a player without an account, and the one-second watch after the game server refused the
// connection, then the service gone.

#include <gtest/gtest.h>

#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QToolButton>

#include "app/tourney/tourney_feature.h"
#include "dialogs/message_window.h"
#include "service_in_qt_test.h"
#include "window_helpers.h"

namespace orvala::app {
namespace {

using namespace orvala::service::testing;

using testing_qt::ServiceAt;

// A service with its game server on and table `table` served at `gamePort` on `address`.
std::unique_ptr<TestService> lobbyService(int table, unsigned short gamePort,
                                          const std::string& address = "127.0.0.1") {
    auto s = std::make_unique<TestService>(service::Engine::Sqlite, service::HttpLimits{},
                                           [=](service::ServiceConfig& c) {
                                               c.publicUrl.clear();
                                               c.tourServerOn = true;
                                               c.tourServerAddress = address;
                                               c.tourBasePort = gamePort - table;
                                           });
    EXPECT_EQ(registerAccount(*s, "ann", "secret1"), "ok");
    EXPECT_EQ(registerAccount(*s, "bob", "secret2"), "ok");
    return s;
}

// Bob takes a seat through the service, as his own game would.
std::string bobSits(const TestService& s, int table, int seat, const std::string& ip) {
    const std::string d = std::to_string(seat);
    return s
        .post("/tour/seat", raw({{"client3on" + d, "0"},
                                 {"gid", "55"},
                                 {"num", std::to_string(table)},
                                 {"can", "1"},
                                 {"nick" + d, "bob"},
                                 {"pw", "secret2"},
                                 {"score" + d, "0"},
                                 {"kon" + d, "0"},
                                 {"rating" + d, "17"},
                                 {"country" + d, "Russia"},
                                 {"city" + d, "Omsk"},
                                 {"sex" + d, "M"},
                                 {"ip" + d, ip}}))
        .body;
}

// The window with Ann logged in and the lobby open and drawn; the lobby's timers are stopped
// so that the test beats them itself.
struct Lobby {
    QTemporaryDir dir;
    LaunchOptions options = fastOptionsIn(dir);  // the window keeps a reference
    std::unique_ptr<TForm1> w;
    TourneyLobby* lobby = nullptr;

    explicit Lobby(bool loggedIn = true) {
        w = std::make_unique<TForm1>(options);
        EXPECT_TRUE(runUntil([&] { return w->online().running() == 0; }, 10000));
        if (loggedIn) {
            online::Account ann;
            ann.Nick = "ann";
            ann.Pw = "secret1";
            ann.City = "Perm";
            w->account().set(ann, online::AccountState::LoggedIn);
        }
        w->feature<TourneyFeature>()->TourneyIcon->click();
        lobby = w->feature<TourneyFeature>()->lobby();
        if (!lobby) return;
        EXPECT_TRUE(lobby->refreshTimer().isActive());
        EXPECT_EQ(lobby->refreshTimer().interval(), 10000);
        EXPECT_EQ(lobby->watchTimer().interval(), 1000);
        lobby->refreshTimer().stop();
        lobby->watchTimer().stop();
        settle();
    }
    void settle() {
        EXPECT_TRUE(runUntil([&] { return !lobby->busy(); }, 10000));
    }
    void refresh() {
        lobby->refresh();
        settle();
    }
    // The ten-second timer's beat, fired by the test instead of waited for.
    void beat() {
        ASSERT_TRUE(QMetaObject::invokeMethod(&lobby->refreshTimer(), "timeout"));
        settle();
    }
    QString seat(int t, int s) const { return lobby->dialog()->seatButton(t, s)->text(); }
    bool enabled(int t, int s) const { return lobby->dialog()->seatButton(t, s)->isEnabled(); }
    void press(int t, int s) {
        lobby->dialog()->seatButton(t, s)->click();
        settle();
    }
    QStringList message() const {
        auto* m = w->findChild<dialogs::MessageWindow*>();
        return m ? m->lines() : QStringList{};
    }
    // A failed connection is only noted; the watch's beats act on it and say so.
    QStringList watchUntilMessage() {
        runUntil(
            [&] {
                lobby->watch();
                return !message().isEmpty();
            },
            10000);
        return message();
    }
};

// What the game server reads from one connection until `n` bytes came.
QByteArray readFrom(QTcpServer& server, QTcpSocket*& peer, int n, QByteArray& got) {
    runUntil(
        [&] {
            if (!peer && server.hasPendingConnections()) peer = server.nextPendingConnection();
            if (peer) got += peer->readAll();
            return got.size() >= n;
        },
        10000);
    return got;
}

TEST(LobbyWindow, TwoAccountsTakeAndLeaveSeatsAndTheRefreshShowsTheOther) {
    QTcpServer game;
    ASSERT_TRUE(game.listen(QHostAddress::LocalHost));
    auto service = lobbyService(3, game.serverPort());
    ServiceAt at(service->port());
    Lobby l;
    ASSERT_NE(l.lobby, nullptr);
    auto* d = l.lobby->dialog();
    EXPECT_EQ(d->Welcome->text(), "Welcome!");
    EXPECT_TRUE(d->serverOn());
    EXPECT_EQ(d->ServerLamp->toolTip(), "Server On");
    EXPECT_EQ(d->Welcome->font().pointSize(), 28);
    EXPECT_EQ(l.seat(3, 1), "Take the place of");
    EXPECT_EQ(l.seat(3, 2), "Free");
    EXPECT_FALSE(l.enabled(3, 2));
    EXPECT_EQ(d->tableCaption(9)->toolTip(),
              "Start with 500 points: No\nRounding points to 5th: Yes\nBolt: Yes, 3\n"
              "Sit on the barrel: Yes\nPainting: Yes");
    EXPECT_EQ(d->Address, nullptr);  // the administrator's field only

    l.press(3, 1);
    EXPECT_EQ(l.lobby->seated().table, 3);
    EXPECT_EQ(l.seat(3, 1), "Log off");
    EXPECT_TRUE(l.enabled(3, 1));
    EXPECT_EQ(l.seat(3, 2), "Take the place of");
    EXPECT_FALSE(l.enabled(3, 2));  // one seat at a time
    EXPECT_FALSE(d->BClose->isEnabled());
    // The seat digit closes the 20-character "connect" frame.
    QTcpSocket* peer = nullptr;
    QByteArray got;
    EXPECT_EQ(readFrom(game, peer, 20, got), QByteArray("connect1###########1"));
    EXPECT_TRUE(runUntil([&] { return l.lobby->link() == TourneyLink::Connected; }, 5000));

    // Bob sits down beside her; the timer's next beat shows him without a press of "Refresh".
    EXPECT_EQ(bobSits(*service, 3, 2, "10.9.9.9"), "ok");
    EXPECT_EQ(l.seat(3, 2), "Take the place of");
    l.beat();
    EXPECT_EQ(l.seat(3, 2), "bob : 17");
    EXPECT_FALSE(l.enabled(3, 2));
    EXPECT_EQ(l.seat(3, 3), "Take the place of");

    // She leaves: both seats are given back and the game server hears "disA".
    l.press(3, 1);
    EXPECT_FALSE(l.lobby->seated().seated());
    got.clear();
    EXPECT_EQ(readFrom(game, peer, 50, got).left(5), QByteArray("disA#"));
    EXPECT_EQ(got.size(), 50);
    l.settle();
    EXPECT_FALSE(service->db().queryOne("SELECT 1 FROM seats WHERE tbl = 3"));
    EXPECT_EQ(l.seat(3, 1), "Take the place of");
    EXPECT_EQ(l.seat(3, 2), "Free");
    EXPECT_TRUE(d->BClose->isEnabled());
}

TEST(LobbyWindow, MyResultsAndTheTopTenByEachKindWithTheirPlaces) {
    QTcpServer game;
    ASSERT_TRUE(game.listen(QHostAddress::LocalHost));
    auto service = lobbyService(1, game.serverPort());
    service->db().execute(
        "INSERT INTO tour_players (nick, score, kon, rating, city, country) VALUES "
        "('ann', 40, 9, 70, 'Perm', 'Russia'), ('bob', 90, 2, 10, 'Omsk', 'Russia'), "
        "('cat', 10, 5, 30, 'Kiev', 'Ukraine')");
    ServiceAt at(service->port());
    Lobby l;
    ASSERT_NE(l.lobby, nullptr);
    l.lobby->dialog()->BResults->click();
    l.settle();
    EXPECT_EQ(l.lobby->dialog()->results(), (QStringList{"ann", "Your score: 40", "Your place: 2",
                                                         "Rating: 70", "Game: 9", "City: Perm"}));

    l.lobby->dialog()->BTop->click();
    l.settle();
    auto* top = l.lobby->topDialog();
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->texts().value(0), "1. bob Omsk, Russia 90");
    EXPECT_EQ(top->texts().size(), 3);
    EXPECT_EQ(top->place(), "Your place: 2");
    EXPECT_FALSE(dialogs::medalPicture(3).isNull());
    EXPECT_TRUE(dialogs::medalPicture(4).isNull());
    top->Kinds[2]->click();  // by games
    l.settle();
    EXPECT_EQ(top->texts().value(0), "1. ann Perm, Russia 9");
    EXPECT_EQ(top->place(), "Your place: 1");

    // A game counted meanwhile shows at the timer's next beat.
    service->db().execute("UPDATE tour_players SET score = 100, kon = 10 WHERE nick = 'ann'");
    l.beat();
    EXPECT_EQ(l.lobby->dialog()->results(), (QStringList{"ann", "Your score: 100", "Your place: 1",
                                                         "Rating: 70", "Game: 10", "City: Perm"}));

    service.reset();
    top->Kinds[1]->click();
    l.settle();
    EXPECT_EQ(top->texts(), QStringList{"No Connect"});
    EXPECT_EQ(top->place(), "Your place: No Connect");
}

TEST(LobbyWindow, APlayerFromTheSameAddressKeepsHerAwayAndNoAccountKeepsTheLobbyShut) {
    QTcpServer game;
    ASSERT_TRUE(game.listen(QHostAddress::LocalHost));
    // A game server named otherwise than the loopback: the address rule holds.
    auto service = lobbyService(5, game.serverPort(), "localhost");
    ServiceAt at(service->port());
    {
        Lobby l;
        ASSERT_NE(l.lobby, nullptr);
        EXPECT_EQ(bobSits(*service, 5, 1, l.lobby->player().IP), "ok");
        l.refresh();
        EXPECT_EQ(l.seat(5, 2), "Take the place of");
        l.press(5, 2);
        EXPECT_EQ(l.message(),
                  QStringList{"This table is already occupied by a player with your IP!"});
        EXPECT_FALSE(l.lobby->seated().seated());
        EXPECT_FALSE(service->db().queryOne("SELECT 1 FROM seats WHERE nick = 'ann'"));
    }
    Lobby out(false);
    EXPECT_EQ(out.lobby, nullptr);
    EXPECT_EQ(out.message(), QStringList{"Log in to your account!"});
}

TEST(LobbyWindow, AGameServerThatSendsWhatBeginsNoFrameIsAConnectionError) {
    QTcpServer game;
    ASSERT_TRUE(game.listen(QHostAddress::LocalHost));
    auto service = lobbyService(4, game.serverPort());
    ServiceAt at(service->port());
    Lobby l;
    ASSERT_NE(l.lobby, nullptr);
    l.press(4, 1);
    QTcpSocket* peer = nullptr;
    QByteArray got;
    readFrom(game, peer, 20, got);
    ASSERT_NE(peer, nullptr);
    peer->write("Zut alors");
    EXPECT_EQ(l.watchUntilMessage(), QStringList{"Server connection error!"});
    l.settle();
    EXPECT_FALSE(l.lobby->seated().seated());
    EXPECT_FALSE(service->db().queryOne("SELECT 1 FROM seats WHERE tbl = 4"));
}

TEST(LobbyWindow, TheWatchGivesTheSeatBackWhenTheGameServerRefusesAndTheLobbyOutlivesTheService) {
    unsigned short closedPort = 0;
    {
        QTcpServer gone;
        ASSERT_TRUE(gone.listen(QHostAddress::LocalHost));
        closedPort = gone.serverPort();
    }
    auto service = lobbyService(2, closedPort);
    ServiceAt at(service->port());
    Lobby l;
    ASSERT_NE(l.lobby, nullptr);
    l.press(2, 1);
    ASSERT_TRUE(service->db().queryOne("SELECT 1 FROM seats WHERE tbl = 2 AND nick = 'ann'"));
    EXPECT_EQ(l.watchUntilMessage(), QStringList{"Server connection error!"});
    l.settle();
    EXPECT_FALSE(l.lobby->seated().seated());
    EXPECT_EQ(l.lobby->link(), TourneyLink::None);
    EXPECT_FALSE(service->db().queryOne("SELECT 1 FROM seats WHERE tbl = 2"));
    EXPECT_EQ(l.seat(2, 1), "Take the place of");

    service.reset();
    l.refresh();
    EXPECT_EQ(l.lobby->dialog()->Welcome->text(), "No Connect");
    EXPECT_EQ(l.seat(2, 1), "Server Off");
    EXPECT_FALSE(l.enabled(2, 1));
    EXPECT_FALSE(l.lobby->dialog()->serverOn());
}

}  // namespace
}  // namespace orvala::app
