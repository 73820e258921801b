#pragma once
// The deals recorded as animated pictures while the setting is on: a deal's recording starts
// once its table is dealt, and is written when the deal is scored, or dropped when the deal ends
// the game. A deal left for the menu or by closing the window is written as far as it went; a
// game that breaks off (a player gone, a tournament cut short) drops it.

#include "app/feature.h"
#include "app/recording/gif_recorder.h"

namespace orvala::app {

class Shell;

class RecordingFeature final : public Feature {
  public:
    explicit RecordingFeature(Shell& shell);

    GifRecorder& recorder() { return gif_; }
    const GifRecorder& recorder() const { return gif_; }

    // A new game's table: its deals count from 1 again.
    void screenShown(Screen screen) override;
    void tableStill() override;
    void leavingGame(bool keepDeal) override;
    // The notice of a save under way.
    void paintOver(QPainter& p) override;
    void windowClosing() override;

  private:
    Shell& shell_;
    GifRecorder gif_;
    int lastRecordedDeal_ = 0;  // the deal whose recording started last
    int lastEndedDeal_ = 0;     // the deal whose recording was written or dropped last
};

}  // namespace orvala::app
