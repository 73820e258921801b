#pragma once
// TForm1, the main window: the title screen, the main menu, and the game table. It owns the
// settings, the pictures, the round driver and the computer players, and the game timer Timer1.
//
// The driver's table events are played one after the other — flights animated, pauses and
// synchronous sounds waited out — by the window's own animation timer, so the window repaints,
// moves and closes at any time. While events are still to be played the window feeds the driver
// no tick and no click: no rule step ever starts inside another.

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <memory>
#include <optional>

#include "app/open_hands.h"
#include "app/window_players.h"
#include "core/game/autopilot.h"
#include "core/game/round_driver.h"
#include "core/settings/settings.h"
#include "table/table_view.h"
#include "table/zor_cards_button.h"

namespace orvala::app {

using namespace orvala::table;

struct LaunchOptions {
    QString programFolder;
    bool demo = false;
    int quitAfterDeals = 0;             // demo: quit with status 0 after this many deals (0: never)
    std::optional<std::uint64_t> seed;  // fixed seeds for shuffles and the computer players
    // For tests of whole games: the timer ticks every millisecond and events play without
    // flights or pauses. The rule steps and their order are those of a normal game.
    bool fast = false;
};

class TForm1 final : public QWidget {
    Q_OBJECT
  public:
    explicit TForm1(const LaunchOptions& options, QWidget* parent = nullptr);
    ~TForm1() override;

    enum class Screen { Title, Menu, Game };
    Screen screen() const { return screen_; }
    const RoundDriver& driver() const { return driver_; }
    const TableView& view() const { return view_; }
    Settings& settings() { return settings_; }
    // True while table events are still being played.
    bool busy() const;
    int dealsPlayed() const { return dealsPlayed_; }
    bool handsOpen() const { return openHands_.on(); }
    // The salute's film strip; null when its library is not there.
    const QImage& saluteStrip() const { return saluteStrip_; }

    // Starts a game for PlayerName from the menu, as "New Player" does until club members exist.
    void startGame();
    // Leaves the title screen.
    void leaveTitle();
    // "Exit to menu" of the table's menu: asks, and leaves the game for the menu.
    void exitToMenuCommand();
    // ApplyWindowSize from the settings, and everything redrawn at the new size.
    void applyWindowSize();

    TZorCardsButton* Button7 = nullptr;
    TZorCardsButton* Button8 = nullptr;
    TZorCardsButton* Button6 = nullptr;   // "New Player"
    TZorCardsButton* Button11 = nullptr;  // "Exit"

  signals:
    void eventsPlayed();

  protected:
    void paintEvent(QPaintEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void keyReleaseEvent(QKeyEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    void showEvent(QShowEvent*) override;
    void closeEvent(QCloseEvent*) override;
    void contextMenuEvent(QContextMenuEvent*) override;

  private:
    void onTimer1();
    void onAnimation();
    void pressButton7();
    void pressButton8();

    // Runs one driver input, then takes its events into the queue.
    template <class F>
    void driverStep(F&& input);
    void takeDriverEvents();
    void finishQueuedEvents();   // plays what is queued at once, without animation
    bool playOne(bool animate);  // false when the event needs time (a flight or a wait)
    void applyEvent(const TableEvent& e);
    void syncControls();
    void layoutControls();
    void showMenu();
    void redrawGame();
    void drawTitle();
    void drawMenu();
    void updateCursor(QPoint p);
    QCursor gameCursor(int which) const;  // 0 hand, 1 arrow, 2 busy
    int askContract(const GameRecord& g, const RuleSettings& rules);
    void demoStep();
    void drawComputerHands();
    // The background of the screen shown now: the "Purple" picture when its design says so.
    bool purpleScreen() const;
    void salute(bool onButtons);
    // The buttons' colour schemes by the design of the screen shown.
    void colourButtons();
    void styleButton(TZorCardsButton* b, double s);

    LaunchOptions options_;
    Settings settings_;
    PictureStore pictures_;
    TableView view_;
    std::unique_ptr<RandomSource> shuffleRandom_;
    std::unique_ptr<RandomSource> playerRandom_;
    ComputerPlayers computers_;
    WindowPlayers windowPlayers_;
    AutoPilot pilot_;
    RoundDriver driver_;

    Screen screen_ = Screen::Title;
    QTimer timer1_;
    QTimer animation_;
    std::deque<TableEvent> queue_;
    bool inStep_ = false;

    // The card flights under way: each card with its path and the step it has reached.
    struct Flight {
        QImage picture;
        std::vector<QPoint> path;
        size_t at = 0;
        Place to;
        Card card;
        bool leaveOnTable = false;
    };
    std::vector<Flight> flights_;
    FlightPacer pacer_;
    QElapsedTimer waitClock_;
    int waitMs_ = 0;
    double stepBudget_ = 0;
    int titleFrame_ = 0;
    int dealsPlayed_ = 0;
    int lastCountedDeal_ = 0;
    bool sizeFallbackTold_ = false;  // a window size the screen cannot hold is said once
    std::vector<TZorCardsButton*> menuButtons_;
    OpenHandsToggle openHands_;
    QImage saluteStrip_;
};

}  // namespace orvala::app
