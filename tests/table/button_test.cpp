// The owner-drawn buttons: recolouring, the gradient tables, the built-in button pictures, the
// painting of a face by its rules, and the button widget's properties, signals and repainting,
// under the offscreen platform.

#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QMap>
#include <QTest>
#include <QVBoxLayout>
#include <set>

#include "core/lang/word_table.h"
#include "table/button_look.h"
#include "table/fonts.h"
#include "table/smooth_resize.h"
#include "table/zor_cards_button.h"

namespace orvala::table {
namespace {

using art::ButtonRgb;

QRgb rgbOf(ButtonRgb c) {
    return qRgb(c.r, c.g, c.b);
}

// Pictures by name, for faces whose parts must be told apart.
class FakePictures final : public PictureSource {
  public:
    QMap<QString, QImage> images;
    QImage picture(const QString& name) const override { return images.value(name); }
};

QImage solid(int w, int h, QColor c) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(c);
    return img;
}

// An opaque picture whose every pixel differs, to tell resizings apart.
QImage ramp(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb(20 + 15 * x, 4 * y, 100));
    return img;
}

QRgb at(const QImage& img, int x, int y) {
    return img.pixel(x, y);
}

const QColor kGround(30, 90, 40);

QImage face(int w, int h, const ButtonState& s, const ButtonLook& look, const ButtonContent& c = {},
            const PictureSource* pictures = nullptr) {
    static const BuiltInPictures builtIn;
    return paintButtonFace(solid(w, h, kGround), QSize(w, h), s, look, c,
                           pictures ? *pictures : builtIn)
        .convertToFormat(QImage::Format_ARGB32);
}

// The pixels where two paintings differ.
std::vector<QPoint> differing(const QImage& a, const QImage& b) {
    std::vector<QPoint> out;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) out.emplace_back(x, y);
    return out;
}

QRect bounds(const std::vector<QPoint>& points) {
    QRect r;
    for (const QPoint& p : points) r |= QRect(p, QSize(1, 1));
    return r;
}

