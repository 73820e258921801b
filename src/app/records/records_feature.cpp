#include "app/records/records_feature.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPushButton>
#include <algorithm>

#include "app/account_holder.h"
#include "app/club_records.h"
#include "app/deal_panel_hint.h"
#include "app/game_replays.h"
#include "app/game_session.h"
#include "app/menu_screen.h"
#include "app/records/world_entry.h"
#include "app/shell.h"
#include "app/table_presenter.h"
#include "core/game/rules_input.h"
#include "core/lang/word_table.h"
#include "core/online/account_rating.h"
#include "core/online/operations.h"
#include "core/records/game_end.h"
#include "core/records/history_file.h"
#include "core/settings/option_rules.h"
#include "core/settings/settings.h"
#include "core/text/cp1251.h"
#include "dialogs/count_dialog.h"
#include "dialogs/end_game_dialog.h"
#include "dialogs/history_dialog.h"
#include "dialogs/message_window.h"
#include "dialogs/options_dialog.h"
#include "dialogs/password_dialog.h"
#include "dialogs/top_ten_dialog.h"
#include "net/online_client.h"
#include "table/picture_store.h"
#include "table/word_text.h"

namespace orvala::app {

namespace {

QString fromBytes(const std::string& bytes) {
    return QString::fromStdString(cp1251ToUtf8(trimmedName(bytes)));
}

}  // namespace

RecordsFeature::RecordsFeature(Shell& shell)
    : shell_(shell),
      global_(
          shell, [this] { play(); },
          [this](int result, std::optional<AccountGameEnd> account) {
              finishMemberGame(result, account);
          }) {
    shell_.provide(*this);
    clubStartup();
    wireMenu();
    // The deal panel tells the member's counters.
    new DealPanelHint(
        shell_,
        [this]() -> std::optional<ScoreSummary> {
            if (shell_.gameOwner() != this || !member_) return std::nullopt;
            return summary();
        },
        this);
}

void RecordsFeature::clubStartup() {
    const ClubStartup s = shell_.club().start();
    if (s.russian) {
        shell_.settings().LanguageIndex = 1;
        setCurrentLanguage(1);
    }
    for (const QString& warning : s.warnings) dialogs::showMessage(&shell_.window(), warning);
    if (s.fatal.isEmpty()) return;
    // Without its club files the program does not go on: the message, then the end.
    auto* m = dialogs::showMessage(&shell_.window(), s.fatal.front());
    connect(m, &dialogs::MessageWindow::closed, this, [] { QCoreApplication::exit(1); });
}

void RecordsFeature::wireMenu() {
    MenuScreen& menu = shell_.menu();
    connect(menu.Button6, &QPushButton::clicked, this, [this] { openLogin(kNewMemberSlot); });
    for (int slot = 1; slot <= kClubMembers; ++slot)
        connect(menu.members[static_cast<size_t>(slot - 1)], &QPushButton::clicked, this,
                [this, slot] { openLogin(slot); });
    menu.Button9->setEnabled(true);
    menu.BHistory->setEnabled(true);
    connect(menu.Button9, &QPushButton::clicked, this, &RecordsFeature::showTopTen);
    connect(menu.BHistory, &QPushButton::clicked, this, &RecordsFeature::showHistory);
    connect(menu.BMode, &QPushButton::clicked, this, [this] {
        shell_.playSound(Wave::WOpenFo, false);
        refreshClubPanel();
    });
}

void RecordsFeature::refreshClubPanel() {
    const Settings& settings = shell_.settings();
    const auto club = shell_.club().read(settings.NetworkMode);
    for (int slot = 1; slot <= kClubMembers; ++slot) {
        auto* b = shell_.menu().members[static_cast<size_t>(slot - 1)];
        b->setText(club ? clubPanelLine(*club, slot, settings.TopTenMode) : QString("#"));
        b->setEnabled(club && parseMemberLine(club->memberLine(slot), slot));
    }
}

void RecordsFeature::openLogin(int slot) {
    if (shell_.screen() != Screen::Menu || global_.busy()) return;
    Settings& settings = shell_.settings();
    const auto club = shell_.club().read(settings.NetworkMode);
    if (!club) return;
    shell_.playSound(Wave::WOpenFo, false);
    const bool network = settings.NetworkMode;
    // In network mode every new game is a LAN game: the form asks for the table too, and the
    // LAN table takes part in it.
    auto* dialog =
        new dialogs::TFormPassword({*club, slot, network ? &settings : nullptr}, &shell_.window());
    shell_.announceLogin(*dialog);
    connect(dialog, &dialogs::TFormPassword::loggedIn, this,
            [this, network](const ClubMember& m) { playFor(m, network); });
    dialog->open();
}

void RecordsFeature::playFor(const ClubMember& member, bool network) {
    memberNetwork_ = network;
    member_ = member;
    shell_.settings().PlayerName = trimmedName(member.name);
    // A game for the global rating starts once the service has its provisional loss.
    if (global_.begin(memberNetwork_)) return;
    play();
}

void RecordsFeature::play() {
    PlayerStart player;
    player.name = shell_.settings().PlayerName;
    if (member_) {  // the club member's count and cycle score go on
        player.storedGameCounter = member_->games;
        player.playerTotal = member_->cycleScore;
    }
    shell_.startGame(player, this);
}

void RecordsFeature::screenShown(Screen screen) {
    if (screen == Screen::Menu) refreshClubPanel();
    // A game another feature runs (the tournament's) belongs to the account, not to a member.
    if (screen == Screen::Game && shell_.gameOwner() != this) {
        member_.reset();
        memberNetwork_ = true;
    }
}

void RecordsFeature::contextMenu(ContextMenu& menu) {
    const bool game = shell_.screen() == Screen::Game;
    // Another feature's game (the tournament's) offers its own summary.
    if (!game || shell_.gameOwner() == this)
        menu.offer(WordRow::GeneralScore, game && member_, [this] { showScoreSummary(true); });
    menu.offer(WordRow::ToChangeAName, true, [this] { changeNameCommand(); });
}

void RecordsFeature::optionChanged(dialogs::OptionChange what) {
    // The club panel shows the network club's members, or the local club's, at once.
    if (what == dialogs::OptionChange::Network) refreshClubPanel();
}

void RecordsFeature::gameEvents(const std::vector<TableEvent>& events) {
    for (const TableEvent& e : events)
        if (std::holds_alternative<ev::ShowScoreSummary>(e)) summaryPending_ = true;
}

void RecordsFeature::gameFinished(int result) {
    global_.finish(result);
}

void RecordsFeature::tableStill() {
    if (summaryPending_ && shell_.screen() == Screen::Game) {
        summaryPending_ = false;
        showScoreSummary(false);
    }
}

void RecordsFeature::windowClosing() {
    // A game that was over but not yet left still counts for its member.
    const GameRecord& g = shell_.session().state().g;
    if (shell_.screen() == Screen::Game && shell_.gameOwner() == this && g.GameOver)
        finishMemberGame(g.GameResult, global_.abandon());
}

void RecordsFeature::finishMemberGame(int result, std::optional<AccountGameEnd> account) {
    summaryPending_ = false;
    if (!member_ || shell_.launch().demo) return;
    ClubMember& m = *member_;
    // The account's game keeps the club as it was: its rating and cycle are the service's.
    const GameEnd end =
        account
            ? finishAccountGame(shell_.club().folder(), m, result, account->rating,
                                account->cycleEnd, shell_.club().historyStamp(HistoryKind::Account))
            : orvala::finishMemberGame(shell_.club().folder(), memberNetwork_, m, result,
                                       shell_.club().historyStamp(
                                           memberNetwork_ ? HistoryKind::Net : HistoryKind::Local));
    if (!end.history.written) dialogs::showMessage(&shell_.window(), "Cann`t save history!");
    if (end.club && end.club->write == ClubWrite::Failed)
        dialogs::showMessage(&shell_.window(), table::word(WordRow::ErrorOfDiskWriting));
    reportGame(result, end.cycleEnd);
    if (end.sound) shell_.playSound(*end.sound, false);
    if (!end.cycleEnd) return;
    if (account)
        showCycleEnd(static_cast<int>(std::clamp<std::int64_t>(account->place, 0, 1'000'000)),
                     static_cast<int>(account->cycleScore), dialogs::EndGameKind::Account);
    else
        showCycleEnd(end.club->update.place, end.club->update.cycleScore,
                     memberNetwork_ ? dialogs::EndGameKind::Net : dialogs::EndGameKind::Local);
}

void RecordsFeature::showCycleEnd(int place, int score, dialogs::EndGameKind kind) {
    const bool topTen = place >= 1 && place <= 10;
    const Wave sound = place == 1 ? Wave::WFiBest : topTen ? Wave::WFiGood : Wave::WFiBads;
    shell_.playSound(sound, false);
    dialogs::EndGameQuestion q;
    q.place = place;
    q.score = score;
    q.kind = kind;
    if (kind == dialogs::EndGameKind::Account) q.reward = online::cyclePlaceReward(place);
    const char* film = place == 1 ? "GEndBest" : topTen ? "GEndGood" : "GEndBads";
    const table::PictureStore& pictures = shell_.pictures();
    const QImage strip = pictures.picture(film);
    // The film strips are square frames side by side.
    for (int x = 0; strip.height() > 0 && x + strip.height() <= strip.width(); x += strip.height())
        q.animation.push_back(strip.copy(x, 0, strip.height(), strip.height()));
    if (topTen) {
        q.medal = pictures.picture("GMedal");
        const QImage badge = pictures.picture(QString("GPlace%1").arg(place, 2, 10, QChar('0')));
        if (!q.medal.isNull() && !badge.isNull()) {
            QPainter p(&q.medal);
            p.drawImage(q.medal.rect(), badge);
        }
    }
    q.animate = shell_.settings().GifAnimationOn;
    auto* endWindow = new dialogs::TFormEndGame(q, &shell_.window());
    // A cycle against the computer without the global rating may enter the world's table.
    if (kind == dialogs::EndGameKind::Local && !shell_.launch().demo)
        offerWorldEntry(shell_, endWindow, q.score);
    endWindow->open();
}

void RecordsFeature::reportGame(int result, bool cycleEnd) {
    if (shell_.launch().demo) return;
    online::GameReport r;
    r.againstComputer = !memberNetwork_;
    r.completedCycle = cycleEnd;
    r.result = result;
    r.lanHost = shell_.session().state().roles.lanHost();
    // A report that fails is lost; nothing is said.
    shell_.online().post(online::gameReportRequest(online::gameReportValues(r)), {}, this);
}

void RecordsFeature::showScoreSummary(bool withSound) {
    if (!member_ || shell_.screen() != Screen::Game) return;
    if (withSound) shell_.playSound(Wave::WOpenFo, false);
    dialogs::CountQuestion q;
    q.player = fromBytes(member_->name);
    q.values = summary();
    q.accountState = static_cast<int>(shell_.account().state());
    q.lamp = shell_.pictures().picture(shell_.account().lampName());
    (new dialogs::TFormCount(q, &shell_.window()))->open();
}

ScoreSummary RecordsFeature::summary() const {
    ScoreSummary s = scoreSummary(*member_, resultSoFar(shell_.session().state().g));
    global_.summarize(s);
    return s;
}

void RecordsFeature::changeNameCommand() {
    shell_.playSound(Wave::WOpenFo, false);
    Settings& settings = shell_.settings();
    const auto club = shell_.club().read(settings.NetworkMode);
    if (!club) return;
    auto* dialog = new dialogs::TFormPassword({*club, kNewMemberSlot}, &shell_.window());
    connect(dialog, &dialogs::TFormPassword::loggedIn, this, [this](const ClubMember& typed) {
        Settings& settings = shell_.settings();
        if (!member_) {
            member_ = typed;
            memberNetwork_ = settings.NetworkMode;
        }
        ClubMember& m = *member_;
        m.name = typed.name;
        m.password = typed.password;
        // A member already in the club has the line rewritten; a new one gets it with the game.
        if (m.slot >= 1 && m.slot <= kClubMembers) {
            const ClubFileUpdate u = UpdateClub(shell_.club().path(memberNetwork_), m, false);
            if (u.write == ClubWrite::Failed)
                dialogs::showMessage(&shell_.window(), table::word(WordRow::ErrorOfDiskWriting));
        }
        const QString name = fromBytes(m.name);
        settings.PlayerName = trimmedName(m.name);
        dialogs::showMessage(&shell_.window(), table::word(WordRow::NameChanged) + name);
        shell_.presenter().renamePerson(settings.PlayerName);
        if (shell_.screen() == Screen::Menu) refreshClubPanel();
    });
    dialog->open();
}

void RecordsFeature::showTopTen() {
    const Settings& settings = shell_.settings();
    if (topTenOpensWorld(settings)) return;  // the world's top ten opens instead
    shell_.playSound(Wave::WOpenFo, false);
    const auto club = shell_.club().read(settings.NetworkMode);
    if (!club) return;
    (new dialogs::TFormTopTen({*club, settings.NetworkMode}, &shell_.window()))->open();
}

void RecordsFeature::showHistory() {
    shell_.playSound(Wave::WOpenFo, false);
    GameReplays* replays = shell_.replays();
    auto* history = new dialogs::TFHistory(
        {historyFolder(shell_.club().folder()),
         replays ? replays->finishedLogs() : std::map<std::string, QString>{}},
        &shell_.window());
    if (replays)
        connect(history, &dialogs::TFHistory::replayRequested, this,
                [replays](const QString& log) { replays->replay(log); });
    history->open();
}

}  // namespace orvala::app
