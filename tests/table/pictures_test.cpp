// The built-in pictures and the picture store, checked by content; and the drawing of cards,
// marks and scoreboards from them.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <map>
#include <set>

#include "table/picture_store.h"
#include "table/resource_library.h"
#include "table/table_view.h"

namespace orvala::table {
namespace {

bool isRed(QRgb c) {
    return qAlpha(c) > 200 && qRed(c) > 150 && qGreen(c) < 90 && qBlue(c) < 90;
}
bool isDark(QRgb c) {
    return qRed(c) < 70 && qGreen(c) < 70 && qBlue(c) < 70 && qAlpha(c) > 200;
}

QImage argb(const QImage& img) {
    return img.convertToFormat(QImage::Format_ARGB32);
}

// Red and dark pixels in a rectangle.
std::pair<int, int> redAndDark(const QImage& img, const QRect& r) {
    const QImage a = argb(img);
    int red = 0, dark = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            red += isRed(a.pixel(x, y));
            dark += isDark(a.pixel(x, y));
        }
    return {red, dark};
}

const char* const kBacks[7] = {"Ob01Mo", "Ob02Tu", "Ob03We", "Ob04Th",
                               "Ob05Fr", "Ob06Su", "Ob07Su"};

TEST(Pictures, EveryNamedPictureHasItsSize) {
    PictureStore store;
    std::vector<std::pair<QString, QSize>> sizes = {
        {"FonG", {760, 500}},       {"FonGB", {1920, 922}},     {"TabloSm", {155, 95}},
        {"TabloBg", {310, 190}},    {"Hand_Up", {40, 60}},      {"Hand_Down", {40, 60}},
        {"GBarrel", {42, 60}},      {"GBolt", {32, 60}},        {"RamkaBBSm", {120, 150}},
        {"RamkaBBBg", {240, 300}},  {"GTimerY", {50, 50}},      {"GTimerR", {50, 50}},
        {"ImageList3_0", {20, 30}}, {"ImageList3_1", {20, 30}}, {"GTitle", {900, 270}},
        {"Logo", {120, 80}},        {"CurHand", {32, 32}},      {"CurArrow", {32, 32}},
        {"CurBusy", {32, 32}}};
    for (const char* film : art::kMenuFilmNames)
        sizes.push_back(
            {film, {art::kMenuFilmFrames * art::kMenuFilmFrameSize, art::kMenuFilmFrameSize}});
    for (const char* b : {"SPBlue", "SPGreen", "SPRed", "SPYellow"}) {
        sizes.push_back({b, {160, 20}});
        sizes.push_back({QString(b) + "B", {320, 40}});
    }
    for (const char* s : {"Cher", "Bubi", "Kres", "Piki"}) {
        sizes.push_back({s, {20, 20}});
        sizes.push_back({QString(s) + "B", {40, 40}});
    }
    for (const char* b : kBacks) {
        sizes.push_back({b, {69, 94}});
        sizes.push_back({QString(b) + "B", {146, 198}});
    }
    for (Card c : referenceDeck()) {
        sizes.push_back({faceName(c), {69, 94}});
        sizes.push_back({faceName(c) + "B", {146, 198}});
    }
    for (const auto& [name, size] : sizes)
        EXPECT_EQ(store.picture(name).size(), size) << name.toStdString();
    EXPECT_TRUE(store.picture("NoSuchPicture").isNull());
    EXPECT_TRUE(store.picture("").isNull());

    // The forms "no alpha" and the bitmaps are opaque; the PNG faces have transparent corners.
    for (const char* opaque : {"TabloSm", "RamkaBBSm", "FonG", "FonGB", "Ch09", "Ob01Mo", "Cher"})
        EXPECT_FALSE(store.picture(opaque).hasAlphaChannel()) << opaque;
    EXPECT_EQ(qAlpha(store.picture("Pi5AB").pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(store.picture("Pi5AB").pixel(73, 99)), 255);
    // The own cursors are drawn at their documented hot spots.
    for (const art::CursorArt& c : {art::kCursorHand, art::kCursorArrow, art::kCursorBusy})
        EXPECT_GT(qAlpha(store.picture(c.name).pixel(c.hotX, c.hotY)), 100) << c.name;
}

TEST(Pictures, EveryFaceAndBackIsItsOwnAndFacesTakeTheSuitColour) {
    PictureStore store;
    for (const char* suffix : {"", "B"}) {
        const bool bitmap = QString(suffix).isEmpty();
        std::vector<QImage> cards;
        for (Card c : referenceDeck()) cards.push_back(argb(store.picture(faceName(c) + suffix)));
        for (const char* b : kBacks) cards.push_back(argb(store.picture(QString(b) + suffix)));
        for (size_t i = 0; i < cards.size(); ++i)
            for (size_t j = i + 1; j < cards.size(); ++j)
                EXPECT_NE(cards[i], cards[j]) << i << " " << j << " " << suffix;

        // Both indices, top left and (turned) bottom right, are red for hearts and diamonds
        // and black for clubs and spades.
        const QSize size = cards[0].size();
        const QRect topLeft = bitmap ? QRect(1, 2, 14, 28) : QRect(3, 5, 24, 52);
        const QRect bottomRight(size.width() - 1 - topLeft.right(),
                                size.height() - 1 - topLeft.bottom(), topLeft.width(),
                                topLeft.height());
        for (Card c : referenceDeck()) {
            const QImage face = store.picture(faceName(c) + suffix);
            for (const QRect& corner : {topLeft, bottomRight}) {
                const auto [red, dark] = redAndDark(face, corner);
                const bool redSuit = c.suit == kHearts || c.suit == kDiamonds;
                EXPECT_GT(redSuit ? red : dark, bitmap ? 20 : 60) << toLatin(c) << suffix;
                EXPECT_EQ(redSuit ? dark : red, 0) << toLatin(c) << suffix;
            }
        }
    }
}

TEST(Pictures, TheClothIsNotFlatAndThePanelsAreLight) {
    PictureStore store;
    for (const char* name : {"FonG", "FonGB"}) {
        const QImage cloth = store.picture(name);
        double sum = 0, sumSq = 0;
        std::set<QRgb> colours;
        for (int y = 0; y < cloth.height(); y += 3)
            for (int x = 0; x < cloth.width(); x += 3) {
                const QRgb c = cloth.pixel(x, y);
                sum += qGreen(c);
                sumSq += qGreen(c) * qGreen(c);
                colours.insert(c);
                EXPECT_GT(qGreen(c), qRed(c));
                EXPECT_GT(qGreen(c), qBlue(c));
            }
        const double n = (cloth.width() / 3 + 1) * (cloth.height() / 3 + 1);
        const double variance = sumSq / n - (sum / n) * (sum / n);
        EXPECT_GT(variance, 16.0) << name;       // a texture, not a flat fill
        EXPECT_GT(colours.size(), 50u) << name;  // many shades of the one green
        // A soft vignette: the middle is lighter than the corners.
        auto mean = [&](QRect r) {
            double s = 0;
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x) s += qGreen(cloth.pixel(x, y));
            return s / (r.width() * r.height());
        };
        const int w = cloth.width(), h = cloth.height();
        EXPECT_GT(mean(QRect(w / 2 - 40, h / 2 - 40, 80, 80)), mean(QRect(0, 0, 80, 80)) + 10);
    }
    // Magenta, blue, navy and red figures must stand out: the panels are light where they go.
    for (const char* name : {"TabloSm", "TabloBg", "RamkaBBSm", "RamkaBBBg"}) {
        const QImage panel = store.picture(name);
        const QRect inside = panel.rect().adjusted(panel.width() / 8, panel.height() / 8,
                                                   -panel.width() / 8, -panel.height() / 8);
        double light = 0;
        for (int y = inside.top(); y <= inside.bottom(); ++y)
            for (int x = inside.left(); x <= inside.right(); ++x) light += qGray(panel.pixel(x, y));
        EXPECT_GT(light / (inside.width() * inside.height()), 215) << name;
    }
}

TEST(Pictures, FaceNamesAndTheNamesOfLibraryPictures) {
    const std::pair<const char*, const char*> faces[] = {
        {"9h", "Ch09"}, {"Jh", "Ch2J"}, {"Qh", "Ch3Q"}, {"Kh", "Ch4K"}, {"Th", "Ch10"},
        {"Ah", "Ch5A"}, {"9d", "Bu09"}, {"Jd", "Bu2J"}, {"Qd", "Bu3Q"}, {"Kd", "Bu4K"},
        {"Td", "Bu10"}, {"Ad", "Bu5A"}, {"9c", "Kr09"}, {"Jc", "Kr2J"}, {"Qc", "Kr3Q"},
        {"Kc", "Kr4K"}, {"Tc", "Kr10"}, {"Ac", "Kr5A"}, {"9s", "Pi09"}, {"Js", "Pi2J"},
        {"Qs", "Pi3Q"}, {"Ks", "Pi4K"}, {"Ts", "Pi10"}, {"As", "Pi5A"}};
    std::set<QString> seen;
    for (const auto& [latin, name] : faces) {
        const Card c = *parseCard(latin);
        EXPECT_EQ(faceName(c), name) << latin;
        EXPECT_EQ(faceResourceName(c, 0, PictureKind::Bitmap), name);
        EXPECT_EQ(faceResourceName(c, 0, PictureKind::BigPng), QString(name) + "B");
        seen.insert(faceName(c));
    }
    EXPECT_EQ(seen.size(), 24u);
    EXPECT_TRUE(faceName(EmptyCard).isEmpty());

    // Group suffixes: set 6 keeps "Cor" for the court cards and aces, "Mod" for nines and tens.
    EXPECT_EQ(faceResourceName(*parseCard("9h"), 6, PictureKind::Png), "Ch09ModB");
    EXPECT_EQ(faceResourceName(*parseCard("Kh"), 6, PictureKind::Png), "Ch4KCorB");
    EXPECT_EQ(faceResourceName(*parseCard("Ah"), 6, PictureKind::Png), "Ch5ACorB");
    EXPECT_EQ(faceResourceName(*parseCard("Tc"), 25, PictureKind::Bitmap), "Kr10Rhi");
    EXPECT_EQ(faceResourceName(*parseCard("As"), 25, PictureKind::Bitmap), "Pi5ABoy");
    EXPECT_EQ(faceResourceName(*parseCard("Qd"), 27, PictureKind::Bitmap), "Bu3QUSR");
    EXPECT_EQ(faceResourceName(*parseCard("Qd"), 40, PictureKind::Png), "Bu3QFraB");
    EXPECT_EQ(faceLibrary(9), "ZorCards06A.dll");
    EXPECT_EQ(faceLibrary(40), "ZorCards06C.dll");
    EXPECT_EQ(faceLibrary(39), "ZorCards06B.dll");
    EXPECT_TRUE(faceLibrary(0).isEmpty());
    EXPECT_TRUE(faceLibrary(48).isEmpty());
    EXPECT_TRUE(isWideFaceSet(0) && isWideFaceSet(27) && isWideFaceSet(40) && isWideFaceSet(45));
    EXPECT_FALSE(isWideFaceSet(28) || isWideFaceSet(39) || isWideFaceSet(41));
    // Trump symbols: the nines-and-tens suffix; set 11 takes "Mod".
    EXPECT_EQ(trumpSymbolName(1, 0, PictureKind::Bitmap), "Cher");
    EXPECT_EQ(trumpSymbolName(4, 0, PictureKind::Png), "PikiB");
    EXPECT_EQ(trumpSymbolName(2, 11, PictureKind::Bitmap), "BubiMod");
    EXPECT_EQ(trumpSymbolName(3, 19, PictureKind::Png), "KresSeaB");
    // Backs: "U" for narrow cards; ten backs for sets 8 to 11.
    EXPECT_EQ(backResourceName(1, 0, PictureKind::Png, false), "Ob01MoU");
    EXPECT_EQ(backResourceName(7, 0, PictureKind::Bitmap, false), "Ob07Su");
    EXPECT_EQ(backResourceName(10, 9, PictureKind::BigPng, true), "Ob10XXFloB");
    EXPECT_TRUE(backResourceName(8, 3, PictureKind::Png, true).isEmpty());
    EXPECT_EQ(deckBackCount(11), 10);
    EXPECT_EQ(deckBackCount(12), 7);
    // Backgrounds.
    EXPECT_EQ(backgroundResourceName(2, 0, 1), "FonG");
    EXPECT_EQ(backgroundResourceName(2, 0, 5), "FonGB");
    EXPECT_EQ(backgroundResourceName(10, 6, 4), "Fon10FiB");
    EXPECT_EQ(backgroundResourceName(3, 0, 1), "Fon03Gr");
    EXPECT_TRUE(backgroundResourceName(3, 8, 1).isEmpty());
}

// A library in memory: found as a file in a temporary folder, read through the opener.
struct Libraries {
    QTemporaryDir dir;
    std::map<QString, std::map<QString, QImage>> contents;  // file -> name -> picture
    std::vector<QString> messages;

