// The table drawn: seat panels, the deal-information panel, bubbles and hands, checked by their
// pixels on the canvas.

#include "table/table_view.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QTemporaryDir>
#include <functional>
#include <optional>

#include "core/cards/card.h"
#include "core/lang/word_table.h"
#include "table/fonts.h"

namespace orvala::table {
namespace {

// What a panel shows, as one whole call would draw it.
struct Shown {
    bool mark = false;
    std::optional<int> dealPoints, score, bid;
    bool finalColours = false, barrel = false;
    int bolts = 0;

    PanelUpdate whole() const {
        PanelUpdate u;
        u.redrawPanel = true;
        u.turnMark = mark;
        u.dealPoints = dealPoints ? PanelNumber::show(*dealPoints) : PanelNumber::erase();
        u.score = score ? PanelNumber::show(*score) : PanelNumber::erase();
        u.bid = bid ? PanelNumber::show(*bid) : PanelNumber::erase();
        u.finalColours = finalColours;
        u.barrel = barrel;
        u.bolts = bolts;
        return u;
    }
};

QRect panelRect(const TableView& v, int seat) {
    const IRect r = layoutFor(v.scales(), CardSize{}).panel[seat];
    return QRect(r.left, r.top, r.width, r.height);
}

class View : public ::testing::Test {
  protected:
    PictureStore store;
    TableView view{store};
    TableView reference{store};
    Settings settings;

    void size(int windowSize) {
        settings.WindowSize = windowSize;
        view.applyWindowSize(settings, QSize(1920, 1080));
        reference.applyWindowSize(settings, QSize(1920, 1080));
    }
    // The panel as one whole call draws it on a bare table.
    QImage cleanPanel(int seat, const Shown& shown) {
        reference.clearAll();
        reference.scoreboard(seat, shown.whole());
        return reference.canvas().copy(panelRect(reference, seat));
    }
    // The bounds of the pixels in r that pass a test.
    template <class Pred>
    QRect inkIn(const QRect& r, Pred pred) const {
        QRect ink;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (pred(view.canvas().pixel(x, y))) ink |= QRect(x, y, 1, 1);
        return ink;
    }
};

bool white(QRgb c) {
    return qRed(c) > 235 && qGreen(c) > 235 && qBlue(c) > 235;
}

TEST_F(View, BubbleTextIsMeasuredInTheRegularWeightAndDrawnInBold) {
    size(1);
    const QFont regular = slotFont(settings, 18, "serif");
    const QFont bold = slotFont(settings, 18, "serif", true);
    // A name that fits 150 pixels in the regular weight, but not in bold: it keeps size 18 (and
    // fits the bubble as it is).
    QString name = "Anna";
    for (const QString more : {"n", "i", "l"})
        while (QFontMetrics(regular).horizontalAdvance(name + more) <= 150 &&
               QFontMetrics(bold).horizontalAdvance(name + more) <= 154)
            name += more;
    ASSERT_GT(QFontMetrics(bold).horizontalAdvance(name), 150);
    view.speech(1, name, 'y');
    const QRect bubble(85, 115, 160, 20);
    // The yellow bubble has little blue; the white letters, edges and all, have much.
    const QRect ink = inkIn(bubble, [](QRgb c) { return qBlue(c) > 150; });
    const int at16 = QFontMetrics(slotFont(settings, 16, "serif", true)).horizontalAdvance(name);
    EXPECT_GT(ink.width(), at16);
    EXPECT_GE(ink.left(), bubble.left());
    EXPECT_LE(ink.right(), bubble.right());
}

TEST_F(View, APanelRemembersWhatItShowsAndGivesBackWhatAnErasedAreaCovered) {
    for (int windowSize : {1, 3}) {
        size(windowSize);
        Shown shown;
        shown.mark = true;
        shown.dealPoints = 0;
        shown.score = 100;
        shown.barrel = true;
        shown.bolts = 2;
        view.scoreboard(2, shown.whole());
        // After each step the panel must look as if drawn whole with the result. The deal-points
        // area covers the barrel and most of the bolt, which must come back; a mark left as it is
        // is neither erased nor drawn (the declarer's at the contract, the leader's at a
        // marriage).
        const std::vector<std::function<void(PanelUpdate&, Shown&)>> steps = {
            [](PanelUpdate& u, Shown& s) {
                u.dealPoints = PanelNumber::show(*(s.dealPoints = 35));
            },
            [](PanelUpdate& u, Shown& s) {
                u.dealPoints = PanelNumber::erase();
                s.dealPoints.reset();
            },
            [](PanelUpdate& u, Shown& s) { u.bid = PanelNumber::show(*(s.bid = 120)); },
            [](PanelUpdate& u, Shown& s) { u.score = PanelNumber::show(*(s.score = -40)); },
            [](PanelUpdate& u, Shown& s) { u.barrel = s.barrel = false; },
            // The contract announced: drawn whole, the mark left as it is, so kept.
            [](PanelUpdate& u, Shown& s) {
                u = s.whole();
                u.turnMark.reset();
                u.bid = PanelNumber::show(*(s.bid = 110));
            },
            [](PanelUpdate& u, Shown& s) { u.bolts = s.bolts = 1; },
            [](PanelUpdate& u, Shown& s) {
                u.dealPoints = PanelNumber::show(*(s.dealPoints = 85));
            },
            [](PanelUpdate& u, Shown& s) {
                u.bid = PanelNumber::erase();
                s.bid.reset();
                u.bolts = s.bolts = 0;
            },
            // Without a mark, leaving it as it is draws none.
            [](PanelUpdate& u, Shown& s) { u.turnMark = s.mark = false; },
            [](PanelUpdate& u, Shown& s) {
                u = s.whole();
                u.turnMark.reset();
            },
            [](PanelUpdate& u, Shown& s) {
                u.dealPoints = PanelNumber::show(*(s.dealPoints = 150));
                u.finalColours = s.finalColours = true;
            },
        };
        for (size_t i = 0; i < steps.size(); ++i) {
            PanelUpdate u;
            steps[i](u, shown);
            view.scoreboard(2, u);
            EXPECT_EQ(view.canvas().copy(panelRect(view, 2)), cleanPanel(2, shown))
                << "size " << windowSize << " step " << i;
        }
        // A call that changes nothing leaves every pixel as it was.
        const QImage before = view.canvas().copy();
        view.scoreboard(2, PanelUpdate{});
        EXPECT_EQ(view.canvas(), before);
    }
}

TEST_F(View, MovingTheMarkLeavesNothingBehindAtAnySize) {
    for (int windowSize : {1, 2, 3, 5}) {
        size(windowSize);
        for (int seat = 1; seat <= 3; ++seat) {
            Shown shown;
            shown.mark = true;
            shown.dealPoints = 0;
            shown.score = 500;
            view.scoreboard(seat, shown.whole());
            PanelUpdate unmark;
            unmark.turnMark = shown.mark = false;
            view.scoreboard(seat, unmark);
            EXPECT_EQ(view.canvas().copy(panelRect(view, seat)), cleanPanel(seat, shown))
                << "size " << windowSize << " seat " << seat;
        }
    }
}

// A store whose background library holds a purple cloth for the smallest window.
struct PurpleCloth {
    QTemporaryDir dir;
    PictureStore store{{dir.path()}};
    QImage cloth{760, 500, QImage::Format_RGB32};

