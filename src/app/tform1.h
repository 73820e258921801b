#pragma once
// TForm1, the main window: a thin shell. It shows the title, the main menu and the game's table
// with the two action buttons, runs the game timer Timer1, the cursors, the routing of mouse and
// keys and painting, and calls its features (features.cpp), which bring everything else. The
// window never blocks: it repaints, animates and closes while a computer thinks.

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/shell.h"
#include "core/game/rules_state.h"
#include "table/zor_cards_button.h"

namespace orvala::app {

struct WindowParts;
using namespace orvala::table;

class TForm1 final : public QWidget, public Shell {
    Q_OBJECT
  public:
    using Screen = app::Screen;
    explicit TForm1(const LaunchOptions& options, QWidget* parent = nullptr);
    ~TForm1() override;
    const RulesState& rules() const;
    const WindowParts& parts() const { return *p_; }  // the sound, the tune, the open hands...
    int dealsPlayed() const { return dealsPlayed_; }
    const QImage& saluteStrip() const { return saluteStrip_; }  // null without its library
    // A game from the menu for the member logged in (or the settings' player), as the demo's.
    void startGame();
    void leaveTitle();
    // "Exit to menu" of the table's menu: asks, and leaves the game for the menu.
    void exitToMenuCommand();
    // The settings' window size applied, and everything drawn again at it.
    void applyWindowSize();
    // The word table's language (0..9), kept in the settings, and every caption in it at once.
    void SetLanguage(int index);
    void ApplyLanguage();
    void PlaySoundEvent(Wave wave, bool synchronous);
    void PlayMusic(bool on);
    // The features, in the order of their list; tests find one by its type.
    template <class F>
    F* feature() const {
        for (const auto& f : features_)
            if (auto* p = dynamic_cast<F*>(f.get())) return p;
        return nullptr;
    }
    // What the features are given (shell.h).
    Screen screen() const override { return screen_; }
    void saveSettings() override;
    MemberGames& memberGames() override { return *memberGames_; }
    void provide(MemberGames& games) override { memberGames_ = &games; }
    GameReplays* replays() override { return replays_; }
    void provide(GameReplays& replays) override { replays_ = &replays; }
    void logStream(const QString& url) override;
    void playSound(Wave wave, bool synchronous) override { PlaySoundEvent(wave, synchronous); }
    void playMusic(bool on) override { PlayMusic(on); }
    void salute(bool onButtons) override;
    bool busy() const override;
    QCursor gameCursor(int which) const override;
    void enterTable(Feature* owner) override;
    void startGame(const PlayerStart& player, Feature* owner) override;
    Feature* gameOwner() const override { return owner_; }
    void showMenu() override;
    void stopTable() override;
    void leaveGame(bool keepDeal) override;
    void syncControls() override;
    void optionChanged(dialogs::OptionChange what) override;
    void announceLogin(dialogs::TFormPassword& login) override;
    table::TZorCardsButton* Button7 = nullptr;
    table::TZorCardsButton* Button8 = nullptr;
    table::TZorCardsButton* Button6 = nullptr;   // "New Player", the menu's
    table::TZorCardsButton* Button11 = nullptr;  // "Exit", the menu's
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
    void build();  // the window's parts and features, at once or after the title is shown
    void gameEvents(const std::vector<TableEvent>& events);
    void onTimer1();
    void onIdle();
    void onThinking(int percent, bool busyCursor);
    void input(const Input& in);
    void askContract();
    void layoutControls();
    void leaveGameForMenu();
    void askToLeave(const QString& question, std::function<void()> leave);  // "Yes" leaves
    void redrawScreen();  // the screen shown drawn again (its texts and pictures)
    void updateCursor(QPoint p);
    bool writeSettings(bool closing);  // false when the file could not be written
    LaunchOptions options_;
    std::unique_ptr<WindowParts> p_;  // the window's own parts
    std::vector<std::unique_ptr<Feature>> features_;
    MemberGames* memberGames_ = nullptr;
    GameReplays* replays_ = nullptr;
    Feature* owner_ = nullptr;  // the feature whose game is on the table
    Screen screen_ = Screen::Title;
    QTimer timer1_{this};               // a child named "Timer1", so that tests can count its ticks
    QTimer musicTimer_{this};           // "Timer55": the tune again on the title and the menu
    std::optional<int> contractAsked_;  // the contract the dialog opens at, once the table is still
    bool contractOpen_ = false;
    int titleFrame_ = 0, dealsPlayed_ = 0, lastCountedDeal_ = 0;
    QImage saluteStrip_;
    bool closeConfirmed_ = false, sizeFallbackTold_ = false;  // a size that does not fit: once
};

}  // namespace orvala::app
