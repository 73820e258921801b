// The main window's part of the online tournament: the menu's cup and the lobby it opens, the
// game at the table with its move clocks and chat line, how a game cut short is told, and the
// end of a finished game (the result report, the history line and the lobby again).

#include <QPainter>
#include <QToolButton>

#include "app/tform1.h"
#include "core/lan/net_seats.h"
#include "core/online/account_rating.h"
#include "core/records/history_file.h"
#include "core/text/cp1251.h"
#include "dialogs/message_window.h"
#include "net/service_url.h"
#include "table/word_text.h"

namespace orvala::app {

void TForm1::createTourneyIcon() {
    TourneyIcon = new QToolButton(this);
    TourneyIcon->setObjectName("TourneyIcon");
    TourneyIcon->setAutoRaise(true);
    TourneyIcon->setToolTip(word(WordRow::WorldOnlineTournament));
    // A golden cup on its stand.
    QPixmap cup(64, 64);
    cup.fill(Qt::transparent);
    QPainter p(&cup);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor gold(235, 190, 40);
    p.setPen(QPen(gold.darker(170), 2));
    p.setBrush(gold);
    p.drawChord(QRect(12, -4, 40, 44), 180 * 16, 180 * 16);
    p.drawRect(29, 40, 6, 10);
    p.drawRect(20, 50, 24, 6);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRect(4, 20, 14, 14), 90 * 16, 180 * 16);
    p.drawArc(QRect(46, 20, 14, 14), 270 * 16, 180 * 16);
    p.end();
    TourneyIcon->setIcon(cup);
    TourneyIcon->hide();
    connect(TourneyIcon, &QToolButton::clicked, this, &TForm1::ShowTourney);

    tourneyTable_ = std::make_unique<TourneyTable>(session_, [this] { return busy(); });
    if (options_.fast) tourneyTable_->setPause(0);
    connect(tourneyTable_.get(), &TourneyTable::dealt, this, &TForm1::tourneyDealt);
    connect(tourneyTable_.get(), &TourneyTable::clockShown, this, [this](int seat, int seconds) {
        if (screen_ != Screen::Game) return;
        for (int s = 1; s <= 3; ++s)
            if (seat == 0 || s == seat) view_.moveClock(s, s == seat ? seconds : -1);
        update();
    });
    connect(tourneyTable_.get(), &TourneyTable::tick, this,
            [this](Wave wave) { PlaySoundEvent(wave, false); });
    connect(&session_, &GameSession::tourneyChanged, this, &TForm1::syncTourney);
}

void TForm1::ShowTourney() {
    PlaySoundEvent(Wave::WOpenFo, false);
    if (accountState_ == online::AccountState::LoggedOut || !account_) {
        dialogs::showMessage(this, word(WordRow::LogInToYourAccount));
        return;
    }
    if (tourney_) {
        if (tourney_->dialog()) tourney_->dialog()->raise();
        return;
    }
    TourneyLobby::Setup setup;
    setup.account = *account_;
    setup.administrator = account_->Nick == online::kTourneyAdministrator;
    setup.serviceBase = net::serviceUrl().toString();
    setup.failed = [this] { PlaySoundEvent(Wave::WWrongs, false); };
    tourney_ = new TourneyLobby(*online_, *tourneyTable_, std::move(setup), this);
    connect(tourney_, &TourneyLobby::closed, tourney_, &QObject::deleteLater);
    tourney_->open();
}

void TForm1::tourneyDealt() {
    // Nobody is at the menu to play it (the lobby was closed meanwhile): the table is left.
    if (!tourney_ || screen_ != Screen::Menu) {
        tourneyTable_->leave();
        return;
    }
    tourneyCard_ = tourney_->player();
    // The nicks at the table are read once more: the third may have sat down since the lobby
    // was last drawn, which stands in when the service does not answer.
    const int table = tourneyTable_->table();
    const std::array<std::string, 4> drawn = tourney_->handOver();
    online_->post(
        online::tourneyTablesRequest(),
        [this, table, drawn](bool ok, const std::string& reply) {
            std::array<std::string, 4> names = drawn;
            const auto read = ok ? online::readTourneyTables(reply) : std::nullopt;
            if (read)
                for (std::size_t s = 1; s <= 3; ++s)
                    if (const auto nick = online::tableNicks(*read, table)[s]; !nick.empty())
                        names[s] = nick;
            startTourneyGame(names);
        },
        this);
}

void TForm1::startTourneyGame(const std::array<std::string, 4>& names) {
    if (screen_ != Screen::Menu || !account_ || tourneyTable_->seat() == 0) {
        tourneyTable_->leave();
        return;
    }
    // A tournament game belongs to the account, not to a member of the club.
    member_.reset();
    memberNetwork_ = true;
    enterTable(nullptr);
    PlayerStart player;
    player.name = account_->Nick;
    session_.beginTourney(tourneyTable_->table(), tourneyTable_->seat(), player, names);
    tourneyEndShown_ = false;
    chatHeard_ = 0;
    tourneyTable_->start();
    syncControls();
}

