#include "app/tform1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDate>
#include <QDir>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScreen>
#include <QShowEvent>
#include <QToolButton>

#include "app/button_style.h"
#include "app/features.h"
#include "app/salute.h"
#include "core/lang/word_table.h"
#include "core/settings/settings_file.h"
#include "core/settings/settings_run.h"
#include "dialogs/confirmation.h"
#include "dialogs/contract_dialog.h"
#include "dialogs/message_window.h"
#include "sound/speak_card.h"
#include "table/art_names.h"
#include "table/fonts.h"
#include "table/panel_hints.h"

namespace orvala::app {
namespace {

QString text(WordRow row) {
    return word(row);
}

QString captionText(const Caption& c) {
    return text(c.row) + QString::fromStdString(c.suffix);
}

// A window size as the options list names it, with its pixels: "Large window: 1520 x 1000".
QString windowSizeText(int size) {
    static constexpr WordRow kNames[6] = {WordRow::SmallWindow,    WordRow::SmallWindow,
                                          WordRow::FullScreen,     WordRow::AverageWindow1,
                                          WordRow::AverageWindow2, WordRow::LargeWindow};
    static constexpr WordRow kPixels[6] = {WordRow::Size760x500,  WordRow::Size760x500,
                                           WordRow::Size760x500,  WordRow::Size990x650,
                                           WordRow::Size1290x850, WordRow::Size1520x1000};
    size = std::clamp(size, 1, 5);
    return size == 2 ? text(kNames[2]) : text(kNames[size]) + ": " + text(kPixels[size]);
}

}  // namespace

TForm1::TForm1(const LaunchOptions& options, QWidget* parent)
    : QWidget(parent),
      options_(options),
      music_(options.musicFolder.isEmpty() ? QDir::tempPath() : options.musicFolder),
      pictures_({options.programFolder, QDir(options.programFolder).absoluteFilePath("..")},
                [this](const QString& line) { dialogs::showMessage(this, line); }),
      view_(pictures_),
      presenter_(view_, openHands_),
      player_(presenter_, view_),
      session_(options.seed, options.demo),
      menu_(this, view_, pictures_, settings_),
      calendar_(this, view_, pictures_, settings_),
      gif_(*this, settings_, pictures_, options.programFolder),
      records_(options.programFolder.toStdString()),
      radio_(
          options.programFolder,
          [this] {
              return sound::makeMediaStream([this](const QString& url) { sound_.logStream(url); });
          }),
      musicBox_(
          [this] {
              return sound::makeMediaStream([this](const QString& url) { sound_.logStream(url); });
          },
          [](int n) { return int(QRandomGenerator::global()->bounded(n)); }) {
    setObjectName("TForm1");
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);

    settingsRun_ = loadSettingsRun(options_.programFolder.toStdString(), settings_, options_.demo);
    setCurrentLanguage(settings_.LanguageIndex);
    clubStartup();
    onlineStartup();
    createAccountIcon();
    createTourneyIcon();
    worldStartup();
    dialogs::setDialogLook(dialogs::dialogLookFrom(settings_));
    session_.setRules(settings_.Rules);
    player_.setFast(options_.fast);
    player_.setPace(settings_.Speed, settings_.FlyingCardsOn);
    sound_.setLog(options_.soundLog);
    player_.setSoundOutput([this](Wave w, bool sync) { return startSound(w, sync); },
                           [this](Card c) { speakCard(c); });

