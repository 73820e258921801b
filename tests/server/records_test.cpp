// Record tables, the chat, statistics, the lobby and the plain pages over real HTTP.

#include <fstream>
#include <random>
#include <tuple>

#include "core/online/account_rating.h"
#include "core/online/numbers.h"
#include "engine_fixture.h"

namespace orvala::service::testing {
namespace {

class Records : public EngineTest {
  protected:
    // Writes from many addresses go through a trusted proxy, as behind the operator's.
    void configure(ServiceConfig& c) override {
        c.trustedProxies = {"127.0.0.1"};
        c.tourServerAddress = "203.0.113.5";
    }

    std::string writeRecord(const std::string& from, long long gid, const std::string& nick,
                            const std::string& score, const std::string& extra = "") {
        return postFrom(*service, from, "/rec/write",
                        raw({{"gid", std::to_string(gid)},
                             {"nick", nick},
                             {"city", "Omsk"},
                             {"country", gid == 55 ? "1-001" : "Russia"},
                             {"score", score},
                             {"R7", "M"},
                             {"R8", "5.7f"},
                             {"R9", "#"},
                             {"R10", "#*"}}) +
                            extra)
            .body;
    }
    std::string chat(const std::string& from, const std::string& nick, const std::string& text) {
        return postFrom(*service, from, "/rec/write",
                        raw({{"gid", "100"},
                             {"nick", nick},
                             {"city", "Omsk"},
                             {"country", "1-001"},
                             {"score", "1"},
                             {"R7", "W"},
                             {"R8", "5.7f"},
                             {"R9", "12.00_09.12.2026_Orvala"},
                             {"R10", text + "*"}}))
            .body;
    }
};

// The rows of a "$...*" list reply, each cut at blanks.
std::vector<std::vector<std::string>> listRows(const std::string& reply) {
    std::vector<std::vector<std::string>> rows;
    for (std::size_t at = reply.find('$'); at != std::string::npos; at = reply.find('$', at + 1)) {
        const auto end = reply.find('*', at);
        std::istringstream in(reply.substr(at + 1, end - at - 1));
        std::vector<std::string> row;
        for (std::string w; in >> w;) row.push_back(w);
        rows.push_back(row);
    }
    return rows;
}

// Places across the bands the service sums by, below zero too, with ties, against a count of
// the scores written before.
TEST_P(Records, EveryWriteGetsThePlaceCountedOverAllEarlierScores) {
    std::mt19937 rng(11);
    std::vector<long long> earlier;
    for (int i = 0; i < 150; ++i) {
        const long long score = static_cast<long long>(rng() % 41) * 125 - 2500;
        long long place = 1;
        for (long long e : earlier) place += e >= score;
        const std::string from = "10.7." + std::to_string(i / 200) + "." + std::to_string(i % 200);
        ASSERT_EQ(writeRecord(from, 55, "r" + std::to_string(i), std::to_string(score)),
                  "$" + std::to_string(place) + "*")
            << "score " << score;
        earlier.push_back(score);
    }
    EXPECT_EQ(service->post("/rec/count", form({{"rgid", "55"}})).body, "$150*");
    EXPECT_EQ(service->post("/rec/count", form({{"rgid", "155"}})).body, "$0*");
}

TEST_P(Records, TopTenPlacesAndTheRowsNearAPlayer) {
    for (int i = 1; i <= 12; ++i) {
        const std::string reply = writeRecord("10.0.0." + std::to_string(i), 55,
                                              "p" + std::to_string(i), std::to_string(i * 100));
        EXPECT_EQ(reply, "$1*") << "each new best is first";
    }
    EXPECT_EQ(writeRecord("10.0.1.1", 55, "late", "450"), "$9*");
    EXPECT_EQ(writeRecord("10.0.1.2", 55, "tie", "450"), "$10*") << "a tie ranks after the earlier";
    EXPECT_EQ(service->post("/rec/count", form({{"rgid", "55"}})).body, "$14*");
    const auto top = listRows(service->post("/rec/list", form({{"gid", "55"}})).body);
    ASSERT_EQ(top.size(), 10u);
    EXPECT_EQ(top[0], (std::vector<std::string>{"1", "55", "1200", "p12", "1-001", "Omsk", "M",
                                                "5.7f", "#", "#"}));
    EXPECT_EQ(top[9][3], "tie");
    const auto near = listRows(
        service->post("/rec/near", raw({{"gid", "55"}, {"nick", "p2"}, {"city", "Omsk"}})).body);
    ASSERT_EQ(near.size(), 6u) << "places 9 to 14 around place 13";
    EXPECT_EQ(near.front()[0], "9");
    EXPECT_EQ(near[4][3], "p2");
    EXPECT_EQ(
        service->post("/rec/near", raw({{"gid", "55"}, {"nick", "x'--"}, {"city", "Omsk"}})).body,
        "#");
    EXPECT_EQ(service->post("/rec/list", form({{"gid", "155"}})).body, "#");

    // Writes are checked: the table, the characters, the score's range, and one each 15 s.
    EXPECT_EQ(writeRecord("10.0.2.1", 56, "bad", "1"), "no");
    EXPECT_EQ(writeRecord("10.0.2.2", 55, "a b", "1"), "no");
    EXPECT_EQ(writeRecord("10.0.2.3", 55, "big", "99999999"), "no");
    EXPECT_EQ(writeRecord("10.0.2.4", 55, "once", "5"), "$15*");
    EXPECT_EQ(writeRecord("10.0.2.4", 55, "again", "5"), "wait") << "the same address";
    EXPECT_EQ(writeRecord("10.0.2.5", 55, "once", "5"), "wait") << "the same nick";
    service->clock += 15;
    EXPECT_EQ(writeRecord("10.0.2.4", 55, "again", "5"), "$16*");
}

TEST_P(Records, ChatMessagesAreNumberedNewestFirstAndLimited) {
    EXPECT_EQ(chat("10.1.0.1", "Ann", "hello_all"), "$1*");
    EXPECT_EQ(chat("10.1.0.1", "Ann", "again"), "wait");
    EXPECT_EQ(chat("10.1.0.2", "Bea", "a<script>"), "no") << "outside the allowed characters";
    EXPECT_EQ(chat("10.1.0.2", "Bea", std::string(81, 'x')), "no");
    EXPECT_EQ(chat("10.1.0.2", "Bea", "\xcf\xf0\xe8\xe2\xe5\xf2!"), "$1*") << "Cyrillic";
    service->clock += 15;
    EXPECT_EQ(chat("10.1.0.1", "Ann", "third"), "$1*");
    const auto rows = listRows(service->post("/rec/list", form({{"gid", "100"}})).body);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0][2], "3");
    EXPECT_EQ(rows[0][9], "third");
    EXPECT_EQ(rows[1][2], "2");
    EXPECT_EQ(rows[2][9], "hello_all");
    EXPECT_EQ(rows[2][8], "12.00_09.12.2026_Orvala");

