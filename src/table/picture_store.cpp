#include "table/picture_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "table/library_folders.h"
#include "table/resource_library.h"
#include "table/word_text.h"

static void initArtResources() {
    Q_INIT_RESOURCE(art);
}

namespace orvala::table {
namespace {

int cardIndex(Card c) {
    const int r = CardRank(c), s = suitIndex(c.suit);
    return (r >= 1 && r <= 6 && s >= 1 && s <= 4) ? (s - 1) * 6 + (r - 1) : -1;
}

QImage asBitmap(const QImage& picture, int w, int h) {
    if (picture.isNull()) return picture;
    QImage out = picture.size() == QSize(w, h)
                     ? picture
                     : picture.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return out.convertToFormat(QImage::Format_RGB32);
}

const QRgb kSymbolKey = qRgb(art::kSymbolKeyRed, art::kSymbolKeyGreen, art::kSymbolKeyBlue);

}  // namespace

QImage BuiltInPictures::picture(const QString& name) const {
    static const bool ready = [] {
        initArtResources();
        return true;
    }();
    (void)ready;
    if (name.isEmpty() || name.contains('/')) return {};
    return QImage(":/art/" + name, "PNG");
}

QImage withTransparentKey(const QImage& bitmap, QRgb key) {
    if (bitmap.isNull()) return bitmap;
    QImage out = bitmap.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] & 0xffffffu) == (key & 0xffffffu)) line[x] = 0;
    }
    return out;
}

PictureStore::PictureStore(QStringList folders, Message message)
    : folders_(std::move(folders)),
      message_(std::move(message)),
      opener_([](const QString& path) -> std::unique_ptr<PictureSource> {
          return ResourceLibrary::open(path);
      }) {}

QImage PictureStore::picture(const QString& name) const {
    return builtIn_.picture(name);
}

QString PictureStore::findLibrary(const QString& file) const {
    QStringList folders = folders_;
    if (folders.isEmpty() && QCoreApplication::instance() != nullptr) {
        folders = libraryFolders(QCoreApplication::applicationDirPath());
    }
    for (const QString& folder : folders) {
        const QString path = QDir(folder).filePath(file);
        if (QFileInfo(path).isFile()) return path;
    }
    return {};
}

std::unique_ptr<PictureSource> PictureStore::openLibrary(const QString& file) const {
    const QString path = findLibrary(file);
    if (path.isEmpty() || !opener_) return nullptr;
    return opener_(path);
}

QImage PictureStore::pick(const PictureSource* library, const QString& file, const QString& name,
                          const QString& builtInName) {
    if (library != nullptr) {
        QImage img = library->picture(name);
        if (!img.isNull()) return img;
        // A library that lacks a picture is told once per file, naming the first gap.
        if (!reported_.contains(file)) {
            reported_.insert(file);
            if (message_) message_(word(WordRow::CantFindTheFile) + " " + file + ": " + name);
        }
    }
    return builtIn_.picture(builtInName);
}

void PictureStore::sayMissing(const QString& file) const {
    // Faces and backs may both need one library, and every window size loads again: the person
    // hears of a missing file once.
    if (toldMissing_.contains(file)) return;
    toldMissing_.insert(file);
    if (message_) message_(word(WordRow::CantFindTheFile) + " " + file);
}

bool PictureStore::LoadCardFaces(Settings& settings, PictureKind kind) {
    bool ok = true;
    std::unique_ptr<PictureSource> library;
    if (settings.CardFaceSet != 0) {
        const QString file = faceLibrary(settings.CardFaceSet);
        if (!file.isEmpty()) library = openLibrary(file);
        if (library == nullptr) {
            // A set number out of range is not a missing file: it just falls back silently.
            if (!file.isEmpty()) sayMissing(file);
            settings.CardFaceSet = 0;
            ok = file.isEmpty();
        }
    }
    const int set = settings.CardFaceSet;
    const bool bitmap = kind == PictureKind::Bitmap;
    for (Card c : referenceDeck()) {
        const QString builtInName = faceName(c) + kindSuffix(kind);
        QImage face =
            pick(library.get(), faceLibrary(set), faceResourceName(c, set, kind), builtInName);
        // A library's PNG face becomes a bitmap of the built-in size at kind 1.
        if (bitmap && library != nullptr)
            face = asBitmap(face, art::kBitmapFaceWidth, art::kBitmapFaceHeight);
        faces_[static_cast<size_t>(cardIndex(c))] = face;
    }
    for (int suit = 1; suit <= 4; ++suit) {
        const QString builtInName = trumpSymbolName(suit, 0, kind);
        QImage symbol =
            pick(library.get(), faceLibrary(set), trumpSymbolName(suit, set, kind), builtInName);
        if (bitmap) symbol = withTransparentKey(asBitmap(symbol, 20, 20), kSymbolKey);
        symbols_[static_cast<size_t>(suit)] = symbol;
    }
    wide_ = isWideFaceSet(set);
    return LoadDeckBacks(settings, kind) && ok;
}