    connect(&session_, &GameSession::events, &player_, &EventPlayer::play);
    connect(&session_, &GameSession::events, this, [this] { syncControls(); });
    connect(&session_, &GameSession::events, this, &TForm1::gameEvents);
    connect(&session_, &GameSession::answerReady, this, [this] {
        if (!player_.busy()) onIdle();
    });
    connect(&session_, &GameSession::contractAsked, this, [this](int contract, bool) {
        contractAsked_ = contract;
        if (!player_.busy()) askContract();
    });
    connect(&session_, &GameSession::thinkingProgress, this, &TForm1::onThinking);
    connect(&player_, &EventPlayer::changed, this, [this] { update(); });
    connect(&player_, &EventPlayer::idle, this, &TForm1::onIdle);
    connect(&presenter_, &TablePresenter::changed, this, [this] { update(); });
    connect(&gif_, &GifRecorder::noticeChanged, this, [this] { update(); });
    connect(&gif_, &GifRecorder::failed, this, [this](const QString& why) {
        dialogs::showMessage(this, text(WordRow::GifNotWritten), why);
    });
    connect(&presenter_, &TablePresenter::returnToMenu, this, [this] {
        if (screen_ == Screen::Game) showMenu();
    });

    Button7 = new TZorCardsButton(this);
    Button7->setObjectName("Button7");
    Button8 = new TZorCardsButton(this);
    Button8->setObjectName("Button8");
    connect(Button7, &QPushButton::clicked, this, [this] {
        if (!busy()) input(in::PressButton7{});
    });
    connect(Button8, &QPushButton::clicked, this, [this] {
        // A tournament game cut short is left as a finished one.
        if (tourneyCutShort()) return leaveTourneyGame();
        for (auto& f : features_)
            if (f->cutShort()) return f->leaveCutShort();
        if (!busy()) input(in::PressButton8{});
    });
    Button7->hide();
    Button8->hide();

    Button6 = menu_.Button6;
    Button11 = menu_.Button11;
    connect(Button6, &QPushButton::clicked, this, [this] { openLogin(kNewMemberSlot); });
    for (int slot = 1; slot <= kClubMembers; ++slot)
        connect(menu_.members[static_cast<size_t>(slot - 1)], &QPushButton::clicked, this,
                [this, slot] { openLogin(slot); });
    menu_.Button9->setEnabled(true);
    menu_.BHistory->setEnabled(true);
    connect(menu_.Button9, &QPushButton::clicked, this, &TForm1::showTopTen);
    connect(menu_.BHistory, &QPushButton::clicked, this, &TForm1::showHistory);
    connect(menu_.BMode, &QPushButton::clicked, this, &TForm1::refreshClubPanel);
    connect(Button11, &QPushButton::clicked, this, &QWidget::close);
    menu_.Button10->setEnabled(true);
    connect(menu_.Button10, &QPushButton::clicked, this, &TForm1::ShowOptions);
    for (auto* b : menu_.buttons())
        connect(b, &QPushButton::pressed, this, [this] { salute(true); });

    initLan();
    connect(&accounts_, &AccountHolder::changed, this, &TForm1::showAccountState);
    features_ = makeFeatures(*this);
    applyWindowSize();
    ApplyLanguage();

    timer1_.setObjectName("Timer1");
    connect(&timer1_, &QTimer::timeout, this, &TForm1::onTimer1);
    timer1_.start(20);

    // The tune's file once, then the tune: the 55 ms timer starts it on the title and the menu
    // whenever it is not playing, during a game not. Its first tick is the start-up's PlayMusic,
    // so that loading the soundfont does not hold up the title.
    if (!music_.PrepareMusic()) dialogs::showMessage(this, text(WordRow::CantCreateMusicFile));
    musicTimer_.setObjectName("Timer55");
    connect(&musicTimer_, &QTimer::timeout, this, [this] {
        if (settings_.MusicOn && screen_ != Screen::Game && !music_.playing())
            music_.PlayMusic(true);
    });
    musicTimer_.start(55);
    InitRadio();
    InitMusicPlayer();
    InitChat();
    if (options_.demo) leaveTitle();
}

