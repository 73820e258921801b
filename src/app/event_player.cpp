#include "app/event_player.h"

namespace orvala::app {

EventPlayer::EventPlayer(TablePresenter& presenter, table::TableView& view, QObject* parent)
    : QObject(parent), presenter_(presenter), view_(view) {
    frame_.setTimerType(Qt::PreciseTimer);
    connect(&frame_, &QTimer::timeout, this, &EventPlayer::onFrame);
    auto steady = std::make_shared<QElapsedTimer>();
    steady->start();
    clock_ = [steady] { return steady->elapsed(); };
}

void EventPlayer::holdFor(int ms) {
    if (ms <= 0 || fast_) return;
    // A hold that comes while another wait runs is added after it.
    const qint64 left = waitMs_ > 0 ? std::max<qint64>(0, waitFrom_ + waitMs_ - clock_()) : 0;
    waitFrom_ = clock_();
    waitMs_ = static_cast<int>(left) + ms;
    if (!frame_.isActive()) frame_.start(1);
}

void EventPlayer::play(const std::vector<TableEvent>& events) {
    for (const auto& e : events) queue_.push_back(e);
    if (!frame_.isActive()) frame_.start(1);
}

void EventPlayer::stop() {
    queue_.clear();
    flights_.clear();
    waitMs_ = 0;
    shake_ = 0;
    frame_.stop();
}

void EventPlayer::landFlights() {
    for (auto& f : flights_)
        if (f.leaveOnTable) presenter_.putCard(f.to, f.card);
    flights_.clear();
}

void EventPlayer::startFlight(const Card& c, const Place& from, const Place& to, bool faceUp,
                              bool land) {
    Flight f;
    f.picture = view_.cardImage(c, faceUp);
    const QPoint a = view_.placePoint(from), b = view_.placePoint(to);
    for (const auto& p : table::flightPath({a.x(), a.y()}, {b.x(), b.y()}))
        f.path.emplace_back(p.x, p.y);
    f.to = to;
    f.card = c;
    f.leaveOnTable = land;
    flights_.push_back(std::move(f));
}

void EventPlayer::onFrame() {
    // A frame never runs inside another (an audio device may let the event loop run while a
    // sound starts): the events keep their order.
    if (inFrame_) return;
    inFrame_ = true;
    struct Leave {
        bool& flag;
        ~Leave() { flag = false; }
    } leave{inFrame_};
    // A flight in progress: advance it by the time that has passed.
    if (!flights_.empty()) {
        stepBudget_ += 1.0;
        int stepsThisFrame = 0;
        while (!flights_.empty() && stepBudget_ > 0 && stepsThisFrame < 16) {
            bool any = false;
            for (auto& f : flights_) {
                if (f.at + 1 < f.path.size()) {
                    ++f.at;
                    any = true;
                }
            }
            ++stepsThisFrame;
            stepBudget_ -= pacer_.pauseAfterStep(speed_);
            if (!any) landFlights();
        }
        if (stepBudget_ > 0) stepBudget_ = 0;
        emit changed();
        if (!flights_.empty()) return;
    }
    if (shake_ > 0) {
        // A short shake to and fro, one offset every 40 ms, then the card back in its place.
        if (shakeAt_ >= 0 && clock_() - shakeAt_ < 40) return;
        shakeAt_ = clock_();
        const std::vector<int> offsets = table::shakeOffsets(view_.scales());
        const size_t frame = offsets.size() - static_cast<size_t>(shake_);
        --shake_;
        presenter_.shakeCard(shakeSlot_, frame < offsets.size() ? offsets[frame] : 0);
        if (shake_ > 0) return;
    }
    if (waitMs_ > 0) {
        if (clock_() - waitFrom_ < waitMs_) return;
        waitMs_ = 0;
    }
    while (!queue_.empty())
        if (!playOne()) break;
    emit changed();
    if (!busy()) {
        frame_.stop();
        emit idle();
    }
}

bool EventPlayer::playOne() {
    TableEvent e = std::move(queue_.front());
    queue_.pop_front();
    const bool animate = !fast_;
    const bool flying = animate && flying_ && speed_ < 7;
    if (auto* m = std::get_if<ev::MoveCard>(&e)) {
        const bool toTable = m->to.kind != Place::Kind::Hand;
        if (m->from.kind != Place::Kind::Hand && m->from.kind != Place::Kind::Deck)
            presenter_.takeCard(m->from);
        if (!flying || m->instant) {
            if (toTable) presenter_.putCard(m->to, m->card);
            return true;
        }
        const bool faceUp = m->to.kind != Place::Kind::Hand || m->to.index == 3 ||
                            m->from.kind != Place::Kind::Hand;
        startFlight(m->card, m->from, m->to, faceUp, toTable);
        return false;
    }
    if (auto* g = std::get_if<ev::GatherTrick>(&e)) {
        const Place winner{Place::Kind::Hand, g->winner};
        for (int p = 1; p <= 3; ++p) {
            const Place from{Place::Kind::Trick, (g->leader + p - 2) % 3 + 1};
            presenter_.takeCard(from);
            if (flying && !g->cards[static_cast<size_t>(p)].isEmpty())
                startFlight(g->cards[static_cast<size_t>(p)], from, winner, true, false);
        }
        return flights_.empty();
    }
    if (auto* p = std::get_if<ev::Pause>(&e)) {
        if (!animate || (p->onlyWithFlyingCards && !flying)) return true;
        waitMs_ = p->ms;
        waitFrom_ = clock_();
        return false;
    }
    if (auto* r = std::get_if<ev::RefuseCard>(&e)) {
        if (!animate) return true;
        shakeSlot_ = r->slot;
        shake_ = static_cast<int>(table::shakeOffsets(view_.scales()).size());
        shakeAt_ = -1;
        return false;
    }
    if (auto* sound = std::get_if<ev::Sound>(&e)) {
        // The talon's sounds go with the cards' flights when the cards fly, and hold the table
        // when they do not.
        const bool synchronous = sound->timing == ev::SoundTiming::Sync ||
                                 (sound->timing == ev::SoundTiming::SyncUnlessFlying && !flying);
        const int ms = playSound_ ? playSound_(sound->wave, synchronous) : 0;
        if (!synchronous || !animate || ms <= 0) return true;
        waitMs_ = ms;
        waitFrom_ = clock_();
        return false;
    }
    if (auto* speak = std::get_if<ev::SpeakCard>(&e)) {
        if (speak_) speak_(speak->card);
        return true;
    }
    presenter_.show(e);
    return true;
}

}  // namespace orvala::app
