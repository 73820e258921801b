#include "app/tform1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <cstdio>

#include "app/button_style.h"
#include "app/features.h"
#include "app/member_games.h"
#include "app/salute.h"
#include "app/title_screen.h"
#include "app/window_parts.h"
#include "core/lang/word_table.h"
#include "core/settings/settings_file.h"
#include "dialogs/confirmation.h"
#include "dialogs/contract_dialog.h"
#include "dialogs/message_window.h"
#include "dialogs/options_dialog.h"
#include "table/word_text.h"

namespace orvala::app {

TForm1::TForm1(const LaunchOptions& options, QWidget* parent) : QWidget(parent), options_(options) {
    setObjectName("TForm1");
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    // The title alone needs only the window's size; the rest is built once it is shown.
    options_.titleFirst ? placeTitleWindow(*this, options_.programFolder) : build();
}

void TForm1::build() {
    if (p_) return;
    p_ = std::make_unique<WindowParts>(*this, options_);
    WindowParts& p = *p_;
    parts_ = {this,       &options_, &p.settings, &p.pictures, &p.view,     &p.presenter,
              &p.session, nullptr,   &p.records,  &p.menu,     &p.calendar, &p.accounts};

    p.start(options_);
    parts_.online = p.online.get();
    parts_.openHands = &p.openHands;
    p.player.setSoundOutput([this](Wave w, bool sync) { return p_->startSound(w, sync); },
                            [this](Card c) { p_->speakCard(c, options_.programFolder); });

    connect(&p.session, &GameSession::events, &p.player, &EventPlayer::play);
    connect(&p.session, &GameSession::events, this, [this] { syncControls(); });
    connect(&p.session, &GameSession::events, this, &TForm1::gameEvents);
    connect(&p.session, &GameSession::answerReady, this, [this] {
        if (!p_->player.busy()) onIdle();
    });
    connect(&p.session, &GameSession::contractAsked, this, [this](int contract, bool) {
        contractAsked_ = contract;
        if (!p_->player.busy()) askContract();
    });
    connect(&p.session, &GameSession::thinkingProgress, this, &TForm1::onThinking);
    connect(&p.player, &EventPlayer::changed, this, [this] { update(); });
    connect(&p.player, &EventPlayer::idle, this, &TForm1::onIdle);
    connect(&p.presenter, &TablePresenter::changed, this, [this] { update(); });
    connect(&p.presenter, &TablePresenter::returnToMenu, this, [this] {
        if (screen_ == Screen::Game) showMenu();
    });

    Button7 = new table::TZorCardsButton(this);
    Button7->setObjectName("Button7");
    Button8 = new table::TZorCardsButton(this);
    Button8->setObjectName("Button8");
    connect(Button7, &QPushButton::clicked, this, [this] {
        if (!busy()) input(in::PressButton7{});
    });
    connect(Button8, &QPushButton::clicked, this, [this] {
        // A game cut short is left as a finished one.
        for (auto& f : features_)
            if (f->cutShort()) return f->leaveCutShort();
        if (!busy()) input(in::PressButton8{});
    });
    Button7->hide();
    Button8->hide();
    Button6 = p.menu.Button6;
    Button11 = p.menu.Button11;
    connect(Button11, &QPushButton::clicked, this, &QWidget::close);
    for (auto* b : p.menu.buttons())
        connect(b, &QPushButton::pressed, this, [this] { salute(true); });

    features_ = makeFeatures(*this);
    watchClientArea(
        *this, [this] { return p_->view.windowSize(); }, [this] { applyWindowSize(); });
    applyWindowSize();
    ApplyLanguage();

    timer1_.setObjectName("Timer1");
    connect(&timer1_, &QTimer::timeout, this, &TForm1::onTimer1);
    timer1_.start(20);
    // The tune on the title and the menu, never during a game.
    if (!p.startTune(musicTimer_, [this] { return screen_ != Screen::Game; }))
        dialogs::showMessage(this, word(WordRow::CantCreateMusicFile));
    if (isVisible()) {
        // Built after the window was shown: its new parts show as they would have with it.
        for (auto* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!child->isWindow() && !child->testAttribute(Qt::WA_WState_ExplicitShowHide))
                child->show();
        showEvent(nullptr);
    }
    setFocus();  // the title's keys are the window's, not those of a button shown on it
    if (options_.demo) leaveTitle();
}

TForm1::~TForm1() {
    // The audio output may let the event loop run while it closes: that happens here, while
    // every part of the window is still there, and with its timers stopped.
    if (!p_) return;
    timer1_.stop();
    musicTimer_.stop();
    p_->player.stop();
    for (auto& f : features_) f->shutDown();
    p_->music.close();
    p_->sound.closeOutput();
    features_.clear();
}

const RulesState& TForm1::rules() const {
    return p_->session.state();
}
void TForm1::logStream(const QString& url) {
    p_->sound.logStream(url);
}

void TForm1::applyWindowSize() {
    const int chosen = p_->settings.WindowSize;
    const int size = p_->fitWindow(*this, screen_);
    p_->colourButtons(Button7, Button8);
    saluteStrip_ = p_->pictures.designPicture("GTouch");
    if (size != chosen && !sizeFallbackTold_) {
        sizeFallbackTold_ = true;
        dialogs::showMessage(this, windowSizeText(chosen),
                             QChar(0x2192) + QString(" ") + windowSizeText(size));
    }
    layoutControls();
    redrawScreen();
}

void TForm1::redrawScreen() {
    if (screen_ == Screen::Title) drawTitleScreen(p_->view, p_->pictures, titleFrame_);
    if (screen_ == Screen::Menu) p_->menu.draw();
    if (screen_ == Screen::Game) p_->presenter.redrawAll();
    update();
}

void TForm1::SetLanguage(int index) {
    setCurrentLanguage(index);
    p_->settings.LanguageIndex = currentLanguage();
    ApplyLanguage();
}

void TForm1::ApplyLanguage() {
    setWindowTitle(word(WordRow::Orvala));
    p_->menu.applyLanguage();
    p_->calendar.rebuild();
    for (auto& f : features_) f->applyLanguage();
    syncControls();
    redrawScreen();
}

void TForm1::salute(bool onButtons) {
    if (!(onButtons ? p_->settings.SaluteOnButtons : p_->settings.SaluteOnCards)) return;
    Salute::play(this, mapFromGlobal(QCursor::pos()), saluteStrip_);
}

void TForm1::showEvent(QShowEvent* e) {
    // "New buttons" takes effect whenever the window is shown.
    if (p_) {
        dialogs::setDialogLook(dialogs::dialogLookFrom(p_->settings));
        applyNewButtons(this, p_->settings.NewButtonsOn);
    }
    if (e) QWidget::showEvent(e);
}

void TForm1::PlaySoundEvent(Wave wave, bool synchronous) {
    p_->player.holdFor(p_->startSound(wave, synchronous));
}

void TForm1::PlayMusic(bool on) {
    p_->music.PlayMusic(on);
}

bool TForm1::busy() const {
    return p_->player.busy() || p_->session.answerWaiting();
}

void TForm1::saveSettings() {
    writeSettings(false);
}

bool TForm1::writeSettings(bool closing) {
    SettingsSaveHooks hooks;
    hooks.clubFilesAllowWriting = [this] { return p_->records.usable(); };
    if (closing) hooks.deleteTemporaryMusicFile = [this] { p_->music.deleteFile(); };
    return !settingsSaveFailed(saveSettingsRun(options_.programFolder.toStdString(), p_->settings,
                                               p_->settingsRun, hooks));
}

void TForm1::leaveTitle() {
    if (!p_ || screen_ != Screen::Title) return;
    showMenu();
    if (options_.demo) startGame();
}

void TForm1::showMenu() {
    Settings& s = p_->settings;
    const bool designChanges = screen_ == Screen::Game && s.MainMenuDesign != s.TableDesign;
    screen_ = Screen::Menu;
    owner_ = nullptr;
    for (auto* asking : findChildren<dialogs::Confirmation*>())
        if (asking->property("leavesGame").toBool()) asking->reject();
    if (designChanges) p_->view.loadBackground(s, p_->purple(screen_));
    Button7->hide();
    Button8->hide();
    p_->menu.show();
    p_->calendar.show();
    timer1_.setInterval(options_.fast ? 1 : 20);
    timer1_.start();
    // Leaving a LAN or tournament game, finished or not, closes its table; the menu's icons and
    // panels come back.
    for (auto& f : features_) f->screenShown(Screen::Menu);
    update();
}

void TForm1::startGame() {
    if (screen_ == Screen::Game) return;
    if (memberGames_) return memberGames_->play();
    PlayerStart player;
    player.name = p_->settings.PlayerName;
    startGame(player, nullptr);
}

void TForm1::startGame(const PlayerStart& player, Feature* owner) {
    if (screen_ == Screen::Game) return;
    enterTable(owner);
    input(in::NewGame{player});
}

void TForm1::enterTable(Feature* owner) {
    WindowParts& p = *p_;
    screen_ = Screen::Game;
    owner_ = owner;
    p.menu.hide();
    p.calendar.hide();
    if (p.settings.MainMenuDesign != p.settings.TableDesign)
        p.view.loadBackground(p.settings, p_->purple(screen_));
    p.view.clearAll();
    p.presenter.forget();
    p.session.setRules(p.settings.Rules);
    p.player.setPace(p.settings.Speed, p.settings.FlyingCardsOn);
    lastCountedDeal_ = 0;  // a new game counts its deals from 1 again
    for (auto& f : features_) f->screenShown(Screen::Game);
}

void TForm1::input(const Input& in) {
    p_->session.input(in);
    syncControls();
}

void TForm1::gameEvents(const std::vector<TableEvent>& events) {
    for (auto& f : features_) f->gameEvents(events);
    // The feature that started the game ends it.
    for (const TableEvent& e : events)
        if (const auto* f = std::get_if<ev::GameFinished>(&e); f && owner_)
            owner_->gameFinished(f->gameResult);
}

void TForm1::onTimer1() {
    if (screen_ == Screen::Title) {
        ++titleFrame_;
        drawTitleScreen(p_->view, p_->pictures, titleFrame_);
        update();
        return;
    }
    if (screen_ == Screen::Menu) {
        // Only the decorations that moved are painted again.
        const QRegion drawn = p_->menu.tick();
        if (!drawn.isEmpty()) update(drawn);
        return;
    }
    // One step at a time: nothing new while the table plays, a computer thinks or the person
    // answers the contract dialog.
    if (busy() || p_->session.thinking() || contractOpen_) return;
    if (options_.demo) {
        timer1_.setInterval(options_.fast ? 1 : 5);
        const GameState st = rules().g.GameState;
        if (st == GameState::GameOver)
            input(in::PressButton8{});
        else if (st == GameState::DealScored)
            input(in::PressButton7{});
        else
            p_->session.demoStep();
        return;
    }
    const TimerState t = timerOf(rules());
    const int interval = options_.fast ? 1 : t.intervalMs;
    if (timer1_.interval() != interval) timer1_.setInterval(interval);
    if (p_->session.accepts(in::Tick{})) input(in::Tick{});
}

void TForm1::onIdle() {
    if (p_->player.busy()) return;
    // A LAN or tournament step that waited for the table is applied now.
    for (auto& f : features_) f->tableReady();
    if (p_->player.busy()) return;
    // A computer's answer reaches the rules once the table shows everything before it.
    if (p_->session.deliver()) {
        syncControls();
        return;
    }
    if (contractAsked_ && !contractOpen_) askContract();
    syncControls();
    // What waits for a still table: the move clock over a new deal, the score summary, the
    // deal's recording.
    for (auto& f : features_) f->tableStill();
    const GameRecord& g = rules().g;
    if ((g.GameState == GameState::DealScored || g.GameState == GameState::GameOver) &&
        g.DealNumber != lastCountedDeal_ && screen_ == Screen::Game) {
        lastCountedDeal_ = g.DealNumber;
        ++dealsPlayed_;
        if (options_.quitAfterDeals > 0 && dealsPlayed_ >= options_.quitAfterDeals) {
            const bool saved =
                options_.screenshot.isEmpty() || grab().save(options_.screenshot, "PNG");
            if (!saved)
                std::fprintf(stderr, "orvala: cannot write %s\n", qPrintable(options_.screenshot));
            QCoreApplication::exit(saved ? 0 : 1);
        }
    }
    emit eventsPlayed();
}

void TForm1::askContract() {
    if (!contractAsked_ || contractOpen_ || p_->player.busy()) return;
    // The dialog opens over a table that shows everything that came before it, and answers
    // by a signal; the window goes on painting meanwhile.
    auto* dialog = new dialogs::TFormZakaz({*contractAsked_, rules().rules.RuleRoundToFive}, this);
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
        p_->view.thinkingBar(-1);
        if (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
    } else {
        if (busyCursor && !QGuiApplication::overrideCursor())
            QGuiApplication::setOverrideCursor(gameCursor(2));
        p_->view.thinkingBar(percent);
    }
    update();
}

void TForm1::syncControls() {
    if (screen_ != Screen::Game) return;
    // While events play or a computer thinks, the buttons wait; they show the state once the
    // table does.
    const bool waiting = busy() || p_->session.thinking();
    const orvala::ButtonState b7 = button7(rules());
    const orvala::ButtonState b8 = button8(rules());
    Button7->setText(captionText(b7.caption));
    Button8->setText(captionText(b8.caption));
    Button7->setVisible(b7.visible);
    Button8->setVisible(b8.visible);
    Button7->setEnabled(b7.enabled && !waiting);
    Button8->setEnabled(b8.enabled && !waiting);
    if (std::any_of(features_.begin(), features_.end(), [](auto& f) { return f->cutShort(); })) {
        // Only leaving is left, as after a finished game.
        Button7->setEnabled(false);
        Button8->setText(word(WordRow::ExitToMenu));
        Button8->setVisible(true);
        Button8->setEnabled(true);
    }
    for (auto& f : features_) f->controlsShown();
}

void TForm1::layoutControls() {
    const double s = p_->view.scale();
    p_->menu.layout();
    p_->calendar.layout();
    // The two action buttons stand right of the person's scoreboard.
    for (auto [b, y] : {std::pair{Button7, 290}, std::pair{Button8, 328}}) {
        styleWindowButton(b, p_->settings, s);
        const auto r = mapRect(p_->view.scales(), 520, y, 160, 30);
        b->setGeometry(r.left, r.top, r.width, r.height);
    }
    for (auto& f : features_) f->layout();
}

void TForm1::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    if (!p_) {
        // Shown with its title alone: the rest is built right after.
        paintTitle(p, size(), QImage(), QRect(), 0);
        QTimer::singleShot(0, this, &TForm1::build);
        return;
    }
    p.drawImage(e->rect(), p_->view.canvas(), e->rect());
    for (const auto& f : p_->player.flights())
        if (!f.path.empty()) p.drawImage(f.path[f.at], f.picture);
    for (auto& f : features_) f->paintOver(p);
}

