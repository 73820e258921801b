#include "app/replay/replay_feature.h"

#include <QDir>
#include <QFileInfo>

#include "app/club_records.h"
#include "app/game_session.h"
#include "app/open_hands.h"
#include "app/replay/replay_bar.h"
#include "app/replay/replay_gif.h"
#include "app/replay/replay_table.h"
#include "app/shell.h"
#include "core/text/atomic_file.h"
#include "dialogs/message_window.h"
#include "table/table_view.h"
#include "table/word_text.h"

namespace orvala::app {

ReplayFeature::ReplayFeature(Shell& shell)
    : Feature(&shell.window()), shell_(shell), logs_(shell.launch().programFolder) {
    bar_ = std::make_unique<ReplayBar>(shell.window(), [this] { return table(); });
    connect(bar_.get(), &ReplayBar::saveGifRequested, this, [this] {
        const QString path = saveDealGif();
        if (!path.isEmpty())
            dialogs::showMessage(&shell_.window(), table::word(WordRow::ReplayGifSaved) + "\n" +
                                                       QDir::toNativeSeparators(path));
    });
    shell_.provide(static_cast<GameReplays&>(*this));
    // A history line written after the game ended (the tournament's, once the service
    // answered) moves the log's end to its time.
    shell_.club().onHistoryStamp([this](const HistoryStamp& stamp, HistoryKind kind) {
        logWritten(logs_.historyWritten(stamp, kind));
    });
}

ReplayFeature::~ReplayFeature() = default;

ReplayTable* ReplayFeature::table() const {
    return table_.data();
}

void ReplayFeature::replay(const QString& log) {
    const auto refuse = [this](const std::string& why) {
        dialogs::showMessage(&shell_.window(), table::word(WordRow::ReplayCannotRead) + "\n" +
                                                   QString::fromStdString(why));
    };
    std::string bytes;
    if (!readFileBytes(QFile::encodeName(log).toStdString(), bytes, kMaxGameLogBytes))
        return refuse(QFileInfo(log).fileName().toStdString());
    GameLogRead read = readGameLogText(bytes);
    if (!read.log) return refuse(read.error);
    GameLogReplay replayed = replayGameLog(*read.log);
    if (!replayed.error.empty()) return refuse(replayed.error);
    if (replayed.states.empty() || replayed.states.front().empty()) return refuse("no deal");
    auto table = std::make_unique<ReplayTable>(std::move(replayed));
    ReplayTable* shown = table.get();
    shell_.enterTable(this);
    shell_.session().play(std::move(table));
    table_ = shown;
    replayed_ = log;
    shell_.openHands().hold(true);
    bar_->setVisible(true);
    layout();
    shown->go(0, 0);
    bar_->update();
    shell_.syncControls();
}

QString ReplayFeature::saveDealGif() {
    const ReplayTable* t = table();
    if (!t) return {};
    const QString folder = QDir(shell_.launch().programFolder).filePath("GIFGame");
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(
        QString("%1-deal-%2.gif").arg(QFileInfo(replayed_).completeBaseName()).arg(t->deal() + 1));
    const QString error = writeReplayGif(
        t->replay().states[static_cast<std::size_t>(t->deal())], shell_.settings(),
        shell_.pictures(), ReplayBar::kStepMs[static_cast<std::size_t>(bar_->speed())], path);
    if (!error.isEmpty()) {
        dialogs::showMessage(&shell_.window(),
                             table::word(WordRow::ErrorOfDiskWriting) + "\n" + error);
        return {};
    }
    return path;
}

void ReplayFeature::screenShown(Screen screen) {
    // Any way back to the menu ends the replay.
    if (screen != Screen::Game && table_) end();
}

void ReplayFeature::end() {
    bar_->setVisible(false);
    shell_.openHands().hold(false);
    if (table_) shell_.session().endTable();
    table_ = nullptr;
}

void ReplayFeature::leaveCutShort() {
    shell_.leaveGame(false);
}

void ReplayFeature::applyLanguage() {
    bar_->applyLanguage();
}

void ReplayFeature::layout() {
    bar_->layout(shell_.view().scale(), shell_.settings());
}

void ReplayFeature::tableStill() {
    if (shell_.screen() != Screen::Game) return;
    const SessionTable* t = shell_.session().table();
    if (!t || !t->live()) return;
    logWritten(logs_.observe(*t, t->logKind()));
}

void ReplayFeature::logWritten(bool written) {
    // A log that cannot be written is told once; the game goes on.
    if (!written && !std::exchange(logFailed_, true))
        dialogs::showMessage(&shell_.window(), table::word(WordRow::ErrorOfDiskWriting));
}

}  // namespace orvala::app
