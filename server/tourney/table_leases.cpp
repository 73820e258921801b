#include "tourney/table_leases.h"

#include <algorithm>
#include <exception>
#include <vector>

namespace orvala::service {

TableLeases::TableLeases(Storage& db, LeaseOptions options, std::function<std::int64_t()> now,
                         std::function<void(std::string_view)> log)
    : db_(db), options_(std::move(options)), now_(std::move(now)), log_(std::move(log)) {}

std::set<int> TableLeases::renew(const std::set<int>& idle) {
    const std::int64_t now = now_();
    try {
        round(now, idle);
    } catch (const std::exception& e) {
        if (log_) log_(std::string("tables: leases not renewed: ") + e.what());
        // Past its leases' end another instance may hold any of these tables.
        if (now >= heldUntil_ && !held_.empty()) {
            if (log_) log_("tables: the leases ran out unrenewed; no table is served here");
            held_.clear();
        }
    }
    return held_;
}

// `held_` follows each step as it commits, so that a failure half-way keeps what was done.
void TableLeases::round(std::int64_t now, const std::set<int>& idle) {
    const std::int64_t until = now + options_.seconds;
    const std::string& me = options_.holder;
    std::set<int> renewed;
    db_.transaction([&] {
        renewed.clear();
        db_.execute(
            "INSERT INTO table_instances (name, expires_at) VALUES ($1, $2)"
            " ON CONFLICT (name) DO UPDATE SET expires_at = excluded.expires_at",
            {me, until});
        // Every lease still under this name, run out or not: nobody else served those tables.
        for (const SqlRow& r :
             db_.query("UPDATE table_leases SET expires_at = $2, address = $3,"
                       " port = $4 + tbl WHERE holder = $1 RETURNING tbl",
                       {me, until, options_.address, std::int64_t{options_.basePort}}))
            renewed.insert(static_cast<int>(r.integer(0)));
        // A lease under this name that this process did not know of was its predecessor's (a
        // restart under the same name): that game is gone.
        for (const int t : renewed)
            if (held_.count(t) == 0)
                db_.execute("DELETE FROM seats WHERE tbl = $1", {std::int64_t{t}});
    });
    held_ = renewed;
    heldUntil_ = until;
    // Dead instances' heartbeats, outside the renewal so that it locks only its own rows.
    db_.execute("DELETE FROM table_instances WHERE expires_at <= $1", {now});

    const auto live =
        db_.queryOne("SELECT count(*) FROM table_instances WHERE expires_at > $1", {now});
    const std::int64_t instances = std::max<std::int64_t>(1, live ? live->integer(0) : 1);
    const auto share = static_cast<std::size_t>((tourney::kTables + instances - 1) / instances);

    // Above the share (another instance has come): tables nobody sits at are given back.
    std::string given;
    for (auto t = idle.rbegin(); t != idle.rend() && held_.size() > share; ++t) {
        if (held_.count(*t) == 0) continue;
        if (db_.execute("DELETE FROM table_leases WHERE tbl = $1 AND holder = $2 AND NOT EXISTS"
                        " (SELECT 1 FROM seats WHERE tbl = $1)",
                        {std::int64_t{*t}, me}) == 1) {
            held_.erase(*t);
            given += " " + std::to_string(*t);
        }
    }
    if (!given.empty() && log_) log_("tables given back to share them out:" + given);
    if (held_.size() >= share) return;

    // Below it: tables whose holder died or stalled first, then tables nobody holds.
    std::vector<int> candidates;
    std::set<int> leased;
    for (const SqlRow& r :
         db_.query("SELECT tbl, expires_at FROM table_leases ORDER BY expires_at, tbl")) {
        const int t = static_cast<int>(r.integer(0));
        leased.insert(t);
        if (r.integer(1) <= now && held_.count(t) == 0) candidates.push_back(t);
    }
    for (int t = 1; t <= tourney::kTables; ++t)
        if (leased.count(t) == 0) candidates.push_back(t);
    for (const int t : candidates) {
        if (held_.size() >= share) break;
        if (t >= 1 && t <= tourney::kTables && claim(t, now)) held_.insert(t);
    }
}

bool TableLeases::claim(int table, std::int64_t now) {
    return claimTable(db_, options_, table, now);
}

void TableLeases::release() {
    const std::string& me = options_.holder;
    db_.transaction([&] {
        db_.execute(
            "DELETE FROM seats WHERE tbl IN (SELECT tbl FROM table_leases WHERE holder = $1)",
            {me});
        db_.execute("DELETE FROM table_leases WHERE holder = $1", {me});
        db_.execute("DELETE FROM table_instances WHERE name = $1", {me});
    });
    held_.clear();
    heldUntil_ = 0;
}

bool claimTable(Storage& db, const LeaseOptions& by, int table, std::int64_t now) {
    bool taken = false;
    db.transaction([&] {
        taken = db.execute(
                    "INSERT INTO table_leases (tbl, holder, address, port, expires_at)"
                    " VALUES ($1, $2, $3, $4, $5) ON CONFLICT (tbl) DO UPDATE SET"
                    " holder = excluded.holder, address = excluded.address,"
                    " port = excluded.port, expires_at = excluded.expires_at"
                    " WHERE table_leases.expires_at <= $6"
                    " OR table_leases.holder = excluded.holder",
                    {std::int64_t{table}, by.holder, by.address, std::int64_t{by.basePort + table},
                     now + by.seconds, now}) == 1;
        if (taken) db.execute("DELETE FROM seats WHERE tbl = $1", {std::int64_t{table}});
    });
    return taken;
}

LeasedServers leasedServers(Storage& db, std::int64_t now) {
    LeasedServers out;
    for (const SqlRow& r :
         db.query("SELECT tbl, address, port FROM table_leases WHERE expires_at > $1", {now})) {
        const std::int64_t t = r.integer(0);
        if (t >= 1 && t <= tourney::kTables)
            out[static_cast<std::size_t>(t)] = LeasedServer{r.text(1), r.integer(2)};
    }
    return out;
}

}  // namespace orvala::service