    void add(const QString& file, const QString& name, const QImage& picture) {
        QFile f(QDir(dir.path()).filePath(file));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        contents[file][name] = picture;
    }
    PictureStore store() {
        PictureStore s({dir.path()}, [this](const QString& m) { messages.push_back(m); });
        s.setLibraryOpener([this](const QString& path) -> std::unique_ptr<PictureSource> {
            struct Source : PictureSource {
                std::map<QString, QImage> pictures;
                QImage picture(const QString& name) const override {
                    const auto it = pictures.find(name);
                    return it == pictures.end() ? QImage() : it->second;
                }
            };
            auto source = std::make_unique<Source>();
            source->pictures = contents[QFileInfo(path).fileName()];
            return source;
        });
        return s;
    }
};

QImage solid(int w, int h, QColor c) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(c);
    return img;
}

TEST(PictureStoreLoads, AMissingLibraryGivesTheBuiltInSetAndOneMessage) {
    Libraries libs;
    PictureStore store = libs.store();
    Settings s;
    s.CardFaceSet = 35;
    EXPECT_FALSE(store.LoadCardFaces(s, PictureKind::Png));
    EXPECT_EQ(s.CardFaceSet, 0);
    EXPECT_TRUE(store.wideCards());
    ASSERT_EQ(libs.messages.size(), 1u);
    EXPECT_EQ(libs.messages[0], "Can`t find the file ZorCards06B.dll");
    for (Card c : referenceDeck()) EXPECT_EQ(store.FaceOf(c), store.picture(faceName(c) + "B"));
    EXPECT_TRUE(store.FaceOf(EmptyCard).isNull());
    EXPECT_EQ(store.backCount(), 7);
    EXPECT_EQ(store.backPicture(3), store.picture("Ob03WeB"));

    // The built-in set itself needs no library and says nothing.
    libs.messages.clear();
    EXPECT_TRUE(store.LoadCardFaces(s, PictureKind::Bitmap));
    EXPECT_TRUE(libs.messages.empty());
    EXPECT_EQ(store.FaceOf(*parseCard("Qh")), store.picture("Ch3Q"));
    EXPECT_EQ(store.backPicture(1), store.picture("Ob01Mo"));

    // A missing back set: the built-in backs; the same library was named already.
    s.DeckBackSet = 3;
    EXPECT_FALSE(store.LoadDeckBacks(s, PictureKind::Png));
    EXPECT_EQ(s.DeckBackSet, 0);
    EXPECT_TRUE(libs.messages.empty());
    EXPECT_EQ(store.backPicture(7), store.picture("Ob07SuB"));
}

