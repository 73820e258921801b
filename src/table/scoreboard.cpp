#include "table/scoreboard.h"

#include <QColor>
#include <QPainter>
#include <algorithm>
#include <cstdint>

#include "core/lang/word_table.h"
#include "table/table_geometry.h"

namespace orvala::table {
namespace {

bool isRgb(QImage::Format f) {
    return f == QImage::Format_RGB32 || f == QImage::Format_RGB888 || f == QImage::Format_RGBX8888;
}
bool isRgba(QImage::Format f) {
    return f == QImage::Format_ARGB32 || f == QImage::Format_RGBA8888;
}

// round(n / d) for d > 0, halves to even, exactly.
int roundRatio(std::int64_t n, std::int64_t d) {
    std::int64_t q = n / d, r = n % d;
    if (r < 0) r += d, --q;
    if (2 * r > d || (2 * r == d && (q & 1) != 0)) ++q;
    return static_cast<int>(q);
}

QString word(WordRow row) {
    const auto w = Word(row);
    return QString::fromUtf8(w.data(), static_cast<qsizetype>(w.size()));
}

// A picture resized smoothly for drawing; pictures in other forms are first brought to an RGB
// or RGBA form, so that drawing never fails on a picture's format.
QImage resizedPicture(QImage picture, QSize size) {
    if (picture.isNull()) return picture;
    if (!isRgb(picture.format()) && !isRgba(picture.format()))
        picture = picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32
                                                                    : QImage::Format_RGB32);
    SmoothResize(picture, size);
    return picture;
}

// A picture drawn into a rectangle; a picture of another size (sizes of 1 or less, which the
// resizing leaves alone) is scaled by the painter.
void drawInto(QPainter& p, const QRect& r, const QImage& picture) {
    if (picture.isNull() || r.isEmpty()) return;
    if (picture.size() == r.size())
        p.drawImage(r.topLeft(), picture);
    else
        p.drawImage(r, picture);
}

// A picture stretched over a rectangle, as the panels' backgrounds are.
void stretchInto(QPainter& p, const QRect& r, const QImage& picture) {
    if (picture.isNull() || r.isEmpty()) return;
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(r, picture);
    p.restore();
}

// The part of the table background under a rectangle of the window.
void paintBackground(QPainter& p, const QRect& r, const QImage& background) {
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(r, Qt::black);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (!background.isNull()) p.drawImage(r.topLeft(), background, r);
    p.restore();
}

// A bitmap drawn "transparent": the colour of its bottom-left pixel shows the table through.
QImage transparentBitmap(const QImage& bitmap) {
    if (bitmap.isNull() || bitmap.hasAlphaChannel()) return bitmap;
    QImage out = bitmap.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = out.pixel(0, out.height() - 1);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] & 0xFFFFFF) == (key & 0xFFFFFF)) line[x] = 0;
    }
    return out;
}

const char* symbolName(SuitCode trump) {
    switch (trump) {
        case kHearts:
            return "Cher";
        case kDiamonds:
            return "Bubi";
        case kClubs:
            return "Kres";
        case kSpades:
            return "Piki";
        default:
            return nullptr;
    }
}

const char* bubbleName(char colour) {
    switch (colour) {
        case 'g':
            return "SPGreen";
        case 'r':
            return "SPRed";
        case 'y':
            return "SPYellow";
        default:
            return "SPBlue";
    }
}

QString withoutTrailingBlanks(const QString& text) {
    qsizetype n = text.size();
    while (n > 0 && text[n - 1].isSpace()) --n;
    return text.left(n);
}

}  // namespace

std::optional<QString> SmoothResize(QImage& picture, QSize size) {
    const QImage::Format format = picture.format();
    if (!isRgb(format) && !isRgba(format)) return QString(kSmoothResizeFormatError);
    const int ow = picture.width(), oh = picture.height();
    const int nw = size.width(), nh = size.height();
    if (ow <= 1 || oh <= 1 || nw <= 1 || nh <= 1) return std::nullopt;

    // ARGB32 holds both forms losslessly and unpremultiplied, so alpha mixes like a colour.
    const QImage source = picture.convertToFormat(QImage::Format_ARGB32);
    QImage target(nw, nh, QImage::Format_ARGB32);
    const std::int64_t d = static_cast<std::int64_t>(nw) * nh;
    for (int y = 0; y < nh; ++y) {
        // Source row y * (oh - 1) / nh as y0 + ry / nh; y0 + 1 never passes the last row.
        const std::int64_t ny = static_cast<std::int64_t>(y) * (oh - 1);
        const int y0 = static_cast<int>(ny / nh);
        const std::int64_t ry = ny % nh;
        const int y1 = std::min(y0 + 1, oh - 1);
        const auto* row0 = reinterpret_cast<const QRgb*>(source.constScanLine(y0));
        const auto* row1 = reinterpret_cast<const QRgb*>(source.constScanLine(y1));
        auto* out = reinterpret_cast<QRgb*>(target.scanLine(y));
        for (int x = 0; x < nw; ++x) {
            const std::int64_t nx = static_cast<std::int64_t>(x) * (ow - 1);
            const int x0 = static_cast<int>(nx / nw);
            const std::int64_t rx = nx % nw;
            const int x1 = std::min(x0 + 1, ow - 1);
            // Weights in units of 1 / (nw * nh).
            const std::int64_t w00 = (nw - rx) * (nh - ry), w10 = rx * (nh - ry);
            const std::int64_t w01 = (nw - rx) * ry, w11 = rx * ry;
            const QRgb a = row0[x0], b = row0[x1], c = row1[x0], e = row1[x1];
            auto mix = [&](int (*channel)(QRgb)) {
                return roundRatio(
                    w00 * channel(a) + w10 * channel(b) + w01 * channel(c) + w11 * channel(e), d);
            };
            out[x] = qRgba(mix(qRed), mix(qGreen), mix(qBlue), mix(qAlpha));
        }
    }
    picture = target.convertToFormat(format);
    return std::nullopt;
}