    PurpleCloth() {
        QFile(QDir(dir.path()).filePath("ZorBackG03.dll")).open(QIODevice::WriteOnly);
        cloth.fill(QColor(120, 60, 160));
        store.setLibraryOpener([this](const QString&) -> std::unique_ptr<PictureSource> {
            struct Source : PictureSource {
                QImage cloth;
                QImage picture(const QString& name) const override {
                    return name == "Fon03Gr" ? cloth : QImage();
                }
            };
            auto source = std::make_unique<Source>();
            source->cloth = cloth;
            return source;
        });
    }
};

TEST(Cloth, ThePanelsOfTheSmallestWindowShowTheClothAtTheirCorners) {
    PurpleCloth purple;
    TableView view(purple.store);
    Settings s;
    s.BackgroundTexture = 3;
    s.BackgroundColour = 0;
    view.applyWindowSize(s, QSize(1920, 1080));
    ASSERT_EQ(view.background().pixel(5, 5), qRgb(120, 60, 160));
    Shown shown;
    shown.dealPoints = 0;
    shown.score = 500;
    for (int seat = 1; seat <= 3; ++seat) view.scoreboard(seat, shown.whole());
    view.dealInfo(3, kNoSuit);  // the trump line would be green
    const TableLayout layout = layoutFor(view.scales(), CardSize{});
    for (const IRect& p : {layout.panel[1], layout.panel[2], layout.panel[3], layout.dealInfo}) {
        const QRect r(p.left, p.top, p.width, p.height);
        for (const QPoint corner : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()})
            EXPECT_EQ(view.canvas().pixel(corner), qRgb(120, 60, 160));
        // Nothing of the green cloth the pictures were drawn for, not even at the frame's edge.
        int green = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                const QRgb c = view.canvas().pixel(x, y);
                green += qGreen(c) > qRed(c) + 20 && qGreen(c) > qBlue(c) + 20;
            }
        EXPECT_EQ(green, 0) << r.left() << "," << r.top();
    }
}

