#pragma once
// The club files of the program folder as the window uses them: installed on the first run,
// checked at start-up, read for the menu's club panel, the login and the top ten.

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <string>

#include "core/records/club_file.h"
#include "core/records/history_file.h"

namespace orvala::app {

struct ClubStartup {
    QStringList fatal;     // messages after which the program closes (missing, incorrect)
    QStringList warnings;  // write-protected files: told, then the program goes on
    bool russian = false;  // line 17 of "Orvala.clb" asks for the Russian interface
    std::string distribution;
};

class ClubRecords {
  public:
    explicit ClubRecords(std::string folder) : folder_(std::move(folder)) {}

    // Writes the initial club files where none are (the first run), then checks both.
    ClubStartup start();
    // Both files passed the start-up check: the settings may be written.
    bool usable() const { return usable_; }

    std::string path(bool network) const { return clubFilePath(folder_, network); }
    std::optional<ClubFile> read(bool network) const;
    const std::string& folder() const { return folder_; }

    // The stamp of a history line of `kind` about to be written for the game just played: the
    // local time now, told to whoever keeps the game's log, which ties the log to the line.
    HistoryStamp historyStamp(HistoryKind kind);
    void onHistoryStamp(std::function<void(const HistoryStamp&, HistoryKind)> listener) {
        historyListener_ = std::move(listener);
    }

  private:
    std::string folder_;
    bool usable_ = false;
    std::function<void(const HistoryStamp&, HistoryKind)> historyListener_;
};

// The club panel's line of a member slot: the name with the games modulo 25 and the cycle score
// (mode 1), or the games and the rating with two decimals (mode 2); "#" for an empty slot.
QString clubPanelLine(const ClubFile& club, int slot, int topTenMode);

// The history line's time and date as the user's locale writes them.
HistoryStamp localHistoryStamp();

}  // namespace orvala::app
