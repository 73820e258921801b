#include "table/picture_store.h"

#include <QDir>
#include <QFileInfo>
#include <QResource>

#include "core/lang/word_table.h"

static void initArtResources() { Q_INIT_RESOURCE(art); }

namespace orvala::table {
namespace {

constexpr const char* kSuitPrefix[5] = {"", "Ch", "Bu", "Kr", "Pi"};
constexpr const char* kRankPart[7] = {"", "09", "2J", "3Q", "4K", "10", "5A"};
constexpr const char* kSymbolName[5] = {"", "Cher", "Bubi", "Kres", "Piki"};
constexpr const char* kBackName[11] = {"",       "Ob01Mo", "Ob02Tu", "Ob03We", "Ob04Th", "Ob05Fr",
                                       "Ob06Su", "Ob07Su", "Ob08XX", "Ob09XX", "Ob10XX"};

int cardIndex(Card c) {
    const int r = CardRank(c), s = suitIndex(c.suit);
    return (r >= 1 && r <= 6 && s >= 1) ? (s - 1) * 6 + (r - 1) : -1;
}

QString text(WordRow row) {
    const auto w = Word(row);
    return QString::fromUtf8(w.data(), static_cast<qsizetype>(w.size()));
}

}  // namespace

QString faceName(Card c) {
    const int r = CardRank(c), s = suitIndex(c.suit);
    if (r < 1 || r > 6 || s < 1) return {};
    return QString(kSuitPrefix[s]) + kRankPart[r];
}

QString faceLibrary(int faceSet) {
    if (faceSet >= 1 && faceSet <= 31) return "ZorCards06A.dll";
    if (faceSet >= 32 && faceSet <= 39) return "ZorCards06B.dll";
    if (faceSet >= 40 && faceSet <= 47) return "ZorCards06C.dll";
    return {};
}

bool isWideFaceSet(int faceSet) { return faceSet <= 27 || faceSet == 40 || faceSet == 45; }

PictureStore::PictureStore(QStringList folders, Message message)
    : folders_(std::move(folders)), message_(std::move(message)) {
    initArtResources();
}

QImage PictureStore::picture(const QString& name) const { return QImage(":/art/" + name); }

QString PictureStore::findLibrary(const QString& file) const {
    for (const QString& folder : folders_) {
        const QString path = QDir(folder).filePath(file);
        if (QFileInfo::exists(path)) return path;
    }
    return {};
}

void PictureStore::say(const QString& line) const {
    if (message_) message_(line);
}

bool PictureStore::LoadCardFaces(Settings& settings, PictureKind kind) {
    bool ok = true;
    const QString library = faceLibrary(settings.CardFaceSet);
    if (!library.isEmpty() && findLibrary(library).isEmpty()) {
        say(text(WordRow::CantFindTheFile) + " " + library);
        settings.CardFaceSet = 0;
        ok = false;
    } else if (!library.isEmpty()) {
        // Reading the sets of a library comes with the picture libraries; until then the
        // built-in set stands in.
        settings.CardFaceSet = 0;
    }
    const QString suffix = kind == PictureKind::Bitmap ? "" : "B";
    for (int s = 1; s <= 4; ++s)
        for (int r = 1; r <= 6; ++r) {
            const Card c = makeCard(r, s);
            faces_[static_cast<size_t>(cardIndex(c))] = picture(faceName(c) + suffix);
        }
    for (int s = 1; s <= 4; ++s) symbols_[static_cast<size_t>(s)] = picture(QString(kSymbolName[s]) + suffix);
    return LoadDeckBacks(settings, kind) && ok;
}

bool PictureStore::LoadDeckBacks(Settings& settings, PictureKind kind) {
    bool ok = true;
    const bool needsLibrary = settings.DeckBackSet != 0 || (!isWideFaceSet(settings.CardFaceSet) && kind != PictureKind::Bitmap);
    if (needsLibrary && findLibrary("ZorCards06B.dll").isEmpty()) {
        say(text(WordRow::CantFindTheFile) + " ZorCards06B.dll");
        ok = false;
    }
    settings.DeckBackSet = 0;
    const QString suffix = kind == PictureKind::Bitmap ? "" : "B";
    for (int b = 1; b <= 7; ++b) backs_[static_cast<size_t>(b)] = picture(QString(kBackName[b]) + suffix);
    return ok;
}

void PictureStore::ChooseDeckBack(const Settings& settings, int dayOfWeek) {
    chosenBack_ = settings.DeckBackFixed ? 7 : std::clamp(dayOfWeek, 1, 7);
}

bool PictureStore::LoadBackground(Settings& settings, int windowSize, int width, int height) {
    bool ok = true;
    const bool builtIn = settings.BackgroundTexture == 2 && settings.BackgroundColour == 0;
    if (!builtIn && findLibrary("ZorBackG03.dll").isEmpty()) {
        say(text(WordRow::CantFindTheFile) + " ZorBackG03.dll");
        ok = false;
    }
    settings.BackgroundTexture = 2;
    settings.BackgroundColour = 0;
    QImage picture = this->picture(windowSize == 1 ? "FonG" : "FonGB");
    if (windowSize != 1 || picture.size() != QSize(width, height))
        picture = picture.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    background_ = picture.convertToFormat(QImage::Format_RGB32);
    return ok;
}

QImage PictureStore::FaceOf(Card c) const {
    const int i = cardIndex(c);
    return i < 0 ? QImage() : faces_[static_cast<size_t>(i)];
}

QImage PictureStore::trumpSymbol(SuitCode suit) const {
    return symbols_[static_cast<size_t>(suitIndex(suit))];
}

}  // namespace orvala::table
