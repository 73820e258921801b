#pragma once
// The online tournament: the menu's cup opens the lobby for an account that is logged in, and
// "Log in to your account!" for everybody else. The game at a table follows the lobby: the first
// deal closes the lobby and opens the table, with the move clocks and the chat line; a game cut
// short is told and left by "Exit to menu"; a finished game reports, writes its history line and
// opens the lobby again.

#include <QObject>
#include <QPointer>
#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "app/feature.h"
#include "app/tourney/tourney_lobby.h"
#include "app/tourney/tourney_table.h"
#include "core/online/tourney_lobby.h"
#include "core/records/game_end.h"

class QToolButton;

namespace orvala::tourney {
class TourneyPeer;
}

namespace orvala::app {

class LanChatPanel;
class Shell;

class TourneyFeature final : public Feature {
    Q_OBJECT
  public:
    explicit TourneyFeature(Shell& shell);
    ~TourneyFeature() override;

    void screenShown(Screen screen) override;
    void contextMenu(ContextMenu& menu) override;
    void layout() override;
    void applyLanguage() override;
    void gameFinished(int result) override;
    void tableReady() override;
    void tableStill() override;
    void controlsShown() override;
    bool cutShort() const override;
    void leaveCutShort() override;

    // The lobby from the menu's cup (shown on the menu only).
    void ShowTourney();
    TourneyLobby* lobby() const { return tourney_; }
    TourneyTable* table() const { return tourneyTable_.get(); }
    LanChatPanel* chatPanel() const { return chat_; }
    // The game at the tournament's table; null when there is none.
    const tourney::TourneyPeer* peer() const;
    QToolButton* TourneyIcon = nullptr;

  private:
    void tourneyDealt();
    void startTourneyGame(const std::array<std::string, 4>& names);
    void syncTourney();
    void showTourneyEnding(const tourney::TourneyPeer& peer);
    void leaveTourneyGame();
    void finishTourneyGame(int result);
    // The tournament rating read again and the game's history line: the result of a finished
    // game, or what the server counted for a game cut short.
    void writeTourneyHistory(std::optional<int> result);
    void endTourneyTable();
    // "General score": the tournament's column of the score summary, and its values while the
    // tournament's game is on the table.
    void showScoreSummary();
    std::optional<ScoreSummary> summary() const;
    void layoutChat();

    Shell& shell_;
    QPointer<TourneyLobby> tourney_;
    std::unique_ptr<TourneyTable> tourneyTable_;
    LanChatPanel* chat_ = nullptr;
    std::size_t chatHeard_ = 0;          // the chat lines whose sound has been played
    online::TourneyClient tourneyCard_;  // the player's card when the game began
    bool tourneyEndShown_ = false;
    bool reopenLobby_ = false;
};

}  // namespace orvala::app
