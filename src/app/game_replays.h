#pragma once
// The kept games shown again, as the history window asks for them; the feature that keeps the
// games' logs provides it to the shell.

#include <QString>
#include <map>
#include <string>

namespace orvala::app {

class GameReplays {
  public:
    virtual ~GameReplays() = default;
    // The logs of finished games, by their history lines' "hh:nn date".
    virtual std::map<std::string, QString> finishedLogs() const = 0;
    // The game of `log` shown again at the table, or what keeps it from being shown.
    virtual void replay(const QString& log) = 0;
};

}  // namespace orvala::app
