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
#include <QScreen>
#include <QShowEvent>

#include "app/contract_dialog.h"
#include "app/dialogs.h"
#include "app/salute.h"
#include "core/lang/word_table.h"
#include "core/settings/settings_file.h"
#include "table/art_names.h"
#include "table/fonts.h"
#include "table/panel_hints.h"
#include "table/settings_text.h"

namespace orvala::app {
namespace {

QString text(WordRow row) {
    const auto w = Word(row);
    return QString::fromUtf8(w.data(), static_cast<qsizetype>(w.size()));
}

QString captionText(const Caption& c) {
    return text(c.row) + QString::fromStdString(c.suffix);
}

std::unique_ptr<RandomSource> makeRandom(const std::optional<std::uint64_t>& seed, int stream) {
    if (seed) return std::make_unique<SeededRandom>(*seed * 2 + static_cast<unsigned>(stream));
    return std::make_unique<ClockRandom>();
}

CardChoiceOptions choiceOptions() {
    return CardChoiceOptions{};
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

// The bubble colour of a speech text: bids and marriages blue, "Pass" green, "Painting" red.
char bubbleColour(WordRow row) {
    if (row == WordRow::Pass) return 'g';
    if (row == WordRow::Painting) return 'r';
    return 'b';
}

}  // namespace

TForm1::TForm1(const LaunchOptions& options, QWidget* parent)
    : QWidget(parent),
      options_(options),
      pictures_({options.programFolder, QDir(options.programFolder).absoluteFilePath("..")},
                [this](const QString& line) { showMessage(this, line); }),
      view_(pictures_),
      shuffleRandom_(makeRandom(options.seed, 0)),
      playerRandom_(makeRandom(options.seed, 1)),
      computers_(*playerRandom_, choiceOptions()),
      windowPlayers_(computers_, [this](const GameRecord& g,
                                        const RuleSettings& r) { return askContract(g, r); }),
      pilot_(computers_),
      driver_(options.demo ? static_cast<PlayersPort&>(pilot_) : windowPlayers_, *shuffleRandom_) {
    setObjectName("TForm1");
    setWindowTitle("Orvala");
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);

    LoadSettings(options_.programFolder.toStdString(), settings_);
    if (options_.demo) {
        settings_.Speed = 6;
        settings_.SoundOn = false;
    }
    setCurrentLanguage(settings_.LanguageIndex);
    setNewButtonsLook(settings_.NewButtonsOn);
    driver_.setRules(settings_.Rules);