TEST(PictureStoreLoads, AMissingLibraryIsSaidOnceHoweverOftenTheStoreLoads) {
    Libraries libs;
    PictureStore store = libs.store();
    // Every window size loads faces, backs and the background again, with the settings as the
    // person chose them.
    for (int round = 0; round < 2; ++round)
        for (PictureKind kind : {PictureKind::Bitmap, PictureKind::Png, PictureKind::BigPng}) {
            Settings s;
            s.CardFaceSet = 33;  // narrow faces and the backs, both from "ZorCards06B.dll"
            s.DeckBackSet = 3;
            s.BackgroundTexture = 10;
            EXPECT_FALSE(store.LoadCardFaces(s, kind));
            s.DeckBackSet = 3;
            EXPECT_FALSE(store.LoadDeckBacks(s, kind));
            EXPECT_FALSE(store.LoadBackground(s, 1, 760, 500));
            s.CardFaceSet = 5;
            EXPECT_FALSE(store.LoadCardFaces(s, kind));
        }
    EXPECT_EQ(libs.messages, (std::vector<QString>{"Can`t find the file ZorCards06B.dll",
                                                   "Can`t find the file ZorBackG03.dll",
                                                   "Can`t find the file ZorCards06A.dll"}));
    // Another store is another reader: it says so again.
    PictureStore other = libs.store();
    Settings s;
    s.CardFaceSet = 5;
    EXPECT_FALSE(other.LoadCardFaces(s, PictureKind::Png));
    EXPECT_EQ(libs.messages.size(), 4u);
}

