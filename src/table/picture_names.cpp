#include "table/picture_names.h"

#include "table/art_names.h"

namespace orvala::table {
namespace {

constexpr const char* kFaceSetSuffix[48] = {
    "",    "Med", "Mod", "Anc", "Bar", "Cel", "Cor", "Cro", "Eng", "Fra", "His", "Nat",
    "Old", "Par", "Roy", "Sha", "Big", "004", "Lon", "Cl2", "Hea", "Sea", "Rhi", "Me2",
    "Doo", "Boy", "Epi", "USR", "Pla", "SkN", "SkT", "SkF", "Bel", "Dia", "Kny", "Pas",
    "Rus", "Sla", "May", "Lub", "Fra", "Mus", "BS1", "BS2", "BS3", "Chi", "BIt", "Cze"};
constexpr const char* kDeckBackSuffix[13] = {"",    "Cl1", "Cl2", "Car", "Cro", "Che", "Dia",
                                             "Kni", "Ani", "Flo", "Pla", "Oth", "Rus"};
constexpr const char* kColourCode[7] = {"Gr", "Re", "Or", "Ye", "B1", "B2", "Fi"};

}  // namespace

QString faceName(int suit, int rankValue) {
    if (suit < 1 || suit > 4 || rankValue < 1 || rankValue > 6) return {};
    return QString(art::kSuitPrefix[suit]) + art::kRankPart[rankValue];
}

QString faceName(Card c) {
    return faceName(suitIndex(c.suit), CardRank(c));
}

QString faceLibrary(int faceSet) {
    if (faceSet >= 1 && faceSet <= 31) return kFacesLibraryA;
    if (faceSet >= 32 && faceSet <= 39) return kFacesLibraryB;
    if (faceSet >= 40 && faceSet <= 47) return kFacesLibraryC;
    return {};
}

bool isWideFaceSet(int faceSet) {
    return (faceSet >= 0 && faceSet <= 27) || faceSet == 40 || faceSet == 45;
}

QString faceSetSuffix(int faceSet) {
    return faceSet >= 1 && faceSet <= 47 ? kFaceSetSuffix[faceSet] : "";
}

QString faceGroupSuffix(int faceSet, int rankValue) {
    const bool ninesAndTens = rankValue == 1 || rankValue == 5, aces = rankValue == 6;
    if (ninesAndTens || aces) {
        switch (faceSet) {
            case 6:
                return ninesAndTens ? "Mod" : "Cor";
            case 7:
            case 10:
            case 13:
                return "Mod";
            case 19:
            case 20:
                return "Sea";
            case 25:
                return ninesAndTens ? "Rhi" : "Boy";
            case 27:
                return ninesAndTens ? "Big" : "USR";
            default:
                break;
        }
    }
    return faceSetSuffix(faceSet);
}

QString kindSuffix(PictureKind kind) {
    return kind == PictureKind::Bitmap ? "" : "B";
}

QString faceResourceName(int suit, int rankValue, int faceSet, PictureKind kind) {
    const QString face = faceName(suit, rankValue);
    if (face.isEmpty()) return {};
    if (faceSet == 0) return face + kindSuffix(kind);
    return face + faceGroupSuffix(faceSet, rankValue) + kindSuffix(kind);
}

QString faceResourceName(Card c, int faceSet, PictureKind kind) {
    return faceResourceName(suitIndex(c.suit), CardRank(c), faceSet, kind);
}

QString trumpSymbolName(int suit, int faceSet, PictureKind kind) {
    if (suit < 1 || suit > 4) return {};
    const QString set = faceSet == 0 ? "" : faceSet == 11 ? "Mod" : faceGroupSuffix(faceSet, 1);
    return QString(art::kSymbolName[suit]) + set + kindSuffix(kind);
}

QString deckBackSuffix(int deckBackSet) {
    return deckBackSet >= 1 && deckBackSet <= 12 ? kDeckBackSuffix[deckBackSet] : "";
}

int deckBackCount(int deckBackSet) {
    return deckBackSet >= 8 && deckBackSet <= 11 ? 10 : 7;
}

QString backResourceName(int back, int deckBackSet, PictureKind kind, bool wideCards) {
    if (back < 1 || back > deckBackCount(deckBackSet)) return {};
    const QString suffix = kind == PictureKind::Bitmap ? "" : wideCards ? "B" : "U";
    return QString(art::kBackName[back]) + deckBackSuffix(deckBackSet) + suffix;
}

QString backgroundResourceName(int texture, int colour, int windowSize) {
    const QString size = windowSize == 1 ? "" : "B";
    if (texture == 2 && colour == 0) return "FonG" + size;
    if (texture < 1 || texture > 99 || colour < 0 || colour > 6) return {};
    return QString("Fon%1").arg(texture, 2, 10, QChar('0')) + kColourCode[colour] + size;
}

}  // namespace orvala::table