TEST_F(View, TheThinkingBarFillsAsTheChoiceGoesOnAndLeavesThePanelAsItWas) {
    for (int windowSize : {1, 3}) {
        size(windowSize);
        view.dealInfo(4, kSpades);
        reference.dealInfo(4, kSpades);
        const IRect d = layoutFor(view.scales(), CardSize{}).dealInfo;
        auto px = [&](int v) { return mapLength(view.scales(), v); };
        const QRect bar(d.left + px(20), d.top + px(117), px(100) - px(20), px(132) - px(117));
        auto at = [&](int designX, int row) {
            return view.canvas().pixel(d.left + px(designX), bar.top() + row);
        };
        for (int percent : {0, 50, 100, 25}) {
            view.thinkingBar(percent);
            // A dark red outline on pale yellow, filled pale red from the left; the figure red.
            EXPECT_EQ(view.canvas().pixel(bar.left(), bar.center().y()), qRgb(128, 0, 0));
            EXPECT_EQ(view.canvas().pixel(bar.right(), bar.center().y()), qRgb(128, 0, 0));
            EXPECT_EQ(view.canvas().pixel(bar.center().x(), bar.bottom()), qRgb(128, 0, 0));
            EXPECT_EQ(at(22, 2), percent >= 3 ? qRgb(255, 200, 200) : qRgb(255, 255, 200))
                << percent;
            EXPECT_EQ(at(97, 2), percent == 100 ? qRgb(255, 200, 200) : qRgb(255, 255, 200))
                << percent;
            const int doneEdge = 20 + (percent * 80 + 50) / 100;
            if (percent > 0 && percent < 100) {
                EXPECT_EQ(at(doneEdge - 1, 2), qRgb(255, 200, 200)) << percent;
                EXPECT_EQ(at(doneEdge + 1, 2), qRgb(255, 255, 200)) << percent;
            }
            int red = 0;
            for (int y = bar.top(); y <= bar.bottom(); ++y)
                for (int x = bar.left(); x <= bar.right(); ++x)
                    red += qRed(view.canvas().pixel(x, y)) > 200 &&
                           qGreen(view.canvas().pixel(x, y)) < 120;
            EXPECT_GT(red, 10) << percent;
        }
        // Done: the panel as it was, the foot of the trump symbol included.
        view.thinkingBar(-1);
        EXPECT_EQ(view.canvas(), reference.canvas()) << windowSize;
    }
}

TEST_F(View, TextsStayInsideTheirBoxesInEveryLanguageAndFontScale) {
    for (int scale : {100, 150}) {
        settings.FontScale = {scale, scale, scale, scale};
        size(1);
        // The round label and the trump label inside the panel's frame, nothing beside it.
        const IRect d = layoutFor(view.scales(), CardSize{}).dealInfo;
        const QRect panel(d.left, d.top, d.width, d.height);
        const QRect inside = panel.adjusted(6, 0, -6, 0);
        const QRect band(panel.left() - 30, panel.top(), panel.width() + 60, panel.height());
        auto blue = [](QRgb c) { return qBlue(c) > 150 && qRed(c) < 120; };
        auto green = [](QRgb c) { return qGreen(c) > 90 && qRed(c) < 90 && qBlue(c) < 90; };
        for (int language : {1, 4, 8, 0}) {
            setCurrentLanguage(language);
            for (int deal : {2, 25}) {
                view.dealInfo(deal, kClubs);
                const QRect round = inkIn(panel.adjusted(0, 0, 0, -panel.height() * 2 / 3), blue);
                const QRect trump = inkIn(panel.adjusted(0, 45, 0, -70), green);
                ASSERT_FALSE(round.isEmpty() || trump.isEmpty()) << language;
                EXPECT_TRUE(inside.contains(round)) << language << " " << deal << " " << scale;
                EXPECT_TRUE(inside.contains(trump)) << language << " " << scale;
                int beside = 0;
                for (int y = band.top(); y <= band.bottom(); ++y)
                    for (int x = band.left(); x <= band.right(); ++x)
                        beside += !panel.contains(x, y) &&
                                  view.canvas().pixel(x, y) != view.background().pixel(x, y);
                EXPECT_EQ(beside, 0) << language << " " << deal << " " << scale;
            }
        }
        setCurrentLanguage(0);
        // A long name in a bubble: smaller than 14, but inside the bubble.
        view.speech(3, QString::fromUtf8("Константин Константинопольский-Старший"), 'b');
        const QRect bubble(300, 370, 160, 20);
        const QRect name = inkIn(bubble.adjusted(-30, 0, 30, 0), white);
        ASSERT_FALSE(name.isEmpty());
        EXPECT_TRUE(bubble.adjusted(2, 0, -2, 0).contains(name)) << scale;
        // The panel's figures in their areas.
        Shown shown;
        shown.dealPoints = -1000;
        shown.score = 1000;
        shown.bid = 300;
        shown.bolts = 2;
        view.scoreboard(1, shown.whole());
        const QRect seat1 = panelRect(view, 1);
        auto area = [&](int l, int t, int r, int b) {
            return QRect(seat1.left() + l, seat1.top() + t, r - l, b - t);
        };
        auto magenta = [](QRgb c) { return qRed(c) > 200 && qBlue(c) > 200 && qGreen(c) < 120; };
        auto blueInk = [](QRgb c) { return qBlue(c) > 200 && qRed(c) < 120 && qGreen(c) < 120; };
        auto navy = [](QRgb c) { return qBlue(c) > 90 && qRed(c) < 60 && qGreen(c) < 60; };
        EXPECT_TRUE(area(15, 10, 140, 48).contains(inkIn(seat1, magenta))) << scale;
        EXPECT_TRUE(area(55, 48, 100, 95).contains(inkIn(area(0, 48, 104, 95), blueInk))) << scale;
        EXPECT_TRUE(area(105, 48, 140, 95).contains(inkIn(area(102, 48, 155, 95), navy))) << scale;
    }
}