void DrawScoreboard(QImage& canvas, const QRect& panel, int seat, bool turnMark, int dealPoints,
                    int score, int bid, bool redrawPanel, const ScoreboardFacts& facts,
                    const IndicatorContext& ctx) {
    if (seat < 1 || seat > 3 || panel.isEmpty()) return;
    const bool small = ctx.windowSize == 1;
    auto px = [&](double v) { return roundHalfEven(ctx.s * v); };
    // A panel area given as design left, top, right, bottom, in window pixels.
    auto area = [&](int l, int t, int r, int b) {
        return QRect(QPoint(panel.left() + px(l), panel.top() + px(t)),
                     QPoint(panel.left() + px(r) - 1, panel.top() + px(b) - 1));
    };

    // The clean copy: the table under the panel with the panel picture stretched over it.
    QImage clean(panel.size(), QImage::Format_ARGB32_Premultiplied);
    {
        QPainter cp(&clean);
        paintBackground(cp, QRect(QPoint(0, 0), panel.size()),
                        ctx.background.isNull() ? QImage() : ctx.background.copy(panel));
        stretchInto(cp, clean.rect(), ctx.pictures.picture(small ? "TabloSm" : "TabloBg"));
    }

    QPainter p(&canvas);
    auto erase = [&](const QRect& r) {
        const QRect a = r.intersected(panel);
        if (a.isEmpty()) return;
        p.save();
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(a.topLeft(), clean, a.translated(-panel.topLeft()));
        p.restore();
    };
    if (redrawPanel) erase(panel);

    // The turn mark points towards the seat's cards: seats 1 and 2 sit at the top of the table.
    // The mark reaches a row above its area, so both are erased together: no sliver of an old
    // mark stays behind.
    const bool top = seat != 3;
    const QRect markRect = small ? QRect(panel.left() + 22, panel.top() + (top ? 49 : 50), 20, 30)
                                 : area(23, 49, 43, 79);
    erase(area(15, 50, 50, 81).united(markRect));
    if (turnMark) {
        if (small) {
            const QImage mark = ctx.pictures.picture(top ? "ImageList3_1" : "ImageList3_0");
            if (!mark.isNull()) p.drawImage(markRect.topLeft(), mark);
        } else {
            stretchInto(p, markRect, ctx.pictures.picture(top ? "Hand_Up" : "Hand_Down"));
        }
    }

    auto setFont = [&](int designSize, bool bold) {
        p.setFont(ctx.fonts.Font(px(designSize), "decor", bold));
    };
    auto centre = [&](const QString& text, int l, int r, int t) {
        CentreText(text, panel.left() + px(l), panel.left() + px(r), p, panel.top() + px(t));
    };

    if (dealPoints != kLeaveFigure) {
        erase(area(15, 15, 140, 46));
        if (dealPoints != kEraseFigure) {
            const bool gameOver = facts.GameState == 15 && facts.someScoreBelowOne;
            setFont(30, false);
            p.setPen(gameOver ? QColor(255, 0, 0) : QColor(255, 0, 255));
            const QString figure =
                (gameOver && dealPoints > 0 ? "+" : "") + QString::number(dealPoints);
            centre(figure, 0, 155, 14);
        }
    }
    if (score != kLeaveFigure) {
        erase(area(55, 50, 100, 81));
        if (score != kEraseFigure) {
            setFont(20, false);
            p.setPen(QColor(0, 0, 255));
            centre(QString::number(score), 0, 155, 54);
        }
    }
    if (bid != kLeaveFigure) {
        erase(area(105, 50, 140, 81));
        if (bid != kEraseFigure) {
            setFont(24, true);
            p.setPen(QColor(0, 0, 128));
            centre(QString::number(bid), 105, 140, 52);
        }
    }
    if (facts.RuleBarrel && facts.Score <= 120) {
        const QRect sign(panel.left() + px(20), panel.top() + px(17), px(17), px(24));
        erase(area(20, 15, 50, 40).united(sign));
        drawInto(p, sign, resizedPicture(ctx.pictures.picture("GBarrel"), sign.size()));
    }
    if (facts.RuleBolts && facts.BoltCount != 0) {
        const QRect sign(panel.left() + px(115), panel.top() + px(17), px(13), px(24));
        erase(area(115, 15, 145, 45).united(sign));
        drawInto(p, sign, resizedPicture(ctx.pictures.picture("GBolt"), sign.size()));
        setFont(20, true);
        p.setPen(QColor(255, 0, 0));
        centre(QString::number(facts.BoltCount), 125, 140, 20);
    }
}

