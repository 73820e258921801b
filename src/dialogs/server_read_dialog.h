#pragma once
// TFormServerRead, "World Top Ten": on the left one of the three record tables (Windows, mobile,
// account) with its ten best rows, "Number of games: " and the rows around the player; on the
// right seven pages: the account rating top ten, the three record tables, the tournament's top
// ten and the two club files' top tens. The dialog only shows: choosing a table or a page asks
// the window by a signal, and the window answers with the lines (or a failure, "No Connect").
// "Close" or Escape closes it.

#include <QLabel>
#include <array>
#include <optional>

#include "dialogs/dialog_kit.h"
#include "dialogs/world_list.h"

namespace orvala::dialogs {

// The right panel's pages, in their order.
enum class WorldPage { Rating, AccountScore, WindowsScore, AndroidScore, Tournament, Local, Net };
inline constexpr int kWorldPages = 7;
// The page's title, a fixed text ("ACCOUNT. RATING. ALL GAMES").
QString worldPageTitle(WorldPage page);

class TFormServerRead final : public AuxDialog {
    Q_OBJECT
  public:
    // `tournament`: whether the tournament's page can be read; without it its button is off.
    explicit TFormServerRead(bool tournament, QWidget* parent = nullptr);

    // The left panel's table (55, 155 or 355) and the page shown on the right.
    int table() const { return table_; }
    WorldPage page() const { return page_; }
    void chooseTable(int gid);
    void choosePage(WorldPage page);

    // The window's answers; an answer for a table or page no longer shown is dropped.
    void showTable(int gid, const std::optional<std::vector<WorldLine>>& top);
    void showCount(int gid, std::optional<long long> count);
    void showNear(int gid, const std::optional<std::vector<WorldLine>>& near);
    void showPage(WorldPage page, const std::optional<std::vector<WorldLine>>& lines);

    std::array<table::TZorCardsButton*, 3> tableButtons{};
    std::array<table::TZorCardsButton*, kWorldPages> pageButtons{};
    table::TZorCardsButton* Button1 = nullptr;  // "Close"
    QLabel* tableTitle = nullptr;
    QLabel* countLabel = nullptr;  // "Number of games: 12"
    QLabel* pageTitle = nullptr;
    WorldList* topList = nullptr;
    WorldList* nearList = nullptr;
    WorldList* pageList = nullptr;

  signals:
    void tableAsked(int gid);
    void pageAsked(WorldPage page);

  private:
    int table_ = 0;
    WorldPage page_ = WorldPage::Rating;
};

}  // namespace orvala::dialogs
