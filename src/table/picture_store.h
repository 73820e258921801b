#pragma once
// The pictures of the table: the built-in ones (drawn by artgen, compiled in as ":/art/NAME") and
// those of the optional picture libraries, with the fallbacks to the built-in sets.
//
// A library is a Qt binary resource file under the name the game looks for ("ZorCards06A.dll",
// ...), searched in the program folder and then the folder above; it is opened for loading and
// closed after. A library that is missing gives the message "Can`t find the file" + " " + name
// and the built-in set; a picture a library lacks is taken from the built-in set.

#include <QImage>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <vector>

#include "core/cards/card.h"
#include "core/settings/settings.h"

namespace orvala::table {

// How card faces are drawn: 1 bitmap faces at their own size with a drawn border (small
// windows), 0 PNG faces scaled to the card size, 2 the same at the largest sizes.
enum class PictureKind { Png = 0, Bitmap = 1, BigPng = 2 };

// "Ch09" ... "Pi5A": the suit prefix and the rank part of a card's face.
QString faceName(Card c);
// The library of a face set: "ZorCards06A.dll" (1..31), "ZorCards06B.dll" (32..39),
// "ZorCards06C.dll" (40..47); empty for the built-in set 0.
QString faceLibrary(int faceSet);
// Sets 0..27, 40 and 45 have wide cards.
bool isWideFaceSet(int faceSet);

class PictureStore {
public:
    using Message = std::function<void(const QString&)>;

    // folders: where libraries are looked for, in order (the program folder, the folder above).
    explicit PictureStore(QStringList folders = {}, Message message = {});

    // A built-in picture by name; a null image when there is none.
    QImage picture(const QString& name) const;

    // Loads the 24 faces and the trump symbols of settings.CardFaceSet at the picture kind, then
    // the backs. False (and CardFaceSet 0) when the set's library is missing.
    bool LoadCardFaces(Settings& settings, PictureKind kind);
    bool LoadDeckBacks(Settings& settings, PictureKind kind);
    // The back of the coming deal: the day of the week (Monday 1 ... Sunday 7), 7 when the back
    // is fixed.
    void ChooseDeckBack(const Settings& settings, int dayOfWeek);
    // The table background at a window size, stretched to the client size at sizes other than 1.
    bool LoadBackground(Settings& settings, int windowSize, int width, int height);

    QImage FaceOf(Card c) const;
    QImage back() const { return backs_[static_cast<size_t>(chosenBack_)]; }
    QImage trumpSymbol(SuitCode suit) const;
    const QImage& background() const { return background_; }

private:
    QString findLibrary(const QString& file) const;
    void say(const QString& line) const;

    QStringList folders_;
    Message message_;
    std::array<QImage, 24> faces_;
    std::array<QImage, 5> symbols_;
    std::array<QImage, 11> backs_;
    int chosenBack_ = 1;
    QImage background_;
};

}  // namespace orvala::table
