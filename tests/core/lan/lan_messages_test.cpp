// The messages byte for byte, their readers' refusals, the seat rotation and the routing tables.

#include <gtest/gtest.h>

#include "core/game/random_source.h"
#include "core/game/shuffle.h"
#include "core/lan/chat_line.h"
#include "core/lan/deal_message.h"
#include "core/lan/routing.h"
#include "core/lan/step_message.h"

namespace orvala::lan {
namespace {

TEST(StepMessages, EveryActionByItsTemplate) {
    const SeatField bid{'p', 125}, pass{'a'};
    EXPECT_EQ(bidBody(1, bid, {}), "iiiiiiip125i###i###iiiiiiiiiiiiiiii");
    EXPECT_EQ(bidBody(1, pass, {true, false, 130}), "ee2130ia###i###i###iiiiiiiiiiiiii03");
    EXPECT_EQ(bidBody(1, pass, {false, true, 0}), "ei3iiiia###i###i###iiiiiiiiiiiiii04");
    EXPECT_EQ(bidBody(2, bid, {}), "iiiiiiii###p125i###iiiiiiiiiiiiiiii");
    EXPECT_EQ(bidBody(2, SeatField{'p', 95}, {true, false, 100}),
              "ee2100ii###p095i###iiiiiiiiiiiiii03");
    EXPECT_EQ(bidBody(2, pass, {false, true, 0}), "ei3iiiii###a###i###iiiiiiiiiiiiii04");
    // The computer seat's forced opening, as the host sends it to its one joiner.
    EXPECT_EQ(bidBody(1, SeatField{'p', 100}, {}), "iiiiiiip100i###i###iiiiiiiiiiiiiiii");

    const SeatField plain{'i'};
    EXPECT_EQ(cardBody(1, plain, 4, {}), "iiiiiiii###i###i###iiiiiiiiiii41iii");
    EXPECT_EQ(cardBody(1, SeatField{'9'}, 1, {}), "iiiiiii90##i###i###iiiiiiiiiii11iii");
    EXPECT_EQ(cardBody(2, plain, 7, {true, false, false}), "iiiiiiii###i###i###iiiiiiiiiii72i13");
    EXPECT_EQ(cardBody(2, SeatField{'4'}, 2, {}), "iiiiiiii###40##i###iiiiiiiiiii22iii");
    EXPECT_EQ(cardBody(2, plain, 3, {false, true, false}), "iiiiiiii###i###i###iiiiiiiiiii32iii");
    EXPECT_EQ(cardBody(2, plain, 3, {false, true, true}), "eiiiiiii###i###i###iiiiiiiiiii32i14");

    EXPECT_EQ(trickCompleteBody(), "eiiiiiii###i###i###iiiiiiiiiiiiii14");
    EXPECT_EQ(openTalonBody(), "iiiiiiin###n###n###+iiiiiiiiiiiiiii");
    EXPECT_EQ(takeTalonBody(), "iiiiiiii###i###i###i+iiiiiiiiiiiiii");
    EXPECT_EQ(giveBody(3, 10), "iiiiiiii###i###i###ii0310iiiiiiiiii");
    EXPECT_EQ(revealBody(), "iiiiiiii###i###i###iiiiii+iiiiiiiii");
    EXPECT_EQ(contractBody(120), "iiiiiiii###i###i###iiiiiiii120iiiii");
    EXPECT_EQ(giveUpBody(), "x" + std::string(34, 'i'));
    EXPECT_EQ(collectBody(), "iiiiiiii###i###i###iiiiiiiiiiiii+ii");
    EXPECT_EQ(stepMessage(3, collectBody(), '3'), "h3iiiiiiii###i###i###iiiiiiiiiiiii+ii3");
}

TEST(StepMessages, ReadBackAndRefusals) {
    const auto p =
        parseStep(stepMessage(2, bidBody(2, SeatField{'p', 95}, {true, false, 100}), '1'));
    ASSERT_TRUE(p.step) << p.error;
    EXPECT_EQ(p.step->sender, 2);
    EXPECT_EQ(p.step->seat[2], (SeatField{'p', 95}));
    EXPECT_EQ(p.step->nextBid, 100);
    EXPECT_EQ(p.step->driverState, 3);
    const auto card = parseStep(stepMessage(1, cardBody(2, SeatField{'8'}, 5, {}), '2'));
    ASSERT_TRUE(card.step);
    EXPECT_EQ(card.step->playSlot, 5);
    EXPECT_EQ(card.step->playSeat, 2);
    EXPECT_EQ(card.step->seat[2].kind, '8');
    const auto give = parseStep(stepMessage(1, giveBody(1, 9), '2'));
    ASSERT_TRUE(give.step && give.step->give);
    EXPECT_EQ(*give.step->give, (std::array<int, 2>{1, 9}));
    ASSERT_TRUE(parseStep(stepMessage(1, giveUpBody(), '2')).step);

    const std::string good = stepMessage(1, contractBody(120), '2');
    EXPECT_FALSE(parseStep(good + "i").step);
    EXPECT_FALSE(parseStep(good.substr(0, 37)).step);
    // One wrong byte anywhere is refused: an unknown sender, button, seat field, flag, slot,
    // trump, contract, playing seat, state or route code, or a bid that is no number.
    const std::string bid = stepMessage(1, bidBody(1, SeatField{'p', 100}, {}), '2');
    for (auto [position, byte] : {std::pair{2, '4'},
                                  {3, 'q'},
                                  {10, 'z'},
                                  {11, '#'},
                                  {22, '-'},
                                  {24, '1'},
                                  {29, 'x'},
                                  {31, 'x'},
                                  {34, '5'},
                                  {36, '0'},
                                  {38, '4'}}) {
        std::string bad = position == 11 ? bid : good;
        bad[static_cast<std::size_t>(position - 1)] = byte;
        EXPECT_FALSE(parseStep(bad).step) << "position " << position << ": " << bad;
    }
}

TEST(DealMessages, BytesRulesAndRotation) {
    SeededRandom rng(3);
    DealMessage d{Shuffle(rng), RuleSettings{true, false, true, 2, false, true}};
    const std::string m = dealMessage(d);
    ASSERT_EQ(m.size(), kDealLength);
    EXPECT_EQ(m.substr(1, 2), toBytes(d.deck[1]));
    EXPECT_EQ(m[49], '0' + CardRank(d.deck[1]));
    EXPECT_EQ(m.substr(121),
              "\xC8\xCB\xC8"
              "2\xCB\xC8");
    const DealParse back = parseDeal(m);
    ASSERT_TRUE(back.deal) << back.error;
    EXPECT_EQ(*back.deal, d);

    // Letters other than "И" read as clear; the mode digit still counts.
    std::string odd = m;
    for (std::size_t i : {121u, 122u, 123u, 125u, 126u}) odd[i] = 'Y';
    EXPECT_EQ(parseDeal(odd).deal->rules, (RuleSettings{false, false, false, 2, false, false}));

    std::string twice = m;
    twice.replace(3, 2, m.substr(1, 2));  // the first card twice
    twice[50] = m[49];
    twice.replace(75, 2, m.substr(73, 2));
    EXPECT_EQ(parseDeal(twice).error, "the deal is not one whole deck");
    std::string lying = m;
    lying[49] = lying[49] == '6' ? '1' : '6';
    EXPECT_FALSE(parseDeal(lying).deal);
    std::string mode = m;
    mode[124] = '4';
    EXPECT_FALSE(parseDeal(mode).deal);
    EXPECT_FALSE(parseDeal(m.substr(0, 126)).deal);

    // Each joiner puts the host's blocks into its own seats; the talon stays.
    const auto first = deckSeenBy(NetRole::FirstJoiner, d.deck);
    const auto second = deckSeenBy(NetRole::SecondJoiner, d.deck);
    for (int i = 1; i <= 7; ++i) {
        auto at = [](int block, int i) { return static_cast<std::size_t>((block - 1) * 7 + i); };
        EXPECT_EQ(first[at(3, i)], d.deck[at(1, i)]);
        EXPECT_EQ(first[at(1, i)], d.deck[at(2, i)]);
        EXPECT_EQ(first[at(2, i)], d.deck[at(3, i)]);
        EXPECT_EQ(second[at(2, i)], d.deck[at(1, i)]);
        EXPECT_EQ(second[at(3, i)], d.deck[at(2, i)]);
        EXPECT_EQ(second[at(1, i)], d.deck[at(3, i)]);
    }
    EXPECT_EQ(first[22], d.deck[22]);
    EXPECT_EQ(deckSeenBy(NetRole::Host, d.deck), d.deck);
}

TEST(ChatLines, PaddedToOneLength) {
    EXPECT_EQ(chatMessage(1, "Hi!"), "s1Hi!############");
    EXPECT_EQ(chatMessage(3, "a very long line of chat"), "s3a very long lin");
    EXPECT_EQ(chatMessage(2, ""), std::nullopt);
    EXPECT_EQ(parseChat("s2Hi!############"), (ChatLine{2, "Hi!"}));
    EXPECT_EQ(parseChat("s5Hi!############"), std::nullopt);
    EXPECT_EQ(parseChat("s2Hi!"), std::nullopt);
}

TEST(Seats, RotationTableAndDealOpener) {
    // Each machine's seats 1, 2, 3 in the host's numbering.
    const int seen[4][4] = {{}, {0, 1, 2, 3}, {0, 2, 3, 1}, {0, 3, 1, 2}};
    for (NetRole r : {NetRole::Host, NetRole::FirstJoiner, NetRole::SecondJoiner}) {
        for (int local = 1; local <= 3; ++local) {
            const int h = seen[digitOf(r)][local];
            EXPECT_EQ(hostSeat(r, local), h);
            EXPECT_EQ(localSeat(r, h), local);
        }
    }
    // Deal count modulo 3: 1, 2, 0 in rows; host, first joiner, second joiner in columns.
    const int opener[3][3] = {{1, 3, 2}, {2, 1, 3}, {3, 2, 1}};
    for (int deal = 1; deal <= 6; ++deal)
        for (NetRole r : {NetRole::Host, NetRole::FirstJoiner, NetRole::SecondJoiner})
            EXPECT_EQ(dealOpener(r, deal), opener[(deal - 1) % 3][digitOf(r) - 1]) << deal;
}

TEST(Routing, RouteCodesAndRelays) {
    using R = NetRole;
    // Own actions: first the machine that sees the sender as its seat 1.
    EXPECT_EQ(stepRoutes(R::Host, 3, true),
              (std::vector<StepRoute>{{R::SecondJoiner, 1, '2'}, {R::FirstJoiner, 0, '2'}}));
    EXPECT_EQ(stepRoutes(R::Host, 3, false), (std::vector<StepRoute>{{R::FirstJoiner, 0, '2'}}));
    EXPECT_EQ(stepRoutes(R::FirstJoiner, 1, true),
              (std::vector<StepRoute>{{R::Host, -1, '1'}, {R::SecondJoiner, -1, '3'}}));
    EXPECT_EQ(stepRoutes(R::FirstJoiner, 1, false), (std::vector<StepRoute>{{R::Host, -1, '1'}}));
    EXPECT_EQ(stepRoutes(R::SecondJoiner, 2, true),
              (std::vector<StepRoute>{{R::FirstJoiner, -1, '3'}, {R::Host, -1, '1'}}));
    // The computer seat's moves: the host's to its joiner, the first joiner's to the host.
    EXPECT_EQ(stepRoutes(R::Host, 2, false), (std::vector<StepRoute>{{R::FirstJoiner, 0, '2'}}));
    EXPECT_EQ(stepRoutes(R::FirstJoiner, 2, false), (std::vector<StepRoute>{{R::Host, -1, '1'}}));

    EXPECT_EQ(sendExceptTargets(R::Host, 100, 1), (std::vector<int>{0, 1}));
    EXPECT_EQ(sendExceptTargets(R::Host, 100, 0), (std::vector<int>{0}));
    EXPECT_EQ(sendExceptTargets(R::Host, 2, 1), (std::vector<int>{1}));
    EXPECT_EQ(sendExceptTargets(R::Host, 2, 0), (std::vector<int>{}));
    EXPECT_EQ(sendExceptTargets(R::Host, 3, 1), (std::vector<int>{0}));
    EXPECT_EQ(sendExceptTargets(R::Host, 100, 2), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(sendExceptTargets(R::SecondJoiner, 100, 1), (std::vector<int>{-1}));
}

}  // namespace
}  // namespace orvala::lan
