#pragma once
// TFHistory, "History of games": the valid history files on the left ("File I0001 09.12.2026",
// up to the first file that is not valid; "No History Files" and disabled when there is none),
// the chosen file's games on the right in seven columns: "Time", "Date", "Player", "Games",
// "Result", "Rating", "Type". A row's colour says its kind: "Local" in the window's text colour,
// "Net" green, "Account" red, "Tourney" blue.
//
// The first opening of a run shows the newest file; later openings keep the file chosen before,
// or the newest when it is gone. "Replay" shows the chosen game again when its log is kept (and
// closes the window); "Ok" or Escape closes the window.

#include <map>
#include <string>

#include "dialogs/dialog_kit.h"

class QListWidget;
class QTableWidget;

namespace orvala::dialogs {

struct HistoryQuestion {
    std::string folder;  // the history folder
    // The kept logs of finished games by their end, "hh:nn date" as the lines have it.
    std::map<std::string, QString> logs;
};

class TFHistory final : public AuxDialog {
    Q_OBJECT
  public:
    explicit TFHistory(const HistoryQuestion& question, QWidget* parent = nullptr);

    QListWidget* ListBox1 = nullptr;
    QTableWidget* SG = nullptr;
    table::TZorCardsButton* Button1 = nullptr;  // "Ok"
    table::TZorCardsButton* ButtonReplay = nullptr;

    // The log of the game chosen now, or empty when none is kept (or none is chosen).
    QString chosenLog() const;

    // The file number shown now (0: none).
    int shownFile() const { return shown_; }

  signals:
    void replayRequested(const QString& log);

  private:
    void showFile(int number);

    HistoryQuestion question_;
    std::vector<int> numbers_;
    int shown_ = 0;
};

// Forgets the file chosen in earlier openings (for tests: a new run).
void forgetHistorySelection();

}  // namespace orvala::dialogs
