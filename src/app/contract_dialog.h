#pragma once
// TFormZakaz, the contract dialog: the declarer's contract from the bid up to the top, stepped
// by 1, 5 and 10 with wrap-around at both ends. Only "Ok" closes it.

#include <QDialog>

#include "table/zor_cards_button.h"

class QLabel;

namespace orvala::app {

class TFormZakaz final : public QDialog {
    Q_OBJECT
  public:
    TFormZakaz(int contract, bool roundToFive, QWidget* parent = nullptr);

    int pending() const { return pending_; }
    // One press of a step button (-10, -5, -1, 1, 5, 10), as the buttons do.
    void step(int delta);

    table::TZorCardsButton* BitBtn[7] = {};     // 1..3 lower by 1, 5, 10; 4..6 raise by 1, 5, 10
    table::TZorCardsButton* Button1 = nullptr;  // "Ok"

  protected:
    void reject() override;  // Escape and the close box are refused until "Ok"

  private:
    int contract_;
    int pending_;
    QLabel* value_ = nullptr;
};

}  // namespace orvala::app
