#pragma once
// The main window's own parts, as the window builds them: the settings, sound and tune, pictures,
// the table and its presenter, the event player, the game session, the menu and its calendar,
// the club files, the account and the web client. Features reach them through `Shell`.

#include <QString>
#include <QPoint>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

#include "app/account_holder.h"
#include "app/calendar_panel.h"
#include "app/client_area_watch.h"
#include "app/club_records.h"
#include "app/event_player.h"
#include "app/game_session.h"
#include "app/menu_screen.h"
#include "app/open_hands.h"
#include "app/shell.h"
#include "app/table_presenter.h"
#include "core/settings/settings.h"
#include "core/settings/settings_run.h"
#include "net/online_client.h"
#include "sound/music_player.h"
#include "sound/sound_player.h"
#include "table/picture_store.h"
#include "table/table_view.h"
#include "table/zor_cards_button.h"

class QCursor;

namespace orvala::app {

struct WindowParts {
    WindowParts(QWidget& window, const LaunchOptions& options);
    // The settings read (and the language they name), the web client at the addresses they keep
    // until the service's page is read, the dialogs' look, the rules and the table's pace.
    void start(const LaunchOptions& options);
    // The tune's file once, then `timer` ("Timer55") starts the tune every 55 ms while MusicOn,
    // `wanted` says so and it is not playing: its first tick is the start-up's, so that loading
    // the soundfont does not hold up the window. False when the tune's file cannot be made.
    bool startTune(QTimer& timer, std::function<bool()> wanted);
    // 0 the hand, 1 the arrow, 2 busy: the program's own cursors when the settings say so.
    QCursor cursor(int which) const;
    // Starts a wave when SoundOn; answers how long a synchronous one holds the table.
    int startSound(Wave wave, bool synchronous);
    // A card's spoken name (asked for by the person, so not by SoundOn).
    void speakCard(Card card, const QString& programFolder);
    // The screen stands on the "Purple" design's picture.
    bool purple(Screen screen) const;
    // The action buttons' colours by the table's design (the menu's by its own).
    void colourButtons(table::TZorCardsButton* b7, table::TZorCardsButton* b8);
    // The word-table row a seat panel's hint shows at `at` during a game, if any.
    std::optional<WordRow> seatHint(QPoint at) const;
    // The "Purple" design's picture the table, menu and auxiliary designs need; without it they
    // fall back to the customizable and grey designs, with a message.
    bool designLibraryMissing(QWidget& window);
    // The settings' window size, or the largest the screen holds, applied to the view and to the
    // window; answers the size used.
    int fitWindow(QWidget& window, Screen screen);

    Settings settings;
    SettingsRun settingsRun;  // how the settings file read, and what a save may write
    sound::SoundPlayer sound;
    sound::MusicPlayer music;
    table::PictureStore pictures;
    table::TableView view;
    OpenHandsToggle openHands;
    TablePresenter presenter;
    EventPlayer player;
    GameSession session;
    MenuScreen menu;
    CalendarPanel calendar;
    ClubRecords records;
    AccountHolder accounts;
    std::unique_ptr<net::OnlineClient> online;
};

// The window at the settings' size (or the largest that fits) and its caption, before its parts
// are built: the title needs nothing else.
void placeTitleWindow(QWidget& window, const QString& programFolder);

// A window size as the options list names it, with its pixels: "Large window: 1520 x 1000".
QString windowSizeText(int size);

}  // namespace orvala::app
