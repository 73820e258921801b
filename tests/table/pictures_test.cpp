// The built-in pictures and the drawing of cards, marks and scoreboards, checked by content.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <set>

#include "table/picture_store.h"
#include "table/table_view.h"

namespace orvala::table {
namespace {

struct App {
    App() {
        static int argc = 1;
        static char name[] = "test_table";
        static char* argv[] = {name, nullptr};
        if (!QGuiApplication::instance()) new QGuiApplication(argc, argv);
    }
};

bool isRed(QRgb c) { return qRed(c) > 150 && qGreen(c) < 90 && qBlue(c) < 90; }
bool isDark(QRgb c) { return qRed(c) < 70 && qGreen(c) < 70 && qBlue(c) < 70 && qAlpha(c) > 200; }

TEST(Pictures, EveryBuiltInPictureHasItsSizeAndEveryCardItsOwnFace) {
    App app;
    PictureStore store;
    const std::pair<const char*, QSize> sizes[] = {
        {"FonG", {760, 500}},      {"FonGB", {1920, 922}},     {"TabloSm", {155, 95}},
        {"TabloBg", {310, 190}},   {"Hand_Up", {40, 60}},      {"Hand_Down", {40, 60}},
        {"GBarrel", {42, 60}},     {"GBolt", {32, 60}},        {"RamkaBBSm", {120, 150}},
        {"RamkaBBBg", {240, 300}}, {"SPBlue", {160, 20}},      {"SPYellowB", {320, 40}},
        {"GTimerY", {50, 50}},     {"GTimerR", {50, 50}},      {"Cher", {20, 20}},
        {"PikiB", {40, 40}},       {"ImageList3_0", {20, 30}}, {"Ob01Mo", {69, 94}},
        {"Ob07SuB", {146, 198}},   {"Ch09", {69, 94}},         {"Pi5AB", {146, 198}},
        {"CurHand", {32, 32}}};
    for (const auto& [name, size] : sizes) EXPECT_EQ(store.picture(name).size(), size) << name;
    EXPECT_TRUE(store.picture("NoSuchPicture").isNull());

    // Faces: all different; the index corner is red for hearts and diamonds, dark otherwise.
    std::set<QByteArray> distinct;
    for (Card c : referenceDeck()) {
        const QImage face = store.picture(faceName(c) + "B").convertToFormat(QImage::Format_ARGB32);
        distinct.insert(QByteArray(reinterpret_cast<const char*>(face.constBits()), face.sizeInBytes()));
        int red = 0, dark = 0;
        for (int y = 4; y < 60; ++y)
            for (int x = 4; x < 44; ++x) {
                red += isRed(face.pixel(x, y));
                dark += isDark(face.pixel(x, y));
            }
        if (c.suit == kHearts || c.suit == kDiamonds) {
            EXPECT_GT(red, 30) << toLatin(c);
            EXPECT_EQ(dark, 0) << toLatin(c);
        } else {
            EXPECT_GT(dark, 30) << toLatin(c);
        }
    }
    EXPECT_EQ(distinct.size(), 24u);
    EXPECT_EQ(faceName(*parseCard("Tc")), "Kr10");
    EXPECT_EQ(faceName(*parseCard("As")), "Pi5A");
    // Backs differ from each other; the cloth is not flat.
    std::set<QByteArray> backs;
    for (const char* b : {"Ob01Mo", "Ob02Tu", "Ob03We", "Ob04Th", "Ob05Fr", "Ob06Su", "Ob07Su"}) {
        const QImage back = store.picture(b);
        backs.insert(QByteArray(reinterpret_cast<const char*>(back.constBits()), back.sizeInBytes()));
    }
    EXPECT_EQ(backs.size(), 7u);
    const QImage cloth = store.picture("FonG");
    EXPECT_NE(cloth.pixel(10, 10), cloth.pixel(380, 250));
}

TEST(Pictures, AMissingLibraryGivesTheBuiltInSetAndOneMessage) {
    App app;
    std::vector<QString> messages;
    PictureStore store({"/nonexistent"}, [&](const QString& m) { messages.push_back(m); });
    Settings s;
    s.CardFaceSet = 35;
    EXPECT_FALSE(store.LoadCardFaces(s, PictureKind::Png));
    EXPECT_EQ(s.CardFaceSet, 0);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].endsWith(" ZorCards06B.dll")) << messages[0].toStdString();
    EXPECT_EQ(store.FaceOf(*parseCard("Qh")).size(), QSize(146, 198));
    EXPECT_TRUE(store.FaceOf(EmptyCard).isNull());
    s.BackgroundTexture = 5;
    s.BackgroundColour = 3;
    messages.clear();
    EXPECT_FALSE(store.LoadBackground(s, 3, 990, 650));
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(s.BackgroundTexture, 2);
    EXPECT_EQ(store.background().size(), QSize(990, 650));
    EXPECT_EQ(faceLibrary(31), "ZorCards06A.dll");
    EXPECT_EQ(faceLibrary(40), "ZorCards06C.dll");
    EXPECT_TRUE(isWideFaceSet(45));
    EXPECT_FALSE(isWideFaceSet(30));
    // The back of the day, or the seventh when fixed.
    s.DeckBackFixed = true;
    store.ChooseDeckBack(s, 2);
    EXPECT_EQ(store.back(), store.picture("Ob07SuB"));
}

