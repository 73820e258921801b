#pragma once
// The pictures of the table: the built-in ones (drawn by artgen at build time, compiled in as the
// Qt resources ":/art/NAME", names in art_names.h) and those of the optional picture libraries,
// with the fallbacks to the built-in sets.
//
// A library is looked for under the name the game knows it by ("ZorCards06A.dll", ...) in the
// program's folder and then in the folder above; it is opened only while loading. A library that
// is missing (or cannot be read) gives the message "Can`t find the file" + " " + its name and the
// built-in set; a picture a library lacks is taken from the built-in set.
//
// The own cursors are the pictures "CurHand", "CurArrow" and "CurBusy" (32 x 32) with the hot
// spots (12, 1), (1, 1) and (16, 16): art::kCursorHand, kCursorArrow, kCursorBusy.

#include <QImage>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>

#include "core/cards/card.h"
#include "core/game/random_source.h"
#include "core/settings/settings.h"
#include "table/art_names.h"

namespace orvala::table {

// How card faces are drawn: 1 bitmap faces at their own size with a drawn border (small
// windows), 0 PNG faces scaled to the card size, 2 the same at the largest sizes.
enum class PictureKind { Png = 0, Bitmap = 1, BigPng = 2 };

// Anything that hands out pictures by name; a null image when it has none of that name.
class PictureSource {
  public:
    virtual ~PictureSource() = default;
    virtual QImage picture(const QString& name) const = 0;
};

// The program's own pictures.
class BuiltInPictures final : public PictureSource {
  public:
    QImage picture(const QString& name) const override;
};

// The library files.
inline constexpr const char* kFacesLibraryA = "ZorCards06A.dll";  // face sets 1..31
inline constexpr const char* kFacesLibraryB = "ZorCards06B.dll";  // 32..39, backs, narrow backs
inline constexpr const char* kFacesLibraryC = "ZorCards06C.dll";  // face sets 40..47
inline constexpr const char* kBackgroundLibrary = "ZorBackG03.dll";
inline constexpr const char* kDesignLibrary = "ZorCGraph1.dll";  // the "Purple" design

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
// The picture with every pixel of the key colour made transparent.
QImage withTransparentKey(const QImage& bitmap, QRgb key);

class PictureStore : public PictureSource {
  public:
    using Message = std::function<void(const QString&)>;
    // Opens a library file found at path; null when it cannot be read.
    using LibraryOpener = std::function<std::unique_ptr<PictureSource>(const QString& path)>;

    // folders: where libraries are looked for, in order; empty means the program's folder and
    // the folder above. message: shows a message line (the message window in the game).
    explicit PictureStore(QStringList folders = {}, Message message = {});

    // How libraries are read; until picture libraries are supported none can be.
    void setLibraryOpener(LibraryOpener opener) { opener_ = std::move(opener); }

    // A built-in picture by name; a null image when there is none.
    QImage picture(const QString& name) const override;

    // Loads the 24 faces and the trump symbols of settings.CardFaceSet at the picture kind, sets
    // wide or narrow cards, then runs LoadDeckBacks. False when a library was missing; the
    // settings then hold the fallback values.
    bool LoadCardFaces(Settings& settings, PictureKind kind);
    // Loads the backs of settings.DeckBackSet. False when "ZorCards06B.dll" was needed and missing.
    bool LoadDeckBacks(Settings& settings, PictureKind kind);
    // The back of the coming deal: the day of the week (Monday 1 ... Sunday 7), 7 when the back
    // is fixed, a random one of ten for the sets with ten backs (random is reseeded first; a
    // clock-seeded source when none is given).
    void ChooseDeckBack(const Settings& settings, int dayOfWeek, RandomSource* random = nullptr);
    // The table background for a window size, stretched to width x height at sizes other than 1;
    // with designPicture the "Purple" design's "BGLilu" instead, stretched to the window.
    bool LoadBackground(Settings& settings, int windowSize, int width, int height,
                        bool designPicture = false);

    // The loaded face of a card; a null image for EmptyCard.
    QImage FaceOf(Card c) const;
    // The back chosen for the deal, and back 1..deckBackCount() of the loaded set.
    QImage back() const { return backPicture(chosenBack_); }
    QImage backPicture(int n) const;
    int chosenBack() const { return chosenBack_; }
    int backCount() const { return backCount_; }
    // The loaded trump symbol of a suit, transparent around the pip.
    QImage trumpSymbol(SuitCode suit) const;
    const QImage& background() const { return background_; }
    bool wideCards() const { return wide_; }

    // Where a library file is: the first folder that has it; empty when none has.
    QString findLibrary(const QString& file) const;

  private:
    std::unique_ptr<PictureSource> openLibrary(const QString& file) const;
    void sayMissing(const QString& file) const;

    QStringList folders_;
    Message message_;
    LibraryOpener opener_;
    BuiltInPictures builtIn_;
    std::array<QImage, 24> faces_;
    std::array<QImage, 5> symbols_;
    std::array<QImage, 11> backs_;
    int backCount_ = 0;
    int chosenBack_ = 1;
    bool wide_ = true;
    QImage background_;
};

}  // namespace orvala::table
