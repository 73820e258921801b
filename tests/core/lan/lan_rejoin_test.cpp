// A table that outlives a lost link. The game log every machine keeps, replayed in a joiner's
// numbering, must give that joiner's own rules state at every step of whole games, and its bytes
// must read back as written. A joiner lost at any phase is played by the host's computer and
// comes back at any phase, the machines present agreeing throughout; stray connections take no
// seat.

#include <gtest/gtest.h>

#include <set>

#include "core/lan/game_log.h"
#include "core/lan/rejoin_messages.h"
#include "lan_table.h"

namespace orvala::lan {
namespace {

using testing::LanTable;

// The phases a link may be lost or come back in, read from the host's state.
enum class Phase { Auction, Talon, Giving, Contract, Play, TrickDone, Between };

std::optional<Phase> phaseOf(const GameRecord& g) {
    if (!g.GameRunning) return std::nullopt;
    if (seatToBid(g.GameState) != 0) return Phase::Auction;
    switch (g.GameState) {
        case GameState::AuctionOver:
        case GameState::TalonShown:
            return Phase::Talon;
        case GameState::ChoosingGive:
        case GameState::GiveChosen:
        case GameState::CardsGiven:
            return Phase::Giving;
        case GameState::ContractSet:
            return Phase::Contract;
        case GameState::TrickComplete:
            return Phase::TrickDone;
        case GameState::DealScored:
            return Phase::Between;
        default:
            return seatToPlay(g.GameState) != 0 ? std::optional(Phase::Play) : std::nullopt;
    }
}

// Steps the table until `until` holds or the game ends, checking after every scored deal that
// every machine present shows the host's scores, and that nobody aborted. False when stuck.
bool playUntil(LanTable& t, const std::function<bool()>& until, int limit = 20000) {
    int lastDeal = t.peer(0).state().g.DealNumber;
    for (int n = 0; n < limit; ++n) {
        for (int i = 0; i < t.size(); ++i)
            if (t.present(i) && t.peer(i).aborted()) {
                ADD_FAILURE() << "machine " << i << ": " << t.peer(i).abortReason();
                return false;
            }
        const GameRecord& host = t.peer(0).state().g;
        const bool scored =
            host.GameState == GameState::DealScored || host.GameState == GameState::GameOver;
        if (scored && host.DealNumber != lastDeal) {
            lastDeal = host.DealNumber;
            for (int i = 1; i < t.size(); ++i) {
                if (!t.present(i) || !t.peer(i).state().g.GameRunning) continue;
                for (int h = 1; h <= 3; ++h)
                    EXPECT_EQ(t.score(i, h), t.score(0, h))
                        << "deal " << host.DealNumber << ", machine " << i << ", seat " << h;
            }
        }
        if (until() || t.peer(0).gameOver()) return true;
        if (!t.step()) {
            ADD_FAILURE() << "nobody can act in state " << host.GameState;
            return false;
        }
    }
    ADD_FAILURE() << "the table never got there";
    return false;
}

TEST(GameLog, ReplayingTheHostsLogGivesEachJoinerItsOwnStateAtEveryStep) {
    for (int people : {2, 3}) {
        for (unsigned seed : {3u, 11u}) {
            LanTable t(people, seed);
            t.start(RuleSettings{});
            int checked = 0;
            for (int n = 0; n < 4000 && !t.peer(0).gameOver(); ++n) {
                // Every step of the first deals, then a sample (a replay costs the game so far).
                for (int i = 1; i < t.size() && (n < 200 || n % 10 == 0); ++i) {
                    const LanPeer& j = t.peer(i);
                    const RulesState& own = j.state();
                    const Replayed r = replayGame(t.peer(0).log(), j.session().role,
                                                  PlayerStart{j.session().localName}, own.roles);
                    ASSERT_TRUE(r.state) << r.error;
                    // A joiner's own question is its own to answer; the rest must be equal.
                    RulesState expected = own;
                    expected.pending.reset();
                    // Pressing "To begin" is the first bidder's machine's alone and tells
                    // nobody: until the first bid the others still show the button.
                    if (own.g.DealStartPending == 2 && r.state->g.DealStartPending == 1)
                        expected.g.DealStartPending = 1;
                    // So is the declarer's press that starts play: its lead tells the others.
                    if (r.state->g.GameState == GameState::ContractSet &&
                        own.g.GameState == playingState(own.g.Declarer))
                        expected.g.GameState = GameState::ContractSet;
                    ASSERT_EQ(r.state->g, expected.g)
                        << people << " people, seed " << seed << ", step " << n << ", machine "
                        << i << ", state " << own.g.GameState << " vs " << r.state->g.GameState;
                    EXPECT_EQ(*r.state, expected);
                    ++checked;
                }
                // The joiners' logs are the host's.
                for (int i = 1; i < t.size(); ++i) ASSERT_EQ(t.peer(i).log(), t.peer(0).log());
                if (!t.step()) break;
            }
            EXPECT_GT(checked, 150);
            const std::string bytes = encodeGameLog(t.peer(0).log());
            const GameLogParse back = decodeGameLog(bytes);
            ASSERT_TRUE(back.log) << back.error;
            EXPECT_EQ(*back.log, t.peer(0).log());
        }
    }
}

TEST(GameLog, DamagedBytesAreRefusedWithAReason) {
    LanTable t(3, 5);
    t.start(RuleSettings{});
    for (int n = 0; n < 60; ++n) t.step();
    const std::string good = encodeGameLog(t.peer(0).log());
    ASSERT_TRUE(decodeGameLog(good).log);
    for (std::size_t cut : {std::size_t{0}, std::size_t{10}, std::size_t{20}, good.size() - 1})
        EXPECT_FALSE(decodeGameLog(good.substr(0, cut)).log) << cut;
    EXPECT_FALSE(decodeGameLog(good + "x").log);
    std::string badMove = good;
    badMove[badMove.size() - 7] = 'Q';  // no move kind
    EXPECT_NE(decodeGameLog(badMove).error.find(": a move cannot be read"), std::string::npos);
    std::string badDeck = good;
    badDeck[21 + 1] = badDeck[21 + 5];  // a card twice
    EXPECT_FALSE(decodeGameLog(badDeck).log);
    // A readable log whose move the rules refuse is refused by the replay, naming the move.
    GameLog log = *decodeGameLog(good).log;
    log.deals[0].moves.insert(log.deals[0].moves.begin(), Move{Move::Kind::Play, 1, 1});
    const Replayed r =
        replayGame(log, NetRole::FirstJoiner, PlayerStart{"Anna"}, SeatRoles::lan(2, false));
    EXPECT_FALSE(r.state);
    EXPECT_EQ(r.error, "deal 1, move 1: the rules refuse it");
}

}  // namespace
}  // namespace orvala::lan

