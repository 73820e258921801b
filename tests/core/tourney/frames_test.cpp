// The tournament's frames: their padding and seat digit, the readers of both directions over
// joined and split reads, the deal without its rules, the result report, the tables' rules.

#include "core/tourney/frames.h"

#include <gtest/gtest.h>

#include "core/game/random_players.h"
#include "core/game/random_source.h"
#include "core/game/shuffle.h"
#include "core/tourney/tourney_peer.h"

namespace orvala::tourney {
namespace {

TEST(TourneyFrames, TextsArePaddedAndEndWithTheSeatDigit) {
    EXPECT_EQ(shortFrame("connect2", 2), "connect2###########2");
    EXPECT_EQ(shortFrame("bnext", 1), "bnext##############1");
    EXPECT_EQ(longFrame("disA", 3), "disA" + std::string(45, '#') + "3");
    // A text as long as its frame loses its last byte to the digit; a longer one is sent whole.
    EXPECT_EQ(shortFrame(std::string(20, 'x'), 1), std::string(19, 'x') + "1");
    EXPECT_EQ(shortFrame(std::string(22, 'x'), 1), std::string(19, 'x') + "1xx");
    // A player left: its digit at byte 6; its time ran out: at byte 50.
    EXPECT_EQ(leftFrame(2).substr(0, 6), "abort2");
    EXPECT_EQ(timeOutFrame(3)[49], '3');
    EXPECT_EQ(gameOverFrame().size(), kLongFrame);
}

TEST(TourneyFrames, TheServersStreamIsCutIntoWholeFramesWhateverTheReads) {
    SeededRandom random(3);
    const std::string deal = dealFrame(Shuffle(random));
    ASSERT_EQ(deal.size(), kDealFrame);
    const std::string chat = "shi" + std::string(46, '#') + "2";
    const std::string step = longFrame("h2iiiiiii" + std::string(28, 'i') + "3", 2);
    const std::string stream = chat + step + deal + timeOutFrame(1);

    ServerFrameReader joined;
    const auto all = joined.feed(stream);
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[0], chat);
    EXPECT_EQ(all[1], step);
    // What follows a deal in the same read is kept, not dropped.
    EXPECT_EQ(all[2], deal);
    EXPECT_EQ(all[3], timeOutFrame(1));

    ServerFrameReader split;
    std::vector<std::string> got;
    for (std::size_t at = 0; at < stream.size(); at += 7)
        for (auto& f : split.feed(stream.substr(at, 7))) got.push_back(f);
    EXPECT_EQ(got, all);

    ServerFrameReader garbage;
    EXPECT_EQ(garbage.feed(chat + "zzz").size(), 1u);
    EXPECT_TRUE(garbage.broken());
    EXPECT_TRUE(garbage.feed(chat).empty());
}

TEST(TourneyFrames, AResumeCarriesItsSeatAndTheGameLogAndIsReadWithCare) {
    SeededRandom random(8);
    lan::GameLog log;
    log.names = {"", "Ann   ", "Bob   ", "Cy    "};
    log.dealt(lan::DealMessage{Shuffle(random), tableRules(7)});
    log.deals[0].moves.push_back(lan::Move{lan::Move::Kind::Pass, 1});
    const std::string resume = resumeFrame(3, log);
    const auto read = parseResumeFrame(resume);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->seat, 3);
    EXPECT_EQ(read->log, log);

    // In a stream, between other frames and over reads of any size.
    const std::string stream = gameOverFrame() + resume + leftFrame(1);
    for (std::size_t step : {std::size_t{1}, std::size_t{50}, stream.size()}) {
        ServerFrameReader r;
        std::vector<std::string> got;
        for (std::size_t at = 0; at < stream.size(); at += step)
            for (auto& f : r.feed(stream.substr(at, step))) got.push_back(f);
        EXPECT_EQ(got, (std::vector<std::string>{gameOverFrame(), resume, leftFrame(1)})) << step;
    }

    // No seat, a length it does not have, a cut or spoiled log: refused.
    std::string noSeat = resume, longer = resume + "x", spoiled = resume;
    noSeat[7] = '4';
    spoiled[spoiled.size() - 3] = '%';
    for (const std::string& bad : {noSeat, longer, resume.substr(0, resume.size() - 1), spoiled})
        EXPECT_FALSE(parseResumeFrame(bad));
    // A length past any game's log breaks the stream at once rather than waiting for it.
    ServerFrameReader huge;
    EXPECT_TRUE(huge.feed("r999999").empty());
    EXPECT_TRUE(huge.broken());
}

TEST(TourneyFrames, APlayersStreamIsCutByTheFramesFirstByte) {
    PlayerFrameReader r;
    const std::string stream = shortFrame("connect1", 1) + longFrame("shello", 1) +
                               shortFrame("bnext", 1) + longFrame("disA", 1);
    const auto frames = r.feed(stream.substr(0, 30));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], shortFrame("connect1", 1));
    const auto rest = r.feed(stream.substr(30));
    ASSERT_EQ(rest.size(), 3u);
    EXPECT_EQ(rest[2], longFrame("disA", 1));
    EXPECT_EQ(r.buffered(), 0u);
    EXPECT_TRUE(r.feed("GET / HTTP/1.1\r\n").empty());
    EXPECT_TRUE(r.broken());
}

