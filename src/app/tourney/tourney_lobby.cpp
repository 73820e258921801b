#include "app/tourney/tourney_lobby.h"

#include "core/text/cp1251.h"
#include "core/tourney/frames.h"
#include "dialogs/message_window.h"
#include "net/local_addresses.h"
#include "net/online_client.h"
#include "table/word_text.h"

namespace orvala::app {
namespace {

using online::SeatLook;

QString shown(const std::string& cp1251) {
    return QString::fromStdString(cp1251ToUtf8(cp1251));
}

using table::word;

// Releasing sends no player.
online::TourneyClient nobody() {
    return {};
}

}  // namespace

TourneyLobby::TourneyLobby(net::OnlineClient& client, TourneyTable& table, Setup setup,
                           QWidget* parent)
    : QObject(parent), client_(client), setup_(std::move(setup)), parent_(parent), table_(table) {
    me_.Nick = setup_.account.Nick;
    me_.Country = setup_.account.Country1;
    me_.City = setup_.account.City;
    me_.Sex = setup_.account.Sex;
    // Until the service tells the address it sees, the machine's own.
    me_.IP = net::interfaceAddresses().value(0, "127.0.0.1").toStdString();

    refreshTimer_.setObjectName("TimerLobby");
    refreshTimer_.setInterval(10'000);
    watchTimer_.setObjectName("TimerLobbyWatch");
    watchTimer_.setInterval(1000);
    connect(&refreshTimer_, &QTimer::timeout, this, &TourneyLobby::beat);
    connect(&watchTimer_, &QTimer::timeout, this, &TourneyLobby::watch);

    // A failed connection is only noted here; the watch deals with it on its next beat.
    connect(&table_, &TourneyTable::failed, this, [this] {
        if (link_ != TourneyLink::None && !handedOver_) connectionError_ = true;
    });
    connect(&table_, &TourneyTable::linked, this, [this] {
        if (link_ == TourneyLink::Connecting) link_ = TourneyLink::Connected;
    });
}

TourneyLobby::~TourneyLobby() {
    if (dialog_) dialog_->disconnect(this);
    delete dialog_;
    delete top_;
}

void TourneyLobby::open() {
    dialog_ = new dialogs::TFormLobby(setup_.administrator, parent_);
    connect(dialog_, &dialogs::TFormLobby::seatPressed, this, &TourneyLobby::seatPressed);
    connect(dialog_, &dialogs::TFormLobby::refreshPressed, this, &TourneyLobby::refresh);
    connect(dialog_, &dialogs::TFormLobby::resultsPressed, this, &TourneyLobby::showResults);
    connect(dialog_, &dialogs::TFormLobby::topPressed, this, &TourneyLobby::showTop);
    connect(dialog_, &QObject::destroyed, this, [this] {
        refreshTimer_.stop();
        watchTimer_.stop();
        // A player who closes the lobby while seated gives the seat back; a game that has begun
        // keeps it.
        if (!handedOver_) {
            if (at_.seated()) clearSeats(at_.table, at_.seat, at_.seat);
            forgetSeat();
        }
        emit closed();
    });
    dialog_->open();

    readCard();
    if (!setup_.serviceBase.isEmpty())
        net::externalAddress(
            client_, setup_.serviceBase,
            [this](QString a) {
                if (!a.isEmpty()) me_.IP = a.toStdString();
            },
            this);
    refresh();
    refreshTimer_.start();
    watchTimer_.start();
}

void TourneyLobby::post(const online::Request& request,
                        std::function<void(bool, const std::string&)> done) {
    ++pending_;
    client_.post(
        request,
        [this, done = std::move(done)](bool ok, const std::string& reply) {
            --pending_;
            done(ok, reply);
        },
        this);
}

void TourneyLobby::readCard(std::function<void()> then) {
    post(online::tourneyRatingRequest(me_.Nick), [this, then](bool ok, const std::string& reply) {
        if (const auto r = ok ? online::readTourneyRating(reply) : std::nullopt) {
            me_.Score = r->Score;
            me_.Kon = r->Kon;
            me_.Rating = r->Rating;
        }
        if (then) then();
    });
}

void TourneyLobby::beat() {
    refresh();
    if (resultsShown_) readCard([this] { showResults(); });
}

void TourneyLobby::refresh() {
    // One refresh at a time: a slow service does not pile them up.
    if (refreshing_) return;
    refreshing_ = true;
    struct Answers {
        int left = 2;
        std::optional<online::TourneyTables> tables;
        std::optional<online::ServerInfo> info;
    };
    auto answers = std::make_shared<Answers>();
    const auto finish = [this, answers] {
        if (--answers->left > 0) return;
        refreshing_ = false;
        draw(answers->tables, answers->info);
    };
    post(online::tourneyTablesRequest(), [answers, finish](bool ok, const std::string& reply) {
        if (ok) answers->tables = online::readTourneyTables(reply);
        finish();
    });
    post(online::serverInfoRequest(), [answers, finish](bool ok, const std::string& reply) {
        if (ok) answers->info = online::readServerInfo(reply);
        finish();
    });
}

void TourneyLobby::draw(const std::optional<online::TourneyTables>& tables,
                        const std::optional<online::ServerInfo>& info) {
    serverOn_ = info && info->on() && tables;
    if (tables) tables_ = tables;
    if (!dialog_) return;
    dialog_->setWelcome(info ? shown(info->welcome) : QStringLiteral("No Connect"));
    dialog_->setServerOn(info && info->on());
    if (!serverOn_ && at_.seated()) {
        clearSeats(at_.table, at_.seat, at_.seat);
        forgetSeat();
    }
    if (serverOn_) at_ = online::checkedSeat(*tables, at_);
    for (int t = 1; t <= online::kLobbyTables; ++t)
        for (int s = 1; s <= 3; ++s) {
            const online::SeatButton b =
                serverOn_ ? online::seatLook(*tables, t, s, at_, true, me_.Nick)
                          : online::SeatButton{};
            QString caption;
            switch (b.look) {
                case SeatLook::ServerOff:
                    caption = word(WordRow::ServerOff);
                    break;
                case SeatLook::Held: {
                    const auto& c = (*tables)[static_cast<std::size_t>(t - 1)]
                                        .seats[static_cast<std::size_t>(s - 1)];
                    caption = shown(c.Nick) + " : " + QString::number(c.Rating);
                    break;
                }
                case SeatLook::LogOff:
                    caption = word(WordRow::LogOff);
                    break;
                case SeatLook::Take:
                    caption = word(WordRow::TakeThePlaceOf);
                    break;
                case SeatLook::Free:
                    caption = word(WordRow::Free);
                    break;
                case SeatLook::Back:
                    caption = word(WordRow::ConnectAgain);
                    break;
            }
            dialog_->setSeat(t, s, caption, b.enabled);
        }
    dialog_->setControlsEnabled(!(at_.seated() && serverOn_));
    emit drawn();
}

void TourneyLobby::seatPressed(int table, int seat) {
    if (!tables_ || !serverOn_) return;
    const online::SeatButton b = online::seatLook(*tables_, table, seat, at_, true, me_.Nick);
    if (b.look == SeatLook::LogOff) leave();
    if (b.look == SeatLook::Take && b.enabled) checkAddressThenTake(table, seat, 1);
    if (b.look == SeatLook::Back && b.enabled) {
        // The seat is this player's already: the game server sends the game as it stands.
        at_ = {table, seat};
        connectToServer(table);
        refresh();
    }
}

bool TourneyLobby::sameAddressAllowed(int table) const {
    return setup_.administrator ||
           (tables_ && online::gameServerOf(*tables_, table).host == "127.0.0.1");
}

// Seats 1 .. seat - 1 are read one after the other; a player from this address at any of them
// keeps the local player away from the table.
void TourneyLobby::checkAddressThenTake(int table, int seat, int before) {
    if (before >= seat || sameAddressAllowed(table)) {
        take(table, seat);
        return;
    }
    post(online::readSeatRequest(table, before),
         [this, table, seat, before](bool ok, const std::string& reply) {
             const auto c = ok ? online::readSeat(reply) : std::nullopt;
             if (c && !c->free() && c->IP == me_.IP) {
                 dialogs::showMessage(dialog_, word(WordRow::TableTakenBySameIp));
                 return;
             }
             checkAddressThenTake(table, seat, before + 1);
         });
}

void TourneyLobby::take(int table, int seat) {
    post(online::seatRequest(table, seat, online::SeatCan::Take, me_, setup_.account.Pw),
         [this, table, seat](bool ok, const std::string& reply) {
             if (!ok || online::readSeatReply(reply) != online::SeatResult::Done) {
                 if (setup_.failed) setup_.failed();
                 refresh();
                 return;
             }
             at_ = {table, seat};
             connectToServer(table);
             refresh();
         });
}

void TourneyLobby::connectToServer(int table) {
    link_ = TourneyLink::Connecting;
    online::GameServer server = online::gameServerOf(*tables_, table);
    const QString typed = dialog_ ? dialog_->typedAddress() : QString();
    const QString host =
        setup_.administrator && !typed.isEmpty() ? typed : QString::fromStdString(server.host);
    if (server.port < 1 || server.port > 65535) {
        connectionError_ = true;
        return;
    }
    table_.open(host, static_cast<quint16>(server.port), table, at_.seat);
}

void TourneyLobby::leave() {
    const online::SeatedAt at = at_;
    post(online::seatRequest(at.table, at.seat, online::SeatCan::Release, nobody()),
         [this, at](bool ok, const std::string& reply) {
             if (!ok || online::readSeatReply(reply) != online::SeatResult::Done) {
                 if (setup_.failed) setup_.failed();
                 return;
             }
             table_.leave();
             forgetSeat();
             // The table broke up: the player after seat 1 is cleared too, and the lobby is
             // read again once that is done, so that it never shows the cleared seat taken.
             if (at.seat == 1)
                 clearSeats(at.table, 2, 2, [this] { refresh(); });
             else
                 refresh();
         });
}

void TourneyLobby::clearSeats(int table, int from, int to, std::function<void()> then) {
    auto left = std::make_shared<int>(to - from + 1);
    for (int s = from; s <= to; ++s)
        post(online::seatRequest(table, s, online::SeatCan::Clear, nobody()),
             [left, then](bool, const std::string&) {
                 if (--*left == 0 && then) then();
             });
}

void TourneyLobby::forgetSeat() {
    at_ = {};
    link_ = TourneyLink::None;
    table_.close();
}

std::array<std::string, 4> TourneyLobby::handOver() {
    const std::array<std::string, 4> drawn =
        tables_ ? online::tableNicks(*tables_, at_.table) : std::array<std::string, 4>{};
    handedOver_ = true;
    refreshTimer_.stop();
    watchTimer_.stop();
    if (dialog_)
        delete dialog_;  // `closed` follows
    else
        emit closed();
    return drawn;
}

void TourneyLobby::watch() {
    if (!connectionError_) return;
    connectionError_ = false;
    dialogs::showMessage(dialog_, word(WordRow::ServerConnectionError));
    // The seats after the player's are given back as well: that table cannot start.
    const bool seated = at_.seated();
    const online::SeatedAt at = at_;
    forgetSeat();
    if (seated)
        clearSeats(at.table, at.seat, 3, [this] { refresh(); });
    else
        refresh();
}

void TourneyLobby::showResults() {
    if (!dialog_) return;
    resultsShown_ = true;
    const auto lines = [this](const QString& place) {
        return QStringList{shown(me_.Nick),
                           word(WordRow::YourScore) + ": " + QString::number(me_.Score),
                           word(WordRow::YourPlace) + ": " + place,
                           word(WordRow::Rating) + ": " + QString::number(me_.Rating),
                           word(WordRow::Game) + ": " + QString::number(me_.Kon),
                           word(WordRow::City) + ": " + shown(me_.City)};
    };
    post(online::tourneyPlaceRequest(online::TopKind::Score, me_.Score),
         [this, lines](bool ok, const std::string& reply) {
             const auto place = ok ? online::readTourneyPlace(reply) : std::nullopt;
             if (dialog_)
                 dialog_->setResults(
                     lines(place ? QString::number(*place) : QStringLiteral("No Connect")));
         });
}

void TourneyLobby::showTop() {
    if (!top_) {
        top_ = new dialogs::TFormTourneyTop(dialog_ ? static_cast<QWidget*>(dialog_) : parent_);
        connect(top_, &dialogs::TFormTourneyTop::kindChosen, this, [this] { showTop(); });
        top_->open();
    }
    const online::TopKind kind = top_->kind();
    post(online::tourneyTopRequest(kind), [this](bool ok, const std::string& reply) {
        if (top_) top_->setRows(ok ? online::readTourneyTop(reply) : std::nullopt);
    });
    const std::int64_t mine = kind == online::TopKind::Score    ? me_.Score
                              : kind == online::TopKind::Rating ? me_.Rating
                                                                : me_.Kon;
    post(online::tourneyPlaceRequest(kind, mine), [this](bool ok, const std::string& reply) {
        if (top_) top_->setPlace(ok ? online::readTourneyPlace(reply) : std::nullopt);
    });
}

}  // namespace orvala::app
