// The flags of the country table, "GFlag1-001".."GFlag6-054": simple, recognisable flags drawn
// here from a short description of each, with a grey "?" for each continent's "Unknown"; and the
// two faces of the world lists, "GFaceM" and "GFaceW", from the colour emoji font.
//
// A description is a list of steps, each drawn over the ones before, separated by blanks; a step
// is a shape and its colours ("h:R,W" white under red). The colour letters are in `colour`, the
// shapes in `drawStep`.

#include <QPainter>
#include <QPainterPath>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "art_painter.h"
#include "core/online/countries.h"
#include "core/online/flag_names.h"
#include "table/art_names.h"

namespace orvala::artgen {
namespace {

// Each continent's flags in the country table's number order, separated by "|".
constexpr std::array<std::string_view, online::kContinents> kFlags = {
    // Europe
    "h:W,B,R|h:R d:K|v:B,Y,R d:O|h:R,W,R|h:R,R,G p:W|v:K,Y,R|h:B q:Y|h:W,G,R|h:R,W,B c:R|"
    "h:W,R t:B|x:R,W|h:B,K,W|x:W,R,B|x:W,B|v:B,W,R|h:K,R,Y|h:W,W,R d:R|"
    "h:B,W,B,W,B,W,B,W,B k:B kc:W|h:W G:R|h:R,W,G|x:B,R,W|v:G,W,O|h:R o:W|v:G,W,R|h:W X:R|"
    "h:M,M,W,M,M|h:B,R S:Y|h:Y,G,R|h:R,W,L|h:R r:Y d:Y|v:W,R|v:B,Y,R d:M|h:R,W|h:R,W,B|"
    "x:R,N,W|h:W,R|v:G,R,R d:Y|v:B,Y,R|h:W,L d:Y|h:R,B,W D:R|h:W,B,R D:R|h:W,B,R D:B|"
    "h:R,Y,Y,R D:R|x:B,Y|h:R +:W|h:B,Y|v:Y,W d:Y|uk",
    // Asia
    "v:K,R,G d:W|h:R,B,O|h:L,R,G m:W|h:R p:W|h:G D:R|/:Y,O d:W|h:W,B,W,B,W,B u|h:Y b:W d:R|"
    "h:B,R,R,B d:W|h:R S:Y|h:W d:O|h:R t:Y T:K|h:W G:R|h:R d:W|h:O,W,G o:N|h:R,W|h:G,W,R d:R|"
    "h:R,W,K s:G|h:W,B,W,W,B,W o:B|h:W d:R|h:K,W,G t:R|h:L r:Y d:Y|h:G,W,R t:K|h:R r:Y d:Y|"
    "h:R,B,B,R d:W|h:R,W,W,R d:G|h:G d:W|h:R,W,R,W,R,W,R k:N|h:R i:G m:W|v:R,B,R D:Y|"
    "h:Y,G,R s:W|np|h:B,W,R,R,R,W,B D:W|h:W,R,G p:R|v:W,G,G,G m:W|h:B,R t:W|v:W,M,M,M|"
    "h:G w:W|h:R,W|h:W j:R,B|h:M p:G|h:R,W,K s:G|h:R k:N|h:R,W,W,G d:Y|h:R,W,B,B,W,R|h:R m:W|"
    "h:G p:R m:W|h:G,W,K p:R|h:L,W,G|h:R s:Y|h:R,W,K",
    // North America
    "h:N u e:W|h:R V:K|h:L,L,L,L,L,Y,L,Y,L S:R|h:L,Y,L t:K|v:B,Y,B d:K|h:R,B,B,B,B,R d:W|"
    "h:R u e:W|h:N u e:G|v:R,W,W,R s:R|h:N u e:W|h:B,W,R,R,W,B|h:B,W,B,W,B t:R|h:G G:Y d:R|"
    "4:B,R,R,B G:W|h:B,W,B d:Y|h:W,R J:R,W|h:R i:Y X:G d:R|v:L,W,L d:G|h:B,R d:W|h:B,W,B s:B|"
    "h:G z:K X:Y|h:G,K t:R|v:G,W,R d:O|h:N u e:L|h:B,W,B o:B|4:W,R,B,W|h:R,W,R,W,R t:B|"
    "/:G,R B:K|h:L A:K|h:L,L,Y p:R|v:B,Y,Y,G o:G|h:R b:K|h:N u e:Y|"
    "h:R,W,R,W,R,W,R,W,R,W,R,W,R k:N|h:W d:Y",
    // South America
    "h:L,W,L d:Y|h:R,Y,G|h:G Q:Y d:B|h:W,R k:B S:W|h:Y,Y,B,R|h:Y,Y,B,R d:O|h:N u e:W|"
    "h:G F:Y t:R|h:R,W,B o:B|v:R,W,R|h:N u e:W|h:G,W,R,R,R,W,G s:Y|h:W,B,W,B,W,B,W,B,W k:W S:Y|"
    "h:Y,B,R o:W",
    // Oceania
    "h:N <:W|h:N u E:W|h:N u E:W|h:L u e:W|h:R,W,W,R d:O|h:R i:B d:L|h:R,R,L,W,L d:Y|"
    "h:B B:W S:W|h:L s:W|h:N,N,Y,N,N,N|h:N u E:R|h:Y u|v:G,W,G A:G|h:B s:W|h:L D:Y|\\:R,K|"
    "h:N u e:G|h:R k:N S:W|/:B,G B:Y S:W|h:R k:W kc:R|h:L u E:Y|h:R,G t:K|h:R k:B",
    // Africa
    "v:G,W m:R|h:R,K o:Y|h:Y,R p:G|h:L,L,W,K,W,L,L|h:R,G s:Y|h:R z:G X:W d:W|v:G,R,Y s:Y|"
    "h:B,B,W,R,W,B,B o:Y|h:B,W,G,Y M:R S:Y|v:B,Y,R|h:Y,W,R,B t:G|/:G,R B:Y|h:L B:R S:Y|"
    "h:L,G t:W|h:R,W,K d:Y|h:G,W,R t:B|h:G,B F:R|h:G,Y,R d:B|h:G,Y,B|h:R,R,W,B,W,G,G|"
    "h:R,Y,G s:K|v:R,Y,G|h:Y,G p:R|v:O,W,G|h:K,W,R,W,G O:R|h:B,W,W,G o:K|"
    "h:R,W,R,W,R,W,R,W,R,W,R k:N S:W|h:R,K,K,G m:W|h:R,G p:W|h:K,R,G|v:G,Y,R|h:R,G,G,G,R m:Y|"
    "h:R,B,Y,G|h:R s:G|h:G,K,Y t:R|/:B,G B:R S:Y|h:O,W,G d:O|v:G,W,G|h:L,L,Y,G S:Y|h:N u e:W|"
    "h:G,Y,G t:R|v:G,Y,R s:G|v:B,Y,R,W,G|h:G,W,B|h:L s:W|h:R,G,B t:Y T:K|h:R,W,K t:G|"
    "h:B,Y,R,R,R,Y,B O:W|/:G,L B:K|h:G,Y,G,Y,G k:R S:W|h:R d:W m:R|h:K,Y,R,K,Y,R d:W|h:G e:O|"
    "h:G,Y,R,K,R,Y,G t:W",
};

QColor colour(char c) {
    switch (c) {
        case 'R':
            return {206, 17, 38};
        case 'W':
            return {255, 255, 255};
        case 'B':
            return {0, 82, 180};
        case 'N':
            return {0, 36, 125};
        case 'L':
            return {108, 172, 228};
        case 'G':
            return {0, 135, 81};
        case 'Y':
            return {252, 209, 22};
        case 'K':
            return {20, 20, 20};
        case 'O':
            return {255, 136, 0};
        case 'M':
            return {140, 22, 48};
        default:
            return {160, 160, 160};
    }
}

std::vector<QColor> coloursOf(std::string_view list) {
    std::vector<QColor> out;
    for (char c : list)
        if (c != ',') out.push_back(colour(c));
    return out;
}

QPainterPath star(QPointF centre, double outer) {
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double r = i % 2 ? outer * 0.42 : outer;
        const double a = -M_PI / 2 + i * M_PI / 5;
        const QPointF pt = centre + QPointF(r * std::cos(a), r * std::sin(a));
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    path.closeSubpath();
    return path;
}

// The Union flag in `r`: blue, the white and red saltires, the white and red cross.
void unionFlag(QPainter& p, const QRectF& r) {
    p.save();
    p.setClipRect(r, Qt::IntersectClip);
    p.fillRect(r, colour('N'));
    const double t = r.height() / 5;
    p.setPen(QPen(Qt::white, t));
    p.drawLine(r.topLeft(), r.bottomRight());
    p.drawLine(r.bottomLeft(), r.topRight());
    p.setPen(QPen(colour('R'), t / 2.5));
    p.drawLine(r.topLeft(), r.bottomRight());
    p.drawLine(r.bottomLeft(), r.topRight());
    p.setPen(Qt::NoPen);
    p.fillRect(QRectF(r.left(), r.center().y() - t, r.width(), 2 * t), Qt::white);
    p.fillRect(QRectF(r.center().x() - t, r.top(), 2 * t, r.height()), Qt::white);
    p.fillRect(QRectF(r.left(), r.center().y() - t / 2, r.width(), t), colour('R'));
    p.fillRect(QRectF(r.center().x() - t / 2, r.top(), t, r.height()), colour('R'));
    p.restore();
}

// One step of a description over the flag's rectangle `f`.
void drawStep(QPainter& p, const QRectF& f, std::string_view step) {
    const std::size_t colon = step.find(':');
    const std::string_view shape = step.substr(0, colon);
    const auto cs =
        colon == std::string_view::npos ? std::vector<QColor>{} : coloursOf(step.substr(colon + 1));
    const QColor c = cs.empty() ? QColor(Qt::white) : cs[0];
    const double w = f.width(), h = f.height(), x = f.left(), y = f.top();
    const QPointF mid = f.center();
    const QRectF canton(x, y, w * 0.45, h * 0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    const auto poly = [&p](std::initializer_list<QPointF> pts) { p.drawPolygon(QPolygonF(pts)); };
    if (shape == "h" || shape == "v") {
        const auto n = static_cast<double>(cs.size());
        for (std::size_t i = 0; i < cs.size(); ++i)
            p.fillRect(shape == "h" ? QRectF(x, y + h * i / n, w, h / n + 0.5)
                                    : QRectF(x + w * i / n, y, w / n + 0.5, h),
                       cs[i]);
    } else if (shape == "x") {  // a cross toward the hoist, bordered when a third colour
        p.fillRect(f, cs[0]);
        const double cx = x + w * 0.36;
        const auto bar = [&](double t, const QColor& col) {
            p.fillRect(QRectF(x, mid.y() - t / 2, w, t), col);
            p.fillRect(QRectF(cx - t / 2, y, t, h), col);
        };
        if (cs.size() > 2) bar(h / 3.5, cs[2]);
        bar(cs.size() > 2 ? h / 7 : h / 5, cs[1]);
    } else if (shape == "X" || shape == "b" || shape == "B") {  // saltire or diagonal band
        p.save();
        p.setClipRect(f);
        p.setPen(QPen(c, h / (shape == "X" ? 5.0 : 3.5)));
        if (shape != "B") p.drawLine(f.topLeft(), f.bottomRight());
        if (shape != "b") p.drawLine(f.bottomLeft(), f.topRight());
        p.restore();
    } else if (shape == "/" || shape == "\\") {  // split by a diagonal
        p.fillRect(f, cs[1]);
        p.setBrush(cs[0]);
        if (shape == "/")
            poly({f.topLeft(), f.topRight(), f.bottomLeft()});
        else
            poly({f.topRight(), f.bottomRight(), f.bottomLeft()});
    } else if (shape == "G" || shape == "+") {  // a cross edge to edge, or a small one
        const double t = h / 5;
        const double len = shape == "G" ? 1e9 : h * 0.6;
        p.fillRect(QRectF(mid.x() - std::min(len, w) / 2, mid.y() - t / 2, std::min(len, w), t), c);
        p.fillRect(QRectF(mid.x() - t / 2, mid.y() - std::min(len, h) / 2, t, std::min(len, h)), c);
    } else if (shape == "d" || shape == "D" || shape == "e" || shape == "o" || shape == "O") {
        const double cx = shape == "D" ? x + w * 0.3 : shape == "e" ? x + w * 0.72 : mid.x();
        const double r = shape == "d" || shape == "D" ? h * 0.27 : h * 0.2;
        if (shape == "o") {
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(c, 1.4));
        }
        p.drawEllipse(QPointF(cx, mid.y()), shape == "O" ? r * 0.7 : r, shape == "O" ? r * 1.5 : r);
    } else if (shape == "j" || shape == "J") {  // a disc, its halves in two colours
        const double r = h * 0.3, cx = shape == "J" ? x + w * 0.38 : mid.x();
        const QRectF box(cx - r, mid.y() - r, 2 * r, 2 * r);
        p.setBrush(cs[0]);
        p.drawChord(box, 0, 180 * 16);
        p.setBrush(cs[1]);
        p.drawChord(box, 180 * 16, 180 * 16);
    } else if (shape == "t" || shape == "T" || shape == "F") {  // a triangle at the hoist
        const double reach = shape == "t" ? 0.4 : shape == "T" ? 0.22 : 1.0;
        poly({f.topLeft(), f.bottomLeft(), QPointF(x + w * reach, mid.y())});
    } else if (shape == "<") {
        poly({f.topRight(), f.bottomRight(), QPointF(x + w * 0.1, mid.y())});
    } else if (shape == "z") {  // triangles at the hoist and at the fly
        poly({f.topLeft(), f.bottomLeft(), QPointF(x + w * 0.45, mid.y())});
        poly({f.topRight(), f.bottomRight(), QPointF(x + w * 0.55, mid.y())});
    } else if (shape == "V") {
        poly({f.topLeft(), f.topRight(), QPointF(mid.x(), f.bottom())});
    } else if (shape == "A") {
        poly({QPointF(mid.x(), y + h * 0.12), QPointF(mid.x() + h * 0.35, y + h * 0.88),
              QPointF(mid.x() - h * 0.35, y + h * 0.88)});
    } else if (shape == "q") {  // a triangle hanging from the top edge
        poly(
            {QPointF(x + w * 0.3, y), QPointF(x + w * 0.75, y), QPointF(x + w * 0.75, f.bottom())});
    } else if (shape == "Q") {
        poly({QPointF(mid.x(), y + h * 0.1), QPointF(x + w * 0.92, mid.y()),
              QPointF(mid.x(), y + h * 0.9), QPointF(x + w * 0.08, mid.y())});
    } else if (shape == "k") {
        p.fillRect(canton, c);
    } else if (shape == "kc") {
        const double t = canton.height() / 5;
        p.fillRect(QRectF(canton.left(), canton.center().y() - t / 2, canton.width(), t), c);
        p.fillRect(QRectF(canton.center().x() - t / 2, canton.top(), t, canton.height()), c);
    } else if (shape == "S") {
        p.drawPath(star(canton.center(), canton.height() * 0.32));
    } else if (shape == "s") {
        p.drawPath(star(mid, h * 0.3));
    } else if (shape == "E") {  // stars on the fly
        for (const QPointF at :
             {QPointF(0.72, 0.3), QPointF(0.85, 0.5), QPointF(0.7, 0.75), QPointF(0.6, 0.5)})
            p.drawPath(star(QPointF(x + w * at.x(), y + h * at.y()), h * 0.1));
    } else if (shape == "u") {
        unionFlag(p, canton);
    } else if (shape == "uk") {
        unionFlag(p, f);
    } else if (shape == "m") {  // a crescent and a star
        const double r = h * 0.28;
        const QPointF at(mid.x() - w * 0.04, mid.y());
        QPainterPath moon;
        moon.addEllipse(at, r, r);
        QPainterPath bite;
        bite.addEllipse(at + QPointF(r * 0.35, 0), r * 0.82, r * 0.82);
        p.drawPath(moon.subtracted(bite));
        p.drawPath(star(at + QPointF(r * 1.05, 0), r * 0.4));
    } else if (shape == "r") {  // a sun's rays
        p.setPen(QPen(c, 1.6));
        for (int i = 0; i < 12; ++i) {
            const double a = i * M_PI / 6;
            p.drawLine(mid, mid + QPointF(std::cos(a) * w, std::sin(a) * w));
        }
    } else if (shape == "c") {  // a chequered shield
        const double side = h * 0.12;
        for (int i = 0; i < 4; ++i)
            for (int k = 0; k < 4; ++k)
                p.fillRect(QRectF(mid.x() - 2 * side + k * side, mid.y() - 2 * side + i * side,
                                  side, side),
                           (i + k) % 2 ? QColor(Qt::white) : c);
    } else if (shape == "p") {  // a band at the hoist
        p.fillRect(QRectF(x, y, w * 0.28, h), c);
    } else if (shape == "M") {
        p.fillRect(QRectF(mid.x() - w * 0.1, y, w * 0.2, h), c);
    } else if (shape == "i") {
        p.fillRect(f.adjusted(w * 0.15, h * 0.2, -w * 0.15, -h * 0.2), c);
    } else if (shape == "w") {
        p.fillRect(QRectF(x + w * 0.2, y + h * 0.68, w * 0.6, h * 0.08), c);
    } else if (shape == "4") {  // quarters
        p.fillRect(QRectF(x, y, w / 2, h / 2), cs[0]);
        p.fillRect(QRectF(mid.x(), y, w / 2, h / 2), cs[1]);
        p.fillRect(QRectF(x, mid.y(), w / 2, h / 2), cs[2]);
        p.fillRect(QRectF(mid.x(), mid.y(), w / 2, h / 2), cs[3]);
    }
}

// Nepal's two pennants, the one flag that is not a rectangle.
void nepal(QPainter& p, const QRectF& f) {
    const QPolygonF shape({f.topLeft(), QPointF(f.left() + f.width() * 0.62, f.center().y() - 1),
                           QPointF(f.left() + f.width() * 0.3, f.center().y() - 1),
                           QPointF(f.left() + f.width() * 0.62, f.bottom()), f.bottomLeft()});
    p.setPen(QPen(colour('N'), 1.5));
    p.setBrush(colour('R'));
    p.drawPolygon(shape);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(f.left() + f.width() * 0.17, f.top() + f.height() * 0.35), 2, 2);
    p.drawEllipse(QPointF(f.left() + f.width() * 0.17, f.top() + f.height() * 0.75), 2.5, 2.5);
}

QImage flagOf(std::string_view description) {
    QImage img(art::kFlagWidth, art::kFlagHeight, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF f(1, 3, art::kFlagWidth - 2, art::kFlagHeight - 6);
    if (description == "np") {
        nepal(p, QRectF(8, 1, 16, art::kFlagHeight - 2));
        return img;
    }
    p.setClipRect(f);
    std::size_t from = 0;
    while (from < description.size()) {
        std::size_t end = description.find(' ', from);
        if (end == std::string_view::npos) end = description.size();
        drawStep(p, f, description.substr(from, end - from));
        from = end + 1;
    }
    p.setClipping(false);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(60, 60, 60, 150), 1));
    p.drawRect(f.adjusted(0.5, 0.5, -0.5, -0.5));
    return img;
}

