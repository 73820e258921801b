#pragma once
// TFStat, the statistics window: under "This statistic is maintained since version 5.2", the ten
// counters the web service keeps for this game over all installations, each caption followed by
// ":" and its value; "No Connect" as the first value while they could not be read. "I like this
// game!" (enabled only while no like was sent from here) asks for a nick in a box captioned
// "Nick" while the passport nick is still "Incognito", repeating while the nick fails the
// passport check (cancel ends it), and then asks the window to send the like; the window answers
// with `likeAnswered`. "Ok" and Escape close.

#include <QInputDialog>
#include <QPointer>
#include <optional>
#include <vector>

#include "core/online/operations.h"
#include "dialogs/dialog_kit.h"

class QLabel;

namespace orvala::dialogs {

struct StatQuestion {
    bool likeEnabled = true;     // StatisticsSent is off
    QString nick = "Incognito";  // the passport nick
    bool salute = false;         // SaluteOnButtons
};

class TFStat final : public AuxDialog {
    Q_OBJECT
  public:
    explicit TFStat(const StatQuestion& question, QWidget* parent = nullptr);

    // The counters as read, or nothing when the read failed.
    void showCounters(const std::optional<online::Statistics>& counters);
    // The like was sent (`ok`) or not: on success the button goes off, the likes count grows by
    // one and the nick shows as the last like; a failure changes nothing.
    void likeAnswered(bool ok);

    // The ten values as shown, top to bottom.
    QStringList values() const;
    // The nick box while it is open.
    QInputDialog* nickBox() const { return nickBox_; }

    table::TZorCardsButton* Button1 = nullptr;  // "Ok"
    table::TZorCardsButton* Button2 = nullptr;  // "I like this game!"

  Q_SIGNALS:
    // The nick to send with the like (UTF-8); a nick typed in the box is the new passport nick.
    void likeWanted(const QString& nick, bool nickTyped);
    // The button's salute, when the settings ask for it.
    void saluteWanted(QWidget* button);

  private:
    void like();
    void askNick();

    StatQuestion question_;
    std::vector<QLabel*> values_;
    QPointer<QInputDialog> nickBox_;
    bool nickTyped_ = false;
    bool sending_ = false;
};

}  // namespace orvala::dialogs
