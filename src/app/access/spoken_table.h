#pragma once
// The table in words, for a screen reader: a card's name ("Queen of hearts"), a seat's panel
// ("Anna, 640, bids 120, to move") and what the rules' events announce (bids, the contract,
// marriages, the trick's winner, the deal's scores), each from the word table in the language
// of the moment.

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "core/game/rules_state.h"

namespace orvala::app {

QString spokenCard(Card card);
QString spokenSuit(SuitCode suit);

// What a seat's panel says: its name, its score, the bid or contract it shows, and whether the
// seat is to move.
struct SeatWords {
    QString name;
    int score = 0;
    std::optional<int> figure;  // the bid, or the contract when `declares`
    bool declares = false;
    bool toMove = false;
};
QString spokenSeat(const SeatWords& seat);

// The seat's name as the table shows it, with the side it sits on when another seat has the
// same name.
QString seatName(const RulesState& s, int seat);

// What a screen reader is told of a batch of events, in their order; `after` is the rules
// state they lead to (the names, the scores of a deal just scored).
class Announcer {
  public:
    QStringList announce(const std::vector<TableEvent>& events, const RulesState& after);
    // A new game: the next deal's scores and trumps are new.
    void reset();

  private:
    SuitCode trump_ = kNoSuit;
    bool scored_ = false;  // the last batch left the table at a deal's scores
};

}  // namespace orvala::app