    // The thinking bar: layout k of N, painted at once since the choice blocks the window.
    computers_.options().progress = [this](const ThinkingProgress& p) {
        if (p.finished) {
            view_.thinkingBar(-1);
            if (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
        } else {
            if (p.layout == 0 && p.busyCursor) QGuiApplication::setOverrideCursor(gameCursor(2));
            view_.thinkingBar(p.percent);
        }
        repaint();
    };

    Button7 = new TZorCardsButton(this);
    Button7->setObjectName("Button7");
    Button8 = new TZorCardsButton(this);
    Button8->setObjectName("Button8");
    connect(Button7, &QPushButton::clicked, this, &TForm1::pressButton7);
    connect(Button8, &QPushButton::clicked, this, &TForm1::pressButton8);
    Button7->hide();
    Button8->hide();

    Button6 = new TZorCardsButton(text(WordRow::NewPlayer), this);
    Button6->setObjectName("Button6");
    connect(Button6, &QPushButton::clicked, this, &TForm1::startGame);
    Button11 = new TZorCardsButton(text(WordRow::Exit), this);
    Button11->setObjectName("Button11");
    connect(Button11, &QPushButton::clicked, this, &QWidget::close);
    menuButtons_ = {Button6, Button11};
    for (int k = 1; k <= 5; ++k) {
        auto* member = new TZorCardsButton(this);  // club members come with the club files
        member->setObjectName(QString("Button%1").arg(k));
        member->setEnabled(false);
        menuButtons_.push_back(member);
    }
    for (auto [name, row] :
         {std::pair{"Button9", WordRow::TopTen}, std::pair{"Button10", WordRow::Options},
          std::pair{"BHistory", WordRow::History}, std::pair{"BMode", WordRow::Mode}}) {
        auto* b = new TZorCardsButton(text(row), this);
        b->setObjectName(name);
        b->setEnabled(false);  // their windows come with later work
        menuButtons_.push_back(b);
    }
    for (auto* b : menuButtons_) {
        b->hide();
        connect(b, &QPushButton::pressed, this, [this] { salute(true); });
    }

    applyWindowSize();

    connect(&timer1_, &QTimer::timeout, this, &TForm1::onTimer1);
    timer1_.start(20);
    connect(&animation_, &QTimer::timeout, this, &TForm1::onAnimation);
    animation_.setTimerType(Qt::PreciseTimer);
    if (options_.demo) leaveTitle();
}

TForm1::~TForm1() = default;

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
    layoutControls();
    if (screen_ == Screen::Title) drawTitle();
    if (screen_ == Screen::Menu) drawMenu();
    if (screen_ == Screen::Game) redrawGame();
    update();
    if (size != chosen && !sizeFallbackTold_) {
        sizeFallbackTold_ = true;
        showMessage(this, windowSizeText(chosen),
                    QChar(0x2192) + QString(" ") + windowSizeText(size));
    }
}

bool TForm1::purpleScreen() const {
    return screen_ == Screen::Game ? settings_.TableDesign == 1 : settings_.MainMenuDesign == 1;
}

void TForm1::salute(bool onButtons) {
    if (!(onButtons ? settings_.SaluteOnButtons : settings_.SaluteOnCards)) return;
    Salute::play(this, mapFromGlobal(QCursor::pos()), saluteStrip_);
}

void TForm1::styleButton(TZorCardsButton* b, double s) {
    // Light, bold captions on the dark gradients, yellow under the mouse, grey when disabled.
    b->setFont(
        slotFont(settings_, std::max(12, static_cast<int>(std::lround(15 * s))), "decor", true));
    QPalette p = b->palette();
    p.setColor(QPalette::ButtonText, QColor(255, 255, 255));
    b->setPalette(p);
    b->setColorMouse(QColor(255, 230, 120));
    b->setLightFont(true);
    b->setGrayDis(true);
}

void TForm1::colourButtons() {
    // Customizable design: the buttons' own red; the "Purple" design: violet.
    const TColorSB menu = settings_.MainMenuDesign == 1 ? TColorSB::DViolet : TColorSB::DRed;
    const TColorSB table = settings_.TableDesign == 1 ? TColorSB::DViolet : TColorSB::DRed;
    for (auto* b : menuButtons_) b->setColorSB(menu);
    Button7->setColorSB(table);
    Button8->setColorSB(table);
}

void TForm1::showEvent(QShowEvent* e) {
    // "New buttons" takes effect whenever the window is shown.
    setNewButtonsLook(settings_.NewButtonsOn);
    applyNewButtons(this, settings_.NewButtonsOn);
    QWidget::showEvent(e);
}

void TForm1::drawComputerHands() {
    const GameRecord& g = driver_.record();
    for (int s = 1; s <= 2; ++s) view_.drawHand(s, g.Hand[s], g.HandCount[s], openHands_.on());
    update();
}

void TForm1::redrawGame() {
    const GameRecord& g = driver_.record();
    view_.clearAll();
    for (int s = 1; s <= 3; ++s) {
        view_.drawHand(s, g.Hand[s], g.HandCount[s], s != 3 && openHands_.on());
        // The barrel and the bolts stay as the table last drew them.
        PanelUpdate u;
        u.redrawPanel = true;
        u.turnMark = g.FirstBidder == s;
        u.dealPoints = PanelNumber::show(g.DealPoints[s]);
        u.score = PanelNumber::show(g.Score[s]);
        u.bid = g.Declarer == s && g.GameState >= 9 ? PanelNumber::show(g.Contract)
                                                    : PanelNumber::erase();
        view_.scoreboard(s, u);
        view_.speech(s, fromSettingsText(g.SeatNames[s]), 'y');
    }
    view_.dealInfo(g.DealNumber, g.Trump);
    for (int p = 1; p <= 3; ++p)
        if (!g.TrickCards[p].isEmpty())
            view_.drawAt(Place{Place::Kind::Trick, g.seatAtTrickPos(p)}, g.TrickCards[p]);
}

bool TForm1::busy() const {
    return !queue_.empty() || !flights_.empty() || waitMs_ > 0;
}

void TForm1::leaveTitle() {
    if (screen_ != Screen::Title) return;
    showMenu();
    if (options_.demo) startGame();
}

void TForm1::showMenu() {
    const bool designChanges =
        screen_ == Screen::Game && settings_.MainMenuDesign != settings_.TableDesign;
    screen_ = Screen::Menu;
    if (designChanges) view_.loadBackground(settings_, purpleScreen());
    Button7->hide();
    Button8->hide();
    for (auto* b : menuButtons_) b->show();
    drawMenu();
    timer1_.setInterval(20);
    timer1_.start();
    update();
}

void TForm1::startGame() {
    if (screen_ == Screen::Game) return;
    screen_ = Screen::Game;
    for (auto* b : menuButtons_) b->hide();
    if (settings_.MainMenuDesign != settings_.TableDesign)
        view_.loadBackground(settings_, purpleScreen());
    view_.clearAll();
    PlayerStart player;
    player.name = settings_.PlayerName;
    driver_.setRules(settings_.Rules);
    driverStep([&] { driver_.startNewGame(player); });
}

template <class F>
void TForm1::driverStep(F&& input) {
    if (inStep_) return;
    inStep_ = true;
    input();
    inStep_ = false;
    takeDriverEvents();
}

void TForm1::takeDriverEvents() {
    for (auto& e : driver_.takeEvents()) queue_.push_back(std::move(e));
    if (!queue_.empty() && !animation_.isActive()) animation_.start(1);
    syncControls();
}

void TForm1::onTimer1() {
    if (screen_ == Screen::Title) {
        ++titleFrame_;
        drawTitle();
        update();
        return;
    }
    if (screen_ == Screen::Menu) return;
    if (busy() || inStep_) return;
    if (options_.demo) {
        demoStep();
        return;
    }
    const TimerState t = driver_.timer();
    const int interval = options_.fast ? 1 : t.intervalMs;
    if (timer1_.interval() != interval) timer1_.setInterval(interval);
    if (t.enabled) driverStep([&] { driver_.tick(); });
}

void TForm1::demoStep() {
    timer1_.setInterval(options_.fast ? 1 : 5);
    const GameRecord& g = driver_.record();
    if (g.GameState == 21) {
        driverStep([&] { driver_.pressButton8(); });
        return;
    }
    if (g.GameState == 20) {
        driverStep([&] { driver_.pressButton7(); });
        return;
    }
    driverStep([&] { pilot_.step(driver_); });
}

void TForm1::pressButton7() {
    if (busy() || inStep_) return;
    driverStep([&] { driver_.pressButton7(); });
}

void TForm1::pressButton8() {
    if (busy() || inStep_) return;
    driverStep([&] { driver_.pressButton8(); });
}

void TForm1::syncControls() {
    if (screen_ != Screen::Game) return;
    // While events play, the buttons wait; they show the driver's state once the table does.
    const bool playing = busy();
    const orvala::ButtonState& b7 = driver_.button7();
    const orvala::ButtonState& b8 = driver_.button8();
    Button7->setText(captionText(b7.caption));
    Button8->setText(captionText(b8.caption));
    Button7->setVisible(b7.visible);
    Button8->setVisible(b8.visible);
    Button7->setEnabled(b7.enabled && !playing);
    Button8->setEnabled(b8.enabled && !playing);
}

void TForm1::finishQueuedEvents() {
    for (auto& f : flights_) {
        if (f.leaveOnTable) view_.drawAt(f.to, f.card);
    }
    flights_.clear();
    waitMs_ = 0;
    while (!queue_.empty()) playOne(false);
    update();
}

void TForm1::onAnimation() {
    // A flight in progress: advance it by the time that has passed.
    if (!flights_.empty()) {
        stepBudget_ += 1.0;
        int stepsThisFrame = 0;
        while (!flights_.empty() && stepBudget_ > 0 && stepsThisFrame < 16) {
            bool any = false;
            for (auto& f : flights_) {
                if (f.at + 1 < f.path.size()) {
                    ++f.at;
                    any = true;
                }
            }
            ++stepsThisFrame;
            stepBudget_ -= pacer_.pauseAfterStep(settings_.Speed);
            if (!any) {
                for (auto& f : flights_)
                    if (f.leaveOnTable) view_.drawAt(f.to, f.card);
                flights_.clear();
            }
        }
        if (stepBudget_ > 0) stepBudget_ = 0;
        update();
        if (!flights_.empty()) return;
    }
    if (waitMs_ > 0) {
        if (waitClock_.elapsed() < waitMs_) return;
        waitMs_ = 0;
    }
    while (!queue_.empty()) {
        if (!playOne(!options_.fast)) break;
    }
    update();
    if (!busy()) {
        animation_.stop();
        syncControls();
        const GameRecord& g = driver_.record();
        if ((g.GameState == 20 || g.GameState == 21) && g.DealNumber != lastCountedDeal_ &&
            screen_ == Screen::Game) {
            lastCountedDeal_ = g.DealNumber;
            ++dealsPlayed_;
            if (options_.quitAfterDeals > 0 && dealsPlayed_ >= options_.quitAfterDeals)
                QCoreApplication::exit(0);
        }
        emit eventsPlayed();
    }
}

bool TForm1::playOne(bool animate) {
    TableEvent e = std::move(queue_.front());
    queue_.pop_front();
    const bool flying = animate && settings_.FlyingCardsOn && settings_.Speed < 7;
    if (auto* m = std::get_if<ev::MoveCard>(&e)) {
        const bool toTable = m->to.kind != Place::Kind::Hand;
        if (m->from.kind != Place::Kind::Hand && m->from.kind != Place::Kind::Deck)
            view_.clearAt(m->from);
        if (!flying) {
            if (toTable) view_.drawAt(m->to, m->card);
            return true;
        }
        const bool faceUp = m->to.kind != Place::Kind::Hand || m->to.index == 3 ||
                            m->from.kind != Place::Kind::Hand;
        Flight f;
        f.picture = view_.cardImage(m->card, faceUp);
        const auto path =
            flightPath(IPoint{view_.placePoint(m->from).x(), view_.placePoint(m->from).y()},
                       IPoint{view_.placePoint(m->to).x(), view_.placePoint(m->to).y()});
        for (const auto& p : path) f.path.emplace_back(p.x, p.y);
        f.to = m->to;
        f.card = m->card;
        f.leaveOnTable = toTable;
        flights_.push_back(std::move(f));
        return false;
    }
    if (auto* g = std::get_if<ev::GatherTrick>(&e)) {
        const Place winner{Place::Kind::Hand, g->winner};
        for (int p = 1; p <= 3; ++p) {
            const int seat = (g->leader + p - 2) % 3 + 1;
            const Place from{Place::Kind::Trick, seat};
            view_.clearAt(from);
            if (!flying || g->cards[p].isEmpty()) continue;
            Flight f;
            f.picture = view_.cardImage(g->cards[p], true);
            for (const auto& q :
                 flightPath(IPoint{view_.placePoint(from).x(), view_.placePoint(from).y()},
                            IPoint{view_.placePoint(winner).x(), view_.placePoint(winner).y()}))
                f.path.emplace_back(q.x, q.y);
            f.to = winner;
            f.card = g->cards[p];
            flights_.push_back(std::move(f));
        }
        return flights_.empty();
    }
    if (auto* p = std::get_if<ev::Pause>(&e)) {
        if (!animate || (p->onlyWithFlyingCards && !flying)) return true;
        waitMs_ = p->ms;
        waitClock_.start();
        return false;
    }
    applyEvent(e);
    return true;
}

void TForm1::applyEvent(const TableEvent& e) {
    const GameRecord& g = driver_.record();
    std::visit(
        [&](const auto& x) {
            using T = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<T, ev::ResetTable>) {
                view_.chooseBack(QDate::currentDate().dayOfWeek());
                view_.clearAll();
                openHands_.reset();  // every deal starts with the hands closed
            } else if constexpr (std::is_same_v<T, ev::ShowHand>) {
                view_.drawHand(x.seat, x.hand, x.count, x.seat != 3 && openHands_.on());
            } else if constexpr (std::is_same_v<T, ev::Sound>) {
                // Sounds come with the sound work; until then a synchronous sound takes no time.
            } else if constexpr (std::is_same_v<T, ev::Bubble>) {
                if (x.kind == ev::Bubble::Kind::Clear)
                    view_.speech(x.seat, {}, 'y');
                else if (x.kind == ev::Bubble::Kind::Name)
                    view_.speech(x.seat, fromSettingsText(g.SeatNames[x.seat]), 'y');
                else
                    view_.speech(x.seat, captionText(x.text), bubbleColour(x.text.row));
            } else if constexpr (std::is_same_v<T, ev::ShowScore>) {
                PanelUpdate u;
                u.redrawPanel = true;
                // The declarer keeps the mark as the contract is announced.
                if (!(x.contract != 0 && g.GameState == 9)) u.turnMark = false;
                u.dealPoints = PanelNumber::show(x.dealPoints);
                u.score = PanelNumber::show(x.score);
                u.bid = x.contract ? PanelNumber::show(x.contract) : PanelNumber::erase();
                u.barrel = x.barrel;
                u.bolts = x.boltCount;
                view_.scoreboard(x.seat, u);
            } else if constexpr (std::is_same_v<T, ev::ShowBid>) {
                PanelUpdate u;
                u.turnMark = x.bid > 0;
                u.bid = x.bid > 0 ? PanelNumber::show(x.bid) : PanelNumber::erase();
                view_.scoreboard(x.seat, u);
            } else if constexpr (std::is_same_v<T, ev::ShowDealPoints>) {
                PanelUpdate u;
                // A marriage shows the leader's points: the leader keeps the mark.
                if (x.highlighted || x.seat != g.FirstBidder) u.turnMark = x.highlighted;
                u.dealPoints = PanelNumber::show(x.points);
                view_.scoreboard(x.seat, u);
            } else if constexpr (std::is_same_v<T, ev::MarkFirstBidder>) {
                for (int s = 1; s <= 3; ++s) {
                    PanelUpdate u;
                    u.turnMark = s == x.seat;
                    view_.scoreboard(s, u);
                }
            } else if constexpr (std::is_same_v<T, ev::ShowRoundInfo>) {
                view_.dealInfo(x.dealNumber, x.trump);
            } else if constexpr (std::is_same_v<T, ev::MarkCard>) {
                view_.markCard(x.slot);
            } else if constexpr (std::is_same_v<T, ev::OpenAllHands>) {
                for (int s = 1; s <= 2; ++s) view_.drawHand(s, g.Hand[s], g.HandCount[s], true);
            } else if constexpr (std::is_same_v<T, ev::ShowFinalResults>) {
                for (int s = 1; s <= 3; ++s) {
                    PanelUpdate u;
                    u.turnMark = false;
                    u.dealPoints = PanelNumber::show(x.results[s]);
                    u.score = PanelNumber::show(x.scores[s]);
                    u.bid = PanelNumber::erase();
                    u.finalColours = true;
                    view_.scoreboard(s, u);
                }
            } else if constexpr (std::is_same_v<T, ev::ReturnToMenu>) {
                showMenu();
            }
            // The score summary, spoken card names and the end-of-game records come with later
            // work.
        },
        e);
}