TEST(PictureStoreLoads, NarrowFacesWithoutTheirBacksFallBackToTheBuiltInSet) {
    Libraries libs;
    const QImage narrowNine = solid(126, 198, QColor(10, 200, 10));
    libs.add("ZorCards06A.dll", "Ch09SkTB", narrowNine);
    PictureStore store = libs.store();
    Settings s;
    s.CardFaceSet = 30;
    // At window size 1 (bitmaps) the built-in backs serve narrow cards too.
    EXPECT_TRUE(store.LoadCardFaces(s, PictureKind::Bitmap));
    EXPECT_EQ(s.CardFaceSet, 30);
    EXPECT_FALSE(store.wideCards());
    ASSERT_EQ(libs.messages.size(), 1u);  // the library's gaps
    EXPECT_TRUE(libs.messages[0].startsWith("Can`t find the file ZorCards06A.dll: "));
    libs.messages.clear();
    // At window size 3 the narrow backs are needed from "ZorCards06B.dll", which is missing.
    EXPECT_FALSE(store.LoadCardFaces(s, PictureKind::Png));
    ASSERT_EQ(libs.messages.size(), 1u);
    EXPECT_EQ(libs.messages[0], "Can`t find the file ZorCards06B.dll");
    EXPECT_EQ(s.CardFaceSet, 0);
    EXPECT_EQ(s.DeckBackSet, 0);
    EXPECT_TRUE(store.wideCards());
    EXPECT_EQ(store.FaceOf(*parseCard("9h")), store.picture("Ch09B"));
    EXPECT_EQ(store.back().size(), QSize(146, 198));
}

