// The seat panels, the deal-information panel, the speech bubbles and the move clocks, drawn
// with plain single-colour pictures so that every area can be told by its colours; the smooth
// resizing against pixels worked by hand; the font slots and the panels' hints.

#include "table/scoreboard.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QGuiApplication>
#include <QHash>
#include <QPainter>
#include <functional>

#include "core/lang/word_table.h"
#include "table/table_geometry.h"
#include "table/table_text.h"

namespace orvala::table {
namespace {

void ensureApp() {
    static int argc = 1;
    static char name[] = "test_table_scoreboard";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance()) new QGuiApplication(argc, argv);
}

QImage solid(int w, int h, QColor c, QImage::Format f = QImage::Format_ARGB32) {
    QImage img(w, h, f);
    img.fill(c);
    return img;
}

// The picture colours; none of them is near a text colour.
const QColor kTable(0, 80, 0), kTabloSm(200, 200, 200), kTabloBg(180, 180, 180);
const QColor kMarkUpSmall(255, 200, 0), kMarkDownSmall(0, 200, 255);
const QColor kHandUp(255, 128, 0), kHandDown(128, 0, 255);
const QColor kBarrel(0, 160, 160), kBolt(200, 200, 0);
const QColor kRamkaSm(220, 220, 220), kRamkaBg(210, 210, 210);
const QColor kHeart(150, 0, 60), kHeartBig(140, 20, 70), kClubBig(20, 20, 140);
const QColor kYellowBubble(220, 200, 0), kGreenBubble(0, 160, 0), kBlueBubble(0, 0, 160);
const QColor kTimerY(230, 230, 0), kTimerR(200, 0, 0);

class TestPictures : public PictureSource {
  public:
    TestPictures() {
        add("TabloSm", solid(155, 95, kTabloSm, QImage::Format_RGB32));
        add("TabloBg", solid(310, 190, kTabloBg));
        add("ImageList3_1", solid(20, 30, kMarkUpSmall, QImage::Format_RGB32));
        add("ImageList3_0", solid(20, 30, kMarkDownSmall, QImage::Format_RGB32));
        add("Hand_Up", solid(40, 60, kHandUp));
        add("Hand_Down", solid(40, 60, kHandDown));
        add("GBarrel", solid(42, 60, kBarrel));
        add("GBolt", solid(32, 60, kBolt, QImage::Format_ARGB32_Premultiplied));
        add("RamkaBBSm", solid(120, 150, kRamkaSm, QImage::Format_RGB32));
        add("RamkaBBBg", solid(240, 300, kRamkaBg));
        // A bitmap symbol: white ground (the transparent colour) around a 10 x 10 heart square.
        QImage cher = solid(20, 20, Qt::white, QImage::Format_RGB32);
        QPainter(&cher).fillRect(5, 5, 10, 10, kHeart);
        add("Cher", cher);
        add("CherB", solid(40, 40, kHeartBig));
        add("KresB", solid(40, 40, kClubBig));
        for (auto [name, colour] :
             {std::pair{"SPYellow", kYellowBubble}, std::pair{"SPGreen", kGreenBubble},
              std::pair{"SPBlue", kBlueBubble}}) {
            add(name, solid(160, 20, colour, QImage::Format_RGB32));
            add(QString(name) + "B", solid(320, 40, colour));
        }
        add("GTimerY", solid(50, 50, kTimerY));
        add("GTimerR", solid(50, 50, kTimerR));
    }
    QImage picture(const QString& name) const override { return pictures_.value(name); }