class Drawn : public ::testing::Test {
protected:
    App app;
    PictureStore store;
    TableView view{store};
    void size(int windowSize) {
        Settings s;
        s.WindowSize = windowSize;
        view.applyWindowSize(s, QSize(1920, 1080));
    }
};

TEST_F(Drawn, ABitmapCardHasAnOutlineWithOpenCorners) {
    size(1);
    const Place talon{Place::Kind::Talon, 1};
    view.drawAt(talon, *parseCard("Kd"));
    const QPoint o = view.placePoint(talon);
    const QImage& c = view.canvas();
    EXPECT_EQ(c.pixel(o), view.background().pixel(o));  // the corner pixel stays open
    EXPECT_EQ(c.pixel(o + QPoint(1, 0)), qRgb(0, 0, 0));
    EXPECT_EQ(c.pixel(o + QPoint(1, 1)), qRgb(0, 0, 0));  // one step inside the corner
    EXPECT_EQ(c.pixel(o + QPoint(70, 95)), view.background().pixel(o + QPoint(70, 95)));
    view.clearAt(talon);
    EXPECT_EQ(c.pixel(o + QPoint(35, 48)), view.background().pixel(o + QPoint(35, 48)));
}

TEST_F(Drawn, AMarkDrawnTwiceGivesBackThePixelsAndKeepsRoundedCorners) {
    size(3);
    HandArray hand;
    int n = 0;
    for (const char* name : {"9h", "Qh", "Ac", "Td", "Ks"}) hand[++n] = *parseCard(name);
    view.drawHand(3, hand, n, true);
    const QImage before = view.canvas().copy();
    view.markCard(2);
    const QRect strip = view.markStrip(2);
    EXPECT_NE(view.canvas().pixel(strip.center()), before.pixel(strip.center()));
    EXPECT_EQ(view.canvas().pixel(strip.topLeft()), before.pixel(strip.topLeft()));  // rounded
    EXPECT_EQ(view.canvas().pixel(strip.right() + 3, strip.center().y()),
              before.pixel(strip.right() + 3, strip.center().y()));  // the next card is untouched
    view.markCard(2);
    EXPECT_EQ(view.canvas(), before);
}

TEST_F(Drawn, ScoreboardCommandsBarrelBoltsAndTheEndOfGame) {
    size(1);
    RuleSettings rules;
    view.setRules(rules);
    TableView::BoardFacts f;
    f.gameState = 13;
    f.score = 500;
    view.scoreboard(1, true, 40, 500, 120, true, f);
    const QImage before = view.canvas().copy();
    // Everything left as it is but the turn mark, which is removed.
    view.scoreboard(1, false, -20000, -20000, -20000, false, f);
    int changed = 0, outsideMark = 0;
    const QRect mark(88 + 15, 140 + 50, 35, 31);
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            if (view.canvas().pixel(x, y) != before.pixel(x, y)) {
                ++changed;
                if (!mark.contains(x, y)) ++outsideMark;
            }
    EXPECT_GT(changed, 0);
    EXPECT_EQ(outsideMark, 0);
    // The barrel shows at 120, not at 121; bolts only with their rule.
    auto countIn = [&](const QRect& r, auto pred) {
        int k = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) k += pred(view.canvas().pixel(x, y));
        return k;
    };
    const QRect barrel(88 + 20, 140 + 17, 17, 24);
    auto brown = [](QRgb c) { return qRed(c) > qBlue(c) + 40 && qGreen(c) < qRed(c); };
    f.score = 121;
    view.scoreboard(1, false, 0, 121, -10000, true, f);
    const int without = countIn(barrel, brown);
    f.score = 120;
    view.scoreboard(1, false, 0, 120, -10000, true, f);
    EXPECT_GT(countIn(barrel, brown), without + 50);
    const QRect bolt(88 + 115, 140 + 17, 13, 24);
    auto yellow = [](QRgb c) { return qRed(c) > 200 && qGreen(c) > 150 && qBlue(c) < 80; };
    f.boltCount = 2;
    view.scoreboard(1, false, 0, 120, -10000, true, f);
    EXPECT_GT(countIn(bolt, yellow), 20);
    rules.RuleBolts = false;
    view.setRules(rules);
    view.scoreboard(1, false, 0, 120, -10000, true, f);
    EXPECT_EQ(countIn(bolt, yellow), 0);
    // At the game's end the figures are red.
    f.gameState = 15;
    f.someScoreBelowOne = true;
    view.scoreboard(1, false, 150, 0, -10000, true, f);
    auto pureRed = [](QRgb c) { return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60; };
    EXPECT_GT(countIn(QRect(88 + 15, 140 + 15, 125, 31), pureRed), 20);
}

}  // namespace
}  // namespace orvala::table