TEST(PictureStoreLoads, ALibrarySetTakesItsNamesAndFillsGapsFromTheBuiltInSet) {
    Libraries libs;
    const QImage nine = solid(146, 198, QColor(200, 0, 200));
    const QImage symbol = solid(20, 20, QColor(192, 192, 192));
    libs.add("ZorCards06A.dll", "Ch09ModB", nine);
    libs.add("ZorCards06A.dll", "Ch09Mod", nine);
    libs.add("ZorCards06A.dll", "CherMod", symbol);
    for (int b = 1; b <= 10; ++b)
        libs.add("ZorCards06B.dll", backResourceName(b, 9, PictureKind::Png, true),
                 solid(146, 198, QColor(b * 20, 0, 0)));
    PictureStore store = libs.store();
    Settings s;
    s.CardFaceSet = 6;
    s.DeckBackSet = 9;
    EXPECT_TRUE(store.LoadCardFaces(s, PictureKind::Png));
    // The faces library lacks most of the set: that is told once, naming the first gap; the
    // backs library lacks nothing.
    ASSERT_EQ(libs.messages.size(), 1u);
    EXPECT_EQ(libs.messages[0], "Can`t find the file ZorCards06A.dll: Bu09ModB");
    EXPECT_EQ(store.FaceOf(*parseCard("9h")), nine);
    // "Ch4KCorB" is not in the library: the built-in king stands in.
    EXPECT_EQ(store.FaceOf(*parseCard("Kh")), store.picture("Ch4KB"));
    EXPECT_EQ(store.backCount(), 10);
    EXPECT_EQ(store.backPicture(10).pixel(5, 5), qRgb(200, 0, 0));
    // Ten backs: a random one for every deal, whatever the day.
    SeededRandom random(7);
    std::set<int> chosen;
    for (int deal = 0; deal < 60; ++deal) {
        store.ChooseDeckBack(s, 1, &random);
        chosen.insert(store.chosenBack());
    }
    EXPECT_GT(*chosen.rbegin(), 7);
    EXPECT_EQ(*chosen.begin(), 1);

    // At kind 1 a library face becomes a 69 x 94 bitmap, and the 20 x 20 symbol is
    // transparent where its key colour is.
    EXPECT_TRUE(store.LoadCardFaces(s, PictureKind::Bitmap));
    // The faces' gaps were told already; the backs library lacks the small backs.
    ASSERT_EQ(libs.messages.size(), 2u);
    EXPECT_EQ(libs.messages[1], "Can`t find the file ZorCards06B.dll: Ob01MoFlo");
    EXPECT_EQ(store.FaceOf(*parseCard("9h")).size(), QSize(69, 94));
    EXPECT_FALSE(store.FaceOf(*parseCard("9h")).hasAlphaChannel());
    EXPECT_EQ(qAlpha(store.trumpSymbol(kHearts).pixel(10, 10)), 0);
    EXPECT_EQ(store.backPicture(1).size(), QSize(69, 94));
}

