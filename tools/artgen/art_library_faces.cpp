// The faces and trump symbols of the library face sets. A face is laid out on a master card
// 198 high and as wide as the set's cards (146 or 126); the 69 x 94 bitmaps use the wide master
// scaled down, with their own, relatively larger, corner indices so that they read at that size.

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "art_library.h"
#include "art_court.h"
#include "art_library_style.h"
#include "art_shapes.h"
#include "table/art_names.h"

namespace orvala::artgen {
namespace {

constexpr double kMasterH = 198;

// A pip in the set's shape and fill.
void drawStyledPip(QPainter& p, const FaceStyle& st, int suit, const QRectF& box, bool turned) {
    p.save();
    if (turned) {
        p.translate(box.center());
        p.rotate(180);
        p.translate(-box.center());
    }
    const QPainterPath path = libraryPipPath(st.pipShape, suit, box);
    const QColor c = st.suit[suit];
    const double unit = box.width() / 26;
    switch (st.pipFill) {
        case 1: {
            QLinearGradient g(0, box.top(), 0, box.bottom());
            g.setColorAt(0, blend(c, QColor(255, 255, 255), 0.35));
            g.setColorAt(0.6, c);
            g.setColorAt(1, c.darker(130));
            p.setBrush(g);
            p.setPen(Qt::NoPen);
            p.drawPath(path);
            break;
        }
        case 2:
            fillPath(p, path, blend(c, st.paper, 0.6), c, 1.8 * unit);
            break;
        case 3:
            fillPath(p, path.translated(1.2 * unit, 1.2 * unit), QColor(0, 0, 0, 55));
            fillPath(p, path, c);
            break;
        default:
            fillPath(p, path, c);
            break;
    }
    p.restore();
}

QFont indexFont(const FaceStyle& st) {
    QFont f;
    f.setFamilies({st.fontFamily, "DejaVu Sans"});
    f.setPixelSize(100);
    f.setBold(st.fontBold);
    return f;
}

// Rank and suit in the top left corner and, turned, in the bottom right one, in pixels.
void drawIndices(QPainter& p, const FaceStyle& st, int rank, int suit, int w, int h, bool bitmap) {
    const double k = bitmap ? 1.0 : w / 146.0;
    const QRectF rankBox = bitmap ? QRectF(1.5, 2, 13, 15) : QRectF(4 * k, 6, 22 * k, 26);
    const QRectF pipBox = bitmap ? QRectF(2.5, 18.5, 11, 11) : QRectF(6 * k, 36, 18 * k, 19);
    const QPainterPath text = fittedText(st.index[rank], indexFont(st), rankBox);
    const QColor c = st.suit[suit];
    for (int turn = 0; turn < 2; ++turn) {
        p.save();
        if (turn == 1) {
            p.translate(w, h);
            p.rotate(180);
        }
        fillPath(p, text, c);
        fillPath(p, libraryPipPath(st.pipShape, suit, pipBox), c);
        p.restore();
    }
}

// The frame of the card's edge, in master units.
void drawFrame(QPainter& p, const FaceStyle& st, double mw) {
    const QRectF edge(3, 3, mw - 6, kMasterH - 6);
    p.setBrush(Qt::NoBrush);
    QColor c = st.frameColour;
    switch (st.frame) {
        case 1:
            p.setPen(QPen(c, 1.0));
            p.drawRoundedRect(edge, 6, 6);
            break;
        case 2:
            p.setPen(QPen(c, 1.0));
            p.drawRoundedRect(edge, 6, 6);
            p.setPen(QPen(c, 0.6));
            p.drawRoundedRect(edge.adjusted(2.2, 2.2, -2.2, -2.2), 4, 4);
            break;
        case 3:
            c.setAlpha(150);
            p.setPen(QPen(c, 2.6));
            p.drawRoundedRect(edge.adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
            break;
        case 4: {
            p.setPen(QPen(c, 1.0));
            const QPointF corners[4] = {edge.topLeft(), edge.topRight(), edge.bottomRight(),
                                        edge.bottomLeft()};
            for (int k = 0; k < 4; ++k) {
                p.save();
                p.translate(corners[k]);
                p.rotate(90 * k);
                QPainterPath curl;
                curl.moveTo(0, 22);
                curl.cubicTo(0, 8, 8, 0, 22, 0);
                p.drawPath(curl);
                p.drawEllipse(QPointF(6, 6), 1.6, 1.6);
                p.restore();
            }
            break;
        }
        default:
            break;
    }
}

// The classic layouts of the nine (four, one, four) and the ten (four, two, four).
void drawPips(QPainter& p, const FaceStyle& st, int rank, int suit, double mw) {
    const double k = mw / 146.0;
    const double pw = 26 * k, ph = 29;
    const double mid = mw / 2, left = mid - 22 * k, right = mid + 22 * k;
    const double rows[4] = {44, 44 + 110.0 / 3, 44 + 220.0 / 3, 154};
    const auto pip = [&](double x, double y, bool turned) {
        drawStyledPip(p, st, suit, QRectF(x - pw / 2, y - ph / 2, pw, ph), turned);
    };
    for (double y : rows) {
        pip(left, y, y > 99);
        pip(right, y, y > 99);
    }
    if (rank == 1) {
        pip(mid, 99, false);
    } else {
        pip(mid, (rows[0] + rows[1]) / 2, false);
        pip(mid, (rows[2] + rows[3]) / 2, true);
    }
}

void drawAce(QPainter& p, const FaceStyle& st, int suit, double mw) {
    const double k = mw / 146.0, cx = mw / 2, cy = 99;
    const QColor c = st.suit[suit];
    QColor soft = c;
    soft.setAlpha(80);
    double pw = 68 * k, ph = 74;
    switch (st.aceStyle) {
        case 0:
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(soft, 1.6));
            p.drawEllipse(QPointF(cx, cy), 48 * k, 54);
            p.setPen(QPen(soft, 0.8));
            p.drawEllipse(QPointF(cx, cy), 44 * k, 50);
            break;
        case 1:
            p.setPen(QPen(soft, 1.2));
            for (int r = 0; r < 32; ++r) {
                const double a = r * M_PI / 16;
                p.drawLine(QPointF(cx + std::cos(a) * 36 * k, cy + std::sin(a) * 40),
                           QPointF(cx + std::cos(a) * 52 * k, cy + std::sin(a) * 62));
            }
            pw = 56 * k;
            ph = 62;
            break;
        case 2: {
            const QColor leaf = blend(st.trim, QColor(40, 120, 50), 0.5);
            for (int side = -1; side <= 1; side += 2)
                for (int r = 0; r < 9; ++r) {
                    const double a = M_PI * (0.62 + 0.76 * r / 8.0);
                    const QPointF q(cx + side * std::cos(a) * 42 * k, cy - std::sin(a) * 50);
                    p.save();
                    p.translate(q);
                    p.rotate(side * (a * 180 / M_PI) + 90);
                    fillPath(
                        p,
                        [] {
                            QPainterPath e;
                            e.addEllipse(QPointF(0, 0), 3.2, 7);
                            return e;
                        }(),
                        leaf, leaf.darker(140), 0.5);
                    p.restore();
                }
            pw = 54 * k;
            ph = 60;
            break;
        }
        case 3: {
            p.setBrush(st.courtGround);
            p.setPen(QPen(st.frameColour, 2.0));
            p.drawEllipse(QPointF(cx, cy), 46 * k, 46 * k);
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(st.frameColour, 0.7));
            p.drawEllipse(QPointF(cx, cy), 42 * k, 42 * k);
            pw = 50 * k;
            ph = 56;
            break;
        }
        default:
            for (int q = 0; q < 4; ++q) {
                const double a = M_PI / 4 + q * M_PI / 2;
                const double x = cx + std::cos(a) * 44 * k, y = cy + std::sin(a) * 52;
                drawStyledPip(p, st, suit, QRectF(x - 7 * k, y - 8, 14 * k, 16), y > cy);
            }
            pw = 56 * k;
            ph = 62;
            break;
    }
    drawStyledPip(p, st, suit, QRectF(cx - pw / 2, cy - ph / 2, pw, ph), false);
}

void drawCourt(QPainter& p, const FaceStyle& st, int rank, int suit, double mw) {
    const double margin = 33 * mw / 146, fw = mw - 2 * margin, cx = mw / 2;
    const QRectF frame(margin, 24, fw, 150);
    const QColor c = st.suit[suit];
    p.setPen(Qt::NoPen);
    p.setBrush(st.courtGround);
    p.drawRect(frame);
    // The upper half; the lower one is the same turned about the centre.
    QPainterPath upper;
    upper.moveTo(frame.topLeft());
    upper.lineTo(frame.topRight());
    upper.lineTo(frame.right(), st.diagonal ? 90 : 99);
    upper.lineTo(frame.left(), st.diagonal ? 108 : 99);
    upper.closeSubpath();
    for (int half = 0; half < 2; ++half) {
        p.save();
        if (half == 1) {
            p.translate(cx, 99);
            p.rotate(180);
            p.translate(-cx, -99);
        }
        p.setClipPath(upper);
        p.save();
        p.translate(cx, 0);
        p.scale(fw / 80, 1);
        p.translate(-73, 0);
        drawBust(p, st, rank, suit);
        p.restore();
        if (st.frame % 2 == 0) {
            fillPath(
                p, fittedText(st.index[rank], indexFont(st), QRectF(frame.left() + 3, 28, 12, 14)),
                c);
            fillPath(p, libraryPipPath(st.pipShape, suit, QRectF(frame.right() - 15, 28, 12, 13)),
                     c);
        }
        p.restore();
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(st.trim.darker(110), 1.0));
    if (st.diagonal)
        p.drawLine(QPointF(frame.left(), 108), QPointF(frame.right(), 90));
    else
        p.drawLine(QPointF(frame.left(), 99), QPointF(frame.right(), 99));
    p.setPen(QPen(c, 1.6));
    p.drawRect(frame);
}

}  // namespace

