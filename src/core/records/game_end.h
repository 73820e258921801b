#pragma once
// What the end of a club member's game leaves behind: the new rating, one history line, the
// cycle score, the sound, and the club file's update with the top ten at a cycle's end.

#include <optional>
#include <string>

#include "core/game/waves.h"
#include "core/records/club_update.h"
#include "core/records/history_file.h"

namespace orvala {

struct GameEnd {
    bool cycleEnd = false;      // the game was the 25th, 50th, ... of the member
    std::optional<Wave> sound;  // the result's sound, when no end-of-cycle window follows
    ClubFileUpdate club;        // the club file's update (place and score at a cycle's end)
    HistoryWrite history;
};

// `member` is the member as the game started (games played before it) and comes back as the
// club file holds it now. `networkMode` picks the club file and the history line's kind.
GameEnd finishMemberGame(const std::string& programFolder, bool networkMode, ClubMember& member,
                         int result, const HistoryStamp& stamp);

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

}  // namespace orvala
