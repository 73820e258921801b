#include "app/lan_table.h"

namespace orvala::app {
namespace {

constexpr std::size_t kMostWaiting = 4096;

}  // namespace

LanTable::LanTable(GameSession& session, std::function<bool()> tableBusy, QObject* parent)
    : QObject(parent), session_(session), tableBusy_(std::move(tableBusy)) {
    wait_.setSingleShot(true);
    connect(&wait_, &QTimer::timeout, this, &LanTable::pump);
    connect(&link_, &net::LanLink::received, this, &LanTable::received);
    connect(&link_, &net::LanLink::connected, this, [this] { session_.lanConnected(); });
    connect(&link_, &net::LanLink::linkClosed, this, [this](int) {
        // What the machine sent before it went is applied before its going: a game that ended
        // with its last message has not been left.
        lostPending_ = true;
        pump();
    });
    connect(&link_, &net::LanLink::failed, this, [this] {
        noGame_ = true;
        link_.close();
        emit linkEnded();
    });
    connect(&session_, &GameSession::lanSend, this, [this](int to, const QByteArray& bytes) {
        link_.send(to, bytes);
        // The first deal closes the table to latecomers.
        if (bytes.startsWith('b')) link_.closeTable();
    });
    sinceStep_.start();
}

LanTable::~LanTable() {
    link_.close();
}

void LanTable::setPauses(int afterStepMs, int betweenStepsMs) {
    link_.setStepPause(afterStepMs);
    betweenStepsMs_ = betweenStepsMs;
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
    lostPending_ = false;
    wait_.stop();
    readers_[0] = {};
    readers_[1] = {};
}

void LanTable::received(int from, const QByteArray& bytes) {
    lan::StreamReader& reader = readers_[from == 1 ? 1 : 0];
    if (reader.broken()) return;
    for (std::string& m : reader.feed(std::string_view(bytes.constData(), bytes.size())))
        inbox_.push_back({from, std::move(m)});
    // A game never has this many texts waiting: a peer that floods the link is treated at once
    // as one that sends what cannot be read, and the session ends (the peer then takes nothing).
    if (inbox_.size() > kMostWaiting) {
        inbox_.clear();
        session_.lanUnreadable();
        return;
    }
    if (reader.broken()) inbox_.push_back({from, {}});
    pump();
}

void LanTable::pump() {
    pumpInbox();
    if (inbox_.empty() && lostPending_) {
        lostPending_ = false;
        session_.lanLinkLost();
        emit linkEnded();
    }
}

void LanTable::pumpInbox() {
    while (!inbox_.empty()) {
        const Message& next = inbox_.front();
        const bool step = !next.bytes.empty() && (next.bytes[0] == 'h' || next.bytes[0] == 'b');
        if (step) {
            const qint64 left = betweenStepsMs_ - sinceStep_.elapsed();
            if (tableBusy_() || left > 0) {
                // The window calls again once the table is still; the timer covers the pause.
                if (!wait_.isActive()) wait_.start(static_cast<int>(std::max<qint64>(left, 10)));
                return;
            }
        }
        const Message m = std::move(inbox_.front());
        inbox_.pop_front();
        if (m.bytes.empty()) {
            session_.lanUnreadable();
            inbox_.clear();
            return;
        }
        if (m.bytes[0] == 'h') sinceStep_.restart();
        session_.lanReceive(m.from, m.bytes);
        if (m.bytes[0] == 'h' || m.bytes[0] == 'b') {
            // The table shows this step before the next one is applied.
            if (!inbox_.empty() && !wait_.isActive()) wait_.start(10);
            return;
        }
    }
}

}  // namespace orvala::app
