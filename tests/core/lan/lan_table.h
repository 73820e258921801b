#pragma once
// A LAN table in one process for tests: a host and one or two joiners, each a LanPeer with its
// own random source, players and autopilot, joined by in-memory links that carry only bytes. The
// links cut every write at random places, as TCP may, and deliver everything sent before anyone
// acts again.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/ai/computer_players.h"
#include "core/game/autopilot.h"
#include "core/game/random_players.h"
#include "core/lan/lan_peer.h"

namespace orvala::lan::testing {

struct Machine {
    Machine(Session session, unsigned seed, bool computerPlayers)
        : random(seed),
          players(makePlayers(computerPlayers)),
          pilot(*players),
          peer(std::move(session), pilot, random) {}

    std::unique_ptr<PlayersPort> makePlayers(bool computer) {
        if (computer) return std::make_unique<ComputerPlayers>(random);
        return std::make_unique<RandomPlayers>(random);
    }

    SeededRandom random;
    std::unique_ptr<PlayersPort> players;
    AutoPilot pilot;
    LanPeer peer;
};

// One text as it left a machine: machines 0 (host), 1 and 2 (joiners).
struct Traffic {
    int from = 0;
    int to = 0;
    std::string bytes;
};

class LanTable {
  public:
    // machines_[0] is the host, [1] the first joiner, [2] the second.
    LanTable(int people, unsigned seed, bool computerPlayers = false)
        : seed_(seed), cut_(seed * 7 + 1) {
        machines_.push_back(
            std::make_unique<Machine>(hostListening("Hostes"), seed, computerPlayers));
        connection_.push_back(-1);
        for (int j = 0; j + 1 < people; ++j) {
            machines_.push_back(std::make_unique<Machine>(
                joinerConnecting(kNames[j]), seed + 100 + unsigned(j), computerPlayers));
            connection_.push_back(j);
            machines_.back()->peer.connected();
            pump();
        }
    }

    // Machine i's link is lost: the host hears it, and nothing reaches or leaves the machine.
    void lose(int i) {
        const int c = connection_[static_cast<std::size_t>(i)];
        connection_[static_cast<std::size_t>(i)] = -1;
        peer(0).connectionLost(c);
        pump();
    }
    // The person of machine i starts again and joins under the same name on a new connection.
    void rejoin(int i) {
        machines_[static_cast<std::size_t>(i)] = std::make_unique<Machine>(
            joinerConnecting(kNames[i - 1]), seed_ + 500 + unsigned(++rejoins_), false);
        connection_[static_cast<std::size_t>(i)] = nextConnection_++;
        peer(i).connected();
        peer(i).startGame(PlayerStart{peer(i).session().localName});
        pump();
    }
    bool present(int i) const { return i == 0 || connection_[static_cast<std::size_t>(i)] >= 0; }
    // Bytes from a connection that holds no machine (a port check, garbage).
    void stray(int connection, std::string_view bytes) {
        peer(0).receive(connection, bytes);
        pump();
    }

    LanPeer& peer(int i) { return machines_[static_cast<std::size_t>(i)]->peer; }
    Machine& machine(int i) { return *machines_[static_cast<std::size_t>(i)]; }
    int size() const { return static_cast<int>(machines_.size()); }

    void start(const RuleSettings& rules) {
        for (int i = 1; i < size(); ++i)
            peer(i).startGame(PlayerStart{peer(i).session().localName});
        peer(0).startGame(PlayerStart{"Hostes"}, rules);
        pump();
    }

    // Delivers every byte in flight, in random pieces, until nobody has anything to send.
    void pump() {
        for (bool moved = true; moved;) {
            moved = false;
            for (int i = 0; i < size(); ++i) {
                for (const Send& s : peer(i).takeOutgoing()) {
                    moved = true;
                    if (!present(i)) continue;  // a lost machine's texts reach nobody
                    const int target = i == 0 ? machineOn(s.to) : 0;
                    if (target < 0) continue;  // nobody on that connection
                    const int from = i == 0 ? kToHost : connection_[static_cast<std::size_t>(i)];
                    traffic.push_back(Traffic{i, target, s.bytes});
                    deliver(target, from, s.bytes);
                }
            }
        }
    }

    // One action by whichever machine may act; false when none may.
    bool step() {
        for (int i = 0; i < size(); ++i) {
            if (present(i) && peer(i).autoplay(machine(i).pilot)) {
                pump();
                return true;
            }
        }
        return false;
    }

    // A score of the host's seat h as machine i keeps it.
    int score(int i, int h) const {
        const LanPeer& p = machines_[static_cast<std::size_t>(i)]->peer;
        return p.state().g.Score[static_cast<std::size_t>(localSeat(p.session().role, h))];
    }

    std::vector<Traffic> traffic;

  private:
    void deliver(int target, int from, const std::string& bytes) {
        std::size_t at = 0;
        while (at < bytes.size()) {
            const std::size_t n = static_cast<std::size_t>(cut_.uniform(1, 50));
            peer(target).receive(from, std::string_view(bytes).substr(at, n));
            at += n;
        }
    }

    int machineOn(int connection) const {
        for (int i = 1; i < size(); ++i)
            if (connection_[static_cast<std::size_t>(i)] == connection) return i;
        return -1;
    }

    static constexpr const char* kNames[] = {"Anna", "Boris"};
    unsigned seed_;
    std::vector<std::unique_ptr<Machine>> machines_;
    std::vector<int> connection_;  // each joiner's connection at the host, -1 when lost
    int nextConnection_ = 10;
    unsigned rejoins_ = 0;
    SeededRandom cut_;
};

}  // namespace orvala::lan::testing