QFont captionFont() {
    QFont f("DejaVu Sans");
    f.setPixelSize(14);
    f.setBold(true);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

ButtonContent caption(const QString& text, QColor colour = Qt::white) {
    ButtonContent c;
    c.caption = text;
    c.font = captionFont();
    c.fontColour = colour;
    return c;
}

// The caption's pixels: where a painting with the caption differs from one without.
std::vector<QPoint> captionPixels(int w, int h, const ButtonState& s, const ButtonLook& look,
                                  ButtonContent c) {
    const QImage with = face(w, h, s, look, c);
    c.caption.clear();
    return differing(with, face(w, h, s, look, c));
}

std::set<QRgb> coloursAt(const QImage& img, const std::vector<QPoint>& points) {
    std::set<QRgb> out;
    for (const QPoint& p : points) out.insert(img.pixel(p));
    return out;
}

TEST(ButtonRecolour, EverySchemeWorkedByHand) {
    const QRgb c = qRgb(200, 100, 50);
    EXPECT_EQ(recolour(c, TColorSB::DRed, 0), qRgb(200, 100, 50));
    EXPECT_EQ(recolour(c, TColorSB::DGreen, 0), qRgb(100, 200, 50));
    EXPECT_EQ(recolour(c, TColorSB::DBlue, 0), qRgb(50, 200, 200));
    EXPECT_EQ(recolour(c, TColorSB::DNavy, 0), qRgb(50, 100, 200));
    EXPECT_EQ(recolour(c, TColorSB::DYellow, 0), qRgb(200, 200, 50));
    EXPECT_EQ(recolour(c, TColorSB::DViolet, 0), qRgb(200, 100, 200));
    // DOrang: b' = round(35) = 35, g' = 35 + round(0.4 * 165) = 101.
    EXPECT_EQ(recolour(c, TColorSB::DOrang, 0), qRgb(200, 101, 35));
    // b' = round(14) = 14, g' = 14 + round(96.4) = 110.
    EXPECT_EQ(recolour(qRgb(255, 0, 20), TColorSB::DOrang, 0), qRgb(255, 110, 14));
    // Red not above both green and blue: unchanged.
    EXPECT_EQ(recolour(qRgb(100, 200, 50), TColorSB::DOrang, 0), qRgb(100, 200, 50));
    EXPECT_EQ(recolour(qRgb(150, 150, 10), TColorSB::DOrang, 0), qRgb(150, 150, 10));
    EXPECT_EQ(recolour(qRgb(150, 10, 150), TColorSB::DOrang, 0), qRgb(150, 10, 150));
    // DCards: (round(0.7 r), 0, r).
    EXPECT_EQ(recolour(c, TColorSB::DCards, 0), qRgb(140, 0, 200));
    EXPECT_EQ(recolour(qRgb(128, 0, 0), TColorSB::DCards, 0), qRgb(90, 0, 128));
    // Alpha goes through untouched, and DRed without lightening returns the colour as it is.
    EXPECT_EQ(recolour(qRgba(200, 100, 50, 77), TColorSB::DNavy, 0), qRgba(50, 100, 200, 77));
    EXPECT_EQ(recolour(qRgba(1, 2, 3, 4), TColorSB::DRed, 0), qRgba(1, 2, 3, 4));
}

TEST(ButtonRecolour, LighteningTowardsWhite) {
    // v + round((255 - v) * 0.4): 200 + 22, 100 + 62, 50 + 82.
    EXPECT_EQ(recolour(qRgb(200, 100, 50), TColorSB::DRed, 40), qRgb(222, 162, 132));
    EXPECT_EQ(recolour(qRgb(200, 100, 50), TColorSB::DGreen, 40), qRgb(162, 222, 132));
    EXPECT_EQ(recolour(qRgb(200, 100, 50), TColorSB::DCards, 40), qRgb(186, 102, 222));
    for (int s = 0; s <= static_cast<int>(TColorSB::DCards); ++s)
        for (int r = 0; r <= 255; r += 51)
            for (int g = 0; g <= 255; g += 85)
                for (int b = 0; b <= 255; b += 85) {
                    EXPECT_EQ(recolour(qRgb(r, g, b), TColorSB(s), 100), qRgb(255, 255, 255));
                    // A byte above 100 per cent stays white rather than running over.
                    EXPECT_EQ(recolour(qRgb(r, g, b), TColorSB(s), 250), qRgb(255, 255, 255));
                }
}

TEST(ButtonRecolour, PicturesAndTheNewLooksRules) {
    QImage pic(5, 1, QImage::Format_ARGB32);
    pic.setPixel(0, 0, qRgba(40, 0, 0, 255));     // far from pure red: distance 215
    pic.setPixel(1, 0, qRgba(200, 100, 50, 90));  // near: distance 124.6
    pic.setPixel(2, 0, qRgb(75, 0, 0));           // exactly 180: far
    pic.setPixel(3, 0, qRgb(76, 0, 0));           // 179: near
    pic.setPixel(4, 0, qRgba(255, 255, 255, 0));  // far

    // Without the new look every pixel follows the colour rule, alpha kept.
    const QImage plain = recolourPicture(pic, TColorSB::DCards, 40, false);
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(plain.pixel(x, 0), recolour(pic.pixel(x, 0), TColorSB::DCards, 40)) << x;
    EXPECT_EQ(recolourPicture(pic, TColorSB::DCards, 0, false).pixel(3, 0), qRgb(53, 0, 76));

    // New look, DCards: far pixels untouched, near ones (round(0.6 r), round(0.7 g), r).
    const QImage cards = recolourPicture(pic, TColorSB::DCards, 0, true);
    EXPECT_EQ(cards.pixel(0, 0), qRgb(40, 0, 0));
    EXPECT_EQ(cards.pixel(1, 0), qRgba(120, 70, 200, 90));
    EXPECT_EQ(cards.pixel(2, 0), qRgb(75, 0, 0));
    EXPECT_EQ(cards.pixel(3, 0), qRgb(46, 0, 76));
    // ... then lightened, far pixels not.
    const QImage light = recolourPicture(pic, TColorSB::DCards, 40, true);
    EXPECT_EQ(light.pixel(0, 0), qRgb(40, 0, 0));
    EXPECT_EQ(light.pixel(1, 0), qRgba(174, 144, 222, 90));
    // Other schemes still recolour far pixels, but never lighten them.
    const QImage green = recolourPicture(pic, TColorSB::DGreen, 50, true);
    EXPECT_EQ(green.pixel(0, 0), qRgb(0, 40, 0));
    EXPECT_EQ(green.pixel(1, 0), recolour(qRgba(200, 100, 50, 90), TColorSB::DGreen, 50));
    EXPECT_EQ(qAlpha(green.pixel(4, 0)), 0);
}

TEST(ButtonGradient, TablesHaveTheirShape) {
    ASSERT_EQ(art::buttonGradient(0).size(), 29u);
    ASSERT_EQ(art::buttonGradient(1).size(), 44u);
    ASSERT_EQ(art::buttonGradient(2).size(), 59u);
    const auto& t29 = art::kButtonGradient29;
    EXPECT_EQ(t29[2], (ButtonRgb{135, 91, 91}));
    EXPECT_EQ(t29[3], (ButtonRgb{232, 173, 173}));
    EXPECT_EQ(t29[14], (ButtonRgb{152, 36, 36}));
    // The taller ramps step the way the 30-pixel one does.
    for (int k = 0; k < 13; ++k) EXPECT_EQ(t29[15 + k].r, 136 + 102 * k / 12) << k;

    struct Shape {
        int cls, nearBlack, highlight, ramp, rampFrom, rampTo;
        ButtonRgb pale;
    };
    for (const Shape& s : {Shape{0, 17, 13, 13, 136, 238, {232, 173, 173}},
                           Shape{1, 11, 21, 20, 136, 244, {239, 180, 180}},
                           Shape{2, 9, 28, 28, 132, 246, {243, 183, 183}}}) {
        const auto t = art::buttonGradient(s.cls);
        const int n = static_cast<int>(t.size());
        ASSERT_EQ(2 + s.highlight + s.ramp + 1, n);
        EXPECT_EQ(t[0], (ButtonRgb{128, 0, 0}));
        EXPECT_EQ(t[1], (ButtonRgb{s.nearBlack, 0, 0}));
        EXPECT_EQ(t[3], s.pale);
        EXPECT_EQ(t[static_cast<std::size_t>(1 + s.highlight)], (ButtonRgb{152, 36, 36}));
        EXPECT_EQ(t[static_cast<std::size_t>(n - 1)], (ButtonRgb{128, 0, 0}));
        // The highlight darkens downwards and stays a tint of red.
        for (int y = 4; y <= 1 + s.highlight; ++y) {
            const auto& a = t[static_cast<std::size_t>(y - 1)];
            const auto& b = t[static_cast<std::size_t>(y)];
            EXPECT_LE(b.r, a.r) << s.cls << " row " << y;
            EXPECT_LT(b.g, a.g) << s.cls << " row " << y;
            EXPECT_EQ(b.g, b.b);
            EXPECT_GT(b.r, b.g);
        }
        // The ramp is pure red, brightening from its first to its last value.
        const int first = 2 + s.highlight;
        EXPECT_EQ(t[static_cast<std::size_t>(first)].r, s.rampFrom);
        EXPECT_EQ(t[static_cast<std::size_t>(first + s.ramp - 1)].r, s.rampTo);
        for (int y = first; y < first + s.ramp; ++y) {
            const auto& c = t[static_cast<std::size_t>(y)];
            EXPECT_EQ(c.g, 0);
            EXPECT_EQ(c.b, 0);
            if (y > first) {
                EXPECT_GT(c.r, t[static_cast<std::size_t>(y - 1)].r);
            }
        }
    }
}

TEST(ButtonPictures, BuiltInEndsAndStripsMeetSeamlessly) {
    const BuiltInPictures pictures;
    for (const bool nata : {false, true})
        for (int cls = 0; cls < 3; ++cls) {
            const auto& k = art::kButtonClasses[static_cast<std::size_t>(cls)];
            const QImage l = pictures.picture(buttonPictureName(cls, nata, 'L'))
                                 .convertToFormat(QImage::Format_ARGB32);
            const QImage r = pictures.picture(buttonPictureName(cls, nata, 'R'))
                                 .convertToFormat(QImage::Format_ARGB32);
            const QImage m = pictures.picture(buttonPictureName(cls, nata, '2'))
                                 .convertToFormat(QImage::Format_ARGB32);
            const QString what = buttonPictureName(cls, nata, '_');
            ASSERT_EQ(l.size(), QSize(k.endWidth, k.pictureHeight)) << qPrintable(what);
            ASSERT_EQ(r.size(), l.size());
            ASSERT_EQ(m.size(), QSize(2, k.pictureHeight));
            // Rounded: transparent at the outer corners, opaque in the middle of the edge.
            EXPECT_EQ(qAlpha(l.pixel(0, 0)), 0);
            EXPECT_EQ(qAlpha(l.pixel(0, k.pictureHeight - 1)), 0);
            EXPECT_EQ(qAlpha(l.pixel(1, k.pictureHeight / 2)), 255);
            for (int y = 0; y < k.pictureHeight; ++y) {
                // The right end mirrors the left one.
                for (int x = 0; x < k.endWidth; ++x)
                    EXPECT_EQ(r.pixel(k.endWidth - 1 - x, y), l.pixel(x, y));
                // The end's inner column is the strip, and the strip is the table.
                EXPECT_EQ(l.pixel(k.endWidth - 1, y), m.pixel(0, y)) << qPrintable(what) << y;
                EXPECT_EQ(m.pixel(1, y), m.pixel(0, y));
                if (!nata) {
                    EXPECT_EQ(m.pixel(0, y),
                              rgbOf(art::buttonGradient(cls)[static_cast<std::size_t>(y)]));
                }
                // Red tones only, so that recolouring makes the other schemes.
                for (int x = 0; x < k.endWidth; ++x) {
                    const QRgb p = l.pixel(x, y);
                    EXPECT_EQ(qGreen(p), qBlue(p));
                    EXPECT_GE(qRed(p), qGreen(p));
                }
            }
        }
}

TEST(ButtonPaint, ExactHeightsDrawTheMiddleFromTheTables) {
    struct Case {
        int h;
        TColorSB scheme;
    };
    for (const Case& c : {Case{30, TColorSB::DRed}, Case{45, TColorSB::DNavy},
                          Case{60, TColorSB::DGreen}, Case{45, TColorSB::DOrang}}) {
        ButtonLook look;
        look.colorSB = c.scheme;
        const QImage img = face(100, c.h, {}, look);
        const auto rows = art::buttonGradient(art::buttonClassOf(c.h));
        for (int y = 0; y < c.h - 1; ++y) {
            const QRgb want = recolour(rgbOf(rows[static_cast<std::size_t>(y)]), c.scheme, 0);
            const int e =
                art::kButtonClasses[static_cast<std::size_t>(art::buttonClassOf(c.h))].endWidth;
            for (int x = e; x < 100 - e; ++x)
                ASSERT_EQ(at(img, x, y), want) << c.h << " " << x << "," << y;
        }
        // The last row is left to what lies behind.
        EXPECT_EQ(at(img, 50, c.h - 1), kGround.rgb());
    }
    // DNavy swaps red and blue: (176, 80, 80) becomes (80, 80, 176).
    ButtonLook navy;
    navy.colorSB = TColorSB::DNavy;
    EXPECT_EQ(at(face(100, 45, {}, navy), 50, 21), qRgb(80, 80, 176));
}

TEST(ButtonPaint, StripAndEndsWhereTheTablesDoNotApply) {
    FakePictures fake;
    for (const char* size : {"29", "44", "59"})
        for (const char* look : {"R", "Q"}) {
            const QString base = QString(look) + size + "_";
            const int n = QString(size).toInt();
            const int e = n == 29 ? 8 : n == 44 ? 13 : 17;
            fake.images[base + "L"] = solid(e, n, QColor(0, 0, 255));
            fake.images[base + "R"] = solid(e, n, QColor(0, 255, 0));
            fake.images[base + "2"] = solid(2, n, QColor(255, 255, 0));
        }
    const QRgb blue = qRgb(0, 0, 255), green = qRgb(0, 255, 0), yellow = qRgb(255, 255, 0);
    // Height 40: the 45 class, ends round(13 * 40 / 45) = 12 wide, the strip between them.
    ButtonLook plain;
    QImage img = face(100, 40, {}, plain, {}, &fake);
    for (int y = 0; y < 39; ++y) {
        for (int x = 0; x < 12; ++x) EXPECT_EQ(at(img, x, y), blue) << x << "," << y;
        for (int x = 12; x < 88; ++x) EXPECT_EQ(at(img, x, y), yellow) << x << "," << y;
        for (int x = 88; x < 100; ++x) EXPECT_EQ(at(img, x, y), green) << x << "," << y;
    }
    EXPECT_EQ(at(img, 50, 39), kGround.rgb());
    EXPECT_EQ(drawnEndWidth(40), 12);
    EXPECT_EQ(drawnEndWidth(20), 5);
    EXPECT_EQ(drawnEndWidth(100), 28);

    // At 45 the table, not the strip, unless DCards or the new look.
    EXPECT_EQ(at(face(100, 45, {}, plain, {}, &fake), 50, 10), rgbOf(art::kButtonGradient44[10]));
    ButtonLook cards;
    cards.colorSB = TColorSB::DCards;
    EXPECT_EQ(at(face(100, 45, {}, cards, {}, &fake), 50, 10),
              recolour(yellow, TColorSB::DCards, 0));
    ButtonLook nata;
    nata.nata = true;
    for (const int h : {30, 45, 60}) {
        const QImage n = face(100, h, {}, nata, {}, &fake);
        for (int y = 0; y < h - 1; ++y) EXPECT_EQ(at(n, 50, y), yellow) << h << " " << y;
    }
    // The new look's pictures are the "Q" ones.
    fake.images["Q44_2"] = solid(2, 44, QColor(255, 0, 255));
    EXPECT_EQ(at(face(100, 45, {}, nata, {}, &fake), 50, 10), qRgb(255, 0, 255));
}

TEST(ButtonPaint, EndsResizeSmoothlyOrByStretching) {
    FakePictures fake;
    fake.images["R44_L"] = ramp(13, 44);
    fake.images["R44_R"] = ramp(13, 44);
    fake.images["R44_2"] = solid(2, 44, Qt::white);
    QImage smoothEnd = ramp(13, 44);
    ASSERT_FALSE(SmoothResize(smoothEnd, 12, 39).has_value());
    std::set<QRgb> source;
    for (int y = 0; y < 44; ++y)
        for (int x = 0; x < 13; ++x) source.insert(fake.images["R44_L"].pixel(x, y));

    ButtonLook look;
    const QImage smooth = face(100, 40, {}, look, {}, &fake);
    look.smooth = false;
    const QImage stretched = face(100, 40, {}, look, {}, &fake);
    int notInSource = 0;
    for (int y = 0; y < 39; ++y)
        for (int x = 0; x < 12; ++x) {
            EXPECT_EQ(at(smooth, x, y), smoothEnd.pixel(x, y)) << x << "," << y;
            EXPECT_TRUE(source.count(at(stretched, x, y))) << x << "," << y;
            notInSource += source.count(at(smooth, x, y)) == 0;
        }
    EXPECT_GT(notInSource, 0);
    // At the classes' own heights the pictures are drawn as they are.
    look.smooth = true;
    const QImage own = face(100, 45, {}, look, {}, &fake);
    for (int y = 0; y < 44; ++y)
        for (int x = 0; x < 13; ++x) EXPECT_EQ(at(own, x, y), fake.images["R44_L"].pixel(x, y));
}

TEST(ButtonPaint, GlyphPlacesAndTransparency) {
    QImage glyph(16, 16, QImage::Format_ARGB32);
    glyph.fill(Qt::transparent);
    for (int y = 0; y < 16; ++y) glyph.setPixel(y, y, qRgb(0, 255, 255));  // a diagonal line
    auto glyphAt = [&](int w, int h, GlyphLayout layout) {
        ButtonContent c;
        c.glyph = glyph;
        c.layout = layout;
        const ButtonLook look;
        const auto diff = differing(face(w, h, {}, look, c), face(w, h, {}, look));
        return bounds(diff);
    };
    EXPECT_EQ(glyphAt(100, 30, GlyphLayout::Left), QRect(15, 6, 16, 16));
    EXPECT_EQ(glyphAt(100, 45, GlyphLayout::Left), QRect(18, 14, 16, 16));
    EXPECT_EQ(glyphAt(100, 60, GlyphLayout::Left), QRect(20, 21, 16, 16));
    // Other heights: round(1.6 E), E = 12 at 40.
    EXPECT_EQ(glyphAt(100, 40, GlyphLayout::Left), QRect(19, 11, 16, 16));
    EXPECT_EQ(glyphAt(100, 30, GlyphLayout::Right), QRect(100 - 15 - 16, 6, 16, 16));
    EXPECT_EQ(glyphAt(100, 30, GlyphLayout::Below), QRect(42, 6, 16, 16));

    // An opaque glyph is transparent in the colour of its bottom-left pixel.
    QImage opaque(10, 10, QImage::Format_RGB32);
    opaque.fill(QColor(255, 0, 255));
    opaque.setPixel(5, 5, qRgb(0, 0, 0));
    ButtonContent c;
    c.glyph = opaque;
    const ButtonLook look;
    const auto diff = differing(face(100, 30, {}, look, c), face(100, 30, {}, look));
    ASSERT_EQ(diff.size(), 1u);
    EXPECT_EQ(diff[0], QPoint(15 + 5, 9 + 5));
}

TEST(ButtonPaint, PressedShiftsTheFace) {
    const ButtonLook look;
    const QImage up = face(100, 30, {}, look);
    ButtonState pressed;
    pressed.pressed = true;
    const QImage down = face(100, 30, pressed, look);
    for (int y = 0; y < 29; ++y)
        for (int x = 0; x < 99; ++x)
            ASSERT_EQ(down.pixel(x + 1, y + 1), up.pixel(x, y)) << x << "," << y;
    for (int x = 0; x < 100; ++x) EXPECT_EQ(at(down, x, 0), kGround.rgb());
    for (int y = 0; y < 30; ++y) EXPECT_EQ(at(down, 0, y), kGround.rgb());
}

TEST(ButtonPaint, CaptionPlaceAndColour) {
    const ButtonLook look;
    const auto centred = captionPixels(100, 30, {}, look, caption("Menu"));
    ASSERT_FALSE(centred.empty());
    const QRect box = bounds(centred);
    EXPECT_NEAR(box.center().x(), 50, 2);
    EXPECT_NEAR(box.center().y(), 15, 3);
    // Pressed: one pixel down and right; the new look: one pixel up.
    ButtonState pressed;
    pressed.pressed = true;
    EXPECT_EQ(bounds(captionPixels(100, 30, pressed, look, caption("Menu"))), box.translated(1, 1));
    ButtonLook nata;
    nata.nata = true;
    EXPECT_EQ(bounds(captionPixels(100, 30, {}, nata, caption("Menu"))), box.translated(0, -1));

    // With a margin the caption follows the glyph: glyph width + 25 at 30, + E + 10 at 40.
    ButtonContent after = caption("Menu");
    after.margin = 4;
    after.glyph = solid(16, 16, QColor(0, 0, 0, 0));
    const QRect left30 = bounds(captionPixels(160, 30, {}, look, after));
    EXPECT_GE(left30.left(), 41);
    EXPECT_LE(left30.left(), 44);
    const QRect left40 = bounds(captionPixels(160, 40, {}, look, after));
    EXPECT_GE(left40.left(), 38);
    EXPECT_LE(left40.left(), 41);
    after.layout = GlyphLayout::Right;
    const QRect right30 = bounds(captionPixels(160, 30, {}, look, after));
    EXPECT_LE(right30.right(), 160 - 1 - 41);
    EXPECT_GE(right30.right(), 160 - 1 - 45);

    // Colours: the font's; ColorMouse under the mouse with LightFont; grey when disabled with
    // GrayDis.
    auto colours = [](const ButtonState& s, const ButtonLook& l) {
        const ButtonContent c = caption("Menu", QColor(255, 255, 255));
        return coloursAt(face(100, 30, s, l, c), captionPixels(100, 30, s, l, c));
    };
    ButtonLook light = look;
    light.colorMouse = QColor(255, 255, 0);
    ButtonState over;
    over.mouseOver = true;
    EXPECT_EQ(colours({}, light), std::set<QRgb>{qRgb(255, 255, 255)});
    EXPECT_EQ(colours(over, light), std::set<QRgb>{qRgb(255, 255, 255)});
    light.lightFont = true;
    EXPECT_EQ(colours(over, light), std::set<QRgb>{qRgb(255, 255, 0)});
    ButtonState disabled;
    disabled.disabled = true;
    EXPECT_EQ(colours(disabled, light), std::set<QRgb>{qRgb(255, 255, 255)});
    light.grayDis = true;
    EXPECT_EQ(colours(disabled, light), std::set<QRgb>{qRgb(192, 192, 192)});
}

TEST(ButtonPaint, ACaptionTooLongForTheFaceIsDrawnSmallerInEveryLanguage) {
    const ButtonLook look;
    const Settings settings;
    for (int language : {1, 4, 8}) {  // Russian, Spanish, Japanese
        setCurrentLanguage(language);
        for (WordRow row : {WordRow::NextRound, WordRow::TopTen, WordRow::NewPlayer,
                            WordRow::ExitToMenu, WordRow::Painting, WordRow::Options})
            // The window's caption font, and a larger one that never fits a 100-pixel face.
            for (int cell : {15, 24}) {
                const auto word = Word(row);
                ButtonContent c = caption(QString::fromUtf8(word.data(), qsizetype(word.size())));
                c.font = slotFont(settings, cell, "decor", true);
                const QRect ink = bounds(captionPixels(100, 30, {}, look, c));
                ASSERT_FALSE(ink.isEmpty()) << language << " " << cell;
                EXPECT_GE(ink.left(), drawnEndWidth(30)) << c.caption.toStdString() << cell;
                EXPECT_LT(ink.right(), 100 - drawnEndWidth(30)) << c.caption.toStdString() << cell;
            }
    }
    setCurrentLanguage(0);
}

TEST(ButtonPaint, FocusMarkAndLightening) {
    static const BuiltInPictures pictures;
    const QImage ground = solid(120, 30, kGround);
    ButtonState focused;
    focused.focused = true;
    ButtonLook look;
    const QImage plain = paintButton(ground, {120, 30}, {}, look, {}, pictures);
    const auto outline =
        differing(paintButton(ground, {120, 30}, focused, look, {}, pictures), plain);
    ASSERT_FALSE(outline.empty());
    const QRect ring = bounds(outline);
    EXPECT_GE(ring.left(), 2);
    EXPECT_LE(ring.right(), 117);
    EXPECT_GE(ring.top(), 2);
    EXPECT_LE(ring.bottom(), 27);
    look.kontur = false;
    EXPECT_EQ(paintButton(ground, {120, 30}, focused, look, {}, pictures), plain);

    // The new look: two dots, vertically centred, by the ends only.
    ButtonLook nata;
    nata.nata = true;
    const auto dots = differing(paintButton(ground, {120, 30}, focused, nata, {}, pictures),
                                paintButton(ground, {120, 30}, {}, nata, {}, pictures));
    ASSERT_FALSE(dots.empty());
    int leftDots = 0, rightDots = 0;
    for (const QPoint& p : dots) {
        EXPECT_TRUE(p.x() < 30 || p.x() >= 90) << p.x();
        EXPECT_NEAR(p.y(), 14.5, 3.0);
        (p.x() < 60 ? leftDots : rightDots)++;
    }
    EXPECT_GT(leftDots, 0);
    EXPECT_GT(rightDots, 0);

    // KLightSB 100: every opaque pixel of the face is white, in any scheme.
    for (const TColorSB s : {TColorSB::DBlue, TColorSB::DCards}) {
        ButtonLook white;
        white.colorSB = s;
        white.kLightSB = 100;
        const QImage img = paintButtonFace({}, {100, 40}, {}, white, {}, pictures)
                               .convertToFormat(QImage::Format_ARGB32);
        int opaque = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 100; ++x)
                if (qAlpha(img.pixel(x, y)) == 255) {
                    ++opaque;
                    EXPECT_EQ(img.pixel(x, y), qRgb(255, 255, 255)) << x << "," << y;
                }
        EXPECT_GT(opaque, 3000);
    }
    // Degenerate sizes draw nothing and do not fail.
    EXPECT_TRUE(paintButton({}, {0, 30}, {}, look, {}, pictures).isNull());
    EXPECT_EQ(paintButton({}, {3, 1}, focused, look, caption("x"), pictures).size(), QSize(3, 1));
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
  public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};

