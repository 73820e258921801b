#pragma once
// What the end of a club member's game leaves behind: the new rating, one history line, the
// cycle score, the sound, and the club file's update with the top ten at a cycle's end.

#include <cstdint>
#include <optional>
#include <string>

#include "core/game/game_record.h"
#include "core/game/waves.h"
#include "core/records/club_update.h"
#include "core/records/history_file.h"

namespace orvala {

struct GameEnd {
    bool cycleEnd = false;      // the game was the 25th, 50th, ... of the member
    std::optional<Wave> sound;  // the result's sound, when no end-of-cycle window follows
    // The club file's update (place and score at a cycle's end); none for an account's game.
    std::optional<ClubFileUpdate> club;
    HistoryWrite history;
};

// `member` is the member as the game started (games played before it) and comes back as the
// club file holds it now. `networkMode` picks the club file and the history line's kind.
GameEnd finishMemberGame(const std::string& programFolder, bool networkMode, ClubMember& member,
                         int result, const HistoryStamp& stamp);

// A member's game played for the account's global rating: its history line is an account line
// ("A") with the rating the service keeps for the account after it, and the club file with its
// member and top ten stays as it was (the rating and the cycle are the account's). `cycleEnd`:
// the game closed the account's cycle, whose window follows instead of the result's sound.
GameEnd finishAccountGame(const std::string& programFolder, const ClubMember& member, int result,
                          double accountRating, bool cycleEnd, const HistoryStamp& stamp);

// The score summary's seven values for a game against the computer or on the network, for a
// member who started the game as `member` and whose result so far is `result`.
struct ScoreSummary {
    std::string gamesAll;      // "General number of game:"
    std::string gamesInCycle;  // "Number of round in a current cycle:" (25 for 0)
    std::string scoreBefore;   // "The initial score:"
    std::string scoreNow;      // "The current score:"
    std::string scoreTotal;    // "The general score:"
    std::string ratingBefore;  // "The initial rating:", two decimals in 6 columns
    std::string ratingNow;     // "The current rating:", were the game to end now
};
ScoreSummary scoreSummary(const ClubMember& member, int result);

// The same for a game of the online tournament, from the player's tournament card as the game
// began: its games with this one, "-" for the round of a cycle (a tournament game is one game),
// the tournament score, the result so far and their sum, the tournament rating and "?".
ScoreSummary tourneyScoreSummary(std::int64_t gamesBefore, std::int64_t score,
                                 std::int64_t rating, int result);

// The person's (seat 3's) result of the game so far: the final result once it is over.
int resultSoFar(const GameRecord& g);

}  // namespace orvala
