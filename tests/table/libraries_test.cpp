// The optional picture libraries as the build makes them: every name the game asks for is there
// and decodes at its size, the sets and backs are each their own, and artgen draws the same
// bytes every time.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QProcess>
#include <QResource>
#include <QTemporaryDir>
#include <map>
#include <set>

#include "core/lang/language.h"
#include "table/art_names.h"
#include "table/picture_names.h"

namespace orvala::table {
namespace {

// A library file registered at ":/" + its name while in scope, as the game's loader does.
class Library {
  public:
    explicit Library(const QString& file)
        : path_(QString(ORVALA_LIBRARY_DIR) + "/" + file), root_("/" + file) {
        registered_ = QResource::registerResource(path_, root_);
    }
    ~Library() {
        if (registered_) QResource::unregisterResource(path_, root_);
    }
    bool registered() const { return registered_; }
    QImage picture(const QString& name) const { return QImage(":" + root_ + "/" + name); }
    QByteArray format(const QString& name) const {
        return QImageReader(":" + root_ + "/" + name).format();
    }
    QStringList names() const { return QDir(":" + root_).entryList(QDir::Files); }

  private:
    QString path_, root_;
    bool registered_ = false;
};

const PictureKind kBitmap = PictureKind::Bitmap, kPng = PictureKind::Png;

// How many pixels of two pictures of one size differ clearly.
int differingPixels(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    if (x.size() != y.size()) return x.width() * x.height();
    int n = 0;
    for (int j = 0; j < x.height(); ++j)
        for (int i = 0; i < x.width(); ++i) {
            const QRgb p = x.pixel(i, j), q = y.pixel(i, j);
            n += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                     std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q)) >
                 40;
        }
    return n;
}

TEST(Libraries, EveryFaceAndSymbolOfEverySetIsThereAtItsSize) {
    std::map<QString, std::unique_ptr<Library>> libraries;
    for (const char* file : {kFacesLibraryA, kFacesLibraryB, kFacesLibraryC}) {
        libraries[file] = std::make_unique<Library>(file);
        ASSERT_TRUE(libraries[file]->registered()) << file;
    }
    std::map<QString, std::set<QString>> expected;
    const QRgb key = qRgb(art::kSymbolKeyRed, art::kSymbolKeyGreen, art::kSymbolKeyBlue);
    for (int set = 1; set <= 47; ++set) {
        const Library& lib = *libraries[faceLibrary(set)];
        const int wide = isWideFaceSet(set) ? art::kPngFaceWidth : art::kNarrowPngFaceWidth;
        for (int suit = 1; suit <= 4; ++suit) {
            for (int rank = 1; rank <= 6; ++rank) {
                const QString small = faceResourceName(suit, rank, set, kBitmap);
                const QString big = faceResourceName(suit, rank, set, kPng);
                expected[faceLibrary(set)].insert({small, big});
                const QImage s = lib.picture(small), b = lib.picture(big);
                ASSERT_EQ(s.size(), QSize(69, 94)) << "set " << set << " " << small.toStdString();
                ASSERT_EQ(b.size(), QSize(wide, 198)) << "set " << set << " " << big.toStdString();
                EXPECT_EQ(lib.format(big), "png") << big.toStdString();
            }
            const QString symbol = trumpSymbolName(suit, set, kBitmap);
            const QString symbolB = trumpSymbolName(suit, set, kPng);
            expected[faceLibrary(set)].insert({symbol, symbolB});
            const QImage s = lib.picture(symbol).convertToFormat(QImage::Format_RGB32);
            ASSERT_EQ(s.size(), QSize(20, 20)) << symbol.toStdString();
            // The ground is the key colour, exactly, and the pip is something else.
            EXPECT_EQ(s.pixel(0, 0), key) << symbol.toStdString();
            EXPECT_EQ(s.pixel(19, 19), key) << symbol.toStdString();
            int pip = 0;
            for (int y = 0; y < 20; ++y)
                for (int x = 0; x < 20; ++x) pip += s.pixel(x, y) != key;
            EXPECT_GT(pip, 50) << symbol.toStdString();
            const QImage b = lib.picture(symbolB);
            ASSERT_EQ(b.size(), QSize(40, 40)) << symbolB.toStdString();
            EXPECT_TRUE(b.hasAlphaChannel());
            EXPECT_EQ(qAlpha(b.pixel(0, 0)), 0);
            int opaque = 0;
            for (int y = 0; y < 40; ++y)
                for (int x = 0; x < 40; ++x) opaque += qAlpha(b.pixel(x, y)) == 255;
            EXPECT_GT(opaque, 250) << symbolB.toStdString();
        }
    }
    // Each library holds exactly the names asked for: a shared name ("Kr10ModB" of sets 2, 6,
    // 7, 10, 13) only once.
    // (The backs of "ZorCards06B.dll" are checked below.)
    for (const auto& [file, names] : expected) {
        QStringList missing, extra;
        const QStringList held = libraries[file]->names();
        const std::set<QString> heldSet(held.begin(), held.end());
        for (const QString& name : names)
            if (!heldSet.count(name)) missing << name;
        for (const QString& name : held)
            if (!names.count(name) && !name.startsWith("Ob")) extra << name;
        EXPECT_TRUE(missing.isEmpty())
            << file.toStdString() << ": " << missing.join(' ').toStdString();
        EXPECT_TRUE(extra.isEmpty()) << file.toStdString() << ": " << extra.join(' ').toStdString();
    }
    EXPECT_EQ(libraries[kFacesLibraryA]->picture("Pi5ASkTB").width(), 126);
}

