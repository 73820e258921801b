#pragma once
// What the main window gives its features: the settings, the pictures and the table, the game
// session, the web client, the club files, the calendar's beat, the account, sounds, and the
// moves between its screens. The window (`TForm1`) is the one implementation; features hold a
// `Shell&` and never the window's own type.

#include <QString>
#include <cstdint>
#include <optional>

#include "app/feature.h"
#include "core/game/waves.h"

class QWidget;
class QCursor;
class QUrl;

namespace orvala {
struct Settings;
struct PlayerStart;
}  // namespace orvala

namespace orvala::table {
class PictureStore;
class TableView;
}  // namespace orvala::table

namespace orvala::net {
class OnlineClient;
}

namespace orvala::app {

class AccountHolder;
class CalendarPanel;
class ClubRecords;
class GameSession;
class GameReplays;
class MemberGames;
class MenuScreen;
class TablePresenter;
class OpenHandsToggle;

struct LaunchOptions {
    QString programFolder;
    bool demo = false;
    int quitAfterDeals = 0;  // demo: quit with status 0 after this many deals (0: never)
    QString screenshot;      // with quitAfterDeals: the window's picture, saved at the end
    std::optional<std::uint64_t> seed;  // fixed seeds for shuffles and the computer players
    // For tests of whole games: the timer ticks every millisecond and events play without
    // flights or pauses. The rule steps and their order are those of a normal game.
    bool fast = false;
    // --sound-log: a line for every sound started and every card spoken.
    QString soundLog;
    // Where the tune's file goes; empty: the system's temporary folder.
    QString musicFolder;
    // The window comes up with its title alone and builds everything else once it is shown, so
    // that a player sees it at once (the program; tests build the whole window at once).
    bool titleFirst = false;
};

// The window's parts that features use, set by the window as it builds them.
struct ShellParts {
    QWidget* window = nullptr;
    const LaunchOptions* launch = nullptr;
    Settings* settings = nullptr;
    table::PictureStore* pictures = nullptr;
    table::TableView* view = nullptr;
    TablePresenter* presenter = nullptr;
    GameSession* session = nullptr;
    net::OnlineClient* online = nullptr;
    ClubRecords* club = nullptr;
    MenuScreen* menu = nullptr;
    CalendarPanel* calendar = nullptr;
    AccountHolder* account = nullptr;
    OpenHandsToggle* openHands = nullptr;
};

class Shell {
  public:
    virtual ~Shell() = default;

    // The window: the parent of the features' widgets and dialogs.
    QWidget& window() const { return *parts_.window; }
    const LaunchOptions& launch() const { return *parts_.launch; }
    Settings& settings() const { return *parts_.settings; }
    table::PictureStore& pictures() const { return *parts_.pictures; }
    table::TableView& view() const { return *parts_.view; }
    TablePresenter& presenter() const { return *parts_.presenter; }
    GameSession& session() const { return *parts_.session; }
    net::OnlineClient& online() const { return *parts_.online; }
    // The club files, checked at start-up by the club's feature.
    ClubRecords& club() const { return *parts_.club; }
    // The main menu's buttons, where features connect what the menu offers them.
    MenuScreen& menu() const { return *parts_.menu; }
    // The menu's calendar; its `ticked` signal is the ten-second beat features share.
    CalendarPanel& calendar() const { return *parts_.calendar; }
    AccountHolder& account() const { return *parts_.account; }
    // Whether the computer seats' hands lie open.
    OpenHandsToggle& openHands() const { return *parts_.openHands; }
    // The web service's base address: $ORVALA_SERVICE, else the options' address, else the local
    // service (net/service_url.h).
    QUrl serviceUrl() const;

    virtual Screen screen() const = 0;
    // The settings file written now (held back, like every save, while the club files are not
    // usable).
    virtual void saveSettings() = 0;
    // Club members' games, provided by the feature that keeps the club.
    virtual MemberGames& memberGames() = 0;
    virtual void provide(MemberGames& games) = 0;
    // Kept games shown again, provided by the feature that keeps their logs (none in tests
    // that build no such feature).
    virtual GameReplays* replays() = 0;
    virtual void provide(GameReplays& replays) = 0;
    // A network stream's start, for the sound log.
    virtual void logStream(const QString& url) = 0;

    // A wave, when SoundOn: a synchronous one holds the table (not the window) until played.
    virtual void playSound(Wave wave, bool synchronous) = 0;
    // The tune from its start, or stopped.
    virtual void playMusic(bool on) = 0;
    virtual void salute(bool onButtons) = 0;
    // The table still plays events, or a computer's answer waits for them.
    virtual bool busy() const = 0;
    // 0 the hand, 1 the arrow, 2 busy: the program's own cursors when the settings say so.
    virtual QCursor gameCursor(int which) const = 0;

    // The game's table for a game `owner` runs (it hears `gameFinished`), before the first deal.
    virtual void enterTable(Feature* owner) = 0;
    // The table entered and a new game started there for `player`.
    virtual void startGame(const PlayerStart& player, Feature* owner) = 0;
    virtual Feature* gameOwner() const = 0;
    virtual void showMenu() = 0;
    // The table's animations stop where they are and a contract question is forgotten.
    virtual void stopTable() = 0;
    // The game left for the menu, its deal kept or dropped (features hear `leavingGame`).
    virtual void leaveGame(bool keepDeal) = 0;
    // The action buttons from the rules' state again.
    virtual void syncControls() = 0;
    // A change of the options, applied to the window and told to every feature.
    virtual void optionChanged(dialogs::OptionChange what) = 0;
    // The club's login opened: every feature hears it.
    virtual void announceLogin(dialogs::TFormPassword& login) = 0;

  protected:
    ShellParts parts_;
};

}  // namespace orvala::app
