#include "app/records/global_game.h"

#include <QTimer>
#include <cmath>

#include "app/account_holder.h"
#include "app/shell.h"
#include "core/online/account_rating.h"
#include "dialogs/confirmation.h"
#include "dialogs/message_window.h"
#include "net/online_client.h"
#include "table/word_text.h"

namespace orvala::app {

using online::AccountState;
using online::GameResults;

GlobalGame::GlobalGame(Shell& shell, std::function<void()> startGame, MemberDone memberDone)
    : shell_(shell), startGame_(std::move(startGame)), memberDone_(std::move(memberDone)) {}

bool GlobalGame::begin(bool network) {
    start_.reset();
    // The global rating counts games against the computer; a LAN table starts at once.
    const AccountHolder& account = shell_.account();
    if (account.state() != AccountState::GlobalRating || !account.account() ||
        shell_.launch().demo || network)
        return false;
    busy_ = true;
    startAttempt(0, std::nullopt);
    return true;
}

// The results are read once; the write of one more game with the provisional loss is the same
// write each time, so sending it again after a lost answer counts the game only once. A failed
// step sounds "WWrongs" and is tried again after 2 and then 3 seconds.
void GlobalGame::startAttempt(int attempt, std::optional<GameResults> read) {
    const auto failed = [this, attempt](std::optional<GameResults> read) {
        shell_.playSound(Wave::WWrongs, false);
        if (attempt >= 2) {
            busy_ = false;
            shell_.account().setState(AccountState::LoggedOut);
            dialogs::showMessage(&shell_.window(), table::word(WordRow::CouldNotConnectToServer));
            return;
        }
        const int delay = shell_.launch().fast ? 1 : (attempt == 0 ? 2000 : 3000);
        QTimer::singleShot(delay, this, [this, attempt, read] { startAttempt(attempt + 1, read); });
    };
    const auto& account = shell_.account().account();
    if (!account) {  // signed out meanwhile: the game waits for nothing
        busy_ = false;
        return;
    }
    const online::Account& a = *account;
    if (!read) {
        shell_.online().post(
            online::readResultsRequest(a.Nick, a.Pw),
            [this, attempt, failed](bool ok, const std::string& reply) {
                const auto results = ok ? online::readResultsReply(reply) : std::nullopt;
                if (results)
                    startAttempt(attempt, results);
                else
                    failed(std::nullopt);
            },
            this);
        return;
    }
    shell_.online().post(
        online::writeResultsRequest(a.Nick, a.Pw, online::startedGame(*read)),
        [this, read, failed](bool ok, const std::string& reply) {
            if (!ok || !online::readOkReply(reply)) return failed(read);
            busy_ = false;
            start_ = *read;
            if (shell_.screen() == Screen::Menu) startGame_();
        },
        this);
}

void GlobalGame::finish(int result) {
    if (!start_) return memberDone_(result, std::nullopt);
    // Until the real result is written, the service holds the provisional loss.
    end_ = {};
    end_.rating = online::startedGame(*start_).Rating;
    busy_ = true;
    if (!shell_.account().account()) return done(result);  // signed out during the game
    finishAttempt({}, result);
}

std::optional<AccountGameEnd> GlobalGame::abandon() {
    if (!start_) return std::nullopt;
    AccountGameEnd end;
    end.rating = online::startedGame(*start_).Rating;
    start_.reset();
    return end;
}

// The real result replaces the provisional loss: read, computed, written; a failure asks whether
// to try again, and "No" leaves the service's counters with the provisional loss.
void GlobalGame::finishAttempt(std::optional<GameResults> computed, int result) {
    const auto& account = shell_.account().account();
    if (!account) return done(result);  // signed out while asked to repeat
    const online::Account& a = *account;
    const GameResults atStart = *start_;
    const auto askAgain = [this, result](std::optional<GameResults> computed) {
        dialogs::askYesNo(
            &shell_.window(),
            table::word(WordRow::CouldNotConnectToServer) + "\n" + table::word(WordRow::Repeat),
            [this, computed, result](bool yes) {
                if (yes)
                    finishAttempt(computed, result);
                else
                    done(result);
            });
    };
    if (!computed) {
        shell_.online().post(
            online::readResultsRequest(a.Nick, a.Pw),
            [this, atStart, result, askAgain](bool ok, const std::string& reply) {
                const auto read = ok ? online::readResultsReply(reply) : std::nullopt;
                if (!read) return askAgain(std::nullopt);
                finishAttempt(online::finishedGame(*read, atStart, result), result);
            },
            this);
        return;
    }
    shell_.online().post(
        online::writeResultsRequest(a.Nick, a.Pw, *computed),
        [this, computed, atStart, result, askAgain](bool ok, const std::string& reply) {
            if (!ok || !online::readOkReply(reply)) return askAgain(computed);
            end_.rating = computed->Rating;
            if (online::closedCycle(atStart, *computed)) {
                end_.cycleEnd = true;
                end_.cycleScore = atStart.Score + result;
                writeCycleRecord(end_.cycleScore, result);
            } else {
                done(result);
            }
        },
        this);
}

// A closed cycle goes into the account table; the service pays its places (25 Zors for the
// first, 10 for the others of the ten) and the balance is read back.
void GlobalGame::writeCycleRecord(std::int64_t score, int result) {
    const auto& account = shell_.account().account();
    if (!account) return done(result);
    const online::Account& a = *account;
    online::RecordEntry e;
    e.gid = online::kAccountTable;
    e.nick = a.Nick;
    e.city = a.City;
    e.country = a.Country1;
    e.sex = a.Sex;
    e.score = score;
    e.pw = a.Pw;
    shell_.online().post(
        online::recordWriteRequest(e),
        [this, score, result](bool ok, const std::string& reply) {
            const auto place = ok ? online::readNumberReply(reply) : std::nullopt;
            if (!place || *place < 1) {
                dialogs::askYesNo(
                    &shell_.window(),
                    table::word(WordRow::UnableToWriteResult) + " " + table::word(WordRow::Repeat),
                    [this, score, result](bool yes) {
                        if (yes)
                            writeCycleRecord(score, result);
                        else
                            done(result);
                    });
                return;
            }
            end_.place = *place;
            const auto& account = shell_.account().account();
            if (!account) return done(result);
            shell_.online().post(
                online::readBalanceRequest(account->Nick),
                [this, result](bool ok, const std::string& reply) {
                    const auto b = ok ? online::readBalanceReply(reply) : std::nullopt;
                    auto& slot = *shell_.account().accountSlot();
                    if (b && slot) {
                        slot->R04 = *b;
                        shell_.account().touch();
                    }
                    done(result);
                },
                this);
        },
        this);
}

void GlobalGame::done(int result) {
    busy_ = false;
    AccountHolder& account = shell_.account();
    account.setState(account.state() == AccountState::GlobalRating ? AccountState::LoggedIn
                                                                   : account.state());
    start_.reset();
    memberDone_(result, end_);
}

void GlobalGame::summarize(ScoreSummary& values) const {
    if (!start_) return;
    // A game for the global rating counts the account's games and shows its rating.
    values.gamesInCycle = std::to_string(start_->Kon + 1);
    values.ratingBefore = std::to_string(std::llround(start_->Rating));
    values.ratingNow = "?";
}

}  // namespace orvala::app
