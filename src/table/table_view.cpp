#include "table/table_view.h"

#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <cmath>

#include "table/fonts.h"
#include "core/lang/word_table.h"

namespace orvala::table {
namespace {

QString text(WordRow row) {
    const auto w = Word(row);
    return QString::fromUtf8(w.data(), static_cast<qsizetype>(w.size()));
}

QRect qrect(const IRect& r) { return QRect(r.left, r.top, r.width, r.height); }

const char* const kRankText[7] = {"", "9", "J", "Q", "K", "10", "A"};
const char16_t kSuitSymbol[5] = {0, u'\u2665', u'\u2666', u'\u2663', u'\u2660'};

QColor suitColour(int suit) { return suit <= 2 ? QColor(200, 20, 30) : QColor(20, 20, 20); }

QFont uiFont(int pixel, bool bold = false) {
    QFont f;
    f.setFamilies({"Comic Neue", "DejaVu Sans", "WenQuanYi Zen Hei"});
    f.setPixelSize(std::max(6, pixel));
    f.setBold(bold);
    return f;
}

// A card face drawn at its size: indices in two corners, pips or a figure in the middle.
QImage drawFace(Card c, int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double radius = w / 12.0;
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(QColor(252, 252, 248));
    p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), radius, radius);
    const int rank = CardRank(c), suit = suitIndex(c.suit);
    if (rank < 1 || rank > 6 || suit == 0) return img;
    const QColor colour = suitColour(suit);
    const QString idx = QString::fromLatin1(kRankText[rank]);
    const QString sym = QString(QChar(kSuitSymbol[suit]));
    p.setPen(colour);
    QFont small = uiFont(h / 7, true);
    small.setFamilies({"DejaVu Sans"});
    p.setFont(small);
    const QRectF corner(w * 0.04, h * 0.02, w * 0.3, h * 0.16);
    p.drawText(corner, Qt::AlignCenter, idx);
    p.drawText(corner.translated(0, h * 0.13), Qt::AlignCenter, sym);
    p.save();
    p.translate(w, h);
    p.rotate(180);
    p.drawText(corner, Qt::AlignCenter, idx);
    p.drawText(corner.translated(0, h * 0.13), Qt::AlignCenter, sym);
    p.restore();
    const QRectF middle(w * 0.22, h * 0.18, w * 0.56, h * 0.64);
    if (rank == 2 || rank == 3 || rank == 4) {
        // A figure: a framed bust with a crown (the jack a cap), in the suit's colour.
        p.setPen(QPen(colour, std::max(1.0, w / 50.0)));
        p.setBrush(QColor(245, 235, 200));
        p.drawRect(middle);
        const double cx = middle.center().x(), top = middle.top();
        p.setBrush(colour.lighter(150));
        p.drawEllipse(QPointF(cx, top + middle.height() * 0.35), middle.width() * 0.18, middle.width() * 0.2);
        QPainterPath body;
        body.moveTo(middle.left() + middle.width() * 0.15, middle.bottom());
        body.quadTo(cx, top + middle.height() * 0.4, middle.right() - middle.width() * 0.15, middle.bottom());
        p.setBrush(colour);
        p.drawPath(body);
        QPainterPath crown;
        const double cw = middle.width() * 0.36, cy = top + middle.height() * 0.16;
        crown.moveTo(cx - cw / 2, cy + cw * 0.35);
        if (rank == 2) {
            crown.lineTo(cx - cw / 2, cy + cw * 0.1);
            crown.quadTo(cx, cy - cw * 0.3, cx + cw / 2, cy + cw * 0.1);
        } else {
            const int points = rank == 4 ? 3 : 2;
            for (int k = 0; k <= points * 2; ++k)
                crown.lineTo(cx - cw / 2 + cw * k / (points * 2.0), (k % 2 == 0) ? cy : cy + cw * 0.25);
        }
        crown.lineTo(cx + cw / 2, cy + cw * 0.35);
        crown.closeSubpath();
        p.setBrush(QColor(230, 180, 30));
        p.drawPath(crown);
        p.setPen(colour);
        p.setFont(uiFont(static_cast<int>(h * 0.14), true));
        p.drawText(QRectF(middle.left(), middle.bottom() - h * 0.17, middle.width(), h * 0.16),
                   Qt::AlignCenter, idx);
    } else {
        QFont big = uiFont(rank == 6 ? static_cast<int>(h * 0.45) : static_cast<int>(h * 0.2));
        big.setFamilies({"DejaVu Sans"});
        p.setFont(big);
        if (rank == 6) {
            p.drawText(middle, Qt::AlignCenter, sym);
        } else {
            // Pips of the nine and the ten in two columns.
            const int n = rank == 1 ? 9 : 10;
            const int perColumn = n == 9 ? 4 : 4;
            for (int k = 0; k < perColumn * 2; ++k) {
                const double x = k < perColumn ? middle.left() : middle.right() - middle.width() * 0.4;
                const double y = middle.top() + (k % perColumn) * middle.height() / perColumn;
                p.drawText(QRectF(x, y, middle.width() * 0.4, middle.height() / perColumn), Qt::AlignCenter, sym);
            }
            const int centrePips = n - perColumn * 2;
            for (int k = 0; k < centrePips; ++k)
                p.drawText(QRectF(middle.left(), middle.top() + middle.height() * (k + 1) / (centrePips + 1) - middle.height() / 8,
                                  middle.width(), middle.height() / 4),
                           Qt::AlignCenter, sym);
        }
    }
    return img;
}