namespace orvala::lan {
namespace {

TEST(LanRejoin, AJoinerLostInEachPhaseIsPlayedByTheHostAndComesBackInEachPhase) {
    constexpr Phase kPhases[] = {Phase::Auction,  Phase::Talon,     Phase::Giving, Phase::Contract,
                                 Phase::Play,     Phase::TrickDone, Phase::Between};
    std::set<std::pair<Phase, Phase>> covered;
    for (std::size_t k = 0; k < std::size(kPhases); ++k) {
        const Phase lost = kPhases[k], back = kPhases[(k + 3) % std::size(kPhases)];
        LanTable t(3, 40 + static_cast<unsigned>(k));
        t.start(RuleSettings{});
        const auto hostIn = [&](Phase p) { return phaseOf(t.peer(0).state().g) == p; };
        // The second deal, so that a deal has been scored before.
        ASSERT_TRUE(playUntil(t, [&] { return t.peer(0).state().g.DealNumber == 2 && hostIn(lost); }));
        // The declarer's machine when a joiner declares, else the first joiner's.
        const int declarer = t.peer(0).state().g.Declarer;
        const int victim = lost != Phase::Auction && (declarer == 1 || declarer == 2) ? declarer : 1;
        const std::string name = t.peer(victim).session().localName;
        t.lose(victim);
        EXPECT_TRUE(t.peer(0).standIn(victim));
        const int other = 3 - victim;
        EXPECT_TRUE(t.peer(other).standIn(localSeat(t.peer(other).session().role, victim)));
        ASSERT_TRUE(playUntil(t, [&] { return t.peer(0).state().g.DealNumber == 3 && hostIn(back); }))
            << "lost in phase " << int(lost);
        ASSERT_FALSE(t.peer(0).gameOver());
        t.rejoin(victim);
        ASSERT_TRUE(t.peer(victim).resumed()) << "lost " << int(lost) << ", back " << int(back);
        EXPECT_EQ(t.peer(victim).session().localName, name);
        EXPECT_FALSE(t.peer(0).standIn(victim));
        for (int h = 1; h <= 3; ++h) EXPECT_EQ(t.score(victim, h), t.score(0, h));
        covered.insert({lost, back});
        // Two more deals with the person back, every machine in step.
        ASSERT_TRUE(playUntil(t, [&] { return t.peer(0).state().g.DealNumber == 5; }));
        for (int i = 0; i < 3; ++i) EXPECT_FALSE(t.peer(i).aborted()) << t.peer(i).abortReason();
    }
    EXPECT_EQ(covered.size(), std::size(kPhases));
}

TEST(LanRejoin, ALinkThatFlapsTwiceAndBothJoinersLostLeaveTheHostPlayingToTheEnd) {
    LanTable t(3, 77);
    t.start(RuleSettings{});
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(playUntil(t, [&] { return phaseOf(t.peer(0).state().g) == Phase::Play; }));
        t.lose(2);
        t.rejoin(2);  // at once: the resume waits for nothing
        ASSERT_TRUE(t.peer(2).resumed());
        ASSERT_TRUE(playUntil(t, [&] { return phaseOf(t.peer(0).state().g) == Phase::Between; }));
    }
    t.lose(1);
    t.lose(2);
    ASSERT_TRUE(playUntil(t, [] { return false; }, 200000));
    EXPECT_TRUE(t.peer(0).gameOver());
    // The history names the people who sat down, not the computer.
    EXPECT_EQ(t.peer(0).state().g.SeatNames[1], "Anna  ");
}

TEST(LanRejoin, AJoinerLostBeforeTheDealGetsItsSeatBackWithItsSeatReply) {
    LanTable t(3, 21);
    t.lose(2);
    EXPECT_TRUE(t.peer(0).standIn(2));
    t.rejoin(2);
    EXPECT_FALSE(t.peer(0).standIn(2));
    EXPECT_EQ(t.peer(2).session().role, NetRole::SecondJoiner);
    t.start(RuleSettings{});
    ASSERT_TRUE(playUntil(t, [&] { return t.peer(0).state().g.DealNumber == 3; }));
    EXPECT_FALSE(t.peer(1).standIn(localSeat(NetRole::FirstJoiner, 2)));
}

TEST(LanRejoin, TheOnlyJoinerComesBackToTheComputerSeatGame) {
    LanTable t(2, 5);
    t.start(RuleSettings{});
    ASSERT_TRUE(playUntil(t, [&] { return phaseOf(t.peer(0).state().g) == Phase::Giving; }));
    t.lose(1);
    ASSERT_TRUE(playUntil(t, [&] { return t.peer(0).state().g.DealNumber == 3; }));
    t.rejoin(1);
    ASSERT_TRUE(t.peer(1).resumed());
    EXPECT_FALSE(t.peer(1).session().threePeople());
    ASSERT_TRUE(playUntil(t, [&] { return t.peer(0).state().g.DealNumber == 5; }));
}

TEST(LanRejoin, StrayConnectionsTakeNoSeatAndStrangersAreNotLetIn) {
    Session host = hostListening("Hostes");
    SeededRandom random(1);
    RandomPlayers players(random);
    LanPeer h(host, players, random);
    // A port check that says nothing and goes, and one that sends garbage: no seat, and the
    // garbage's connection is to be closed.
    h.receive(7, "");
    h.connectionLost(7);
    h.receive(8, "GET / HTTP/1.1\r\n");
    h.receive(11, "r900000");  // a long resume the host would have to hold: never to a host
    EXPECT_EQ(h.takeClosing(), (std::vector<int>{8, 11}));
    EXPECT_FALSE(h.aborted());
    EXPECT_EQ(h.session().joinedCount, -1);
    // The real joiners are answered on their own connections, whatever came between.
    h.receive(9, joinRequest("Anna"));
    h.receive(3, "zzz");
    h.receive(4, joinRequest("Boris"));
    std::vector<int> answered;
    for (const Send& s : h.takeOutgoing()) answered.push_back(s.to);
    EXPECT_EQ(answered, (std::vector<int>{9, 4, 9}));  // replies, then the first's update
    EXPECT_TRUE(h.holdsSeat(9) && h.holdsSeat(4) && !h.holdsSeat(3));
    // A third is not answered; nor, once the game runs, a stranger or a seat still held.
    h.receive(5, joinRequest("Cyril"));
    EXPECT_TRUE(h.takeOutgoing().empty());
    ASSERT_TRUE(h.startGame(PlayerStart{"Hostes"}, RuleSettings{}));
    h.takeOutgoing();
    h.receive(6, joinRequest("Anna"));
    for (const Send& s : h.takeOutgoing()) EXPECT_NE(s.to, 6);
    EXPECT_FALSE(h.holdsSeat(6));
}

TEST(LanRejoin, ResumeAndSeatNoticesReadBackAndRefuseDamage) {
    LanTable t(3, 9);
    t.start(RuleSettings{});
    for (int n = 0; n < 80; ++n) t.step();
    ResumeMessage r{NetRole::SecondJoiner, true, {false, true, false, false}, t.peer(0).log()};
    const std::string bytes = resumeMessage(r);
    EXPECT_EQ(messageLength(bytes.substr(0, 7)), bytes.size());
    const ResumeParse back = parseResume(bytes);
    ASSERT_TRUE(back.resume) << back.error;
    EXPECT_EQ(*back.resume, r);
    StreamReader reader;  // a resume among other texts, cut anywhere
    std::vector<std::string> got;
    const std::string stream = seatNotice({SeatNotice::Kind::Back, NetRole::FirstJoiner}) + bytes +
                               "abort";
    for (std::size_t at = 0; at < stream.size(); at += 100)
        for (std::string& m : reader.feed(std::string_view(stream).substr(at, 100))) got.push_back(m);
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[1], bytes);
    std::string wrongRole = bytes;
    wrongRole[7] = '1';
    EXPECT_FALSE(parseResume(wrongRole).resume);
    EXPECT_FALSE(parseResume(bytes.substr(0, bytes.size() - 1)).resume);
    EXPECT_EQ(messageLength("r999999"), std::nullopt);  // past the longest resume
    EXPECT_FALSE(parseSeatNotice("w1c"));
    EXPECT_FALSE(parseSeatNotice("w2x"));
}

}  // namespace
}  // namespace orvala::lan
