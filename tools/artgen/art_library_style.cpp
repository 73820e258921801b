#include "art_library_style.h"

#include <QTransform>
#include <cmath>

#include "art_shapes.h"
#include "table/picture_names.h"

namespace orvala::artgen {

std::uint64_t SeededRandom::next() {
    std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
}

double SeededRandom::unit() {
    return (next() >> 11) * (1.0 / 9007199254740992.0);
}

int SeededRandom::below(int n) {
    return n <= 1 ? 0 : static_cast<int>(next() % static_cast<std::uint64_t>(n));
}

namespace {

// Unit pips, y downwards, in the box 0..1.
QPainterPath roundPip(int suit) {
    QPainterPath p;
    p.setFillRule(Qt::WindingFill);
    switch (suit) {
        case 1:
            p.addEllipse(QPointF(0.29, 0.32), 0.27, 0.27);
            p.addEllipse(QPointF(0.71, 0.32), 0.27, 0.27);
            p.moveTo(0.05, 0.42);
            p.quadTo(0.3, 0.75, 0.5, 1.0);
            p.quadTo(0.7, 0.75, 0.95, 0.42);
            p.closeSubpath();
            break;
        case 2:
            p.moveTo(0.5, 0.0);
            p.quadTo(0.75, 0.25, 0.96, 0.5);
            p.quadTo(0.75, 0.75, 0.5, 1.0);
            p.quadTo(0.25, 0.75, 0.04, 0.5);
            p.quadTo(0.25, 0.25, 0.5, 0.0);
            p.closeSubpath();
            break;
        case 3:
            p.addEllipse(QPointF(0.5, 0.27), 0.26, 0.26);
            p.addEllipse(QPointF(0.25, 0.58), 0.25, 0.25);
            p.addEllipse(QPointF(0.75, 0.58), 0.25, 0.25);
            p.addRect(QRectF(0.42, 0.45, 0.16, 0.4));
            p.addRect(QRectF(0.28, 0.86, 0.44, 0.14));
            break;
        default:
            p.addEllipse(QPointF(0.29, 0.6), 0.27, 0.25);
            p.addEllipse(QPointF(0.71, 0.6), 0.27, 0.25);
            p.moveTo(0.05, 0.52);
            p.quadTo(0.3, 0.25, 0.5, 0.0);
            p.quadTo(0.7, 0.25, 0.95, 0.52);
            p.closeSubpath();
            p.addRect(QRectF(0.42, 0.6, 0.16, 0.3));
            p.addRect(QRectF(0.28, 0.88, 0.44, 0.12));
            break;
    }
    return p.simplified();
}

QPainterPath angularPip(int suit) {
    QPolygonF poly;
    QPainterPath p;
    p.setFillRule(Qt::WindingFill);
    switch (suit) {
        case 1:
            poly << QPointF(0.5, 1.0) << QPointF(0.0, 0.44) << QPointF(0.0, 0.22)
                 << QPointF(0.24, 0.02) << QPointF(0.5, 0.22) << QPointF(0.76, 0.02)
                 << QPointF(1.0, 0.22) << QPointF(1.0, 0.44);
            p.addPolygon(poly);
            break;
        case 2:
            poly << QPointF(0.5, 0.0) << QPointF(0.9, 0.5) << QPointF(0.5, 1.0)
                 << QPointF(0.1, 0.5);
            p.addPolygon(poly);
            break;
        case 3: {
            const auto square = [&](double cx, double cy, double r) {
                QPolygonF q;
                q << QPointF(cx, cy - r) << QPointF(cx + r, cy) << QPointF(cx, cy + r)
                  << QPointF(cx - r, cy);
                p.addPolygon(q);
                p.closeSubpath();
            };
            square(0.5, 0.27, 0.27);
            square(0.24, 0.56, 0.25);
            square(0.76, 0.56, 0.25);
            poly << QPointF(0.44, 0.45) << QPointF(0.56, 0.45) << QPointF(0.6, 0.86)
                 << QPointF(0.76, 1.0) << QPointF(0.24, 1.0) << QPointF(0.4, 0.86);
            p.addPolygon(poly);
            break;
        }
        default:
            poly << QPointF(0.5, 0.0) << QPointF(1.0, 0.56) << QPointF(0.78, 0.76)
                 << QPointF(0.56, 0.68) << QPointF(0.7, 1.0) << QPointF(0.3, 1.0)
                 << QPointF(0.44, 0.68) << QPointF(0.22, 0.76) << QPointF(0.0, 0.56);
            p.addPolygon(poly);
            break;
    }
    p.closeSubpath();
    return p.simplified();
}

}  // namespace

QPainterPath libraryPipPath(int shape, int suit, const QRectF& box) {
    if (shape == 0) return suitPath(suit, box);
    if (shape == 3) {
        // The classic pip, slimmer and a little taller.
        const double w = box.width() * 0.78;
        return suitPath(suit, QRectF(box.center().x() - w / 2, box.top() - box.height() * 0.03, w,
                                     box.height() * 1.06));
    }
    const QPainterPath unit = shape == 1 ? roundPip(suit) : angularPip(suit);
    QTransform t;
    t.translate(box.left(), box.top());
    t.scale(box.width(), box.height());
    return t.map(unit);
}

QColor hsv(double hue, double s, double v) {
    return QColor::fromHsvF(std::fmod(hue + 720.0, 360.0) / 360.0, s, v);
}

FaceStyle faceStyle(int faceSet) {
    FaceStyle st;
    st.set = faceSet;
    st.wide = table::isWideFaceSet(faceSet);
    SeededRandom rnd(static_cast<std::uint64_t>(faceSet) * 7919u + 17u);
    const int n = faceSet;

    static const QColor kPapers[7] = {
        QColor(252, 251, 246), QColor(250, 245, 230), QColor(247, 239, 218), QColor(243, 246, 251),
        QColor(240, 231, 208), QColor(236, 242, 238), QColor(251, 241, 239)};
    st.paper = kPapers[(n * 3) % 7];
    st.edge = st.paper.darker(200);

    // Suit colours: two-colour packs with their own red and dark, or four-colour packs.
    const int scheme = n % 6;
    const QColor red = hsv(rnd.range(-12, 14), rnd.range(0.78, 0.98), rnd.range(0.68, 0.86));
    static const QColor kDarks[5] = {QColor(20, 20, 24), QColor(18, 30, 84), QColor(16, 66, 40),
                                     QColor(70, 36, 16), QColor(58, 20, 74)};
    const QColor dark = kDarks[(n * 2) % 5];
    st.suit[1] = red;
    st.suit[2] = red;
    st.suit[3] = dark;
    st.suit[4] = dark;
    if (scheme == 5) {  // red, blue, green, black
        st.suit[2] = QColor(24, 76, 196);
        st.suit[3] = QColor(22, 128, 44);
        st.suit[4] = QColor(20, 20, 24);
    } else if (scheme == 2 && n % 4 == 0) {  // red, orange, green, blue
        st.suit[2] = QColor(226, 120, 10);
        st.suit[3] = QColor(30, 120, 40);
        st.suit[4] = QColor(24, 40, 120);
    } else if (scheme == 3) {
        st.suit[2] = red.lighter(112);  // diamonds a shade apart from hearts
    }

    st.pipShape = n % 4;
    st.pipFill = (n / 4 + n) % 4;
    static const char* const kFamilies[5] = {"DejaVu Sans", "DejaVu Serif", "DejaVu Sans Mono",
                                             "Comic Neue", "DejaVu Serif"};
    const int font = (n * 3 + n / 5) % 5;
    st.fontFamily = kFamilies[font];
    st.fontBold = font != 4;

    static const char* const kIndex[7] = {"", "9", "J", "Q", "K", "10", "A"};
    for (int r = 0; r <= 6; ++r) st.index[r] = kIndex[r];
    const QString suffix = table::faceSetSuffix(faceSet);
    const auto letters = [&](const char* j, const char* q, const char* k, const char* a) {
        st.index[2] = QString::fromUtf8(j);
        st.index[3] = QString::fromUtf8(q);
        st.index[4] = QString::fromUtf8(k);
        st.index[6] = QString::fromUtf8(a);
    };
    if (suffix == "Rus" || suffix == "Sla") {
        letters("В", "Д", "К", "Т");
        if (st.fontFamily == "Comic Neue") st.fontFamily = "DejaVu Sans";
    } else if (suffix == "Fra") {
        letters("V", "D", "R", "A");
    } else if (suffix == "BIt") {
        letters("F", "D", "R", "A");
    }

    st.frame = (n * 2 + n / 7) % 5;
    st.frameColour = n % 3 == 0 ? QColor(196, 152, 40) : (n % 3 == 1 ? red.darker(120) : dark);

    const double hue = std::fmod(n * 137.508, 360.0);
    const double sat = rnd.range(0.45, 0.85), val = rnd.range(0.5, 0.8);
    for (int s = 1; s <= 4; ++s)
        st.robe[s] = hsv(hue + 90 * (s - 1) + rnd.range(-15, 15), sat, val);
    st.robeSecond = hsv(hue + 180 + rnd.range(-30, 30), rnd.range(0.3, 0.7), rnd.range(0.75, 0.95));
    static const QColor kTrims[4] = {QColor(226, 178, 42), QColor(214, 214, 222),
                                     QColor(250, 246, 236), QColor(196, 120, 40)};
    st.trim = kTrims[(n * 5) % 4];
    static const QColor kSkins[4] = {QColor(248, 218, 184), QColor(240, 200, 160),
                                     QColor(252, 228, 206), QColor(214, 168, 122)};
    st.skin = kSkins[(n * 7) % 4];
    static const QColor kHair[6] = {QColor(112, 72, 36),   QColor(40, 30, 26),
                                    QColor(196, 140, 52),  QColor(150, 60, 30),
                                    QColor(214, 210, 200), QColor(90, 60, 40)};
    st.hair[2] = kHair[(n * 3) % 6];
    st.hair[3] = kHair[(n * 5 + 2) % 6];
    st.hair[4] = kHair[(n + 4) % 6];
    st.courtGround = hsv(hue + 40, 0.12, 0.98);
    st.costume = (n * 5 + 1) % 6;
    st.hat[2] = (n * 5) % 6;
    st.hat[3] = (n * 3 + 1) % 5;
    st.hat[4] = (n * 7 + 2) % 6;
    st.beard = (n * 2) % 3;
    st.diagonal = n % 3 == 2;
    st.itemLeft = n % 2 == 1;
    st.aceStyle = (n * 3 + 2) % 5;
    return st;
}

}  // namespace orvala::artgen
