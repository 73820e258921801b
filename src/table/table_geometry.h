#pragma once
// The table's geometry: the five window sizes, the mapping from the 760 x 500 design space to
// the window (halves rounded to even), the layout of the table's images, card sizes and the
// layout and hit-testing of a hand.

#include <array>
#include <vector>

namespace orvala::table {

int roundHalfEven(double v);

struct Scales {
    int windowSize = 1;
    int width = 760;
    int height = 500;
    double xs = 1, ys = 1, s = 1;
};

// Size 2 fills the available client area; the others are fixed.
Scales scalesFor(int windowSize, int availableWidth, int availableHeight);

// Whether a window size is offered on a screen with that much room: the large window needs
// 1520 x 1020, the second average one 1290 x 870, the first 990 x 670 (the window and its frame);
// the small window and the maximised one always are.
bool windowSizeFits(int windowSize, int availableWidth, int availableHeight);
// The size to use for a chosen one: itself when it fits, else the largest fixed-size window that
// does. A value out of 1..5 is the small window.
int fittingWindowSize(int windowSize, int availableWidth, int availableHeight);

struct IRect {
    int left = 0, top = 0, width = 0, height = 0;
};
struct IPoint {
    int x = 0, y = 0;
};

int mapLength(const Scales& sc, double v);
// An element keeps its design proportions, centred on its scaled design centre.
IRect mapRect(const Scales& sc, double x, double y, double w, double h);

struct CardSize {
    int cw = 71, ch = 96;
    int kind = 1;  // 1 bitmap faces at their size, 0 PNG faces scaled, 2 the same at the largest
    bool wide = true;  // narrow face sets have narrower cards above the smallest size
};
CardSize cardSizeFor(double s, bool wide = true);

struct TableLayout {
    std::array<IRect, 4> hand{}, panel{}, bubble{};  // by seat 1..3
    IRect centre, dealInfo, memo;
    std::array<IPoint, 4> trick{};  // by seat, absolute
    std::array<IPoint, 4> talon{};  // 1..3, absolute
};
// With narrow cards at window sizes other than 1, the trick and talon positions stand 5 pixels
// further right, so that the narrower cards sit where the wide ones would.
TableLayout layoutFor(const Scales& sc, const CardSize& card);

// The x of each card (index 0 is card 1) in a hand image of width w.
std::vector<int> handPositions(int w, int n, int cw);
// The slot 1..n under x, 0 when none: a card's visible strip runs to the next card's left edge.
int cardUnderPointer(const std::vector<int>& xs, int cw, int x);

// The sideways offsets of a card that may not be played, one a frame: 4 and 4 back, 2 and 2 back
// design pixels, scaled, and in place at the end.
std::vector<int> shakeOffsets(const Scales& sc);

// The points of a card's flight: one pixel a step along the longer axis.
std::vector<IPoint> flightPath(IPoint from, IPoint to);

// The pause after each flight step by Speed, in ms; the counter spacing the pauses of speeds 3
// and 4 carries over from one flight to the next.
class FlightPacer {
  public:
    int pauseAfterStep(int speed);

  private:
    int counter_ = 0;
};

}  // namespace orvala::table