    EXPECT_EQ(admin({"pause-chat", "on"}), 0);
    service->clock += 15;
    EXPECT_EQ(chat("10.1.0.3", "Cid", "hi"), "paused");
    EXPECT_NE(service->get("/config.txt").body.find("CTGamesPause"), std::string::npos);
    EXPECT_EQ(admin({"pause-chat", "off"}), 0);
    EXPECT_EQ(service->get("/config.txt").body.find("CTGamesPause"), std::string::npos);
    EXPECT_EQ(chat("10.1.0.3", "Cid", "hi"), "$1*");
}

TEST_P(Records, OnlyACycleItsGamesGaveEarnsItsPlace) {
    ASSERT_EQ(registerAccount(*service, "kate", "secret1"), "ok");
    EXPECT_EQ(writeRecord("10.2.0.1", 355, "kate", "300", "&pw=secret1"), "no")
        << "no cycle finished yet";
    // The cycle's last game: kate has 24 games of it behind her, 200 points.
    service->db().execute(
        "UPDATE accounts SET kon = 40, konl = 24, score = 200, rating = 20, sessions = 1,"
        " best = 100 WHERE nick = 'kate'");
    const auto results = [&] {
        return online::readResultsReply(
                   service
                       ->post("/acc/results-read",
                              online::readResultsRequest("kate", "secret1").body())
                       .body)
            .value_or(online::GameResults{});
    };
    const auto writeResults = [&](const online::GameResults& r) {
        return service
            ->post("/acc/results-write", online::writeResultsRequest("kate", "secret1", r).body())
            .body;
    };
    const online::GameResults atStart = results();
    ASSERT_EQ(writeResults(online::startedGame(atStart)), "ok");
    service->clock += 600;
    online::GameResults invented = online::finishedGame(results(), atStart, 100);
    invented.Best = 1'000'000;
    EXPECT_EQ(writeResults(invented), "no");
    EXPECT_EQ(writeRecord("10.2.0.2", 355, "kate", "1000000", "&pw=secret1"), "no");
    ASSERT_EQ(writeResults(online::finishedGame(results(), atStart, 100)), "ok");

    const std::string cycleScore = "300";
    EXPECT_EQ(writeRecord("10.2.0.3", 355, "kate", cycleScore, "&pw=wrong12"), "no");
    EXPECT_EQ(writeRecord("10.2.0.4", 355, "kate", "299", "&pw=secret1"), "no")
        << "not the cycle's score";
    EXPECT_EQ(balanceOf("kate"), 0);
    EXPECT_EQ(writeRecord("10.2.0.5", 355, "kate", cycleScore, "&pw=secret1"), "$1*");
    EXPECT_EQ(balanceOf("kate"), 25);
    service->clock += 15;
    EXPECT_EQ(writeRecord("10.2.0.6", 355, "kate", cycleScore, "&pw=secret1"), "no")
        << "one record a cycle";
    EXPECT_EQ(balanceOf("kate"), 25);

    const auto top = listRows(service->post("/rec/rating-top", form({{"crdorvalkon", "0"}})).body);
    ASSERT_EQ(top.size(), 1u);
    EXPECT_EQ(top[0], (std::vector<std::string>{"1", "kate", "Moscow", "Russia", "1-001", "M",
                                                online::formatReal(results().Rating)}));
}

