#include "tourney/table_records.h"

#include <exception>

namespace orvala::service {

std::optional<std::string> claimSeat(Storage& db, int table, int seat, const std::string& address) {
    std::optional<std::string> nick;
    db.transaction([&] {
        const auto r = db.queryOne("SELECT nick, taker FROM seats WHERE tbl = $1 AND seat = $2",
                                   {std::int64_t{table}, std::int64_t{seat}});
        if (!r || r->text(1) != address) return;
        nick = r->text(0);
        db.execute("UPDATE seats SET connected = 1 WHERE tbl = $1 AND seat = $2 AND nick = $3",
                   {std::int64_t{table}, std::int64_t{seat}, *nick});
    });
    return nick;
}

void recordResults(Storage& db, int table, const std::array<std::string, 4>& nicks,
                   const std::array<int, 4>& results) {
    db.transaction([&] {
        for (int s = 1; s <= 3; ++s) {
            const auto seat = db.queryOne(
                "SELECT country, city, sex FROM seats WHERE tbl = $1 AND seat = $2 AND nick = $3",
                {std::int64_t{table}, std::int64_t{s}, nicks[static_cast<std::size_t>(s)]});
            const std::string country = seat ? seat->text(0) : "#";
            const std::string city = seat ? seat->text(1) : "#";
            const std::string sex = seat ? seat->text(2) : "M";
            const std::int64_t r = results[static_cast<std::size_t>(s)];
            db.execute(
                "INSERT INTO tour_players (nick, score, kon, rating, city, country, sex)"
                " VALUES ($1, $2, 1, $2, $3, $4, $5) ON CONFLICT (nick) DO UPDATE SET"
                " score = tour_players.score + $2, kon = tour_players.kon + 1,"
                " rating = (tour_players.score + $2) / (tour_players.kon + 1),"
                " city = $3, country = $4, sex = $5",
                {nicks[static_cast<std::size_t>(s)], r, city, country, sex});
        }
    });
}

void freeSeat(Storage& db, int table, int seat, const std::string& nick) {
    db.execute("DELETE FROM seats WHERE tbl = $1 AND seat = $2 AND nick = $3",
               {std::int64_t{table}, std::int64_t{seat}, nick});
}

void freeTable(Storage& db, int table) {
    db.execute("DELETE FROM seats WHERE tbl = $1", {std::int64_t{table}});
}

TournamentCallbacks tableCallbacks(Storage& db, std::function<void(std::string_view)> log) {
    TournamentCallbacks cb;
    cb.log = log;
    cb.claimSeat = [&db, log](int table, int seat, const std::string& address) {
        try {
            return claimSeat(db, table, seat, address);
        } catch (const std::exception& e) {
            log(std::string("tables: ") + e.what());
            return std::optional<std::string>();
        }
    };
    cb.results = [&db, log](int table, const std::array<std::string, 4>& nicks,
                            const std::array<int, 4>& results) {
        try {
            recordResults(db, table, nicks, results);
            log("table " + std::to_string(table) + ": results " + nicks[1] + "=" +
                std::to_string(results[1]) + " " + nicks[2] + "=" + std::to_string(results[2]) +
                " " + nicks[3] + "=" + std::to_string(results[3]));
        } catch (const std::exception& e) {
            log(std::string("tables: results not recorded: ") + e.what());
        }
    };
    cb.seatFreed = [&db, log](int table, int seat, const std::string& nick) {
        try {
            freeSeat(db, table, seat, nick);
        } catch (const std::exception& e) {
            log(std::string("tables: ") + e.what());
        }
    };
    cb.tableFailed = [&db, log](int table) {
        try {
            freeTable(db, table);
        } catch (const std::exception& e) {
            log(std::string("tables: ") + e.what());
        }
    };
    return cb;
}

}  // namespace orvala::service
