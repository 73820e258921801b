#pragma once
// The main window's tournament lobby: the lobby dialog kept up to date from the service (every
// ten seconds, and after every change), the player's card, taking and leaving seats, opening the
// window's connection to the table's game server (tourney_table.h), and the one-second watch
// that turns a failed connection into "Server connection error!" and gives the seat back.
//
// Every web operation goes through the window's client and answers later; nothing here waits.
// The player's seat is remembered here while the lobby lives; `closed` tells the window that
// the dialog is gone, after the seat, if any, was released. When the game begins the lobby
// hands the seat over to the game (`handOver`) and closes without giving it back.

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <optional>

#include "app/tourney/tourney_table.h"
#include "core/online/operations.h"
#include "core/online/tourney_lobby.h"
#include "dialogs/lobby_dialog.h"
#include "dialogs/tourney_top_dialog.h"

namespace orvala::net {
class OnlineClient;
}

namespace orvala::app {

// Where the local player's connection to the game server stands.
enum class TourneyLink { None = 0, Connecting = 1, Connected = 2, Finished = 10 };

class TourneyLobby final : public QObject {
    Q_OBJECT
  public:
    struct Setup {
        online::Account account;
        bool administrator = false;
        QString serviceBase;           // for the address the service sees
        std::function<void()> failed;  // "WWrongs"
    };
    TourneyLobby(net::OnlineClient& client, TourneyTable& table, Setup setup, QWidget* parent);
    ~TourneyLobby() override;

    // Shows the dialog, reads the player's card and refreshes.
    void open();
    // The timers' slots; tests call them instead of waiting. The ten-second beat reads the
    // lobby again and, once "My results" has been shown, the player's results too.
    void refresh();
    void beat();
    void watch();
    // The game has begun: the lobby closes, leaving the seat to the game. Answers the nicks it
    // last drew at the seat's table.
    std::array<std::string, 4> handOver();
    // The results panel and the top ten.
    void showResults();
    void showTop();

    dialogs::TFormLobby* dialog() const { return dialog_; }
    dialogs::TFormTourneyTop* topDialog() const { return top_; }
    const online::TourneyClient& player() const { return me_; }
    online::SeatedAt seated() const { return at_; }
    TourneyLink link() const { return link_; }
    // Whether a refresh or a seat change is still waiting for the service.
    bool busy() const { return pending_ > 0; }
    QTimer& refreshTimer() { return refreshTimer_; }
    QTimer& watchTimer() { return watchTimer_; }

  signals:
    void closed();
    // The lobby has drawn the service's answers.
    void drawn();

  private:
    void draw(const std::optional<online::TourneyTables>& tables,
              const std::optional<online::ServerInfo>& info);
    void seatPressed(int table, int seat);
    void take(int table, int seat);
    void checkAddressThenTake(int table, int seat, int before);
    void leave();
    // Clears seats `from`..`to` of a table on the player's behalf (can 0).
    // Clears seats from..to of a table; `then` once the service has answered them all.
    void clearSeats(int table, int from, int to, std::function<void()> then = {});
    void forgetSeat();
    void connectToServer(int table);
    void post(const online::Request& request, std::function<void(bool, const std::string&)> done);
    // The player's tournament score, games and rating read again, then `then`.
    void readCard(std::function<void()> then = {});
    bool sameAddressAllowed(int table) const;

    net::OnlineClient& client_;
    Setup setup_;
    QWidget* parent_;
    QPointer<dialogs::TFormLobby> dialog_;
    QPointer<dialogs::TFormTourneyTop> top_;
    QTimer refreshTimer_, watchTimer_;
    online::TourneyClient me_;
    std::optional<online::TourneyTables> tables_;
    bool serverOn_ = false;
    online::SeatedAt at_;
    TourneyLink link_ = TourneyLink::None;
    bool connectionError_ = false;
    bool refreshing_ = false;
    bool resultsShown_ = false;
    int pending_ = 0;
    TourneyTable& table_;
    bool handedOver_ = false;
};

}  // namespace orvala::app
