#include "core/records/club_update.h"

#include <algorithm>

namespace orvala {

namespace {

std::string topTenLine(const std::string& name, int score) {
    std::string text = std::to_string(score);
    return padded(name, 20) + std::string(text.size() < 6 ? 6 - text.size() : 0, ' ') + text;
}

}  // namespace

ClubUpdate updateClubFile(ClubFile& file, ClubMember& member, bool endOfCycle) {
    ClubUpdate result;
    if (member.slot >= 1 && member.slot <= kClubMembers) {
        for (int s = member.slot; s < kClubMembers; ++s)
            file.memberLine(s) = file.memberLine(s + 1);
        file.memberLine(kClubMembers) = emptyMemberLine();
    }
    if (endOfCycle) {
        const int score = std::clamp(member.cycleScore, kCycleScoreMin, kCycleScoreMax);
        result.cycleScore = score;
        for (int place = 1; place <= kTopTenPlaces; ++place) {
            const auto entry =
                parseColumnInt(std::string_view(file.topTenLine(place)).substr(20, 6));
            if (entry && *entry > score) continue;
            for (int p = kTopTenPlaces; p > place; --p) file.topTenLine(p) = file.topTenLine(p - 1);
            file.topTenLine(place) = topTenLine(member.name, score);
            result.place = place;
            break;
        }
        member.cycleScore = 0;
    }
    member.slot = kNewMemberSlot;
    for (int s = 1; s <= kClubMembers; ++s) {
        const auto other = parseMemberLine(file.memberLine(s), s);
        if (other && other->rating > member.rating) continue;
        for (int t = kClubMembers; t > s; --t) file.memberLine(t) = file.memberLine(t - 1);
        member.slot = s;
        file.memberLine(s) = formatMemberLine(member);
        break;
    }
    result.slot = member.slot;
    sealClubFile(file);
    return result;
}

ClubFileUpdate UpdateClub(const std::string& path, ClubMember& member, bool endOfCycle) {
    ClubFileUpdate out;
    ClubRead read = readClubFile(path);
    if (!read.ok()) {
        out.write = ClubWrite::Unusable;
        return out;
    }
    out.update = updateClubFile(read.file, member, endOfCycle);
    if (clubFileWriteProtected(path))
        out.write = ClubWrite::WriteProtected;
    else
        out.write = writeClubFile(path, read.file) ? ClubWrite::Written : ClubWrite::Failed;
    return out;
}

bool recordGame(ClubMember& member, int result) {
    member.rating = ratingAfterGame(member.rating, member.games, result);
    member.games = std::min(member.games + 1, kGamesMax);
    member.cycleScore = std::clamp(member.cycleScore + result, kCycleScoreMin, kCycleScoreMax);
    return member.games % kCycleGames == 0;
}

}  // namespace orvala
