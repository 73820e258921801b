#include "core/records/game_end.h"

#include "core/game/scoring_rules.h"

namespace orvala {

namespace {

std::string in6(std::string text) {
    if (text.size() < 6) text.insert(0, 6 - text.size(), ' ');
    return text;
}

}  // namespace

GameEnd finishMemberGame(const std::string& programFolder, bool networkMode, ClubMember& member,
                         int result, const HistoryStamp& stamp) {
    GameEnd end;
    end.cycleEnd = recordGame(member, result);
    HistoryRecord line;
    line.Player = trimmedName(member.name);
    line.Result = result;
    line.Rating = static_cast<double>(member.rating) / 1'000'000.0;
    line.Kind = networkMode ? HistoryKind::Net : HistoryKind::Local;
    end.history = WriteHistory(historyFolder(programFolder), {line}, stamp);
    if (!end.cycleEnd && result != 0) end.sound = result > 0 ? Wave::WKoGood : Wave::WKoBads;
    end.club = UpdateClub(clubFilePath(programFolder, networkMode), member, end.cycleEnd);
    if (end.cycleEnd && end.club->write == ClubWrite::Unusable) {
        // The club could not be read: no place, but the window still shows the cycle's score and
        // the next cycle starts from 0 in memory.
        end.club->update.cycleScore = member.cycleScore;
        member.cycleScore = 0;
    }
    return end;
}

GameEnd finishAccountGame(const std::string& programFolder, const ClubMember& member, int result,
                          double accountRating, bool cycleEnd, const HistoryStamp& stamp) {
    GameEnd end;
    end.cycleEnd = cycleEnd;
    HistoryRecord line;
    line.Player = trimmedName(member.name);
    line.Result = result;
    line.Rating = accountRating;
    line.Kind = HistoryKind::Account;
    end.history = WriteHistory(historyFolder(programFolder), {line}, stamp);
    if (!cycleEnd && result != 0) end.sound = result > 0 ? Wave::WKoGood : Wave::WKoBads;
    return end;
}

ScoreSummary scoreSummary(const ClubMember& member, int result) {
    ScoreSummary s;
    const int game = member.games + 1;
    s.gamesAll = std::to_string(game);
    s.gamesInCycle = std::to_string(game % kCycleGames == 0 ? kCycleGames : game % kCycleGames);
    s.scoreBefore = std::to_string(member.cycleScore);
    s.scoreNow = std::to_string(result);
    s.scoreTotal = std::to_string(member.cycleScore + result);
    s.ratingBefore = in6(ratingText2(member.rating));
    s.ratingNow = in6(ratingText2(ratingAfterGame(member.rating, member.games, result)));
    return s;
}

ScoreSummary tourneyScoreSummary(std::int64_t gamesBefore, std::int64_t score,
                                 std::int64_t rating, int result) {
    ScoreSummary s;
    s.gamesAll = std::to_string(gamesBefore + 1);
    s.gamesInCycle = "-";
    s.scoreBefore = std::to_string(score);
    s.scoreNow = std::to_string(result);
    s.scoreTotal = std::to_string(score + result);
    s.ratingBefore = std::to_string(rating);
    s.ratingNow = "?";
    return s;
}

int resultSoFar(const GameRecord& g) {
    return g.GameOver ? g.GameResult : FinalResults(g.Score)[3];
}

}  // namespace orvala