TForm1::~TForm1() {
    // The audio output may let the event loop run while it closes: that happens here, while
    // every part of the window is still there, and with its timers stopped.
    timer1_.stop();
    musicTimer_.stop();
    player_.stop();
    for (auto& f : features_) f->shutDown();
    lan_.reset();
    music_.close();
    radio_.shutDown();
    radio_.saveState();
    musicBox_.shutDown();
    sound_.closeOutput();
}

void TForm1::applyWindowSize() {
    const QRect screen = QGuiApplication::primaryScreen()
                             ? QGuiApplication::primaryScreen()->availableGeometry()
                             : QRect(0, 0, 1920, 1080);
    // A size the screen cannot hold gives way to the largest that fits; the choice itself stays
    // in the settings for a larger screen.
    const int chosen = settings_.WindowSize;
    const int size = fittingWindowSize(chosen, screen.width(), screen.height());
    settings_.WindowSize = size;
    view_.applyWindowSize(settings_, screen.size(), purpleScreen());
    settings_.WindowSize = chosen;
    colourButtons();
    saluteStrip_ = pictures_.designPicture("GTouch");
    if (size == 2) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        resize(view_.windowSize());
        setWindowState(windowState() | Qt::WindowMaximized);
    } else {
        setWindowState(windowState() & ~Qt::WindowMaximized);
        setFixedSize(view_.windowSize());
        QRect frame = frameGeometry();
        frame.moveCenter(screen.center());
        move(frame.topLeft());
    }
    if (size != chosen && !sizeFallbackTold_) {
        sizeFallbackTold_ = true;
        dialogs::showMessage(this, windowSizeText(chosen),
                             QChar(0x2192) + QString(" ") + windowSizeText(size));
    }
    layoutControls();
    if (screen_ == Screen::Title) drawTitle();
    if (screen_ == Screen::Menu) menu_.draw();
    if (screen_ == Screen::Game) presenter_.redrawAll();
    update();
}

void TForm1::SetLanguage(int index) {
    setCurrentLanguage(index);
    settings_.LanguageIndex = currentLanguage();
    ApplyLanguage();
}

void TForm1::ApplyLanguage() {
    setWindowTitle(text(WordRow::Orvala));
    menu_.applyLanguage();
    if (world_) world_->applyLanguage();
    for (auto& f : features_) f->applyLanguage();
    calendar_.rebuild();
    syncControls();
    if (screen_ == Screen::Title) drawTitle();
    if (screen_ == Screen::Game) presenter_.redrawAll();
    update();
}

bool TForm1::purpleScreen() const {
    return screen_ == Screen::Game ? settings_.TableDesign == 1 : settings_.MainMenuDesign == 1;
}

void TForm1::salute(bool onButtons) {
    if (!(onButtons ? settings_.SaluteOnButtons : settings_.SaluteOnCards)) return;
    Salute::play(this, mapFromGlobal(QCursor::pos()), saluteStrip_);
}

void TForm1::colourButtons() {
    // Customizable design: the buttons' own red; the "Purple" design: violet.
    const TColorSB menu = settings_.MainMenuDesign == 1 ? TColorSB::DViolet : TColorSB::DRed;
    const TColorSB table = settings_.TableDesign == 1 ? TColorSB::DViolet : TColorSB::DRed;
    menu_.setColour(menu);
    Button7->setColorSB(table);
    Button8->setColorSB(table);
}

void TForm1::showEvent(QShowEvent* e) {
    // "New buttons" takes effect whenever the window is shown.
    dialogs::setDialogLook(dialogs::dialogLookFrom(settings_));
    applyNewButtons(this, settings_.NewButtonsOn);
    QWidget::showEvent(e);
}

int TForm1::startSound(Wave wave, bool synchronous) {
    // With sound off nothing plays, and so nothing holds the table either.
    if (!settings_.SoundOn) return 0;
    const int ms = sound_.play(wave, synchronous);
    return synchronous ? ms : 0;
}

void TForm1::PlaySoundEvent(Wave wave, bool synchronous) {
    player_.holdFor(startSound(wave, synchronous));
}

