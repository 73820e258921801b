#include "app/tourney/tourney_table.h"

#include "core/lan/net_seats.h"

namespace orvala::app {
namespace {

constexpr std::size_t kMostWaiting = 4096;

}  // namespace

TourneyTable::TourneyTable(std::function<bool()> tableBusy, QObject* parent)
    : QObject(parent),
      inbox_(
          std::move(tableBusy), [this](int, const std::string& frame) { apply(frame); }, this) {
    connect(&inbox_, &PacedInbox::wake, this, &TourneyTable::pump);
    connect(&cs_, &QAbstractSocket::connected, this, [this] {
        cs_.write(QByteArray::fromStdString(
            tourney::shortFrame("connect" + std::to_string(seat_), seat_)));
        if (!reconnecting_) emit linked();
    });
    connect(&cs_, &QIODevice::readyRead, this, &TourneyTable::received);
    connect(&cs_, &QAbstractSocket::errorOccurred, this, [this] {
        // A try to connect again that failed is tried again, or the game is lost.
        if (reconnecting_ && cs_.state() != QAbstractSocket::ConnectedState) {
            QTimer::singleShot(reconnectMs_, this, &TourneyTable::reconnect);
            return;
        }
        // A game under way learns of it when the connection has closed; before, the lobby does.
        if (started_) return;
        cs_.abort();
        emit failed();
    });
    connect(&cs_, &QAbstractSocket::disconnected, this, [this] {
        if (!started_) {
            if (seat_ != 0) emit failed();
            return;
        }
        // What the server sent before it closed is applied first: a game that ended with its
        // last frame was not cut off.
        lostPending_ = true;
        pump();
    });
    clockTimer_.setObjectName("TimerMoveClock");
    clockTimer_.setInterval(1000);
    connect(&clockTimer_, &QTimer::timeout, this, &TourneyTable::beat);
}

TourneyTable::~TourneyTable() {
    cs_.disconnect(this);
    cs_.abort();
}

void TourneyTable::setGame(TourneyGame* game) {
    if (game_) game_->disconnect(this);
    game_ = game;
    if (!game) return;
    connect(game, &TourneyGame::send, this, [this](const QByteArray& frame) {
        // While the link is being made again, the resume to come will set the game as the
        // server has it: what is played meanwhile goes nowhere.
        if (connected() && !reconnecting_) cs_.write(frame);
    });
    connect(game, &TourneyGame::changed, this, &TourneyTable::follow);
}

void TourneyTable::open(const QString& host, quint16 port, int table, int seat) {
    close();
    table_ = table;
    seat_ = seat;
    host_ = host;
    port_ = port;
    triesLeft_ = reconnectTries_;
    cs_.connectToHost(host, port);
}

void TourneyTable::reconnect() {
    if (seat_ == 0 || !started_ || cs_.state() != QAbstractSocket::UnconnectedState) return;
    const tourney::TourneyPeer* peer = game_ ? &game_->peer() : nullptr;
    if (!peer || peer->ending() != tourney::Ending::None || triesLeft_ <= 0) {
        reconnecting_ = false;
        if (game_) game_->lost();
        return;
    }
    --triesLeft_;
    reconnecting_ = true;
    reader_ = {};
    cs_.connectToHost(host_, port_);
}

void TourneyTable::leave() {
    if (connected()) cs_.write(QByteArray::fromStdString(tourney::longFrame("disA", seat_)));
    close();
}

void TourneyTable::close() {
    // Forgotten first, so that the closing is no news to anybody.
    seat_ = 0;
    started_ = dealHeld_ = lostPending_ = reconnecting_ = false;
    stepsSeen_ = -1;
    inbox_.clear();
    reader_ = {};
    clock_.stop();
    clockTimer_.stop();
    emit clockShown(0, -1);
    if (connected()) {
        cs_.flush();
        cs_.disconnectFromHost();
    } else {
        cs_.abort();
    }
}

void TourneyTable::start() {
    started_ = true;
    pump();
    // A connection that closed while the deal was held is lost now.
    if (cs_.state() == QAbstractSocket::UnconnectedState) {
        lostPending_ = true;
        pump();
    }
}

void TourneyTable::received() {
    const QByteArray bytes = cs_.readAll();
    if (reader_.broken()) return;
    for (std::string& f : reader_.feed(std::string_view(bytes.constData(), bytes.size()))) {
        // The game's first frame: its first deal, or the game as it stands for a seat that
        // connects again.
        if ((f[0] == 'b' || f[0] == 'r') && !dealHeld_) {
            dealHeld_ = true;
            inbox_.push(0, std::move(f));
            emit dealt();
            continue;
        }
        inbox_.push(0, std::move(f));
    }
    // No game has this many frames waiting: a flood is treated as bytes that cannot be read.
    if (reader_.broken() || inbox_.size() > kMostWaiting) {
        inbox_.clear();
        if (!dealHeld_) {
            // Before any game: a game server that cannot be understood is a failed connection.
            cs_.abort();
            emit failed();
            return;
        }
        inbox_.push(0, {});
    }
    pump();
}

void TourneyTable::pump() {
    if (!started_) return;
    inbox_.pump();
    if (inbox_.empty() && lostPending_) {
        lostPending_ = false;
        reconnect();
    }
}

void TourneyTable::apply(const std::string& frame) {
    if (frame.empty()) {
        // Nothing after bytes that begin no frame can be trusted: the connection is given up.
        inbox_.clear();
        cs_.abort();
        if (game_) game_->lost();
        return;
    }
    // The game as it stands came: the link is whole again.
    if (frame[0] == 'r') {
        reconnecting_ = false;
        triesLeft_ = reconnectTries_;
    }
    if (game_) game_->receive(frame);
}

void TourneyTable::follow() {
    const tourney::TourneyPeer* peer = game_ ? &game_->peer() : nullptr;
    if (!peer || !started_) return;
    if (peer->ending() != tourney::Ending::None) {
        if (clock_.seat() != 0 || clockTimer_.isActive()) {
            clock_.stop();
            clockTimer_.stop();
            emit clockShown(0, -1);
        }
        // A game cut short closes the connection; a finished one waits for its result report.
        if (peer->ending() != tourney::Ending::GameOver && seat_ != 0) close();
        return;
    }
    if (peer->steps() == stepsSeen_) return;
    stepsSeen_ = peer->steps();
    const int starter = lan::localSeat(tourney::roleOfSeat(seat_), 1);
    clock_.restart(tourney::seatToAct(peer->state(), starter));
    emit clockShown(0, -1);
    if (clock_.seat() != 0) emit clockShown(clock_.seat(), clock_.seconds());
    if (wallClock_ && !clockTimer_.isActive()) clockTimer_.start();
}

void TourneyTable::setWallClock(bool on) {
    wallClock_ = on;
    if (!on) clockTimer_.stop();
}

void TourneyTable::beat() {
    const tourney::MoveClock::Beat b = clock_.tick();
    if (b.seat == 0) return;
    emit clockShown(b.seat, b.seconds);
    if (b.sound) emit tick(*b.sound);
    if (b.timeUp && game_) game_->timeUp();
}

}  // namespace orvala::app
