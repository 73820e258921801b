// After the auction: the talon, the two cards given, the contract, and the give-up.

#include <gtest/gtest.h>

#include "scripted_players.h"

namespace orvala {
namespace {

using test::Table;

const char* kS1 = "9h Jh Qh Kh Th Ah 9d";
const char* kS2 = "Jd Qd Kd Td Ad 9c Jc";
const char* kS3 = "Qc Kc Tc Ac 9s Js Qs";
const char* kTalon = "Ks Ts As";

// The person opens at 100 and the computers pass: the person declares at 100.
void personDeclares(Table& t) {
    t.driver.pressButton7();
    t.driver.pressButton7();
    t.tickWhileComputer();
    ASSERT_EQ(t.g().GameState, GameState::AuctionOver);
}

std::string latinHand(const GameRecord& g, int seat) {
    std::string out;
    for (int i = 1; i <= g.HandCount[seat]; ++i)
        out += (i > 1 ? " " : "") + toLatin(g.Hand[seat][i]);
    return out;
}

TEST(Talon, ThePersonShowsTakesChoosesGivesAndSetsTheContract) {
    RuleSettings rules;
    rules.RuleRoundToFive = true;
    Table t(kS1, kS2, kS3, kTalon, test::kSeat3First, rules);
    personDeclares(t);
    t.driver.takeEvents();

    t.driver.pressButton7();  // "To open cards"
    EXPECT_EQ(t.g().GameState, GameState::TalonShown);
    EXPECT_EQ(test::sounds(test::described(t.driver)),
              (std::vector<std::string>{"WPrik_1", "WPrik_2", "WPrik_3"}));
    EXPECT_EQ(t.driver.button7().caption.row, WordRow::Ok);

    t.driver.pressButton7();  // take the talon
    EXPECT_EQ(t.g().Declarer, 3);
    EXPECT_EQ(t.g().GameState, GameState::ChoosingGive);
    EXPECT_EQ(latinHand(t.g(), 3), "Qc Kc Tc Ac 9s Js Qs Ks Ts As");
    EXPECT_EQ(t.driver.button7(),
              (ButtonState{Caption{WordRow::ToDistributeCards, ""}, false, true}));
    EXPECT_EQ(CountCards(t.g().KnownCards[3]), 3);
    EXPECT_EQ(checkConsistency(t.g()), std::nullopt);

    // Choose Qc and 9s, un-choose Qc (9s becomes the first choice), then choose Ac.
    t.click("Qc");
    EXPECT_EQ(t.g().GiveSlot1, 1);
    t.click("Qc");
    EXPECT_EQ(t.g().GiveSlot1, 0);
    t.click("Qc");
    t.click("9s");
    EXPECT_EQ(t.g().GameState, GameState::GiveChosen);
    EXPECT_TRUE(t.driver.button7().enabled);
    t.click("Kc");  // a third card does nothing
    EXPECT_EQ(t.g().GiveSlot2, 5);
    t.click("Qc");
    EXPECT_EQ(t.g().GameState, GameState::ChoosingGive);
    EXPECT_EQ(t.g().GiveSlot1, 5);
    EXPECT_EQ(t.g().GiveSlot2, 0);
    EXPECT_FALSE(t.driver.button7().enabled);
    t.click("Ac");
    t.driver.takeEvents();

    t.driver.pressButton7();  // "To distribute cards"
    EXPECT_EQ(t.g().GameState, GameState::CardsGiven);
    EXPECT_EQ(t.g().Contract, 100);
    EXPECT_EQ(toLatin(t.g().GivenCards[1]), "9s");  // to seat 1, the seat after the declarer
    EXPECT_EQ(toLatin(t.g().GivenCards[2]), "Ac");
    EXPECT_EQ(toLatin(t.g().Hand[1][8]), "9s");
    EXPECT_EQ(toLatin(t.g().KnownCards[2][1]), "Ac");
    EXPECT_EQ(t.g().HandCount[3], 8);
    EXPECT_EQ(CountCards(t.g().KnownCards[3]), 3);  // the talon cards stay known
    EXPECT_EQ(checkConsistency(t.g()), std::nullopt);
    auto lines = test::described(t.driver);
    EXPECT_TRUE(test::contains(lines, "move 9s hand3 -> given1"));
    EXPECT_TRUE(test::contains(lines, "move Ac hand3 -> given2"));

    t.players.humanContract = 120;
    t.driver.pressButton7();  // "Ok": the given cards are shown and the dialog asks
    EXPECT_EQ(t.players.contractQuestions, 1);
    EXPECT_EQ(t.g().Contract, 120);
    EXPECT_EQ(t.g().GameState, GameState::ContractSet);
    for (int s = 1; s <= 3; ++s) EXPECT_EQ(t.g().HandCount[s], 8);
    EXPECT_EQ(t.g().FirstBidder, 3);
    EXPECT_EQ(t.driver.button8(), (ButtonState{Caption{WordRow::Painting, ""}, true, true}));
    // The declarer's panel shows the contract and keeps its turn mark.
    const ev::ShowScore* announced = nullptr;
    for (const auto& e : t.driver.pendingEvents())
        if (const auto* p = std::get_if<ev::ShowScore>(&e)) announced = p;
    ASSERT_TRUE(announced);
    EXPECT_EQ(announced->contract, 120);
    EXPECT_TRUE(announced->turnMark);
    lines = test::described(t.driver);
    EXPECT_TRUE(test::contains(lines, "bubble 3 \"I play on 120\""));
    EXPECT_EQ(test::sounds(lines), (std::vector<std::string>{"WOpenFo", "WPlMore"}));

    t.driver.pressButton8();  // "Painting"
    EXPECT_EQ(t.g().GameState, GameState::DealScored);
    EXPECT_EQ(t.g().Score[3], 1120);
    EXPECT_EQ(t.g().Score[1], 1000);
    EXPECT_EQ(t.g().BoltCount[1], 0);
    EXPECT_EQ(t.driver.button7(), (ButtonState{Caption{WordRow::NextRound, ""}, true, true}));
    lines = test::described(t.driver);
    EXPECT_TRUE(test::contains(lines, "open-hands"));
    EXPECT_EQ(test::sounds(lines), (std::vector<std::string>{"WKoBadX"}));
}

TEST(Talon, WithoutPaintingThePersonHasNoGiveUpAndAnAnswerOutOfRangeIsBounded) {
    RuleSettings rules;
    rules.RulePainting = false;
    Table t(kS1, kS2, kS3, kTalon, test::kSeat3First, rules);
    personDeclares(t);
    t.driver.pressButton7();
    t.driver.pressButton7();
    t.click("9s");
    t.click("Js");
    t.driver.pressButton7();
    t.players.humanContract = 5000;
    t.driver.pressButton7();
    EXPECT_EQ(t.g().Contract, 300);
    EXPECT_EQ(t.g().GameState, GameState::ContractSet);
    EXPECT_FALSE(t.driver.button8().enabled);
    t.driver.pressButton8();
    EXPECT_EQ(t.g().GameState, GameState::ContractSet);
    t.driver.pressButton7();  // play begins with the declarer's lead
    EXPECT_EQ(t.g().GameState, GameState::PersonPlays);
    EXPECT_FALSE(t.driver.button7().enabled);
}

TEST(Talon, AComputerDeclarerGivesSetsItsContractAndMayGiveUp) {
    for (bool giveUp : {false, true}) {
        Table t(kS1, kS2, kS3, kTalon, test::kSeat1First);
        t.players.limits = {0, 150, 0, 0};
        t.players.giveCards = test::cards("9h As");
        t.players.contract = giveUp ? 140 : 350;  // above the dialog's top: kept as announced
        t.players.painting = giveUp;
        t.driver.pressButton7();
        t.driver.tick();          // seat 1: 100
        t.driver.tick();          // seat 2 passes
        t.driver.pressButton8();  // the person passes
        ASSERT_EQ(t.g().GameState, GameState::AuctionOver);
        t.driver.pressButton7();
        t.driver.pressButton7();
        EXPECT_EQ(t.g().Declarer, 1);
        EXPECT_EQ(t.g().HandCount[1], 10);
        EXPECT_EQ(t.driver.button7(), (ButtonState{Caption{WordRow::Ok, ""}, true, true}));
        t.click("Qc");  // the person's clicks choose nothing for a computer declarer
        EXPECT_EQ(t.g().GiveSlot1, 0);
        t.driver.pressButton7();
        EXPECT_EQ(t.g().GameState, GameState::CardsGiven);
        EXPECT_EQ(toLatin(t.g().Hand[2][8]), "9h");
        EXPECT_EQ(toLatin(t.g().Hand[3][8]), "As");
        EXPECT_FALSE(HasCard(10, t.g().Hand[1].cards(), test::card("As")));
        EXPECT_EQ(CountCards(t.g().KnownCards[1]), 2);  // Ks, Ts stay known; As was given
        t.driver.takeEvents();
        t.driver.pressButton7();
        EXPECT_EQ(t.players.contractQuestions, 0);
        if (giveUp) {
            EXPECT_EQ(t.g().GameState, GameState::DealScored);
            EXPECT_EQ(t.g().Score[1], 1140);
            EXPECT_EQ(t.g().TrickNumber, 1);
        } else {
            EXPECT_EQ(t.g().GameState, GameState::ContractSet);
            EXPECT_EQ(t.g().Contract, 350);
            EXPECT_FALSE(t.driver.button8().enabled);
            EXPECT_TRUE(
                test::contains(test::described(t.driver), "score 1 1000 points 0 contract 350"));
        }
    }
}

}  // namespace
}  // namespace orvala
