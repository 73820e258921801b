#include "table/zor_cards_button.h"

#include <QEnterEvent>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace orvala::table {
namespace {

const PictureSource& builtInPictures() {
    static const BuiltInPictures pictures;
    return pictures;
}

}  // namespace

TZorCardsButton::TZorCardsButton(QWidget* parent) : QPushButton(parent) {
    resize(100, 30);
}

TZorCardsButton::TZorCardsButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {
    resize(100, 30);
}

template <typename T>
bool TZorCardsButton::change(T& field, const T& value) {
    if (field == value) return false;
    field = value;
    update();
    return true;
}

void TZorCardsButton::setColorSB(TColorSB v) {
    change(look_.colorSB, v);
}
void TZorCardsButton::setColorMouse(const QColor& v) {
    change(look_.colorMouse, v);
}
void TZorCardsButton::setLightFont(bool v) {
    change(look_.lightFont, v);
}
void TZorCardsButton::setGrayDis(bool v) {
    change(look_.grayDis, v);
}
void TZorCardsButton::setKLightSB(int v) {
    change(look_.kLightSB, std::clamp(v, 0, 100));
}
void TZorCardsButton::setKontur(bool v) {
    change(look_.kontur, v);
}
void TZorCardsButton::setSmooth(bool v) {
    change(look_.smooth, v);
}
void TZorCardsButton::setNata(bool v) {
    change(look_.nata, v);
}
void TZorCardsButton::setGlyphLayout(GlyphLayout v) {
    change(layout_, v);
}
void TZorCardsButton::setMargin(int v) {
    change(margin_, v);
}

void TZorCardsButton::setHeightSB(THeightSB v) {
    if (change(heightSB_, v)) resize(width(), heightOf(v));
}

void TZorCardsButton::setGlyph(const QImage& v) {
    if (glyph_ == v) return;
    glyph_ = v;
    updateGeometry();
    update();
}

void TZorCardsButton::setPictures(const PictureSource* pictures) {
    pictures_ = pictures;
    update();
}

ButtonState TZorCardsButton::state() const {
    ButtonState s;
    s.pressed = isDown() || (isCheckable() && isChecked());
    s.disabled = !isEnabled();
    s.focused = hasFocus();
    s.mouseOver = mouseOver_;
    return s;
}

ButtonContent TZorCardsButton::content() const {
    ButtonContent c;
    c.caption = text();
    c.font = font();
    c.fontColour = palette().color(QPalette::ButtonText);
    c.glyph = glyph_;
    if (c.glyph.isNull() && !icon().isNull())
        // An icon is drawn as it is: its alpha channel, if any, says what is transparent.
        c.glyph = icon()
                      .pixmap(iconSize(), isEnabled() ? QIcon::Normal : QIcon::Disabled)
                      .toImage()
                      .convertToFormat(QImage::Format_ARGB32);
    c.layout = layout_;
    c.margin = margin_;
    return c;
}

void TZorCardsButton::paintEvent(QPaintEvent*) {
    const ButtonState s = state();
    const PictureSource& pictures = pictures_ != nullptr ? *pictures_ : builtInPictures();
    const QImage face = paintButtonFace(QImage(), size(), s, look_, content(), pictures);
    {
        QPainter p(this);
        p.drawImage(0, 0, face);
    }
    emit OnDrawButton(this, rect(), s);
    if (s.focused && look_.kontur) {
        QPainter p(this);
        paintFocusMark(p, size(), s, look_);
    }
}

void TZorCardsButton::enterEvent(QEnterEvent* event) {
    QPushButton::enterEvent(event);
    if (mouseOver_) return;
    mouseOver_ = true;
    repaint();
    emit OnMouseEnter();
}

void TZorCardsButton::leaveEvent(QEvent* event) {
    QPushButton::leaveEvent(event);
    if (!mouseOver_) return;
    mouseOver_ = false;
    repaint();
    emit OnMouseLeave();
}

QSize TZorCardsButton::sizeHint() const {
    const int h = heightOf(heightSB_);
    const ButtonContent c = content();
    const int glyph = c.layout == GlyphLayout::Below ? 0 : c.glyph.width();
    const int caption = QFontMetrics(font()).horizontalAdvance(QString(text()).remove('&'));
    return {std::max(100, caption + glyph + 2 * (drawnEndWidth(h) + 10)), h};
}

QSize TZorCardsButton::minimumSizeHint() const {
    return sizeHint();
}

void applyNewButtons(QWidget* window, bool nata) {
    if (window == nullptr) return;
    for (auto* b : window->findChildren<TZorCardsButton*>()) b->setNata(nata);
}

}  // namespace orvala::table