TEST(PictureStoreLoads, BackOfTheDayTrumpSymbolsAndBackgrounds) {
    Libraries libs;
    PictureStore store = libs.store();
    Settings s;
    ASSERT_TRUE(store.LoadCardFaces(s, PictureKind::Bitmap));
    store.ChooseDeckBack(s, 2);
    EXPECT_EQ(store.back(), store.picture("Ob02Tu"));
    s.DeckBackFixed = true;
    store.ChooseDeckBack(s, 2);
    EXPECT_EQ(store.back(), store.picture("Ob07Su"));

    // The built-in 20 x 20 symbols: a grey key ground that the store makes transparent.
    const QImage raw = store.picture("Cher");
    EXPECT_EQ(raw.pixel(0, 19), qRgb(192, 192, 192));
    const QImage heart = store.trumpSymbol(kHearts);
    EXPECT_EQ(qAlpha(heart.pixel(0, 19)), 0);
    EXPECT_TRUE(isRed(heart.pixel(10, 10)));
    EXPECT_TRUE(isDark(store.trumpSymbol(kSpades).pixel(10, 10)));
    EXPECT_TRUE(store.trumpSymbol(kNoSuit).isNull());
    ASSERT_TRUE(store.LoadCardFaces(s, PictureKind::BigPng));
    EXPECT_EQ(store.trumpSymbol(kClubs), store.picture("KresB"));

    // Backgrounds: the built-in cloth at size 1, stretched at the others.
    EXPECT_TRUE(store.LoadBackground(s, 1, 760, 500));
    EXPECT_EQ(store.background(), store.picture("FonG"));
    EXPECT_TRUE(store.LoadBackground(s, 2, 1920, 1040));
    EXPECT_EQ(store.background().size(), QSize(1920, 1040));
    s.BackgroundTexture = 10;
    s.BackgroundColour = 6;
    EXPECT_FALSE(store.LoadBackground(s, 3, 990, 650));
    ASSERT_EQ(libs.messages.size(), 1u);
    EXPECT_TRUE(libs.messages[0].endsWith(" ZorBackG03.dll"));
    EXPECT_EQ(s.BackgroundTexture, 2);
    EXPECT_EQ(s.BackgroundColour, 0);
    EXPECT_EQ(store.background().size(), QSize(990, 650));
    // The "Purple" design without its library: one message, the designs off, the cloth.
    libs.messages.clear();
    s.AuxDesignPurple = true;
    s.MainMenuDesign = 1;
    s.TableDesign = 1;
    EXPECT_FALSE(store.LoadBackground(s, 1, 760, 500, true));
    ASSERT_EQ(libs.messages.size(), 1u);
    EXPECT_TRUE(libs.messages[0].endsWith(" ZorCGraph1.dll"));
    EXPECT_FALSE(s.AuxDesignPurple);
    EXPECT_EQ(s.MainMenuDesign, 0);
    EXPECT_EQ(s.TableDesign, 0);
    EXPECT_EQ(store.background(), store.picture("FonG"));
    // With the library the design picture is the background, stretched to the window.
    libs.add("ZorCGraph1.dll", "BGLilu", solid(100, 100, QColor(120, 60, 160)));
    PictureStore withDesign = libs.store();
    EXPECT_TRUE(withDesign.LoadBackground(s, 4, 1290, 850, true));
    EXPECT_EQ(withDesign.background().size(), QSize(1290, 850));
    EXPECT_EQ(withDesign.background().pixel(600, 400), qRgb(120, 60, 160));
}