void TForm1::PlayMusic(bool on) {
    music_.PlayMusic(on);
}

void TForm1::speakCard(Card card) {
    // Spoken names do not ask SoundOn: a right click is asked for by the person.
    const QDir folder(options_.programFolder);
    sound::SpeakCard(sound_, {folder.absolutePath(), folder.absoluteFilePath("..")}, card,
                     settings_.LanguageIndex, false);
}

bool TForm1::busy() const {
    return player_.busy() || session_.answerWaiting();
}

void TForm1::leaveTitle() {
    if (screen_ != Screen::Title) return;
    showMenu();
    // The radio on at the last exit plays in place of the tune.
    if (radio_.startIfOn()) {
        settings_.MusicOn = false;
        PlayMusic(false);
    }
    if (options_.demo) startGame();
}

void TForm1::showMenu() {
    const bool designChanges =
        screen_ == Screen::Game && settings_.MainMenuDesign != settings_.TableDesign;
    screen_ = Screen::Menu;
    // Leaving a LAN or tournament game, finished or not, closes its table.
    endLanTable();
    endTourneyTable();
    if (designChanges) view_.loadBackground(settings_, purpleScreen());
    Button7->hide();
    Button8->hide();
    menu_.show();
    calendar_.show();
    if (AccountIcon) AccountIcon->show();
    if (TourneyIcon) TourneyIcon->show();
    worldMenuShown();
    refreshClubPanel();
    showChatIndicators();
    if (chatWatch_ && !options_.demo) chatWatch_->check();
    timer1_.setInterval(options_.fast ? 1 : 20);
    timer1_.start();
    owner_ = nullptr;
    for (auto& f : features_) f->screenShown(Screen::Menu);
    update();
    // The tournament's lobby comes back after its game.
    if (std::exchange(reopenLobby_, false)) QTimer::singleShot(0, this, &TForm1::ShowTourney);
}

void TForm1::startGame(const PlayerStart& player, Feature* owner) {
    if (screen_ == Screen::Game) return;
    enterTable(owner);
    input(in::NewGame{player});
}

void TForm1::startGame() {
    if (screen_ == Screen::Game) return;
    enterTable(nullptr);
    PlayerStart player;
    player.name = settings_.PlayerName;
    if (member_) {  // the club member's count and cycle score go on
        player.storedGameCounter = member_->games;
        player.playerTotal = member_->cycleScore;
    }
    input(in::NewGame{player});
}

void TForm1::enterTable(Feature* owner) {
    screen_ = Screen::Game;
    owner_ = owner;
    menu_.hide();
    calendar_.hide();
    if (AccountIcon) AccountIcon->hide();
    if (TourneyIcon) TourneyIcon->hide();
    showChatIndicators();
    worldMenuHidden();
    if (settings_.MainMenuDesign != settings_.TableDesign)
        view_.loadBackground(settings_, purpleScreen());
    view_.clearAll();
    presenter_.forget();
    session_.setRules(settings_.Rules);
    player_.setPace(settings_.Speed, settings_.FlyingCardsOn);
    lastCountedDeal_ = lastRecordedDeal_ = 0;  // a new game counts its deals from 1 again
    for (auto& f : features_) f->screenShown(Screen::Game);
}

void TForm1::input(const Input& in) {
    session_.input(in);
    syncControls();
}

void TForm1::onTimer1() {
    if (screen_ == Screen::Title) {
        ++titleFrame_;
        drawTitle();
        update();
        return;
    }
    if (screen_ == Screen::Menu) {
        // Only the decorations that moved are painted again.
        const QRegion drawn = menu_.tick();
        if (!drawn.isEmpty()) update(drawn);
        return;
    }
    // One step at a time: nothing new while the table plays, a computer thinks or the person
    // answers the contract dialog.
    if (busy() || session_.thinking() || contractOpen_) return;
    if (options_.demo) {
        timer1_.setInterval(options_.fast ? 1 : 5);
        const GameState st = rules().g.GameState;
        if (st == GameState::GameOver)
            input(in::PressButton8{});
        else if (st == GameState::DealScored)
            input(in::PressButton7{});
        else
            session_.demoStep();
        return;
    }
    const TimerState t = timerOf(rules());
    const int interval = options_.fast ? 1 : t.intervalMs;
    if (timer1_.interval() != interval) timer1_.setInterval(interval);
    if (session_.accepts(in::Tick{})) input(in::Tick{});
}

