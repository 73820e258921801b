#pragma once
// One tournament table's game, refereed: what the game server does with the frames of the three
// seats, without sockets or a clock of its own.
//
// The server deals and passes step messages on by their route code, but it is also the referee.
// It keeps each seat's rules state as that seat's machine keeps it and applies every step with
// the game's own `ApplyStep` (so `accepts`) before passing it on. Every action goes out as two
// messages, one for each other seat: the first is applied to its receiver's state and, as the
// same moves, to the sender's own; the second must bring its receiver the very same moves. A
// step that cannot be read, that the rules refuse, that breaks the pair or names a seat the
// sender does not hold is not passed on, and its sender counts as having left ("a" to the other
// two). While a seat owes the second message of an action, what others send to that receiver
// waits, so every seat receives the actions in the order they were made.
//
// The move clock is the server's own: the seat that is to act (or owes a message) has
// `moveMs` from the last action; when it runs out and the seat has not said "TOut", the server
// says "T" for it. Times are the caller's milliseconds (`now`), so tests run on a clock of
// their own.
//
// A seat whose connection closes while the game runs is away, not gone (the others are told,
// "w", and told again when it is back). Nothing is sent to it
// (the game log holds it all), a message owed to it counts as delivered, and the others play on
// as far as the game goes without it. Being away costs only the seat's own move clock: a seat
// away while nothing is asked of it loses nothing, and the seat to act keeps its running clock,
// which a drop neither stops nor restarts. When that clock runs out the seat has run out of
// time, as any seat would. Its player may connect again before then (`rejoined`) and is sent a
// resume, the whole game log, from which its machine rebuilds its state and plays on. A seat
// that closes between the two messages of an action has made that action: the server writes
// the second message as the seat's machine would have, from the moves of the first, and
// passes it on.
//
// The result is the server's: the three seats' results from its own rules state when the game
// ends. Seat 1's result report is read and compared, and a difference is only noted. A game cut
// short by a seat that leaves or runs out of time counts from the standings, with the lowest
// result for that seat; before the first deal is scored, that seat counts as having failed the
// lowest contract.

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/game/random_source.h"
#include "core/game/rules_state.h"
#include "core/lan/game_log.h"
#include "core/lan/move_steps.h"
#include "core/lan/session.h"
#include "core/tourney/frames.h"

namespace orvala::service {

class TableReferee {
  public:
    enum class Phase { Waiting, Playing, Ended };
    enum class End { None, Finished, Left, TimedOut };

    // What a seat may have waiting while another seat owes its receiver a message; more is a
    // flood, and the seat counts as having left.
    static constexpr std::size_t kMaxHeldFrames = 64;

    struct Frame {
        int to = 0;  // seat 1..3
        std::string bytes;
    };

    TableReferee(int table, RandomSource& random, std::int64_t moveMs);

    // A seat's connection was accepted; the third deals the first deal.
    void seated(int seat, std::string nick, std::int64_t now);
    // Bytes read on a seat's connection.
    void receive(int seat, std::string_view bytes, std::int64_t now);
    // A seat's connection closed. While the game runs the seat is only away (above). A client
    // that stopped reading does not come back (`mayComeBack` false): it has left.
    void closed(int seat, std::int64_t now, bool mayComeBack = true);
    // An away seat's player connected again: once no action still owes it a message, it is
    // sent the resume (the game log) and plays on. False when the seat is not away.
    bool rejoined(int seat, std::int64_t now);
    bool away(int seat) const { return away_[static_cast<std::size_t>(seat)]; }
    // Runs the move clock up to `now`.
    void tick(std::int64_t now);

    // When `tick` has something to do next; nullopt while no clock runs.
    std::optional<std::int64_t> deadline() const;

    std::vector<Frame> takeOutgoing();
    // Lines for the server's log (a left seat, a refused step, a report that differs).
    std::vector<std::string> takeLog();

    Phase phase() const { return phase_; }
    End ending() const { return end_; }
    int endingSeat() const { return endingSeat_; }
    bool isSeated(int seat) const { return seated_[static_cast<std::size_t>(seat)]; }
    const std::array<std::string, 4>& nicks() const { return nicks_; }
    // The three results by tournament seat, once the game is finished, or cut short by a seat
    // that left or ran out of time (that seat takes the lowest result).
    const std::optional<std::array<int, 4>>& results() const { return results_; }
    // The seat whose move the clock times, 0 when none.
    int clockSeat() const;
    // Each seat's rules state, as its machine keeps it.
    const RulesState& view(int seat) const { return views_[static_cast<std::size_t>(seat)]; }

  private:
    struct Owed {
        int to = 0;
        std::vector<lan::Move> moves;  // in tournament seat numbers
        std::vector<lan::Move> told;   // the same, each card with the field it was told with
    };
    enum class Step { Done, Held };

    void deal(std::int64_t now);
    void drain(std::int64_t now);
    bool frame(int seat, const std::string& f, std::int64_t now);
    Step step(int seat, const std::string& f, std::int64_t now);
    bool applyOwn(int seat, const std::vector<lan::Move>& moves);
    void restartClock(std::int64_t now);
    void finishIfOver();
    void dealIfAsked(std::int64_t now);
    void compareReport();
    void leave(int seat, const std::string& why);
    void timeOut(int seat);
    void cutShort(int seat);
    void toOthers(int seat, const std::string& bytes);
    void sendResumes();
    std::vector<std::string> secondHalf(int seat) const;
    void log(std::string line) { log_.push_back(std::move(line)); }

    int table_;
    RandomSource& random_;
    std::int64_t moveMs_;
    Phase phase_ = Phase::Waiting;
    End end_ = End::None;
    int endingSeat_ = 0;
    std::array<bool, 4> seated_{};
    std::array<std::string, 4> nicks_{};
    std::array<lan::Session, 4> sessions_{};
    std::array<RulesState, 4> views_{};
    std::array<tourney::PlayerFrameReader, 4> readers_{};
    std::array<std::deque<std::string>, 4> inbox_{};
    std::array<std::optional<Owed>, 4> owed_{};
    std::optional<std::array<int, 4>> results_;
    std::optional<std::array<int, 4>> report_;
    std::array<bool, 4> away_{};
    std::array<bool, 4> resumeOwed_{};
    lan::GameLog game_;  // in tournament seat numbers, for a seat that comes back
    std::optional<std::int64_t> deadline_;
    int clockSeat_ = 0;
    bool nextAsked_ = false;
    std::vector<Frame> out_;
    std::vector<std::string> log_;
};

}  // namespace orvala::service
