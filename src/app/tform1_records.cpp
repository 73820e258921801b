// The window's club members and records: start-up check of the club files, the club panel, the
// login, a member's game from its start to its end, and the records' windows.

#include <QCoreApplication>
#include <QPainter>

#include "app/tform1.h"
#include "core/game/scoring_rules.h"
#include "core/lang/word_table.h"
#include "core/records/game_end.h"
#include "core/records/member_login.h"
#include "core/settings/settings_file.h"
#include "core/text/cp1251.h"
#include "dialogs/count_dialog.h"
#include "dialogs/end_game_dialog.h"
#include "dialogs/history_dialog.h"
#include "dialogs/message_window.h"
#include "dialogs/password_dialog.h"
#include "dialogs/top_ten_dialog.h"
#include "table/word_text.h"

namespace orvala::app {

namespace {

QString fromBytes(const std::string& bytes) {
    return QString::fromStdString(cp1251ToUtf8(trimmedName(bytes)));
}

}  // namespace

void TForm1::clubStartup() {
    const ClubStartup s = records_.start();
    if (s.russian) {
        settings_.LanguageIndex = 1;
        setCurrentLanguage(1);
    }
    for (const QString& warning : s.warnings) dialogs::showMessage(this, warning);
    if (s.fatal.isEmpty()) return;
    // Without its club files the program does not go on: the message, then the end.
    auto* m = dialogs::showMessage(this, s.fatal.front());
    connect(m, &dialogs::MessageWindow::closed, this, [] { QCoreApplication::exit(1); });
}

void TForm1::refreshClubPanel() {
    const auto club = records_.read(settings_.NetworkMode);
    for (int slot = 1; slot <= kClubMembers; ++slot) {
        auto* b = menu_.members[static_cast<size_t>(slot - 1)];
        b->setText(club ? clubPanelLine(*club, slot, settings_.TopTenMode) : QString("#"));
        b->setEnabled(club && parseMemberLine(club->memberLine(slot), slot));
    }
}

void TForm1::openLogin(int slot) {
    if (screen_ != Screen::Menu || accountBusy_) return;
    const auto club = records_.read(settings_.NetworkMode);
    if (!club) return;
    PlaySoundEvent(Wave::WOpenFo, false);
    const bool network = settings_.NetworkMode;
    // In network mode every new game is a LAN game: the form asks for the table too.
    auto* dialog =
        new dialogs::TFormPassword({*club, slot, network ? &settings_ : nullptr}, this);
    if (dialog->Lan) wireLanFields(dialog->Lan);
    connect(dialog, &dialogs::TFormPassword::lanStartAsked, this,
            [this, dialog](const ClubMember& m, const dialogs::LanStart& start) {
                startLanTable(dialog, m, start);
            });
    connect(dialog, &dialogs::TFormPassword::loggedIn, this, [this, network](const ClubMember& m) {
        memberNetwork_ = network;
        startGameFor(m);
    });
    dialog->open();
}

void TForm1::startGameFor(const ClubMember& m) {
    member_ = m;
    settings_.PlayerName = trimmedName(m.name);
    // A game for the global rating starts once the service has its provisional loss.
    if (beginGlobalGame()) return;
    startGame();
}

void TForm1::gameEvents(const std::vector<TableEvent>& events) {
    for (auto& f : features_) f->gameEvents(events);
    for (const TableEvent& e : events) {
        if (std::holds_alternative<ev::ShowScoreSummary>(e)) summaryPending_ = true;
        if (const auto* f = std::get_if<ev::GameFinished>(&e)) {
            // The feature that started the game ends it.
            if (owner_)
                owner_->gameFinished(f->gameResult);
            else
                gameFinished(f->gameResult);
        }
    }
}

void TForm1::finishMemberGame(int result) {
    summaryPending_ = false;
    if (!member_ || options_.demo) return;
    ClubMember& m = *member_;
    const GameEnd end =
        orvala::finishMemberGame(records_.folder(), memberNetwork_, m, result, localHistoryStamp());
    if (!end.history.written) dialogs::showMessage(this, "Cann`t save history!");
    if (end.club.write == ClubWrite::Failed)
        dialogs::showMessage(this, table::word(WordRow::ErrorOfDiskWriting));
    reportGame(result, end.cycleEnd);
    if (end.sound) PlaySoundEvent(*end.sound, false);
    if (!end.cycleEnd) return;
    const int place = end.club.update.place;
    PlaySoundEvent(place == 1 ? Wave::WFiBest : place >= 2 ? Wave::WFiGood : Wave::WFiBads, false);
    dialogs::EndGameQuestion q;
    q.place = place;
    q.score = end.club.update.cycleScore;
    q.kind = memberNetwork_ ? dialogs::EndGameKind::Net : dialogs::EndGameKind::Local;
    const char* film = place == 1 ? "GEndBest" : place >= 2 ? "GEndGood" : "GEndBads";
    const QImage strip = pictures_.picture(film);
    // The film strips are square frames side by side.
    for (int x = 0; strip.height() > 0 && x + strip.height() <= strip.width(); x += strip.height())
        q.animation.push_back(strip.copy(x, 0, strip.height(), strip.height()));
    if (place >= 1) {
        q.medal = pictures_.picture("GMedal");
        const QImage badge = pictures_.picture(QString("GPlace%1").arg(place, 2, 10, QChar('0')));
        if (!q.medal.isNull() && !badge.isNull()) {
            QPainter p(&q.medal);
            p.drawImage(q.medal.rect(), badge);
        }
    }
    q.animate = settings_.GifAnimationOn;
    auto* endWindow = new dialogs::TFormEndGame(q, this);
    offerWorldEntry(endWindow, q.score);
    endWindow->open();
}

void TForm1::showScoreSummary(bool withSound) {
    if (!member_ || screen_ != Screen::Game) return;
    if (withSound) PlaySoundEvent(Wave::WOpenFo, false);
    dialogs::CountQuestion q;
    q.player = fromBytes(member_->name);
    const GameRecord& g = rules().g;
    const int result = g.GameOver ? g.GameResult : FinalResults(g.Score)[3];
    q.values = scoreSummary(*member_, result);
    q.accountState = static_cast<int>(accountState_);
    accountSummary(q);
    (new dialogs::TFormCount(q, this))->open();
}

void TForm1::changeNameCommand() {
    PlaySoundEvent(Wave::WOpenFo, false);
    const auto club = records_.read(settings_.NetworkMode);
    if (!club) return;
    auto* dialog = new dialogs::TFormPassword({*club, kNewMemberSlot}, this);
    connect(dialog, &dialogs::TFormPassword::loggedIn, this, [this](const ClubMember& typed) {
        if (!member_) {
            member_ = typed;
            memberNetwork_ = settings_.NetworkMode;
        }
        ClubMember& m = *member_;
        m.name = typed.name;
        m.password = typed.password;
        // A member already in the club has the line rewritten; a new one gets it with the game.
        if (m.slot >= 1 && m.slot <= kClubMembers) {
            const ClubFileUpdate u = UpdateClub(records_.path(memberNetwork_), m, false);
            if (u.write == ClubWrite::Failed)
                dialogs::showMessage(this, table::word(WordRow::ErrorOfDiskWriting));
        }
        const QString name = fromBytes(m.name);
        settings_.PlayerName = trimmedName(m.name);
        dialogs::showMessage(this, table::word(WordRow::NameChanged) + name);
        presenter_.renamePerson(settings_.PlayerName);
        if (screen_ == Screen::Menu) refreshClubPanel();
    });
    dialog->open();
}

void TForm1::showTopTen() {
    PlaySoundEvent(Wave::WOpenFo, false);
    const auto club = records_.read(settings_.NetworkMode);
    if (!club) return;
    (new dialogs::TFormTopTen({*club, settings_.NetworkMode}, this))->open();
}

void TForm1::showHistory() {
    PlaySoundEvent(Wave::WOpenFo, false);
    (new dialogs::TFHistory({historyFolder(records_.folder())}, this))->open();
}

}  // namespace orvala::app