void TForm1::onIdle() {
    if (player_.busy()) return;
    // A LAN or tournament step that waited for the table is applied now.
    if (lan_) lan_->pump();
    if (tourneyTable_) tourneyTable_->pump();
    for (auto& f : features_) f->tableReady();
    if (player_.busy()) return;
    // A computer's answer reaches the rules once the table shows everything before it.
    if (session_.deliver()) {
        syncControls();
        return;
    }
    if (contractAsked_ && !contractOpen_) askContract();
    syncControls();
    // A new deal clears the table: the move clock is drawn again over what the events drew.
    if (screen_ == Screen::Game && session_.tourney() && tourneyTable_->clock().seat() != 0) {
        view_.moveClock(tourneyTable_->clock().seat(), tourneyTable_->clock().seconds());
        update();
    }
    for (auto& f : features_) f->tableStill();
    if (summaryPending_ && screen_ == Screen::Game) {
        summaryPending_ = false;
        showScoreSummary(false);
    }
    const GameRecord& g = rules().g;
    // A new deal on the table, names shown and the shuffle heard: its recording starts.
    if (screen_ == Screen::Game && g.GameRunning && g.DealStartPending == 1 &&
        g.DealNumber != lastRecordedDeal_) {
        lastRecordedDeal_ = g.DealNumber;
        gif_.start();
    }
    if ((g.GameState == GameState::DealScored || g.GameState == GameState::GameOver) &&
        g.DealNumber != lastCountedDeal_ && screen_ == Screen::Game) {
        lastCountedDeal_ = g.DealNumber;
        // A deal after which the game goes on (scored or given up) is saved with the scored
        // table as its last frame; the deal that ends the game is not.
        if (g.GameState == GameState::DealScored) {
            gif_.capture();
            gif_.save();
        } else {
            gif_.discard();
        }
        ++dealsPlayed_;
        if (options_.quitAfterDeals > 0 && dealsPlayed_ >= options_.quitAfterDeals)
            QCoreApplication::exit(0);
    }
    emit eventsPlayed();
}

void TForm1::askContract() {
    if (!contractAsked_ || contractOpen_ || player_.busy()) return;
    // The dialog opens over a table that shows everything that came before it, and answers
    // by a signal; the window goes on painting meanwhile.
    auto* dialog =
        new dialogs::TFormZakaz({*contractAsked_, rules().rules.RuleRoundToFive}, this);
    contractOpen_ = true;
    connect(dialog, &dialogs::TFormZakaz::answered, this, [this](int contract) {
        contractOpen_ = false;
        contractAsked_.reset();
        input(in::ContractAnswer{contract});
    });
    dialog->open();
}

