// After the auction: the talon is shown and taken, the declarer gives one card to each opponent,
// sets the contract, and plays or gives the deal up.

#include <algorithm>

#include "core/game/contract_stepper.h"
#include "core/game/rule_steps.h"

namespace orvala {
namespace {

Place hand(int seat, int slot = 0, int count = 0) {
    return Place{Place::Kind::Hand, seat, slot, count};
}
Place talon(int i) {
    return Place{Place::Kind::Talon, i};
}
Place given(int seat) {
    return Place{Place::Kind::Given, seat};
}

}  // namespace

void RuleSteps::OpenTalon() {
    static constexpr Wave kSounds[] = {Wave::WPrik_1, Wave::WPrik_2, Wave::WPrik_3};
    for (int i = 1; i <= 3; ++i) {
        post(ev::MoveCard{g_.Talon(i), Place{Place::Kind::Deck, 0}, talon(i)});
        sound(kSounds[i - 1], ev::SoundTiming::SyncUnlessFlying);
        if (i < 3) post(ev::Pause{200, true});
    }
    g_.GameState = GameState::TalonShown;
}

void RuleSteps::TakeTalon() {
    g_.Declarer = auctionWinner(g_);
    const int d = g_.Declarer;
    for (int i = 1; i <= 3; ++i) {
        g_.Hand[d][7 + i] = g_.Talon(i);
        post(ev::MoveCard{g_.Talon(i), talon(i), hand(d)});
    }
    g_.HandCount[d] = 10;
    redrawHand(d);
    g_.GameState = GameState::ChoosingGive;
    for (int i = 1; i <= 3; ++i) g_.KnownCards[d][i] = g_.Talon(i);
}

void RuleSteps::chooseGiveCard(int slot) {
    auto mark = [&](int k, bool on) { post(ev::MarkCard{k, on}); };
    if (g_.GameState == GameState::ChoosingGive) {
        if (g_.GiveSlot1 == 0) {
            g_.GiveSlot1 = slot;
            mark(slot, true);
        } else if (g_.GiveSlot1 == slot) {
            g_.GiveSlot1 = 0;
            mark(slot, false);
        } else {
            g_.GiveSlot2 = slot;
            mark(slot, true);
            g_.GameState = GameState::GiveChosen;
        }
        return;
    }
    // Both chosen: un-choosing either card goes back to one chosen card.
    if (slot == g_.GiveSlot1) {
        mark(slot, false);
        g_.GiveSlot1 = g_.GiveSlot2;
        g_.GiveSlot2 = 0;
    } else {
        mark(slot, false);
        g_.GiveSlot2 = 0;
    }
    g_.GameState = GameState::ChoosingGive;
}

GiveChoice checkedGiveChoice(const GameRecord& g, const RuleSettings& rules, int seat,
                             GiveChoice c) {
    auto held = [&](int k) { return k >= 1 && k <= kHandSlots && !g.Hand[seat][k].isEmpty(); };
    // An unusable answer gives the two lowest cards by position and plays at the bid.
    if (!held(c.slot1) || !held(c.slot2) || c.slot1 == c.slot2) {
        c.slot1 = 1;
        c.slot2 = 2;
    }
    // A computer declarer's contract is kept as given: at least the bid, and at most the 400
    // points a deal can bring (120 in cards and 280 in marriages) — the person's dialog stops at
    // 300, the computer's announcement does not.
    c.contract = std::clamp(c.contract, g.CurrentBid, std::max(g.CurrentBid, kMostDealPoints));
    if (!rules.RulePainting) c.painting = false;
    return c;
}

void RuleSteps::GiveCards(const GiveChoice* computerChoice) {
    const int d = g_.Declarer, r1 = nextSeat(d), r2 = nextSeat(r1);
    // Step 1 and 2.
    g_.Contract = g_.CurrentBid;
    if (computerChoice) {
        g_.GiveSlot1 = computerChoice->slot1;
        g_.GiveSlot2 = computerChoice->slot2;
        g_.Contract = computerChoice->contract;
        g_.PaintingChosen = computerChoice->painting;
    }
    // Step 3. Each receiver gets its card in slot 8, and everybody knows where it went.
    const Card first = g_.Hand[d][g_.GiveSlot1];
    const Card second = g_.Hand[d][g_.GiveSlot2];
    g_.Hand[r1][8] = first;
    g_.Hand[r2][8] = second;
    g_.KnownCards[r1][1] = first;
    g_.KnownCards[r2][1] = second;
    g_.GivenCards[1] = first;
    g_.GivenCards[2] = second;
    // Step 4.
    const int firstSlot = g_.GiveSlot1, before = g_.HandCount[d];
    g_.Hand[d][g_.GiveSlot1] = EmptyCard;
    redrawHand(d);
    post(ev::MoveCard{first, hand(d, firstSlot, before), given(r1)});
    sound(Wave::WHodsDo, ev::SoundTiming::Sync);
    // Step 5. The re-sort may have moved the second card.
    const int secondSlot = IndexOfCard(kHandSlots, second, g_.Hand[d].cards());
    const int left = g_.HandCount[d];
    g_.Hand[d][secondSlot] = EmptyCard;
    redrawHand(d);
    post(ev::MoveCard{second, hand(d, secondSlot, left), given(r2)});
    sound(Wave::WHodsDo, ev::SoundTiming::Sync);
    // Steps 6 and 7.
    g_.GameState = GameState::CardsGiven;
    RemoveCard(first, g_.KnownCards[d]);
    RemoveCard(second, g_.KnownCards[d]);
    g_.TableLeader = d;
}

void RuleSteps::RevealGiven() {
    const int d = g_.Declarer, r1 = nextSeat(d), r2 = nextSeat(r1);
    for (int s = 1; s <= 3; ++s) g_.HandCount[s] = 8;
    post(ev::MoveCard{g_.GivenCards[1], given(r1), hand(r1)});
    redrawHand(r1);
    post(ev::MoveCard{g_.GivenCards[2], given(r2), hand(r2)});
    redrawHand(r2);
    g_.FirstBidder = g_.PrevLeader = d;
}

void RuleSteps::askHumanContract() {
    sound(Wave::WOpenFo, ev::SoundTiming::Async);
    ask(Question::Kind::Contract, 3);
}

void RuleSteps::takeHumanContract(int answer) {
    s_.pending.reset();
    g_.Contract = std::clamp(answer, g_.Contract, contractTop(g_.Contract));
    AnnounceContract();
}

void RuleSteps::AnnounceContract() {
    if (g_.PaintingChosen) {
        Paint();
        return;
    }
    const int d = g_.Declarer;
    showScore(d, g_.Contract, true);  // the declarer keeps the turn mark: it leads
    g_.FirstBidder = d;
    showRoundInfo();
    bubbleText(d, WordRow::IPlayOn, std::to_string(g_.Contract));
    if (g_.Contract > g_.CurrentBid)
        sound(Wave::WPlMore, ev::SoundTiming::Async);
    else
        sound(Wave::WDing_1, ev::SoundTiming::Async);
    g_.GameState = GameState::ContractSet;
}

void RuleSteps::Paint() {
    const int d = g_.Declarer;
    bubbleText(d, WordRow::Painting);
    sound(Wave::WKoBadX, ev::SoundTiming::Sync);
    // A give-up costs the declarer the contract and nothing else: no defenders' points, no bolt,
    // and no end-of-game test, since a give-up never lowers a score.
    g_.Score[d] += g_.Contract;
    for (int s = 1; s <= 3; ++s)
        showScore(s, s == d ? std::optional<int>(g_.Contract) : std::nullopt);
    g_.GameState = GameState::DealScored;
    post(ev::OpenAllHands{g_.Hand, g_.HandCount});
}

}  // namespace orvala