TEST_F(View, ACardThatMayNotBePlayedShakesAndComesBackToItsPlace) {
    EXPECT_EQ(shakeOffsets(scalesFor(1, 0, 0)), (std::vector<int>{4, -4, 2, -2, 0}));
    EXPECT_EQ(shakeOffsets(scalesFor(3, 0, 0)), (std::vector<int>{5, -5, 3, -3, 0}));
    EXPECT_EQ(shakeOffsets(scalesFor(5, 0, 0)), (std::vector<int>{8, -8, 4, -4, 0}));
    size(1);
    HandArray hand;
    int n = 0;
    for (const char* name : {"9h", "Qs", "Ad"}) hand[++n] = *parseCard(name);
    view.drawHand(3, hand, n, true);
    const QImage before = view.canvas().copy();
    const QRect card = view.cardRect(3, 2);
    const int y = card.center().y();
    for (int dx : shakeOffsets(view.scales())) {
        view.shakeCard(2, dx);
        const QImage& now = view.canvas();
        // The card's black outline stands dx pixels beside its place.
        EXPECT_EQ(now.pixel(card.left() + dx, y), qRgb(0, 0, 0)) << dx;
        if (dx > 0) {  // the cloth where it was
            EXPECT_EQ(now.pixel(card.left(), y), view.background().pixel(card.left(), y)) << dx;
        }
        // Nothing changes beyond the card and its shift.
        const QRect moved = card.adjusted(-std::abs(dx), 0, std::abs(dx), 0);
        int elsewhere = 0;
        for (int yy = 0; yy < now.height(); ++yy)
            for (int x = 0; x < now.width(); ++x)
                elsewhere += !moved.contains(x, yy) && now.pixel(x, yy) != before.pixel(x, yy);
        EXPECT_EQ(elsewhere, 0) << dx;
    }
    EXPECT_EQ(view.canvas(), before);  // the last frame puts it back
}

// A card leaving a hand flies from where it lay in the hand as drawn, at every size.
TEST_F(View, ACardLeavesTheHandFromItsOwnSlot) {
    for (int windowSize : {1, 4}) {
        size(windowSize);
        HandArray hand;
        int n = 0;
        for (const char* name : {"9h", "Qs", "Ad", "Tc", "Kd", "Jh", "As"})
            hand[++n] = *parseCard(name);
        for (int seat : {1, 3}) {
            view.drawHand(seat, hand, n, true);
            for (int slot : {1, 4, 7})
                EXPECT_EQ(view.placePoint(Place{Place::Kind::Hand, seat, slot, n}),
                          view.cardRect(seat, slot).topLeft())
                    << windowSize << " " << seat << " " << slot;
        }
        // A place without its slot stands for the hand as a whole: its middle.
        const QPoint whole = view.placePoint(Place{Place::Kind::Hand, 3});
        EXPECT_GT(whole.x(), view.cardRect(3, 1).left());
        EXPECT_LT(whole.x(), view.cardRect(3, 7).left());
    }
}

}  // namespace
}  // namespace orvala::table
