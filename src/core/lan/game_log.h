#pragma once
// A game as it was played, and how a machine takes it up again.
//
// `GameLog` keeps the seats' names and, for each deal, the deck as the host dealt it with its
// house rules and every move made in it, all in the host's numbering (the tournament's seats are
// the same numbering). Every machine of a table can keep one from what it applies.
//
// `replayGame` rebuilds the rules state that a machine in role `viewer` keeps, in its own
// numbering, by running the game's deals and moves through the rules again (`accepts` and
// `apply`): the game's own rules decide every field, so a machine that comes back to a table is
// exactly where a machine that never left would be. Moves are applied as moves made elsewhere;
// the machine's real seat roles are put in place at the end.
//
// `encodeGameLog` writes the log as bytes and `decodeGameLog` reads untrusted bytes back: a log
// whose counts, names, deals or moves cannot be read, or that is past the limits below, is
// refused with a reason. A decoded log can still hold moves the rules refuse; `replayGame` says
// which.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/game/rules_state.h"
#include "core/lan/deal_message.h"
#include "core/lan/move_steps.h"
#include "core/lan/net_seats.h"

namespace orvala::lan {

inline constexpr std::size_t kMaxLoggedDeals = 999;  // a game of random players lasts 130
inline constexpr std::size_t kMaxLoggedMoves = 120;  // a deal has at most about 40
inline constexpr std::size_t kLoggedMoveLength = 7;
// The longest encoded log: names, counts, and every deal full.
inline constexpr std::size_t kMaxEncodedLog =
    18 + 3 + kMaxLoggedDeals * (kDealLength + 3 + kMaxLoggedMoves * kLoggedMoveLength);

struct LoggedDeal {
    DealMessage deal;         // the deck in the host's numbering and the house rules
    std::vector<Move> moves;  // seats in the host's numbering
    friend bool operator==(const LoggedDeal&, const LoggedDeal&) = default;
};

struct GameLog {
    std::array<std::string, 4> names{};  // 1..3 in the host's numbering, six bytes each
    std::vector<LoggedDeal> deals;
    friend bool operator==(const GameLog&, const GameLog&) = default;

    void dealt(const DealMessage& deal);
    // Moves made in the numbering of the machine in `role`.
    void moved(const std::vector<Move>& moves, NetRole role);
};

// The rules' input for a move made elsewhere; `m.seat` is in the numbering of the state it is
// applied to.
in::SeatAction seatActionOf(const Move& m);
// The moves a state change made, read as a receiver reads a step: the declarer's lead may come
// straight after the contract, without the press that starts play, and a first bid without the
// press that begins the deal.
std::vector<Move> movesApplied(const RulesState& before, const RulesState& after);

struct Replayed {
    std::optional<RulesState> state;
    std::string error;
};

// The state of the machine in role `viewer` (seat 3 its own), whose person starts as `player`
// and whose seat roles are `roles`.
Replayed replayGame(const GameLog& log, NetRole viewer, const PlayerStart& player,
                    const SeatRoles& roles);

std::string encodeGameLog(const GameLog& log);
struct GameLogParse {
    std::optional<GameLog> log;
    std::string error;
};
GameLogParse decodeGameLog(std::string_view bytes);

}  // namespace orvala::lan
