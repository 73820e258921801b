#pragma once
// Which service instance serves which tournament table, when several share one database.
//
// Each table is leased to one instance for a few seconds at a time (`table_leases`: the holder's
// name, the address and port where its players reach the table, and when the lease runs out).
// An instance renews its leases on a timer; a lease that ran out (its holder died or stalled) may
// be claimed by another, by one guarded statement, so that two instances never both hold a
// table. Each live instance also keeps a heartbeat row (`table_instances`), so that an instance
// claims no more than its share of the tables, ceil(10 / live instances), expired ones first; a
// lone instance takes all ten, and one above its share gives back tables nobody sits at.
//
// A table newly held here has no game here: its lobby seats, left over from the game of the
// instance that held it before, are freed in the same transaction as the claim.
//
// Times are seconds of the caller's clock, which every instance must keep close to the others'
// (a lease is a few times longer than any skew).

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "core/tourney/frames.h"
#include "storage/storage.h"

namespace orvala::service {

struct LeaseOptions {
    std::string holder;         // this instance's name, its own among the instances
    std::string address;        // where players reach this instance's tables
    int basePort = 25700;       // table t on basePort + t
    std::int64_t seconds = 15;  // how long a lease lasts unrenewed
};

// On the game server's connection, from one thread at a time (its own, and the main thread's
// `release` once it has stopped).
class TableLeases {
  public:
    TableLeases(Storage& db, LeaseOptions options, std::function<std::int64_t()> now,
                std::function<void(std::string_view)> log = {});

    // One round: the heartbeat, the renewal of this instance's leases, tables given back while
    // above the share (only from `idle`, tables held here with nobody at them, and only with no
    // lobby seat taken) and free or expired tables claimed up to it. Answers the tables held
    // now. When the database fails, the tables held so far are kept until their leases run out,
    // and none after that.
    std::set<int> renew(const std::set<int>& idle = {});
    // A clean stop: every lease and the heartbeat given back, and the lobby seats of the tables
    // held freed (their games end with this instance), so that another takes them at once.
    void release();

    const std::set<int>& held() const { return held_; }

  private:
    void round(std::int64_t now, const std::set<int>& idle);
    bool claim(int table, std::int64_t now);

    Storage& db_;
    LeaseOptions options_;
    std::function<std::int64_t()> now_;
    std::function<void(std::string_view)> log_;
    std::set<int> held_;
    std::int64_t heldUntil_ = 0;
};

// One guarded statement: `by` takes `table` if nobody holds it, its lease ran out, or it is
// `by`'s already; in the same transaction the table's leftover lobby seats go. False when
// another holds it.
bool claimTable(Storage& db, const LeaseOptions& by, int table, std::int64_t now);

// Where a table with a live lease is served.
struct LeasedServer {
    std::string address;
    std::int64_t port = 0;
};
// By table 1..10 (index 0 unused); nullopt for a table without a live lease.
using LeasedServers = std::array<std::optional<LeasedServer>, tourney::kTables + 1>;
LeasedServers leasedServers(Storage& db, std::int64_t now);

}  // namespace orvala::service
