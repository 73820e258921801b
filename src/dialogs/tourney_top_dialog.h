#pragma once
// TFormTourneyTop, "Tournament Top Ten": a choice of "Score", "Rating" or "Games", the list of up
// to ten players (place, nick, city and country, the value; medals beside the first three) and
// "Your place" for the player's own value, or "No Connect" where a read failed. The main
// window's lobby reads the list and the place when the choice changes.

#include <QRadioButton>
#include <optional>
#include <vector>

#include "core/online/tourney_lobby.h"
#include "dialogs/dialog_kit.h"
#include "dialogs/world_list.h"

class QLabel;

namespace orvala::dialogs {

// Gold, silver and bronze for places 1..3; a null picture for the rest.
QImage medalPicture(std::int64_t place);

class TFormTourneyTop final : public AuxDialog {
    Q_OBJECT
  public:
    explicit TFormTourneyTop(QWidget* parent = nullptr);

    online::TopKind kind() const { return kind_; }
    // Nothing: the list could not be read.
    void setRows(const std::optional<std::vector<online::TourneyTopRow>>& rows);
    // Nothing: the place could not be read.
    void setPlace(std::optional<std::int64_t> place);

    QStringList texts() const { return List->texts(); }
    QString place() const;

    std::array<QRadioButton*, 3> Kinds{};  // "Score", "Rating", "Games"
    WorldList* List = nullptr;
    QLabel* Place = nullptr;
    table::TZorCardsButton* Button1 = nullptr;  // "Close"

  signals:
    void kindChosen(online::TopKind kind);

  private:
    online::TopKind kind_ = online::TopKind::Score;
};

}  // namespace orvala::dialogs
