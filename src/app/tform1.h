#pragma once
// TForm1, the main window: a thin shell holding the title screen, the main menu and the game
// table, with the two action buttons, the menu buttons and the game timer Timer1. It owns the
// settings and the pictures; a GameSession owns the game, the event player plays what the rules
// show through the table presenter, and dialogs answer by signals. The window never blocks: it
// repaints, animates and closes while a computer thinks.

#include <QPointer>
#include <QTimer>
#include <QWidget>

class QLabel;
class QToolButton;
#include <functional>
#include <memory>
#include <optional>

#include "app/account_holder.h"
#include "app/calendar_panel.h"
#include "app/chat_watch.h"
#include "app/club_records.h"
#include "app/event_player.h"
#include "app/game_session.h"
#include "app/gif_recorder.h"
#include "app/lan_chat_panel.h"
#include "app/lan_table.h"
#include "app/menu_screen.h"
#include "app/music_box.h"
#include "app/open_hands.h"
#include "app/shell.h"
#include "app/radio_control.h"
#include "app/table_presenter.h"
#include "app/tourney_lobby.h"
#include "app/world_panel.h"
#include "core/game/waves.h"
#include "core/online/account.h"
#include "core/online/operations.h"
#include "core/records/club_member.h"
#include "core/settings/settings.h"
#include "core/settings/settings_run.h"
#include "dialogs/chat_dialog.h"
#include "dialogs/count_dialog.h"
#include "dialogs/options_dialog.h"
#include "dialogs/password_dialog.h"
#include "dialogs/radio_dialog.h"
#include "net/library_download.h"
#include "net/online_client.h"
#include "sound/music_player.h"
#include "sound/sound_player.h"
#include "table/table_view.h"
#include "table/zor_cards_button.h"

namespace orvala::app {

using namespace orvala::table;


class TForm1 final : public QWidget, public Shell {
    Q_OBJECT
  public:
    explicit TForm1(const LaunchOptions& options, QWidget* parent = nullptr);
    ~TForm1() override;

    using Screen = app::Screen;
    Screen screen() const override { return screen_; }
    GameSession& session() override { return session_; }
    const RulesState& rules() const { return session_.state(); }
    const TableView& view() const { return view_; }
    TableView& view() override { return view_; }
    const TablePresenter& presenter() const { return presenter_; }
    TablePresenter& presenter() override { return presenter_; }
    const GifRecorder& gifRecorder() const { return gif_; }
    const sound::SoundPlayer& soundPlayer() const { return sound_; }
    const sound::MusicPlayer& music() const { return music_; }
    Settings& settings() override { return settings_; }
    // True while table events are still being played, or a computer's answer waits for them.
    bool busy() const override;

    // What the features are given (shell.h).
    QWidget& window() override { return *this; }
    const LaunchOptions& launch() const override { return options_; }
    void saveSettings() override;
    table::PictureStore& pictures() override { return pictures_; }
    ClubRecords& club() override { return records_; }
    AccountHolder& account() override { return accounts_; }
    MemberGames& memberGames() override { return *memberGames_; }
    void provide(MemberGames& games) override { memberGames_ = &games; }
    void playSound(Wave wave, bool synchronous) override { PlaySoundEvent(wave, synchronous); }
    void playMusic(bool on) override { PlayMusic(on); }
    void salute(bool onButtons) override;
    QCursor gameCursor(int which) const override;  // 0 hand, 1 arrow, 2 busy
    void enterTable(Feature* owner) override;
    void startGame(const PlayerStart& player, Feature* owner) override;
    Feature* gameOwner() const override { return owner_; }
    void showMenu() override;
    void stopTable() override;
    void leaveGame(bool keepDeal) override;
    void syncControls() override;
    void optionChanged(dialogs::OptionChange what) override { applyOption(what); }
    void announceLogin(dialogs::TFormPassword& login) override;
    // The features, in the order of their list (features.cpp); tests find one by its type.
    template <class F>
    F* feature() const {
        for (const auto& f : features_)
            if (auto* p = dynamic_cast<F*>(f.get())) return p;
        return nullptr;
    }
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
    // The language of the word table (0..9; another index is English), kept in the settings,
    // and every caption of the window in it at once.
    void SetLanguage(int index);
    // Every caption of the window and its menus from the word table: the buttons, the club
    // heading, the title and the table's texts. The right-button menu is built at each opening.
    void ApplyLanguage();
    const MenuScreen& menu() const { return menu_; }
    MenuScreen& menu() override { return menu_; }
    // The options dialog, from the menu's "Options": every change takes effect at once.
    void ShowOptions();
    // The speed dialog, from the options dialog or the right-button menu's "Speed".
    void ShowSpeed();
    // The library file's download into the folder above the program folder; done() is told
    // whether it came whole.
    void DownloadLibrary(const QString& file, std::function<void(bool)> done = {});
    bool downloading() const { return download_ != nullptr; }
    // The internet radio (tform1_radio.cpp). InitRadio at start-up; ToggleRadio on a left click
    // of the radio icon; ShowRadio from the menu's "Radio" or a right click of the icon, or the
    // "Can`t find " message when the radio is unavailable.
    void InitRadio();
    void ToggleRadio();
    void ShowRadio();
    RadioControl& radio() { return radio_; }
    QToolButton* RadioIcon = nullptr;
    // The music player's buttons "MP_Play"/"MP_Pause", "MP_Next" and "MP_Volume".
    MusicBox& musicBox() { return musicBox_; }
    QToolButton* MPPlay = nullptr;
    QToolButton* MPNext = nullptr;
    QLabel* MPVolume = nullptr;
    CalendarPanel& calendar() override { return calendar_; }
    // A wave sound, when SoundOn: a synchronous one holds the table (not the window) until it
    // has played.
    void PlaySoundEvent(Wave wave, bool synchronous);
    // The tune from its start, or stopped: the options' "Music" calls it at once. On the title
    // and the menu the window starts the tune again by itself while MusicOn.
    void PlayMusic(bool on);

