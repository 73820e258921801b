#pragma once
// How an owner-drawn button looks, without a widget: the colour schemes, the recolouring of
// colours and of the red-toned button pictures, and the painting of a whole button into a
// picture from its state, look and content. TZorCardsButton paints itself through these.
//
// Recolouring of (r, g, b): DRed keeps it, DGreen (g, r, b), DBlue (b, r, r), DNavy (b, g, r),
// DYellow (r, r, b), DViolet (r, g, r), DOrang turns a colour whose red is above green and blue
// into (r, b' + round(0.4 |r - b'|), b') with b' = round(0.7 b), DCards (round(0.7 r), 0, r).
// Then KLightSB per cent lightens every channel towards white. Rounding is to nearest, halves up.
//
// Pictures are recoloured pixel by pixel with alpha kept. In the "new" look (Nata) a pixel at
// distance 180 or more from pure red keeps its colour under DCards and is never lightened, and
// under DCards a nearer pixel becomes (round(0.6 r), round(0.7 g), r).

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QSize>
#include <QString>

#include "table/button_art.h"
#include "table/picture_store.h"

namespace orvala::table {

enum class TColorSB { DRed, DGreen, DBlue, DNavy, DYellow, DViolet, DOrang, DCards };
enum class THeightSB { D30, D45, D60 };
// Where the glyph goes: before the caption, after it, or centred below it.
enum class GlyphLayout { Left, Right, Below };

int heightOf(THeightSB h);  // 30, 45 or 60

// One colour for a scheme and lightening (0..100; more counts as 100); alpha is kept.
QRgb recolour(QRgb colour, TColorSB scheme, int kLightSB);
// A picture recoloured pixel by pixel, as unpremultiplied ARGB32.
QImage recolourPicture(const QImage& picture, TColorSB scheme, int kLightSB, bool nata);

// The picture names of a height class (0, 1, 2): "R29_L", "R29_R", "R29_2"; "Q..." with Nata.
QString buttonPictureName(int heightClass, bool nata, char part);  // part 'L', 'R' or '2'

struct ButtonState {
    bool pressed = false;
    bool disabled = false;
    bool focused = false;
    bool mouseOver = false;
    bool operator==(const ButtonState&) const = default;
};

struct ButtonLook {
    TColorSB colorSB = TColorSB::DRed;
    int kLightSB = 0;
    bool nata = false;
    bool smooth = true;
    bool kontur = true;
    bool lightFont = false;
    bool grayDis = false;
    QColor colorMouse;
};

struct ButtonContent {
    QString caption;  // one line; '&' marks the mnemonic
    QFont font;
    QColor fontColour = Qt::black;
    QImage glyph;  // drawn with its alpha; an opaque glyph is transparent in its bottom-left colour
    GlyphLayout layout = GlyphLayout::Left;
    int margin = -1;  // -1 centres the caption; any other value puts it after the glyph
};

// The drawn end width of a button height: round(e * h / H) for its class.
int drawnEndWidth(int height);

// Everything up to the caption: the face drawn over `background` (what lies behind the button,
// drawn at (0, 0); transparent when null), shifted by (1, 1) while pressed, then the caption.
// A null picture for an empty size. Missing pictures leave their part undrawn.
QImage paintButtonFace(const QImage& background, QSize size, const ButtonState& state,
                       const ButtonLook& look, const ButtonContent& content,
                       const PictureSource& pictures);
// The focus mark of a focused button with Kontur on: a rounded outline inset in the face, or two
// dots by the ends in the new look. Draws nothing otherwise.
void paintFocusMark(QPainter& painter, QSize size, const ButtonState& state,
                    const ButtonLook& look);
// The face and the focus mark together.
QImage paintButton(const QImage& background, QSize size, const ButtonState& state,
                   const ButtonLook& look, const ButtonContent& content,
                   const PictureSource& pictures);

}  // namespace orvala::table
