// The built libraries through the game's own loader: every face set, back set, texture and
// colour can be chosen and shows at every window size, with no message and no fallback.

#include <gtest/gtest.h>

#include "table/picture_store.h"
#include "table/table_view.h"

namespace orvala::table {
namespace {

struct Loader {
    std::vector<QString> messages;
    PictureStore store{{QString(ORVALA_LIBRARY_DIR)},
                       [this](const QString& m) { messages.push_back(m); }};
    TableView view{store};
};

QImage rgb(const QImage& i) {
    return i.convertToFormat(QImage::Format_RGB32);
}

TEST(LibrariesInUse, EveryFaceSetAtEveryWindowSize) {
    Loader l;
    const QSize screen(1920, 1080);
    const Card aceOfSpades = *parseCard("As");
    std::map<int, QImage> aces;  // set -> its ace at window size 3
    for (int set = 1; set <= 47; ++set) {
        for (int size = 1; size <= 5; ++size) {
            Settings s;
            s.CardFaceSet = set;
            s.WindowSize = size;
            l.view.applyWindowSize(s, screen);
            ASSERT_TRUE(l.messages.empty()) << set << " " << l.messages[0].toStdString();
            EXPECT_EQ(s.CardFaceSet, set);
            const bool wide = isWideFaceSet(set);
            EXPECT_EQ(l.store.wideCards(), wide) << set;
            const Scales sc = scalesFor(size, screen.width(), screen.height());
            const CardSize expected = cardSizeFor(sc.s, wide);
            EXPECT_EQ(l.view.cardSize(), QSize(expected.cw, expected.ch)) << set << " " << size;
            // The face drawn is the set's own, not the built-in one.
            const QImage face = l.store.FaceOf(aceOfSpades);
            ASSERT_FALSE(face.isNull());
            const QImage builtIn =
                l.store.picture(faceName(aceOfSpades) + (size == 1 ? "" : "B"));
            EXPECT_NE(rgb(face.scaled(builtIn.size())), rgb(builtIn)) << set << " " << size;
            // Narrow sets at sizes above 1 take the narrow backs.
            EXPECT_EQ(l.store.back().width(), size == 1 ? 69 : wide ? 146 : 126) << set << " " << size;
            if (size == 3) aces[set] = l.view.cardImage(aceOfSpades, true);
        }
    }
    EXPECT_NE(rgb(aces[9]), rgb(aces[40]));  // one suffix, two libraries
}

TEST(LibrariesInUse, EveryBackSetEveryTextureAndColourAndThePurpleDesign) {
    Loader l;
    for (int set = 1; set <= 12; ++set) {
        Settings s;
        s.DeckBackSet = set;
        ASSERT_TRUE(l.store.LoadCardFaces(s, PictureKind::Png)) << set;
        EXPECT_EQ(l.store.backCount(), deckBackCount(set));
        for (int b = 1; b <= deckBackCount(set); ++b)
            EXPECT_EQ(l.store.backPicture(b).size(), QSize(146, 198)) << set << " " << b;
        EXPECT_NE(rgb(l.store.backPicture(1)), rgb(l.store.picture("Ob01MoB"))) << set;
    }
    for (int texture = 1; texture <= 10; ++texture)
        for (int colour = 0; colour <= 6; ++colour)
            for (int size : {1, 4}) {
                Settings s;
                s.BackgroundTexture = texture;
                s.BackgroundColour = colour;
                const QSize window = size == 1 ? QSize(760, 500) : QSize(1540, 1013);
                ASSERT_TRUE(l.store.LoadBackground(s, size, window.width(), window.height()));
                EXPECT_EQ(s.BackgroundTexture, texture);
                EXPECT_EQ(l.store.background().size(), window) << texture << " " << colour;
            }
    Settings s;
    s.MainMenuDesign = 1;
    ASSERT_TRUE(l.store.LoadBackground(s, 3, 988, 650, true));
    const QColor centre = l.store.background().pixelColor(494, 325);
    EXPECT_GT(centre.blue(), centre.green());  // purple
    EXPECT_GT(centre.red(), centre.green());
    EXPECT_EQ(l.store.designPicture("GTouch").size(), QSize(3000, 100));
    EXPECT_TRUE(l.messages.empty());
}

}  // namespace
}  // namespace orvala::table