// Cycles played without an account reach at most 25 games' worth of a game whose scores never
// rose above their start.
TEST_P(Records, AnUntimedCycleKeepsToWhatTwentyFiveGamesReach) {
    EXPECT_EQ(writeRecord("10.5.0.1", 55, "Incognito", "1000000"), "no");
    EXPECT_EQ(writeRecord("10.5.0.2", 155, "Incognito", "-1000000"), "no");
    EXPECT_EQ(writeRecord("10.5.0.3", 55, "Incognito", "7000"), "$1*");
    EXPECT_EQ(writeRecord("10.5.0.4", 55, "INCOGNITO", "10"), "wait") << "one nick in any case";
}

// Places 2 to 10 of the account table earn 10 Zors; the eleventh earns nothing.
TEST_P(Records, TheTenthPlaceOfTheAccountTableEarnsTenAndTheEleventhNothing) {
    for (int i = 1; i <= 9; ++i)
        service->db().execute(
            "INSERT INTO records (gid, score, nick, country, city, r07, r08, r09, r10, at) "
            "VALUES (355, $1, $2, 'Russia', 'Omsk', 'M', '5.7f', '#', '#', 0)",
            {std::int64_t{1000 + i}, "top" + std::to_string(i)});
    const auto finishCycle = [&](const std::string& nick, std::int64_t score) {
        ASSERT_EQ(registerAccount(*service, nick, "secret1"), "ok");
        service->db().execute("UPDATE accounts SET cycle_due = 1, cycle_score = $2 WHERE nick = $1",
                              {nick, score});
    };
    finishCycle("tenth", 500);
    finishCycle("eleventh", 400);
    EXPECT_EQ(writeRecord("10.4.0.1", 355, "tenth", "500", "&pw=secret1"), "$10*");
    EXPECT_EQ(balanceOf("tenth"), 10);
    EXPECT_EQ(writeRecord("10.4.0.2", 355, "eleventh", "400", "&pw=secret1"), "$11*");
    EXPECT_EQ(balanceOf("eleventh"), 0);
}

TEST_P(Records, StatisticsCountStartsLikesAndReports) {
    auto raw1 = [&](const std::string& path, const std::string& body) {
        return service->post(path, body).body;
    };
    EXPECT_EQ(raw1("/stat/start", "gid=55&stat1=1&stat2=1"), "$ok#");
    EXPECT_EQ(raw1("/stat/start", "gid=55&stat1=1&stat2=0"), "$ok#");
    EXPECT_EQ(raw1("/stat/start", "gid=55&stat1=5&stat2=0"), "$no#");
    EXPECT_EQ(raw1("/stat/like", "gid=55&stat3=1&stat4=Incognito"), "$ok#");
    EXPECT_EQ(raw1("/stat/like", "gid=55&stat3=1&stat4=Incognito"), "$ok#");
    EXPECT_EQ(raw1("/stat/like", "gid=55&stat3=1&stat4=Fan"), "$ok#");
    EXPECT_EQ(raw1("/stat/report",
                   "gid=55&R1=1&R2=1&R3=120&R4=0&R5=0&R6=0&R7=0&R8=0&R9=0&R10=0&R11=0&R12=0"),
              "$ok#");
    EXPECT_EQ(raw1("/stat/report",
                   "gid=55&R1=1&R2=0&R3=0&R4=35&R5=0&R6=0&R7=0&R8=0&R9=0&R10=0&R11=0&R12=0"),
              "$ok#");
    EXPECT_EQ(raw1("/stat/report", "gid=55&R1=1&R3=-5"), "$no#");
    EXPECT_EQ(raw1("/stat/report", "gid=55&R1=1&R1=1"), "$no#") << "a field given twice";
    const auto rows = listRows(service->post("/stat/read", form({{"gid", "55"}})).body);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"2", "1", "2", "Fan", "2", "1", "120", "35", "0",
                                                 "0", "0", "0", "0", "0", "0", "0", "2", "#"}));
}

