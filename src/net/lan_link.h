#pragma once
// The sockets of a LAN table on Qt Network, as an adapter that carries bytes and knows no rule.
//
// The host listens and gives every connection it accepts a number of its own; the game decides
// which connection holds which seat (by the join request answered on it), and the host keeps
// listening while a game runs, so that a lost seat can come back. A connection that has said
// nothing 10 s after it was accepted is closed (a port check, a machine that never asks), and so
// is one the game no longer wants (`closeConnection`). A joiner has one link to the host, which
// `send` uses whatever the number.
//
// Sends keep their order. After a step message the link pauses (50 ms by default) before it
// writes the next text, so that the receiver's table can show one step before the next arrives;
// the pause is a timer, never a wait of the event loop. Everything is reported by signals from
// the event loop: a joiner's link coming up, bytes read, a link closed, a joiner's socket error.

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <deque>
#include <map>
#include <vector>

class QTcpServer;
class QTcpSocket;

namespace orvala::net {

class LanLink final : public QObject {
    Q_OBJECT
  public:
    explicit LanLink(QObject* parent = nullptr);
    ~LanLink() override;

    // The pause after each step message (0 in tests).
    void setStepPause(int ms) { stepPauseMs_ = ms; }

    // Host: listens on every interface; false when the port cannot be taken.
    bool listen(quint16 port);
    quint16 listeningPort() const;
    bool listening() const;
    // Host: how long a new connection may say nothing (10 s; tests shorten it).
    void setSilenceLimit(int ms) { silenceMs_ = ms; }
    // Host: closes one connection; `linkClosed` follows for it.
    void closeConnection(int connection);
    // Joiner: connects to the host.
    void connectTo(const QString& address, quint16 port);
    bool connectedToHost() const;

    // Queues `bytes` for link `to` (the host's connection by its number; a joiner's host link).
    void send(int to, const QByteArray& bytes);
    // Closes every link and the listener; queued texts are dropped.
    void close();
    // Closes the links but leaves the host listening, as after a player left a game.
    void closeLinks();
    int openLinks() const;
    bool sending() const { return !queue_.empty(); }

  signals:
    void connected();
    void received(int from, const QByteArray& bytes);
    void linkClosed(int from);
    void failed();

  private:
    struct Out {
        int to;
        QByteArray bytes;
    };
    void accept();
    void adopt(QTcpSocket* socket, int number);
    void pump();
    QTcpSocket* linkFor(int to) const;

    QTcpServer* server_ = nullptr;
    bool joiner_ = false;
    std::map<int, QPointer<QTcpSocket>> links_;  // the host's by number, or the joiner's one (0)
    int nextNumber_ = 0;
    int silenceMs_ = 10'000;
    std::deque<Out> queue_;
    QTimer pause_;
    int stepPauseMs_ = 50;
};

}  // namespace orvala::net
