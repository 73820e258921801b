#pragma once
// Every built-in picture of the game, by its resource name (see src/table/art_names.h):
// - card faces "Ch09" ... "Pi5A" as 69 x 94 opaque bitmaps and, with "B", 146 x 198 pictures with
//   rounded transparent corners; the seven backs "Ob01Mo" ... "Ob07Su" in the same two forms;
// - the cloth "FonG" (760 x 500) and "FonGB" (1920 x 922);
// - the seat panels "TabloSm" (155 x 95, opaque, corners of the panel key colour) and "TabloBg"
//   (310 x 190), the deal-information panels "RamkaBBSm" (120 x 150, opaque, the same corners)
//   and "RamkaBBBg" (240 x 300), the bubbles "SPBlue",
//   "SPGreen", "SPRed", "SPYellow" (160 x 20; + "B" 320 x 40), the turn marks "Hand_Up",
//   "Hand_Down" (40 x 60) and "ImageList3_0" (down), "ImageList3_1" (up) (20 x 30), "GBarrel"
//   (42 x 60), "GBolt" (32 x 60), the clocks "GTimerY", "GTimerR" (50 x 50);
// - the trump symbols "Cher", "Bubi", "Kres", "Piki" (20 x 20 opaque, ground RGB 192, 192, 192
//   meant transparent; + "B" 40 x 40 with alpha);
// - the title "GTitle" (900 x 270, three times its 300 x 90 design), "Logo" (120 x 80), the
//   main menu's film strips "GMenuFilm1" and "GMenuFilm2" (art_menu.cpp) and the own cursors
//   "CurHand", "CurArrow", "CurBusy" (32 x 32), and the languages' flags "FlagOEng" ... "FlagOKor"
//   (FlagPictureName);
// - the chat and news pictures of core/online/chat_pictures.h.

#include <QColor>
#include <QImage>
#include <QString>
#include <vector>

namespace orvala::artgen {

struct Picture {
    QString name;
    QImage image;
};

std::vector<Picture> allPictures();
// The button pictures "R29_L" ... "R59_2" and "Q29_L" ... "Q59_2" (art_buttons.cpp).
std::vector<Picture> buttonPictures();
// The end-of-cycle films, the medal and its places, the account lamps (art_records.cpp).
std::vector<Picture> recordsPictures();
// The country table's flags and the world lists' two faces (art_country_flags.cpp).
std::vector<Picture> countryPictures();
// The music player's buttons "MP_Play", "MP_Pause", "MP_Next" and "MP_Volume" (art_player.cpp).
std::vector<Picture> musicPlayerPictures();
// The chat and news indicators, the siren, the faces, "new" and the country flags (art_chat.cpp).
std::vector<Picture> chatPictures();

// The parts: rank 1..6 (9, J, Q, K, 10, A), suit 1..4 (hearts, diamonds, clubs, spades).
QImage drawFace(int rank, int suit, bool bitmap);
QImage drawBack(int style, bool bitmap);  // style 0..6
// A built-in back's design on the 126 x 198 card of narrow sets (for the libraries).
QImage drawNarrowBack(int style);
QImage drawCloth(int w, int h);
QImage drawSeatPanel(int w, int h, bool opaque);
QImage drawDealPanel(int w, int h, bool opaque);
QImage drawBubble(QColor fill, int w, int h);
QImage drawTurnMark(bool up, int w, int h);
QImage drawBarrel(int w, int h);
QImage drawBolt(int w, int h);
QImage drawClock(QColor ground, int w, int h);
QImage drawSymbolBitmap(int suit);
QImage drawSymbolPng(int suit);
QImage drawTitle(int w, int h);
QImage drawLogo(int w, int h);
// The bar under the "Creating a GIF..." notice: a pale gold plate with a dark frame.
QImage drawNoticeBar(int w, int h);
// A card turning round and round, its face the ace of `suit`: the menu's decoration film.
QImage drawMenuFilm(int suit);
QImage drawCursor(int which);  // 0 hand, 1 arrow, 2 busy
// The colour emoji font that the flags and the calendar's pictures are drawn with; without it
// they would be empty boxes, so artgen stops with a message (requireEmojiFont).
inline constexpr const char* kEmojiFamily = "Noto Color Emoji";
void requireEmojiFont();
// The flag of language 0..9, art::kFlagWidth x kFlagHeight.
QImage drawFlag(int language);

}  // namespace orvala::artgen
