#pragma once
// The yes/no confirmation: a question under "Attention" with "Yes" and "No". It opens
// window-modal over its parent and returns at once; `answered` tells the answer once, and any
// other way of closing it (Escape, the close box) answers no. "No" is the default button, so a
// stray Enter never throws anything away. Its object name is "confirmation".

#include <functional>

#include "dialogs/dialog_kit.h"

namespace orvala::dialogs {

class Confirmation final : public AuxDialog {
    Q_OBJECT
  public:
    explicit Confirmation(const QString& question, QWidget* parent = nullptr);

    table::TZorCardsButton* yesButton = nullptr;
    table::TZorCardsButton* noButton = nullptr;

  signals:
    void answered(bool yes);
};

// Opens the question over parent (null: over the whole application); onAnswer runs with the
// answer when it comes.
Confirmation* askYesNo(QWidget* parent, const QString& question,
                       std::function<void(bool)> onAnswer);

}  // namespace orvala::dialogs