void TForm1::onThinking(int percent, bool busyCursor) {
    if (percent < 0) {
        view_.thinkingBar(-1);
        if (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
    } else {
        if (busyCursor && !QGuiApplication::overrideCursor())
            QGuiApplication::setOverrideCursor(gameCursor(2));
        view_.thinkingBar(percent);
    }
    update();
}

void TForm1::syncControls() {
    if (screen_ != Screen::Game) return;
    // While events play or a computer thinks, the buttons wait; they show the state once the
    // table does.
    const bool waiting = busy() || session_.thinking();
    const orvala::ButtonState b7 = button7(rules());
    const orvala::ButtonState b8 = button8(rules());
    Button7->setText(captionText(b7.caption));
    Button8->setText(captionText(b8.caption));
    Button7->setVisible(b7.visible);
    Button8->setVisible(b8.visible);
    Button7->setEnabled(b7.enabled && !waiting);
    Button8->setEnabled(b8.enabled && !waiting);
    const bool cutShort = std::any_of(features_.begin(), features_.end(),
                                      [](const auto& f) { return f->cutShort(); });
    if (tourneyCutShort() || cutShort) {
        // Only leaving is left, as after a finished game.
        Button7->setEnabled(false);
        Button8->setText(text(WordRow::ExitToMenu));
        Button8->setVisible(true);
        Button8->setEnabled(true);
    }
    syncLan();
    for (auto& f : features_) f->controlsShown();
}

void TForm1::layoutControls() {
    const double s = view_.scale();
    menu_.layout();
    calendar_.layout();
    layoutWorldPanel();
    // The two action buttons stand right of the person's scoreboard.
    for (auto [b, y] : {std::pair{Button7, 290}, std::pair{Button8, 328}}) {
        styleWindowButton(b, settings_, s);
        const auto r = mapRect(view_.scales(), 520, y, 160, 30);
        b->setGeometry(r.left, r.top, r.width, r.height);
    }
    layoutRadioAndPlayer();
    layoutLan();
    if (AccountIcon) {
        const auto r = mapRect(view_.scales(), 722, 4, 34, 34);
        AccountIcon->setGeometry(r.left, r.top, r.width, r.height);
        AccountIcon->setIconSize(AccountIcon->size());
    }
    if (TourneyIcon) {
        const auto r = mapRect(view_.scales(), 684, 4, 34, 34);
        TourneyIcon->setGeometry(r.left, r.top, r.width, r.height);
        TourneyIcon->setIconSize(TourneyIcon->size());
    }
    layoutChat();
    for (auto& f : features_) f->layout();
}

void TForm1::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    p.drawImage(e->rect(), view_.canvas(), e->rect());
    for (const auto& f : player_.flights())
        if (!f.path.empty()) p.drawImage(f.path[f.at], f.picture);
    if (!gif_.notice().isNull()) p.drawImage(gif_.noticeAt(), gif_.notice());
    for (auto& f : features_) f->paintOver(p);
}

void TForm1::mouseReleaseEvent(QMouseEvent* e) {
    if (screen_ == Screen::Title) {
        leaveTitle();
        return;
    }
    if (screen_ != Screen::Game || busy()) return;
    const int slot = view_.slotUnderPointer(e->pos());
    if (slot == 0) {
        // A face-up card on the table says its name.
        const auto onTable = presenter_.cardOnTableAt(e->pos());
        if (e->button() == Qt::RightButton && onTable) input(in::ClickTableCard{*onTable});
        return;
    }
    const MouseButton b = e->button() == Qt::RightButton ? MouseButton::Right : MouseButton::Left;
    if (b == MouseButton::Left) salute(false);
    input(in::ClickHand{slot, b});
    updateCursor(e->pos());
}

void TForm1::mouseMoveEvent(QMouseEvent* e) {
    updateCursor(e->pos());
    // Seat panels explain themselves during a game.
    double x = 0, y = 0;
    const int seat = screen_ == Screen::Game ? view_.panelUnder(e->pos(), &x, &y) : 0;
    const GameRecord& g = rules().g;
    const bool othersOut =
        seat != 0 && !g.InBid[nextSeat(seat)] && !g.InBid[nextSeat(nextSeat(seat))];
    const auto hint = seat ? seatPanelHint(x, y, g.GameState, othersOut) : std::nullopt;
    setToolTip(hint ? text(*hint) : QString());
}