TEST(Libraries, SetsAndFiguresLookTheirOwn) {
    Library a(kFacesLibraryA), c(kFacesLibraryC);
    ASSERT_TRUE(a.registered() && c.registered());
    Library b(kFacesLibraryB);
    ASSERT_TRUE(b.registered());
    const auto face = [&](int set, int suit, int rank) {
        const Library& lib = set >= 40 ? c : set >= 32 ? b : a;
        return lib.picture(faceResourceName(suit, rank, set, kPng));
    };
    // The ace of spades of sets 1, 2 and 40 (40 shares set 9's suffix, in another library).
    const QImage ace1 = face(1, 4, 6), ace2 = face(2, 4, 6), ace40 = face(40, 4, 6);
    const QImage ace9 = face(9, 4, 6);
    EXPECT_GT(differingPixels(ace1, ace2), 500);
    EXPECT_GT(differingPixels(ace1, ace40), 500);
    EXPECT_GT(differingPixels(ace9, ace40), 500);
    // Every set's king of hearts differs from every other set's of the same width.
    std::vector<QImage> kings(48);
    for (int s = 1; s <= 47; ++s) kings[s] = face(s, 1, 4);
    for (int s = 1; s <= 47; ++s)
        for (int t = s + 1; t <= 47; ++t) {
            if (isWideFaceSet(s) != isWideFaceSet(t)) continue;
            EXPECT_GT(differingPixels(kings[s], kings[t]), 300) << s << " " << t;
        }
    // Jack, queen and king of one set are different figures.
    EXPECT_GT(differingPixels(face(3, 1, 2), face(3, 1, 3)), 300);
    EXPECT_GT(differingPixels(face(3, 1, 3), face(3, 1, 4)), 300);
    // Red suits are red and the narrow sets narrow also at the small size (the full width of
    // the bitmap is used).
    const QImage heart = face(1, 1, 1).convertToFormat(QImage::Format_ARGB32);
    int red = 0;
    for (int y = 0; y < heart.height(); ++y)
        for (int x = 0; x < heart.width(); ++x) {
            const QRgb p = heart.pixel(x, y);
            red += qRed(p) > 150 && qGreen(p) < 100 && qBlue(p) < 100;
        }
    EXPECT_GT(red, 1000);
    for (int set : {28, 35, 41, 47}) EXPECT_EQ(face(set, 2, 3).width(), 126) << set;
    for (int set : {1, 27, 40, 45}) EXPECT_EQ(face(set, 2, 3).width(), 146) << set;
}

TEST(Libraries, EveryBackOfEverySetInEveryKind) {
    Library b(kFacesLibraryB);
    ASSERT_TRUE(b.registered());
    for (int set = 1; set <= 12; ++set) {
        std::vector<QImage> seen;
        for (int n = 1; n <= deckBackCount(set); ++n) {
            const QImage small = b.picture(backResourceName(n, set, kBitmap, true));
            const QImage wide = b.picture(backResourceName(n, set, kPng, true));
            const QImage narrow = b.picture(backResourceName(n, set, PictureKind::BigPng, false));
            ASSERT_EQ(small.size(), QSize(69, 94)) << set << " " << n;
            ASSERT_EQ(wide.size(), QSize(146, 198)) << set << " " << n;
            ASSERT_EQ(narrow.size(), QSize(126, 198)) << set << " " << n;
            for (const QImage& other : seen)
                EXPECT_GT(differingPixels(other, wide), 2000) << "set " << set << " back " << n;
            seen.push_back(wide);
        }
        EXPECT_TRUE(b.picture(backResourceName(1, set, kPng, true) + "X").isNull());
    }
    EXPECT_EQ(deckBackCount(9), 10);
    EXPECT_FALSE(b.picture("Ob10XXFloU").isNull());
    // The built-in set's backs for narrow cards.
    for (int n = 1; n <= art::kBuiltInBacks; ++n) {
        const QString name = backResourceName(n, 0, kPng, false);
        EXPECT_EQ(b.picture(name).size(), QSize(126, 198)) << name.toStdString();
    }
    EXPECT_EQ(backResourceName(1, 0, kPng, false), "Ob01MoU");
}

