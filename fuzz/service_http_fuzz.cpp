// Fuzz target of the web service's operations: an input is a run of whole requests (method,
// path, peer, body) that go through the router to the handlers on a throwaway SQLite, with a
// clock the input moves forward. After every request the Zors must add up: the sum of all
// balances moves only by the grants the ledger records (rows from nobody); a transfer moves
// Zors between two balances and never changes the sum. Nothing may crash, and a handler may fail
// only with a storage error (a 500 in the real service).
//
// Three accounts are registered once per process (hashing is slow); between inputs every table
// is emptied and the accounts are put back as they were. The fuzz build hashes new passwords at
// the least cost too (fuzz/CMakeLists.txt). The ordinary test build replays the
// checked-in corpus (tests/server).
//
// Input: per request one byte of route and method, one byte of clock step, one byte of peer,
// then the body up to a NUL byte. A route byte past the known paths takes its path from the
// body's first line.

#include <sodium.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "http/router.h"
#include "service/service.h"
#include "storage/storage.h"

namespace {

using namespace orvala::service;

const char* const kPaths[] = {
    "/acc/register",      "/acc/read",       "/acc/count",        "/acc/results-read",
    "/acc/results-write", "/acc/place",      "/acc/page-read",    "/acc/page-write",
    "/acc/balance-read",  "/acc/transfer",   "/acc/photo-upload", "/photos/ann.jpg",
    "/rec/count",         "/rec/list",       "/rec/near",         "/rec/write",
    "/rec/rating-top",    "/stat/read",      "/stat/start",       "/stat/like",
    "/stat/report",       "/tour/tables",    "/tour/info",        "/tour/rating",
    "/tour/seat",         "/tour/read-seat", "/tour/top10",       "/tour/place",
    "/news.html",         "/config.txt",     "/get_ip.php",       "/files/a.txt",
};
constexpr std::size_t kPathCount = sizeof kPaths / sizeof kPaths[0];
constexpr int kMaxRequests = 48;

struct World {
    std::filesystem::path folder;
    ServiceContext context;
    Router router;
    std::unique_ptr<Storage> db;
    std::int64_t clock = 1'800'000'000;
    std::int64_t startTotal = 0;
    std::vector<std::string> tables;
    std::int64_t sent = 0;  // requests handled, for the run's figures

    World() {
        char pattern[] = "/tmp/orvala-http-fuzz-XXXXXX";
        if (!mkdtemp(pattern)) std::abort();
        folder = pattern;
        std::filesystem::create_directories(folder / "files");
        std::ofstream(folder / "files" / "a.txt") << "a file\n";
        context.config.dataDir = folder.string();
        context.config.filesDir = (folder / "files").string();
        context.config.trustedProxies = {"10.0.0.9"};
        context.now = [this] { return clock; };
        addServiceRoutes(router, context);
        db = openStorage("", folder.string(), true);
        for (const auto& [nick, pw] :
             {std::pair{"ann", "secret1"}, {"bob", "secret2"}, {"cat", "secret3"}}) {
            const std::string body = std::string("nick=") + nick + "&pw=" + pw +
                                     "&city=Moscow&country1=Russia&country2=2-007&sex=M&"
                                     "email=a@b.ru&dater=01.01.2026&R01=x&R02=x&R03=x";
            send("POST", "/acc/register", "10.0.0.1", body);
            // A hash carries its own costs: these check at the least, so that a replay of the
            // corpus in the ordinary build hashes fast too.
            char hash[crypto_pwhash_STRBYTES];
            if (sodium_init() < 0 ||
                crypto_pwhash_str_alg(hash, pw, std::strlen(pw), crypto_pwhash_OPSLIMIT_MIN,
                                      crypto_pwhash_MEMLIMIT_MIN,
                                      crypto_pwhash_ALG_ARGON2ID13) != 0)
                std::abort();
            db->execute("UPDATE accounts SET pw_hash = $2 WHERE nick = $1",
                        {std::string(nick), std::string(hash)});
        }
        db->execute("UPDATE accounts SET balance = 100 WHERE nick = 'ann'");
        db->execute("UPDATE accounts SET balance = 40 WHERE nick = 'bob'");
        // cat stands one game before the end of a cycle, so closing one is in reach.
        db->execute(
            "UPDATE accounts SET kon = 40, konl = 24, score = 300, rating = 20, sessions = 1,"
            " best = 100 WHERE nick = 'cat'");
        for (const SqlRow& r :
             db->query("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT IN "
                       "('schema_version', 'accounts', 'accounts_start') AND name NOT LIKE "
                       "'sqlite%'"))
            tables.push_back(r.text(0));
        db->execute("CREATE TABLE accounts_start AS SELECT * FROM accounts");
        startTotal = total();
    }
    ~World() {
        db.reset();
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }

    void reset() {
        clock = 1'800'000'000;
        db->transaction([&] {
            for (const std::string& t : tables) db->execute("DELETE FROM " + t);
            db->execute("DELETE FROM accounts");
            db->execute("INSERT INTO accounts SELECT * FROM accounts_start");
        });
    }

    std::int64_t total() {
        return db->queryOne("SELECT coalesce(sum(balance), 0) FROM accounts")->integer(0);
    }
    std::int64_t granted() {
        return db->queryOne("SELECT coalesce(sum(amount), 0) FROM ledger WHERE from_nick = ''")
            ->integer(0);
    }

    void send(const std::string& method, const std::string& path, const std::string& peer,
              const std::string& body) {
        const Route* route = router.find(method, path);
        // libFuzzer leaves without destructors; the count is told as it grows.
        if (++sent % 1'000'000 == 0 && std::getenv("ORVALA_FUZZ_COUNT"))
            std::fprintf(stderr, "requests: %lld\n", static_cast<long long>(sent));
        if (!route || body.size() > route->maxBody) return;  // 404, 405 or 413
        HttpRequest request;
        request.method = method;
        request.path = path;
        request.body = body;
        request.peerAddress = peer;
        if (peer == "10.0.0.9") request.forwardedFor = "10.0.1.1, 10.0.0.2";
        try {
            (void)route->handler(request, *db);
        } catch (const StorageError&) {
            // The service answers 500; the transaction was rolled back.
        }
    }
};

World& world() {
    static World w;
    return w;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    World& w = world();
    w.reset();
    std::string_view in(reinterpret_cast<const char*>(data), size);
    for (int n = 0; n < kMaxRequests && in.size() >= 3; ++n) {
        const auto route = static_cast<unsigned char>(in[0]);
        const auto step = static_cast<unsigned char>(in[1]);
        const auto peer = static_cast<unsigned char>(in[2]);
        in.remove_prefix(3);
        const std::size_t end = in.find('\0');
        std::string body(in.substr(0, end));
        in.remove_prefix(end == std::string_view::npos ? in.size() : end + 1);
        // Small steps are seconds; large ones jump minutes, so slow rules can be crossed.
        w.clock += step < 200 ? step : std::int64_t{step - 199} * 600;
        std::string path;
        const std::size_t index = route & 0x3f;
        if (index < kPathCount) {
            path = kPaths[index];
        } else {
            const std::size_t eol = body.find('\n');
            path = body.substr(0, eol);
            body.erase(0, eol == std::string::npos ? body.size() : eol + 1);
        }
        const std::string method = route & 0x80 ? "GET" : "POST";
        w.send(method, path, "10.0.0." + std::to_string(peer % 10), body);
        if (w.total() != w.startTotal + w.granted()) std::abort();
    }
    return 0;
}
