#include "table/table_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace orvala::table {

int roundHalfEven(double v) {
    return static_cast<int>(std::nearbyint(v));
}

Scales scalesFor(int windowSize, int availableWidth, int availableHeight) {
    Scales sc;
    sc.windowSize = windowSize;
    switch (windowSize) {
        case 2:
            sc.width = std::max(availableWidth, 760);
            sc.height = std::max(availableHeight, 500);
            sc.xs = sc.width / 760.0;
            sc.ys = sc.height / 500.0;
            sc.s = std::min(sc.xs, sc.ys);
            return sc;
        case 3:
            sc.width = 990;
            sc.height = 650;
            sc.xs = sc.ys = sc.s = 1.3;
            return sc;
        case 4:
            sc.width = 1290;
            sc.height = 850;
            sc.xs = sc.ys = sc.s = 1.7;
            return sc;
        case 5:
            sc.width = 1520;
            sc.height = 1000;
            sc.xs = sc.ys = sc.s = 2.0;
            return sc;
        default:
            sc.windowSize = 1;
            return sc;
    }
}

bool windowSizeFits(int windowSize, int availableWidth, int availableHeight) {
    struct Room {
        int width, height;
    };
    // Sizes 1 to 5; the heights leave room for the window's frame.
    static constexpr Room kNeeds[6] = {{}, {0, 0}, {0, 0}, {990, 670}, {1290, 870}, {1520, 1020}};
    if (windowSize < 1 || windowSize > 5) return false;
    const Room& need = kNeeds[windowSize];
    return availableWidth >= need.width && availableHeight >= need.height;
}

int fittingWindowSize(int windowSize, int availableWidth, int availableHeight) {
    if (windowSize < 1 || windowSize > 5) return 1;
    if (windowSizeFits(windowSize, availableWidth, availableHeight)) return windowSize;
    // The fixed sizes from the largest down: 5, 4, 3, then the small window.
    for (int smaller = windowSize - 1; smaller >= 3; --smaller)
        if (windowSizeFits(smaller, availableWidth, availableHeight)) return smaller;
    return 1;
}

int mapLength(const Scales& sc, double v) {
    return roundHalfEven(sc.s * v);
}

IRect mapRect(const Scales& sc, double x, double y, double w, double h) {
    IRect r;
    r.left = roundHalfEven(sc.xs * x) + roundHalfEven((sc.xs - sc.s) * w / 2);
    r.top = roundHalfEven(sc.ys * y) + roundHalfEven((sc.ys - sc.s) * h / 2);
    r.width = roundHalfEven(sc.s * w);
    r.height = roundHalfEven(sc.s * h);
    return r;
}

CardSize cardSizeFor(double s, bool wide) {
    if (s < 1.3) return CardSize{71, 96, 1, wide};
    if (s < 2.0)
        return CardSize{roundHalfEven((wide ? 71 : 61) * s), roundHalfEven(96 * s), 0, wide};
    return CardSize{wide ? 146 : 126, 198, 2, wide};
}

TableLayout layoutFor(const Scales& sc, const CardSize& card) {
    TableLayout t;
    static constexpr int kHand[4][4] = {
        {}, {20, 10, 310, 106}, {450, 10, 740, 106}, {150, 395, 610, 491}};
    static constexpr int kPanel[4][4] = {
        {}, {88, 140, 243, 235}, {513, 140, 668, 235}, {88, 280, 243, 375}};
    static constexpr int kBubble[4][4] = {
        {}, {85, 115, 245, 135}, {510, 115, 670, 135}, {300, 370, 460, 390}};
    for (int s = 1; s <= 3; ++s) {
        t.hand[s] = mapRect(sc, kHand[s][0], kHand[s][1], kHand[s][2] - kHand[s][0], 96);
        t.hand[s].height = card.ch;
        t.panel[s] = mapRect(sc, kPanel[s][0], kPanel[s][1], kPanel[s][2] - kPanel[s][0],
                             kPanel[s][3] - kPanel[s][1]);
        t.bubble[s] = mapRect(sc, kBubble[s][0], kBubble[s][1], kBubble[s][2] - kBubble[s][0],
                              kBubble[s][3] - kBubble[s][1]);
    }
    t.centre = mapRect(sc, 269, 160, 222, 200);
    t.dealInfo = mapRect(sc, 320, 5, 120, 150);
    t.memo = mapRect(sc, 620, 373, 130, 90);
    static constexpr int kTrick[4][2] = {{}, {0, 0}, {148, 0}, {74, 100}};
    static constexpr int kTalon[4][2] = {{}, {0, 50}, {74, 50}, {148, 50}};
    const int shift = !card.wide && sc.windowSize != 1 ? 5 : 0;
    for (int i = 1; i <= 3; ++i) {
        t.trick[i] = {t.centre.left + mapLength(sc, kTrick[i][0]) + shift,
                      t.centre.top + mapLength(sc, kTrick[i][1])};
        t.talon[i] = {t.centre.left + mapLength(sc, kTalon[i][0]) + shift,
                      t.centre.top + mapLength(sc, kTalon[i][1])};
    }
    return t;
}

std::vector<int> handPositions(int w, int n, int cw) {
    std::vector<int> xs;
    if (n < 1) return xs;
    const int h = cw + 3;
    if (static_cast<double>(w) / n < h) {
        const int t = n > 1 ? (w - h) / (n - 1) : 0;
        for (int i = 0; i < n; ++i) xs.push_back(i * t);
    } else {
        const int c = roundHalfEven(w / 2.0);
        for (int i = 0; i < n; ++i) xs.push_back(roundHalfEven(c - n * h / 2.0 + i * h));
    }
    return xs;
}

int cardUnderPointer(const std::vector<int>& xs, int cw, int x) {
    const int n = static_cast<int>(xs.size());
    for (int i = 0; i + 1 < n; ++i)
        if (xs[i] <= x && x <= xs[i + 1] - 1) return i + 1;
    if (n > 0 && xs[n - 1] <= x && x <= xs[n - 1] + cw - 1) return n;
    return 0;
}

std::vector<int> shakeOffsets(const Scales& sc) {
    std::vector<int> frames;
    for (int v : {4, -4, 2, -2, 0}) frames.push_back(mapLength(sc, v));
    return frames;
}

std::vector<IPoint> flightPath(IPoint from, IPoint to) {
    std::vector<IPoint> path;
    const int dx = to.x - from.x, dy = to.y - from.y;
    const int steps = std::max(std::abs(dx), std::abs(dy));
    path.reserve(static_cast<size_t>(steps) + 1);
    for (int k = 0; k <= steps; ++k) {
        const double f = steps == 0 ? 1.0 : static_cast<double>(k) / steps;
        path.push_back({from.x + roundHalfEven(dx * f), from.y + roundHalfEven(dy * f)});
    }
    return path;
}

int FlightPacer::pauseAfterStep(int speed) {
    switch (speed) {
        case 1:
            return 2;
        case 2:
            return 1;
        case 3:
            return (++counter_ % 2 == 0) ? 1 : 0;
        case 4:
            return (++counter_ % 3 == 0) ? 1 : 0;
        default:
            return 0;
    }
}

}  // namespace orvala::table