    // Club members (tform1_records.cpp). The login opens for slot 1..5 or a new member (6);
    // a game then starts for the member who logged in.
    void openLogin(int slot);
    void startGameFor(const ClubMember& member);
    void changeNameCommand();
    void showTopTen();
    void showHistory();
    // The web service (tform1_online.cpp): the one client, which reads the configuration page
    // at start-up and then logs in the account that "ZorUser.zor" names, and the statistics
    // window of the right-button menu.
    net::OnlineClient& online() override { return *online_; }
    void ShowStatistics();
    // The account (tform1_account.cpp): the account window from the menu's account button
    // (a star in the state's colour), and the passport window from the options.
    void ShowAccount();
    void ShowPassport();
    QToolButton* AccountIcon = nullptr;
    // The world (tform1_world.cpp): the account that logged in (from the start-up login or the
    // account window; nothing: signed out), the world top ten and the menu's world panel.
    void ShowWorldTopTen();
    WorldPanel& worldPanel() { return *world_; }
    // The score summary of the game under way (or just ended).
    void showScoreSummary(bool withSound);
    // The club panel of the menu from the club file of the current mode.
    void refreshClubPanel();
    const std::optional<ClubMember>& member() const { return member_; }
    ClubRecords& records() { return records_; }

    // LAN play (tform1_lan.cpp): the login form in network mode asks to open the table; the
    // waiting form follows, and the game starts once the table is seated. The chat line and
    // "Expectation of the server..." belong to the LAN table.
    void startLanTable(dialogs::TFormPassword* login, const ClubMember& member,
                       const dialogs::LanStart& start);
    LanTable* lanTable() { return lan_.get(); }
    LanChatPanel* chatPanel() { return chat_; }
    QLabel* expectation() { return expectation_; }

    // The shared chat and the news (tform1_chat.cpp): the menu's two indicators with their
    // blinking sirens, the watch on the calendar's beat, the chat window, and the news page in
    // the browser (through the URL opener, which tests replace).
    void ShowChat();
    void OpenNews();
    ChatWatch& chatWatch() { return *chatWatch_; }
    dialogs::TFormChat* chatWindow() const { return chatDialog_; }
    void setUrlOpener(std::function<void(const QUrl&)> open) { openUrl_ = std::move(open); }
    QToolButton* ImageNews = nullptr;
    QToolButton* ImageChat = nullptr;
    QLabel* SirenNews = nullptr;
    QLabel* SirenChat = nullptr;

    // The online tournament (tform1_tourney.cpp): the menu's cup opens the lobby for an account
    // that is logged in, and "Log in to your account!" for everybody else.
    // The game at a table follows the lobby: the first deal closes the lobby and opens the
    // table, with the move clocks; a finished game reports, writes its history line and opens
    // the lobby again.
    void ShowTourney();
    TourneyLobby* tourneyLobby() const { return tourney_; }
    TourneyTable* tourneyTable() const { return tourneyTable_.get(); }
    QToolButton* TourneyIcon = nullptr;

    TZorCardsButton* Button7 = nullptr;
    TZorCardsButton* Button8 = nullptr;
    TZorCardsButton* Button6 = nullptr;   // "New Player", the menu's
    TZorCardsButton* Button11 = nullptr;  // "Exit", the menu's

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
    void clubStartup();
    void gameEvents(const std::vector<TableEvent>& events);
    void finishMemberGame(int result);
    void onTimer1();
    void onIdle();
    void onThinking(int percent, bool busyCursor);
    void input(const Input& in);
    void askContract();
    void layoutControls();
    void leaveGameForMenu();
    void drawTitle();
    void updateCursor(QPoint p);
    // The background of the screen shown now: the "Purple" picture when its design says so.
    bool purpleScreen() const;
    // The buttons' colour schemes by the design of the screen shown.
    void colourButtons();
    // One change of the options dialog, applied to the window (tform1_options.cpp).
    void applyOption(dialogs::OptionChange what);
    // The "Purple" design's picture the table, menu and auxiliary designs need; without it they
    // fall back to the customizable and grey designs with a message.
    bool designLibraryMissing();
    // Starts a wave when SoundOn; answers how long a synchronous one holds the table.
    int startSound(Wave wave, bool synchronous);
    void speakCard(Card card);