TEST(Libraries, EveryBackgroundAtBothSizesAndTheDesignPictures) {
    Library g(kBackgroundLibrary), d(kDesignLibrary);
    ASSERT_TRUE(g.registered() && d.registered());
    QImage first;
    for (int texture = 1; texture <= 10; ++texture)
        for (int colour = 0; colour <= 6; ++colour) {
            if (texture == 2 && colour == 0) continue;  // the built-in "FonG"
            const QString small = backgroundResourceName(texture, colour, 1);
            const QString big = backgroundResourceName(texture, colour, 4);
            EXPECT_EQ(g.format(small), "jpeg") << small.toStdString();
            EXPECT_EQ(g.picture(small).size(), QSize(760, 500)) << small.toStdString();
            EXPECT_EQ(g.picture(big).size(), QSize(1920, 922)) << big.toStdString();
        }
    // Textures and colours differ.
    EXPECT_GT(differingPixels(g.picture("Fon01Gr"), g.picture("Fon01Re")), 100000);
    EXPECT_GT(differingPixels(g.picture("Fon01B2"), g.picture("Fon07B2")), 5000);
    EXPECT_EQ(g.names().size(), 69 * 2);

    EXPECT_EQ(d.picture("BGLilu").size(), QSize(1920, 922));
    const QRgb lilu = d.picture("BGLilu").pixel(960, 461);
    EXPECT_GT(qBlue(lilu), qGreen(lilu) + 30);  // purple
    EXPECT_GT(qRed(lilu), qGreen(lilu) + 20);
    const QImage strip = d.picture("GTouch");
    ASSERT_EQ(strip.size(), QSize(3000, 100));
    ASSERT_TRUE(strip.hasAlphaChannel());
    // The burst grows: the last frames reach farther than the first and then fade away.
    const auto opaqueIn = [&](int frame) {
        int n = 0;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x) n += qAlpha(strip.pixel(frame * 100 + x, y)) > 60;
        return n;
    };
    EXPECT_GT(opaqueIn(10), opaqueIn(0));
    EXPECT_LT(opaqueIn(29), opaqueIn(10) / 4);
    EXPECT_EQ(qAlpha(strip.pixel(0, 0)), 0);
    EXPECT_EQ(d.picture("GIcon48Opt").size(), QSize(48, 48));
    for (int language = 0; language <= 7; ++language) {
        const QString code = QString::fromUtf8(PictureCode(language));
        EXPECT_FALSE(d.picture("GFormOpt" + code).isNull()) << code.toStdString();
        EXPECT_FALSE(d.picture("GFormHistory" + code).isNull()) << code.toStdString();
    }
    EXPECT_GT(differingPixels(d.picture("GFormOptEng"), d.picture("GFormOptRus")), 300);
    EXPECT_GT(differingPixels(d.picture("GFormOptChi"), d.picture("GFormHistoryChi")), 300);
}

// artgen draws the same bytes twice, and the same as the build's library holds.
TEST(Libraries, ArtgenDrawsTheSameBytesEveryTime) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto artgen = [&](const QString& library, const QString& out) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        p.setProcessEnvironment(env);
        p.start(ORVALA_ARTGEN, {"--library", library, out});
        if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit) return -1;
        return p.exitCode();
    };
    ASSERT_EQ(artgen(kDesignLibrary, dir.filePath("one")), 0);
    ASSERT_EQ(artgen(kDesignLibrary, dir.filePath("two")), 0);
    const QStringList files = QDir(dir.filePath("one")).entryList(QDir::Files);
    EXPECT_EQ(files, QDir(dir.filePath("two")).entryList(QDir::Files));
    EXPECT_GT(files.size(), 10);
    Library d(kDesignLibrary);
    ASSERT_TRUE(d.registered());
    for (const QString& f : files) {
        QFile a(dir.filePath("one/" + f)), b(dir.filePath("two/" + f));
        ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        const QByteArray bytes = a.readAll();
        EXPECT_EQ(bytes, b.readAll()) << f.toStdString();
        if (f.endsWith(".qrc")) continue;
        const QResource built(":/" + QString(kDesignLibrary) + "/" + f.section('.', 0, 0));
        ASSERT_TRUE(built.isValid()) << f.toStdString();
        EXPECT_EQ(built.compressionAlgorithm(), QResource::Compression::NoCompression);
        EXPECT_EQ(built.uncompressedData(), bytes) << f.toStdString();
    }
    // An unknown library is refused.
    EXPECT_EQ(artgen("NoSuch.dll", dir.filePath("three")), 2);
    EXPECT_FALSE(QDir(dir.filePath("three")).exists());
}

}  // namespace
}  // namespace orvala::table
