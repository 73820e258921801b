#pragma once
// What a finished game, or a member's new name, does to a club file.
//
// The member's old line goes (the lines below it move up and the fifth slot becomes empty; a
// member not yet in the club removes nothing). At the end of a cycle its score enters the top
// ten above the first entry that is not better (an equal score takes the place, the tenth drops
// out) and the member's cycle score starts again from 0. The member line then goes in above the
// first member whose rating is not higher, or into the first empty slot; with five better
// members it stays out of the club.

#include <string>

#include "core/records/club_file.h"
#include "core/records/club_member.h"

namespace orvala {

struct ClubUpdate {
    int place = 0;              // 1..10 in the top ten at a cycle's end, else 0
    int cycleScore = 0;         // the score that competed at a cycle's end
    int slot = kNewMemberSlot;  // where the member's line now is (6: not in the club)
};

// Changes `file` in memory; `member.slot` says which line to remove. At a cycle's end the
// member's cycle score is set to 0.
ClubUpdate updateClubFile(ClubFile& file, ClubMember& member, bool endOfCycle);

enum class ClubWrite {
    Written,
    WriteProtected,  // the file is read-only: the game counts in memory only
    Unusable,        // the file no longer passes its check; it is not written over
    Failed,          // the disk refused the new file; the old one stays ("Error of disk writing!")
};

struct ClubFileUpdate {
    ClubWrite write = ClubWrite::Failed;
    ClubUpdate update;
};

// Reads the file, updates it and writes it atomically. `member` comes back as the file now holds
// it (its slot, its cycle score after a cycle's end).
ClubFileUpdate UpdateClub(const std::string& path, ClubMember& member, bool endOfCycle);

// A finished game of a member: one more game, the new rating, the result added to the cycle
// score. Returns whether the game ends a cycle.
bool recordGame(ClubMember& member, int result);

}  // namespace orvala