TEST(TourneyFrames, TheDealCarriesTheDeckAndTheTableGivesTheRules) {
    SeededRandom random(9);
    const auto deck = Shuffle(random);
    const auto deal = parseDealFrame(dealFrame(deck), 9);
    ASSERT_TRUE(deal);
    EXPECT_EQ(deal->deck, deck);
    EXPECT_EQ(deal->rules, tableRules(9));
    std::string bad = dealFrame(deck);
    bad[3] = bad[1];  // the first card twice: a deck that does not add up
    bad[4] = bad[2];
    EXPECT_FALSE(parseDealFrame(bad, 9));
    EXPECT_FALSE(parseDealFrame(dealFrame(deck).substr(1), 9));
}

TEST(TourneyFrames, TheTablesRules) {
    const RuleSettings t4 = tableRules(4);
    EXPECT_TRUE(t4.RuleStartWith500 && t4.RuleRoundToFive && t4.RulePainting);
    EXPECT_FALSE(t4.RuleBolts || t4.RuleBarrel);
    const RuleSettings t6 = tableRules(6);
    EXPECT_FALSE(t6.RuleStartWith500 || t6.RulePainting);
    EXPECT_TRUE(t6.RuleBolts && t6.RuleBarrel);
    EXPECT_EQ(t6.RuleBoltPenaltyMode, 3);
    EXPECT_TRUE(tableRules(10).RulePainting);
}

TEST(TourneyFrames, TheResultReport) {
    EXPECT_EQ(resultReport({0, 300, 400, 500}), "o  300    0 -300");
    EXPECT_EQ(shortFrame(resultReport({0, 300, 400, 500}), 1), "o  300    0 -300###1");
    const auto back = parseResultReport(shortFrame(resultReport({0, -120, 45, 880}), 1));
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, tableResults({0, -120, 45, 880}));
    EXPECT_FALSE(parseResultReport("o  3x0    0 -300###1"));
    EXPECT_FALSE(parseResultReport("o 300"));
    // A quitter takes the lowest result; one already lowest keeps its own.
    EXPECT_EQ(forfeitResults({0, 300, 400, 500}, 1), (std::array<int, 4>{0, -300, 0, 300}));
    EXPECT_EQ(forfeitResults({0, 300, 400, 500}, 3), tableResults({0, 300, 400, 500}));
    EXPECT_EQ(forfeitResults({0, 500, 500, 500}, 2), (std::array<int, 4>{0, 0, 0, 0}));
}

TEST(TourneyFrames, TournamentSeatsSitAsTheLanTablesMachines) {
    for (int seat = 1; seat <= 3; ++seat) EXPECT_EQ(seatOfRole(roleOfSeat(seat)), seat);
    EXPECT_EQ(roleOfSeat(3), lan::NetRole::Host);
}

TEST(TourneyPeerFrames, ChatAndTheServersEndings) {
    SeededRandom random(1);
    RandomPlayers players(random);
    TourneyPeer p(2, 3, players, PlayerStart{"Vera"});
    p.connected();
    p.chat("hello there, everybody");
    const auto out = p.takeOutgoing();
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0], shortFrame("connect3", 3));
    EXPECT_EQ(out[1], longFrame("shello there, ev", 3));  // 15 bytes of text at most

    p.receive("shi" + std::string(46, '#') + "1");
    EXPECT_EQ(p.chatLines().back(), (lan::ChatLine{1, "hi"}));  // in seat 1's colour
    // A seat away and back: lines the window words itself, after the seat's name.
    EXPECT_EQ(seatNoticeFrame(2, false, "Kira").size(), kLongFrame);
    p.receive(seatNoticeFrame(2, false, "Kira") + seatNoticeFrame(2, true, "Kira"));
    const auto& lines = p.chatLines();
    ASSERT_EQ(lines.size(), 4u);  // its own line, seat 1's, and the two
    EXPECT_EQ(lines[2], (lan::ChatLine{2, "Kira", lan::ChatLine::Kind::Away}));
    EXPECT_EQ(lines[3], (lan::ChatLine{2, "Kira", lan::ChatLine::Kind::Back}));
    std::string noSeat = seatNoticeFrame(2, true, "Kira");
    noSeat.back() = '0';
    p.receive(noSeat);
    EXPECT_EQ(p.chatLines().size(), 4u);
    EXPECT_EQ(p.ending(), Ending::None);
    p.receive(timeOutFrame(1).substr(0, 20));
    EXPECT_EQ(p.ending(), Ending::None);  // half a frame
    p.receive(timeOutFrame(1).substr(20));
    EXPECT_EQ(p.ending(), Ending::TimedOut);
    EXPECT_EQ(p.endingSeat(), 1);

    TourneyPeer q(2, 1, players, PlayerStart{"Ivan"});
    q.receive(leftFrame(2));
    EXPECT_EQ(q.ending(), Ending::Aborted);
    EXPECT_EQ(q.endingSeat(), 2);
    // A seat digit out of range names nobody.
    TourneyPeer r(2, 1, players, PlayerStart{"Ivan"});
    std::string odd = timeOutFrame(2);
    odd.back() = '7';
    r.receive(odd);
    EXPECT_EQ(r.ending(), Ending::TimedOut);
    EXPECT_EQ(r.endingSeat(), 0);
}

}  // namespace
}  // namespace orvala::tourney
