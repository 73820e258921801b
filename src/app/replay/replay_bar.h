#pragma once
// The replay's keys, at the table's lower right while a kept game is shown again: the previous
// deal, a step back, a step forward, the next deal; slower, play and pause, faster; the deal
// saved as a GIF; and a line that says where the replay stands. Playing steps forward on a
// timer at the chosen speed and stops at the game's end.

#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>

#include "core/settings/settings.h"
#include "table/zor_cards_button.h"

namespace orvala::app {

class ReplayTable;

class ReplayBar final : public QObject {
    Q_OBJECT
  public:
    static constexpr std::array<int, 5> kStepMs = {2000, 1200, 700, 400, 150};

    ReplayBar(QWidget& window, std::function<ReplayTable*()> table, QObject* parent = nullptr);

    void setVisible(bool on);
    // Placed for the window's scale, styled as the window's buttons.
    void layout(double scale, const Settings& settings);
    void applyLanguage();
    void update();  // the line and the keys for where the replay stands
    void stop() { timer_.stop(); }
    bool playing() const { return timer_.isActive(); }
    int speed() const { return speed_; }

    table::TZorCardsButton* previousDeal = nullptr;
    table::TZorCardsButton* stepBack = nullptr;
    table::TZorCardsButton* playPause = nullptr;
    table::TZorCardsButton* stepForward = nullptr;
    table::TZorCardsButton* nextDeal = nullptr;
    table::TZorCardsButton* slower = nullptr;
    table::TZorCardsButton* faster = nullptr;
    table::TZorCardsButton* saveGif = nullptr;
    QLabel* where = nullptr;

  signals:
    void saveGifRequested();

  private:
    void tick();
    std::function<ReplayTable*()> table_;
    QTimer timer_;
    int speed_ = 2;
};

}  // namespace orvala::app
