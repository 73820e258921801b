// The lobby's readers and its seat rules: which table a record fills, what a short or broken
// reply leaves, what every seat button shows, and what a release sends.

#include "core/online/tourney_lobby.h"

#include <gtest/gtest.h>

namespace orvala::online {
namespace {

// One table record as the service writes it: number, address, port, free, R1, R2, three seats.
std::string record(int table, const std::array<std::string, 3>& nicks) {
    std::string r =
        "$" + std::to_string(table) + " 10.0.0.1 " + std::to_string(25700 + table) + " 0 0 #";
    for (const auto& n : nicks)
        r += n == "X" ? " X 0 0 0 X X X X" : " " + n + " 120 3 45 Russia Perm W 10.1.1." + n;
    return r + "*";
}

TEST(TourneyLobby, TheKthRecordFillsTable11MinusKAndShortListsKeepDefaults) {
    std::string reply;
    for (int t = 10; t >= 1; --t) reply += record(t, {t == 4 ? "ann" : "X", "X", "X"});
    const auto tables = readTourneyTables(reply);
    ASSERT_TRUE(tables);
    EXPECT_EQ((*tables)[3].seats[0].Nick, "ann");
    EXPECT_EQ((*tables)[3].seats[0].Rating, 45);
    EXPECT_EQ((*tables)[3].seats[0].IP, "10.1.1.ann");
    EXPECT_EQ((*tables)[9].Port, 25710);
    const GameServer server = gameServerOf(*tables, 7);
    EXPECT_EQ(server.host, "10.0.0.1");
    EXPECT_EQ(server.port, 25707);
    // Each table is reached at its own record's address and port, wherever table 1 is served.
    std::string spread;
    for (int t = 10; t >= 1; --t) spread += record(t, {"X", "X", "X"});
    spread.replace(spread.find("10.0.0.1 25706"), 14, "10.0.0.9 31006");
    const auto moved = readTourneyTables(spread);
    ASSERT_TRUE(moved);
    EXPECT_EQ(gameServerOf(*moved, 6).host, "10.0.0.9");
    EXPECT_EQ(gameServerOf(*moved, 6).port, 31006);
    EXPECT_EQ(gameServerOf(*moved, 5).port, 25705);
    EXPECT_EQ(gameServerOf(*moved, 11).port, 0);

    // Three records: tables 10, 9, 8; table 1 keeps its defaults and so does the server.
    const auto few = readTourneyTables(record(10, {"X", "X", "X"}) + record(9, {"X", "X", "X"}) +
                                       record(8, {"bob", "X", "X"}));
    ASSERT_TRUE(few);
    EXPECT_EQ((*few)[7].seats[0].Nick, "bob");
    EXPECT_TRUE((*few)[0].seats[0].free());
    EXPECT_EQ(gameServerOf(*few, 1).host, "0.0.0.0");
    EXPECT_EQ(gameServerOf(*few, 1).port, 0);

    EXPECT_FALSE(readTourneyTables("no"));
    EXPECT_FALSE(readTourneyTables(""));
    EXPECT_FALSE(readTourneyTables("<html>proxy error</html>"));
}

TEST(TourneyLobby, RepliesThatCannotBeUsedReadAsFailures) {
    const auto info = readServerInfo("$Y Good_evening,_players$");
    ASSERT_TRUE(info);
    EXPECT_TRUE(info->on());
    EXPECT_EQ(info->welcome, "Good evening, players");
    EXPECT_FALSE(readServerInfo("no"));
    EXPECT_FALSE(readServerInfo("$$"));

    EXPECT_FALSE(readTourneyRating("$12 x 3$"));
    EXPECT_EQ(readTourneyRating("$-40 7 12$")->Score, -40);

    EXPECT_EQ(readSeatReply("ok"), SeatResult::Done);
    EXPECT_EQ(readSeatReply("is"), SeatResult::Taken);
    EXPECT_EQ(readSeatReply("fail"), SeatResult::Failed);
    EXPECT_EQ(readSeatReply("$city ok$"), SeatResult::Failed);

    const auto seat = readSeat("$ann 100 2 30 Russia Perm$");
    ASSERT_TRUE(seat);
    EXPECT_EQ(seat->Sex, "M");  // a seat without the sex reads as "M"
    EXPECT_FALSE(readSeat("no"));

    const auto top = readTourneyTop("$1 ann Perm Russia W 300*$2 bob Omsk Russia M x*");
    ASSERT_TRUE(top);
    ASSERT_EQ(top->size(), 1u);  // a row without its value is left out
    EXPECT_EQ((*top)[0].Value, 300);
    EXPECT_FALSE(readTourneyTop("no"));
    EXPECT_EQ(readTourneyPlace("$4*"), 4);
    EXPECT_FALSE(readTourneyPlace("no"));
}

TEST(TourneyLobby, SeatButtonsFollowTheSeatsBeforeThemAndTheLocalPlayer) {
    TourneyTables tables;
    tables[1].seats[0].Nick = "bob";  // table 2: seat 1 held
    tables[2].seats[0].Nick = "me";   // table 3: the local player at seat 3 of a full table
    tables[2].seats[1].Nick = "cat";
    tables[2].seats[2].Nick = "me";

    const SeatedAt none;
    EXPECT_EQ(seatLook(tables, 1, 1, none, true).look, SeatLook::Take);
    EXPECT_TRUE(seatLook(tables, 1, 1, none, true).enabled);
    // Seat 3 of a table whose seat 2 is free cannot be taken.
    EXPECT_EQ(seatLook(tables, 1, 3, none, true).look, SeatLook::Free);
    EXPECT_FALSE(seatLook(tables, 1, 3, none, true).enabled);
    EXPECT_EQ(seatLook(tables, 2, 1, none, true).look, SeatLook::Held);
    EXPECT_FALSE(seatLook(tables, 2, 1, none, true).enabled);
    EXPECT_EQ(seatLook(tables, 2, 2, none, true).look, SeatLook::Take);

    // Seated: the own seat 1 or 2 leaves, the own seat 3 cannot, nothing else can be taken.
    const SeatedAt atTwo{2, 1};
    EXPECT_EQ(seatLook(tables, 2, 1, atTwo, true).look, SeatLook::LogOff);
    EXPECT_TRUE(seatLook(tables, 2, 1, atTwo, true).enabled);
    EXPECT_EQ(seatLook(tables, 1, 1, atTwo, true).look, SeatLook::Take);
    EXPECT_FALSE(seatLook(tables, 1, 1, atTwo, true).enabled);
    const auto own3 = seatLook(tables, 3, 3, {3, 3}, true);
    EXPECT_EQ(own3.look, SeatLook::Held);
    EXPECT_FALSE(own3.enabled);

    // A copy of the program not at the table sees its player's seat of a full table (a game
    // under way) as one to connect to again; a seat of a table not yet full, or another's, not.
    EXPECT_EQ(seatLook(tables, 3, 3, none, true, "me").look, SeatLook::Back);
    EXPECT_TRUE(seatLook(tables, 3, 3, none, true, "me").enabled);
    EXPECT_EQ(seatLook(tables, 3, 2, none, true, "me").look, SeatLook::Held);
    EXPECT_EQ(seatLook(tables, 3, 3, {3, 3}, true, "me").look, SeatLook::Held);

    EXPECT_EQ(seatLook(tables, 2, 2, none, false).look, SeatLook::ServerOff);
    EXPECT_FALSE(seatLook(tables, 2, 2, none, false).enabled);

    // A remembered seat whose table shows seat 1 free is forgotten, whichever seat it was.
    EXPECT_TRUE(checkedSeat(tables, {2, 1}).seated());
    EXPECT_FALSE(checkedSeat(tables, {1, 2}).seated());
    EXPECT_FALSE(checkedSeat(tables, {11, 1}).seated());
}

TEST(TourneyLobby, TakingSendsThePlayerAndReleasingSendsX) {
    TourneyClient me;
    me.Nick = "ann";
    me.Score = 120;
    me.Kon = 3;
    me.Rating = 45;
    me.Country = "Russia";
    me.City = "Perm";
    me.Sex = "W";
    me.IP = "10.1.1.1";
    EXPECT_EQ(seatRequest(4, 2, SeatCan::Take, me, "secret1").body(),
              "client3on2=0&gid=55&num=4&can=1&nick2=ann&pw=secret1&score2=120&kon2=3&rating2=45&"
              "country2=Russia&city2=Perm&sex2=W&ip2=10.1.1.1");
    EXPECT_EQ(seatRequest(4, 1, SeatCan::Release, me, "secret1").body(),
              "client3on1=0&gid=55&num=4&can=2&nick1=X&score1=X&kon1=X&rating1=X&country1=X&"
              "city1=X&sex1=X&ip1=X");
    EXPECT_EQ(tourneyPlaceRequest(TopKind::Games, 7).body(), "placek55=0&kon1=7");
    EXPECT_EQ(tourneyTopRequest(TopKind::Rating).body(), "top10r55=0&nick=z");
}

}  // namespace
}  // namespace orvala::online
