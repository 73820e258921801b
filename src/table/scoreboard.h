#pragma once
// The table's indicators: the seat panels (scoreboards), the deal-information panel, the speech
// bubbles and the tournament's move clocks, and the bilinear resizing of their pictures.
//
// Everything draws into the whole-window canvas at the rectangle it is given (window pixels);
// positions inside a panel are design units, a length v becoming round(s * v) pixels. The
// caller shows the changed rectangle on screen. Nothing here keeps seat values: every call gets
// the figures it shows and the few game facts it tests.
//
// Pictures are taken by name from a PictureSource: "TabloSm"/"TabloBg", "Hand_Up"/"Hand_Down",
// "ImageList3_0" (pointing down) and "ImageList3_1" (pointing up), "GBarrel", "GBolt",
// "RamkaBBSm"/"RamkaBBBg", "SPBlue", "SPGreen", "SPRed", "SPYellow" and their "B" forms,
// "GTimerY"/"GTimerR", "Cher", "Bubi", "Kres", "Piki" and their "B" forms. A missing picture
// draws nothing.
//
// Where a picture with alpha is laid on the table, the table background (the whole-window
// background picture) lies under it; so an erased area shows exactly what a freshly drawn
// panel shows there.

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

#include "core/cards/card.h"
#include "core/lang/word_row.h"
#include "table/picture_store.h"
#include "table/table_text.h"

namespace orvala::table {

inline constexpr const char* kSmoothResizeFormatError =
    "Only COLOR_RGBALPHA and COLOR_RGB formats are supported";

// Resizes an RGB or RGBA picture in place by bilinear interpolation. Target pixel (x, y) takes
// the source point (x * (old width - 1) / new width, y * (old height - 1) / new height); each
// channel, alpha included, is the weighted sum of the four source pixels around it, computed
// exactly and rounded to the nearest integer, halves to even. Nothing happens when any of the
// four sizes is 1 or less. The picture keeps its format.
//
// RGB formats: RGB32, RGB888 and RGBX8888; RGBA formats: ARGB32 and RGBA8888, the forms in
// which a PNG's colour channels and alpha are kept unpremultiplied. Any other format (grey,
// indexed, premultiplied, 16-bit) is refused: the error text comes back and the picture is
// left as it was. nullopt means done (or nothing to do).
std::optional<QString> SmoothResize(QImage& picture, QSize size);

// How the table is drawn at the current window size.
struct IndicatorContext {
    const PictureSource& pictures;
    const TableFonts& fonts;
    const QImage& background;  // the whole-window table background
    int windowSize = 1;        // 1..5
    double s = 1.0;            // the uniform scale
    PictureKind kind = PictureKind::Bitmap;
};

// What a seat panel reads from the game beside the figures it is given.
struct ScoreboardFacts {
    bool RuleBarrel = false;
    bool RuleBolts = false;
    int Score = 0;      // the seat's
    int BoltCount = 0;  // the seat's
    int GameState = 0;
    bool someScoreBelowOne = false;  // with GameState 15: the game has just ended
};

// The two figure values that are commands: leave the area as it is, and erase it.
inline constexpr int kLeaveFigure = -20000;
inline constexpr int kEraseFigure = -10000;

// Seat 1..3 (others are ignored). Redraws the parts of the seat panel at `panel` that the
// figures ask for; turnMark draws the mark pointing towards the seat's cards, or erases it.
void DrawScoreboard(QImage& canvas, const QRect& panel, int seat, bool turnMark, int dealPoints,
                    int score, int bid, bool redrawPanel, const ScoreboardFacts& facts,
                    const IndicatorContext& ctx);

// The deal-information panel: "Round:" and the deal number, and with a trump "Trump:" and the
// suit's symbol. trump is a suit code or kNoSuit.
void DrawDealInfo(QImage& canvas, const QRect& panel, int dealNumber, SuitCode trump,
                  const IndicatorContext& ctx);

// A text in a speech bubble, on the picture of the colour code ('b' blue, 'g' green, 'r' red,
// 'y' yellow; any other code is blue); an empty text (trailing blanks ignored) clears the bubble.
// Returns the design size of the font used, 18, 16 or 14, or 0 when cleared.
int ShowSpeech(QImage& canvas, const QRect& bubble, const QString& text, char colour,
               const IndicatorContext& ctx);

// The move clock beside a bubble: a square as tall as the bubble, round(s * 10) to its right.
QRect MoveClockRect(const QRect& bubble, double s);
// The seconds left on a seat's move clock; a negative value (-1) clears it.
void DrawMoveClock(QImage& canvas, const QRect& clock, int seconds, const IndicatorContext& ctx);

// What a seat panel's hint depends on.
struct HintFacts {
    bool inGame = false;  // false on the title and menu screens
    int GameState = 0;
    bool othersOutOfAuction = false;  // both other seats have left the auction
};
// The hint of a seat panel at a pointer position in design units relative to the panel.
std::optional<WordRow> SeatPanelHint(double x, double y, const HintFacts& facts);

}  // namespace orvala::table