TEST(ZorCardsButton, PropertiesAndRepaintingOnChange) {
    QWidget window;
    window.resize(300, 200);
    auto* b = new TZorCardsButton("Deal", &window);
    EXPECT_EQ(b->size(), QSize(100, 30));
    EXPECT_EQ(b->ColorSB(), TColorSB::DRed);
    EXPECT_EQ(b->KLightSB(), 0);
    EXPECT_TRUE(b->Kontur());
    EXPECT_TRUE(b->Smooth());
    EXPECT_FALSE(b->Nata());
    EXPECT_EQ(b->Margin(), -1);
    EXPECT_TRUE(b->setProperty("ColorSB", QVariant::fromValue(TColorSB::DBlue)));
    EXPECT_EQ(b->ColorSB(), TColorSB::DBlue);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    PaintCounter counter;
    b->installEventFilter(&counter);
    QCoreApplication::processEvents();

    auto paintsAfter = [&](const std::function<void()>& change) {
        QCoreApplication::processEvents();
        const int before = counter.paints;
        change();
        QCoreApplication::processEvents();
        return counter.paints - before;
    };
    EXPECT_EQ(paintsAfter([&] { b->setColorSB(TColorSB::DBlue); }), 0);
    EXPECT_GT(paintsAfter([&] { b->setColorSB(TColorSB::DNavy); }), 0);
    EXPECT_EQ(paintsAfter([&] { b->setKLightSB(0); }), 0);
    EXPECT_GT(paintsAfter([&] { b->setKLightSB(30); }), 0);
    EXPECT_EQ(paintsAfter([&] { b->setNata(false); }), 0);
    EXPECT_GT(paintsAfter([&] { b->setNata(true); }), 0);
    EXPECT_EQ(paintsAfter([&] { b->setHeightSB(THeightSB::D30); }), 0);
    EXPECT_GT(paintsAfter([&] { b->setHeightSB(THeightSB::D45); }), 0);
    EXPECT_EQ(b->size(), QSize(100, 45));
    b->setHeightSB(THeightSB::D60);
    EXPECT_EQ(b->height(), 60);
    b->setKLightSB(250);
    EXPECT_EQ(b->KLightSB(), 100);

    // The button paints itself through the look: its middle column is the recoloured table.
    b->setKLightSB(0);
    b->setNata(false);
    b->setHeightSB(THeightSB::D45);
    b->setText(QString());
    b->setKontur(false);  // the button has the focus
    const QImage shot = b->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(shot.size(), QSize(100, 45));
    for (int y = 0; y < 44; ++y)
        EXPECT_EQ(shot.pixel(50, y),
                  recolour(rgbOf(art::kButtonGradient44[static_cast<std::size_t>(y)]),
                           TColorSB::DNavy, 0))
            << y;
}

