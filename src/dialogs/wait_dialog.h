#pragma once
// TFormWait, "Please, wait...": the LAN table's waiting form, over the login form while the host
// listens or a joiner connects. It shows a status line, three lines that announce joined players
// (the host's), "Ok" and "Cancel".
//
// The host's form waits for joiners: each one joined shows its line, enables "Ok" and disables
// "Cancel", and "Ok" starts the game. A joiner's form closes by itself when its seat reply
// comes (`seated`). "Cancel" gives up. While the no-game flag is raised (a joiner that connects,
// or whose socket failed) the one-second timer turns the status line to "There are no
// accessible games", so a joiner sees it when no host answers.
//
// `started` or `cancelled` answers, once; the form then closes.

#include <QTimer>

#include "dialogs/dialog_kit.h"

class QLabel;

namespace orvala::dialogs {

class TFormWait final : public AuxDialog {
    Q_OBJECT
  public:
    TFormWait(bool host, QWidget* parent = nullptr);

    // The host: `joined` players have joined (1 or 2).
    void playersJoined(int joined);
    // A joiner: its seat reply came.
    void seated();
    void setNoGame(bool raised) { noGame_ = raised; }
    // The table cannot be opened after all (its session ended): as "Cancel", pressable or not.
    void abandon() { finish(false); }
    // The one-second timer's work (tests call it at once).
    void secondTick();

    QLabel* Label1 = nullptr;                   // the status line
    QLabel* Lines[3] = {};                      // the joined players
    table::TZorCardsButton* Button1 = nullptr;  // "Ok"
    table::TZorCardsButton* Button2 = nullptr;  // "Cancel"

    // Escape, as "Cancel" while "Cancel" may be pressed.
    void reject() override;

  signals:
    void started();
    void cancelled();

  private:
    void finish(bool start);

    QTimer second_;
    bool noGame_ = false;
    bool answered_ = false;
};

}  // namespace orvala::dialogs
