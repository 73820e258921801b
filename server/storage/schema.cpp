// The schema as numbered migrations. A migration, once released, never changes: a new need is a
// new migration at the end. "{id}" is an engine's own automatic row number.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "storage/engines.h"

namespace orvala::service {
namespace {

const std::vector<std::vector<std::string>>& migrations() {
    static const std::vector<std::vector<std::string>> all = {
        // 1: accounts, their results and pages, the Zors ledger, record tables, statistics,
        // the lobby, the operator's settings and the write limits.
        {
            "CREATE TABLE accounts ("
            " nick TEXT PRIMARY KEY, pw_hash TEXT NOT NULL,"
            " city TEXT NOT NULL, country1 TEXT NOT NULL, country2 TEXT NOT NULL,"
            " sex TEXT NOT NULL, email TEXT NOT NULL, dater TEXT NOT NULL,"
            " r01 TEXT NOT NULL, r02 TEXT NOT NULL, r03 TEXT NOT NULL,"
            " balance BIGINT NOT NULL DEFAULT 0 CHECK (balance >= 0),"
            " r05 BIGINT NOT NULL DEFAULT 0, r06 BIGINT NOT NULL DEFAULT 0,"
            " kon BIGINT NOT NULL DEFAULT 0, best BIGINT NOT NULL DEFAULT 0,"
            " rating DOUBLE PRECISION NOT NULL DEFAULT 0, sessions BIGINT NOT NULL DEFAULT 0,"
            " konl BIGINT NOT NULL DEFAULT 0, score BIGINT NOT NULL DEFAULT 0,"
            " res_r1 BIGINT NOT NULL DEFAULT 0, res_r2 TEXT NOT NULL DEFAULT '#',"
            " page TEXT NOT NULL DEFAULT '', created_at BIGINT NOT NULL)",
            "CREATE UNIQUE INDEX accounts_by_folded_nick ON accounts (lower(nick))",
            "CREATE INDEX accounts_by_rating ON accounts (rating)",
            "CREATE TABLE photos (nick TEXT PRIMARY KEY REFERENCES accounts (nick),"
            " jpeg_hex TEXT NOT NULL)",
            "CREATE TABLE ledger (id {id}, at BIGINT NOT NULL, from_nick TEXT NOT NULL,"
            " to_nick TEXT NOT NULL, amount BIGINT NOT NULL, reason TEXT NOT NULL)",
            "CREATE TABLE records (id {id}, gid BIGINT NOT NULL, score BIGINT NOT NULL,"
            " nick TEXT NOT NULL, country TEXT NOT NULL, city TEXT NOT NULL,"
            " r07 TEXT NOT NULL, r08 TEXT NOT NULL, r09 TEXT NOT NULL, r10 TEXT NOT NULL,"
            " at BIGINT NOT NULL)",
            "CREATE INDEX records_by_score ON records (gid, score DESC, id)",
            "CREATE INDEX records_by_nick ON records (gid, nick, city)",
            "CREATE TABLE stats (gid BIGINT PRIMARY KEY, stat1 BIGINT NOT NULL DEFAULT 0,"
            " stat2 BIGINT NOT NULL DEFAULT 0, stat3 BIGINT NOT NULL DEFAULT 0,"
            " stat4 TEXT NOT NULL DEFAULT '#',"
            " x1 BIGINT NOT NULL DEFAULT 0, x2 BIGINT NOT NULL DEFAULT 0,"
            " x3 BIGINT NOT NULL DEFAULT 0, x4 BIGINT NOT NULL DEFAULT 0,"
            " x5 BIGINT NOT NULL DEFAULT 0, x6 BIGINT NOT NULL DEFAULT 0,"
            " x7 BIGINT NOT NULL DEFAULT 0, x8 BIGINT NOT NULL DEFAULT 0,"
            " x9 BIGINT NOT NULL DEFAULT 0, x10 BIGINT NOT NULL DEFAULT 0,"
            " x11 BIGINT NOT NULL DEFAULT 0, x12 BIGINT NOT NULL DEFAULT 0,"
            " staty BIGINT NOT NULL DEFAULT 0, statz TEXT NOT NULL DEFAULT '#')",
            "CREATE TABLE likes (gid BIGINT NOT NULL, nick TEXT NOT NULL, PRIMARY KEY (gid, nick))",
            "CREATE TABLE seats (tbl BIGINT NOT NULL, seat BIGINT NOT NULL, nick TEXT NOT NULL,"
            " score BIGINT NOT NULL, kon BIGINT NOT NULL, rating BIGINT NOT NULL,"
            " country TEXT NOT NULL, city TEXT NOT NULL, sex TEXT NOT NULL, ip TEXT NOT NULL,"
            " taker TEXT NOT NULL, PRIMARY KEY (tbl, seat))",
            "CREATE TABLE tour_players (nick TEXT PRIMARY KEY, score BIGINT NOT NULL DEFAULT 0,"
            " kon BIGINT NOT NULL DEFAULT 0, rating BIGINT NOT NULL DEFAULT 0,"
            " city TEXT NOT NULL DEFAULT '#', country TEXT NOT NULL DEFAULT '#',"
            " sex TEXT NOT NULL DEFAULT 'M')",
            "CREATE TABLE settings (name TEXT PRIMARY KEY, value TEXT NOT NULL)",
            "CREATE TABLE counters (name TEXT PRIMARY KEY, value BIGINT NOT NULL)",
            "CREATE TABLE post_times (key TEXT PRIMARY KEY, at BIGINT NOT NULL)",
            "CREATE INDEX post_times_by_time ON post_times (at)",
            "CREATE TABLE login_failures (nick TEXT PRIMARY KEY, since BIGINT NOT NULL,"
            " count BIGINT NOT NULL)",
        },
        // 2: a lobby seat remembers when it was taken and whether its holder reached the table,
        // so a seat nobody comes to is freed.
        {
            "ALTER TABLE seats ADD COLUMN taken_at BIGINT NOT NULL DEFAULT 0",
            "ALTER TABLE seats ADD COLUMN connected BIGINT NOT NULL DEFAULT 0",
        },
        // 3: the game for the global rating under way (when its start was written, the cycle's
        // counters before it) and the verified cycle that awaits its record; password tries
        // per nick and address (address '' counts the nick's tries from everywhere).
        {
            "ALTER TABLE accounts ADD COLUMN game_started BIGINT NOT NULL DEFAULT 0",
            "ALTER TABLE accounts ADD COLUMN game_konl BIGINT NOT NULL DEFAULT 0",
            "ALTER TABLE accounts ADD COLUMN game_score BIGINT NOT NULL DEFAULT 0",
            "ALTER TABLE accounts ADD COLUMN cycle_due BIGINT NOT NULL DEFAULT 0",
            "ALTER TABLE accounts ADD COLUMN cycle_score BIGINT NOT NULL DEFAULT 0",
            "DROP TABLE login_failures",
            "CREATE TABLE login_tries (nick TEXT NOT NULL, address TEXT NOT NULL,"
            " count BIGINT NOT NULL, last BIGINT NOT NULL, next_at BIGINT NOT NULL,"
            " PRIMARY KEY (nick, address))",
            "CREATE INDEX login_tries_by_time ON login_tries (last)",
        },
        // 4: a player's own records are found by nick first (with the table's number first,
        // PostgreSQL, before it had counted a new table's rows, read a whole table's list
        // through this index and sorted it, instead of taking the first ten by score); and how
        // many records each table holds at each score and in each band of 256 scores, so that
        // a record's place is summed over the bands above it and the scores above it in its
        // band rather than counted over every record above it. A band's count is kept in eight
        // rows (by the record's number), so that writers at once seldom wait for each other's
        // commit on one row.
        // The write limits' times lose their index: the sweep of old ones, once a minute, may
        // read the whole table, and each write no longer updates an index for it.
        {
            "DROP INDEX post_times_by_time",
            "DROP INDEX records_by_nick",
            "CREATE INDEX records_by_player ON records (nick, city, gid)",
            // Kept in the order of their keys, so that a sum reads no other page.
            "sqlite: CREATE TABLE record_scores (gid BIGINT NOT NULL, score BIGINT NOT NULL,"
            " rows_at BIGINT NOT NULL, PRIMARY KEY (gid, score)) WITHOUT ROWID",
            "sqlite: CREATE TABLE record_bands (gid BIGINT NOT NULL, band BIGINT NOT NULL,"
            " shard BIGINT NOT NULL, rows_at BIGINT NOT NULL, PRIMARY KEY (gid, band, shard))"
            " WITHOUT ROWID",
            "postgres: CREATE TABLE record_scores (gid BIGINT NOT NULL, score BIGINT NOT NULL,"
            " rows_at BIGINT NOT NULL, PRIMARY KEY (gid, score))",
            "postgres: CREATE TABLE record_bands (gid BIGINT NOT NULL, band BIGINT NOT NULL,"
            " shard BIGINT NOT NULL, rows_at BIGINT NOT NULL, PRIMARY KEY (gid, band, shard))",
            "INSERT INTO record_scores (gid, score, rows_at)"
            " SELECT gid, score, count(*) FROM records GROUP BY gid, score",
            "INSERT INTO record_bands (gid, band, shard, rows_at)"
            " SELECT gid, {band}, id % 8, count(*) FROM records GROUP BY gid, {band}, id % 8",
            // The database itself keeps the counts, whoever adds or removes a record.
            "sqlite: CREATE TRIGGER records_counted AFTER INSERT ON records BEGIN"
            " INSERT INTO record_scores (gid, score, rows_at) VALUES (new.gid, new.score, 1)"
            " ON CONFLICT (gid, score) DO UPDATE SET rows_at = rows_at + 1;"
            " INSERT INTO record_bands (gid, band, shard, rows_at)"
            " VALUES (new.gid, {new band}, new.id % 8, 1)"
            " ON CONFLICT (gid, band, shard) DO UPDATE SET rows_at = rows_at + 1; END",
            "sqlite: CREATE TRIGGER records_uncounted AFTER DELETE ON records BEGIN"
            " UPDATE record_scores SET rows_at = rows_at - 1"
            " WHERE gid = old.gid AND score = old.score;"
            " UPDATE record_bands SET rows_at = rows_at - 1"
            " WHERE gid = old.gid AND band = {old band} AND shard = old.id % 8; END",
            "postgres: CREATE FUNCTION count_record() RETURNS trigger LANGUAGE plpgsql AS $f$"
            " BEGIN"
            " IF TG_OP = 'INSERT' THEN"
            " INSERT INTO record_scores (gid, score, rows_at) VALUES (NEW.gid, NEW.score, 1)"
            " ON CONFLICT (gid, score) DO UPDATE SET rows_at = record_scores.rows_at + 1;"
            " INSERT INTO record_bands (gid, band, shard, rows_at)"
            " VALUES (NEW.gid, {NEW band}, NEW.id % 8, 1)"
            " ON CONFLICT (gid, band, shard) DO UPDATE SET rows_at = record_bands.rows_at + 1;"
            " ELSE"
            " UPDATE record_scores SET rows_at = rows_at - 1"
            " WHERE gid = OLD.gid AND score = OLD.score;"
            " UPDATE record_bands SET rows_at = rows_at - 1"
            " WHERE gid = OLD.gid AND band = {OLD band} AND shard = OLD.id % 8;"
            " END IF;"
            " RETURN NULL; END $f$",
            "postgres: CREATE TRIGGER records_counted AFTER INSERT OR DELETE ON records"
            " FOR EACH ROW EXECUTE FUNCTION count_record()",
        },
        // 5: several service processes on one database share the tournament's tables: each
        // table is leased to the one instance that serves it (its players' address and port),
        // and each live instance keeps a heartbeat row, so that the tables are shared out.
        {
            "CREATE TABLE table_leases (tbl BIGINT PRIMARY KEY, holder TEXT NOT NULL,"
            " address TEXT NOT NULL, port BIGINT NOT NULL, expires_at BIGINT NOT NULL)",
            "CREATE TABLE table_instances (name TEXT PRIMARY KEY, expires_at BIGINT NOT NULL)",
        },
    };
    return all;
}

// A statement for one engine only starts with its name ("sqlite: ", "postgres: "); empty for
// the other engine.
std::string forEngine(std::string sql, Engine engine) {
    // A score's band, as recordBand() counts it: "{band}" of the row's score, "{new band}" of
    // a trigger's new row.
    for (const auto& [mark, score] : {std::pair{"{band}", "score"}, {"{new band}", "new.score"},
                                      {"{old band}", "old.score"}, {"{NEW band}", "NEW.score"},
                                      {"{OLD band}", "OLD.score"}})
        for (std::size_t at; (at = sql.find(mark)) != std::string::npos;)
            sql.replace(at, std::string_view(mark).size(),
                        "((" + std::string(score) + " + " + std::to_string(kRecordBandOffset) +
                            ") / " + std::to_string(kRecordBandWidth) + ")");
    for (const auto& [prefix, only] : {std::pair{std::string_view("sqlite: "), Engine::Sqlite},
                                       std::pair{std::string_view("postgres: "), Engine::Postgres}})
        if (sql.starts_with(prefix)) {
            if (engine != only) return {};
            sql.erase(0, prefix.size());
        }
    const std::string id =
        engine == Engine::Sqlite ? "INTEGER PRIMARY KEY" : "BIGSERIAL PRIMARY KEY";
    for (std::size_t at; (at = sql.find("{id}")) != std::string::npos;) sql.replace(at, 4, id);
    return sql;
}

}  // namespace

int schemaVersion(Storage& storage) {
    const auto row = storage.queryOne("SELECT max(version) FROM schema_version");
    return row && row->columns[0] ? static_cast<int>(row->integer(0)) : 0;
}

void applyMigrations(Storage& storage) {
    storage.execute("CREATE TABLE IF NOT EXISTS schema_version (version BIGINT NOT NULL)");
    storage.transaction([&] {
        // Processes starting together take turns here; SQLite's BEGIN IMMEDIATE already does.
        if (storage.engine() == Engine::Postgres)
            storage.query("SELECT pg_advisory_xact_lock(55055)");
        const int have = schemaVersion(storage);
        const auto& all = migrations();
        for (int v = have + 1; v <= static_cast<int>(all.size()); ++v) {
            for (const std::string& sql : all[v - 1])
                if (const std::string text = forEngine(sql, storage.engine()); !text.empty())
                    storage.execute(text);
            storage.execute("INSERT INTO schema_version (version) VALUES ($1)", {std::int64_t{v}});
        }
    });
}

}  // namespace orvala::service
