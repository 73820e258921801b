// The tournament lobby: ten tables of three seats on the game server, the server's state and
// welcome text, and the tournament players' scores. A seat remembers the address that took it;
// only that address, or the address at a lower seat of the same table (whose game clears the
// seats after it), may free it. A seat whose player has not reached the game server 30 seconds
// after taking it is free again; the game server frees the seats of a game that ends and of a
// player who leaves before the deal. Each table is found at the service instance that holds its
// lease (table_leases.h).

#include "service/operations.h"
#include "service/replies.h"
#include "service/text_rules.h"
#include "tourney/table_leases.h"

namespace orvala::service {
namespace {

constexpr int kTables = tourney::kTables;
const std::string kGid = "55";
constexpr long long kMaxSeatValue = 10'000'000;

struct Seat {
    std::string nick = "X", score = "0", kon = "0", rating = "0", country = "X", city = "X",
                sex = "X", ip = "X", taker;
};

// A seat whose player has not reached the game server this long after taking it is free.
constexpr std::int64_t kSeatWaitSeconds = 30;

// Frees the seats of every table whose players never reached the game server, so that a player
// held by a stale seat elsewhere may sit here. Looked for first: the table list is read by every
// open lobby every ten seconds, and a read should not take the database's write lock.
void freeUnreachedSeats(const ServiceContext& ctx, Storage& db) {
    const std::int64_t before = ctx.now() - kSeatWaitSeconds;
    if (db.queryOne("SELECT 1 FROM seats WHERE connected = 0 AND taken_at < $1 LIMIT 1", {before}))
        db.execute("DELETE FROM seats WHERE connected = 0 AND taken_at < $1", {before});
}

std::vector<Seat> tableSeats(Storage& db, long long table) {
    std::vector<Seat> seats(3);
    for (const SqlRow& r :
         db.query("SELECT seat, nick, score, kon, rating, country, city, sex, ip, taker FROM seats "
                  "WHERE tbl = $1",
                  {std::int64_t{table}})) {
        const auto s = r.integer(0);
        if (s < 1 || s > 3) continue;
        seats[s - 1] = {field(r.text(1)), r.text(2),        r.text(3),
                        r.text(4),        field(r.text(5)), field(r.text(6)),
                        field(r.text(7)), field(r.text(8)), r.text(9)};
    }
    return seats;
}

// Where a table's players reach the game server: the instance that holds its lease, or, with no
// live lease, this service's own settings.
struct TableServer {
    std::string address;
    std::int64_t port = 0;
};

std::array<TableServer, kTables + 1> tableServers(const ServiceContext& ctx, Storage& db) {
    const LeasedServers leased = leasedServers(db, ctx.now());
    std::array<TableServer, kTables + 1> out;
    for (int t = 1; t <= kTables; ++t) {
        const auto& lease = leased[static_cast<std::size_t>(t)];
        out[static_cast<std::size_t>(t)] =
            lease ? TableServer{lease->address, lease->port}
                  : TableServer{ctx.config.tourServerAddress, ctx.config.tourBasePort + t};
    }
    return out;
}

std::vector<std::string> seatFields(const Seat& s) {
    return {s.nick, s.score, s.kon, s.rating, s.country, s.city, s.sex, s.ip};
}

// The seat digit of the operation's key: "readclient2=0" is seat 2.
int seatOf(const FormFields& f, std::string_view prefix) {
    const std::string* key = f.firstKeyWithPrefix(prefix);
    if (!key || key->size() != prefix.size() + 1) return 0;
    const char d = (*key)[prefix.size()];
    return d >= '1' && d <= '3' ? d - '0' : 0;
}

HttpResponse tables(const ServiceContext& ctx, const FormFields&, Storage& db) {
    std::string out;
    freeUnreachedSeats(ctx, db);
    const auto servers = tableServers(ctx, db);
    // The game fills table 11 - k from the k-th record.
    for (int t = kTables; t >= 1; --t) {
        const auto seats = tableSeats(db, t);
        int free = 0;
        for (const Seat& s : seats) free += s.nick == "X";
        const TableServer& server = servers[static_cast<std::size_t>(t)];
        std::vector<std::string> f{std::to_string(t),
                                   field(server.address),
                                   std::to_string(server.port),
                                   std::to_string(free),
                                   "0",
                                   "#"};
        for (const Seat& s : seats)
            for (auto& v : seatFields(s)) f.push_back(v);
        out += listRow(f);
    }
    return textReply(out);
}

HttpResponse info(const ServiceContext& ctx, const FormFields&, Storage&) {
    return textReply(
        recordReply({ctx.config.tourServerOn ? "Y" : "N", field(ctx.config.tourWelcome)}));
}

HttpResponse rating(const FormFields& f, Storage& db) {
    const auto r =
        db.queryOne("SELECT score, kon, rating FROM tour_players WHERE nick = $1", {f.get("nick")});
    if (!r) return textReply(recordReply({"0", "0", "0"}));
    return textReply(recordReply({r->text(0), r->text(1), r->text(2)}));
}

HttpResponse takeOrRelease(const ServiceContext& ctx, const HttpRequest& request,
                           const FormFields& f, Storage& db) {
    const int s = seatOf(f, "client3on");
    long long table, can;
    if (s == 0 || !parseInteger(f.get("num"), 1, kTables, table) ||
        !parseInteger(f.get("can"), 0, 2, can))
        return textReply("fail");
    const std::string d = std::to_string(s);
    const std::string caller = callerAddress(request, ctx.config);
    // Only the account's owner sits under its nick; a seat is freed by the address that took it.
    if (can == 1 && !authenticate(db, ctx, request, f.get("nick" + d), f.get("pw")))
        return textReply("fail");
    std::string reply = "fail";
    db.transaction([&] {
        freeUnreachedSeats(ctx, db);
        const auto seats = tableSeats(db, table);
        if (can == 1) {
            const std::string nick = f.get("nick" + d);
            long long score, kon, rate;
            const std::string country = f.get("country" + d), city = f.get("city" + d),
                              sex = f.get("sex" + d), ip = f.get("ip" + d);
            if (!validAccountNick(nick) ||
                !parseInteger(f.get("score" + d), -kMaxSeatValue, kMaxSeatValue, score) ||
                !parseInteger(f.get("kon" + d), 0, kMaxSeatValue, kon) ||
                !parseInteger(f.get("rating" + d), -kMaxSeatValue, kMaxSeatValue, rate) ||
                !validWord(country, 20) || !validCity(city) || (sex != "M" && sex != "W") ||
                !validWord(ip, 45))
                return;
            if (seats[s - 1].nick != "X") {
                reply = "is";
                return;
            }
            // Seats fill in order, a player sits once, and only an account may sit.
            if (s > 1 && seats[s - 2].nick == "X") return;
            if (db.queryOne("SELECT 1 FROM seats WHERE nick = $1", {nick})) return;
            if (!db.queryOne("SELECT 1 FROM accounts WHERE nick = $1", {nick})) return;
            // One address a table, except for the administrator and a game server on the
            // operator's own machine, as the game's lobby also checks.
            const bool exempt =
                nick == ctx.config.adminNick ||
                tableServers(ctx, db)[static_cast<std::size_t>(table)].address == "127.0.0.1";
            for (const Seat& other : seats)
                if (!exempt && other.nick != "X" && other.taker == caller) return;
            db.execute(
                "INSERT INTO seats (tbl, seat, nick, score, kon, rating, country, city, sex, ip,"
                " taker, taken_at) VALUES ($1, $2, $3, $4, $5, $6, $7, $8, $9, $10, $11, $12)",
                {std::int64_t{table}, std::int64_t{s}, nick, std::int64_t{score}, std::int64_t{kon},
                 std::int64_t{rate}, country, city, sex, ip, caller, ctx.now()});
            reply = "ok";
            return;
        }
        if (seats[s - 1].nick == "X") {
            reply = "ok";
            return;
        }
        // A seat above a free one is left over from a table that broke up: anyone may clear it.
        bool mayFree = seats[s - 1].taker == caller;
        for (int k = 1; k < s && can == 0; ++k)
            if (seats[k - 1].nick == "X" || seats[k - 1].taker == caller) mayFree = true;
        if (!mayFree) return;
        db.execute("DELETE FROM seats WHERE tbl = $1 AND seat = $2",
                   {std::int64_t{table}, std::int64_t{s}});
        reply = "ok";
    });
    return textReply(reply);
}

HttpResponse readSeat(const ServiceContext& ctx, const FormFields& f, Storage& db) {
    const int s = seatOf(f, "readclient");
    long long table;
    if (s == 0 || !parseInteger(f.get("num"), 1, kTables, table)) return textReply("no");
    freeUnreachedSeats(ctx, db);
    Seat seat = tableSeats(db, table)[s - 1];
    if (seat.nick == "X") seat.sex = "M";
    return textReply(recordReply(seatFields(seat)));
}

const char* columnOf(char kind) {
    switch (kind) {
        case 's':
            return "score";
        case 'r':
            return "rating";
        case 'k':
            return "kon";
        default:
            return nullptr;
    }
}

// "top10s55=0" asks by score, "top10r55" by rating, "top10k55" by games.
char kindOf(const FormFields& f, std::string_view prefix) {
    const std::string* key = f.firstKeyWithPrefix(prefix);
    if (!key || *key != std::string(prefix) + (*key)[prefix.size()] + kGid) return 0;
    return columnOf((*key)[prefix.size()]) ? (*key)[prefix.size()] : 0;
}

HttpResponse top10(const FormFields& f, Storage& db) {
    const char k = kindOf(f, "top10");
    if (!k) return textReply("no");
    const std::string col = columnOf(k);
    const auto found =
        db.query("SELECT nick, city, country, sex, " + col +
                 " FROM tour_players WHERE kon > 0 ORDER BY " + col + " DESC, nick LIMIT 10");
    std::string out;
    for (std::size_t i = 0; i < found.size(); ++i) {
        const SqlRow& r = found[i];
        out += listRow({std::to_string(i + 1), field(r.text(0)), field(r.text(1)), field(r.text(2)),
                        field(r.text(3)), r.text(4)});
    }
    return textReply(out.empty() ? "#" : out);
}

HttpResponse place(const FormFields& f, Storage& db) {
    const char k = kindOf(f, "place");
    if (!k) return textReply("no");
    const std::string col = columnOf(k);
    const std::string key = col == "kon" ? "kon1" : col + "1";
    long long value;
    if (!parseInteger(f.get(key), -kMaxSeatValue, kMaxSeatValue, value)) return textReply("no");
    const auto row =
        db.queryOne("SELECT count(*) FROM tour_players WHERE kon > 0 AND " + col + " > $1",
                    {std::int64_t{value}});
    return textReply(numberReply(1 + row->integer(0)));
}

}  // namespace

void addLobbyRoutes(Router& router, const ServiceContext& ctx) {
    const ServiceContext* c = &ctx;
    addPost(
        router, "/tour/tables", Style::Form, "no",
        [c](const HttpRequest&, const FormFields& f, Storage& db) { return tables(*c, f, db); });
    addPost(router, "/tour/info", Style::Form, "no",
            [c](const HttpRequest&, const FormFields& f, Storage& db) { return info(*c, f, db); });
    addPost(router, "/tour/rating", Style::Raw, "no",
            [](const HttpRequest&, const FormFields& f, Storage& db) { return rating(f, db); });
    addPost(router, "/tour/seat", Style::Raw, "fail",
            [c](const HttpRequest& r, const FormFields& f, Storage& db) {
                return takeOrRelease(*c, r, f, db);
            });
    addPost(
        router, "/tour/read-seat", Style::Form, "no",
        [c](const HttpRequest&, const FormFields& f, Storage& db) { return readSeat(*c, f, db); });
    addPost(router, "/tour/top10", Style::Form, "no",
            [](const HttpRequest&, const FormFields& f, Storage& db) { return top10(f, db); });
    addPost(router, "/tour/place", Style::Raw, "no",
            [](const HttpRequest&, const FormFields& f, Storage& db) { return place(f, db); });
}

}  // namespace orvala::service
