#pragma once
// TourneyTable: the window's connection to a tournament table's game server (`CS`), between the
// socket and the game (`TourneyGame`, whose `TourneyPeer` holds the seat's game). The table lives
// on from game to game; each game is handed to it (`setGame`) and is forgotten when the session
// drops it.
//
// It connects, says "connect" and the seat once the connection is up, cuts the server's bytes
// into whole frames and hands them to the game at the table's pace (paced_inbox.h). The first
// deal is held (`dealt`) until the window has set the table up (`start`). It runs the seat's move
// clock: restarted at every step for the seat to act, beaten once a second (`beat`, which tests
// call instead of waiting), drawn by the window, and at 0 on this seat the time is up ("TOut").
// A connection that fails before the game is `failed`. One that closes during the game is
// connected again, once every frame that came before has been applied: the game server sends
// the game as it stands (a resume) and the seat plays on. When that cannot be done (a few tries
// a moment apart, or the server refuses), the connection is lost.

#include <QObject>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>
#include <functional>

#include "app/paced_inbox.h"
#include "app/tourney/tourney_game.h"
#include "core/tourney/frames.h"
#include "core/tourney/move_clock.h"

namespace orvala::app {

class TourneyTable final : public QObject {
    Q_OBJECT
  public:
    // tableBusy: the table still shows earlier steps.
    explicit TourneyTable(std::function<bool()> tableBusy, QObject* parent = nullptr);
    ~TourneyTable() override;

    // The game the connection serves from now on: what it writes goes to the server, the
    // server's frames go to it, and its steps run the move clock. Null, or a game the session
    // has dropped: the connection's news reaches nobody.
    void setGame(TourneyGame* game);
    TourneyGame* game() const { return game_; }

    void setPause(int betweenStepsMs) { inbox_.setPause(betweenStepsMs); }
    // Connects to the game server for `seat` of `table`.
    void open(const QString& host, quint16 port, int table, int seat);
    // "disA" when connected, then closed.
    void leave();
    // Closes the connection (what was written still goes out) and forgets what waited.
    void close();
    bool connected() const { return cs_.state() == QAbstractSocket::ConnectedState; }
    int table() const { return table_; }
    int seat() const { return seat_; }
    // The game's table is set up: the held first deal and what followed it are applied.
    void start();
    bool started() const { return started_; }
    // Applies what waits, if the table is ready for it (the window calls it when still).
    void pump();
    // One second of the move clock. The one-second timer beats it unless tests beat it
    // themselves (`setWallClock(false)`).
    void beat();
    void setWallClock(bool on);
    // The pause between tries to connect again (tests make it 0), and how many tries are made.
    void setReconnect(int delayMs, int tries) {
        reconnectMs_ = delayMs;
        reconnectTries_ = triesLeft_ = tries;
    }
    // The link drops without a word, as a network's does (for tests).
    void dropLink() { cs_.abort(); }
    const tourney::MoveClock& clock() const { return clock_; }

  signals:
    // The connection is up ("connect" went out); it could not be made, or broke before the
    // game began.
    void linked();
    void failed();
    // The first deal came; it waits for `start`.
    void dealt();
    // The move clock of a seat (0 none: clear them all) shows `seconds`.
    void clockShown(int seat, int seconds);
    void tick(Wave wave);

  private:
    void received();
    void apply(const std::string& frame);
    void follow();
    // The game runs and the link closed: connect again, or give the game up as lost.
    void reconnect();

    QPointer<TourneyGame> game_;
    PacedInbox inbox_;
    QTcpSocket cs_;
    QTimer clockTimer_;
    tourney::ServerFrameReader reader_;
    tourney::MoveClock clock_;
    int table_ = 0;
    int seat_ = 0;
    int stepsSeen_ = -1;
    bool started_ = false;
    bool dealHeld_ = false;
    bool lostPending_ = false;
    bool wallClock_ = true;
    QString host_;
    quint16 port_ = 0;
    int reconnectMs_ = 1000;
    int reconnectTries_ = 5;
    int triesLeft_ = 0;
    bool reconnecting_ = false;
};

}  // namespace orvala::app
