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
#include "core/records/game_end.h"


namespace orvala::app {

class Shell;

// How a game for the global rating ended on the service, for the member's account line and the
// account's end-of-cycle window.
struct AccountGameEnd {
    // The account's rating after the game as the service keeps it: the real result's, or the
    // provisional loss's when the real result could not be written.
    double rating = 0;
    bool cycleEnd = false;         // the game closed the account's cycle
    std::int64_t cycleScore = 0;   // the closed cycle's score
    std::int64_t place = 0;        // its place in the account table (0: not written)
};

class GlobalGame final : public QObject {
  public:
    // `startGame`: the game on the table once the service took its start, when the menu is
    // still shown. `memberDone`: the member's end of the game, with its result and, for a game
    // that counted for the global rating, how the service took it.
    using MemberDone = std::function<void(int, std::optional<AccountGameEnd>)>;
    GlobalGame(Shell& shell, std::function<void()> startGame, MemberDone memberDone);

    // A game against the computer for an account in the global rating waits for the service
    // (true); any other starts at once (false).
    bool begin(bool network);
    // The service is asked about the account's game: no new game meanwhile.
    bool busy() const { return busy_; }
    // The game under way counts for the global rating.
    bool counts() const { return start_.has_value(); }
    // The end of the game: through the service for the global rating, then `memberDone`.
    void finish(int result);
    // The window closes on a finished game that counted but was not left: the service keeps
    // the provisional loss, and the account's line says so. None for any other game.
    std::optional<AccountGameEnd> abandon();
    // The account's column of the score summary, for a game that counts for the global rating.
    void summarize(ScoreSummary& values) const;

  private:
    void startAttempt(int attempt, std::optional<online::GameResults> read);
    void finishAttempt(std::optional<online::GameResults> computed, int result);
    void writeCycleRecord(std::int64_t score, int result);
    void done(int result);

    Shell& shell_;
    std::function<void()> startGame_;
    MemberDone memberDone_;
    // The account's results before the game, while one is played.
    std::optional<online::GameResults> start_;
    // The service's side of the game's end, as far as it went.
    AccountGameEnd end_;
    bool busy_ = false;
};

}  // namespace orvala::app