QImage drawBack(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(QColor(250, 250, 250));
    p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), w / 12.0, w / 12.0);
    const QRectF inner(w * 0.08, h * 0.06, w * 0.84, h * 0.88);
    p.setBrush(QColor(30, 60, 140));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(inner, w / 20.0, w / 20.0);
    p.setPen(QPen(QColor(200, 170, 60), std::max(1.0, w / 60.0)));
    for (double d = -inner.height(); d < inner.width(); d += w / 8.0) {
        p.drawLine(QPointF(inner.left() + d, inner.top()), QPointF(inner.left() + d + inner.height(), inner.bottom()));
        p.drawLine(QPointF(inner.left() + d + inner.height(), inner.top()), QPointF(inner.left() + d, inner.bottom()));
    }
    return img;
}

QImage drawCloth(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    std::uint32_t seed = 12345;
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int noise = static_cast<int>((seed >> 24) % 13) - 6;
            const double dx = (x - w / 2.0) / w, dy = (y - h / 2.0) / h;
            const double v = 1.0 - 0.5 * (dx * dx + dy * dy);
            line[x] = qRgb(std::clamp(static_cast<int>(25 * v) + noise / 2, 0, 255),
                           std::clamp(static_cast<int>(110 * v) + noise, 0, 255),
                           std::clamp(static_cast<int>(45 * v) + noise / 2, 0, 255));
        }
    }
    return img;
}

}  // namespace

TableView::TableView() = default;

void TableView::applyWindowSize(const Settings& settings, QSize available) {
    settings_ = settings;
    scales_ = scalesFor(settings.WindowSize, available.width(), available.height());
    card_ = cardSizeFor(scales_.s);
    layout_ = layoutFor(scales_, card_);
    background_ = drawCloth(scales_.width, scales_.height);
    canvas_ = background_.copy();
    for (auto& f : faceCache_) f = QImage();
    backCache_ = QImage();
}

QSize TableView::windowSize() const { return QSize(scales_.width, scales_.height); }
double TableView::scale() const { return scales_.s; }
QSize TableView::cardSize() const { return QSize(card_.cw, card_.ch); }

void TableView::paintBackground(QRect r) {
    QPainter p(&canvas_);
    p.drawImage(r.topLeft(), background_, r);
}

void TableView::clearAll() { canvas_ = background_.copy(); }

void TableView::clearCentre() { paintBackground(qrect(layout_.centre)); }

QImage TableView::face(Card c) const {
    const int r = CardRank(c), s = suitIndex(c.suit);
    if (r < 1 || r > 6 || s == 0) return {};
    QImage& cached = faceCache_[static_cast<size_t>((r - 1) * 4 + s - 1)];
    if (cached.isNull()) cached = drawFace(c, card_.cw, card_.ch);
    return cached;
}

