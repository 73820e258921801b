#pragma once
// The deal-information panel's balloon hint: pointing at the panel during a game shows the local
// player's game counters ("Current game", "General number of game:", "Number of round in a
// current cycle:"). The feature that runs the game gives the counters; the window's own hints
// (the seat panels') are left alone everywhere else.

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

#include "core/records/game_end.h"

namespace orvala::app {

class Shell;

// The hint's text for the counters of the game under way.
QString dealPanelHintText(const ScoreSummary& counters);

class DealPanelHint final : public QObject {
  public:
    // `counters`: the game's counters while the game is the asking feature's, else none.
    DealPanelHint(Shell& shell, std::function<std::optional<ScoreSummary>()> counters,
                  QObject* parent);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Shell& shell_;
    std::function<std::optional<ScoreSummary>()> counters_;
};

}  // namespace orvala::app
