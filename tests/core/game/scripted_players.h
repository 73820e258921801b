#pragma once
// Test doubles for the round driver: a deck stacked to order, players that follow a script of
// card names, and a table that records what the driver showed.

#include <deque>
#include <string>
#include <vector>

#include "core/game/players_port.h"
#include "core/game/random_source.h"
#include "core/game/round_driver.h"

namespace orvala::test {

// "As Th 9c" -> cards; fails the test on a bad name.
std::vector<Card> cards(const std::string& names);
Card card(const std::string& name);

// Deals exactly the given hands: seven cards for each seat and the three of the talon.
class StackedDeck final : public RandomSource {
  public:
    StackedDeck(const std::string& seat1, const std::string& seat2, const std::string& seat3,
                const std::string& talon);
    int uniform(int lo, int hi) override;
    // The next deal is dealt from these hands instead (for several deals in one test).
    void restack(const std::string& seat1, const std::string& seat2, const std::string& seat3,
                 const std::string& talon);

  private:
    std::vector<int> numbers_;
    size_t next_ = 0;
};

// Computer seats whose decisions come from a script; anything not scripted is a legal default
// (no bid, the first two cards, the bid as contract, the first legal card).
class ScriptedPlayers final : public PlayersPort {
  public:
    PerSeat<int> limits{};
    std::vector<Card> giveCards;  // the two cards a computer declarer gives, by name
    int contract = 0;             // the computer declarer's contract (0: the bid)
    bool painting = false;
    PerSeat<std::deque<Card>> plays;  // each seat's cards, in the order it will play them
    int humanContract = 0;            // the person's answer to the contract dialog (0: the bid)
    int contractQuestions = 0;
    int bidQuestions = 0;

    int ComputerBidLimit(const GameRecord& g, const RuleSettings& r, int seat) override;
    GiveChoice ChooseCardsToGive(const GameRecord& g, const RuleSettings& r, int seat) override;
    int ChooseComputerCard(const GameRecord& g, const RuleSettings& r, int seat) override;
    int AskContract(const GameRecord& g, const RuleSettings& r) override;
};

// The slot of a card in a seat's hand (0 when not held).
int slotOf(const GameRecord& g, int seat, const std::string& name);

// The driver's events since the last call, one described line each.
std::vector<std::string> described(RoundDriver& d);
bool contains(const std::vector<std::string>& lines, const std::string& line);
// The sound names among the lines, in order.
std::vector<std::string> sounds(const std::vector<std::string>& lines);

}  // namespace orvala::test

namespace orvala::test {

// A table for scenario tests: a stacked deal, scripted computer seats, and the driver.
struct Table {
    StackedDeck deck;
    ScriptedPlayers players;
    RoundDriver driver{players, deck};

    // storedGameCounter picks the first bidder: KonNumber is counter + 1 and the first deal's
    // first bidder is (KonNumber + 1) mod 3 (0 meaning seat 3).
    Table(const std::string& s1, const std::string& s2, const std::string& s3,
          const std::string& talon, int storedGameCounter, RuleSettings rules = {})
        : deck(s1, s2, s3, talon) {
        driver.setRules(rules);
        PlayerStart p;
        p.name = "Ann";
        p.storedGameCounter = storedGameCounter;
        driver.startNewGame(p);
    }
    const GameRecord& g() const { return driver.record(); }
    // Ticks until the state leaves the computer seats (at most n ticks).
    void tickWhileComputer(int n = 20) {
        for (int i = 0; i < n; ++i) {
            const GameState s = g().GameState;
            const bool computerMoves = seatToBid(s) == 1 || seatToBid(s) == 2 ||
                                       seatToPlay(s) == 1 || seatToPlay(s) == 2 ||
                                       s == GameState::AllPlayed;
            if (!computerMoves) return;
            driver.tick();
        }
    }
    void click(const std::string& name) {
        driver.clickHand(slotOf(g(), 3, name), MouseButton::Left);
    }
};

// Stored game counters that make seat 1, 2 or 3 bid first in a game's first deal.
inline constexpr int kSeat1First = 2;  // KonNumber 3: (3 + 1) % 3 = 1
inline constexpr int kSeat2First = 0;  // KonNumber 1: (1 + 1) % 3 = 2
inline constexpr int kSeat3First = 1;  // KonNumber 2: (2 + 1) % 3 = 0

}  // namespace orvala::test