TEST(ZorCardsButton, SignalsFollowTheStateAndTheRepaint) {
    QWidget window;
    window.resize(300, 200);
    auto* b = new TZorCardsButton("Deal", &window);
    b->move(150, 120);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    PaintCounter counter;
    b->installEventFilter(&counter);
    QCoreApplication::processEvents();
    ASSERT_FALSE(b->mouseOver());

    std::vector<std::pair<bool, int>> seen;  // mouse-over state and paints when signalled
    QObject::connect(b, &TZorCardsButton::OnMouseEnter,
                     [&] { seen.emplace_back(b->mouseOver(), counter.paints); });
    QObject::connect(b, &TZorCardsButton::OnMouseLeave,
                     [&] { seen.emplace_back(b->mouseOver(), counter.paints); });
    const int before = counter.paints;
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(b, &enter);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(seen[0].first);
    EXPECT_GT(seen[0].second, before);
    EXPECT_TRUE(b->state().mouseOver);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(b, &leave);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_FALSE(seen[1].first);
    EXPECT_GT(seen[1].second, seen[0].second);
    EXPECT_FALSE(b->state().mouseOver);

    // OnDrawButton: the button, its rectangle and the state it was painted in.
    std::vector<std::pair<QRect, ButtonState>> drawn;
    QObject::connect(b, &TZorCardsButton::OnDrawButton,
                     [&](TZorCardsButton* who, QRect r, ButtonState s) {
                         EXPECT_EQ(who, b);
                         drawn.emplace_back(r, s);
                     });
    b->setEnabled(false);
    b->setDown(true);
    (void)b->grab();
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.back().first, QRect(0, 0, 100, 30));
    EXPECT_TRUE(drawn.back().second.disabled);
    EXPECT_TRUE(drawn.back().second.pressed);
}

