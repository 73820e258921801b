#include "app/lan/lan_feature.h"

#include <QDesktopServices>
#include <QLabel>
#include <QUrl>
#include <algorithm>

#include "app/game_session.h"
#include "app/lan/lan_game.h"
#include "app/lan_chat_panel.h"
#include "app/member_games.h"
#include "app/shell.h"
#include "app/table_presenter.h"
#include "core/lan/session.h"
#include "core/records/club_member.h"
#include "core/settings/settings.h"
#include "core/text/cp1251.h"
#include "dialogs/message_window.h"
#include "dialogs/password_dialog.h"
#include "dialogs/wait_dialog.h"
#include "net/local_addresses.h"
#include "net/online_client.h"
#include "table/table_geometry.h"
#include "table/table_view.h"
#include "table/word_text.h"

namespace orvala::app {

LanFeature::LanFeature(Shell& shell) : shell_(shell) {
    QWidget* window = &shell_.window();
    chat_ = new LanChatPanel(window);
    chat_->hide();
    connect(chat_, &LanChatPanel::sent, this, [this](const QString& text) {
        if (LanGame* game = LanGame::of(shell_.session()))
            game->chat(utf8ToCp1251(text.toStdString()));
    });
    expectation_ = new QLabel(window);
    expectation_->setObjectName("Expectation");
    expectation_->setAlignment(Qt::AlignCenter);
    expectation_->setAttribute(Qt::WA_TransparentForMouseEvents);
    expectation_->hide();
}

LanFeature::~LanFeature() = default;

const lan::LanPeer* LanFeature::peer() const {
    const LanGame* game = LanGame::of(shell_.session());
    return game ? &game->peer() : nullptr;
}

void LanFeature::screenShown(Screen screen) {
    // Leaving a LAN game, finished or not, closes its table.
    if (screen == Screen::Menu) endLanTable();
}

void LanFeature::layout() {
    layoutLan();
}

void LanFeature::tableReady() {
    // A step that waited for the table is applied now.
    if (lan_) lan_->pump();
}

void LanFeature::controlsShown() {
    if (peer()) syncLan();
}

void LanFeature::loginOpened(dialogs::TFormPassword& login) {
    // In network mode every new game is a LAN game: the form asks for the table too.
    if (login.Lan) wireLanFields(login.Lan);
    connect(&login, &dialogs::TFormPassword::lanStartAsked, this,
            [this, form = &login](const ClubMember& m, const dialogs::LanStart& start) {
                startLanTable(form, m, start);
            });
}

void LanFeature::shutDown() {
    lan_.reset();
}

void LanFeature::wireLanFields(dialogs::LanLoginFields* fields) {
    connect(fields, &dialogs::LanLoginFields::addressesAsked, fields, [this, fields] {
        // This machine's interfaces, then its address as the Internet sees it (filled in when
        // the service answers), then the loopback.
        QStringList lines = net::interfaceAddresses();
        QStringList hints;
        for (int i = 0; i < lines.size(); ++i) hints << QString();
        const QString base = shell_.serviceUrl().toString();
        const int external = static_cast<int>(lines.size());
        lines << QString() << "127.0.0.1";
        hints << base << "Loop";
        fields->showAddresses(lines, hints);
        net::externalAddress(
            shell_.online(), base,
            [fields, lines, hints, external](QString a) {
                QStringList shown = lines;
                shown[external] = a;
                fields->showAddresses(shown, hints);
            },
            fields);
    });
    connect(fields, &dialogs::LanLoginFields::helpAsked, this, [this] {
        QDesktopServices::openUrl(QUrl(shell_.serviceUrl().toString() + "/help/routers.html"));
    });
}

void LanFeature::startLanTable(dialogs::TFormPassword* login, const ClubMember& member,
                               const dialogs::LanStart& start) {
    if (shell_.screen() != Screen::Menu) return;
    GameSession& session = shell_.session();
    if (!lan_) {
        lan_ = std::make_unique<LanTable>([this] { return shell_.busy(); });
        connect(lan_.get(), &LanTable::linkEnded, this, &LanFeature::syncLan);
    }
    if (shell_.launch().fast) lan_->setPauses(0, 0);
    const std::string name = trimmedName(member.name);
    auto owned = std::make_unique<LanGame>(
        session.tools(), start.host ? lan::hostListening(name) : lan::joinerConnecting(name));
    LanGame* game = owned.get();
    connect(game, &LanGame::lanChanged, this, &LanFeature::syncLan);
    connect(game, &LanGame::lanAborted, this, &LanFeature::lanInterrupted);
    connect(game, &LanGame::seatsChanged, this, &LanFeature::markSeats);
    lan_->setGame(game);
    session.play(std::move(owned));
    if (start.host) {
        // A port another program holds cannot be listened on: said as a wrong port.
        if (!lan_->host(start.port)) {
            endLanTable();
            dialogs::showMessage(login, table::word(WordRow::IncorrectPort));
            return;
        }
    } else {
        lan_->join(start.address, start.port);
    }
    auto* wait = new dialogs::TFormWait(start.host, login);
    wait->setNoGame(lan_->noGame());
    auto follow = [this, wait, host = start.host] {
        const lan::LanPeer* p = peer();
        if (!p) return;
        if (host) {
            wait->playersJoined(p->session().joinedCount + 1);
        } else {
            wait->setNoGame(lan_->noGame());
            if (p->session().link == lan::LinkState::Seated) wait->seated();
        }
        if (p->aborted()) wait->abandon();
    };
    connect(game, &LanGame::lanChanged, wait, follow);
    connect(lan_.get(), &LanTable::linkEnded, wait, follow);
    connect(wait, &dialogs::TFormWait::started, this, [this, login, member] {
        login->accept();
        shell_.memberGames().playFor(member, true);
    });
    connect(wait, &dialogs::TFormWait::cancelled, this, [this] { endLanTable(); });
    wait->open();
    // The form follows a seat reply that came before it opened.
    follow();
}

void LanFeature::endLanTable() {
    if (lan_) lan_->close();
    if (peer()) shell_.session().endTable();
    chatHeard_ = 0;
    syncLan();
}

void LanFeature::lanInterrupted() {
    if (shell_.screen() != Screen::Game) return;  // the waiting form gives up by itself
    const GameRecord& g = shell_.session().state().g;
    if (g.GameState == GameState::GameOver) return;
    shell_.playSound(Wave::WWrongs, false);
    shell_.stopTable();
    auto* box = dialogs::showMessage(
        &shell_.window(),
        table::word(WordRow::OneOfPlayer) + " " + table::word(WordRow::HasInterruptedGame),
        table::word(WordRow::PressOkForExitToMenu));
    // The host's "abort" to the other joiner leaves before the table closes with the box.
    connect(box, &dialogs::MessageWindow::closed, this, [this] {
        if (shell_.screen() != Screen::Game) return;
        shell_.leaveGame(false);
        if (shell_.settings().MusicOn) shell_.playMusic(true);
    });
}

void LanFeature::markSeats() {
    const lan::LanPeer* p = peer();
    if (!p) return;
    for (int seat = 1; seat <= 2; ++seat) shell_.presenter().markComputer(seat, p->standIn(seat));
}

void LanFeature::syncLan() {
    const lan::LanPeer* p = peer();
    const bool game = shell_.screen() == Screen::Game;
    chat_->setVisible(p && game);
    if (!p) {
        chat_->setActive(false);
        expectation_->hide();
        return;
    }
    const RulesState& s = p->state();
    const bool joiner = p->session().role != lan::NetRole::Host;
    const bool waitingDeal = joiner && s.pending && s.pending->kind == Question::Kind::Deck;
    const bool linked = lan_ && lan_->link().openLinks() > 0;
    chat_->setActive(game && linked && !p->aborted() && s.g.GameRunning && !waitingDeal);
    // Each game has a peer of its own, so its chat starts empty.
    const auto& lines = p->chatLines();
    chat_->setLines(lines);
    const int own = lan::digitOf(p->session().role);
    for (; chatHeard_ < lines.size(); ++chatHeard_)
        if (lines[chatHeard_].sender != own && game) shell_.playSound(Wave::WToMenK, false);
    expectation_->setVisible(game && waitingDeal);
    if (expectation_->isVisible()) layoutLan();
    if (game) markSeats();
}

void LanFeature::layoutLan() {
    const table::TableView& view = shell_.view();
    // Bottom right, beside the person's hand: the lower left corner holds the radio and the
    // music player.
    const auto& r = view.layout().memo;
    chat_->setGeometry(r.left, r.top, r.width, r.height);
    // Over the host's hand: the first joiner's seat 2, the second joiner's seat 1.
    const lan::LanPeer* p = peer();
    const int hostSeat = p && p->session().role == lan::NetRole::SecondJoiner ? 1 : 2;
    const auto& h = view.layout().hand[static_cast<std::size_t>(hostSeat)];
    expectation_->setGeometry(h.left, h.top, h.width, h.height);
    QFont font = expectation_->font();
    font.setPixelSize(std::max(10, table::mapLength(view.scales(), 16)));
    font.setBold(true);
    expectation_->setFont(font);
    expectation_->setText(table::word(WordRow::ExpectationOfTheServer));
}

}  // namespace orvala::app