TEST_P(Records, LobbySeatsAreTakenInOrderAndFreedByTheirHolders) {
    for (const char* n : {"lena", "mike", "nina"})
        ASSERT_EQ(registerAccount(*service, n, "secret1"), "ok");
    auto seat = [&](const std::string& from, int s, int can, const std::string& nick,
                    const std::string& pw = "secret1") {
        const std::string d = std::to_string(s);
        return postFrom(*service, from, "/tour/seat",
                        raw({{"client3on" + d, "0"},
                             {"gid", "55"},
                             {"num", "4"},
                             {"can", std::to_string(can)},
                             {"nick" + d, nick},
                             {"pw", pw},
                             {"score" + d, "10"},
                             {"kon" + d, "2"},
                             {"rating" + d, "7"},
                             {"country" + d, "Russia"},
                             {"city" + d, "Omsk"},
                             {"sex" + d, "W"},
                             {"ip" + d, from}}))
            .body;
    };
    EXPECT_EQ(seat("10.3.0.1", 2, 1, "lena"), "fail") << "seat 1 is free";
    EXPECT_EQ(seat("10.3.0.1", 1, 1, "ghost"), "fail") << "no such account";
    EXPECT_EQ(seat("10.3.0.1", 1, 1, "lena", "wrong12"), "fail") << "another's nick";
    EXPECT_EQ(seat("10.3.0.1", 1, 1, "lena"), "ok");
    EXPECT_EQ(seat("10.3.0.2", 1, 1, "mike"), "is");
    EXPECT_EQ(seat("10.3.0.1", 2, 1, "lena"), "fail") << "one seat a player";
    EXPECT_EQ(seat("10.3.0.1", 2, 1, "mike"), "fail") << "one address a table";
    EXPECT_EQ(seat("10.3.0.2", 2, 1, "mike"), "ok");

    const auto tables =
        listRows(service->post("/tour/tables", form({{"readtable310", "55"}, {"gid", "55"}})).body);
    ASSERT_EQ(tables.size(), 10u);
    const auto& t4 = tables[11 - 4 - 1];  // the k-th record is table 11 - k
    ASSERT_EQ(t4.size(), 30u);
    EXPECT_EQ(t4[0], "4");
    EXPECT_EQ(t4[2], std::to_string(service->config().tourBasePort + 4));
    EXPECT_EQ(t4[6], "lena");
    EXPECT_EQ(t4[14], "mike");
    EXPECT_EQ(t4[22], "X");
    EXPECT_EQ(
        service->post("/tour/read-seat", form({{"readclient2", "0"}, {"gid", "55"}, {"num", "4"}}))
            .body,
        "$mike 10 2 7 Russia Omsk W 10.3.0.2$");
    EXPECT_EQ(
        service->post("/tour/read-seat", form({{"readclient3", "0"}, {"gid", "55"}, {"num", "4"}}))
            .body,
        "$X 0 0 0 X X M X$");

    EXPECT_EQ(seat("10.3.0.9", 2, 2, "X"), "fail") << "only the holder frees a seat";
    EXPECT_EQ(seat("10.3.0.1", 1, 2, "X"), "ok");
    EXPECT_EQ(seat("10.3.0.1", 2, 0, "X"), "ok") << "the seat after a free one is cleared";
    EXPECT_EQ(
        service->post("/tour/read-seat", form({{"readclient2", "0"}, {"gid", "55"}, {"num", "4"}}))
            .body,
        "$X 0 0 0 X X M X$");
    EXPECT_EQ(service->post("/tour/info", form({{"serverinforead", "0"}, {"gid", "55"}})).body,
              "$N Welcome!$");
    EXPECT_EQ(service->post("/tour/rating", raw({{"readrating55", "0"}, {"nick", "lena"}})).body,
              "$0 0 0$");
    EXPECT_EQ(service->post("/tour/top10", form({{"top10r55", "0"}, {"nick", "z"}})).body, "#");

    // The game server keeps the tournament's results; the lobby reads them.
    for (const auto& [nick, score, kon, rate] : std::vector<std::tuple<std::string, int, int, int>>{
             {"lena", 300, 4, 12}, {"mike", 500, 2, 30}, {"nina", 100, 9, 20}})
        service->db().execute(
            "INSERT INTO tour_players (nick, score, kon, rating, city, country, sex) "
            "VALUES ($1, $2, $3, $4, 'Omsk', 'Russia', 'W')",
            {nick, std::int64_t{score}, std::int64_t{kon}, std::int64_t{rate}});
    const auto byGames = listRows(service->post("/tour/top10", form({{"top10k55", "0"}})).body);
    ASSERT_EQ(byGames.size(), 3u);
    EXPECT_EQ(byGames[0], (std::vector<std::string>{"1", "nina", "Omsk", "Russia", "W", "9"}));
    EXPECT_EQ(byGames[2][1], "mike");
    EXPECT_EQ(service->post("/tour/place", raw({{"places55", "0"}, {"score1", "300"}})).body,
              "$2*");
    EXPECT_EQ(service->post("/tour/place", raw({{"placer55", "0"}, {"rating1", "25"}})).body,
              "$2*");
    EXPECT_EQ(service->post("/tour/place", raw({{"placex55", "0"}, {"score1", "1"}})).body, "no");
    EXPECT_EQ(service->post("/tour/rating", raw({{"readrating55", "0"}, {"nick", "mike"}})).body,
              "$500 2 30$");
}