void TForm1::updateCursor(QPoint p) {
    if (screen_ != Screen::Game || !view_.overOwnHand(p)) {
        unsetCursor();
        return;
    }
    // The hand shows over a card that may be played or chosen now.
    const int slot = view_.slotUnderPointer(p);
    const bool hand =
        slot != 0 && !busy() && session_.accepts(in::ClickHand{slot, MouseButton::Left});
    setCursor(gameCursor(hand ? 0 : 1));
}

QCursor TForm1::gameCursor(int which) const {
    // The own cursors are drawn by the program; the system ones are the platform's.
    if (!settings_.OwnCursorOn)
        return which == 0 ? Qt::PointingHandCursor : which == 2 ? Qt::WaitCursor : Qt::ArrowCursor;
    static constexpr const art::CursorArt* kCursors[3] = {&art::kCursorHand, &art::kCursorArrow,
                                                          &art::kCursorBusy};
    const art::CursorArt& c = *kCursors[which];
    return QCursor(QPixmap::fromImage(pictures_.picture(c.name)), c.hotX, c.hotY);
}

void TForm1::keyReleaseEvent(QKeyEvent*) {
    if (screen_ == Screen::Title) leaveTitle();
}

void TForm1::keyPressEvent(QKeyEvent* e) {
    // The open-hands number is typed on the table (the chat's send button takes it too, once
    // the chat is there).
    if (screen_ == Screen::Game && openHands_.type(e->text())) presenter_.redrawComputerHands();
    QWidget::keyPressEvent(e);
}

void TForm1::contextMenuEvent(QContextMenuEvent* e) {
    if (screen_ == Screen::Title) return;
    // A right click on a card speaks its name.
    if (screen_ == Screen::Game &&
        (view_.overOwnHand(e->pos()) || presenter_.cardOnTableAt(e->pos())))
        return;
    // Built at each opening, so it speaks the language of the moment. The items whose windows
    // come with later work are there, disabled.
    ContextMenu items;
    items.offer(WordRow::ExitToMenu, screen_ == Screen::Game, [this] { exitToMenuCommand(); });
    items.offer(WordRow::Speed, true, [this] { ShowSpeed(); });
    items.offer(WordRow::GeneralScore, screen_ == Screen::Game && member_,
                [this] { showScoreSummary(true); });
    items.offer(WordRow::ToChangeAName, true, [this] { changeNameCommand(); });
    items.offer(WordRow::Statistics, true, [this] { ShowStatistics(); });
    items.offer(WordRow::Radio, true, [this] { ShowRadio(); });
    items.offer(WordRow::Chat, true, [this] { ShowChat(); });
    for (auto& f : features_) f->contextMenu(items);
    auto* menu = new QMenu(this);
    menu->setObjectName("PopupMenu1");
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // The rows in the menu's order; "Help" and "About" are there, disabled.
    for (WordRow row :
         {WordRow::GeneralScore, WordRow::ExitToMenu, WordRow::ToChangeAName, WordRow::Speed,
          WordRow::Help, WordRow::About, WordRow::Statistics, WordRow::Radio, WordRow::Chat}) {
        QAction* action = menu->addAction(text(row));
        const ContextMenu::Item* item = items.find(row);
        action->setEnabled(item && item->enabled);
        if (item && item->run) connect(action, &QAction::triggered, this, item->run);
    }
    menu->popup(e->globalPos());
}

void TForm1::exitToMenuCommand() {
    if (screen_ != Screen::Game) return;
    PlaySoundEvent(Wave::WOpenFo, false);
    dialogs::askYesNo(this,
                      text(WordRow::LeaveToMenuQuestion) + "\n" + text(WordRow::AllDataWillBeLost),
                      [this](bool yes) {
                          if (yes) leaveGameForMenu();
                      });
}

void TForm1::leaveGameForMenu() {
    // The game may have moved on while the question was open.
    if (screen_ != Screen::Game) return;
    // The animations stop where they are; a computer's thought is forgotten.
    stopTable();
    if (gif_.recording()) gif_.save();
    for (auto& f : features_) f->leavingGame(true);
    input(in::ExitToMenu{});
    player_.stop();  // the way back needs no table
    showMenu();
}

