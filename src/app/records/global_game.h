#pragma once
// A member's game played for the account's global rating: before it starts, the service holds
// one more game with a provisional loss; at its end the real result replaces it, and a closed
// cycle goes into the account table. The account holder follows each step (the busy account,
// the rating's state), and the member's own end of the game comes after the service's.

#include <QObject>
#include <cstdint>
#include <functional>
#include <optional>

#include "core/online/operations.h"

namespace orvala::dialogs {
struct CountQuestion;
}

namespace orvala::app {

class Shell;

class GlobalGame final : public QObject {
  public:
    // `startGame`: the game on the table once the service took its start, when the menu is
    // still shown. `memberDone`: the member's end of the game, with its result.
    GlobalGame(Shell& shell, std::function<void()> startGame, std::function<void(int)> memberDone);

    // A game against the computer for an account in the global rating waits for the service
    // (true); any other starts at once (false).
    bool begin(bool network);
    // The service is asked about the account's game: no new game meanwhile.
    bool busy() const { return busy_; }
    // The game under way counts for the global rating.
    bool counts() const { return start_.has_value(); }
    // The end of the game: through the service for the global rating, then `memberDone`.
    void finish(int result);
    // The account's column of the score summary.
    void summarize(dialogs::CountQuestion& q) const;

  private:
    void startAttempt(int attempt, std::optional<online::GameResults> read);
    void finishAttempt(std::optional<online::GameResults> computed, int result);
    void writeCycleRecord(std::int64_t score, int result);
    void done(int result);

    Shell& shell_;
    std::function<void()> startGame_;
    std::function<void(int)> memberDone_;
    // The account's results before the game, while one is played.
    std::optional<online::GameResults> start_;
    bool busy_ = false;
};

}  // namespace orvala::app