class Drawn : public ::testing::Test {
  protected:
    PictureStore store;
    TableView view{store};
    void size(int windowSize) {
        Settings s;
        s.WindowSize = windowSize;
        view.applyWindowSize(s, QSize(1920, 1080));
    }
};

TEST_F(Drawn, ABitmapCardHasAnOutlineWithOpenCorners) {
    size(1);
    const Place talon{Place::Kind::Talon, 1};
    view.drawAt(talon, *parseCard("Kd"));
    const QPoint o = view.placePoint(talon);
    const QImage& c = view.canvas();
    EXPECT_EQ(c.pixel(o), view.background().pixel(o));  // the corner pixel stays open
    EXPECT_EQ(c.pixel(o + QPoint(1, 0)), qRgb(0, 0, 0));
    EXPECT_EQ(c.pixel(o + QPoint(1, 1)), qRgb(0, 0, 0));  // one step inside the corner
    EXPECT_EQ(c.pixel(o + QPoint(70, 95)), view.background().pixel(o + QPoint(70, 95)));
    view.clearAt(talon);
    EXPECT_EQ(c.pixel(o + QPoint(35, 48)), view.background().pixel(o + QPoint(35, 48)));
}

TEST_F(Drawn, AMarkDrawnTwiceGivesBackThePixelsAndKeepsRoundedCorners) {
    size(3);
    HandArray hand;
    int n = 0;
    for (const char* name : {"9h", "Qh", "Ac", "Td", "Ks"}) hand[++n] = *parseCard(name);
    view.drawHand(3, hand, n, true);
    const QImage before = view.canvas().copy();
    view.markCard(2);
    const QRect strip = view.markStrip(2);
    EXPECT_NE(view.canvas().pixel(strip.center()), before.pixel(strip.center()));
    EXPECT_EQ(view.canvas().pixel(strip.topLeft()), before.pixel(strip.topLeft()));  // rounded
    EXPECT_EQ(view.canvas().pixel(strip.right() + 3, strip.center().y()),
              before.pixel(strip.right() + 3, strip.center().y()));  // the next card is untouched
    view.markCard(2);
    EXPECT_EQ(view.canvas(), before);
}

