#pragma once
// What one call changes on a seat panel (the scoreboard). Each figure is kept as it is, erased,
// or shown with a value; each sign (the turn mark, the barrel, the bolts) is set or left as it
// is. The caller decides every rule (whether the barrel shows, how many bolts); the table draws
// what it is told and remembers it, so that whatever an erased area covered comes back.

#include <optional>

namespace orvala::table {

struct PanelNumber {
    enum class Kind { Keep, Erase, Show };
    Kind kind = Kind::Keep;
    int value = 0;

    static PanelNumber keep() { return {}; }
    static PanelNumber erase() { return {Kind::Erase, 0}; }
    static PanelNumber show(int v) { return {Kind::Show, v}; }
    bool operator==(const PanelNumber&) const = default;
};

struct PanelUpdate {
    bool redrawPanel = false;      // paint the whole panel, not only the areas that change
    std::optional<bool> turnMark;  // nullopt: the mark stays as it is
    PanelNumber dealPoints, score, bid;
    bool finalColours = false;   // end of game: the deal points given in red, positive with "+"
    std::optional<bool> barrel;  // nullopt: as before
    std::optional<int> bolts;    // nullopt: as before; 0 none
};

}  // namespace orvala::table
