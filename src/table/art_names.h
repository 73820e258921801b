#pragma once
// The names of the built-in pictures, shared by artgen (which draws them) and the picture store
// (which hands them out). Plain character tables: this header needs nothing but the language.
//
// Inside the program every built-in picture is the Qt resource ":/art/" + name, a PNG.

namespace orvala::art {

// Suit prefixes of the face names, by suit index 1..4 (hearts, diamonds, clubs, spades).
inline constexpr const char* kSuitPrefix[5] = {"", "Ch", "Bu", "Kr", "Pi"};
// Rank parts of the face names, by rank value 1..6 (9, J, Q, K, 10, A).
inline constexpr const char* kRankPart[7] = {"", "09", "2J", "3Q", "4K", "10", "5A"};
// The indices printed on the built-in faces, by rank value.
inline constexpr const char* kRankIndex[7] = {"", "9", "J", "Q", "K", "10", "A"};
// Trump symbols by suit index.
inline constexpr const char* kSymbolName[5] = {"", "Cher", "Bubi", "Kres", "Piki"};
// Backs 1..10; the built-in set has the first seven.
inline constexpr const char* kBackName[11] = {"",       "Ob01Mo", "Ob02Tu", "Ob03We",
                                              "Ob04Th", "Ob05Fr", "Ob06Su", "Ob07Su",
                                              "Ob08XX", "Ob09XX", "Ob10XX"};
inline constexpr int kBuiltInBacks = 7;

// The 20 x 20 trump symbols are bitmaps whose ground of this colour is transparent.
inline constexpr int kSymbolKeyRed = 192, kSymbolKeyGreen = 192, kSymbolKeyBlue = 192;
// The opaque panels of the smallest window ("TabloSm", "RamkaBBSm") are bitmaps whose rounded
// corners are this colour, a green of the built-in cloth; the table leaves it out, so any cloth
// shows there.
inline constexpr int kPanelKeyRed = 26, kPanelKeyGreen = 92, kPanelKeyBlue = 44;

// Sizes of the built-in pictures.
inline constexpr int kBitmapFaceWidth = 69, kBitmapFaceHeight = 94;
inline constexpr int kPngFaceWidth = 146, kPngFaceHeight = 198;
// The PNG faces and backs of narrow-card sets in the libraries are narrower, as tall.
inline constexpr int kNarrowPngFaceWidth = 126;

// The main menu's two animated decorations: film strips of kMenuFilmFrames frames side by side,
// each kMenuFilmFrameSize pixels square (an 80 x 80 design at twice its size, so that the largest
// window still draws them sharp). Frame 1 is where they rest when animation is off.
inline constexpr const char* kMenuFilmNames[2] = {"GMenuFilm1", "GMenuFilm2"};
inline constexpr int kMenuFilmFrames = 24, kMenuFilmFrameSize = 160;

// The end-of-cycle films "GEndBest", "GEndGood", "GEndBads": square frames side by side. The
// medal "GMedal" and the places "GPlace01".."GPlace10" are the same size, a place drawn on the
// medal's disc.
inline constexpr const char* kEndFilmNames[3] = {"GEndBest", "GEndGood", "GEndBads"};
inline constexpr int kEndFilmFrames = 16, kEndFilmFrameSize = 160;
inline constexpr int kMedalWidth = 140, kMedalHeight = 160;
inline constexpr int kMedalDiscLeft = 14, kMedalDiscTop = 46, kMedalDiscSide = 112;

// The own cursors, 32 x 32, with their hot spots.
struct CursorArt {
    const char* name;
    int hotX, hotY;
};
inline constexpr CursorArt kCursorHand{"CurHand", 12, 1};   // the tip of the index finger
inline constexpr CursorArt kCursorArrow{"CurArrow", 1, 1};  // the arrow's point
inline constexpr CursorArt kCursorBusy{"CurBusy", 16, 16};  // the waist of the hourglass

// The flags of the ten languages (named by FlagPictureName).
inline constexpr int kFlagWidth = 32, kFlagHeight = 24;

// The calendar cards, in design units: a card of 60 x 100 ("R_BASE"), the year and holiday
// pictures of 54 x 70 at (3, 27), the zodiac picture of 26 x 30 at (17, 65). The library draws
// them at kCalendarPictureScale times these sizes, so that the larger windows stay sharp.
struct CalendarBox {
    int x, y, w, h;
};
inline constexpr CalendarBox kCalendarCard{0, 0, 60, 100};
inline constexpr CalendarBox kCalendarPicture{3, 27, 54, 70};
inline constexpr CalendarBox kCalendarZodiac{17, 65, 26, 30};
inline constexpr int kCalendarPictureScale = 2;
inline constexpr const char* kCalendarBase = "R_BASE";

}  // namespace orvala::art
