#include "core/game/round_driver.h"

#include "core/game/shuffle.h"

namespace orvala {

Input answerFor(const RulesState& s, PlayersPort& players, RandomSource& random) {
    if (s.pending && s.pending->kind == Question::Kind::Deck)
        return in::DeckAnswer{Shuffle(random)};
    return playersAnswer(s, players);
}

Input playersAnswer(const RulesState& s, PlayersPort& players) {
    const Question q = s.pending.value_or(Question{});
    switch (q.kind) {
        case Question::Kind::Deck:
            break;  // the deck is the dealer's, not a player's
        case Question::Kind::BidLimit:
            return in::BidLimitAnswer{q.seat, players.ComputerBidLimit(s.g, s.rules, q.seat)};
        case Question::Kind::Give:
            return in::GiveAnswer{q.seat, players.ChooseCardsToGive(s.g, s.rules, q.seat)};
        case Question::Kind::Card:
            return in::CardAnswer{q.seat, players.ChooseComputerCard(s.g, s.rules, q.seat)};
        case Question::Kind::Contract:
            return in::ContractAnswer{players.AskContract(s.g, s.rules)};
    }
    return in::Tick{};
}

RoundDriver::RoundDriver(PlayersPort& players, RandomSource& random)
    : players_(players), random_(random) {}

bool RoundDriver::input(const Input& in) {
    const bool accepted = orvala::accepts(s_, in);
    auto take = [&](std::vector<TableEvent> evs) {
        for (auto& e : evs) events_.push_back(std::move(e));
    };
    take(apply(s_, in));
    while (accepted && s_.pending) {
        const Input answer = answerFor(s_, players_, random_);
        if (!orvala::accepts(s_, answer)) break;  // answers of the kind asked always fit
        take(apply(s_, answer));
    }
    return accepted;
}

std::vector<TableEvent> RoundDriver::takeEvents() {
    std::vector<TableEvent> out;
    out.swap(events_);
    return out;
}

}  // namespace orvala
