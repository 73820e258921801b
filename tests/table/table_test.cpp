// The table's geometry: window sizes, the design-space mapping, card sizes, the layout, hands and
// hit-testing, flights and their pacing.

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>

#include "table/fonts.h"
#include "table/panel_hints.h"
#include "table/settings_text.h"
#include "table/smooth_resize.h"
#include "table/table_geometry.h"

namespace orvala::table {
namespace {

TEST(Geometry, WindowSizesAndTheMappingKeepElementsOnTheirDesignCentre) {
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(-0.5), 0);
    const Scales full = scalesFor(2, 1920, 1080);
    EXPECT_NEAR(full.xs, 2.526, 0.001);
    EXPECT_DOUBLE_EQ(full.ys, 2.16);
    EXPECT_DOUBLE_EQ(full.s, 2.16);
    const CardSize big = cardSizeFor(full.s);
    EXPECT_EQ(big.cw, 146);
    EXPECT_EQ(big.ch, 198);
    EXPECT_EQ(big.kind, 2);
    // The table centre stays centred on its design centre scaled by xs and ys.
    const IRect c = mapRect(full, 269, 160, 222, 200);
    EXPECT_NEAR(c.left + c.width / 2.0, full.xs * (269 + 111), 1.0);
    EXPECT_NEAR(c.top + c.height / 2.0, full.ys * (160 + 100), 1.0);
    const CardSize average = cardSizeFor(scalesFor(3, 0, 0).s);
    EXPECT_EQ(average.cw, 92);
    EXPECT_EQ(average.ch, 125);
    EXPECT_EQ(average.kind, 0);
    const CardSize small = cardSizeFor(scalesFor(1, 0, 0).s);
    EXPECT_EQ(small.cw, 71);
    EXPECT_EQ(small.kind, 1);
    // Every image of every size lies inside its window.
    for (int size = 1; size <= 5; ++size) {
        const Scales sc = scalesFor(size, 1920, 1080);
        const TableLayout t = layoutFor(sc, cardSizeFor(sc.s));
        auto inside = [&](const IRect& r) {
            return r.left >= 0 && r.top >= 0 && r.left + r.width <= sc.width &&
                   r.top + r.height <= sc.height;
        };
        for (int s = 1; s <= 3; ++s) {
            EXPECT_TRUE(inside(t.hand[s])) << size << " hand " << s;
            EXPECT_TRUE(inside(t.panel[s])) << size;
            EXPECT_TRUE(inside(t.bubble[s])) << size;
        }
        EXPECT_TRUE(inside(t.centre) && inside(t.dealInfo) && inside(t.memo)) << size;
        // Trick and talon cards stay inside the table centre.
        const CardSize card = cardSizeFor(sc.s);
        for (int i = 1; i <= 3; ++i)
            EXPECT_LE(t.talon[i].x + card.cw, t.centre.left + t.centre.width + 2) << size;
    }
}

TEST(Geometry, ASizeTheScreenCannotHoldIsNotOfferedAndTheLargestThatFitsStandsIn) {
    auto offered = [](int w, int h) {
        std::vector<int> sizes;
        for (int size = 1; size <= 5; ++size)
            if (windowSizeFits(size, w, h)) sizes.push_back(size);
        return sizes;
    };
    EXPECT_EQ(offered(1920, 1040), (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(offered(1280, 1024), (std::vector<int>{1, 2, 3}));  // three items in the list
    EXPECT_EQ(offered(1519, 1200), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(offered(1600, 1019), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(offered(1366, 728), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(offered(800, 600), (std::vector<int>{1, 2}));
    EXPECT_FALSE(windowSizeFits(0, 4000, 4000));
    EXPECT_FALSE(windowSizeFits(6, 4000, 4000));
    // A size that fits is kept; one that does not gives way to the largest fixed size that does.
    EXPECT_EQ(fittingWindowSize(5, 1920, 1040), 5);
    EXPECT_EQ(fittingWindowSize(5, 1366, 728), 3);
    EXPECT_EQ(fittingWindowSize(5, 1400, 900), 4);
    EXPECT_EQ(fittingWindowSize(4, 1280, 1024), 3);
    EXPECT_EQ(fittingWindowSize(4, 800, 600), 1);
    EXPECT_EQ(fittingWindowSize(3, 800, 600), 1);
    EXPECT_EQ(fittingWindowSize(2, 800, 600), 2);
    EXPECT_EQ(fittingWindowSize(1, 100, 100), 1);
    EXPECT_EQ(fittingWindowSize(9, 1920, 1040), 1);
}

TEST(Geometry, NarrowCardsAreNarrowerAboveTheSmallestSizeAndShiftTheCentreCards) {
    // At the smallest size narrow sets still give full-width bitmap cards, and nothing moves.
    const Scales small = scalesFor(1, 1920, 1080);
    const CardSize smallNarrow = cardSizeFor(small.s, false);
    EXPECT_EQ(smallNarrow.cw, 71);
    EXPECT_EQ(smallNarrow.ch, 96);
    const TableLayout wide1 = layoutFor(small, cardSizeFor(small.s));
    const TableLayout narrow1 = layoutFor(small, smallNarrow);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(narrow1.trick[i].x, wide1.trick[i].x);
        EXPECT_EQ(narrow1.talon[i].x, wide1.talon[i].x);
    }
    // At s = 1.3 a narrow card is round(61 * 1.3) = 79 wide; at s >= 2 it is 126.
    const Scales average = scalesFor(3, 1920, 1080);
    EXPECT_EQ(cardSizeFor(average.s, false).cw, 79);
    EXPECT_EQ(cardSizeFor(average.s, false).ch, 125);
    EXPECT_EQ(cardSizeFor(2.16, false).cw, 126);
    EXPECT_EQ(cardSizeFor(2.16, false).ch, 198);
    // Everywhere else the trick and talon cards move 5 pixels right, and only sideways.
    for (int size = 2; size <= 5; ++size) {
        const Scales sc = scalesFor(size, 1920, 1080);
        const TableLayout wide = layoutFor(sc, cardSizeFor(sc.s, true));
        const TableLayout narrow = layoutFor(sc, cardSizeFor(sc.s, false));
        for (int i = 1; i <= 3; ++i) {
            EXPECT_EQ(narrow.trick[i].x, wide.trick[i].x + 5) << size;
            EXPECT_EQ(narrow.trick[i].y, wide.trick[i].y) << size;
            EXPECT_EQ(narrow.talon[i].x, wide.talon[i].x + 5) << size;
        }
        EXPECT_EQ(narrow.hand[3].left, wide.hand[3].left) << size;
    }
}

TEST(Geometry, HandsOverlapOrSpreadAndThePointerFindsTheVisibleStrip) {
    // Ten cards in the person's 460-wide hand at s = 1 overlap with a step of 42.
    const auto ten = handPositions(460, 10, 71);
    ASSERT_EQ(ten.size(), 10u);
    EXPECT_EQ(ten[0], 0);
    EXPECT_EQ(ten[1], 42);
    EXPECT_EQ(ten[9], 9 * 42);
    // Three cards are spaced 74 apart and centred.
    const auto three = handPositions(460, 3, 71);
    EXPECT_EQ(three[1] - three[0], 74);
    EXPECT_EQ(three[0], 230 - 111);
    EXPECT_EQ(cardUnderPointer(ten, 71, 0), 1);
    EXPECT_EQ(cardUnderPointer(ten, 71, 41), 1);  // the uncovered strip of an overlapped card
    EXPECT_EQ(cardUnderPointer(ten, 71, 42), 2);
    EXPECT_EQ(cardUnderPointer(ten, 71, 9 * 42 + 70), 10);  // the last card's full width
    EXPECT_EQ(cardUnderPointer(ten, 71, 9 * 42 + 71), 0);
    EXPECT_EQ(cardUnderPointer(three, 71, three[0] + 72), 1);  // the gap after a card is its own
    EXPECT_EQ(cardUnderPointer(three, 71, three[0] - 1), 0);
    EXPECT_EQ(cardUnderPointer({}, 71, 5), 0);
}

TEST(Geometry, FlightsMoveAPixelAStepAndPauseBySpeed) {
    const auto path = flightPath({10, 20}, {110, 45});
    ASSERT_EQ(path.size(), 101u);
    EXPECT_EQ(path.front().x, 10);
    EXPECT_EQ(path.back().x, 110);
    EXPECT_EQ(path.back().y, 45);
    for (size_t i = 1; i < path.size(); ++i) {
        EXPECT_EQ(path[i].x - path[i - 1].x, 1);
        EXPECT_GE(path[i].y, path[i - 1].y);
    }
    EXPECT_EQ(flightPath({5, 5}, {5, 5}).size(), 1u);
    FlightPacer pacer;
    EXPECT_EQ(pacer.pauseAfterStep(1), 2);
    EXPECT_EQ(pacer.pauseAfterStep(2), 1);
    // Speed 3 pauses after every second step, and the count carries over between flights.
    int total = 0;
    for (int i = 0; i < 5; ++i) total += pacer.pauseAfterStep(3);
    for (int i = 0; i < 5; ++i) total += pacer.pauseAfterStep(3);
    EXPECT_EQ(total, 5);
    FlightPacer fourth;
    total = 0;
    for (int i = 0; i < 9; ++i) total += fourth.pauseAfterStep(4);
    EXPECT_EQ(total, 3);
    EXPECT_EQ(fourth.pauseAfterStep(6), 0);
}

TEST(SmoothResize, BilinearAgainstHandComputedPixels) {
    // 2 x 2 -> 3 x 3. Source points for x = 0, 1, 2 are 0, 1/3, 2/3 (old width - 1 = 1).
    QImage img(2, 2, QImage::Format_ARGB32);
    img.setPixel(0, 0, qRgba(0, 0, 0, 0));
    img.setPixel(1, 0, qRgba(90, 30, 0, 255));
    img.setPixel(0, 1, qRgba(0, 60, 150, 255));
    img.setPixel(1, 1, qRgba(255, 255, 255, 255));
    ASSERT_EQ(SmoothResize(img, 3, 3), std::nullopt);
    ASSERT_EQ(img.size(), QSize(3, 3));
    EXPECT_EQ(img.pixel(0, 0), qRgba(0, 0, 0, 0));
    // (1, 0): 2/3 of (0,0) and 1/3 of (1,0): red 30, green 10, alpha 85.
    EXPECT_EQ(img.pixel(1, 0), qRgba(30, 10, 0, 85));
    // (2, 2): fx = fy = 2/3: weights 1/9, 2/9, 2/9, 4/9.
    // red (0 + 2*90 + 0 + 4*255) / 9 = 133.3; green (2*30 + 2*60 + 4*255) / 9 = 133.3;
    // blue (2*150 + 4*255) / 9 = 146.7; alpha (2*255 + 2*255 + 4*255) / 9 = 226.7.
    EXPECT_EQ(img.pixel(2, 2), qRgba(133, 133, 147, 227));

    QImage rgb(2, 2, QImage::Format_RGB32);
    rgb.fill(qRgb(10, 20, 30));
    ASSERT_EQ(SmoothResize(rgb, 4, 5), std::nullopt);
    EXPECT_EQ(rgb.format(), QImage::Format_RGB32);
    EXPECT_EQ(rgb.pixel(3, 4), qRgb(10, 20, 30));
    // Sizes of 1 or less change nothing; other colour types are refused.
    QImage line(1, 5, QImage::Format_ARGB32);
    EXPECT_EQ(SmoothResize(line, 3, 3), std::nullopt);
    EXPECT_EQ(line.size(), QSize(1, 5));
    EXPECT_EQ(SmoothResize(rgb, 1, 9), std::nullopt);
    EXPECT_EQ(rgb.size(), QSize(4, 5));
    QImage grey(4, 4, QImage::Format_Grayscale8);
    EXPECT_EQ(SmoothResize(grey, 8, 8), QString(kSmoothResizeError));
    EXPECT_EQ(grey.size(), QSize(4, 4));
}

TEST(Panels, HintsByPlaceAndFontSlotsByKeyword) {
    EXPECT_EQ(seatPanelHint(70, 10, GameState::PersonPlays, false), WordRow::PointsOfCurrentRound);
    EXPECT_EQ(seatPanelHint(60, 60, GameState::Seat1Bids, false), WordRow::Numbers);
    EXPECT_EQ(seatPanelHint(120, 60, GameState::ContractSet, true), WordRow::TheOrderedGame);
    EXPECT_EQ(seatPanelHint(120, 60, GameState::ContractSet, false), std::nullopt);  // the auction goes on
    EXPECT_EQ(seatPanelHint(120, 60, GameState::DealScored, true), std::nullopt);  // the deal is over
    EXPECT_EQ(seatPanelHint(20, 39.5, GameState::ContractSet, true), std::nullopt);  // between the areas

    Settings s;
    s.FontScale = {100, 150, 50, 100};
    EXPECT_EQ(FontHeight(s, 30, "decor"), 30);
    EXPECT_EQ(FontHeight(s, 18, "serif"), 27);
    EXPECT_EQ(FontHeight(s, 5, "fixed"), 2);  // 2.5 rounds to even
    EXPECT_EQ(fontFamilies("Comic Sans MS").front(), "Andika");
    EXPECT_EQ(fontFamilies("FixedSys").front(), "DejaVu Sans Mono");
    EXPECT_EQ(fontFamilies("Arial").front(), "Arial");
    EXPECT_EQ(fontFamilies("Arial").back(), "WenQuanYi Zen Hei");
}

TEST(Panels, NamesFromTheSettingsAreWindows1251Bytes) {
    // "Иван" as the settings file and the seat names keep it.
    const std::string ivan("\xC8\xE2\xE0\xED");
    EXPECT_EQ(fromSettingsText(ivan), QString::fromUtf8("Иван"));
    EXPECT_EQ(fromSettingsText("Anna " + ivan), QString::fromUtf8("Anna Иван"));
    EXPECT_TRUE(fromSettingsText("").isEmpty());
    // A font name of the settings is read the same way.
    EXPECT_EQ(fontFamilies(ivan).front(), QString::fromUtf8("Иван"));
}

TEST(Fonts, ASlotIsSizedByItsCellAndTheInformalOneWritesLatinAndCyrillicAlike) {
    const Settings s;  // "Comic Sans MS", "Comic Sans MS", "FixedSys", "Courier New"
    for (const char* keyword : {"decor", "serif", "fixed"})
        for (int cell : {12, 20, 28, 60})
            for (bool bold : {false, true}) {
                const QFont f = slotFont(s, cell, keyword, bold);
                // The largest pixel size whose ascent + descent is no taller than asked.
                EXPECT_LE(QFontMetrics(f).height(), cell) << keyword << cell;
                QFont larger = f;
                larger.setPixelSize(f.pixelSize() + 1);
                EXPECT_GT(QFontMetrics(larger).height(), cell) << keyword << cell;
            }
    // The em is smaller than the cell: a 28-pixel label is not a 28-pixel em.
    EXPECT_LT(slotFont(s, 28, "decor").pixelSize(), 26);
    // One informal family has every letter of an English and a Russian label.
    const QFont informal = slotFont(s, 28, "decor");
    EXPECT_EQ(QFontInfo(informal).family(), "Andika");
    QFont alone("Andika");
    alone.setPixelSize(informal.pixelSize());
    const QFontMetrics m(alone);
    for (const QChar c : QString::fromUtf8("Round: 2 Раздача: 2 Следующая раздача ЁЯЖЩ"))
        EXPECT_TRUE(m.inFont(c)) << QString(c).toStdString();
}

}  // namespace
}  // namespace orvala::table