int TForm1::askContract(const GameRecord& g, const RuleSettings& rules) {
    // The dialog opens over a table that shows everything that came before it.
    for (auto& ev : driver_.takeEvents()) queue_.push_back(std::move(ev));
    finishQueuedEvents();
    TFormZakaz dialog(g.Contract, rules.RuleRoundToFive, this);
    dialog.exec();
    return dialog.pending();
}

void TForm1::layoutControls() {
    const double s = view_.scale();
    for (auto* b : menuButtons_) styleButton(b, s);
    styleButton(Button7, s);
    styleButton(Button8, s);
    auto place = [&](QWidget* w, double x, double y, double width, double height) {
        const auto r = mapRect(view_.scales(), x, y, width, height);
        w->setGeometry(r.left, r.top, r.width, r.height);
    };
    // The two action buttons stand right of the person's scoreboard.
    place(Button7, 520, 290, 160, 30);
    place(Button8, 520, 328, 160, 30);
    const double r = std::round(30 * s) / (s > 0 ? s : 1);
    place(Button6, 280, 265 + 5 * r + 10, 200, r);
    for (auto* b : menuButtons_) {
        const QString n = b->objectName();
        if (n.size() == 7 && n.startsWith("Button") && n[6] >= '1' && n[6] <= '5')
            place(b, 180, 265 + (n[6].digitValue() - 1) * r, 400, r);
        else if (n == "Button9")
            place(b, 40, 225, 100, r);
        else if (n == "Button10")
            place(b, 620, 225, 100, r);
        else if (n == "BHistory")
            place(b, 40, 255, 100, r);
        else if (n == "BMode")
            place(b, 620, 255, 100, r);
        else if (n == "Button11")
            place(b, 330, 465, 100, r);
    }
}

