#include "app/recording/recording_feature.h"

#include <QPainter>
#include <QWidget>

#include "app/game_session.h"
#include "app/shell.h"
#include "dialogs/message_window.h"
#include "table/picture_store.h"
#include "table/word_text.h"

namespace orvala::app {

RecordingFeature::RecordingFeature(Shell& shell)
    : shell_(shell),
      gif_(shell.window(), shell.settings(), shell.pictures(), shell.launch().programFolder) {
    connect(&gif_, &GifRecorder::noticeChanged, this, [this] { shell_.window().update(); });
    connect(&gif_, &GifRecorder::failed, this, [this](const QString& why) {
        dialogs::showMessage(&shell_.window(), table::word(WordRow::GifNotWritten), why);
    });
}

void RecordingFeature::screenShown(Screen screen) {
    if (screen == Screen::Game) lastRecordedDeal_ = lastEndedDeal_ = 0;
}

void RecordingFeature::tableStill() {
    if (shell_.screen() != Screen::Game || !shell_.session().table()->live()) return;
    const GameRecord& g = shell_.session().state().g;
    // A new deal on the table, names shown and the shuffle heard: its recording starts.
    if (g.GameRunning && g.DealStartPending == 1 && g.DealNumber != lastRecordedDeal_) {
        lastRecordedDeal_ = g.DealNumber;
        gif_.start();
    }
    if ((g.GameState == GameState::DealScored || g.GameState == GameState::GameOver) &&
        g.DealNumber != lastEndedDeal_) {
        lastEndedDeal_ = g.DealNumber;
        // A deal after which the game goes on (scored or given up) is saved with the scored
        // table as its last frame; the deal that ends the game is not.
        if (g.GameState == GameState::DealScored) {
            gif_.capture();
            gif_.save();
        } else {
            gif_.discard();
        }
    }
}

void RecordingFeature::leavingGame(bool keepDeal) {
    if (!gif_.recording()) return;
    if (keepDeal)
        gif_.save();
    else
        gif_.discard();
}

void RecordingFeature::paintOver(QPainter& p) {
    if (!gif_.notice().isNull()) p.drawImage(gif_.noticeAt(), gif_.notice());
}

void RecordingFeature::windowClosing() {
    // A running game's deal is kept as far as it went.
    if (shell_.screen() == Screen::Game && gif_.recording()) gif_.save();
}

}  // namespace orvala::app
