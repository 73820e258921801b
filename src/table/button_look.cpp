#include "table/button_look.h"

#include <QRegularExpression>
#include <algorithm>
#include <cstdlib>

#include "table/fonts.h"
#include "table/smooth_resize.h"

namespace orvala::table {
namespace {

// round(v * num / den) for v >= 0, halves up, in integers so that 0.7 * 15 is 10.5 exactly.
int scaled(int v, int num, int den) {
    return (2 * v * num + den) / (2 * den);
}

int lighten(int v, int k) {
    return v + scaled(255 - v, k, 100);
}

struct Rgb {
    int r, g, b;
};

Rgb scheme(Rgb c, TColorSB s) {
    switch (s) {
        case TColorSB::DRed:
            return c;
        case TColorSB::DGreen:
            return {c.g, c.r, c.b};
        case TColorSB::DBlue:
            return {c.b, c.r, c.r};
        case TColorSB::DNavy:
            return {c.b, c.g, c.r};
        case TColorSB::DYellow:
            return {c.r, c.r, c.b};
        case TColorSB::DViolet:
            return {c.r, c.g, c.r};
        case TColorSB::DOrang: {
            if (c.r <= c.g || c.r <= c.b) return c;
            const int b = scaled(c.b, 7, 10);
            return {c.r, b + scaled(std::abs(c.r - b), 4, 10), b};
        }
        case TColorSB::DCards:
            return {scaled(c.r, 7, 10), 0, c.r};
    }
    return c;
}

QRgb withLight(Rgb c, int k, int alpha) {
    if (k > 0) c = {lighten(c.r, k), lighten(c.g, k), lighten(c.b, k)};
    return qRgba(c.r, c.g, c.b, alpha);
}

bool farFromRed(QRgb p) {
    const int dr = qRed(p) - 255, g = qGreen(p), b = qBlue(p);
    return dr * dr + g * g + b * b >= 180 * 180;
}

bool isExactHeight(int h) {
    return h == 30 || h == 45 || h == 60;
}

// An end picture at its drawn size, smoothly or by plain stretching.
QImage endAt(QImage end, int w, int h, bool smooth) {
    if (end.isNull() || end.size() == QSize(w, h)) return end;
    if (smooth) {
        SmoothResize(end, w, h);
        if (end.size() == QSize(w, h)) return end;
    }
    return end.scaled(w, h, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

QImage transparentGlyph(const QImage& glyph) {
    if (glyph.isNull() || glyph.hasAlphaChannel()) return glyph;
    return withTransparentKey(glyph, glyph.pixel(0, glyph.height() - 1));
}

}  // namespace

int heightOf(THeightSB h) {
    return h == THeightSB::D30 ? 30 : h == THeightSB::D45 ? 45 : 60;
}

QRgb recolour(QRgb colour, TColorSB s, int kLightSB) {
    const int k = std::clamp(kLightSB, 0, 100);
    if (s == TColorSB::DRed && k == 0) return colour;
    return withLight(scheme({qRed(colour), qGreen(colour), qBlue(colour)}, s), k, qAlpha(colour));
}

QImage recolourPicture(const QImage& picture, TColorSB s, int kLightSB, bool nata) {
    QImage out = picture.convertToFormat(QImage::Format_ARGB32);
    const int k = std::clamp(kLightSB, 0, 100);
    for (int y = 0; y < out.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb p = row[x];
            const Rgb c{qRed(p), qGreen(p), qBlue(p)};
            if (!nata) {
                row[x] = recolour(p, s, k);
            } else if (farFromRed(p)) {
                row[x] = s == TColorSB::DCards ? p : withLight(scheme(c, s), 0, qAlpha(p));
            } else if (s == TColorSB::DCards) {
                row[x] = withLight({scaled(c.r, 6, 10), scaled(c.g, 7, 10), c.r}, k, qAlpha(p));
            } else {
                row[x] = withLight(scheme(c, s), k, qAlpha(p));
            }
        }
    }
    return out;
}

QString buttonPictureName(int heightClass, bool nata, char part) {
    const auto& c = art::kButtonClasses[std::clamp(heightClass, 0, 2)];
    return QString(nata ? "Q" : "R") + c.size + "_" + QChar(part);
}

int drawnEndWidth(int height) {
    const auto& c = art::kButtonClasses[art::buttonClassOf(height)];
    return scaled(std::max(height, 0), c.endWidth, c.designHeight);
}

QImage paintButtonFace(const QImage& background, QSize size, const ButtonState& state,
                       const ButtonLook& look, const ButtonContent& content,
                       const PictureSource& pictures) {
    const int w = size.width(), h = size.height();
    if (w <= 0 || h <= 0) return {};
    const int cls = art::buttonClassOf(h);
    const auto& klass = art::kButtonClasses[cls];
    const int e = klass.endWidth;
    const int E = drawnEndWidth(h);
    const bool exact = isExactHeight(h);
    auto picture = [&](char part) {
        const QImage p = pictures.picture(buttonPictureName(cls, look.nata, part));
        return p.isNull() ? p : recolourPicture(p, look.colorSB, look.kLightSB, look.nata);
    };

    // 1. The off-screen bitmap starts as a copy of what lies behind the button.
    QImage out(w, h, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QPainter painter(&out);
    if (!background.isNull()) painter.drawImage(0, 0, background);
    QImage bitmap = out.copy();
    const int faceH = h - 1;
    if (faceH > 0) {
        QPainter p(&bitmap);
        // 2.-3. The ends at E x (h - 1).
        // The classes' own heights need no resizing, and Smooth chooses for the others.
        const bool smooth = look.smooth && !exact;
        const QImage left = endAt(picture('L'), E, faceH, smooth);
        const QImage right = endAt(picture('R'), E, faceH, smooth);
        if (!left.isNull()) p.drawImage(0, 0, left);
        if (!right.isNull()) p.drawImage(w - E, 0, right);
        // 4. The middle: row by row from the gradient at the classes' own heights, else the strip.
        if (exact && !look.nata && look.colorSB != TColorSB::DCards) {
            const auto rows = art::buttonGradient(cls);
            const int x0 = e, x1 = w - e - 1;
            for (int y = 0; y < faceH && y < static_cast<int>(rows.size()) && x1 >= x0; ++y) {
                const auto& c = rows[static_cast<std::size_t>(y)];
                const QRgb colour = recolour(qRgb(c.r, c.g, c.b), look.colorSB, look.kLightSB);
                p.fillRect(x0, y, x1 - x0 + 1, 1, QColor::fromRgb(colour));
            }
        } else if (w - 2 * E > 0) {
            const QImage strip = picture('2');
            if (!strip.isNull()) p.drawImage(QRect(E, 0, w - 2 * E, faceH), strip);
        }
        // 5. The glyph, vertically centred in the face.
        const QImage glyph = transparentGlyph(content.glyph);
        if (!glyph.isNull()) {
            const int gx = exact ? klass.glyphLeft : scaled(E, 16, 10);
            const int gy = (h - glyph.height() - 1) / 2;
            const int x = content.layout == GlyphLayout::Left    ? gx
                          : content.layout == GlyphLayout::Right ? w - gx - glyph.width()
                                                                 : (w - glyph.width()) / 2;
            p.drawImage(x, gy, glyph);
        }
    }

    // 6. The bitmap onto the button, one pixel down and right while pressed.
    const int shift = state.pressed ? 1 : 0;
    painter.drawImage(shift, shift, bitmap);

    // 7. The caption on a clear background.
    if (!content.caption.isEmpty()) {
        QRect box(0, 0, w, h);
        int align = Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
        if (content.margin == -1) {
            align |= Qt::AlignHCenter;
        } else {
            const bool beside = content.layout != GlyphLayout::Below && !content.glyph.isNull();
            const int inset =
                (beside ? content.glyph.width() : 0) + (exact ? klass.captionGap : E + 10);
            if (content.layout == GlyphLayout::Right) {
                box.setRight(w - 1 - inset);
                align |= Qt::AlignRight;
            } else {
                box.setLeft(inset);
                align |= Qt::AlignLeft;
            }
        }
        box.translate(shift, shift - (look.nata ? 1 : 0));
        QColor colour = content.fontColour;
        if (state.mouseOver && look.lightFont && look.colorMouse.isValid())
            colour = look.colorMouse;
        if (state.disabled && look.grayDis) colour = QColor(192, 192, 192);
        // A caption too long for the face (a long word in another language) is drawn smaller
        // until it fits between the ends.
        const QString shown = QString(content.caption).replace(QRegularExpression("&(.)"), "\\1");
        const int room = (align & Qt::AlignHCenter) ? w - 2 * E : box.width() - E;
        painter.setFont(fittingFont(content.font, shown, room));
        painter.setPen(colour);
        painter.drawText(box, align, content.caption);
    }
    return out;
}

void paintFocusMark(QPainter& painter, QSize size, const ButtonState& state,
                    const ButtonLook& look) {
    const int w = size.width(), h = size.height();
    if (!state.focused || !look.kontur || w < 12 || h < 12) return;
    const double E = drawnEndWidth(h);
    const double shift = state.pressed ? 1 : 0;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (!look.nata) {
        // A pale outline three pixels inside the face, rounded like the ends.
        const QColor pen =
            QColor::fromRgb(recolour(qRgb(255, 205, 205), look.colorSB, look.kLightSB));
        painter.setPen(QPen(pen, 1));
        painter.setBrush(Qt::NoBrush);
        const double radius = std::max(2.0, 0.6 * E);
        painter.drawRoundedRect(QRectF(3.5 + shift, 3.5 + shift, w - 8, h - 9), radius, radius);
    } else {
        // The new look's flat face takes dark dots just inside the ends.
        const QColor fill = QColor::fromRgb(recolour(qRgb(110, 0, 0), look.colorSB, look.kLightSB));
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        const double cy = (h - 1) / 2.0 + shift, r = h > 45 ? 2.5 : 2.0;
        painter.drawEllipse(QPointF(E + 3 + shift, cy), r, r);
        painter.drawEllipse(QPointF(w - E - 3 + shift, cy), r, r);
    }
    painter.restore();
}

QImage paintButton(const QImage& background, QSize size, const ButtonState& state,
                   const ButtonLook& look, const ButtonContent& content,
                   const PictureSource& pictures) {
    QImage out = paintButtonFace(background, size, state, look, content, pictures);
    if (!out.isNull()) {
        QPainter p(&out);
        paintFocusMark(p, size, state, look);
    }
    return out;
}

}  // namespace orvala::table