QImage emojiPicture(const QString& glyph, int w, int h) {
    requireEmojiFont();
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    QFont f(kEmojiFamily);
    f.setPixelSize(w);
    p.setFont(f);
    p.drawText(QRectF(img.rect()), Qt::AlignCenter, glyph);
    return img;
}

QImage unknownFlag() {
    QImage img(art::kFlagWidth, art::kFlagHeight, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(QColor(210, 210, 210));
    p.drawRect(QRectF(1.5, 3.5, art::kFlagWidth - 3, art::kFlagHeight - 7));
    QFont f;
    f.setPixelSize(art::kFlagHeight - 8);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(70, 70, 70));
    p.drawText(QRectF(img.rect()), Qt::AlignCenter, "?");
    return img;
}

std::vector<std::string_view> split(std::string_view all) {
    std::vector<std::string_view> out;
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = all.find('|', from);
        out.push_back(all.substr(from, at == std::string_view::npos ? all.npos : at - from));
        if (at == std::string_view::npos) return out;
        from = at + 1;
    }
}

}  // namespace

std::vector<Picture> countryPictures() {
    std::vector<Picture> out;
    for (int continent = 1; continent <= online::kContinents; ++continent) {
        const auto flags = split(kFlags[static_cast<std::size_t>(continent - 1)]);
        if (flags.size() != static_cast<std::size_t>(online::countryCount(continent))) {
            std::fprintf(stderr, "artgen: continent %d has %zu flags for %d countries\n", continent,
                         flags.size(), online::countryCount(continent));
            std::exit(1);
        }
        const auto name = [continent](int number) {
            return QString::fromStdString(
                online::flagPictureName(online::countryCode(continent, number)));
        };
        out.push_back({name(0), unknownFlag()});
        for (int n = 1; n <= online::countryCount(continent); ++n)
            out.push_back({name(n), flagOf(flags[static_cast<std::size_t>(n - 1)])});
    }
    out.push_back({QString::fromStdString(online::facePictureName("M")),
                   emojiPicture(QString::fromUtf8("👨"), 24, 24)});
    out.push_back({QString::fromStdString(online::facePictureName("W")),
                   emojiPicture(QString::fromUtf8("👩"), 24, 24)});
    return out;
}

}  // namespace orvala::artgen
