#include "app/tourney/tourney_feature.h"

#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <utility>

#include "app/account_holder.h"
#include "app/deal_panel_hint.h"
#include "app/game_session.h"
#include "app/lan_chat_panel.h"
#include "app/shell.h"
#include "app/tourney/tourney_cup.h"
#include "app/tourney/tourney_game.h"
#include "core/game/rules_input.h"
#include "core/records/game_end.h"
#include "core/text/cp1251.h"
#include "dialogs/count_dialog.h"
#include "dialogs/message_window.h"
#include "net/online_client.h"
#include "table/table_geometry.h"
#include "table/picture_store.h"
#include "table/table_view.h"
#include "table/word_text.h"

namespace orvala::app {

TourneyFeature::TourneyFeature(Shell& shell) : shell_(shell) {
    QWidget* window = &shell_.window();
    TourneyIcon = new QToolButton(window);
    TourneyIcon->setObjectName("TourneyIcon");
    TourneyIcon->setAutoRaise(true);
    TourneyIcon->setToolTip(table::word(WordRow::WorldOnlineTournament));
    TourneyIcon->setIcon(tourneyCup());
    TourneyIcon->hide();
    connect(TourneyIcon, &QToolButton::clicked, this, &TourneyFeature::ShowTourney);

    tourneyTable_ = std::make_unique<TourneyTable>([this] { return shell_.busy(); });
    if (shell_.launch().fast) tourneyTable_->setPause(0);
    connect(tourneyTable_.get(), &TourneyTable::dealt, this, &TourneyFeature::tourneyDealt);
    connect(tourneyTable_.get(), &TourneyTable::clockShown, this, [this](int seat, int seconds) {
        if (shell_.screen() != Screen::Game) return;
        for (int s = 1; s <= 3; ++s)
            if (seat == 0 || s == seat) shell_.view().moveClock(s, s == seat ? seconds : -1);
        shell_.window().update();
    });
    connect(tourneyTable_.get(), &TourneyTable::tick, this,
            [this](Wave wave) { shell_.playSound(wave, false); });

    // The table's chat line, where the LAN table has its own.
    chat_ = new LanChatPanel(window);
    chat_->hide();
    connect(chat_, &LanChatPanel::sent, this, [this](const QString& text) {
        if (TourneyGame* game = TourneyGame::of(shell_.session()))
            game->chat(utf8ToCp1251(text.toStdString()));
    });
    new DealPanelHint(shell_, [this] { return summary(); }, this);
}

TourneyFeature::~TourneyFeature() = default;

void TourneyFeature::applyLanguage() {
    TourneyIcon->setToolTip(table::word(WordRow::WorldOnlineTournament));
}

const tourney::TourneyPeer* TourneyFeature::peer() const {
    const TourneyGame* game = TourneyGame::of(shell_.session());
    return game ? &game->peer() : nullptr;
}

void TourneyFeature::screenShown(Screen screen) {
    if (screen == Screen::Game) {
        TourneyIcon->hide();
        return;
    }
    if (screen != Screen::Menu) return;
    // Leaving a tournament game, finished or not, closes its table.
    endTourneyTable();
    TourneyIcon->show();
    // The lobby comes back after its game.
    if (std::exchange(reopenLobby_, false))
        QTimer::singleShot(0, this, &TourneyFeature::ShowTourney);
}

void TourneyFeature::contextMenu(ContextMenu& menu) {
    if (shell_.screen() == Screen::Game && shell_.gameOwner() == this)
        menu.offer(WordRow::GeneralScore, peer() != nullptr, [this] { showScoreSummary(); });
}

void TourneyFeature::showScoreSummary() {
    const tourney::TourneyPeer* p = peer();
    if (!p || shell_.screen() != Screen::Game) return;
    shell_.playSound(Wave::WOpenFo, false);
    dialogs::CountQuestion q;
    q.player = QString::fromStdString(cp1251ToUtf8(tourneyCard_.Nick));
    q.values = *summary();
    q.accountState = static_cast<int>(shell_.account().state());
    q.lamp = shell_.pictures().picture(shell_.account().lampName());
    (new dialogs::TFormCount(q, &shell_.window()))->open();
}

std::optional<ScoreSummary> TourneyFeature::summary() const {
    const tourney::TourneyPeer* p = peer();
    if (!p || shell_.gameOwner() != this) return std::nullopt;
    const online::TourneyClient& card = tourneyCard_;
    return tourneyScoreSummary(card.Kon, card.Score, card.Rating, resultSoFar(p->state().g));
}

void TourneyFeature::layout() {
    const auto r = table::mapRect(shell_.view().scales(), 684, 4, 34, 34);
    TourneyIcon->setGeometry(r.left, r.top, r.width, r.height);
    TourneyIcon->setIconSize(TourneyIcon->size());
    const auto& memo = shell_.view().layout().memo;
    chat_->setGeometry(memo.left, memo.top, memo.width, memo.height);
}

void TourneyFeature::gameFinished(int result) {
    finishTourneyGame(result);
}

void TourneyFeature::tableReady() {
    // A step that waited for the table is applied now.
    tourneyTable_->pump();
}

void TourneyFeature::tableStill() {
    // A new deal clears the table: the move clock is drawn again over what the events drew.
    const tourney::MoveClock& clock = tourneyTable_->clock();
    if (shell_.screen() == Screen::Game && peer() && clock.seat() != 0) {
        shell_.view().moveClock(clock.seat(), clock.seconds());
        shell_.window().update();
    }
}

void TourneyFeature::controlsShown() {
    if (peer()) syncTourney();
}

bool TourneyFeature::cutShort() const {
    const tourney::TourneyPeer* p = peer();
    return p && shell_.screen() == Screen::Game && p->ending() != tourney::Ending::None &&
           p->ending() != tourney::Ending::GameOver;
}

void TourneyFeature::leaveCutShort() {
    // A game cut short is left as a finished one.
    leaveTourneyGame();
}

void TourneyFeature::ShowTourney() {
    shell_.playSound(Wave::WOpenFo, false);
    const AccountHolder& holder = shell_.account();
    const std::optional<online::Account>& account = holder.account();
    if (holder.state() == online::AccountState::LoggedOut || !account) {
        dialogs::showMessage(&shell_.window(), table::word(WordRow::LogInToYourAccount));
        return;
    }
    if (tourney_) {
        if (tourney_->dialog()) tourney_->dialog()->raise();
        return;
    }
    TourneyLobby::Setup setup;
    setup.account = *account;
    setup.administrator = account->Nick == online::kTourneyAdministrator;
    setup.serviceBase = shell_.serviceUrl().toString();
    setup.failed = [this] { shell_.playSound(Wave::WWrongs, false); };
    tourney_ =
        new TourneyLobby(shell_.online(), *tourneyTable_, std::move(setup), &shell_.window());
    connect(tourney_, &TourneyLobby::closed, tourney_, &QObject::deleteLater);
    tourney_->open();
}

void TourneyFeature::tourneyDealt() {
    // Nobody is at the menu to play it (the lobby was closed meanwhile): the table is left.
    if (!tourney_ || shell_.screen() != Screen::Menu) {
        tourneyTable_->leave();
        return;
    }
    tourneyCard_ = tourney_->player();
    // The nicks at the table are read once more: the third may have sat down since the lobby
    // was last drawn, which stands in when the service does not answer.
    const int table = tourneyTable_->table();
    const std::array<std::string, 4> drawn = tourney_->handOver();
    shell_.online().post(
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

void TourneyFeature::startTourneyGame(const std::array<std::string, 4>& names) {
    const std::optional<online::Account>& account = shell_.account().account();
    if (shell_.screen() != Screen::Menu || !account || tourneyTable_->seat() == 0) {
        tourneyTable_->leave();
        return;
    }
    // A tournament game belongs to the account, not to a member of the club: the table is this
    // feature's, and so is the game's end.
    shell_.enterTable(this);
    PlayerStart player;
    player.name = account->Nick;
    auto owned = std::make_unique<TourneyGame>(shell_.session().tools(), tourneyTable_->table(),
                                               tourneyTable_->seat(), player, names);
    // The move clock follows the game before the window shows it.
    tourneyTable_->setGame(owned.get());
    connect(owned.get(), &TourneyGame::changed, this, &TourneyFeature::syncTourney);
    shell_.session().play(std::move(owned));
    tourneyEndShown_ = false;
    chatHeard_ = 0;
    tourneyTable_->start();
    shell_.syncControls();
}

void TourneyFeature::syncTourney() {
    const tourney::TourneyPeer* p = peer();
    const bool game = shell_.screen() == Screen::Game;
    chat_->setVisible(p && game);
    if (!p) chat_->setActive(false);
    if (!p || !game) return;
    const RulesState& s = p->state();
    chat_->setActive(p->ending() == tourney::Ending::None && tourneyTable_->connected() &&
                     s.g.GameRunning);
    const auto& lines = p->chatLines();
    chat_->setLines(lines);
    for (; chatHeard_ < lines.size(); ++chatHeard_)
        if (lines[chatHeard_].sender != p->seat()) shell_.playSound(Wave::WToMenK, false);
    if (p->ending() != tourney::Ending::None && !tourneyEndShown_) {
        tourneyEndShown_ = true;
        showTourneyEnding(*p);
        shell_.syncControls();
    }
}

void TourneyFeature::endTourneyTable() {
    const tourney::TourneyPeer* p = peer();
    if (!p) return;
    // Leaving a game under way tells the table ("disA"); a finished one has said all.
    if (p->ending() == tourney::Ending::None) TourneyGame::of(shell_.session())->leave();
    tourneyTable_->close();
    shell_.session().endTable();
    chatHeard_ = 0;
    syncTourney();
}

}  // namespace orvala::app