void TForm1::mouseReleaseEvent(QMouseEvent* e) {
    if (screen_ == Screen::Title) {
        leaveTitle();
        return;
    }
    if (screen_ != Screen::Game || busy()) return;
    const int slot = p_->view.slotUnderPointer(e->pos());
    if (slot == 0) {
        // A face-up card on the table says its name.
        const auto onTable = p_->presenter.cardOnTableAt(e->pos());
        if (e->button() == Qt::RightButton && onTable) input(in::ClickTableCard{*onTable});
        return;
    }
    const MouseButton b = e->button() == Qt::RightButton ? MouseButton::Right : MouseButton::Left;
    if (b == MouseButton::Left) salute(false);
    input(in::ClickHand{slot, b});
    updateCursor(e->pos());
}

void TForm1::mouseMoveEvent(QMouseEvent* e) {
    if (!p_) return;
    updateCursor(e->pos());
    // Seat panels explain themselves during a game.
    const auto hint = screen_ == Screen::Game ? p_->seatHint(e->pos()) : std::nullopt;
    setToolTip(hint ? word(*hint) : QString());
}

void TForm1::updateCursor(QPoint p) {
    if (screen_ != Screen::Game || !p_->view.overOwnHand(p)) {
        unsetCursor();
        return;
    }
    // The hand shows over a card that may be played or chosen now.
    const int slot = p_->view.slotUnderPointer(p);
    const bool hand =
        slot != 0 && !busy() && p_->session.accepts(in::ClickHand{slot, MouseButton::Left});
    setCursor(gameCursor(hand ? 0 : 1));
}

