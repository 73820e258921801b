#pragma once
// Every game kept, and shown again: the feature writes each game's log into "Logs/" as its
// deals are scored (`GameLogs`), and shows a kept game again at the table, read-only, with the
// replay's keys (`ReplayBar`), when the history window asks. "Exit to menu" on the right action
// button, or any way back to the menu, ends the replay.

#include <QPointer>
#include <memory>

#include "app/feature.h"
#include "app/game_replays.h"
#include "app/replay/game_logs.h"

namespace orvala::app {

class Shell;
class ReplayBar;
class ReplayTable;

class ReplayFeature final : public Feature, public GameReplays {
    Q_OBJECT
  public:
    explicit ReplayFeature(Shell& shell);
    ~ReplayFeature() override;

    // GameReplays.
    std::map<std::string, QString> finishedLogs() const override { return logs_.finishedLogs(); }
    void replay(const QString& log) override;

    GameLogs& logs() { return logs_; }
    ReplayTable* table() const;
    ReplayBar& bar() { return *bar_; }
    // Writes the deal shown as a GIF into "GIFGame/"; the file's path, or empty when it failed
    // (the window says why).
    QString saveDealGif();

    void screenShown(Screen screen) override;
    void applyLanguage() override;
    void layout() override;
    void tableStill() override;
    bool cutShort() const override { return table() != nullptr; }
    void leaveCutShort() override;

  private:
    void end();
    void logWritten(bool written);

    Shell& shell_;
    GameLogs logs_;
    std::unique_ptr<ReplayBar> bar_;
    QPointer<ReplayTable> table_;
    QString replayed_;  // the log shown
    bool logFailed_ = false;
};

}  // namespace orvala::app