bool PictureStore::LoadDeckBacks(Settings& settings, PictureKind kind) {
    const bool bitmap = kind == PictureKind::Bitmap;
    bool ok = true;
    std::unique_ptr<PictureSource> library;
    if (settings.DeckBackSet != 0 || (!wide_ && !bitmap)) {
        library = openLibrary(kFacesLibraryB);
        if (library == nullptr) {
            sayMissing(kFacesLibraryB);
            const bool narrowBacksMissing = settings.DeckBackSet == 0;
            settings.DeckBackSet = 0;
            if (narrowBacksMissing) {
                // Narrow faces without their backs: the built-in (wide) set replaces both.
                settings.CardFaceSet = 0;
                LoadCardFaces(settings, kind);
                return false;
            }
            // The built-in backs stand in, so that face-down cards always have a back.
            ok = false;
        }
    }
    const int set = settings.DeckBackSet;
    backCount_ = library != nullptr ? deckBackCount(set) : art::kBuiltInBacks;
    for (auto& b : backs_) b = QImage();
    for (int b = 1; b <= backCount_; ++b) {
        // A back a library lacks: the built-in back of the same number, or the first one.
        const int builtInNumber = b <= art::kBuiltInBacks ? b : 1;
        const QString builtInName = backResourceName(builtInNumber, 0, kind, true);
        QImage back = library != nullptr ? pick(library.get(), kFacesLibraryB,
                                                backResourceName(b, set, kind, wide_), builtInName)
                                         : builtIn_.picture(builtInName);
        if (bitmap && library != nullptr)
            back = asBitmap(back, art::kBitmapFaceWidth, art::kBitmapFaceHeight);
        backs_[static_cast<size_t>(b)] = back;
    }
    chosenBack_ = std::clamp(chosenBack_, 1, backCount_);
    return ok;
}

void PictureStore::ChooseDeckBack(const Settings& settings, int dayOfWeek, RandomSource* random) {
    int back = std::clamp(dayOfWeek, 1, 7);
    if (settings.DeckBackFixed) back = 7;
    if (settings.DeckBackSet >= 8 && settings.DeckBackSet <= 11) {
        ClockRandom clock;
        RandomSource& r = random != nullptr ? *random : clock;
        r.reseed();
        back = r.uniform(1, 10);
    }
    chosenBack_ = std::clamp(back, 1, std::max(1, backCount_));
}

QImage PictureStore::backPicture(int n) const {
    return n >= 1 && n <= backCount_ ? backs_[static_cast<size_t>(n)] : QImage();
}

bool PictureStore::LoadBackground(Settings& settings, int windowSize, int width, int height,
                                  bool designPicture) {
    const QSize client(width, height);
    auto stretched = [&](const QImage& img) {
        const QImage out =
            img.size() == client || client.isEmpty()
                ? img
                : img.scaled(client, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        return out.convertToFormat(QImage::Format_RGB32);
    };
    bool ok = true;
    if (designPicture) {
        const auto library = openLibrary(kDesignLibrary);
        const QImage design = library != nullptr ? library->picture("BGLilu") : QImage();
        if (!design.isNull()) {
            background_ = stretched(design);
            return true;
        }
        if (library == nullptr) {
            sayMissing(kDesignLibrary);
            settings.AuxDesignPurple = false;
            settings.MainMenuDesign = 0;
            settings.TableDesign = 0;
            ok = false;
        }
    }
    // Texture 0 loads nothing; a table that has no background yet still gets the built-in one,
    // so that it is never drawn on nothing.
    if (settings.BackgroundTexture == 0 && !background_.isNull()) return ok;
    const bool builtIn = settings.BackgroundTexture == 0 ||
                         (settings.BackgroundTexture == 2 && settings.BackgroundColour == 0);
    std::unique_ptr<PictureSource> library;
    if (!builtIn) {
        library = openLibrary(kBackgroundLibrary);
        if (library == nullptr) {
            sayMissing(kBackgroundLibrary);
            settings.BackgroundTexture = 2;
            settings.BackgroundColour = 0;
            ok = false;
        }
    }
    const QString builtInName = backgroundResourceName(2, 0, windowSize);
    const QString name = library != nullptr
                             ? backgroundResourceName(settings.BackgroundTexture,
                                                      settings.BackgroundColour, windowSize)
                             : builtInName;
    const QImage picture = pick(library.get(), kBackgroundLibrary, name, builtInName);
    background_ =
        windowSize == 1 ? picture.convertToFormat(QImage::Format_RGB32) : stretched(picture);
    return ok;
}

QImage PictureStore::designPicture(const QString& name) const {
    const auto library = openLibrary(kDesignLibrary);
    return library != nullptr ? library->picture(name) : QImage();
}

QImage PictureStore::FaceOf(Card c) const {
    const int i = cardIndex(c);
    return i < 0 ? QImage() : faces_[static_cast<size_t>(i)];
}

QImage PictureStore::trumpSymbol(SuitCode suit) const {
    const int s = suitIndex(suit);
    return s >= 1 && s <= 4 ? symbols_[static_cast<size_t>(s)] : QImage();
}

}  // namespace orvala::table
