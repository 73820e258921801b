#pragma once
// The owner-drawn buttons' pictures and gradients, shared by artgen (which draws the pictures) and
// the button painting (which draws the middle of a button of exactly 30, 45 or 60 pixels row by
// row from the gradient tables). Plain constexpr data: this header needs nothing but the language.
//
// Each height class has a left end, a right end and a 2-pixel middle strip, all in red tones and
// one pixel less high than the class's button: "R29_L", "R29_R", "R29_2" and so on, and the "new"
// look's "Q29_L" ... "Q59_2".

#include <array>
#include <cstddef>
#include <span>
#include <stdexcept>

namespace orvala::art {

struct ButtonRgb {
    int r, g, b;
    constexpr bool operator==(const ButtonRgb&) const = default;
};

struct ButtonClass {
    int designHeight;   // H: the button height the pictures are made for
    int pictureHeight;  // the pictures' height, H - 1
    int endWidth;       // the width of the end pictures
    int glyphLeft;      // the glyph's distance from the edge at exactly H
    int captionGap;     // the caption's distance from the glyph at exactly H
    const char* size;   // the height part of the picture names
};

// Buttons up to 30 pixels high, 31 to 45, above 45.
inline constexpr std::array<ButtonClass, 3> kButtonClasses{{
    {30, 29, 8, 15, 25, "29"},
    {45, 44, 13, 18, 28, "44"},
    {60, 59, 17, 20, 30, "59"},
}};
inline constexpr int kButtonStripWidth = 2;

// The class of a button height: 0, 1 or 2.
constexpr int buttonClassOf(int height) {
    return height <= 30 ? 0 : height <= 45 ? 1 : 2;
}

// The middle of a 30-pixel button, one colour per row from the top.
inline constexpr std::array<ButtonRgb, 29> kButtonGradient29{{
    {128, 0, 0},     {17, 0, 0},      {135, 91, 91},   {232, 173, 173}, {223, 163, 163},
    {215, 153, 153}, {207, 145, 145}, {200, 136, 136}, {194, 127, 127}, {188, 117, 117},
    {184, 108, 108}, {180, 99, 99},   {178, 89, 89},   {176, 80, 80},   {152, 36, 36},
    {136, 0, 0},     {144, 0, 0},     {153, 0, 0},     {161, 0, 0},     {170, 0, 0},
    {178, 0, 0},     {187, 0, 0},     {195, 0, 0},     {204, 0, 0},     {212, 0, 0},
    {221, 0, 0},     {229, 0, 0},     {238, 0, 0},     {128, 0, 0},
}};

namespace detail {

constexpr int roundDiv(int num, int den) {
    return (2 * num + den) / (2 * den);
}

// The taller gradients have the 30-pixel one's shape: the dark red top line, a nearly black
// line, a dim line, the pale highlight from `pale` down to (176, 80, 80) (red easing down as
// t(1.716 - 0.716t), which follows the 30-pixel rows closely, green and blue linear), the line
// (152, 36, 36), a ramp of pure reds rounded down in even steps, and the dark red bottom line.
template <std::size_t N>
constexpr std::array<ButtonRgb, N> buttonGradient(int nearBlack, ButtonRgb pale, int paleRows,
                                                  int rampFrom, int rampTo, int rampRows) {
    std::array<ButtonRgb, N> t{};
    std::size_t i = 0;
    auto put = [&](ButtonRgb c) {
        if (i >= N) throw std::logic_error("gradient rows do not add up");
        t[i++] = c;
    };
    put({128, 0, 0});
    put({nearBlack, 0, 0});
    put({135, 91, 91});
    const int n = paleRows - 1;
    for (int k = 0; k < paleRows; ++k) {
        const int red = pale.r - roundDiv((pale.r - 176) * k * (1716 * n - 716 * k), 1000 * n * n);
        const int green = pale.g - roundDiv((pale.g - 80) * k, n);
        put({red, green, green});
    }
    put({152, 36, 36});
    for (int k = 0; k < rampRows; ++k)
        put({rampFrom + (rampTo - rampFrom) * k / (rampRows - 1), 0, 0});
    put({128, 0, 0});
    if (i != N) throw std::logic_error("gradient rows do not add up");
    return t;
}

}  // namespace detail

// 45 pixels: 21 highlight rows (the dim line, 19 pale ones, the last), a ramp of 20 rows.
inline constexpr std::array<ButtonRgb, 44> kButtonGradient44 =
    detail::buttonGradient<44>(11, {239, 180, 180}, 19, 136, 244, 20);
// 60 pixels: 28 highlight rows, a ramp of 28 rows.
inline constexpr std::array<ButtonRgb, 59> kButtonGradient59 =
    detail::buttonGradient<59>(9, {243, 183, 183}, 26, 132, 246, 28);

// The gradient of a height class.
constexpr std::span<const ButtonRgb> buttonGradient(int heightClass) {
    return heightClass == 0   ? std::span<const ButtonRgb>(kButtonGradient29)
           : heightClass == 1 ? std::span<const ButtonRgb>(kButtonGradient44)
                              : std::span<const ButtonRgb>(kButtonGradient59);
}

}  // namespace orvala::art
