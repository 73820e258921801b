#pragma once
// TFormTopTen, the club's top ten: the title "WINDOWS. LOCAL GAMES WITH PC" or "WINDOWS. NET
// GAMES" in bold centred over x 0..450 at y 85, the heads "Top Ten" (centred over 70..230) and
// "Score" (over 250..400) at y 120, then the places 1..10 at y 150, 183, ...: the number at x 70,
// the name at 95, the score right-aligned to 380, the first three in red and the others in
// navy. Positions are the window's pixels. "Ok" or Escape closes it.

#include "core/records/club_file.h"
#include "dialogs/dialog_kit.h"

namespace orvala::dialogs {

struct TopTenQuestion {
    ClubFile club;
    bool network = false;
};

class TFormTopTen final : public AuxDialog {
    Q_OBJECT
  public:
    explicit TFormTopTen(const TopTenQuestion& question, QWidget* parent = nullptr);

    // The texts as drawn, for tests: the title, then per place "n.", name and score.
    const QString& title() const { return title_; }
    QString name(int place) const;
    QString score(int place) const;

    table::TZorCardsButton* Button1 = nullptr;  // "Ok"

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    TopTenQuestion question_;
    QString title_;
};

}  // namespace orvala::dialogs
