#pragma once
// The main menu screen: the club heading Panel4, the club members' buttons Button1..Button5,
// "New Player" and the other menu buttons, the title picture "GTitle" (ImTitle) in the colour the
// settings' TitleColour names, the keys of the title's colour and of the web links, and the two
// animated decorations, laid out in design units at the window's scales.
//
// The buttons and the heading are widgets over the window; the pictures are drawn onto the
// table's canvas, which the window paints. Timer1 ticks the menu: a decoration moves on one
// frame every kTicksPerFrame ticks, and a tick names only the rectangles it drew, so the window
// repaints no more than them. With GifAnimationOn off both rest at their first frame.

#include <QFont>
#include <QImage>
#include <QLabel>
#include <QRect>
#include <QRegion>
#include <array>
#include <vector>

#include "app/menu_keys.h"
#include "core/settings/settings.h"
#include "table/picture_store.h"
#include "table/table_view.h"
#include "table/zor_cards_button.h"

namespace orvala::app {

class MenuScreen {
  public:
    static constexpr int kTicksPerFrame = 3;

    // The widgets are children of `window`, hidden until show().
    MenuScreen(QWidget* window, table::TableView& view, const table::PictureSource& pictures,
               Settings& settings);

    table::TZorCardsButton* Button6 = nullptr;   // "New Player"
    table::TZorCardsButton* Button9 = nullptr;   // "Top Ten"
    table::TZorCardsButton* Button10 = nullptr;  // "Options"
    table::TZorCardsButton* BHistory = nullptr;  // "History"
    table::TZorCardsButton* BMode = nullptr;     // "Mode": scores or ratings in the club panel
    table::TZorCardsButton* Button11 = nullptr;  // "Exit"
    std::array<table::TZorCardsButton*, 5> members{};  // Button1..Button5
    QLabel* Panel4 = nullptr;                          // the club heading
    MenuKeys keys;  // the title's colour and the web links

    // Every button of the menu, members included.
    const std::vector<table::TZorCardsButton*>& buttons() const { return buttons_; }

    // Every caption from the word table in the current language.
    void applyLanguage();
    // Positions, fonts and the pictures' sizes from the view's scales.
    void layout();
    void setColour(table::TColorSB scheme);
    void show();
    void hide();
    // The menu onto the canvas: the background, the title picture and the decorations.
    void draw();
    // One tick of Timer1: the window rectangles that were drawn anew (empty when none).
    QRegion tick();

    // The frame (0 is the resting one) and the window rectangle of decoration 0 or 1.
    int frame(int k) const { return frames_[static_cast<size_t>(k)]; }
    QRect decorationRect(int k) const { return decorationRects_[static_cast<size_t>(k)]; }
    QRect titleRect() const { return titleRect_; }

  private:
    QRect rectOf(double x, double y, double w, double h) const;
    int frameAt(int k) const;
    void drawDecoration(int k);
    // The title picture and the decorations' frames at the laid-out size, once per layout.
    void scalePictures();

    table::TableView& view_;
    const table::PictureSource& pictures_;
    Settings& settings_;
    std::vector<table::TZorCardsButton*> buttons_;
    QFont headingFont_;  // Panel4's font before a caption is fitted into it
    QRect titleRect_;
    QImage title_;  // "GTitle" at the size of its rectangle
    bool picturesScaled_ = false;
    std::array<QRect, 2> decorationRects_{};
    std::array<std::vector<QImage>, 2> films_;  // each decoration's frames at their size
    std::array<int, 2> frames_{};
    int ticks_ = 0;
};

}  // namespace orvala::app
