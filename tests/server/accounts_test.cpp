// Accounts over real HTTP: registration and login, results, the personal page, balances and
// transfers, the photo; and that nothing changes an account without its password.

#include <random>
#include <thread>

#include "core/online/account_rating.h"
#include "engine_fixture.h"

namespace orvala::service::testing {
namespace {

using Accounts = EngineTest;

// The fields of a "$...$" record reply.
std::vector<std::string> recordFields(const std::string& reply, char separator = ' ') {
    const auto a = reply.find('$');
    const auto b = reply.find('$', a + 1);
    std::vector<std::string> out;
    if (a == std::string::npos || b == std::string::npos) return out;
    std::string text = reply.substr(a + 1, b - a - 1);
    std::size_t at = 0;
    for (;;) {
        const auto next = text.find(separator, at);
        out.push_back(text.substr(at, next - at));
        if (next == std::string::npos) break;
        at = next + 1;
    }
    return out;
}

TEST_P(Accounts, RegistrationLoginAndTheStoredPassword) {
    EXPECT_EQ(registerAccount(*service, "alice", "secret1"), "ok");
    EXPECT_EQ(registerAccount(*service, "alice", "other12"), "is");
    EXPECT_EQ(registerAccount(*service, "ALICE", "other12"), "is")
        << "nicks differ by more than case";
    EXPECT_EQ(registerAccount(*service, "abcdefghijklm", "secret1"), "fail") << "13 characters";
    EXPECT_EQ(registerAccount(*service, "bob", "abc"), "fail") << "a password of 3";
    EXPECT_EQ(registerAccount(*service, "bob", "secret1", "Tom Sk"), "fail") << "a blank";
    EXPECT_EQ(service
                  ->post("/acc/register", raw({{"nick", "ussy"},
                                               {"pw", "secret1"},
                                               {"city", "Boston"},
                                               {"country1", "USA"},
                                               {"country2", "3-034"},
                                               {"sex", "W"},
                                               {"email", "u@s.us"},
                                               {"dater", "12/9/2026"}}))
                  .body,
              "ok")
        << "a date in another short format";

    EXPECT_EQ(
        service->post("/acc/read", form({{"nick", "alice"}, {"pw", "wrong12"}, {"label0", "0"}}))
            .body,
        "no");
    EXPECT_EQ(
        service->post("/acc/read", form({{"nick", "nobody"}, {"pw", "secret1"}, {"label0", "0"}}))
            .body,
        "no");
    const auto fields = recordFields(
        service->post("/acc/read", form({{"nick", "alice"}, {"pw", "secret1"}, {"label0", "0"}}))
            .body);
    EXPECT_EQ(fields, (std::vector<std::string>{"Moscow", "Russia", "1-001", "M", "me@example.org",
                                                "09.12.2026", "xxx", "xxx", "xxx", "0", "0", "0"}));
    EXPECT_EQ(service->post("/acc/count", raw({{"label1", "0"}})).body, "$2*");

    // Only an argon2id hash is kept; no column holds the password.
    for (const SqlRow& row : service->db().query("SELECT * FROM accounts")) {
        EXPECT_TRUE(row.text(1).starts_with("$argon2id$")) << row.text(1);
        for (const auto& column : row.columns)
            EXPECT_EQ(column.value_or("").find("secret1"), std::string::npos);
    }
}

// The game's own writes, as the window sends them: the start with the provisional loss, the end
// with the real result; each write must be the one a single game allows.
class Results : public EngineTest {
  protected:
    std::string write(const online::GameResults& r, const std::string& pw = "secret1") {
        return service
            ->post("/acc/results-write", online::writeResultsRequest("carol", pw, r).body())
            .body;
    }
    online::GameResults read() {
        const auto r = online::readResultsReply(
            service
                ->post("/acc/results-read", online::readResultsRequest("carol", "secret1").body())
                .body);
        EXPECT_TRUE(r);
        return r.value_or(online::GameResults{});
    }
    // One whole game as the window plays it, `seconds` long; the end write's answer.
    std::string play(std::int64_t result, std::int64_t seconds = 600) {
        const online::GameResults atStart = read();
        if (write(online::startedGame(atStart)) != "ok") return "start refused";
        service->clock += seconds;
        return write(online::finishedGame(read(), atStart, result));
    }
};

TEST_P(Results, TheWindowsGamesAreCountedAndTheirRepeatsAccepted) {
    ASSERT_EQ(registerAccount(*service, "carol", "secret1"), "ok");
    online::GameResults none;
    EXPECT_EQ(write(online::startedGame(none)), "ok");
    EXPECT_EQ(write(online::startedGame(none)), "ok") << "the start again after a lost answer";
    EXPECT_EQ(read().Kon, 1);
    EXPECT_DOUBLE_EQ(read().Rating, -1999.96);
    service->clock += 600;
    const online::GameResults end = online::finishedGame(read(), none, 100);
    EXPECT_EQ(write(end), "ok");
    EXPECT_EQ(write(end), "ok") << "the end again after a lost answer";
    EXPECT_NEAR(read().Rating, 100.04, 1e-9);
    EXPECT_EQ(read().KonL, 1);
    EXPECT_EQ(read().Score, 100);
    EXPECT_EQ(write(online::startedGame(read()), "wrong12"), "no");
    EXPECT_EQ(service->post("/acc/place", raw({{"crdorvalrating", "100"}})).body, "$2*");

    // A cycle's 25th game closes it: the best, one more session, the counters back at 0.
    for (int game = 2; game <= 25; ++game) ASSERT_EQ(play(game % 2 ? 40 : -20), "ok") << game;
    const online::GameResults closed = read();
    EXPECT_EQ(closed.Sessions, 1);
    EXPECT_EQ(closed.KonL, 0);
    EXPECT_EQ(closed.Best, 100 + 12 * 40 - 12 * 20);
    // A game left unfinished costs the cycle: the next start counts from 0.
    ASSERT_EQ(write(online::startedGame(read())), "ok");
    EXPECT_EQ(play(-300), "ok");
    EXPECT_EQ(read().Score, -300);
    EXPECT_EQ(read().KonL, 1);

    // A cycle that closes below its best: its last result is read from the rating.
    service->db().execute("UPDATE accounts SET konl = 24, score = -500 WHERE nick = 'carol'");
    EXPECT_EQ(play(60), "ok");
    EXPECT_EQ(read().Sessions, 2);
    EXPECT_EQ(read().Best, 340);
    const auto due =
        service->db().queryOne("SELECT cycle_due, cycle_score FROM accounts WHERE nick = 'carol'");
    EXPECT_EQ(due->integer(0), 1);
    EXPECT_EQ(due->integer(1), -440);
}

TEST_P(Results, WritesNoGameCouldGiveAreRefused) {
    ASSERT_EQ(registerAccount(*service, "carol", "secret1"), "ok");
    const online::GameResults before = read();
    online::GameResults start = online::startedGame(before);
    online::GameResults wrong = start;
    wrong.Best = 1'000'000;
    EXPECT_EQ(write(wrong), "no") << "a best no cycle reached";
    wrong = start;
    wrong.Rating = 9'999'999;
    EXPECT_EQ(write(wrong), "no") << "a rating the formula does not give";
    wrong = start;
    wrong.Kon += 1;
    EXPECT_EQ(write(wrong), "no") << "two games in one write";
    ASSERT_EQ(write(start), "ok");

    service->clock += 30;
    EXPECT_EQ(write(online::finishedGame(read(), before, 100)), "no") << "faster than a game";
    service->clock += 570;
    EXPECT_EQ(write(online::finishedGame(read(), before, 1'000'000)), "no") << "beyond any game";
    online::GameResults inconsistent = online::finishedGame(read(), before, 100);
    inconsistent.Rating = online::finishedGame(read(), before, 900).Rating;
    EXPECT_EQ(write(inconsistent), "no") << "the score of one result, the rating of another";
    online::GameResults twoCycles = online::finishedGame(read(), before, 100);
    twoCycles.Sessions += 1;
    EXPECT_EQ(write(twoCycles), "no");
    EXPECT_EQ(write(online::finishedGame(read(), before, 100)), "ok");
    EXPECT_EQ(write(online::finishedGame(read(), before, 200)), "no") << "one end a start";
    EXPECT_EQ(read().Score, 100);
}

ORVALA_ON_BOTH_ENGINES(Results);
// A stranger's wrong passwords slow the stranger: a few are free at each address, then each
// try waits longer, however many arrive at once; a crowd of addresses slows the nick by seconds
// at most, and the owner comes in after that.
class Tries : public EngineTest {
  protected:
    void configure(ServiceConfig& c) override { c.trustedProxies = {"127.0.0.1"}; }
    std::string login(const std::string& from, const std::string& nick, const std::string& pw) {
        return postFrom(*service, from, "/acc/read",
                        form({{"nick", nick}, {"pw", pw}, {"label0", "0"}}))
            .body;
    }
};

TEST_P(Tries, WrongPasswordsSlowTheirAddressButNeverLockTheOwnerOut) {
    ASSERT_EQ(registerAccount(*service, "dora", "secret1"), "ok");
    std::vector<std::thread> burst;
    for (int i = 0; i < 12; ++i)
        burst.emplace_back([&] { EXPECT_EQ(login("10.6.0.1", "dora", "wrong12"), "no"); });
    for (auto& t : burst) t.join();
    const auto counted = service->db().queryOne(
        "SELECT count FROM login_tries WHERE nick = 'dora' AND address = '10.6.0.1'");
    ASSERT_TRUE(counted);
    EXPECT_EQ(counted->integer(0), 4) << "three free tries and one more before the first wait";
    EXPECT_EQ(login("10.6.0.1", "DORA", "secret1"), "no") << "the address waits, any case";
    EXPECT_NE(login("10.6.0.2", "dora", "secret1"), "no") << "the owner elsewhere does not";
    service->clock += 1;
    EXPECT_NE(login("10.6.0.1", "dora", "secret1"), "no") << "after the wait";

    // A crowd: 26 addresses, four tries each, pass the nick's ceiling.
    std::vector<std::thread> crowd;
    for (int a = 0; a < 26; ++a)
        crowd.emplace_back([&, a] {
            for (int i = 0; i < 4; ++i) login("10.7.0." + std::to_string(a), "dora", "wrong12");
        });
    for (auto& t : crowd) t.join();
    EXPECT_EQ(login("10.6.0.3", "dora", "secret1"), "no") << "the nick is slowed";
    service->clock += 4;
    EXPECT_NE(login("10.6.0.3", "dora", "secret1"), "no") << "but only by seconds";
}

ORVALA_ON_BOTH_ENGINES(Tries);

TEST_P(Accounts, ThePageKeepsItsFieldsApartAndNeedsThePassword) {
    ASSERT_EQ(registerAccount(*service, "dave", "secret1"), "ok");
    EXPECT_EQ(
        service->post("/acc/page-read", form({{"nick", "dave"}, {"labelinforead", "0"}})).body,
        "$~~~~~~~~~~~~~$");
    std::vector<std::pair<std::string, std::string>> page{
        {"nick", "dave"},        {"pw", "secret1"},    {"labelinfosave", "0"},
        {"namei", "Dave"},       {"name2", "O'Brien"}, {"about", "'); DROP TABLE accounts; --"},
        {"telephone", "+7 123"}, {"emailo", "d@e.f"},  {"website", "likes ~tilde~ and $dollar"},
        {"skype", "s"},          {"ok", "o"},          {"vk", "v"},
        {"telegram", "t"},       {"facebook", "f"},    {"twitter", "tw"},
        {"instagramm", "i"},     {"youtube", "y"}};
    EXPECT_EQ(service->post("/acc/page-write", raw(page)).body, "ok");
    const auto fields = recordFields(
        service->post("/acc/page-read", form({{"nick", "dave"}, {"labelinforead", "0"}})).body,
        '~');
    ASSERT_EQ(fields.size(), 14u);
    EXPECT_EQ(fields[0], "Dave");
    EXPECT_EQ(fields[1], "O'Brien");
    EXPECT_EQ(fields[2], "'); DROP TABLE accounts; --") << "stored and returned as text";
    EXPECT_EQ(fields[5], "likes _tilde_ and _dollar");
    EXPECT_EQ(fields[3], "+7 123");
    EXPECT_EQ(fields[13], "y");

    page[1].second = "wrong12";
    page[3].second = "Defaced";
    EXPECT_EQ(service->post("/acc/page-write", raw(page)).body, "no");
    page[1].second = "secret1";
    page[3].second = std::string(21, 'x');
    EXPECT_EQ(service->post("/acc/page-write", raw(page)).body, "no") << "a name of 21";
    EXPECT_EQ(recordFields(service->post("/acc/page-read", form({{"nick", "dave"}})).body, '~')[0],
              "Dave");
    EXPECT_EQ(service->post("/acc/page-read", form({{"nick", "x' OR '1'='1"}})).body, "no");
}

TEST_P(Accounts, TransfersAreAuthenticatedAtomicAndGuarded) {
    ASSERT_EQ(registerAccount(*service, "erin", "secret1"), "ok");
    ASSERT_EQ(registerAccount(*service, "frank", "secret2"), "ok");
    ASSERT_EQ(admin({"grant", "erin", "50"}), 0);
    EXPECT_EQ(admin({"grant", "nobody", "50"}), 1);
    EXPECT_EQ(admin({"grant", "erin", "-5"}), 1);
    EXPECT_EQ(admin({"grant", "erin"}), 2);
    ASSERT_EQ(admin({"show", "erin"}), 0);
    EXPECT_NE(adminOutput.find("balance: 50\n"), std::string::npos) << adminOutput;
    EXPECT_EQ(adminOutput.find("argon2"), std::string::npos);
    auto transfer = [&](const std::string& pw, const std::string& to, const std::string& amount) {
        return service
            ->post("/acc/transfer",
                   raw({{"nick", "erin"}, {"pw", pw}, {"to", to}, {"amount", amount}}))
            .body;
    };
    EXPECT_EQ(transfer("wrong12", "frank", "10"), "refused");
    EXPECT_EQ(transfer("secret1", "ghost", "10"), "no");
    EXPECT_EQ(transfer("secret1", "frank", "51"), "low");
    EXPECT_EQ(transfer("secret1", "frank", "0"), "empty");
    EXPECT_EQ(transfer("secret1", "frank", "-5"), "empty");
    EXPECT_EQ(transfer("secret1", "erin", "5"), "same");
    EXPECT_EQ(balanceOf("erin"), 50);
    EXPECT_EQ(balanceOf("frank"), 0);
    EXPECT_EQ(transfer("secret1", "frank", "50"), "ok$0$") << "the whole balance";
    EXPECT_EQ(balanceOf("frank"), 50);
    EXPECT_EQ(
        service->post("/acc/balance-read", form({{"nick", "frank"}, {"labelzorread", "0"}})).body,
        "$50$");

    // The old way to change a balance is no operation at all.
    EXPECT_EQ(service
                  ->post("/acc/balance-write",
                         raw({{"nick", "frank"}, {"labelzorsave", "0"}, {"R04", "1000"}}))
                  .status,
              404);
    EXPECT_EQ(balanceOf("frank"), 50);
    const auto ledger =
        service->db().query("SELECT from_nick, to_nick, amount FROM ledger ORDER BY id");
    ASSERT_EQ(ledger.size(), 2u);
    EXPECT_EQ(ledger[1].text(0) + ">" + ledger[1].text(1) + ":" + ledger[1].text(2),
              "erin>frank:50");
}

TEST_P(Accounts, ConcurrentTransfersKeepTheTotal) {
    const std::vector<std::string> nicks{"gina", "hank", "ivan"};
    for (const auto& n : nicks) {
        ASSERT_EQ(registerAccount(*service, n, "secret1"), "ok");
        ASSERT_EQ(admin({"grant", n, "100"}), 0);
    }
    std::vector<std::thread> threads;
    std::atomic<int> done{0};
    for (int t = 0; t < 6; ++t) {
        threads.emplace_back([&, t] {
            std::mt19937 rng(t);
            for (int i = 0; i < 12; ++i) {
                const auto from = nicks[rng() % 3], to = nicks[rng() % 3];
                const auto reply =
                    service
                        ->post("/acc/transfer", raw({{"nick", from},
                                                     {"pw", "secret1"},
                                                     {"to", to},
                                                     {"amount", std::to_string(1 + rng() % 60)}}))
                        .body;
                if (reply.starts_with("ok")) ++done;
            }
        });
    }
    for (auto& t : threads) t.join();
    expectTransfersKept(nicks, 300, done.load());
}

std::string tinyJpeg(int width, int height, std::size_t padding = 0) {
    std::string j = "\xFF\xD8";
    j += std::string("\xFF\xE0\x00\x04\x00\x00", 6);
    j += std::string("\xFF\xC0\x00\x0B\x08", 5);
    j += static_cast<char>(height >> 8);
    j += static_cast<char>(height & 0xFF);
    j += static_cast<char>(width >> 8);
    j += static_cast<char>(width & 0xFF);
    j += std::string("\x01\x01\x11\x00", 4);
    j += std::string(padding, '\x00');
    j += "\xFF\xD9";
    return j;
}

TEST_P(Accounts, PhotosAreCheckedJpegsUploadedWithThePassword) {
    ASSERT_EQ(registerAccount(*service, "jane", "secret1"), "ok");
    auto upload = [&](const std::string& pw, const std::string& photo) {
        return service
            ->post("/acc/photo-upload", form({{"nick", "jane"}, {"pw", pw}, {"photo", photo}}))
            .body;
    };
    const std::string photo = tinyJpeg(200, 250, 1000);
    EXPECT_EQ(upload("wrong12", photo), "no");
    EXPECT_EQ(service->get("/photos/jane.jpg").status, 404);
    EXPECT_EQ(upload("secret1", "GIF89a not a picture"), "bad");
    EXPECT_EQ(upload("secret1", tinyJpeg(200, 5000)), "bad");
    EXPECT_EQ(upload("secret1", tinyJpeg(200, 250, 201 * 1024)), "bad");
    EXPECT_EQ(upload("secret1", photo), "ok");
    const Reply got = service->get("/photos/jane.jpg");
    EXPECT_EQ(got.status, 200);
    EXPECT_EQ(got.body, photo);
}

ORVALA_ON_BOTH_ENGINES(Accounts);

}  // namespace
}  // namespace orvala::service::testing