TEST_F(Drawn, ScoreboardCommandsBarrelBoltsAndTheEndOfGame) {
    size(1);
    PanelUpdate all;
    all.redrawPanel = true;
    all.turnMark = true;
    all.dealPoints = PanelNumber::show(40);
    all.score = PanelNumber::show(500);
    all.bid = PanelNumber::show(120);
    view.scoreboard(1, all);
    const QImage before = view.canvas().copy();
    // Everything left as it is but the turn mark, which is removed.
    PanelUpdate unmark;
    unmark.turnMark = false;
    view.scoreboard(1, unmark);
    int changed = 0, outsideMark = 0;
    const QRect mark(88 + 15, 140 + 50, 35, 31);
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            if (view.canvas().pixel(x, y) != before.pixel(x, y)) {
                ++changed;
                if (!mark.contains(x, y)) ++outsideMark;
            }
    EXPECT_GT(changed, 0);
    EXPECT_EQ(outsideMark, 0);
    // The barrel and the bolts show as they are told.
    auto countIn = [&](const QRect& r, auto pred) {
        int k = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) k += pred(view.canvas().pixel(x, y));
        return k;
    };
    const QRect barrel(88 + 20, 140 + 17, 17, 24);
    auto brown = [](QRgb c) { return qRed(c) > qBlue(c) + 40 && qGreen(c) < qRed(c); };
    PanelUpdate u;
    u.redrawPanel = true;
    u.dealPoints = PanelNumber::show(0);
    u.score = PanelNumber::show(121);
    u.bid = PanelNumber::erase();
    u.barrel = false;
    view.scoreboard(1, u);
    const int without = countIn(barrel, brown);
    u.score = PanelNumber::show(120);
    u.barrel = true;
    view.scoreboard(1, u);
    EXPECT_GT(countIn(barrel, brown), without + 50);
    const QRect bolt(88 + 115, 140 + 17, 13, 24);
    // The bolt is bluish steel; the panel around it is warm cream.
    auto steel = [](QRgb c) { return qBlue(c) >= qRed(c) + 4 && qRed(c) > 50; };
    u.bolts = 2;
    view.scoreboard(1, u);
    EXPECT_GT(countIn(bolt, steel), 20);
    u.bolts = 0;
    view.scoreboard(1, u);
    EXPECT_EQ(countIn(bolt, steel), 0);
    // At the game's end the figures are red.
    u.dealPoints = PanelNumber::show(150);
    u.score = PanelNumber::show(0);
    u.finalColours = true;
    view.scoreboard(1, u);
    auto pureRed = [](QRgb c) { return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60; };
    EXPECT_GT(countIn(QRect(88 + 15, 140 + 15, 125, 31), pureRed), 20);
}

}  // namespace
}  // namespace orvala::table

namespace orvala::table {
namespace {

TEST(ResourceLibraries, AFileThatIsNoResourceFileIsRefusedAndCountsAsMissing) {
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath("ZorCards06A.dll");
    EXPECT_EQ(ResourceLibrary::open(path), nullptr);  // not there
    for (const QByteArray& bytes : {QByteArray(), QByteArray("MZ\x90\0\3\0\0\0", 8),
                                    QByteArray("qres\0\0\0\3", 8), QByteArray(4096, '\xff')}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        f.close();
        EXPECT_EQ(ResourceLibrary::open(path), nullptr) << bytes.size();
        // The store's own reader says it cannot find the file and keeps the built-in set.
        std::vector<QString> messages;
        PictureStore store({dir.path()}, [&](const QString& m) { messages.push_back(m); });
        Settings s;
        s.CardFaceSet = 3;
        EXPECT_FALSE(store.LoadCardFaces(s, PictureKind::Png));
        EXPECT_EQ(s.CardFaceSet, 0);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0], "Can`t find the file ZorCards06A.dll");
    }
}

}  // namespace
}  // namespace orvala::table
