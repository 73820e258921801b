#pragma once
// The game's wave sounds by name. The rule steps say which sound plays and whether the table
// waits for it; the sound adapter maps each name to its recording.

#include <optional>
#include <string_view>

namespace orvala {

enum class Wave {
    WTasoKo,  // the deal
    WDiPlay,  // a bid
    WDiPass,  // a pass
    WPrik_1,  // the three talon cards turned
    WPrik_2,
    WPrik_3,
    WHodsDo,  // a card played or given
    WOpenFo,  // a dialog opens
    WPlMore,  // a contract above the bid
    WDing_1,  // a contract at the bid
    WKoBadX,  // a contract failed, or the deal given up
    WKoGutX,  // a contract made
    WSays40,  // a marriage of hearts or diamonds
    WSays20,  // a marriage of clubs or spades
    WKoloNo,  // a bolt penalty
    WKoGood,  // the game won (a result of 0 or more)
    WKoBads,  // the game lost
    WWrongs,  // a move that is not allowed
    WFiGood,
    WFiBest,
    WFiBads,
    WToMenK,  // a chat line
    STimerA,  // the move clock, more than 7 seconds left
    STimerB,  // the move clock, the last seconds
};

std::string_view waveName(Wave w);
std::optional<Wave> waveNamed(std::string_view name);

}  // namespace orvala
