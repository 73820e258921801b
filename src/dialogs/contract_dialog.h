#pragma once
// TFormZakaz, the contract dialog: the declarer's contract from the bid up to the top, stepped
// by 1, 5 and 10 with wrap-around at both ends (contract_stepper.h holds the rule). It opens
// with open() and answers `answered` with the chosen contract when "Ok" is pressed; only "Ok"
// closes it.
//
// The step buttons are captioned "1", "5" and "10"; which way each steps is the minus or plus
// sign drawn as its glyph, and its "delta" property (-1, -5, -10 on the left, 1, 5, 10 on the
// right). Up and Down step by five, Page Up and Page Down by ten, and Enter is "Ok".

#include <QImage>

#include "dialogs/dialog_kit.h"

class QLabel;

namespace orvala::dialogs {

struct ContractQuestion {
    int contract = 0;  // the bid: the lowest contract offered
    bool roundToFive = false;
};

// The glyph of a step button: a minus to lower, a plus to raise.
QImage stepSign(bool raise);

class TFormZakaz final : public AuxDialog {
    Q_OBJECT
  public:
    explicit TFormZakaz(const ContractQuestion& question, QWidget* parent = nullptr);

    int pending() const { return pending_; }

    table::TZorCardsButton* BitBtn[7] = {};     // 1..3 lower by 1, 5, 10; 4..6 raise by 1, 5, 10
    table::TZorCardsButton* Button1 = nullptr;  // "Ok"

  signals:
    void answered(int contract);

  protected:
    void keyPressEvent(QKeyEvent* e) override;
    void reject() override;  // Escape and the close box are refused until "Ok"

  private:
    void step(int delta);

    int contract_;
    int pending_;
    QLabel* value_ = nullptr;
};

}  // namespace orvala::dialogs