QCursor TForm1::gameCursor(int which) const {
    return p_->cursor(which);
}

void TForm1::keyReleaseEvent(QKeyEvent*) {
    if (screen_ == Screen::Title) leaveTitle();
}

void TForm1::keyPressEvent(QKeyEvent* e) {
    if (p_)
        for (auto& f : features_)
            if (f->keyPressed(*e)) return;
    // The open-hands number is typed on the table.
    if (screen_ == Screen::Game && p_->openHands.type(e->text()))
        p_->presenter.redrawComputerHands();
    QWidget::keyPressEvent(e);
}

void TForm1::contextMenuEvent(QContextMenuEvent* e) {
    if (screen_ == Screen::Title) return;
    // A right click on a card speaks its name; the menu key opens the menu wherever it is.
    if (screen_ == Screen::Game && e->reason() != QContextMenuEvent::Keyboard &&
        (p_->view.overOwnHand(e->pos()) || p_->presenter.cardOnTableAt(e->pos())))
        return;
    // Built at each opening, so it speaks the language of the moment.
    ContextMenu items;
    items.offer(WordRow::ExitToMenu, screen_ == Screen::Game, [this] { exitToMenuCommand(); });
    for (auto& f : features_) f->contextMenu(items);
    QMenu* menu = items.build(this);
    menu->setObjectName("PopupMenu1");
    menu->popup(e->globalPos());
}

