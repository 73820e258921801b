// The window's LAN table: opening it from the login form in network mode, the waiting form, the
// chat line, "Expectation of the server...", a player leaving, and closing the table.

#include <QDesktopServices>
#include <QLabel>
#include <QUrl>

#include "app/tform1.h"
#include "core/lan/session.h"
#include "core/records/member_login.h"
#include "core/text/cp1251.h"
#include "dialogs/message_window.h"
#include "dialogs/wait_dialog.h"
#include "net/local_addresses.h"
#include "net/service_url.h"
#include "table/word_text.h"

namespace orvala::app {

void TForm1::initLan() {
    chat_ = new LanChatPanel(this);
    chat_->hide();
    connect(chat_, &LanChatPanel::sent, this,
            [this](const QString& text) {
                const std::string line = utf8ToCp1251(text.toStdString());
                if (session_.tourney())
                    session_.tourneyChat(line);
                else
                    session_.lanChat(line);
            });
    expectation_ = new QLabel(this);
    expectation_->setObjectName("Expectation");
    expectation_->setAlignment(Qt::AlignCenter);
    expectation_->setAttribute(Qt::WA_TransparentForMouseEvents);
    expectation_->hide();
    connect(&session_, &GameSession::lanChanged, this, &TForm1::syncLan);
    connect(&session_, &GameSession::lanAborted, this, &TForm1::lanInterrupted);
}

void TForm1::wireLanFields(dialogs::LanLoginFields* fields) {
    connect(fields, &dialogs::LanLoginFields::addressesAsked, fields, [this, fields] {
        // This machine's interfaces, then its address as the Internet sees it (filled in when
        // the service answers), then the loopback.
        QStringList lines = net::interfaceAddresses();
        QStringList hints;
        for (int i = 0; i < lines.size(); ++i) hints << QString();
        const QString base = net::serviceUrl().toString();
        const int external = static_cast<int>(lines.size());
        lines << QString() << "127.0.0.1";
        hints << base << "Loop";
        fields->showAddresses(lines, hints);
        net::externalAddress(
            *online_, base,
            [fields, lines, hints, external](QString a) {
                QStringList shown = lines;
                shown[external] = a;
                fields->showAddresses(shown, hints);
            },
            fields);
    });
    connect(fields, &dialogs::LanLoginFields::helpAsked, this, [] {
        QDesktopServices::openUrl(QUrl(net::serviceUrl().toString() + "/help/routers.html"));
    });
}

void TForm1::startLanTable(dialogs::TFormPassword* login, const ClubMember& member,
                           const dialogs::LanStart& start) {
    if (screen_ != Screen::Menu) return;
    if (!lan_) {
        lan_ = std::make_unique<LanTable>(session_, [this] { return busy(); });
        connect(lan_.get(), &LanTable::linkEnded, this, &TForm1::syncLan);
    }
    if (options_.fast) lan_->setPauses(0, 0);
    const std::string name = trimmedName(member.name);
    session_.beginLan(start.host ? lan::hostListening(name) : lan::joinerConnecting(name));
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
        const lan::LanPeer* peer = session_.lan();
        if (!peer) return;
        if (host) {
            wait->playersJoined(peer->session().joinedCount + 1);
        } else {
            wait->setNoGame(lan_->noGame());
            if (peer->session().link == lan::LinkState::Seated) wait->seated();
        }
        if (peer->aborted()) wait->abandon();
    };
    connect(&session_, &GameSession::lanChanged, wait, follow);
    connect(lan_.get(), &LanTable::linkEnded, wait, follow);
    connect(wait, &dialogs::TFormWait::started, this, [this, login, member] {
        memberNetwork_ = true;
        login->accept();
        startGameFor(member);
    });
    connect(wait, &dialogs::TFormWait::cancelled, this, [this] { endLanTable(); });
    wait->open();
    // The form follows a seat reply that came before it opened.
    follow();
}

void TForm1::endLanTable() {
    if (lan_) lan_->close();
    if (session_.lan()) session_.endLan();
    chatHeard_ = 0;
    syncLan();
}

void TForm1::lanInterrupted() {
    if (screen_ != Screen::Game) return;  // the waiting form gives up by itself
    const GameRecord& g = rules().g;
    if (g.GameState == GameState::GameOver) return;
    PlaySoundEvent(Wave::WWrongs, false);
    player_.stop();
    contractAsked_.reset();
    auto* box = dialogs::showMessage(
        this, table::word(WordRow::OneOfPlayer) + " " + table::word(WordRow::HasInterruptedGame),
        table::word(WordRow::PressOkForExitToMenu));
    // The host's "abort" to the other joiner leaves before the table closes with the box.
    connect(box, &dialogs::MessageWindow::closed, this, [this] {
        if (screen_ != Screen::Game) return;
        if (gif_.recording()) gif_.discard();
        showMenu();
        if (settings_.MusicOn) PlayMusic(true);
    });
}

void TForm1::syncLan() {
    if (session_.tourney()) return syncTourney();
    const lan::LanPeer* peer = session_.lan();
    const bool game = screen_ == Screen::Game;
    chat_->setVisible(peer && game);
    if (!peer) {
        chat_->setActive(false);
        expectation_->hide();
        return;
    }
    const RulesState& s = peer->state();
    const bool joiner = peer->session().role != lan::NetRole::Host;
    const bool waitingDeal = joiner && s.pending && s.pending->kind == Question::Kind::Deck;
    const bool linked = lan_ && lan_->link().openLinks() > 0;
    chat_->setActive(game && linked && !peer->aborted() && s.g.GameRunning && !waitingDeal);
    // Each game has a peer of its own, so its chat starts empty.
    const auto& lines = peer->chatLines();
    chat_->setLines(lines);
    const int own = lan::digitOf(peer->session().role);
    for (; chatHeard_ < lines.size(); ++chatHeard_)
        if (lines[chatHeard_].sender != own && game) PlaySoundEvent(Wave::WToMenK, false);
    expectation_->setVisible(game && waitingDeal);
    if (expectation_->isVisible()) layoutLan();
}

void TForm1::layoutLan() {
    if (!chat_) return;
    // Bottom right, beside the person's hand: the lower left corner holds the radio and the
    // music player.
    const auto& r = view_.layout().memo;
    chat_->setGeometry(r.left, r.top, r.width, r.height);
    // Over the host's hand: the first joiner's seat 2, the second joiner's seat 1.
    const lan::LanPeer* peer = session_.lan();
    const int hostSeat = peer && peer->session().role == lan::NetRole::SecondJoiner ? 1 : 2;
    const auto& h = view_.layout().hand[static_cast<std::size_t>(hostSeat)];
    expectation_->setGeometry(h.left, h.top, h.width, h.height);
    QFont font = expectation_->font();
    font.setPixelSize(std::max(10, mapLength(view_.scales(), 16)));
    font.setBold(true);
    expectation_->setFont(font);
    expectation_->setText(table::word(WordRow::ExpectationOfTheServer));
}

}  // namespace orvala::app
