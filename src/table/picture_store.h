#pragma once
// The pictures of the table: the built-in ones (drawn by artgen at build time, compiled in as the
// Qt resources ":/art/NAME", names in art_names.h) and those of the optional picture libraries,
// with the fallbacks to the built-in sets.
//
// A library is looked for under the name the game knows it by ("ZorCards06A.dll", ...) in the
// program's folder and then in the folder above; it is opened only while loading. A library that
// is missing (or cannot be read) gives the built-in set and, the first time only, the message
// "Can`t find the file" + " " + its name: a store says it once however often it loads. A picture
// a library lacks is taken from the built-in set, and the first such gap of each library is told
// once.
//
// The own cursors are the pictures "CurHand", "CurArrow" and "CurBusy" (32 x 32) with the hot
// spots (12, 1), (1, 1) and (16, 16): art::kCursorHand, kCursorArrow, kCursorBusy.

#include <QImage>
#include <QSet>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>

#include "core/cards/card.h"
#include "core/game/random_source.h"
#include "core/settings/settings.h"
#include "table/art_names.h"
#include "table/picture_names.h"

namespace orvala::table {

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

    // How libraries are read: as resource files (ResourceLibrary) unless a test says otherwise.
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

    // A picture of the "Purple" design's library ("GTouch", "GIcon48Opt", ...), read at once;
    // a null image, and no message, when the library or the picture is not there.
    QImage designPicture(const QString& name) const;

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
    // The picture from the library when it has it, else the built-in one.
    QImage pick(const PictureSource* library, const QString& file, const QString& name,
                const QString& builtInName);

    QStringList folders_;
    Message message_;
    LibraryOpener opener_;
    QSet<QString> reported_;             // libraries whose gaps have been told
    mutable QSet<QString> toldMissing_;  // libraries said to be missing
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
