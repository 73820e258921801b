#include "app/lan/lan_table.h"

namespace orvala::app {
namespace {

constexpr std::size_t kMostWaiting = 4096;

}  // namespace

LanTable::LanTable(std::function<bool()> tableBusy, QObject* parent)
    : QObject(parent),
      inbox_(
          std::move(tableBusy), [this](int from, const std::string& bytes) { apply(from, bytes); },
          this) {
    connect(&inbox_, &PacedInbox::wake, this, &LanTable::pump);
    connect(&link_, &net::LanLink::received, this, &LanTable::received);
    connect(&link_, &net::LanLink::connected, this, [this] {
        if (game_) game_->connected();
    });
    connect(&link_, &net::LanLink::linkClosed, this, [this](int from) {
        // What the machine sent before it went is applied before its going: a game that ended
        // with its last message has not been left.
        readers_.erase(from);
        lost_.push_back(from);
        pump();
    });
    connect(&link_, &net::LanLink::failed, this, [this] {
        noGame_ = true;
        link_.close();
        emit linkEnded();
    });
}

LanTable::~LanTable() {
    link_.close();
}

void LanTable::setGame(LanGame* game) {
    if (game_) game_->disconnect(this);
    game_ = game;
    if (!game) return;
    connect(game, &LanGame::lanSend, this,
            [this](int to, const QByteArray& bytes) { link_.send(to, bytes); });
    connect(game, &LanGame::lanClose, this, [this](int c) { link_.closeConnection(c); });
}

void LanTable::setPauses(int afterStepMs, int betweenStepsMs) {
    link_.setStepPause(afterStepMs);
    inbox_.setPause(betweenStepsMs);
}

bool LanTable::host(quint16 port) {
    close();
    noGame_ = false;
    return link_.listen(port);
}

void LanTable::join(const QString& address, quint16 port) {
    close();
    noGame_ = true;
    link_.connectTo(address, port);
}

void LanTable::close() {
    link_.close();
    inbox_.clear();
    lost_.clear();
    readers_.clear();
}

void LanTable::received(int from, const QByteArray& bytes) {
    // Only the host sends a resume: the host's readers take none.
    const bool host = game_ && game_->peer().session().role == lan::NetRole::Host;
    lan::StreamReader& reader = readers_.try_emplace(from, !host).first->second;
    if (reader.broken()) return;
    for (std::string& m : reader.feed(std::string_view(bytes.constData(), bytes.size())))
        inbox_.push(from, std::move(m));
    // A game never has this many texts waiting: a peer that floods the link is treated at once
    // as one that sends what cannot be read, and the session ends (the peer then takes nothing).
    if (inbox_.size() > kMostWaiting) {
        inbox_.clear();
        if (game_) game_->unreadable(from);
        return;
    }
    if (reader.broken()) inbox_.push(from, {});
    pump();
}

void LanTable::pump() {
    inbox_.pump();
    if (!inbox_.empty() || lost_.empty()) return;
    std::vector<int> lost;
    lost.swap(lost_);
    for (int from : lost)
        if (game_) game_->linkLost(from);
    emit linkEnded();
}

void LanTable::apply(int from, const std::string& bytes) {
    if (bytes.empty()) {
        // The game closes a connection that holds no seat, and ends the session for one that
        // does (it then takes nothing more).
        if (game_) game_->unreadable(from);
        return;
    }
    if (game_) game_->receive(from, bytes);
}

}  // namespace orvala::app
