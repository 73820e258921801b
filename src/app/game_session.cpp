#include "app/game_session.h"

#include <utility>

#include "app/computer_table.h"

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
    table_ = std::make_unique<ComputerTable>(tools(), rules_);
    table_->attach(*this);
}

GameSession::~GameSession() {
    stopping_->store(true);
}

SessionTable::Tools GameSession::tools() {
    SessionTable::Tools t;
    t.players = players_;
    t.pilot = &pilot_;
    t.shuffles = shuffleRandom_.get();
    t.demo = demo_;
    return t;
}

void GameSession::dropThought() {
    worker_.drop();
    ready_.reset();
    readyForTable_ = false;
}

void GameSession::play(std::unique_ptr<SessionTable> table) {
    dropThought();
    table_ = std::move(table);
    table_->attach(*this);
    table_->setRules(rules_);
}

void GameSession::endTable() {
    // A thought for the table is forgotten with it.
    stopping_->store(true);
    dropThought();
    // Back to a table without a game, as at the program's start.
    play(std::make_unique<ComputerTable>(tools(), rules_));
}

void GameSession::setRules(const RuleSettings& rules) {
    rules_ = rules;
    table_->setRules(rules);
}

void GameSession::setPlayers(PlayersPort* players) {
    players_ = players ? players : &computers_;
    table_->setPlayers(players_);
}

void GameSession::input(const Input& in) {
    // Leaving the game or starting another forgets any answer still being thought.
    if (std::holds_alternative<in::ExitToMenu>(in) || std::holds_alternative<in::NewGame>(in)) {
        stopping_->store(true);
        dropThought();
    }
    table_->input(in);
}

void GameSession::applyAll(const std::vector<Input>& inputs) {
    for (const Input& in : inputs)
        if (accepts(in)) input(in);
}

void GameSession::demoStep() {
    if (!mayThink() || state().pending || !table_->personMayThink()) return;
    worker_.run(
        [state = state(), pilot = &pilot_, stop = stopping_] {
            stop->store(false);
            return pilot->next(state);
        },
        [this](std::vector<Input> inputs) {
            ready_ = std::move(inputs);
            readyForTable_ = false;
            emit answerReady();
        });
}

bool GameSession::deliver() {
    if (!ready_) return false;
    const std::vector<Input> inputs = std::move(*ready_);
    ready_.reset();
    // The table's own thought goes back to it; the demo's moves are the person's inputs.
    if (std::exchange(readyForTable_, false))
        table_->answer(inputs);
    else
        applyAll(inputs);
    return true;
}

void GameSession::show(const std::vector<TableEvent>& shown) {
    emit events(shown);
}

void GameSession::askContract(int contract, bool roundToFive) {
    emit contractAsked(contract, roundToFive);
}

bool GameSession::mayThink() const {
    return !worker_.running() && !ready_;
}

void GameSession::think(std::function<std::vector<Input>()> job) {
    worker_.run(
        [job = std::move(job), stop = stopping_] {
            stop->store(false);
            return job();
        },
        [this](std::vector<Input> answer) {
            ready_ = std::move(answer);
            readyForTable_ = true;
            emit answerReady();
        });
}

}  // namespace orvala::app
