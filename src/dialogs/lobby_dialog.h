#pragma once
// TFormLobby, the "World Online Tournament" lobby as drawn: the welcome line of the game server
// with its lamp ("Server On" / "Server Off"), ten tables in two columns, each with its caption
// (whose hint lists the table's five house rules) and three seat buttons, the results panel
// ("My results"), the buttons "Refresh", "Top 10", "My results" and "Close", and, for the
// administrator only, a field for another game-server address.
//
// The dialog only draws and reports presses; the main window's lobby decides what the seats
// read and does the web operations.

#include <QString>
#include <QStringList>
#include <array>

#include "dialogs/dialog_kit.h"

class QLabel;
class QLineEdit;

namespace orvala::dialogs {

// The welcome line's font: 28 points, 24 when the text is longer than 39 characters, 20 when
// longer than 54.
int welcomePointSize(int length);
// A table's hint: its five rules, one a line.
QString tableRulesHint(int table);

class TFormLobby final : public AuxDialog {
    Q_OBJECT
  public:
    explicit TFormLobby(bool administrator, QWidget* parent = nullptr);

    void setWelcome(const QString& text);
    void setServerOn(bool on);
    void setSeat(int table, int seat, const QString& caption, bool enabled);
    // "Refresh", "Close" and "Top 10".
    void setControlsEnabled(bool enabled);
    void setResults(const QStringList& lines);
    // The administrator's address, trimmed; empty for everybody else.
    QString typedAddress() const;

    table::TZorCardsButton* seatButton(int table, int seat) const;
    QLabel* tableCaption(int table) const;
    bool serverOn() const { return serverOn_; }
    QStringList results() const;

    QLabel* Welcome = nullptr;
    QLabel* ServerLamp = nullptr;
    QLabel* Results = nullptr;
    QLineEdit* Address = nullptr;  // the administrator's only
    table::TZorCardsButton* BRefresh = nullptr;
    table::TZorCardsButton* BTop = nullptr;
    table::TZorCardsButton* BResults = nullptr;
    table::TZorCardsButton* BClose = nullptr;

  signals:
    void seatPressed(int table, int seat);
    void refreshPressed();
    void topPressed();
    void resultsPressed();

  private:
    std::array<std::array<table::TZorCardsButton*, 3>, 10> seats_{};
    std::array<QLabel*, 10> captions_{};
    bool serverOn_ = false;
};

}  // namespace orvala::dialogs