TEST_P(Records, PlainPagesAndDownloads) {
    const std::string config = service->get("/config.txt").body;
    EXPECT_EQ(config,
              "WTGamesPatt=http://service.test/rec#\nStatPath=http://service.test/stat#\n"
              "AccPath=http://service.test/acc#\n");
    EXPECT_EQ(postFrom(*service, "203.0.113.7", "/stat/read", "gid=55").status, 200);
    std::string ip =
        exchange(service->port(),
                 "GET /get_ip.php HTTP/1.1\r\nX-Forwarded-For: 1.2.3.4, 203.0.113.7\r\n"
                 "Connection: close\r\n\r\n")
            .body;
    EXPECT_EQ(ip, "203.0.113.7") << "the address the trusted proxy saw";

    for (const char* home : {"/", "/index.html"}) {
        const auto page = service->get(home);
        EXPECT_EQ(page.status, 200) << home;
        EXPECT_NE(page.body.find("href=\"zors.html\""), std::string::npos) << home;
    }
    EXPECT_NE(service->get("/zors.html").body.find("<h1>Zors</h1>"), std::string::npos);
    EXPECT_NE(service->get("/news.html").body.find("ZorNews00000"), std::string::npos);
    EXPECT_EQ(admin({"news", "New <deck> & cards"}), 0);
    const std::string news = service->get("/news.html").body;
    EXPECT_LT(news.find("ZorNews00001"), news.find("New &lt;deck&gt; &amp; cards"));

    if (GetParam() == Engine::Sqlite) {
        const auto files = std::filesystem::path(service->config().filesDir);
        std::filesystem::create_directories(files / "radio");
        std::ofstream(files / "ZorCards06A.dll", std::ios::binary) << "library bytes";
        std::ofstream(files / "radio" / "playlist.txt") << "one\ntwo\n";
        std::ofstream(files / ".hidden") << "secret";
        EXPECT_EQ(service->get("/files/ZorCards06A.dll").body, "library bytes");
        EXPECT_EQ(service->get("/radio/playlist.txt").body, "one\ntwo\n");
        EXPECT_EQ(service->get("/files/.hidden").status, 404);
        EXPECT_EQ(service->get("/files/../orvala.sqlite").status, 404);
        EXPECT_EQ(service->get("/files/radio%2Fplaylist.txt").status, 404);
        EXPECT_EQ(service->get("/music/none.mp3").status, 404);
    }
}

ORVALA_ON_BOTH_ENGINES(Records);

}  // namespace
}  // namespace orvala::service::testing