    LaunchOptions options_;
    Settings settings_;
    SettingsRun settingsRun_;  // how the settings file read, and what a save may write
    sound::SoundPlayer sound_;
    sound::MusicPlayer music_;
    QTimer musicTimer_{this};  // "Timer55": the tune again on the title and the menu
    PictureStore pictures_;
    TableView view_;
    OpenHandsToggle openHands_;
    TablePresenter presenter_;
    EventPlayer player_;
    GameSession session_;
    MenuScreen menu_;
    CalendarPanel calendar_;
    QPointer<dialogs::TFormOptions> options_dialog_;
    std::unique_ptr<net::LibraryDownload> download_;
    void onlineStartup();
    void initLan();
    void wireLanFields(dialogs::LanLoginFields* fields);
    void lanInterrupted();
    void endLanTable();
    void syncLan();
    void layoutLan();
    std::unique_ptr<LanTable> lan_;
    LanChatPanel* chat_ = nullptr;
    QLabel* expectation_ = nullptr;
    std::size_t chatHeard_ = 0;  // the chat lines whose sound has been played
    void accountStartup();
    void createAccountIcon();
    void showAccountState();
    QString accountFile() const;
    std::unique_ptr<net::OnlineClient> online_;
    QPointer<TourneyLobby> tourney_;
    std::unique_ptr<TourneyTable> tourneyTable_;
    void createTourneyIcon();
    void tourneyDealt();
    void startTourneyGame(const std::array<std::string, 4>& names);
    void syncTourney();
    void showTourneyEnding(const tourney::TourneyPeer& peer);
    bool tourneyCutShort() const;
    void leaveTourneyGame();
    void finishTourneyGame(int result);
    // The tournament rating read again and the game's history line: the result of a finished
    // game, or what the server counted for a game cut short.
    void writeTourneyHistory(std::optional<int> result);
    void endTourneyTable();
    online::TourneyClient tourneyCard_;  // the player's card when the game began
    bool tourneyEndShown_ = false;
    bool reopenLobby_ = false;
    AccountHolder accounts_;
    // Where the account lives (the holder's fields).
    std::optional<online::Account>& account_ = *accounts_.accountSlot();
    online::AccountState& accountState_ = *accounts_.stateSlot();
    GifRecorder gif_;
    int lastRecordedDeal_ = 0;
    // The world (tform1_world.cpp).
    void worldStartup();
    void layoutWorldPanel();
    void worldMenuShown();
    void worldMenuHidden();
    void startupReport();
    bool beginGlobalGame();
    void globalStartAttempt(int attempt, std::optional<online::GameResults> read);
    void gameFinished(int result);
    void finishGlobalGame(std::optional<online::GameResults> computed, int result);
    void writeCycleRecord(std::int64_t score, int result);
    void globalGameDone(int result);
    void reportGame(int result, bool cycleEnd);
    void offerWorldEntry(QDialog* endWindow, std::int64_t score);
    void accountSummary(dialogs::CountQuestion& q);
    WorldPanel* world_ = nullptr;
    // The account's results before a game for the global rating, while one is played.
    std::optional<online::GameResults> globalStart_;
    bool accountBusy_ = false;  // the service is asked about the account's game: no new game

    std::vector<std::unique_ptr<Feature>> features_;
    MemberGames* memberGames_ = nullptr;
    Feature* owner_ = nullptr;  // the feature whose game is on the table
    Screen screen_ = Screen::Title;
    QTimer timer1_{this};               // a child named "Timer1", so that tests can count its ticks
    std::optional<int> contractAsked_;  // the contract the dialog opens at, once the table is still
    bool contractOpen_ = false;
    int titleFrame_ = 0;
    int dealsPlayed_ = 0;
    int lastCountedDeal_ = 0;
    QImage saluteStrip_;
    bool closeConfirmed_ = false;
    bool sizeFallbackTold_ = false;  // a window size that did not fit is said once
    ClubRecords records_;
    std::optional<ClubMember> member_;  // the member playing, as the game started
    bool memberNetwork_ = false;        // which club file the member came from
    bool summaryPending_ = false;       // the game is over: its summary waits for a still table
    RadioControl radio_;
    QPointer<dialogs::TFormRadio> radioDialog_;
    MusicBox musicBox_;
    void showRadioState();
    void InitMusicPlayer();
    void showPlayerState();
    void layoutRadioAndPlayer();
    void InitChat();
    void showChatIndicators();
    void layoutChat();
    void messagesFound();
    std::unique_ptr<ChatWatch> chatWatch_;
    QPointer<dialogs::TFormChat> chatDialog_;
    std::function<void(const QUrl&)> openUrl_;
    QTimer sirenTimer_{this};  // the sirens blink while something is new
    bool sirenLit_ = false;
};

}  // namespace orvala::app
