#include "table/table_view.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <cmath>

#include "core/lang/word_table.h"
#include "table/fonts.h"
#include "table/smooth_resize.h"

namespace orvala::table {
namespace {

QString text(WordRow row) {
    const auto w = Word(row);
    return QString::fromUtf8(w.data(), static_cast<qsizetype>(w.size()));
}

QRect qrect(const IRect& r) {
    return QRect(r.left, r.top, r.width, r.height);
}

// The opaque panel pictures of the smallest window, with their corners left out.
QImage smallPanel(const QImage& bitmap) {
    return withTransparentKey(bitmap,
                              qRgb(art::kPanelKeyRed, art::kPanelKeyGreen, art::kPanelKeyBlue));
}

const char16_t kSuitSymbol[5] = {0, u'\u2665', u'\u2666', u'\u2663', u'\u2660'};

// A bitmap face or back at picture kind 1: the 1-pixel black outline leaves the four corner
// pixels open, the pixel one step inside each corner is black, and the 69 x 94 bitmap fills the
// inside.
QImage borderedCard(const QImage& bitmap, int cw, int ch) {
    QImage card(cw, ch, QImage::Format_ARGB32_Premultiplied);
    card.fill(Qt::transparent);
    QPainter p(&card);
    p.drawImage(QRect(1, 1, cw - 2, ch - 2), bitmap);
    p.setPen(Qt::black);
    p.drawLine(1, 0, cw - 2, 0);
    p.drawLine(1, ch - 1, cw - 2, ch - 1);
    p.drawLine(0, 1, 0, ch - 2);
    p.drawLine(cw - 1, 1, cw - 1, ch - 2);
    for (QPoint q : {QPoint(1, 1), QPoint(cw - 2, 1), QPoint(1, ch - 2), QPoint(cw - 2, ch - 2)})
        p.drawPoint(q);
    return card;
}

}  // namespace

void CentreText(QPainter& p, const QString& t, int left, int right, int top) {
    const int width = p.fontMetrics().horizontalAdvance(t);
    p.drawText(left + (right - left - width) / 2, top + p.fontMetrics().ascent(), t);
}

namespace {

// Draws a text centred between left and right in a font made smaller until the text is no wider
// than `room`; a smaller text keeps its middle where the full-size one would have it.
void centreFitted(QPainter& p, const QFont& font, const QString& t, int left, int right, int top,
                  int room) {
    const QFont fitted = fittingFont(font, t, room);
    p.setFont(fitted);
    CentreText(p, t, left, right,
               top + (QFontMetrics(font).height() - QFontMetrics(fitted).height()) / 2);
}

}  // namespace

TableView::TableView(PictureStore& pictures) : pictures_(pictures) {}

void TableView::applyWindowSize(Settings& settings, QSize available, bool designPicture) {
    scales_ = scalesFor(settings.WindowSize, available.width(), available.height());
    // The picture kind follows the scale alone; the width also follows the face set, which is
    // known once its faces are loaded (a missing library makes it the wide built-in set).
    const PictureKind kind = static_cast<PictureKind>(cardSizeFor(scales_.s).kind);
    pictures_.LoadCardFaces(settings, kind);
    card_ = cardSizeFor(scales_.s, pictures_.wideCards());
    layout_ = layoutFor(scales_, card_);
    pictures_.LoadBackground(settings, scales_.windowSize, scales_.width, scales_.height,
                             designPicture);
    settings_ = settings;
    background_ = pictures_.background();
    canvas_ = background_.copy();
    for (auto& f : faceCache_) f = QImage();
    backCache_ = QImage();
    seatPanel_ = QImage();
}

QSize TableView::windowSize() const {
    return QSize(scales_.width, scales_.height);
}
double TableView::scale() const {
    return scales_.s;
}
QSize TableView::cardSize() const {
    return QSize(card_.cw, card_.ch);
}

void TableView::paintBackground(QRect r) {
    QPainter p(&canvas_);
    p.drawImage(r.topLeft(), background_, r);
}

void TableView::clearAll() {
    canvas_ = background_.copy();
}

void TableView::clearCentre() {
    paintBackground(qrect(layout_.centre));
}

QImage TableView::face(Card c) const {
    const int r = CardRank(c), s = suitIndex(c.suit);
    if (r < 1 || r > 6 || s == 0) return {};
    QImage& cached = faceCache_[static_cast<size_t>((r - 1) * 4 + s - 1)];
    if (cached.isNull()) cached = cardPicture(pictures_.FaceOf(c));
    return cached;
}

QImage TableView::back() const {
    if (backCache_.isNull()) backCache_ = cardPicture(pictures_.back());
    return backCache_;
}

QImage TableView::cardPicture(const QImage& picture) const {
    if (card_.kind == 1) return borderedCard(picture, card_.cw, card_.ch);
    return picture.scaled(card_.cw, card_.ch, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void TableView::loadBackground(Settings& settings, bool designPicture) {
    pictures_.LoadBackground(settings, scales_.windowSize, scales_.width, scales_.height,
                             designPicture);
    settings_ = settings;
    background_ = pictures_.background();
    canvas_ = background_.copy();
}

void TableView::chooseBack(int dayOfWeek) {
    pictures_.ChooseDeckBack(settings_, dayOfWeek);
    backCache_ = QImage();
}

QImage TableView::cardImage(Card c, bool faceUp) const {
    return faceUp ? face(c) : back();
}

void TableView::drawHand(int seat, const HandArray& hand, int count, bool faceUp, CardShift shift) {
    const QRect r = qrect(layout_.hand[seat]);
    paintBackground(r);
    handXs_[seat] = handPositions(r.width(), count, card_.cw);
    handCount_[seat] = count;
    if (seat == 3) ownHand_ = hand;
    QPainter p(&canvas_);
    p.setClipRect(r);
    const bool show = faceUp || seat == 3;
    for (int i = 1; i <= count; ++i)
        p.drawImage(
            r.left() + handXs_[seat][static_cast<size_t>(i - 1)] + (i == shift.slot ? shift.dx : 0),
            r.top(), cardImage(hand[i], show));
}

void TableView::shakeCard(int slot, int dx) {
    drawHand(3, ownHand_, handCount_[3], true, CardShift{slot, dx});
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

bool TableView::overOwnHand(QPoint p) const {
    return qrect(layout_.hand[3]).contains(p);
}

int TableView::slotUnderPointer(QPoint p) const {
    if (!overOwnHand(p)) return 0;
    return cardUnderPointer(handXs_[3], card_.cw, p.x() - layout_.hand[3].left);
}

QRect TableView::cardRect(int seat, int slot) const {
    if (seat < 1 || seat > 3) return {};
    const auto& xs = handXs_[seat];
    if (slot < 1 || slot > static_cast<int>(xs.size())) return {};
    const IRect& r = layout_.hand[seat];
    return QRect(r.left + xs[static_cast<size_t>(slot - 1)], r.top, card_.cw, card_.ch);
}

QPoint TableView::slotPoint(int slot) const {
    const auto& xs = handXs_[3];
    if (slot < 1 || slot > static_cast<int>(xs.size())) return {};
    const int left = xs[static_cast<size_t>(slot - 1)];
    const int right =
        slot < static_cast<int>(xs.size()) ? xs[static_cast<size_t>(slot)] : left + card_.cw;
    return QPoint(layout_.hand[3].left + (left + right) / 2, layout_.hand[3].top + card_.ch / 2);
}

void TableView::markCard(int slot) {
    const auto& xs = handXs_[3];
    const int n = static_cast<int>(xs.size());
    if (slot < 1 || slot > n) return;
    const QRect strip = markStrip(slot);
    // Inverting the strip marks the card; inverting it again removes the mark. At picture kinds
    // 0 and 2 the strip has the card's rounded corners, and the next card's rounded corner is
    // left out of it.
    QPainterPath area;
    if (card_.kind == 1) {
        area.addRect(strip);
    } else {
        const double d = card_.kind == 2 ? 16 : roundHalfEven(8 * scales_.s);
        const int left = layout_.hand[3].left + xs[static_cast<size_t>(slot - 1)];
        area.addRoundedRect(QRectF(left, strip.top(), card_.cw, card_.ch), d / 2, d / 2);
        QPainterPath clip;
        clip.addRect(strip);
        area = area.intersected(clip);
        if (slot < n) {
            QPainterPath next;
            next.addRoundedRect(QRectF(strip.right() + 1, strip.top(), card_.cw, card_.ch), d / 2,
                                d / 2);
            QPainterPath nextCorner;
            nextCorner.addRect(QRectF(strip.right() + 1, strip.top(), card_.cw, card_.ch));
            area = area.subtracted(next.intersected(nextCorner));
        }
    }
    const QRegion region(area.toFillPolygon().toPolygon());
    for (const QRect& r : region) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            if (y < 0 || y >= canvas_.height()) continue;
            auto* line = reinterpret_cast<QRgb*>(canvas_.scanLine(y));
            for (int x = std::max(0, r.left()); x <= r.right() && x < canvas_.width(); ++x)
                line[x] = (line[x] & 0xFF000000u) | (~line[x] & 0x00FFFFFFu);
        }
    }
}

QRect TableView::markStrip(int slot) const {
    const auto& xs = handXs_[3];
    const int n = static_cast<int>(xs.size());
    const int left = xs[static_cast<size_t>(slot - 1)];
    const bool whole = slot == n || layout_.hand[3].width >= n * card_.cw;
    const int right = whole ? left + card_.cw : xs[static_cast<size_t>(slot)];
    return QRect(layout_.hand[3].left + left, layout_.hand[3].top, right - left, card_.ch);
}

QPoint TableView::placePoint(const Place& p) const {
    switch (p.kind) {
        case Place::Kind::Hand: {
            const IRect& r = layout_.hand[std::clamp(p.index, 1, 3)];
            // A card leaving a hand starts from its slot in the hand as it was drawn.
            if (p.slot >= 1 && p.slot <= p.handCount) {
                const auto xs = handPositions(r.width, p.handCount, card_.cw);
                return QPoint(r.left + xs[static_cast<size_t>(p.slot - 1)], r.top);
            }
            return QPoint(r.left + r.width / 2 - card_.cw / 2, r.top);
        }
        case Place::Kind::Deck:
            return QPoint(layout_.centre.left + layout_.centre.width / 2 - card_.cw / 2,
                          layout_.centre.top + layout_.centre.height / 2 - card_.ch / 2);
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
    const char* name = colour == 'g'   ? "SPGreen"
                       : colour == 'r' ? "SPRed"
                       : colour == 'y' ? "SPYellow"
                                       : "SPBlue";
    const bool small = scales_.windowSize == 1;
    QImage bubble = pictures_.picture(QString(name) + (small ? "" : "B"));
    if (!small) SmoothResize(bubble, r.width(), r.height());
    QPainter p(&canvas_);
    p.drawImage(r.topLeft(), bubble);
    // 18, then 16, then 14 when the text is too wide, measured in the regular weight; it is
    // drawn in bold.
    int size = 18;
    for (; size > 14; size -= 2) {
        const QFont regular = slotFont(settings_, mapLength(scales_, size), "serif");
        if (QFontMetrics(regular).horizontalAdvance(trimmed) <= mapLength(scales_, 150)) break;
    }
    const QFont bold = slotFont(settings_, mapLength(scales_, size), "serif", true);
    p.setPen(Qt::white);
    const int textHeight = QFontMetrics(bold).height();
    // Bold is wider than the measure, and nothing below 14 is tried: a text still too wide is
    // made smaller until it fits between the bubble's rounded ends.
    centreFitted(p, bold, trimmed, r.left(), r.left() + mapLength(scales_, 160),
                 r.top() + roundHalfEven((r.height() - textHeight) / 2.0),
                 r.width() - 2 * mapLength(scales_, 3));
}

QRect TableView::moveClockRect(int seat) const {
    const QRect bubble = qrect(layout_.bubble[static_cast<std::size_t>(seat)]);
    return QRect(bubble.right() + 1 + mapLength(scales_, 10), bubble.top(), bubble.height(),
                 bubble.height());
}

void TableView::moveClock(int seat, int seconds) {
    if (seat < 1 || seat > 3) return;
    const QRect r = moveClockRect(seat);
    paintBackground(r);
    if (seconds < 0) return;
    const bool last = seconds < 8;
    QImage face = pictures_.picture(last ? "GTimerR" : "GTimerY");
    QPainter p(&canvas_);
    if (!face.isNull()) {
        SmoothResize(face, r.width(), r.height());
        p.drawImage(r.topLeft(), face);
    }
    const QFont bold = slotFont(settings_, mapLength(scales_, 18), "serif", true);
    p.setFont(bold);
    p.setPen(last ? QColor(255, 255, 0) : QColor(255, 0, 0));
    p.drawText(r, Qt::AlignCenter, QString::number(seconds));
}

namespace {

// Where the parts of a seat panel lie in the window: each part's area, and the boxes its picture
// or figure is drawn in. A part that changes is painted again over both.
struct PanelParts {
    QRect panel;
    QRect mark, markPicture;
    QRect dealPoints, dealPointsText, score, scoreText, bid, bidText;
    QRect barrel, barrelPicture;
    QRect bolts, boltPicture, boltText;
};

PanelParts panelParts(const QRect& r, const Scales& sc, const Settings& settings, int seat) {
    auto px = [&](double v) { return mapLength(sc, v); };
    auto area = [&](int l, int t, int right, int b) {
        return QRect(r.left() + px(l), r.top() + px(t), px(right) - px(l), px(b) - px(t));
    };
    PanelParts parts;
    parts.panel = r;
    parts.mark = area(15, 50, 50, 81);
    // The mark points towards the seat's cards; at the smallest size it is a 20 x 30 picture.
    parts.markPicture = sc.windowSize == 1
                            ? QRect(r.left() + 22, r.top() + (seat == 3 ? 50 : 49), 20, 30)
                            : area(23, 49, 43, 79);
    // A figure's box spans its area's width, from its top as tall as its font's cell.
    auto text = [&](const QRect& a, int top, int size) {
        return QRect(a.left(), r.top() + px(top), a.width(),
                     FontHeight(settings, px(size), "decor"));
    };
    parts.dealPoints = area(15, 15, 140, 46);
    parts.dealPointsText = text(parts.dealPoints, 14, 30);
    parts.score = area(55, 50, 100, 81);
    parts.scoreText = text(parts.score, 54, 20);
    parts.bid = area(105, 50, 140, 81);
    parts.bidText = text(parts.bid, 52, 24);
    parts.barrel = area(20, 15, 50, 40);
    parts.barrelPicture = QRect(r.left() + px(20), r.top() + px(17), px(17), px(24));
    parts.bolts = area(115, 15, 145, 45);
    parts.boltPicture = QRect(r.left() + px(115), r.top() + px(17), px(13), px(24));
    parts.boltText = text(area(125, 15, 140, 45), 20, 20);
    return parts;
}

// A sign picture resized to its place.
QImage signPicture(const QImage& picture, QSize size) {
    QImage out = picture.convertToFormat(QImage::Format_ARGB32);
    SmoothResize(out, size.width(), size.height());
    return out;
}

}  // namespace

const QImage& TableView::seatPanelPicture() {
    const QSize size = qrect(layout_.panel[1]).size();
    if (seatPanel_.size() != size) {
        seatPanel_ = scales_.windowSize == 1
                         ? smallPanel(pictures_.picture("TabloSm"))
                         : pictures_.picture("TabloBg").scaled(size, Qt::IgnoreAspectRatio,
                                                               Qt::SmoothTransformation);
    }
    return seatPanel_;
}

void TableView::scoreboard(int seat, const PanelUpdate& u) {
    if (seat < 1 || seat > 3) return;
    PanelShown& shown = panels_[static_cast<size_t>(seat)];
    const PanelParts parts = panelParts(qrect(layout_.panel[seat]), scales_, settings_, seat);
    QRegion changed;
    if (u.redrawPanel) changed += parts.panel;
    if (u.turnMark) {
        shown.mark = *u.turnMark;
        // The mark's picture reaches a row above its area: all of it goes with it.
        changed += parts.mark;
        changed += parts.markPicture;
    }
    auto take = [&](const PanelNumber& n, std::optional<int>& figure, const QRect& area,
                    const QRect& box) {
        if (n.kind == PanelNumber::Kind::Keep) return false;
        figure = n.kind == PanelNumber::Kind::Show ? std::optional<int>(n.value) : std::nullopt;
        changed += area;
        changed += box;
        return true;
    };
    if (take(u.dealPoints, shown.dealPoints, parts.dealPoints, parts.dealPointsText))
        shown.finalColours = u.finalColours;
    take(u.score, shown.score, parts.score, parts.scoreText);
    take(u.bid, shown.bid, parts.bid, parts.bidText);
    if (u.barrel) {
        shown.barrel = *u.barrel;
        changed += parts.barrel;
        changed += parts.barrelPicture;
    }
    if (u.bolts) {
        shown.bolts = std::max(0, *u.bolts);
        changed += parts.bolts;
        changed += parts.boltPicture;
        changed += parts.boltText;
    }
    paintPanel(seat, changed);
}

void TableView::paintPanel(int seat, const QRegion& area) {
    const PanelShown& shown = panels_[static_cast<size_t>(seat)];
    const PanelParts parts = panelParts(qrect(layout_.panel[seat]), scales_, settings_, seat);
    const QRect& r = parts.panel;
    if (area.isEmpty()) return;
    auto px = [&](double v) { return mapLength(scales_, v); };
    // Everything the panel shows is painted in its order, clipped to the changing area, so the
    // rest of the panel keeps its pixels and nothing under the area is lost.
    QPainter p(&canvas_);
    p.setClipRegion(area.intersected(r));
    p.setRenderHint(QPainter::Antialiasing);
    p.drawImage(r.topLeft(), background_, r);
    p.drawImage(r.topLeft(), seatPanelPicture());
    if (shown.mark) {
        const bool small = scales_.windowSize == 1;
        const char* name = seat == 3 ? (small ? "ImageList3_0" : "Hand_Down")
                                     : (small ? "ImageList3_1" : "Hand_Up");
        p.drawImage(parts.markPicture, pictures_.picture(name));
    }
    if (shown.dealPoints) {
        const int v = *shown.dealPoints;
        p.setPen(shown.finalColours ? QColor(255, 0, 0) : QColor(255, 0, 255));
        const QString t = (shown.finalColours && v > 0 ? "+" : "") + QString::number(v);
        centreFitted(p, slotFont(settings_, px(30), "decor"), t, r.left(), r.left() + px(155),
                     r.top() + px(14), parts.dealPointsText.width());
    }
    if (shown.score) {
        p.setPen(QColor(0, 0, 255));
        centreFitted(p, slotFont(settings_, px(20), "decor"), QString::number(*shown.score),
                     r.left(), r.left() + px(155), r.top() + px(54), parts.scoreText.width());
    }
    if (shown.bid) {
        p.setPen(QColor(0, 0, 128));
        centreFitted(p, slotFont(settings_, px(24), "decor", true), QString::number(*shown.bid),
                     r.left() + px(105), r.left() + px(140), r.top() + px(52),
                     parts.bidText.width());
    }
    if (shown.barrel)
        p.drawImage(parts.barrelPicture.topLeft(),
                    signPicture(pictures_.picture("GBarrel"), parts.barrelPicture.size()));
    if (shown.bolts > 0) {
        p.drawImage(parts.boltPicture.topLeft(),
                    signPicture(pictures_.picture("GBolt"), parts.boltPicture.size()));
        p.setPen(QColor(255, 0, 0));
        centreFitted(p, slotFont(settings_, px(20), "decor", true), QString::number(shown.bolts),
                     r.left() + px(125), r.left() + px(140), r.top() + px(20),
                     parts.boltText.width());
    }
}

void TableView::paintDealPanelGround(QPainter& p) {
    const QRect r = qrect(layout_.dealInfo);
    p.drawImage(r.topLeft(), background_, r);
    if (scales_.windowSize == 1)
        p.drawImage(r.topLeft(), smallPanel(pictures_.picture("RamkaBBSm")));
    else
        p.drawImage(r, pictures_.picture("RamkaBBBg"));
}

void TableView::dealInfo(int dealNumber, SuitCode trump) {
    dealNumber_ = dealNumber;
    trump_ = trump;
    const QRect r = qrect(layout_.dealInfo);
    QPainter p(&canvas_);
    paintDealPanelGround(p);
    auto px = [&](double v) { return mapLength(scales_, v); };
    // The labels stay inside the panel's frame in every language.
    const QFont font = slotFont(settings_, px(28), "decor");
    const int room = r.width() - 2 * px(6);
    p.setPen(QColor(0, 0, 255));
    centreFitted(p, font, text(WordRow::RoundLabel) + " " + QString::number(dealNumber), r.left(),
                 r.right() + 1, r.top() + px(15), room);
    if (trump == kNoSuit) return;
    p.setPen(QColor(0, 128, 0));
    centreFitted(p, font, text(WordRow::TrumpLabel), r.left(), r.right() + 1, r.top() + px(55),
                 room);
    if (card_.kind == 1) {
        p.drawImage(r.left() + 50, r.top() + 90, pictures_.trumpSymbol(trump));
    } else {
        p.drawImage(r.left() + roundHalfEven(r.width() / 2.0) - 20, r.top() + px(90),
                    pictures_.trumpSymbol(trump));
    }
}

void TableView::thinkingBar(int percent) {
    // Taking the bar away draws the whole panel again: at some sizes the bar covers the foot of
    // the trump symbol, which the frame picture alone would not give back.
    if (percent < 0) {
        dealInfo(dealNumber_, trump_);
        return;
    }
    percent = std::min(percent, 100);
    const QRect r = qrect(layout_.dealInfo);
    auto px = [&](double v) { return mapLength(scales_, v); };
    const QRect bar(r.left() + px(20), r.top() + px(117), px(100) - px(20), px(132) - px(117));
    const QFont font = slotFont(settings_, px(16), "serif");
    QPainter p(&canvas_);
    // The figure is a little taller than the bar: the frame picture goes under both first, so
    // that one figure is never drawn over the last.
    p.setClipRect(bar.adjusted(0, 0, 0, std::max(0, QFontMetrics(font).height() - bar.height())));
    paintDealPanelGround(p);
    p.fillRect(bar, QColor(255, 255, 200));
    p.fillRect(QRect(bar.left(), bar.top(), px(roundHalfEven(percent * 80 / 100.0)), bar.height()),
               QColor(255, 200, 200));
    p.setPen(QColor(128, 0, 0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(bar.adjusted(0, 0, -1, -1));
    p.setPen(QColor(255, 0, 0));
    centreFitted(p, font, QString::number(percent) + "%", r.left(), r.left() + px(120), bar.top(),
                 bar.width() - 2);
}

}  // namespace orvala::table
