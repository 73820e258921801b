#pragma once
// The program folder's "Logs/": one log file for every game this machine plays, against the
// computer, on the LAN or in the tournament. The file is named by the game's first deal
// ("YYYY.MM.DD-hh.mm.ss.log") and written whole again, atomically, each time a deal is played
// out, so a crash loses at most the deal under way; the game's end adds the line that ties it to
// its history line. At most `kMaxGameLogFiles` files are kept: a new game's file makes the oldest
// go.

#include <QString>
#include <map>
#include <optional>
#include <string>

#include "core/records/game_log_file.h"
#include "core/records/history_file.h"

namespace orvala::app {

class SessionTable;

class GameLogs {
  public:
    explicit GameLogs(QString programFolder);

    QString folder() const;
    // Called when the table is still: writes the game's log once another deal is played out,
    // and once more when the game is over. False when the file could not be written.
    bool observe(const SessionTable& table, GameLogKind kind);
    // The kept logs of finished games by their end, "hh:nn date" as their history lines have
    // it (the newest log of a minute wins). Only each file's last line is read.
    std::map<std::string, QString> finishedLogs() const;
    // The log of the game under way or just ended (empty before its first scored deal).
    QString current() const { return path_; }
    // The history line of the game under way or just ended is written with `stamp`: its log's
    // end takes that time and date, now or once the game is over, and a game against the
    // computer played for the account's rating is logged as the account's. False when an ended
    // game's log could not be written again.
    bool historyWritten(const HistoryStamp& stamp, HistoryKind kind);

  private:
    void startFile();
    void prune() const;

    QString programFolder_;
    QString path_;
    std::optional<lan::DealMessage> firstDeal_;
    std::size_t written_ = 0;  // deals in the file
    bool finished_ = false;
    std::optional<GameLogFile> file_;           // as last written
    std::optional<HistoryStamp> historyStamp_;  // the game's history line, once written
    bool accountGame_ = false;
};

}  // namespace orvala::app
