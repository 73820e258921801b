// The end of a tournament game: how a game cut short is told, leaving it, and the finished
// game's report, then for both the history line and the lobby again.

#include <utility>

#include "app/club_records.h"
#include "app/game_session.h"
#include "app/shell.h"
#include "app/tourney/tourney_feature.h"
#include "app/tourney/tourney_game.h"
#include "core/lan/net_seats.h"
#include "core/online/account_rating.h"
#include "core/records/history_file.h"
#include "core/text/cp1251.h"
#include "dialogs/message_window.h"
#include "net/online_client.h"
#include "table/word_text.h"

namespace orvala::app {

void TourneyFeature::showTourneyEnding(const tourney::TourneyPeer& peer) {
    using tourney::Ending;
    const int seat = peer.endingSeat();
    if (peer.ending() == Ending::GameOver) return;
    if (peer.ending() == Ending::Aborted && seat == peer.seat()) return;  // this player left
    shell_.stopTable();
    const QString name = [&] {
        const int local = lan::localSeat(tourney::roleOfSeat(peer.seat()), seat);
        return QString::fromStdString(
            cp1251ToUtf8(peer.state().g.SeatNames[static_cast<std::size_t>(local)]));
    }();
    QWidget* window = &shell_.window();
    using table::word;
    if (peer.ending() == Ending::TimedOut && seat == peer.seat()) {
        shell_.playSound(Wave::WWrongs, false);
        dialogs::showMessage(window, word(WordRow::YourTimeIsUp), word(WordRow::YouLose));
    } else if (peer.ending() == Ending::TimedOut && seat != 0) {
        shell_.playSound(Wave::WKoGutX, false);
        dialogs::showMessage(
            window, word(WordRow::PlayerTimeUp) + " " + name + " " + word(WordRow::TimeIsUp),
            word(WordRow::YouWon));
    } else if (seat != 0) {
        shell_.playSound(Wave::WWrongs, false);
        dialogs::showMessage(
            window,
            word(WordRow::PlayerInterrupted) + " " + name + " " + word(WordRow::InterruptedTheGame),
            word(WordRow::YouWon));
    } else {
        // The connection closed, or the server sent what cannot be used.
        dialogs::showMessage(window, word(WordRow::LostConnectionWithServer));
    }
}

void TourneyFeature::leaveTourneyGame() {
    reopenLobby_ = true;
    writeTourneyHistory(std::nullopt);
    // The deal on the table is dropped.
    shell_.leaveGame(false);
}

void TourneyFeature::finishTourneyGame(int result) {
    // Seat 1's report of the result; the server counts the game itself and compares.
    if (TourneyGame* game = TourneyGame::of(shell_.session())) game->report();
    online::GameReport report;
    report.againstComputer = false;
    report.completedCycle = true;  // a tournament cycle is one game
    report.result = result;
    report.tournamentSeat1 = tourneyTable_->seat() == 1;
    shell_.online().post(online::gameReportRequest(online::gameReportValues(report)), {}, this);
    reopenLobby_ = true;
    writeTourneyHistory(result);
}

void TourneyFeature::writeTourneyHistory(std::optional<int> result) {
    const online::TourneyClient card = tourneyCard_;
    shell_.online().post(
        online::tourneyRatingRequest(card.Nick),
        [this, card, result](bool ok, const std::string& reply) {
            // Without an answer the card from before the game stands in, one game on.
            online::TourneyRating now{card.Score, card.Kon + 1, card.Rating};
            bool read = false;
            if (const auto r = ok ? online::readTourneyRating(reply) : std::nullopt) {
                now = *r;
                read = true;
            }
            // A game cut short counts as far as the server counted it: its score moved by the
            // result, in one more game.
            std::optional<int> counted = result;
            if (!counted && read && now.Kon == card.Kon + 1)
                counted = static_cast<int>(now.Score - card.Score);
            if (counted) {
                HistoryRecord r;
                r.Player = card.Nick;
                r.Games = 1;  // the line stands for this one game, whatever the total
                r.Result = *counted;
                r.Rating = static_cast<double>(now.Rating);
                r.Kind = HistoryKind::Tourney;
                if (!WriteHistory(historyFolder(shell_.club().folder()), {r},
                                  shell_.club().historyStamp(HistoryKind::Tourney))
                         .written)
                    dialogs::showMessage(&shell_.window(), "Cann`t save history!");
            }
            // The lobby opens again once the table has gone back to the menu.
            if (shell_.screen() == Screen::Menu && std::exchange(reopenLobby_, false))
                ShowTourney();
        },
        this);
}

}  // namespace orvala::app
