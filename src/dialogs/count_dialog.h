#pragma once
// TFormCount, the score summary: "Player:  " and the member's name as its caption, the heading
// "Information about game", seven captioned values (score_summary in the game end) and a lamp
// for the account state: red when not logged in, yellow when logged in, green in an account
// game. "Ok" or Escape closes it.

#include <QImage>

#include "core/records/game_end.h"
#include "dialogs/dialog_kit.h"

class QLabel;

namespace orvala::dialogs {

struct CountQuestion {
    QString player;
    ScoreSummary values;
    int accountState = 1;  // 1 red, 2 yellow, 3 green
    QImage lamp;           // "LampR24", "LampY24" or "LampG24"; drawn here when missing
};

class TFormCount final : public AuxDialog {
    Q_OBJECT
  public:
    explicit TFormCount(const CountQuestion& question, QWidget* parent = nullptr);

    // The seven values as shown, top to bottom.
    QStringList values() const;

    table::TZorCardsButton* Button1 = nullptr;  // "Ok"

  private:
    std::vector<QLabel*> values_;
};

// The lamp of an account state, drawn as a coloured light.
QImage drawnLamp(int accountState);

}  // namespace orvala::dialogs