QImage TableView::back() const {
    if (backCache_.isNull()) backCache_ = drawBack(card_.cw, card_.ch);
    return backCache_;
}

QImage TableView::cardImage(Card c, bool faceUp) const { return faceUp ? face(c) : back(); }

void TableView::drawHand(int seat, const HandArray& hand, int count, bool faceUp) {
    const QRect r = qrect(layout_.hand[seat]);
    paintBackground(r);
    handXs_[seat] = handPositions(r.width(), count, card_.cw);
    handCount_[seat] = count;
    QPainter p(&canvas_);
    p.setClipRect(r);
    const bool show = faceUp || seat == 3;
    for (int i = 1; i <= count; ++i)
        p.drawImage(r.left() + handXs_[seat][static_cast<size_t>(i - 1)], r.top(), cardImage(hand[i], show));
}

int TableView::panelUnder(QPoint p, double* x, double* y) const {
    for (int s = 1; s <= 3; ++s) {
        const QRect r = qrect(layout_.panel[s]);
        if (!r.contains(p)) continue;
        *x = (p.x() - r.left()) / scales_.s;
        *y = (p.y() - r.top()) / scales_.s;
        return s;
    }
    return 0;
}

bool TableView::overOwnHand(QPoint p) const { return qrect(layout_.hand[3]).contains(p); }

int TableView::slotUnderPointer(QPoint p) const {
    if (!overOwnHand(p)) return 0;
    return cardUnderPointer(handXs_[3], card_.cw, p.x() - layout_.hand[3].left);
}

QPoint TableView::slotPoint(int slot) const {
    const auto& xs = handXs_[3];
    if (slot < 1 || slot > static_cast<int>(xs.size())) return {};
    const int left = xs[static_cast<size_t>(slot - 1)];
    const int right = slot < static_cast<int>(xs.size()) ? xs[static_cast<size_t>(slot)] : left + card_.cw;
    return QPoint(layout_.hand[3].left + (left + right) / 2, layout_.hand[3].top + card_.ch / 2);
}

void TableView::markCard(int slot) {
    const auto& xs = handXs_[3];
    if (slot < 1 || slot > static_cast<int>(xs.size())) return;
    const int left = xs[static_cast<size_t>(slot - 1)];
    const int right = slot < static_cast<int>(xs.size()) ? xs[static_cast<size_t>(slot)] : left + card_.cw;
    // Inverting the strip marks the card; inverting it again removes the mark.
    const QRect strip(layout_.hand[3].left + left, layout_.hand[3].top, right - left, card_.ch);
    for (int y = strip.top(); y <= strip.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(canvas_.scanLine(y));
        for (int x = strip.left(); x <= strip.right() && x < canvas_.width(); ++x)
            line[x] = (line[x] & 0xFF000000u) | (~line[x] & 0x00FFFFFFu);
    }
}

QPoint TableView::placePoint(const Place& p) const {
    switch (p.kind) {
        case Place::Kind::Hand: {
            const IRect& r = layout_.hand[std::clamp(p.index, 1, 3)];
            return QPoint(r.left + r.width / 2 - card_.cw / 2, r.top);
        }
        case Place::Kind::Deck:
            return QPoint(layout_.centre.left + layout_.centre.width / 2 - card_.cw / 2, layout_.centre.top + layout_.centre.height / 2 - card_.ch / 2);
        case Place::Kind::Talon: {
            const IPoint q = layout_.talon[static_cast<size_t>(std::clamp(p.index, 1, 3))];
            return QPoint(q.x, q.y);
        }
        case Place::Kind::Trick:
        case Place::Kind::Given: {
            const IPoint q = layout_.trick[static_cast<size_t>(std::clamp(p.index, 1, 3))];
            return QPoint(q.x, q.y);
        }
    }
    return {};
}

void TableView::drawAt(const Place& place, Card c) {
    QPainter p(&canvas_);
    p.drawImage(placePoint(place), face(c));
}

void TableView::clearAt(const Place& place) {
    paintBackground(QRect(placePoint(place), cardSize()));
}

