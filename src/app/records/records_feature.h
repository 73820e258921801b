#pragma once
// The club and its records: the start-up check of the club files, the menu's club panel, the
// login, a member's game from its start to its end (through the global rating's service for an
// account that plays for it), the score summary, the change of name, the top ten and the history.

#include <optional>
#include <vector>

#include "app/feature.h"
#include "app/member_games.h"
#include "app/records/global_game.h"
#include "core/records/club_member.h"
#include "core/records/club_update.h"

namespace orvala::dialogs {
enum class EndGameKind;
}

namespace orvala::app {

class Shell;

class RecordsFeature final : public Feature, public MemberGames {
  public:
    explicit RecordsFeature(Shell& shell);

    // MemberGames.
    void playFor(const ClubMember& member, bool network) override;
    void play() override;

    // The login for slot 1..5 or a new member (6); a game then starts for the member who logged
    // in. Nothing while the menu is not shown or the account's service is asked.
    void openLogin(int slot);
    // The club panel of the menu from the club file of the current mode.
    void refreshClubPanel();
    // The score summary of the game under way (or just ended), for a member.
    void showScoreSummary(bool withSound);
    // "To change a name": a new name and password for the member playing, or for a new one.
    void changeNameCommand();
    void showTopTen();
    void showHistory();
    // The member playing, as the game started.
    const std::optional<ClubMember>& member() const { return member_; }

    void screenShown(Screen screen) override;
    void contextMenu(ContextMenu& menu) override;
    void optionChanged(dialogs::OptionChange what) override;
    void gameEvents(const std::vector<TableEvent>& events) override;
    void gameFinished(int result) override;
    void tableStill() override;
    void windowClosing() override;

  private:
    void clubStartup();
    void wireMenu();
    // The member's end of the game: the club file (not for the account's game), the history,
    // the report, the sounds, and at a cycle's end its window.
    void finishMemberGame(int result, std::optional<AccountGameEnd> account);
    // The end-of-cycle window for the place the cycle's score reached: the club's top ten, or
    // the account table's place, which the service gave.
    void showCycleEnd(int place, int score, dialogs::EndGameKind kind);
    void reportGame(int result, bool cycleEnd);
    // The score summary's values of the member's game under way (or just ended).
    ScoreSummary summary() const;

    Shell& shell_;
    GlobalGame global_;
    std::optional<ClubMember> member_;
    bool memberNetwork_ = false;   // which club file the member came from
    bool summaryPending_ = false;  // the game is over: its summary waits for a still table
};

}  // namespace orvala::app
