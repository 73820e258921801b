#pragma once
// PacedInbox: texts read from the network, handed to the game one at a time at the pace of the
// table. A step or deal ("h", "b") waits until the table has shown what came before it, and
// steps are applied at least `pause` ms apart, as the players' eyes need; other texts go at once
// behind what came before them. Nothing blocks the event loop: waiting is a timer, whose beat
// (`wake`) asks the owner to pump again.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <deque>
#include <functional>
#include <string>

namespace orvala::app {

class PacedInbox final : public QObject {
    Q_OBJECT
  public:
    // tableBusy: the table still shows earlier steps; apply: one text of link `from` (empty:
    // what the link sent could not be read).
    PacedInbox(std::function<bool()> tableBusy,
               std::function<void(int from, const std::string& bytes)> apply,
               QObject* parent = nullptr);

    void setPause(int ms) { pauseMs_ = ms; }
    void push(int from, std::string bytes) { waiting_.push_back({from, std::move(bytes)}); }
    void clear();
    bool empty() const { return waiting_.empty(); }
    std::size_t size() const { return waiting_.size(); }
    // Applies what the table is ready for.
    void pump();

  signals:
    void wake();

  private:
    struct Text {
        int from;
        std::string bytes;
    };
    std::function<bool()> tableBusy_;
    std::function<void(int, const std::string&)> apply_;
    std::deque<Text> waiting_;
    QTimer wait_;
    QElapsedTimer sinceStep_;
    int pauseMs_ = 100;
};

}  // namespace orvala::app