void TableView::speech(int seat, const QString& t, char colour) {
    const QRect r = qrect(layout_.bubble[seat]);
    paintBackground(r);
    const QString trimmed = QString(t).remove(QRegularExpression("\\s+$"));
    if (trimmed.isEmpty()) return;
    QPainter p(&canvas_);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor fill = colour == 'g' ? QColor(40, 150, 60) : colour == 'r' ? QColor(190, 40, 40)
                      : colour == 'y' ? QColor(190, 150, 20) : QColor(40, 80, 190);
    p.setBrush(fill);
    p.setPen(QPen(fill.darker(150), 1));
    p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), r.height() / 2.0, r.height() / 2.0);
    // 18, then 16, then 14 when the text is too wide; nothing smaller.
    for (int size : {18, 16, 14}) {
        p.setFont(slotFont(settings_, mapLength(scales_, size), "serif", true));
        if (p.fontMetrics().horizontalAdvance(trimmed) <= mapLength(scales_, 150) || size == 14) break;
    }
    p.setPen(Qt::white);
    p.drawText(r, Qt::AlignCenter, trimmed);
}

void TableView::scoreboard(int seat, bool turnMark, int dealPoints, int score, int bid, bool redrawPanel,
                           const BoardFacts& facts) {
    const QRect r = qrect(layout_.panel[seat]);
    QPainter p(&canvas_);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = scales_.s;
    auto area = [&](double l, double t, double rr, double b) {
        return QRectF(r.left() + l * s, r.top() + t * s, (rr - l) * s, (b - t) * s);
    };
    const QColor panel(245, 240, 225);
    auto erase = [&](const QRectF& a) { p.fillRect(a, panel); };
    if (redrawPanel) {
        p.setBrush(panel);
        p.setPen(QPen(QColor(120, 90, 40), std::max(1.0, 2 * s)));
        p.drawRoundedRect(QRectF(r).adjusted(1, 1, -1, -1), 8 * s, 8 * s);
    }
    // The turn mark points towards the seat's cards.
    const QRectF mark = area(15, 50, 50, 81);
    erase(mark);
    if (turnMark) {
        QPainterPath arrow;
        const double cx = mark.center().x(), w = mark.width() * 0.5;
        const bool up = seat != 3;
        const double tip = up ? mark.top() + 3 * s : mark.bottom() - 3 * s;
        const double base = up ? mark.bottom() - 3 * s : mark.top() + 3 * s;
        arrow.moveTo(cx, tip);
        arrow.lineTo(cx + w / 2, (tip + base) / 2);
        arrow.lineTo(cx + w / 5, (tip + base) / 2);
        arrow.lineTo(cx + w / 5, base);
        arrow.lineTo(cx - w / 5, base);
        arrow.lineTo(cx - w / 5, (tip + base) / 2);
        arrow.lineTo(cx - w / 2, (tip + base) / 2);
        arrow.closeSubpath();
        p.fillPath(arrow, QColor(200, 120, 20));
    }
    const bool gameEnd = facts.gameState == 15 && facts.someScoreBelowOne;
    if (dealPoints != -20000) {
        erase(area(15, 15, 140, 46));
        if (dealPoints != -10000) {
            p.setFont(slotFont(settings_, mapLength(scales_, 30), "decor"));
            p.setPen(gameEnd ? QColor(255, 0, 0) : QColor(255, 0, 255));
            const QString t = (gameEnd && dealPoints > 0 ? "+" : "") + QString::number(dealPoints);
            p.drawText(area(0, 12, 155, 48), Qt::AlignHCenter | Qt::AlignTop, t);
        }
    }
    if (score != -20000) {
        erase(area(55, 50, 100, 81));
        if (score != -10000) {
            p.setFont(slotFont(settings_, mapLength(scales_, 20), "decor"));
            p.setPen(QColor(0, 0, 255));
            p.drawText(area(0, 54, 155, 81), Qt::AlignHCenter | Qt::AlignTop, QString::number(score));
        }
    }
    if (bid != -20000) {
        erase(area(105, 50, 140, 81));
        if (bid != -10000) {
            p.setFont(slotFont(settings_, mapLength(scales_, 24), "decor", true));
            p.setPen(QColor(0, 0, 128));
            p.drawText(area(100, 52, 145, 81), Qt::AlignHCenter | Qt::AlignTop, QString::number(bid));
        }
    }
    if (rules_.RuleBarrel && facts.score <= 120) {
        const QRectF b = area(20, 17, 37, 41);
        p.setBrush(QColor(150, 90, 40));
        p.setPen(QPen(QColor(80, 40, 10), 1));
        p.drawRoundedRect(b, b.width() / 3, b.height() / 6);
        p.drawLine(QPointF(b.left(), b.top() + b.height() / 3), QPointF(b.right(), b.top() + b.height() / 3));
        p.drawLine(QPointF(b.left(), b.bottom() - b.height() / 3), QPointF(b.right(), b.bottom() - b.height() / 3));
    }
    if (rules_.RuleBolts && facts.boltCount != 0) {
        const QRectF b = area(115, 17, 128, 41);
        QPainterPath bolt;
        bolt.moveTo(b.left() + b.width() * 0.6, b.top());
        bolt.lineTo(b.left(), b.top() + b.height() * 0.55);
        bolt.lineTo(b.left() + b.width() * 0.45, b.top() + b.height() * 0.55);
        bolt.lineTo(b.left() + b.width() * 0.3, b.bottom());
        bolt.lineTo(b.right(), b.top() + b.height() * 0.4);
        bolt.lineTo(b.left() + b.width() * 0.55, b.top() + b.height() * 0.4);
        bolt.closeSubpath();
        p.fillPath(bolt, QColor(230, 190, 0));
        p.setFont(slotFont(settings_, mapLength(scales_, 20), "decor", true));
        p.setPen(QColor(255, 0, 0));
        p.drawText(area(125, 20, 140, 45), Qt::AlignHCenter | Qt::AlignTop, QString::number(facts.boltCount));
    }
}

