#pragma once
// The log of one game, as the program keeps it in "Logs/" of the program folder: every deal as
// it was dealt and played, in a small line-based text format that a person can read and the
// rules can check.
//
//   orvala game log 1                      the format and its version
//   kind L                                 L local, N network, T tournament, A account game
//   seat 1 Anna                            the three seats' names (UTF-8), in the log's numbering
//   seat 2 Boris                             (the LAN host's, where seat 3 is the host's own)
//   seat 3 Mr.X
//   first 2                                the first deal's first bidder; each deal's is the
//                                            next seat's (the line may be left out for 1)
//   deal 1
//   rules 011111                           the deal's house rules (the settings' rule line)
//   deck 9h Jd ... (24 cards)              positions 1..24 of the host's deck: 1..7 seat 1's,
//                                            8..14 seat 2's, 15..21 seat 3's, 22..24 the talon
//   move bid 1 120                         each move: its kind, seat and values; the kinds are
//   move pass 2                              bid pass open-talon take-talon give reveal contract
//   ...                                      give-up play collect, with the values a move has
//   scores 875 950 1000                    the three seats' scores after the deal
//   end of deal
//   ...
//   finished 21:05 10.12.2026 Mr.X -120    once the game is over: the history line's time, date,
//                                            player and result
//
// Lines end with "\n". A deal counts only with its "end of deal" line, so a log cut anywhere
// (even inside a line: a last line without its "\n" is no line) reads as the header and the
// deals before the cut; a header cut short, and anything else out of place, refuses the whole
// file with the line and the reason. The reader takes untrusted bytes and keeps to the limits
// below and to lan::kMaxLoggedDeals deals of lan::kMaxLoggedMoves moves; names are valid UTF-8
// of at most 60 bytes, no line holds a control character, and every deck holds the 24 different
// cards. A move line names only the values its kind has: a bid and a contract their value, a
// give its two slots, a play its slot. The finished line's time and date hold no space.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/game/rules_state.h"
#include "core/lan/game_log.h"

namespace orvala {

inline constexpr std::size_t kMaxGameLogBytes = 1 << 20;  // a 131-deal game is about 60 KB
inline constexpr std::size_t kMaxGameLogFiles = 1000;     // kept in "Logs/", oldest first out

enum class GameLogKind { Local, Net, Tourney, Account };

struct GameLogFinish {
    std::string time;    // "hh:nn"
    std::string date;    // as the history line has it
    std::string player;  // UTF-8
    int result = 0;
    friend bool operator==(const GameLogFinish&, const GameLogFinish&) = default;
};

struct GameLogFile {
    GameLogKind kind = GameLogKind::Local;
    int firstBidder = 1;                     // of the first deal, in the log's numbering
    lan::GameLog game;                       // names 1..3 (UTF-8), deals with their moves
    std::vector<std::array<int, 4>> scores;  // per deal, seats 1..3, as logged
    std::optional<GameLogFinish> finished;
    friend bool operator==(const GameLogFile&, const GameLogFile&) = default;
};

std::string writeGameLogText(const GameLogFile& log);
// One move as its line says it: "move give 3 4 7".
std::string gameLogMoveLine(const lan::Move& m);

struct GameLogRead {
    std::optional<GameLogFile> log;
    std::string error;  // "line 12: ..." when refused
};
GameLogRead readGameLogText(std::string_view bytes);

// Re-applies every deal through the rules (`accepts` and `apply`), as the LAN host saw it.
// `states[d][k]` is the table after move k of deal d (k = 0: just dealt). The error names the
// first deal and move the rules refuse, or a deal whose scores differ from the logged ones.
// Every seat is played elsewhere in these states (all moves come as moves made elsewhere), and
// the names are Windows-1251 as the rules keep them. A deal must end scored, and a finished game
// must be over. On an error `states` ends with the deal that holds it, as far as it went (empty
// when the deal could not even begin).
struct GameLogReplay {
    std::vector<std::vector<RulesState>> states;
    std::vector<std::array<int, 4>> scores;  // the rules' scores after each deal
    std::string error;
};
GameLogReplay replayGameLog(const GameLogFile& log);
// The same for a log without its scores yet (its writer's): each deal's scores are the rules'.
GameLogReplay replayGameLogScoring(const GameLogFile& log);

// The same replay that also keeps what the table showed: `events[d][k]` are the events of the
// step that gave `states[d][k]` (k = 0: the next round's start and the deal).
using GameLogEvents = std::vector<std::vector<std::vector<TableEvent>>>;
GameLogReplay replayGameLog(const GameLogFile& log, GameLogEvents& events);

}  // namespace orvala