QImage drawLibraryFace(int faceSet, int rank, int suit, bool bitmap) {
    const FaceStyle st = faceStyle(faceSet);
    const int w = bitmap    ? art::kBitmapFaceWidth
                  : st.wide ? art::kPngFaceWidth
                            : art::kNarrowPngFaceWidth;
    const int h = bitmap ? art::kBitmapFaceHeight : art::kPngFaceHeight;
    const double mw = bitmap ? art::kPngFaceWidth : w;
    QImage img = bitmap ? blank(w, h, st.paper) : blank(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    if (!bitmap) {
        // Rounded corners of radius 8, as the table's marks cut them.
        p.setPen(QPen(st.edge, 1));
        p.setBrush(st.paper);
        p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 8, 8);
    }
    drawIndices(p, st, rank, suit, w, h, bitmap);
    p.scale(w / mw, h / kMasterH);
    drawFrame(p, st, mw);
    if (rank == 1 || rank == 5)
        drawPips(p, st, rank, suit, mw);
    else if (rank == 6)
        drawAce(p, st, suit, mw);
    else
        drawCourt(p, st, rank, suit, mw);
    return img;
}

QImage drawLibrarySymbol(int faceSet, int suit, bool bitmap) {
    const FaceStyle st = faceStyle(faceSet);
    if (bitmap) {
        // Drawn without smoothing: the key colour must stay exact around the pip.
        QImage img =
            blank(20, 20, QColor(art::kSymbolKeyRed, art::kSymbolKeyGreen, art::kSymbolKeyBlue));
        QPainter p(&img);
        fillPath(p, libraryPipPath(st.pipShape, suit, QRectF(2, 2, 16, 16)), st.suit[suit]);
        return img;
    }
    QImage img = blank(40, 40);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath path = libraryPipPath(st.pipShape, suit, QRectF(4, 3, 32, 34));
    p.setPen(QPen(QColor(255, 255, 255, 200), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    drawStyledPip(p, st, suit, QRectF(4, 3, 32, 34), false);
    return img;
}

}  // namespace orvala::artgen