void DrawDealInfo(QImage& canvas, const QRect& panel, int dealNumber, SuitCode trump,
                  const IndicatorContext& ctx) {
    if (panel.isEmpty()) return;
    const bool small = ctx.windowSize == 1;
    auto px = [&](double v) { return roundHalfEven(ctx.s * v); };
    QPainter p(&canvas);
    paintBackground(p, panel, ctx.background);
    if (small) {
        const QImage frame = ctx.pictures.picture("RamkaBBSm");
        if (!frame.isNull()) p.drawImage(panel.topLeft(), frame);
    } else {
        stretchInto(p, panel, ctx.pictures.picture("RamkaBBBg"));
    }
    p.setFont(ctx.fonts.Font(px(28), "decor"));
    p.setPen(QColor(0, 0, 255));
    const int left = panel.left(), right = panel.left() + panel.width();
    CentreText(word(WordRow::RoundLabel) + " " + QString::number(dealNumber), left, right, p,
               panel.top() + px(15));
    const char* symbol = symbolName(trump);
    if (symbol == nullptr) return;  // no trump yet
    p.setPen(QColor(0, 128, 0));
    CentreText(word(WordRow::TrumpLabel), left, right, p, panel.top() + px(55));
    if (ctx.kind == PictureKind::Bitmap) {
        const QImage bitmap = transparentBitmap(ctx.pictures.picture(symbol));
        if (!bitmap.isNull()) p.drawImage(panel.left() + 50, panel.top() + 90, bitmap);
    } else {
        const QImage picture = ctx.pictures.picture(QString(symbol) + "B");
        if (!picture.isNull())
            p.drawImage(panel.left() + roundHalfEven(panel.width() / 2.0) - 20,
                        panel.top() + px(90), picture);
    }
}

int ShowSpeech(QImage& canvas, const QRect& bubble, const QString& text, char colour,
               const IndicatorContext& ctx) {
    QPainter p(&canvas);
    paintBackground(p, bubble, ctx.background);
    const QString line = withoutTrailingBlanks(text);
    if (line.isEmpty() || bubble.isEmpty()) return 0;
    auto px = [&](double v) { return roundHalfEven(ctx.s * v); };
    const bool small = ctx.windowSize == 1;

    // The widest size that fits, measured in the bold font the text is drawn in.
    int chosen = 14;
    for (int size : {18, 16}) {
        p.setFont(ctx.fonts.Font(px(size), "serif", true));
        if (p.fontMetrics().horizontalAdvance(line) <= px(150)) {
            chosen = size;
            break;
        }
    }
    p.setFont(ctx.fonts.Font(px(chosen), "serif", true));

    const QString name = QString(bubbleName(colour)) + (small ? "" : "B");
    QImage picture = ctx.pictures.picture(name);
    if (small) {
        if (!picture.isNull()) p.drawImage(bubble.topLeft(), picture);
    } else {
        drawInto(p, bubble, resizedPicture(picture, bubble.size()));
    }
    p.setPen(Qt::white);
    const int top = roundHalfEven((bubble.height() - p.fontMetrics().height()) / 2.0);
    CentreText(line, bubble.left(), bubble.left() + px(160), p, bubble.top() + top);
    return chosen;
}

QRect MoveClockRect(const QRect& bubble, double s) {
    return QRect(bubble.left() + bubble.width() + roundHalfEven(s * 10), bubble.top(),
                 bubble.height(), bubble.height());
}

void DrawMoveClock(QImage& canvas, const QRect& clock, int seconds, const IndicatorContext& ctx) {
    QPainter p(&canvas);
    paintBackground(p, clock, ctx.background);
    if (seconds < 0 || clock.isEmpty()) return;
    const bool hurry = seconds < 8;
    drawInto(p, clock,
             resizedPicture(ctx.pictures.picture(hurry ? "GTimerR" : "GTimerY"), clock.size()));
    p.setFont(ctx.fonts.Font(roundHalfEven(ctx.s * 18), "serif", true));
    p.setPen(hurry ? QColor(255, 255, 0) : QColor(255, 0, 0));
    const int top = roundHalfEven((clock.height() - p.fontMetrics().height()) / 2.0);
    CentreText(QString::number(seconds), clock.left(), clock.left() + clock.width(), p,
               clock.top() + top);
}

std::optional<WordRow> SeatPanelHint(double x, double y, const HintFacts& facts) {
    if (!facts.inGame) return std::nullopt;
    if (y <= 38) return WordRow::PointsOfCurrentRound;
    if (y >= 41 && x >= 46 && x <= 94) return WordRow::Numbers;
    if (y >= 41 && x >= 96 && facts.GameState >= 4 && facts.GameState <= 14 &&
        facts.othersOutOfAuction)
        return WordRow::TheOrderedGame;
    return std::nullopt;
}

}  // namespace orvala::table