  private:
    void add(const QString& name, const QImage& img) { pictures_.insert(name, img); }
    QHash<QString, QImage> pictures_;
};

using Pred = std::function<bool(QRgb)>;

Pred is(QColor c) {
    return [c](QRgb p) { return (p & 0xFFFFFF) == (c.rgb() & 0xFFFFFF); };
}
// Text colours are told by hue, since the edges of the letters are blended with the ground.
const Pred kMagentaInk = [](QRgb p) {
    return qRed(p) > qGreen(p) + 80 && qBlue(p) > qGreen(p) + 80;
};
const Pred kRedInk = [](QRgb p) { return qRed(p) > qGreen(p) + 80 && qRed(p) > qBlue(p) + 80; };
const Pred kBlueInk = [](QRgb p) { return qBlue(p) > qRed(p) + 60 && qBlue(p) > qGreen(p) + 60; };
const Pred kGreenInk = [](QRgb p) { return qGreen(p) > qRed(p) + 40 && qGreen(p) > qBlue(p) + 40; };
const Pred kWhiteInk = [](QRgb p) { return qRed(p) > 240 && qGreen(p) > 240 && qBlue(p) > 240; };

int count(const QImage& img, const QRect& r, const Pred& pred) {
    int n = 0;
    const QRect a = r.intersected(img.rect());
    for (int y = a.top(); y <= a.bottom(); ++y)
        for (int x = a.left(); x <= a.right(); ++x) n += pred(img.pixel(x, y)) ? 1 : 0;
    return n;
}

QRect inkBounds(const QImage& img, const QRect& r, const Pred& pred) {
    QRect b;
    const QRect a = r.intersected(img.rect());
    for (int y = a.top(); y <= a.bottom(); ++y)
        for (int x = a.left(); x <= a.right(); ++x)
            if (pred(img.pixel(x, y))) b = b.united(QRect(x, y, 1, 1));
    return b;
}

// The bounding rectangle of the pixels that differ; empty when the pictures are equal.
QRect changed(const QImage& a, const QImage& b) {
    QRect d;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) d = d.united(QRect(x, y, 1, 1));
    return d;
}

QRect designRect(const QRect& panel, double s, int l, int t, int r, int b) {
    return QRect(
        QPoint(panel.left() + roundHalfEven(s * l), panel.top() + roundHalfEven(s * t)),
        QPoint(panel.left() + roundHalfEven(s * r) - 1, panel.top() + roundHalfEven(s * b) - 1));
}

