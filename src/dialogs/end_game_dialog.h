#pragma once
// TFormEndGame, "The completion of game": the end of a member's cycle of 25 games, for the top-ten
// place the cycle's score reached.
//
//   place 1      "CONGRATULATIONS!!!", "Your result - the best!", "Result: " score, and the
//                title the kind of game gives; the animation "GEndBest", the medal "GMedal" with
//                "GPlace01"
//   places 2..10 "CONGRATULATIONS!!!", "Good result!", "Result: " score, "You have hitted in top
//                ten players!"; "GEndGood", the medal with "GPlace02".."GPlace10"
//   place 0      "Our regrets...", "Your result keeps to wish best", "Result: " score, "You have
//                not hitted in ten best players..."; "GEndBads", no medal
//
// A web account's cycle shows the account table's place the service gave: below the ten as
// "Result: " score " ; Place: " place in the regrets' lines, and in the ten with the Zors it
// earned, "You get 25 Zors!!!".
//
// The animation runs once for a place in the top ten and loops otherwise; without animations
// it rests on its first frame. "Ok" or Escape closes the window.

#include <QImage>
#include <QTimer>
#include <vector>

#include "dialogs/dialog_kit.h"

namespace orvala::dialogs {

enum class EndGameKind { Local, Net, Account };

struct EndGameQuestion {
    int place = 0;  // 1..10, or 0 outside the top ten (an account's: its place, 11 and on too)
    int score = 0;
    EndGameKind kind = EndGameKind::Local;
    std::vector<QImage> animation;  // its frames; none: no animation shown
    QImage medal;                   // "GMedal" with the place's picture laid on it
    bool animate = true;
    int frameMs = 100;  // the film's pace
    int reward = 0;     // the Zors an account's place earned
};

class TFormEndGame final : public AuxDialog {
    Q_OBJECT
  public:
    explicit TFormEndGame(const EndGameQuestion& question, QWidget* parent = nullptr);

    const QStringList& lines() const { return lines_; }
    int frame() const { return frame_; }
    bool animating() const { return timer_.isActive(); }

    table::TZorCardsButton* Button1 = nullptr;  // "Ok"

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void nextFrame();

    EndGameQuestion question_;
    QStringList lines_;
    QTimer timer_;
    int frame_ = 0;
};

}  // namespace orvala::dialogs
