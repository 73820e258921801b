#include "app/game_session.h"

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
    if (worker_.running() || ready_ || s_.pending) return;
    worker_.run(
        [state = s_, pilot = &pilot_, stop = stopping_] {
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
    applyAll(inputs);
    return true;
}

}  // namespace orvala::app
