// The window's world: the start-up report, games played for the global rating (the provisional
// loss at the start, the real result and the cycle record at the end), the game report, the cycle
// entry without an account, the world top ten and the menu's world panel.

#include <QTimer>

#include "app/tform1.h"
#include "app/world_panel.h"
#include "app/world_top_ten.h"
#include "core/online/account_rating.h"
#include "core/online/countries.h"
#include "core/online/flag_names.h"
#include "core/records/club_file.h"
#include "core/settings/settings_file.h"
#include "core/text/cp1251.h"
#include "dialogs/confirmation.h"
#include "dialogs/count_dialog.h"
#include "dialogs/message_window.h"
#include "dialogs/passport_dialog.h"
#include "dialogs/server_write_dialog.h"
#include "table/word_text.h"

namespace orvala::app {

using online::AccountState;
using online::GameResults;

namespace {

QString fromBytes(const std::string& bytes) {
    return QString::fromStdString(cp1251ToUtf8(bytes));
}

}  // namespace

void TForm1::worldStartup() {
    world_ = new WorldPanel(this);
    connect(world_, &WorldPanel::clicked, this, [this] {
        if (screen_ == Screen::Menu) ShowWorldTopTen();
    });
    connect(&calendar_, &CalendarPanel::ticked, world_, [this] {
        if (screen_ == Screen::Menu) world_->next();
    });
}

void TForm1::layoutWorldPanel() {
    if (!world_) return;
    // Between the title with the calendar's cards and the club heading.
    const auto r = mapRect(view_.scales(), 180, 198, 400, 24);
    world_->setGeometry(QRect(r.left, r.top, r.width, r.height));
}

void TForm1::worldMenuShown() {
    world_->show();
    world_->applyLanguage();
    if (!options_.demo) world_->refresh(*online_, account_);
}

void TForm1::worldMenuHidden() {
    world_->hide();
}

void TForm1::startupReport() {
    const auto club = records_.read(false);
    if (options_.demo || !club || clubDistributionCode(*club) == kQuietDistributionCode) return;
    const bool firstRun = !settings_.FirstRunReported;
    online_->post(
        online::startReportRequest(firstRun),
        [this, firstRun](bool ok, const std::string& reply) {
            // Only a taken report counts this installation; a failure is silent.
            if (!firstRun || !ok || !online::readStatusReply(reply)) return;
            settings_.FirstRunReported = true;
            // Written at once, so that a run that never closes cannot count it twice; the
            // club files' check holds it back as it holds every save.
            SettingsSaveHooks hooks;
            hooks.clubFilesAllowWriting = [this] { return records_.usable(); };
            saveSettingsRun(options_.programFolder.toStdString(), settings_, settingsRun_, hooks);
        },
        this);
}

bool TForm1::beginGlobalGame() {
    globalStart_.reset();
    // The global rating counts games against the computer; a LAN table starts at once.
    if (accountState_ != AccountState::GlobalRating || !account_ || options_.demo ||
        memberNetwork_ || session_.lan())
        return false;
    accountBusy_ = true;
    globalStartAttempt(0, std::nullopt);
    return true;
}

// The results are read once; the write of one more game with the provisional loss is the same
// write each time, so sending it again after a lost answer counts the game only once. A failed
// step sounds "WWrongs" and is tried again after 2 and then 3 seconds.
void TForm1::globalStartAttempt(int attempt, std::optional<GameResults> read) {
    const auto failed = [this, attempt](std::optional<GameResults> read) {
        PlaySoundEvent(Wave::WWrongs, false);
        if (attempt >= 2) {
            accountBusy_ = false;
            accountState_ = AccountState::LoggedOut;
            showAccountState();
            dialogs::showMessage(this, table::word(WordRow::CouldNotConnectToServer));
            return;
        }
        const int delay = options_.fast ? 1 : (attempt == 0 ? 2000 : 3000);
        QTimer::singleShot(delay, this,
                           [this, attempt, read] { globalStartAttempt(attempt + 1, read); });
    };
    if (!account_) {  // signed out meanwhile: the game waits for nothing
        accountBusy_ = false;
        return;
    }
    const online::Account& a = *account_;
    if (!read) {
        online_->post(
            online::readResultsRequest(a.Nick, a.Pw),
            [this, attempt, failed](bool ok, const std::string& reply) {
                const auto results = ok ? online::readResultsReply(reply) : std::nullopt;
                if (results)
                    globalStartAttempt(attempt, results);
                else
                    failed(std::nullopt);
            },
            this);
        return;
    }
    online_->post(
        online::writeResultsRequest(a.Nick, a.Pw, online::startedGame(*read)),
        [this, read, failed](bool ok, const std::string& reply) {
            if (!ok || !online::readOkReply(reply)) return failed(read);
            accountBusy_ = false;
            globalStart_ = *read;
            if (screen_ == Screen::Menu) startGame();
        },
        this);
}

void TForm1::gameFinished(int result) {
    if (session_.tourney()) return finishTourneyGame(result);
    if (!globalStart_ || !account_) {
        globalStart_.reset();
        return finishMemberGame(result);
    }
    accountBusy_ = true;
    finishGlobalGame({}, result);
}

// The real result replaces the provisional loss: read, computed, written; a failure asks whether
// to try again, and "No" leaves the service's counters with the provisional loss.
void TForm1::finishGlobalGame(std::optional<GameResults> computed, int result) {
    if (!account_) return globalGameDone(result);  // signed out while asked to repeat
    const online::Account& a = *account_;
    const GameResults atStart = *globalStart_;
    const auto askAgain = [this, result](std::optional<GameResults> computed) {
        dialogs::askYesNo(
            this,
            table::word(WordRow::CouldNotConnectToServer) + "\n" + table::word(WordRow::Repeat),
            [this, computed, result](bool yes) {
                if (yes)
                    finishGlobalGame(computed, result);
                else
                    globalGameDone(result);
            });
    };
    if (!computed) {
        online_->post(
            online::readResultsRequest(a.Nick, a.Pw),
            [this, atStart, result, askAgain](bool ok, const std::string& reply) {
                const auto read = ok ? online::readResultsReply(reply) : std::nullopt;
                if (!read) return askAgain(std::nullopt);
                finishGlobalGame(online::finishedGame(*read, atStart, result), result);
            },
            this);
        return;
    }
    online_->post(
        online::writeResultsRequest(a.Nick, a.Pw, *computed),
        [this, computed, atStart, result, askAgain](bool ok, const std::string& reply) {
            if (!ok || !online::readOkReply(reply)) return askAgain(computed);
            if (computed->KonL == 0 && computed->Sessions == atStart.Sessions + 1)
                writeCycleRecord(atStart.Score + result, result);
            else
                globalGameDone(result);
        },
        this);
}

// A closed cycle goes into the account table; the service pays its places (25 Zors for the
// first, 10 for the others of the ten) and the balance is read back.
void TForm1::writeCycleRecord(std::int64_t score, int result) {
    if (!account_) return globalGameDone(result);
    const online::Account& a = *account_;
    online::RecordEntry e;
    e.gid = online::kAccountTable;
    e.nick = a.Nick;
    e.city = a.City;
    e.country = a.Country1;
    e.sex = a.Sex;
    e.score = score;
    e.pw = a.Pw;
    online_->post(
        online::recordWriteRequest(e),
        [this, score, result](bool ok, const std::string& reply) {
            const auto place = ok ? online::readNumberReply(reply) : std::nullopt;
            if (!place || *place < 1) {
                dialogs::askYesNo(
                    this,
                    table::word(WordRow::UnableToWriteResult) + " " + table::word(WordRow::Repeat),
                    [this, score, result](bool yes) {
                        if (yes)
                            writeCycleRecord(score, result);
                        else
                            globalGameDone(result);
                    });
                return;
            }
            if (!account_) return globalGameDone(result);
            online_->post(
                online::readBalanceRequest(account_->Nick),
                [this, result](bool ok, const std::string& reply) {
                    const auto b = ok ? online::readBalanceReply(reply) : std::nullopt;
                    if (b && account_) account_->R04 = *b;
                    globalGameDone(result);
                },
                this);
        },
        this);
}

void TForm1::globalGameDone(int result) {
    accountBusy_ = false;
    if (accountState_ == AccountState::GlobalRating) accountState_ = AccountState::LoggedIn;
    showAccountState();
    finishMemberGame(result);
    globalStart_.reset();
    if (screen_ == Screen::Menu && !options_.demo) world_->refresh(*online_, account_);
}

void TForm1::reportGame(int result, bool cycleEnd) {
    if (options_.demo) return;
    online::GameReport r;
    r.againstComputer = !memberNetwork_;
    r.completedCycle = cycleEnd;
    r.result = result;
    // A report that fails is lost; nothing is said.
    online_->post(online::gameReportRequest(online::gameReportValues(r)), {}, this);
}

void TForm1::offerWorldEntry(QDialog* endWindow, std::int64_t score) {
    if (memberNetwork_ || globalStart_ || options_.demo) return;
    connect(endWindow, &QDialog::finished, this, [this, score] {
        const auto question = [this, score] {
            dialogs::ServerWriteQuestion q;
            q.nick = fromBytes(settings_.OnlineNick);
            q.city = fromBytes(settings_.OnlineCity);
            const auto c = online::countryByCode(settings_.OnlineLocation);
            q.country = c ? QString::fromUtf8(c->name.data(), static_cast<int>(c->name.size()))
                          : QString::fromStdString(settings_.OnlineLocation);
            q.flag = pictures_.picture(
                QString::fromStdString(online::flagPictureName(settings_.OnlineLocation)));
            q.score = score;
            q.passport = true;
            return q;
        };
        const dialogs::ServerWriteQuestion q = question();
        auto* w = new dialogs::TFormServerWrite(q, this);
        // The passport window changes the settings; the entry shows each change.
        connect(w, &dialogs::TFormServerWrite::passportAsked, w, [this, w, question] {
            ShowPassport();
            const auto opened = findChildren<dialogs::TFormServerInfo*>();
            if (opened.isEmpty()) return;
            connect(opened.back(), &dialogs::TFormServerInfo::changed, w,
                    [w, question] { w->setPassport(question()); });
        });
        connect(w, &dialogs::TFormServerWrite::sendAsked, w, [this, w, score] {
            online::RecordEntry e;
            e.gid = online::kWindowsTable;
            e.nick = settings_.OnlineNick;
            e.city = settings_.OnlineCity;
            e.country = settings_.OnlineLocation;
            e.sex = settings_.OnlineGender == "W" ? "W" : "M";
            e.score = score;
            online_->post(
                online::recordWriteRequest(e),
                [w](bool ok, const std::string& reply) {
                    const auto place = ok ? online::readNumberReply(reply) : std::nullopt;
                    w->showPlace(place && *place >= 1 ? std::optional<long long>(*place)
                                                      : std::nullopt);
                },
                w);
        });
        w->open();
    });
}

void TForm1::accountSummary(dialogs::CountQuestion& q) {
    q.accountState = static_cast<int>(accountState_);
    const char* lamps[] = {"LampR24", "LampY24", "LampG24"};
    q.lamp = pictures_.picture(lamps[std::clamp(q.accountState, 1, 3) - 1]);
    if (!globalStart_) return;
    // A game for the global rating counts the account's games and shows its rating.
    q.values.gamesInCycle = std::to_string(globalStart_->Kon + 1);
    q.values.ratingBefore = std::to_string(std::llround(globalStart_->Rating));
    q.values.ratingNow = "?";
}

void TForm1::ShowWorldTopTen() {
    PlaySoundEvent(Wave::WOpenFo, false);
    WorldViewer v;
    v.passportNick = settings_.OnlineNick;
    v.passportCity = settings_.OnlineCity;
    v.account = account_;
    v.local = records_.read(false);
    v.network = records_.read(true);
    openWorldTopTen(this, *online_, pictures_, v);
}

}  // namespace orvala::app