void TableView::dealInfo(int dealNumber, SuitCode trump) {
    dealNumber_ = dealNumber;
    trump_ = trump;
    const QRect r = qrect(layout_.dealInfo);
    QPainter p(&canvas_);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(245, 240, 225));
    p.setPen(QPen(QColor(120, 90, 40), std::max(1.0, 2 * scales_.s)));
    p.drawRoundedRect(QRectF(r).adjusted(1, 1, -1, -1), 8 * scales_.s, 8 * scales_.s);
    const double s = scales_.s;
    p.setFont(slotFont(settings_, mapLength(scales_, 28), "decor"));
    p.setPen(QColor(0, 0, 255));
    p.drawText(QRectF(r.left(), r.top() + 15 * s, r.width(), 35 * s), Qt::AlignHCenter | Qt::AlignTop,
               text(WordRow::RoundLabel) + " " + QString::number(dealNumber));
    const int suit = suitIndex(trump);
    if (suit == 0) return;
    p.setPen(QColor(0, 128, 0));
    p.drawText(QRectF(r.left(), r.top() + 55 * s, r.width(), 35 * s), Qt::AlignHCenter | Qt::AlignTop,
               text(WordRow::TrumpLabel));
    QFont f = uiFont(mapLength(scales_, 40));
    f.setFamilies({"DejaVu Sans"});
    p.setFont(f);
    p.setPen(suitColour(suit));
    p.drawText(QRectF(r.left(), r.top() + 90 * s, r.width(), 50 * s), Qt::AlignHCenter | Qt::AlignTop,
               QString(QChar(kSuitSymbol[suit])));
}

void TableView::thinkingBar(int percent) {
    if (percent < 0) {
        dealInfo(dealNumber_, trump_);
        return;
    }
    const QRect r = qrect(layout_.dealInfo);
    const double s = scales_.s;
    const QRectF bar(r.left() + 10 * s, r.bottom() - 18 * s, r.width() - 20 * s, 10 * s);
    QPainter p(&canvas_);
    p.fillRect(bar, QColor(220, 220, 220));
    p.fillRect(QRectF(bar.left(), bar.top(), bar.width() * std::clamp(percent, 0, 100) / 100.0, bar.height()),
               QColor(40, 160, 60));
}

}  // namespace orvala::table
