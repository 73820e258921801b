#pragma once
// TZorCardsButton: the program's push button, which paints itself from the red-toned button
// pictures and the gradient tables in one of eight colour schemes (button_look.h). A new button
// is 100 x 30 pixels.
//
// What lies behind the button is what Qt has already composed under it (the parent's rendering):
// the face is drawn over it, so the rounded ends and the row and column uncovered while pressed
// show the parent.
//
// The glyph is the Glyph picture, or else the button's icon at its icon size (an icon is drawn
// with its own alpha; an opaque Glyph is transparent in its bottom-left colour). Setters repaint
// only when the value changes. Mouse enter and leave set the mouse-over state, repaint at once,
// then emit OnMouseEnter or OnMouseLeave. Each painting emits OnDrawButton after the caption and
// before the focus mark, with no painter open on the button, so a handler may draw on it.

#include <QImage>
#include <QPushButton>

#include "table/button_look.h"

namespace orvala::table {

class TZorCardsButton : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(orvala::table::TColorSB ColorSB READ ColorSB WRITE setColorSB)
    Q_PROPERTY(QColor ColorMouse READ ColorMouse WRITE setColorMouse)
    Q_PROPERTY(bool LightFont READ LightFont WRITE setLightFont)
    Q_PROPERTY(bool GrayDis READ GrayDis WRITE setGrayDis)
    Q_PROPERTY(orvala::table::THeightSB HeightSB READ HeightSB WRITE setHeightSB)
    Q_PROPERTY(int KLightSB READ KLightSB WRITE setKLightSB)
    Q_PROPERTY(bool Kontur READ Kontur WRITE setKontur)
    Q_PROPERTY(bool Smooth READ Smooth WRITE setSmooth)
    Q_PROPERTY(bool Nata READ Nata WRITE setNata)
    Q_PROPERTY(QImage Glyph READ Glyph WRITE setGlyph)
    Q_PROPERTY(orvala::table::GlyphLayout Layout READ glyphLayout WRITE setGlyphLayout)
    Q_PROPERTY(int Margin READ Margin WRITE setMargin)

  public:
    explicit TZorCardsButton(QWidget* parent = nullptr);
    explicit TZorCardsButton(const QString& caption, QWidget* parent = nullptr);

    TColorSB ColorSB() const { return look_.colorSB; }
    void setColorSB(TColorSB v);
    QColor ColorMouse() const { return look_.colorMouse; }
    void setColorMouse(const QColor& v);
    bool LightFont() const { return look_.lightFont; }
    void setLightFont(bool v);
    bool GrayDis() const { return look_.grayDis; }
    void setGrayDis(bool v);
    THeightSB HeightSB() const { return heightSB_; }
    // Sets the button's height to 30, 45 or 60 pixels.
    void setHeightSB(THeightSB v);
    int KLightSB() const { return look_.kLightSB; }
    // Per cent, 0..100; larger values count as 100 (white).
    void setKLightSB(int v);
    bool Kontur() const { return look_.kontur; }
    void setKontur(bool v);
    bool Smooth() const { return look_.smooth; }
    void setSmooth(bool v);
    bool Nata() const { return look_.nata; }
    void setNata(bool v);
    QImage Glyph() const { return glyph_; }
    void setGlyph(const QImage& v);
    // The property Layout (named so as not to hide QWidget::setLayout).
    GlyphLayout glyphLayout() const { return layout_; }
    void setGlyphLayout(GlyphLayout v);
    int Margin() const { return margin_; }
    void setMargin(int v);

    bool mouseOver() const { return mouseOver_; }
    // The state painting uses now.
    ButtonState state() const;
    // Where the pictures come from; the built-in ones unless set (the source must outlive it).
    void setPictures(const PictureSource* pictures);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  signals:
    void OnDrawButton(orvala::table::TZorCardsButton* button, QRect rect,
                      orvala::table::ButtonState state);
    void OnMouseEnter();
    void OnMouseLeave();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    ButtonContent content() const;
    // Stores a changed value and repaints; false when it was the same.
    template <typename T>
    bool change(T& field, const T& value);

    ButtonLook look_;
    THeightSB heightSB_ = THeightSB::D30;
    QImage glyph_;
    GlyphLayout layout_ = GlyphLayout::Left;
    int margin_ = -1;
    bool mouseOver_ = false;
    const PictureSource* pictures_ = nullptr;
};

// The "New buttons" setting: sets Nata on every TZorCardsButton inside a window (called when the
// window is shown).
void applyNewButtons(QWidget* window, bool nata);

}  // namespace orvala::table