TEST(ZorCardsButton, NewButtonsAndTheIconAsGlyph) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* inner = new QWidget(&window);
    layout->addWidget(inner);
    auto* a = new TZorCardsButton("A", &window);
    auto* nested = new TZorCardsButton("B", inner);
    auto* other = new QPushButton("C", &window);
    applyNewButtons(&window, true);
    EXPECT_TRUE(a->Nata());
    EXPECT_TRUE(nested->Nata());
    EXPECT_FALSE(other->property("Nata").isValid());
    applyNewButtons(&window, false);
    EXPECT_FALSE(nested->Nata());
    applyNewButtons(nullptr, true);

    // The icon stands in for a missing glyph, drawn whole (an opaque Glyph would lose the colour
    // of its bottom-left pixel).
    auto* b = new TZorCardsButton(QString(), &window);
    b->resize(100, 30);
    const QImage bare = b->grab().toImage();
    QPixmap icon(16, 16);
    icon.fill(QColor(0, 255, 255));
    b->setIcon(QIcon(icon));
    b->setIconSize(QSize(16, 16));
    const QImage withIcon = b->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    const auto diff = differing(withIcon, bare.convertToFormat(QImage::Format_ARGB32));
    EXPECT_EQ(bounds(diff), QRect(15, 6, 16, 16));
}

}  // namespace
}  // namespace orvala::table