bool TForm1::tourneyCutShort() const {
    const tourney::TourneyPeer* peer = session_.tourney();
    return peer && screen_ == Screen::Game && peer->ending() != tourney::Ending::None &&
           peer->ending() != tourney::Ending::GameOver;
}

void TForm1::syncTourney() {
    const tourney::TourneyPeer* peer = session_.tourney();
    const bool game = screen_ == Screen::Game;
    chat_->setVisible(peer && game);
    expectation_->hide();
    if (!peer || !game) return;
    const RulesState& s = peer->state();
    chat_->setActive(peer->ending() == tourney::Ending::None && tourneyTable_->connected() &&
                     s.g.GameRunning);
    const auto& lines = peer->chatLines();
    chat_->setLines(lines);
    for (; chatHeard_ < lines.size(); ++chatHeard_)
        if (lines[chatHeard_].sender != peer->seat()) PlaySoundEvent(Wave::WToMenK, false);
    if (peer->ending() != tourney::Ending::None && !tourneyEndShown_) {
        tourneyEndShown_ = true;
        showTourneyEnding(*peer);
        syncControls();
    }
}

void TForm1::showTourneyEnding(const tourney::TourneyPeer& peer) {
    using tourney::Ending;
    const int seat = peer.endingSeat();
    if (peer.ending() == Ending::GameOver) return;
    if (peer.ending() == Ending::Aborted && seat == peer.seat()) return;  // this player left
    player_.stop();
    contractAsked_.reset();
    const QString name = [&] {
        const int local = lan::localSeat(tourney::roleOfSeat(peer.seat()), seat);
        return QString::fromStdString(
            cp1251ToUtf8(peer.state().g.SeatNames[static_cast<std::size_t>(local)]));
    }();
    if (peer.ending() == Ending::TimedOut && seat == peer.seat()) {
        PlaySoundEvent(Wave::WWrongs, false);
        dialogs::showMessage(this, word(WordRow::YourTimeIsUp), word(WordRow::YouLose));
    } else if (peer.ending() == Ending::TimedOut && seat != 0) {
        PlaySoundEvent(Wave::WKoGutX, false);
        dialogs::showMessage(
            this, word(WordRow::PlayerTimeUp) + " " + name + " " + word(WordRow::TimeIsUp),
            word(WordRow::YouWon));
    } else if (seat != 0) {
        PlaySoundEvent(Wave::WWrongs, false);
        dialogs::showMessage(this,
                             word(WordRow::PlayerInterrupted) + " " + name + " " +
                                 word(WordRow::InterruptedTheGame),
                             word(WordRow::YouWon));
    } else {
        // The connection closed, or the server sent what cannot be used.
        dialogs::showMessage(this, word(WordRow::LostConnectionWithServer));
    }
}

void TForm1::leaveTourneyGame() {
    if (gif_.recording()) gif_.discard();
    player_.stop();
    reopenLobby_ = true;
    writeTourneyHistory(std::nullopt);
    showMenu();
}

void TForm1::finishTourneyGame(int result) {
    // Seat 1's report of the result; the server counts the game itself and compares.
    session_.tourneyReport();
    online::GameReport report;
    report.againstComputer = false;
    report.completedCycle = true;  // a tournament cycle is one game
    report.result = result;
    report.tournamentSeat1 = tourneyTable_->seat() == 1;
    online_->post(online::gameReportRequest(online::gameReportValues(report)), {}, this);
    reopenLobby_ = true;
    writeTourneyHistory(result);
}

void TForm1::writeTourneyHistory(std::optional<int> result) {
    const online::TourneyClient card = tourneyCard_;
    online_->post(
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
                r.Games = static_cast<int>(now.Kon);
                r.Result = *counted;
                r.Rating = static_cast<double>(now.Rating);
                r.Kind = HistoryKind::Tourney;
                if (!WriteHistory(historyFolder(records_.folder()), {r}, localHistoryStamp())
                         .written)
                    dialogs::showMessage(this, "Cann`t save history!");
            }
            // The lobby opens again once the table has gone back to the menu.
            if (screen_ == Screen::Menu && std::exchange(reopenLobby_, false)) ShowTourney();
        },
        this);
}

void TForm1::endTourneyTable() {
    const tourney::TourneyPeer* peer = session_.tourney();
    if (!peer) return;
    // Leaving a game under way tells the table ("disA"); a finished one has said all.
    if (peer->ending() == tourney::Ending::None) session_.tourneyLeave();
    tourneyTable_->close();
    session_.endTourney();
    chatHeard_ = 0;
    syncLan();
}

}  // namespace orvala::app