void TForm1::exitToMenuCommand() {
    if (screen_ != Screen::Game) return;
    askToLeave(word(WordRow::LeaveToMenuQuestion) + "\n", [this] { leaveGameForMenu(); });
}

void TForm1::askToLeave(const QString& question, std::function<void()> leave) {
    PlaySoundEvent(Wave::WOpenFo, false);
    auto* asking = dialogs::askYesNo(this, question + word(WordRow::AllDataWillBeLost),
                                     [leave = std::move(leave)](bool yes) {
                                         if (yes) leave();
                                     });
    asking->setProperty("leavesGame", true);  // void once the game is left some other way
}

void TForm1::leaveGameForMenu() {
    // The game may have moved on while the question was open.
    if (screen_ != Screen::Game) return;
    // The animations stop where they are; a computer's thought is forgotten; the deal's
    // recording is kept.
    stopTable();
    for (auto& f : features_) f->leavingGame(true);
    input(in::ExitToMenu{});
    p_->player.stop();  // the way back needs no table
    showMenu();
}

void TForm1::stopTable() {
    p_->player.stop();
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

void TForm1::closeEvent(QCloseEvent* e) {
    if (!p_) return e->accept();  // closed before it was built: there is nothing to keep
    // A game under way asks first; a kept game shown again does not.
    if (screen_ == Screen::Game && !options_.demo && !closeConfirmed_ &&
        p_->session.table()->live()) {
        e->ignore();
        for (auto* asking : findChildren<dialogs::Confirmation*>())
            if (asking->isVisible()) return;  // the question is open already
        return askToLeave(word(WordRow::LeaveGameQuestion) + " ", [this] {
            closeConfirmed_ = true;
            close();
        });
    }
    // A running game's deal is kept as far as it went, and a game over but not yet left counts.
    for (auto& f : features_) f->windowClosing();
    musicTimer_.stop();
    p_->music.close();
    // A missing or damaged club file holds the settings back.
    if (!writeSettings(true)) dialogs::showMessage(this, word(WordRow::CantSaveOptions));
    e->accept();
}

void TForm1::optionChanged(dialogs::OptionChange what) {
    using dialogs::OptionChange;
    Settings& s = p_->settings;
    switch (what) {
        case OptionChange::FlyingCards:
            p_->player.setPace(s.Speed, s.FlyingCardsOn);
            break;
        case OptionChange::Cursor:
            updateCursor(mapFromGlobal(QCursor::pos()));
            break;
        case OptionChange::NewButtons:
            dialogs::setDialogLook(dialogs::dialogLookFrom(s));
            applyNewButtons(this, s.NewButtonsOn);
            break;
        case OptionChange::Language:
            SetLanguage(s.LanguageIndex);
            break;
        case OptionChange::WindowSize:
        case OptionChange::CardFaces:
        case OptionChange::DeckBacks:
        case OptionChange::Fonts:
            // Faces, backs and background are loaded again at the window's size, and a set
            // whose library is missing falls back in the settings; every text is laid again.
            applyWindowSize();
            dialogs::setDialogLook(dialogs::dialogLookFrom(s));
            break;
        case OptionChange::Background:
            if (p_->purple(screen_)) break;  // the design's picture stands in for the background
            applyWindowSize();
            p_->calendar.rebuild();
            break;
        case OptionChange::MenuDesign:
        case OptionChange::TableDesign:
            // The menu's purple ground falls back by itself when its library is missing.
            if (what == OptionChange::TableDesign) p_->designLibraryMissing(*this);
            p_->view.loadBackground(s, p_->purple(screen_));
            p_->colourButtons(Button7, Button8);
            redrawScreen();
            break;
        case OptionChange::AuxDesign:
            // "Gray aristocratic" needs nothing; the other designs the design library.
            if (s.AuxDesignPurple || s.AuxDesignGrey != 2) p_->designLibraryMissing(*this);
            dialogs::setDialogLook(dialogs::dialogLookFrom(s));
            break;
        case OptionChange::Music:
            PlayMusic(s.MusicOn);
            break;
        default:
            // Read from the settings where they are used, or the business of a feature.
            break;
    }
    for (auto& f : features_) f->optionChanged(what);
}

}  // namespace orvala::app