class Indicators : public ::testing::Test {
  protected:
    void SetUp() override {
        ensureApp();
        setCurrentLanguage(0);
        useSize(1);
    }
    void useSize(int windowSize) {
        const Scales sc = scalesFor(windowSize, 0, 0);
        windowSize_ = windowSize;
        s_ = sc.s;
        kind_ = static_cast<PictureKind>(cardSizeFor(sc.s).kind);
        background_ = solid(sc.width, sc.height, kTable, QImage::Format_RGB32);
        canvas_ = background_.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    IndicatorContext ctx() const {
        return IndicatorContext{pictures_, fonts_, background_, windowSize_, s_, kind_};
    }
    QRect panel(int seat) const {
        static const int designLeft[4] = {0, 88, 513, 88}, designTop[4] = {0, 140, 140, 280};
        const IRect r =
            mapRect(scalesFor(windowSize_, 0, 0), designLeft[seat], designTop[seat], 155, 95);
        return QRect(r.left, r.top, r.width, r.height);
    }
    void board(int seat, bool mark, int deal, int score, int bid, bool redraw,
               const ScoreboardFacts& f = {}) {
        DrawScoreboard(canvas_, panel(seat), seat, mark, deal, score, bid, redraw, f, ctx());
    }

    TestPictures pictures_;
    TableFonts fonts_;
    QImage background_, canvas_;
    int windowSize_ = 1;
    double s_ = 1;
    PictureKind kind_ = PictureKind::Bitmap;
};

TEST(SmoothResizeTest, TwoByTwoToThreeByThreeWorkedByHand) {
    // Source A B / C D; target x takes the source x * (2 - 1) / 3: 0, 1/3, 2/3.
    QImage img(2, 2, QImage::Format_ARGB32);
    img.setPixel(0, 0, qRgba(0, 10, 200, 255));  // A
    img.setPixel(1, 0, qRgba(90, 20, 100, 0));   // B
    img.setPixel(0, 1, qRgba(180, 40, 0, 120));  // C
    img.setPixel(1, 1, qRgba(255, 80, 50, 60));  // D
    ASSERT_EQ(SmoothResize(img, QSize(3, 3)), std::nullopt);
    ASSERT_EQ(img.size(), QSize(3, 3));
    EXPECT_EQ(img.format(), QImage::Format_ARGB32);
    EXPECT_EQ(img.pixel(0, 0), qRgba(0, 10, 200, 255));  // A itself
    // (2A + B) / 3: 30, 13.3, 166.7, 170.
    EXPECT_EQ(img.pixel(1, 0), qRgba(30, 13, 167, 170));
    // (A + 2B) / 3: 60, 16.7, 133.3, 85.
    EXPECT_EQ(img.pixel(2, 0), qRgba(60, 17, 133, 85));
    // (2A + C) / 3: 60, 20, 133.3, 210.
    EXPECT_EQ(img.pixel(0, 1), qRgba(60, 20, 133, 210));
    // (4A + 2B + 2C + D) / 9: 795/9, 240/9, 1050/9, 1320/9.
    EXPECT_EQ(img.pixel(1, 1), qRgba(88, 27, 117, 147));
    // (A + 2B + 2C + 4D) / 9: 1560/9, 450/9, 600/9, 735/9.
    EXPECT_EQ(img.pixel(2, 2), qRgba(173, 50, 67, 82));
}

TEST(SmoothResizeTest, HalvesRoundToEvenAndRgbKeepsItsFormat) {
    // 3 x 2 to 4 x 2: target x 1 takes source x 2/4 = 0.5, the mean of columns 0 and 1.
    QImage img(3, 2, QImage::Format_RGB888);
    img.setPixel(0, 0, qRgb(10, 11, 0));
    img.setPixel(1, 0, qRgb(11, 12, 7));
    img.setPixel(2, 0, qRgb(0, 0, 0));
    img.setPixel(0, 1, qRgb(0, 0, 0));
    img.setPixel(1, 1, qRgb(0, 0, 0));
    img.setPixel(2, 1, qRgb(0, 0, 0));
    ASSERT_EQ(SmoothResize(img, QSize(4, 2)), std::nullopt);
    EXPECT_EQ(img.format(), QImage::Format_RGB888);
    EXPECT_EQ(img.size(), QSize(4, 2));
    EXPECT_EQ(img.pixel(1, 0), qRgb(10, 12, 4));  // 10.5 -> 10, 11.5 -> 12, 3.5 -> 4
}

TEST(SmoothResizeTest, OtherFormatsAreRefusedAndTinySizesLeftAlone) {
    for (QImage::Format f : {QImage::Format_Grayscale8, QImage::Format_Indexed8,
                             QImage::Format_ARGB32_Premultiplied, QImage::Format_RGB16}) {
        QImage img = solid(4, 4, Qt::red).convertToFormat(f);
        const QImage before = img;
        EXPECT_EQ(SmoothResize(img, QSize(8, 8)),
                  QString("Only COLOR_RGBALPHA and COLOR_RGB formats are supported"));
        EXPECT_EQ(img, before);
    }
    QImage line = solid(1, 5, Qt::blue);
    EXPECT_EQ(SmoothResize(line, QSize(3, 3)), std::nullopt);
    EXPECT_EQ(line.size(), QSize(1, 5));
    QImage square = solid(5, 5, Qt::blue, QImage::Format_RGB32);
    for (QSize to : {QSize(1, 9), QSize(9, 1), QSize(0, 4), QSize(-3, 4)}) {
        EXPECT_EQ(SmoothResize(square, to), std::nullopt);
        EXPECT_EQ(square.size(), QSize(5, 5));
    }
}

TEST(Fonts, SlotsHeightsFamiliesAndCellHeight) {
    ensureApp();
    Settings settings;
    settings.FontName = {"Comic Sans MS", "Times New Roman", "FixedSys", "Arial"};
    settings.FontScale = {100, 150, 50, 100};
    const TableFonts fonts(settings);
    EXPECT_EQ(fonts.FontHeight(20, "decor"), 20);
    EXPECT_EQ(fonts.FontHeight(20, "serif"), 30);
    EXPECT_EQ(fonts.FontHeight(5, "fixed"), 2);  // 2.5, halves to even
    EXPECT_EQ(fonts.FontHeight(7, "fixed"), 4);  // 3.5
    EXPECT_EQ(fonts.FontHeight(13, "conew"), 13);

    EXPECT_EQ(fonts.families("decor").front(), "Comic Neue");
    EXPECT_EQ(fonts.families("serif").front(), "DejaVu Serif");
    EXPECT_EQ(fonts.families("fixed").front(), "DejaVu Sans Mono");
    EXPECT_EQ(FreeFontFamilies("Courier New").front(), "DejaVu Sans Mono");
    EXPECT_EQ(fonts.families("conew").front(), "Arial");
    for (const char* k : {"decor", "serif", "fixed", "conew"})
        EXPECT_EQ(fonts.families(k).back(), "WenQuanYi Zen Hei") << k;

    // The cell height is as large as it can be without passing the wanted height.
    for (int h : {11, 20, 30, 57}) {
        const QFont f = fonts.Font(h, "decor", true);
        EXPECT_LE(QFontMetrics(f).height(), h) << h;
        QFont larger = f;
        larger.setPixelSize(f.pixelSize() + 1);
        EXPECT_GT(QFontMetrics(larger).height(), h) << h;
    }
}

TEST(Fonts, ChineseJapaneseAndKoreanTextsRenderAsRealGlyphs) {
    ensureApp();
    const TableFonts fonts;
    auto render = [&](const QString& t) {
        QImage img(60, 40, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        p.setFont(fonts.Font(30, "decor"));
        p.setPen(Qt::black);
        CentreText(t, 0, 60, p, 2);
        return img;
    };
    const QImage a = render(QString::fromUtf8("王")), b = render(QString::fromUtf8("局"));
    const QImage c = render(QString::fromUtf8("라")), d = render(QString::fromUtf8("切"));
    auto ink = [](const QImage& i) {
        return count(i, i.rect(), [](QRgb p) { return qRed(p) < 128; });
    };
    EXPECT_GT(ink(a), 10);
    EXPECT_GT(ink(c), 10);
    // A missing glyph is drawn as the same box for every character.
    EXPECT_NE(a, b);
    EXPECT_NE(c, d);
    EXPECT_NE(a, c);
}

TEST_F(Indicators, TheLeaveCommandChangesOnlyTheTurnMark) {
    ScoreboardFacts f;
    f.RuleBarrel = true;
    f.RuleBolts = true;
    f.Score = 100;
    f.BoltCount = 1;
    for (int seat : {1, 3}) {
        board(seat, true, 35, 100, 120, true, f);
        const QRect p = panel(seat);
        const QRect markArea =
            designRect(p, s_, 15, 50, 50, 81).united(QRect(p.left() + 22, p.top() + 49, 20, 31));
        const QColor mark = seat == 3 ? kMarkDownSmall : kMarkUpSmall;
        EXPECT_EQ(count(canvas_, markArea, is(mark)), 20 * 30) << seat;
        const QImage before = canvas_;
        board(seat, false, kLeaveFigure, kLeaveFigure, kLeaveFigure, false, f);
        const QRect diff = changed(before, canvas_);
        EXPECT_FALSE(diff.isEmpty());
        EXPECT_TRUE(markArea.contains(diff)) << seat;
        EXPECT_EQ(count(canvas_, markArea, is(mark)), 0);
        EXPECT_EQ(count(canvas_, markArea, is(kTabloSm)), markArea.width() * markArea.height());
        // The mark comes back at the same place, and nothing else moves.
        const QImage unmarked = canvas_;
        board(seat, true, kLeaveFigure, kLeaveFigure, kLeaveFigure, false, f);
        EXPECT_EQ(canvas_, before);
        EXPECT_TRUE(markArea.contains(changed(unmarked, canvas_)));
    }
}

TEST_F(Indicators, FiguresShowAndTheEraseCommandClearsTheirAreas) {
    board(3, false, 35, 740, 120, true);
    const QRect p = panel(3);
    const QRect deal = designRect(p, s_, 15, 15, 140, 46);
    const QRect score = designRect(p, s_, 55, 50, 100, 81);
    const QRect bid = designRect(p, s_, 105, 50, 140, 81);
    EXPECT_GT(count(canvas_, deal, kMagentaInk), 20);
    EXPECT_GT(count(canvas_, score, kBlueInk), 10);
    EXPECT_GT(count(canvas_, bid, kBlueInk), 10);
    // The deal points are centred over the panel.
    const QRect ink = inkBounds(canvas_, deal, kMagentaInk);
    EXPECT_NEAR(ink.center().x(), p.left() + 77, 4);

    board(3, false, kEraseFigure, kLeaveFigure, kLeaveFigure, false);
    EXPECT_EQ(count(canvas_, deal, kMagentaInk), 0);
    EXPECT_GT(count(canvas_, score, kBlueInk), 10);
    board(3, false, kLeaveFigure, kEraseFigure, kEraseFigure, false);
    const QImage erased = canvas_;
    EXPECT_EQ(count(canvas_, p, is(kTabloSm)), p.width() * p.height());
    // The whole panel is now exactly a freshly drawn empty one.
    board(3, false, kEraseFigure, kEraseFigure, kEraseFigure, true);
    EXPECT_EQ(canvas_, erased);
    // Nothing outside the panel was touched.
    EXPECT_TRUE(p.contains(changed(background_.convertToFormat(canvas_.format()), canvas_)));
}

TEST_F(Indicators, TheBarrelFromOneHundredAndTwentyDown) {
    const QRect p = panel(1);
    const QRect barrel(p.left() + 20, p.top() + 17, 17, 24);
    ScoreboardFacts f;
    f.RuleBarrel = true;
    f.Score = 120;
    board(1, false, 0, 120, kEraseFigure, true, f);
    EXPECT_EQ(count(canvas_, barrel, is(kBarrel)), 17 * 24);
    f.Score = 121;
    board(1, false, 0, 121, kEraseFigure, true, f);
    EXPECT_EQ(count(canvas_, p, is(kBarrel)), 0);
    f.Score = 50;
    f.RuleBarrel = false;
    board(1, false, 0, 50, kEraseFigure, true, f);
    EXPECT_EQ(count(canvas_, p, is(kBarrel)), 0);
    // Erasing the deal points takes the barrel with them.
    f.RuleBarrel = true;
    board(1, false, 0, 50, kEraseFigure, true, f);
    ASSERT_GT(count(canvas_, p, is(kBarrel)), 0);
    f.RuleBarrel = false;
    board(1, false, kEraseFigure, kLeaveFigure, kLeaveFigure, false, f);
    EXPECT_EQ(count(canvas_, p, is(kBarrel)), 0);
}

TEST_F(Indicators, BoltsOnlyUnderTheirRule) {
    const QRect p = panel(2);
    const QRect sign(p.left() + 115, p.top() + 17, 13, 24);
    const QRect figure = designRect(p, s_, 125, 15, 145, 45);
    ScoreboardFacts f;
    f.RuleBolts = true;
    f.BoltCount = 2;
    board(2, false, kEraseFigure, 500, kEraseFigure, true, f);
    // The premultiplied bolt picture is drawn like any other.
    EXPECT_GT(count(canvas_, sign, is(kBolt)), 13 * 24 / 2);
    EXPECT_GT(count(canvas_, figure, kRedInk), 5);
    f.RuleBolts = false;
    board(2, false, kEraseFigure, 500, kEraseFigure, true, f);
    EXPECT_EQ(count(canvas_, p, is(kBolt)), 0);
    EXPECT_EQ(count(canvas_, p, kRedInk), 0);
    f.RuleBolts = true;
    f.BoltCount = 0;
    board(2, false, kEraseFigure, 500, kEraseFigure, true, f);
    EXPECT_EQ(count(canvas_, p, is(kBolt)), 0);
}

TEST_F(Indicators, AtTheGameEndDealPointsAreRedAndAPositiveResultHasAPlus) {
    const QRect deal = designRect(panel(1), s_, 15, 15, 140, 46);
    ScoreboardFacts end;
    end.GameState = 15;
    end.someScoreBelowOne = true;
    auto width = [&](int points, const ScoreboardFacts& f, const Pred& ink) {
        board(1, false, points, kLeaveFigure, kLeaveFigure, true, f);
        EXPECT_GT(count(canvas_, deal, ink), 20) << points;
        return inkBounds(canvas_, deal, ink).width();
    };
    const int plain150 = width(150, {}, kMagentaInk);
    const int final150 = width(150, end, kRedInk);
    EXPECT_EQ(count(canvas_, deal, kMagentaInk), 0);
    EXPECT_GT(final150, plain150 + 5);  // "+150"
    EXPECT_EQ(width(-150, end, kRedInk), width(-150, {}, kMagentaInk));
    EXPECT_EQ(width(0, end, kRedInk), width(0, {}, kMagentaInk));
    // GameState 15 alone is not the end of the game.
    ScoreboardFacts scored;
    scored.GameState = 15;
    EXPECT_EQ(width(150, scored, kMagentaInk), plain150);
}

TEST_F(Indicators, LargerWindowsStretchThePanelAndUseTheHandPictures) {
    useSize(3);
    board(1, true, 10, 990, kEraseFigure, true);
    board(3, true, 10, 990, kEraseFigure, true);
    const QRect up = designRect(panel(1), s_, 23, 49, 43, 79);
    const QRect down = designRect(panel(3), s_, 23, 49, 43, 79);
    EXPECT_EQ(count(canvas_, up, is(kHandUp)), up.width() * up.height());
    EXPECT_EQ(count(canvas_, down, is(kHandDown)), down.width() * down.height());
    EXPECT_EQ(count(canvas_, panel(1), is(kHandDown)), 0);
    EXPECT_GT(count(canvas_, panel(1), is(kTabloBg)), panel(1).width() * panel(1).height() / 2);
    board(1, false, kLeaveFigure, kLeaveFigure, kLeaveFigure, false);
    EXPECT_EQ(count(canvas_, panel(1), is(kHandUp)), 0);
}

TEST_F(Indicators, DealInfoShowsTheRoundAndTheTrumpSymbol) {
    const QRect r(320, 5, 120, 150);
    const QRect symbolArea(r.left() + 50, r.top() + 90, 20, 20);
    DrawDealInfo(canvas_, r, 3, kNoSuit, ctx());
    EXPECT_GT(count(canvas_, QRect(r.left(), r.top() + 15, r.width(), 28), kBlueInk), 20);
    EXPECT_EQ(count(canvas_, r, kGreenInk), 0);
    EXPECT_EQ(count(canvas_, symbolArea, is(kRamkaSm)), 20 * 20);
    EXPECT_TRUE(r.contains(changed(background_.convertToFormat(canvas_.format()), canvas_)));

    DrawDealInfo(canvas_, r, 3, kHearts, ctx());
    EXPECT_GT(count(canvas_, QRect(r.left(), r.top() + 55, r.width(), 28), kGreenInk), 20);
    // The bitmap's ground colour is transparent: its heart square lies on the frame.
    EXPECT_EQ(count(canvas_, symbolArea, is(kHeart)), 10 * 10);
    EXPECT_EQ(count(canvas_, symbolArea, is(Qt::white)), 0);
    EXPECT_EQ(count(canvas_, symbolArea, is(kRamkaSm)), 20 * 20 - 10 * 10);

    // Back to no trump: the symbol goes.
    DrawDealInfo(canvas_, r, 4, kNoSuit, ctx());
    EXPECT_EQ(count(canvas_, r, is(kHeart)), 0);
    EXPECT_EQ(count(canvas_, r, kGreenInk), 0);

    useSize(3);
    const IRect m = mapRect(scalesFor(3, 0, 0), 320, 5, 120, 150);
    const QRect big(m.left, m.top, m.width, m.height);
    DrawDealInfo(canvas_, big, 1, kClubs, ctx());
    const QRect bigSymbol(big.left() + roundHalfEven(big.width() / 2.0) - 20,
                          big.top() + roundHalfEven(1.3 * 90), 40, 40);
    EXPECT_EQ(count(canvas_, bigSymbol, is(kClubBig)), 40 * 40);
    EXPECT_EQ(count(canvas_, big, is(kHeartBig)), 0);
}

TEST_F(Indicators, SpeechFallsBackToSmallerFontsAndClears) {
    const QRect bubble(300, 370, 160, 20);
    EXPECT_EQ(ShowSpeech(canvas_, bubble, "Mr.X", 'y', ctx()), 18);
    EXPECT_GT(count(canvas_, bubble, is(kYellowBubble)), 160 * 20 / 2);
    EXPECT_GT(count(canvas_, bubble, kWhiteInk), 5);
    EXPECT_TRUE(bubble.contains(changed(background_.convertToFormat(canvas_.format()), canvas_)));

    const int thirty = ShowSpeech(canvas_, bubble, "Thirty characters in a bubble!", 'b', ctx());
    EXPECT_TRUE(thirty == 16 || thirty == 14) << thirty;
    EXPECT_EQ(count(canvas_, bubble, is(kYellowBubble)), 0);
    EXPECT_GT(count(canvas_, bubble, is(kBlueBubble)), 160 * 20 / 2);
    EXPECT_EQ(ShowSpeech(canvas_, bubble, QString(60, 'W'), 'b', ctx()), 14);
    // A text too wide at 18 that fits at 16 stays at 16.
    auto width = [&](const QString& t, int size) {
        return QFontMetrics(fonts_.Font(size, "serif", true)).horizontalAdvance(t);
    };
    QString between = "o";
    while (width(between, 18) <= 150) between += 'o';
    ASSERT_LE(width(between, 16), 150);
    EXPECT_EQ(ShowSpeech(canvas_, bubble, between, 'b', ctx()), 16);

    // Trailing blanks neither count nor move the text.
    ShowSpeech(canvas_, bubble, "Pass", 'g', ctx());
    const QImage pass = canvas_;
    EXPECT_EQ(ShowSpeech(canvas_, bubble, "Pass          ", 'g', ctx()), 18);
    EXPECT_EQ(canvas_, pass);

    EXPECT_EQ(ShowSpeech(canvas_, bubble, "   ", 'g', ctx()), 0);
    EXPECT_EQ(count(canvas_, bubble, is(kTable)), 160 * 20);

    useSize(3);
    const QRect big(390, 481, 208, 26);
    EXPECT_EQ(ShowSpeech(canvas_, big, "Pass", 'g', ctx()), 18);
    EXPECT_GT(count(canvas_, big, is(kGreenBubble)), 208 * 26 / 2);
    EXPECT_EQ(count(canvas_, big, is(kTable)), 0);
}

TEST_F(Indicators, TheMoveClockTurnsBelowEightSeconds) {
    const QRect bubble(300, 370, 160, 20);
    const QRect clock = MoveClockRect(bubble, 1.0);
    EXPECT_EQ(clock, QRect(470, 370, 20, 20));
    EXPECT_EQ(MoveClockRect(QRect(390, 481, 208, 26), 1.3), QRect(611, 481, 26, 26));

    const Pred redDigits = [](QRgb p) { return qRed(p) > 200 && qGreen(p) < 150 && qBlue(p) < 60; };
    const Pred yellowDigits = [](QRgb p) { return qGreen(p) > 120 && qBlue(p) < 60; };
    DrawMoveClock(canvas_, clock, 8, ctx());
    EXPECT_GT(count(canvas_, clock, is(kTimerY)), 100);
    EXPECT_GT(count(canvas_, clock, redDigits), 3);
    DrawMoveClock(canvas_, clock, 7, ctx());
    EXPECT_EQ(count(canvas_, clock, is(kTimerY)), 0);
    EXPECT_GT(count(canvas_, clock, is(kTimerR)), 100);
    EXPECT_GT(count(canvas_, clock, yellowDigits), 3);
    DrawMoveClock(canvas_, clock, -1, ctx());
    EXPECT_EQ(count(canvas_, clock, is(kTable)), 20 * 20);
    EXPECT_EQ(canvas_, background_.convertToFormat(canvas_.format()));
}

TEST(SeatPanelHints, ByPointerPlaceAndGameState) {
    const HintFacts auction{true, 9, false}, contract{true, 9, true}, over{true, 20, true};
    EXPECT_EQ(SeatPanelHint(70, 10, auction), WordRow::PointsOfCurrentRound);
    EXPECT_EQ(SeatPanelHint(150, 38, auction), WordRow::PointsOfCurrentRound);
    EXPECT_EQ(SeatPanelHint(70, 39, contract), std::nullopt);  // between the rows
    EXPECT_EQ(SeatPanelHint(46, 41, auction), WordRow::Numbers);
    EXPECT_EQ(SeatPanelHint(94, 90, auction), WordRow::Numbers);
    EXPECT_EQ(SeatPanelHint(95, 60, contract), std::nullopt);
    EXPECT_EQ(SeatPanelHint(30, 60, contract), std::nullopt);
    EXPECT_EQ(SeatPanelHint(96, 60, contract), WordRow::TheOrderedGame);
    EXPECT_EQ(SeatPanelHint(120, 60, auction), std::nullopt);  // the auction goes on
    EXPECT_EQ(SeatPanelHint(120, 60, over), std::nullopt);
    EXPECT_EQ(SeatPanelHint(120, 60, HintFacts{true, 4, true}), WordRow::TheOrderedGame);
    EXPECT_EQ(SeatPanelHint(120, 60, HintFacts{true, 14, true}), WordRow::TheOrderedGame);
    EXPECT_EQ(SeatPanelHint(120, 60, HintFacts{true, 3, true}), std::nullopt);
    EXPECT_EQ(SeatPanelHint(70, 10, HintFacts{false, 0, false}), std::nullopt);  // menu screen
    EXPECT_EQ(Word(WordRow::PointsOfCurrentRound, 0), "Points of a current Round");
    EXPECT_EQ(Word(WordRow::Numbers, 0), "Numbers");
    EXPECT_EQ(Word(WordRow::TheOrderedGame, 0), "The ordered game");
}

}  // namespace
}  // namespace orvala::table
