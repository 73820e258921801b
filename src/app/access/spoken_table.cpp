#include "app/access/spoken_table.h"

#include "core/game/game_state.h"
#include "table/settings_text.h"
#include "table/word_text.h"

namespace orvala::app {

using table::word;

QString spokenSuit(SuitCode suit) {
    static constexpr WordRow kSuits[5] = {WordRow::SuitOfHearts, WordRow::SuitOfHearts,
                                          WordRow::SuitOfDiamonds, WordRow::SuitOfClubs,
                                          WordRow::SuitOfSpades};
    const int s = suitIndex(suit);
    return s == 0 ? QString() : word(kSuits[s]);
}

QString spokenCard(Card card) {
    // By rank value: 9, J, Q, K, 10, A.
    static constexpr WordRow kRanks[7] = {WordRow::RankNine,  WordRow::RankNine, WordRow::RankJack,
                                          WordRow::RankQueen, WordRow::RankKing, WordRow::RankTen,
                                          WordRow::RankAce};
    if (!isValidCard(card)) return QString();
    return word(WordRow::CardNameFormat)
        .arg(word(kRanks[rankValueOfCode(card.rank)]), spokenSuit(card.suit));
}

QString spokenSeat(const SeatWords& seat) {
    QString text = seat.name + ", " + QString::number(seat.score);
    if (seat.figure)
        text += ", " +
                word(seat.declares ? WordRow::SpokenPlays : WordRow::SpokenBids).arg(*seat.figure);
    if (seat.toMove) text += ", " + word(WordRow::SpokenToMove);
    return text;
}

QString seatName(const RulesState& s, int seat) {
    auto name = [&](int k) {
        return table::fromSettingsText(s.g.SeatNames[static_cast<size_t>(k)]);
    };
    const QString own = name(seat);
    // Two seats of one name ("PC" and "PC") are told apart by where they sit.
    if (seat != 3 && (own == name(3) || own == name(3 - seat)))
        return QString("%1 (%2)").arg(
            own, word(seat == 1 ? WordRow::SpokenOnTheLeft : WordRow::SpokenOnTheRight));
    return own;
}

void Announcer::reset() {
    trump_ = kNoSuit;
    scored_ = false;
}

QStringList Announcer::announce(const std::vector<TableEvent>& events, const RulesState& after) {
    QStringList out;
    QString trump;
    for (const TableEvent& e : events) {
        if (const auto* b = std::get_if<ev::Bubble>(&e); b && b->kind == ev::Bubble::Kind::Text) {
            out << seatName(after, b->seat) + ": " + table::captionText(b->text);
        } else if (const auto* t = std::get_if<ev::GatherTrick>(&e)) {
            out << word(WordRow::SpokenTakesTrick).arg(seatName(after, t->winner));
        } else if (const auto* r = std::get_if<ev::ShowRoundInfo>(&e)) {
            // A marriage names the trump, after its call; a new deal starts without one.
            if (r->trump != trump_ && r->trump != kNoSuit)
                trump = word(WordRow::TrumpLabel) + " " + spokenSuit(r->trump);
            trump_ = r->trump;
        }
    }
    if (!trump.isEmpty()) out << trump;
    // The scores once, as the deal comes to its end (the next deal's number may be counted
    // before the table leaves the scores).
    const GameRecord& g = after.g;
    const bool scored = g.GameState == GameState::DealScored || g.GameState == GameState::GameOver;
    if (scored && !scored_) {
        QStringList scores;
        for (int s = 1; s <= 3; ++s)
            scores << seatName(after, s) + " " + QString::number(g.Score[static_cast<size_t>(s)]);
        out << word(WordRow::SpokenDealScores).arg(scores.join(", "));
    }
    scored_ = scored;
    return out;
}

}  // namespace orvala::app