void TForm1::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, view_.canvas());
    for (const auto& f : flights_)
        if (!f.path.empty()) p.drawImage(f.path[f.at], f.picture);
}

void TForm1::mouseReleaseEvent(QMouseEvent* e) {
    if (screen_ == Screen::Title) {
        leaveTitle();
        return;
    }
    if (screen_ != Screen::Game || busy() || inStep_) return;
    const int slot = view_.slotUnderPointer(e->pos());
    if (slot == 0) return;
    const MouseButton b = e->button() == Qt::RightButton ? MouseButton::Right : MouseButton::Left;
    if (b == MouseButton::Left) salute(false);
    driverStep([&] { driver_.clickHand(slot, b); });
    updateCursor(e->pos());
}

void TForm1::mouseMoveEvent(QMouseEvent* e) {
    updateCursor(e->pos());
    // Seat panels explain themselves during a game.
    double x = 0, y = 0;
    const int seat = screen_ == Screen::Game ? view_.panelUnder(e->pos(), &x, &y) : 0;
    const GameRecord& g = driver_.record();
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
    const GameRecord& g = driver_.record();
    const int slot = view_.slotUnderPointer(p);
    bool hand = false;
    if (g.GameState == 13) hand = driver_.canPlaySlot(slot);
    if ((g.GameState == 6 || g.GameState == 7) && g.Declarer == 3 && slot != 0)
        hand = g.GameState == 6 || slot == g.GiveSlot1 || slot == g.GiveSlot2;
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
    if (screen_ == Screen::Game && openHands_.type(e->text())) drawComputerHands();
    QWidget::keyPressEvent(e);
}

