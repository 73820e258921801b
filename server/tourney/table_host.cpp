#include "tourney/table_host.h"

#include <algorithm>
#include <exception>

#include "core/tourney/frames.h"

namespace orvala::service {

TableHost::TableHost(int table, std::uint64_t seed, TableHostOptions options,
                     TableHostCallbacks callbacks)
    : table_(table),
      random_(seed),
      options_(options),
      callbacks_(std::move(callbacks)),
      referee_(std::make_unique<TableReferee>(table, random_, options.moveMs)) {}

TableHost::~TableHost() = default;

template <typename F>
void TableHost::guarded(std::int64_t now, F&& f) {
    try {
        f();
        settle(now);
    } catch (const std::exception& e) {
        fail(e.what());
    } catch (...) {
        fail("an unknown fault");
    }
}

bool TableHost::accept(Id id, const std::string& address, std::int64_t now) {
    bool taken = false;
    guarded(now, [&] {
        // The players of a finished game who linger do not count against their address: they
        // may sit down again at once.
        int fromAddress = 0;
        for (const auto& [other, c] : connections_)
            fromAddress += c.address == address && c.stage != Stage::Aside;
        if (connections_.size() >= static_cast<std::size_t>(options_.maxConnections) ||
            fromAddress >= options_.maxPerAddress || connections_.count(id) != 0) {
            logRefusal("too many connections, one from " + address + " refused", now);
            return;
        }
        Connection c;
        c.address = address;
        c.helloUntil = now + options_.helloMs;
        connections_.emplace(id, std::move(c));
        taken = true;
    });
    return taken;
}

void TableHost::receive(Id id, std::string_view bytes, std::int64_t now) {
    guarded(now, [&] {
        const auto it = connections_.find(id);
        if (it == connections_.end()) return;
        Connection& c = it->second;
        switch (c.stage) {
            case Stage::Greeting:
                c.hello.append(bytes);
                if (c.hello.size() >= tourney::kShortFrame) greet(id, c, now);
                return;
            case Stage::Seated:
                referee_->receive(c.seat, bytes, now);
                return;
            case Stage::Aside:
                if (const auto g = aside_.find(c.game); g != aside_.end())
                    g->second.referee->receive(c.seat, bytes, now);
                return;
        }
    });
}

// The first frame must take a seat that this address holds in the lobby.
void TableHost::greet(Id id, Connection& c, std::int64_t now) {
    const std::string f = c.hello.substr(0, tourney::kShortFrame);
    const std::string rest = c.hello.substr(tourney::kShortFrame);
    c.hello.clear();
    const char d = f[7];
    const int seat = d >= '1' && d <= '3' ? d - '0' : 0;
    std::optional<std::string> nick;
    const bool greeting = seat != 0 && f == tourney::shortFrame(std::string("connect") + d, seat);
    // A running game takes back only an away seat's own player: the lobby's holder of the seat,
    // from its address, under the nick that sat down.
    const bool back = greeting && referee_->phase() == TableReferee::Phase::Playing &&
                      referee_->away(seat);
    if (greeting && (referee_->phase() == TableReferee::Phase::Waiting || back) &&
        callbacks_.claimSeat)
        nick = callbacks_.claimSeat(table_, seat, c.address);
    if (back && nick && *nick != referee_->nicks()[static_cast<std::size_t>(seat)]) nick.reset();
    if (!nick) {
        logRefusal("a connection from " + c.address + " refused", now);
        drop(id);
        return;
    }
    const auto i = static_cast<std::size_t>(seat);
    // The lobby gave the seat to this connection: one that held it before is stale (the seat
    // was freed and taken again, or its player came back on a new connection).
    if (holders_[i] != 0 && !back) {
        log("table " + std::to_string(table_) + ": seat " + std::to_string(seat) +
            " taken over by a new connection");
        drop(holders_[i]);
        holders_[i] = 0;
        referee_->closed(seat, now);
    }
    c.stage = Stage::Seated;
    c.seat = seat;
    holders_[i] = id;
    if (back)
        referee_->rejoined(seat, now);
    else
        referee_->seated(seat, *nick, now);
    if (!rest.empty()) referee_->receive(seat, rest, now);
}

void TableHost::closed(Id id, std::int64_t now) {
    guarded(now, [&] {
        const auto it = connections_.find(id);
        if (it == connections_.end()) return;
        const Connection c = it->second;
        connections_.erase(it);
        // `settle` frees a seat left before the deal, or ends the game.
        if (c.stage == Stage::Seated && holders_[static_cast<std::size_t>(c.seat)] == id) {
            referee_->closed(c.seat, now);
            // An away seat is held by nobody until its player connects again.
            if (referee_->away(c.seat)) holders_[static_cast<std::size_t>(c.seat)] = 0;
        } else if (c.stage == Stage::Aside) {
            if (const auto g = aside_.find(c.game); g != aside_.end())
                g->second.referee->closed(c.seat, now);
        }
    });
}

void TableHost::sent(Id id, std::size_t bytes) {
    const auto it = connections_.find(id);
    if (it != connections_.end()) it->second.queued -= std::min(bytes, it->second.queued);
}

void TableHost::tick(std::int64_t now) {
    guarded(now, [&] {
        std::vector<Id> gone;
        for (const auto& [id, c] : connections_) {
            if (c.stage == Stage::Greeting && now >= c.helloUntil) gone.push_back(id);
            if (c.stage == Stage::Aside) {
                const auto g = aside_.find(c.game);
                if (g == aside_.end() || (g->second.until && now >= *g->second.until))
                    gone.push_back(id);
            }
        }
        for (const Id id : gone) drop(id);
        referee_->tick(now);
    });
}

std::optional<std::int64_t> TableHost::deadline() const {
    std::optional<std::int64_t> at = referee_->deadline();
    auto earliest = [&](std::int64_t t) { at = at ? std::min(*at, t) : t; };
    for (const auto& [id, c] : connections_)
        if (c.stage == Stage::Greeting) earliest(c.helloUntil);
    for (const auto& [n, g] : aside_)
        if (g.until) earliest(*g.until);
    return at;
}

std::vector<TableHost::Write> TableHost::takeWrites() {
    std::vector<Write> out;
    out.swap(writes_);
    return out;
}

std::vector<TableHost::Id> TableHost::takeCloses() {
    std::vector<Id> out;
    out.swap(closes_);
    return out;
}

// Reads where the table stands after an event and acts on it. Sending can end a seat (a client
// that does not read), which the next round acts on.
void TableHost::settle(std::int64_t now) {
    for (int round = 0; round < 4; ++round) {
        std::vector<Id> stuck;
        auto send = [&](Id id, std::string bytes) {
            const auto it = connections_.find(id);
            if (it == connections_.end()) return;
            Connection& c = it->second;
            if (c.queued + bytes.size() > options_.maxQueuedBytes) {
                stuck.push_back(id);
                return;
            }
            c.queued += bytes.size();
            writes_.push_back(Write{id, std::move(bytes)});
        };
        for (TableReferee::Frame& f : referee_->takeOutgoing())
            send(holders_[static_cast<std::size_t>(f.to)], std::move(f.bytes));
        for (const std::string& line : referee_->takeLog()) log(line);
        for (auto& [n, g] : aside_) {
            std::array<Id, 4> seats{};
            for (const auto& [id, c] : connections_)
                if (c.stage == Stage::Aside && c.game == n)
                    seats[static_cast<std::size_t>(c.seat)] = id;
            for (TableReferee::Frame& f : g.referee->takeOutgoing())
                send(seats[static_cast<std::size_t>(f.to)], std::move(f.bytes));
            for (const std::string& line : g.referee->takeLog()) log(line);
        }

        if (referee_->phase() == TableReferee::Phase::Waiting) {
            for (int s = 1; s <= 3; ++s) {
                const auto i = static_cast<std::size_t>(s);
                if (holders_[i] == 0 || referee_->isSeated(s)) continue;
                // Left before the deal, by a frame or a closed connection: the seat is free.
                if (callbacks_.seatFreed) callbacks_.seatFreed(table_, s, referee_->nicks()[i]);
                drop(holders_[i]);
                holders_[i] = 0;
            }
        }
        if (referee_->phase() == TableReferee::Phase::Ended) endGame(now);

        // An ended game is gone with its last connection.
        for (auto g = aside_.begin(); g != aside_.end();) {
            const bool any = std::any_of(connections_.begin(), connections_.end(), [&](auto& c) {
                return c.second.stage == Stage::Aside && c.second.game == g->first;
            });
            g = any ? std::next(g) : aside_.erase(g);
        }

        if (stuck.empty()) return;
        for (const Id id : stuck) {
            const auto it = connections_.find(id);
            if (it == connections_.end()) continue;
            log("table " + std::to_string(table_) + ": a connection that does not read closed");
            const Connection c = it->second;
            drop(id);
            if (c.stage == Stage::Seated && holders_[static_cast<std::size_t>(c.seat)] == id)
                referee_->closed(c.seat, now, false);
        }
    }
}

// The results are recorded and the players' lobby seats freed in the same step as the table
// gets a fresh referee, so a seat the lobby shows free can be taken at once.
void TableHost::endGame(std::int64_t now) {
    std::unique_ptr<TableReferee> ended = std::move(referee_);
    referee_ = std::make_unique<TableReferee>(table_, random_, options_.moveMs);
    const std::uint64_t game = nextGame_++;
    lastHadResults_ = ended->results().has_value();
    if (ended->results() && callbacks_.results)
        callbacks_.results(table_, ended->nicks(), *ended->results());
    for (int s = 1; s <= 3; ++s)
        if (callbacks_.seatFreed && !ended->nicks()[static_cast<std::size_t>(s)].empty())
            callbacks_.seatFreed(table_, s, ended->nicks()[static_cast<std::size_t>(s)]);

    const bool finished = ended->ending() == TableReferee::End::Finished;
    for (int s = 1; s <= 3; ++s) {
        const Id id = holders_[static_cast<std::size_t>(s)];
        holders_[static_cast<std::size_t>(s)] = 0;
        const auto it = connections_.find(id);
        if (it == connections_.end()) continue;
        if (finished) {
            it->second.stage = Stage::Aside;
            it->second.game = game;
        } else {
            drop(id);
        }
    }
    if (finished) aside_.emplace(game, EndedGame{std::move(ended), now + options_.lingerMs});
}

void TableHost::drop(Id id) {
    if (connections_.erase(id) != 0) closes_.push_back(id);
}

// Every connection goes and a fresh referee waits; nothing is recorded.
void TableHost::clear() {
    writes_.clear();
    for (const auto& [id, c] : connections_) closes_.push_back(id);
    connections_.clear();
    aside_.clear();
    holders_ = {};
    referee_ = std::make_unique<TableReferee>(table_, random_, options_.moveMs);
}

void TableHost::abandon() {
    clear();
}

void TableHost::fail(const std::string& what) {
    log("table " + std::to_string(table_) + ": " + what + "; the table ends");
    try {
        clear();
        if (callbacks_.tableFailed) callbacks_.tableFailed(table_);
    } catch (const std::exception& e) {
        log("table " + std::to_string(table_) + ": " + e.what());
    }
}

void TableHost::log(const std::string& line) {
    if (callbacks_.log) callbacks_.log(line);
}

// A client that reconnects as fast as it is refused must not fill the log: one line a second
// at most, which counts the refusals it stood for.
void TableHost::logRefusal(const std::string& what, std::int64_t now) {
    if (lastRefusalLog_ && now - *lastRefusalLog_ < kRefusalLogMs) {
        ++refusalsUnlogged_;
        return;
    }
    std::string line = "table " + std::to_string(table_) + ": " + what;
    if (refusalsUnlogged_ > 0)
        line += " (and " + std::to_string(refusalsUnlogged_) + " more refused before)";
    log(line);
    lastRefusalLog_ = now;
    refusalsUnlogged_ = 0;
}

}  // namespace orvala::service
