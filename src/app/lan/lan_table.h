#pragma once
// LanTable: the window's LAN table between the sockets (`net::LanLink`) and the game
// (`LanGame`, whose peer holds the session). The table lives on from game to game; each game is
// handed to it (`setGame`) and is forgotten when the session drops it.
//
// It cuts each link's bytes into whole messages and hands them to the game one at a time: a
// step or deal message waits until the table has shown what came before it, and step messages
// are applied at least 100 ms apart, as the players' eyes need; chat and handshake texts go at
// once behind what came before them. Nothing here blocks the event loop: waiting is a timer.
// What the game writes goes out through the link, paced there.

#include <QObject>
#include <QPointer>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/lan/lan_game.h"
#include "app/paced_inbox.h"
#include "core/lan/framing.h"
#include "net/lan_link.h"

namespace orvala::app {

class LanTable final : public QObject {
    Q_OBJECT
  public:
    // tableBusy: the table still shows earlier steps.
    explicit LanTable(std::function<bool()> tableBusy, QObject* parent = nullptr);
    ~LanTable() override;

    // The game the link serves from now on: what it writes goes out, what the link reads goes
    // to it. Null, or a game the session has dropped: the link's news reaches nobody.
    void setGame(LanGame* game);
    LanGame* game() const { return game_; }

    // The pauses after a sent step and between applied steps (0 and 0 in tests).
    void setPauses(int afterStepMs, int betweenStepsMs);

    // Host: listens on `port` (false when it cannot); the game's session must be the host's.
    bool host(quint16 port);
    // Joiner: connects to the host; `noGame` is raised until the seat reply comes or for good
    // when the connection fails.
    void join(const QString& address, quint16 port);
    bool noGame() const { return noGame_; }
    // Closes the sockets and forgets what waited to be applied.
    void close();
    net::LanLink& link() { return link_; }
    // Applies what waits, if the table is ready for it (the window calls it when the table is
    // still).
    void pump();

  signals:
    // A link closed, or a joiner's connection failed.
    void linkEnded();

  private:
    void received(int from, const QByteArray& bytes);
    void apply(int from, const std::string& bytes);

    QPointer<LanGame> game_;
    net::LanLink link_;
    std::map<int, lan::StreamReader> readers_;  // by connection
    PacedInbox inbox_;
    bool noGame_ = false;
    std::vector<int> lost_;  // links closed; each loss counts once what it sent is applied
};

}  // namespace orvala::app
