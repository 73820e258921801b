#pragma once
// The names of the pictures in the optional picture libraries and of the built-in sets: which
// library holds a face set, the set and group suffixes, the kind suffixes, the backs and the
// table backgrounds. Shared by the picture store (which loads them) and artgen (which builds
// the libraries).

#include <QString>

#include "core/cards/card.h"

namespace orvala::table {

// How card faces are drawn: 1 bitmap faces at their own size with a drawn border (small
// windows), 0 PNG faces scaled to the card size, 2 the same at the largest sizes.
enum class PictureKind { Png = 0, Bitmap = 1, BigPng = 2 };

// The library files.
inline constexpr const char* kFacesLibraryA = "ZorCards06A.dll";  // face sets 1..31
inline constexpr const char* kFacesLibraryB = "ZorCards06B.dll";  // 32..39, backs, narrow backs
inline constexpr const char* kFacesLibraryC = "ZorCards06C.dll";  // face sets 40..47
inline constexpr const char* kBackgroundLibrary = "ZorBackG03.dll";
inline constexpr const char* kDesignLibrary = "ZorCGraph1.dll";  // the "Purple" design
inline constexpr const char* kCalendarLibrary = "ZorCalendar01.dll";
inline constexpr const char* kRadioLibrary = "ZorRadio02.dll";

// "Ch09" ... "Pi5A": the suit prefix and the rank part of a card's face; empty for EmptyCard.
QString faceName(Card c);
// The library of a face set; empty for the built-in set 0 and for numbers out of range.
QString faceLibrary(int faceSet);
// Sets 0..27, 40 and 45 have wide cards.
bool isWideFaceSet(int faceSet);
// The three-character suffix of face set 1..47 ("Med" ... "Cze"); empty otherwise.
QString faceSetSuffix(int faceSet);
// The suffix of a card group within a set: rank value 1 and 5 (nines and tens) and 6 (aces) may
// differ from the set's own suffix, which the court cards always carry.
QString faceGroupSuffix(int faceSet, int rankValue);
// "" at picture kind 1, "B" at kinds 0 and 2.
QString kindSuffix(PictureKind kind);
// The resource name of a face: "Ch09" for the built-in bitmaps, "Ch09B" for the built-in PNGs,
// face name + group suffix + kind suffix for a library set ("Ch09ModB").
QString faceResourceName(Card c, int faceSet, PictureKind kind);
// The resource name of a trump symbol (suit index 1..4): "Cher" + the nines-and-tens suffix of
// the set ("Mod" for set 11) + kind suffix; the built-in set has no set suffix.
QString trumpSymbolName(int suit, int faceSet, PictureKind kind);
// Deck-back sets: suffix of sets 1..12 ("Cl1" ... "Rus"), and how many backs a set has (ten for
// sets 8..11, seven otherwise).
QString deckBackSuffix(int deckBackSet);
int deckBackCount(int deckBackSet);
// The resource name of back 1..10: back name + set suffix + ("" at kind 1, "B" with wide cards,
// "U" with narrow ones). The built-in backs: "Ob01Mo" and "Ob01MoB".
QString backResourceName(int back, int deckBackSet, PictureKind kind, bool wideCards);
// "Fon" + texture as two digits + colour code ("Gr", "Re", "Or", "Ye", "B1", "B2", "Fi"),
// + "B" at window sizes other than 1; texture 2 with colour 0 is the built-in "FonG". Empty when
// the colour has no code.
QString backgroundResourceName(int texture, int colour, int windowSize);
// The same names by suit index 1..4 and rank value 1..6 (9, J, Q, K, 10, A).
QString faceName(int suit, int rankValue);
QString faceResourceName(int suit, int rankValue, int faceSet, PictureKind kind);

}  // namespace orvala::table
