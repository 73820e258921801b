#include "app/game_session.h"

#include <utility>

#include "core/game/shuffle.h"

namespace orvala::app {
namespace {

std::unique_ptr<RandomSource> makeRandom(const std::optional<std::uint64_t>& seed, int stream) {
    if (seed) return std::make_unique<SeededRandom>(*seed * 2 + static_cast<unsigned>(stream));
    return std::make_unique<ClockRandom>();
}

}  // namespace

GameSession::GameSession(std::optional<std::uint64_t> seed, bool demo, QObject* parent)
    : QObject(parent),
      shuffleRandom_(makeRandom(seed, 0)),
      playerRandom_(makeRandom(seed, 1)),
      computers_(*playerRandom_),
      pilot_(computers_),
      players_(demo ? static_cast<PlayersPort*>(&pilot_) : &computers_),
      demo_(demo),
      stopping_(std::make_shared<std::atomic<bool>>(false)) {
    // The search reports its progress from the worker; the bar is drawn on the window's thread.
    computers_.options().progress = [this](const ThinkingProgress& p) {
        const int percent = p.finished ? -1 : p.percent;
        const bool busy = p.layout == 0 && p.busyCursor;
        QMetaObject::invokeMethod(
            this, [this, percent, busy] { emit thinkingProgress(percent, busy); },
            Qt::QueuedConnection);
    };
    // A search under way when the window closes runs out of time at its next look at the clock.
    computers_.options().clock = [stop = stopping_] {
        const auto now = std::chrono::steady_clock::now();
        return stop->load() ? now + std::chrono::hours(1) : now;
    };
}

GameSession::~GameSession() {
    stopping_->store(true);
}

void GameSession::input(const Input& in) {
    // Leaving the game or starting another forgets any answer still being thought.
    if (std::holds_alternative<in::ExitToMenu>(in) || std::holds_alternative<in::NewGame>(in)) {
        stopping_->store(true);
        worker_.drop();
        ready_.reset();
        readyForLan_ = false;
    }
    if (tourney_) {
        tourney_->input(in);
        flushTourney();
        return;
    }
    if (lan_) {
        if (const auto* start = std::get_if<in::NewGame>(&in))
            lan_->startGame(start->player, s_.rules);
        else
            lan_->input(in);
        flushLan();
        return;
    }
    const std::vector<TableEvent> shown = apply(s_, in);
    if (!shown.empty()) emit events(shown);
    serveQuestion();
}

void GameSession::applyAll(const std::vector<Input>& inputs) {
    for (const Input& in : inputs)
        if (accepts(in)) input(in);
}

void GameSession::serveQuestion() {
    while (s_.pending && s_.pending->kind == Question::Kind::Deck) {
        const std::vector<TableEvent> shown = apply(s_, in::DeckAnswer{Shuffle(*shuffleRandom_)});
        if (!shown.empty()) emit events(shown);
    }
    if (!s_.pending || worker_.running() || ready_) return;
    if (s_.pending->kind == Question::Kind::Contract) {
        if (demo_)
            input(in::ContractAnswer{pilot_.AskContract(s_.g, s_.rules)});
        else
            emit contractAsked(s_.g.Contract, s_.rules.RuleRoundToFive);
        return;
    }
    // A computer seat's decision, thought on a copy of the state.
    // The shuffles' random source stays on this thread: only the players think elsewhere.
    worker_.run(
        [state = s_, players = players_, stop = stopping_] {
            stop->store(false);
            return std::vector<Input>{playersAnswer(state, *players)};
        },
        [this](std::vector<Input> answer) {
            ready_ = std::move(answer);
            emit answerReady();
        });
}

void GameSession::demoStep() {
    if (worker_.running() || ready_ || state().pending) return;
    if (lan_ && lan_->playersAwaited()) return;
    worker_.run(
        [state = state(), pilot = &pilot_, stop = stopping_] {
            stop->store(false);
            return pilot->next(state);
        },
        [this](std::vector<Input> inputs) {
            ready_ = std::move(inputs);
            emit answerReady();
        });
}

bool GameSession::deliver() {
    if (!ready_) return false;
    const std::vector<Input> inputs = std::move(*ready_);
    ready_.reset();
    const bool forLan = std::exchange(readyForLan_, false);
    if (lan_ && forLan) {
        // The players' answer for the LAN table: it goes to the peer as its own.
        for (const Input& in : inputs) lan_->playersAnswered(in);
        flushLan();
        return true;
    }
    applyAll(inputs);
    return true;
}

void GameSession::beginLan(lan::Session session) {
    worker_.drop();
    ready_.reset();
    readyForLan_ = false;
    // The peer answers the computer seat's questions with the computer players; the person's
    // contract is the window's dialog, or the demo's autopilot.
    lan_players_ = demo_ ? static_cast<PlayersPort*>(&pilot_) : players_;
    lan_ = std::make_unique<lan::LanPeer>(std::move(session), *lan_players_, *shuffleRandom_);
    lan_->askPersonsContract(!demo_);
    // The computer seat thinks on the worker, as against the computer.
    lan_->deferPlayers(true);
    lanAbortTold_ = contractTold_ = false;
    thoughtFor_.reset();
}

void GameSession::endLan() {
    // A thought for the table is forgotten with it.
    stopping_->store(true);
    worker_.drop();
    ready_.reset();
    readyForLan_ = false;
    lan_.reset();
    // Back to a table without a game, as at the program's start.
    RulesState fresh;
    fresh.rules = s_.rules;
    s_ = fresh;
}

void GameSession::beginTourney(int table, int seat, const PlayerStart& player,
                               const std::array<std::string, 4>& names) {
    worker_.drop();
    ready_.reset();
    readyForLan_ = false;
    // Three people at the table: the players answer nothing but the demo's contract.
    tourney_ = std::make_unique<tourney::TourneyPeer>(table, seat, pilot_, player);
    tourney_->setNames(names);
    tourney_->askPersonsContract(!demo_);
    tourney_->collectEvents(true);
    contractTold_ = false;
}

void GameSession::endTourney() {
    tourney_.reset();
    RulesState fresh;
    fresh.rules = s_.rules;
    s_ = fresh;
}

void GameSession::tourneyReceive(const std::string& frame) {
    if (!tourney_) return;
    tourney_->receive(frame);
    flushTourney();
}

void GameSession::tourneyLost() {
    if (!tourney_) return;
    tourney_->connectionLost();
    flushTourney();
}

void GameSession::tourneyChat(const std::string& text) {
    if (!tourney_) return;
    tourney_->chat(text);
    flushTourney();
}

void GameSession::tourneyTimeUp() {
    if (!tourney_) return;
    tourney_->timeUp();
    flushTourney();
}

void GameSession::tourneyLeave() {
    if (!tourney_) return;
    tourney_->leave();
    flushTourney();
}

void GameSession::tourneyReport() {
    if (!tourney_) return;
    tourney_->reportResult();
    flushTourney();
}

void GameSession::flushTourney() {
    const std::vector<TableEvent> shown = tourney_->takeEvents();
    for (const std::string& frame : tourney_->takeOutgoing())
        emit tourneySend(QByteArray::fromStdString(frame));
    if (!shown.empty()) emit events(shown);
    if (!tourney_) return;  // the game's end was taken and the table left
    const auto& pending = tourney_->state().pending;
    const bool contract = pending && pending->kind == Question::Kind::Contract;
    if (contract && !contractTold_)
        emit contractAsked(tourney_->state().g.Contract, tourney_->state().rules.RuleRoundToFive);
    contractTold_ = contract;
    emit tourneyChanged();
}

void GameSession::lanConnected() {
    if (!lan_) return;
    lan_->connected();
    flushLan();
}

void GameSession::lanReceive(int from, const std::string& message) {
    if (!lan_) return;
    lan_->receive(from, message);
    flushLan();
}

void GameSession::lanUnreadable() {
    if (!lan_) return;
    lan_->linkUnreadable();
    flushLan();
}

void GameSession::lanLinkLost() {
    if (!lan_) return;
    lan_->connectionLost();
    flushLan();
}

void GameSession::lanChat(const std::string& text) {
    if (!lan_) return;
    lan_->chat(text);
    flushLan();
}

void GameSession::flushLan() {
    const std::vector<TableEvent> shown = lan_->takeEvents();
    for (const lan::Send& out : lan_->takeOutgoing())
        emit lanSend(out.to, QByteArray::fromStdString(out.bytes));
    if (!shown.empty()) emit events(shown);
    emit lanChanged();
    if (lan_->aborted() && !lanAbortTold_) {
        lanAbortTold_ = true;
        emit lanAborted(QString::fromStdString(lan_->abortReason()));
    }
    const auto& pending = lan_->state().pending;
    const bool contract = pending && pending->kind == Question::Kind::Contract;
    if (contract && !contractTold_)
        emit contractAsked(lan_->state().g.Contract, lan_->state().rules.RuleRoundToFive);
    contractTold_ = contract;
    thinkForLan();
}

void GameSession::thinkForLan() {
    if (!lan_ || !lan_->playersAwaited() || worker_.running() || ready_) return;
    // A state thought about once without a usable answer is not thought about again.
    if (thoughtFor_ && *thoughtFor_ == lan_->state()) return;
    thoughtFor_ = lan_->state();
    worker_.run(
        [state = lan_->state(), seat = lan_->computerSeatHere(), players = lan_players_,
         stop = stopping_] {
            stop->store(false);
            std::vector<Input> answer;
            if (auto in = lan::LanPeer::playersMove(state, seat, *players)) answer.push_back(*in);
            return answer;
        },
        [this](std::vector<Input> answer) {
            ready_ = std::move(answer);
            readyForLan_ = true;
            emit answerReady();
        });
}

}  // namespace orvala::app