void TForm1::contextMenuEvent(QContextMenuEvent* e) {
    if (screen_ == Screen::Title) return;
    if (screen_ == Screen::Game && view_.overOwnHand(e->pos())) return;  // right click speaks
    QMenu menu(this);
    QAction* exitToMenu = menu.addAction(text(WordRow::ExitToMenu));
    exitToMenu->setEnabled(screen_ == Screen::Game);
    connect(exitToMenu, &QAction::triggered, this, &TForm1::exitToMenuCommand);
    menu.exec(e->globalPos());
}

void TForm1::exitToMenuCommand() {
    if (screen_ != Screen::Game || inStep_) return;
    if (!askYesNo(this,
                  text(WordRow::LeaveToMenuQuestion) + "\n" + text(WordRow::AllDataWillBeLost)))
        return;
    // The animations stop where they are.
    queue_.clear();
    flights_.clear();
    waitMs_ = 0;
    animation_.stop();
    driverStep([&] { driver_.exitToMenu(); });
    finishQueuedEvents();
}

void TForm1::closeEvent(QCloseEvent* e) {
    if (screen_ == Screen::Game && !options_.demo &&
        !askYesNo(this,
                  text(WordRow::LeaveGameQuestion) + " " + text(WordRow::AllDataWillBeLost))) {
        e->ignore();
        return;
    }
    SaveSettings(options_.programFolder.toStdString(), settings_);
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
    QFont f("Comic Neue");
    f.setPixelSize(h / 6);
    f.setBold(true);
    p.setFont(f);
    const QString name = text(WordRow::OrvalaCapitals);
    const int hue = (titleFrame_ * 3) % 360;
    p.setPen(QColor::fromHsv(hue, 200, 255));
    p.drawText(QRect(0, h / 3, w, h / 4), Qt::AlignCenter, name);
    QFont small("DejaVu Sans");
    small.setPixelSize(std::max(10, h / 40));
    p.setFont(small);
    p.setPen(QColor(180, 180, 180));
    p.drawText(QRect(0, h * 2 / 3, w, h / 10), Qt::AlignCenter, "Version 0.1");
}

void TForm1::drawMenu() {
    view_.clearAll();
    QPainter p(&view_.canvas());
    // The title picture "GTitle": the name in gold on a dark band.
    const double s = view_.scale();
    const auto r =
        mapRect(view_.scales(), 230, 90 - std::round(5 * s) / s, 300, 3 * std::round(30 * s) / s);
    const QRect band(r.left, r.top, r.width, r.height);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(20, 30, 20, 200));
    p.setPen(QPen(QColor(200, 170, 60), std::max(1.0, 2 * s)));
    p.drawRoundedRect(band, 10 * s, 10 * s);
    QFont f("Comic Neue");
    f.setPixelSize(std::max(10, r.height * 2 / 3));
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(230, 200, 80));
    p.drawText(band, Qt::AlignCenter, text(WordRow::OrvalaCapitals));
}

}  // namespace orvala::app
