#pragma once
// Test doubles for the window and the game session: computer players that think until the test
// lets them answer.

#include <atomic>
#include <condition_variable>
#include <mutex>

#include "core/game/random_players.h"

namespace orvala::app {

// Computer players that think until the test lets them answer.
class SlowPlayers final : public PlayersPort {
  public:
    explicit SlowPlayers(RandomSource& r) : inner_(r) {}
    std::atomic<int> thinking{0};
    std::atomic<int> answered{0};

    void release() {
        {
            std::lock_guard<std::mutex> lock(m_);
            released_ = true;
        }
        cv_.notify_all();
    }
    int ComputerBidLimit(const GameRecord& g, const RuleSettings& r, int seat) override {
        think();
        return inner_.ComputerBidLimit(g, r, seat);
    }
    GiveChoice ChooseCardsToGive(const GameRecord& g, const RuleSettings& r, int seat) override {
        think();
        return inner_.ChooseCardsToGive(g, r, seat);
    }
    int ChooseComputerCard(const GameRecord& g, const RuleSettings& r, int seat) override {
        think();
        return inner_.ChooseComputerCard(g, r, seat);
    }
    int AskContract(const GameRecord& g, const RuleSettings&) override { return g.Contract; }

  private:
    void think() {
        ++thinking;
        {
            std::unique_lock<std::mutex> lock(m_);
            cv_.wait(lock, [this] { return released_; });
        }
        ++answered;
    }
    RandomPlayers inner_;
    std::mutex m_;
    std::condition_variable cv_;
    bool released_ = false;
};

}  // namespace orvala::app