void TForm1::stopTable() {
    player_.stop();
    contractAsked_.reset();
}

void TForm1::leaveGame(bool keepDeal) {
    if (screen_ != Screen::Game) return;
    stopTable();
    for (auto& f : features_) f->leavingGame(keepDeal);
    showMenu();
}

void TForm1::announceLogin(dialogs::TFormPassword& login) {
    for (auto& f : features_) f->loginOpened(login);
}

void TForm1::saveSettings() {
    SettingsSaveHooks hooks;
    hooks.clubFilesAllowWriting = [this] { return records_.usable(); };
    saveSettingsRun(options_.programFolder.toStdString(), settings_, settingsRun_, hooks);
}

void TForm1::closeEvent(QCloseEvent* e) {
    if (screen_ == Screen::Game && !options_.demo && !closeConfirmed_) {
        e->ignore();
        for (auto* asking : findChildren<dialogs::Confirmation*>())
            if (asking->isVisible()) return;  // the question is open already
        PlaySoundEvent(Wave::WOpenFo, false);
        dialogs::askYesNo(this,
                          text(WordRow::LeaveGameQuestion) + " " + text(WordRow::AllDataWillBeLost),
                          [this](bool yes) {
                              if (!yes) return;
                              closeConfirmed_ = true;
                              close();
                          });
        return;
    }
    // A running game's deal is kept as far as it went.
    if (screen_ == Screen::Game && gif_.recording()) gif_.save();
    for (auto& f : features_) f->windowClosing();
    musicTimer_.stop();
    music_.close();
    // A game that was over but not yet left still counts for its member.
    if (screen_ == Screen::Game && rules().g.GameOver && !session_.tourney())
        finishMemberGame(rules().g.GameResult);
    // A missing or damaged club file holds the settings back.
    SettingsSaveHooks hooks;
    hooks.clubFilesAllowWriting = [this] { return records_.usable(); };
    hooks.deleteTemporaryMusicFile = [this] { music_.deleteFile(); };
    if (settingsSaveFailed(
            saveSettingsRun(options_.programFolder.toStdString(), settings_, settingsRun_, hooks)))
        dialogs::showMessage(this, text(WordRow::CantSaveOptions));
    e->accept();
}

void TForm1::drawTitle() {
    QImage& c = view_.canvas();
    c.fill(Qt::black);
    QPainter p(&c);
    const int w = c.width(), h = c.height();
    p.setPen(QPen(QColor(200, 170, 60), 3));
    p.drawRect(w / 10, h / 6, w * 8 / 10, h * 4 / 6);
    p.setPen(QPen(QColor(120, 100, 40), 1));
    p.drawRect(w / 10 + 8, h / 6 + 8, w * 8 / 10 - 16, h * 4 / 6 - 16);
    // The logo above the name, in the design's proportions.
    const auto logo = mapRect(view_.scales(), 320, 98, 120, 80);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRect(logo.left, logo.top, logo.width, logo.height), pictures_.picture("Logo"));
    QFont f("Comic Neue");
    f.setPixelSize(h / 6);
    f.setBold(true);
    p.setFont(f);
    const QString name = text(WordRow::OrvalaCapitals);
    const int hue = (titleFrame_ * 3) % 360;
    p.setPen(QColor::fromHsv(hue, 200, 255));
    p.drawText(QRect(0, h * 37 / 100, w, h / 4), Qt::AlignCenter, name);
    QFont small("DejaVu Sans");
    small.setPixelSize(std::max(10, h / 40));
    p.setFont(small);
    p.setPen(QColor(180, 180, 180));
    p.drawText(QRect(0, h * 2 / 3, w, h / 10), Qt::AlignCenter, "Version 0.1");
}

}  // namespace orvala::app
