#pragma once
// The optional picture libraries: their contents by file name and the drawing of the face sets,
// the deck-back sets, the table backgrounds and the "Purple" design's pictures.
//
// A library holds pictures by their bare resource names (the names of table/picture_names.h):
//   "ZorCards06A.dll"  face sets 1..31;
//   "ZorCards06B.dll"  face sets 32..39, deck-back sets 1..12 and the narrow built-in backs;
//   "ZorCards06C.dll"  face sets 40..47;
//   "ZorBackG03.dll"   the backgrounds "Fon01Gr" ... "Fon10FiB" (JPEG);
//   "ZorCGraph1.dll"   "BGLilu", "GTouch", "GIcon48Opt", "GFormOpt..." and "GFormHistory...";
//   "ZorCalendar01.dll" the calendar's card ground, zodiac signs, year animals and holidays;
//   "ZorRadio02.dll"   the radio's icon, switch, ground, volume scale and station logos.
// Every picture is drawn from the set or picture number alone, so the bytes are the same every
// build.

#include <QImage>
#include <QString>
#include <QStringList>
#include <functional>

namespace orvala::artgen {

// The file names artgen can build.
QStringList libraryFiles();

// One picture of a library: its resource name and, when drawn, the picture; jpeg pictures are
// written as JPEG, the others as PNG.
struct LibraryPicture {
    QString name;
    std::function<QImage()> draw;
    bool jpeg = false;
};
// The pictures of a library file; empty for a file artgen does not know.
std::vector<LibraryPicture> libraryPictures(const QString& file);
// The calendar library's pictures (art_library_calendar.cpp).
void addCalendar(std::vector<LibraryPicture>& out);
// The radio library's pictures (art_library_radio.cpp).
void addRadio(std::vector<LibraryPicture>& out);

// Face set 1..47: rank value 1..6 (9, J, Q, K, 10, A), suit index 1..4 (hearts, diamonds, clubs,
// spades); bitmap at 69 x 94, else at the set's own size (146 or 126 x 198).
QImage drawLibraryFace(int faceSet, int rank, int suit, bool bitmap);
// The trump symbols of a face set: 20 x 20 on the key ground, or 40 x 40 with alpha.
QImage drawLibrarySymbol(int faceSet, int suit, bool bitmap);
// Back 1..10 of deck-back set 1..12 at w x h (69 x 94, 146 x 198 or 126 x 198).
QImage drawLibraryBack(int deckBackSet, int back, int w, int h);
// Background texture 1..10 in colour 0..6 at w x h.
QImage drawBackground(int texture, int colour, int w, int h);
// The "Purple" design.
QImage drawPurpleGround(int w, int h);
QImage drawSaluteStrip();  // 30 frames of 100 x 100 side by side
QImage drawOptionsIcon(int size);
QImage drawFormHead(const QString& word, bool cjk, int w, int h, int hue);

}  // namespace orvala::artgen
