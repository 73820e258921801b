// The table drawn: seat panels, the deal-information panel, bubbles and hands, checked by their
// pixels on the canvas.

#include "table/table_view.h"

#include <gtest/gtest.h>

#include <QFontMetrics>

#include "table/fonts.h"

namespace orvala::table {
namespace {

class View : public ::testing::Test {
  protected:
    PictureStore store;
    TableView view{store};
    Settings settings;

    void size(int windowSize) {
        settings.WindowSize = windowSize;
        view.applyWindowSize(settings, QSize(1920, 1080));
    }
    // The bounds of the pixels in r that pass a test.
    template <class Pred>
    QRect inkIn(const QRect& r, Pred pred) const {
        QRect ink;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (pred(view.canvas().pixel(x, y))) ink |= QRect(x, y, 1, 1);
        return ink;
    }
};

bool white(QRgb c) {
    return qRed(c) > 235 && qGreen(c) > 235 && qBlue(c) > 235;
}

TEST_F(View, BubbleTextIsMeasuredInTheRegularWeightAndDrawnInBold) {
    size(1);
    const QFont regular = slotFont(settings, 18, "serif");
    const QFont bold = slotFont(settings, 18, "serif", true);
    // A name that fits 150 pixels in the regular weight, but not in bold: it keeps size 18.
    QString name = "Anna";
    while (QFontMetrics(regular).horizontalAdvance(name + "n") <= 150) name += "n";
    ASSERT_GT(QFontMetrics(bold).horizontalAdvance(name), 150);
    ASSERT_LE(QFontMetrics(bold).horizontalAdvance(name), 160);
    view.speech(1, name, 'y');
    const QRect bubble(85, 115, 160, 20);
    const QRect ink = inkIn(bubble, white);
    const int at16 = QFontMetrics(slotFont(settings, 16, "serif", true)).horizontalAdvance(name);
    EXPECT_GT(ink.width(), at16);
    EXPECT_GE(ink.left(), bubble.left());
    EXPECT_LE(ink.right(), bubble.right());
}

}  // namespace
}  // namespace orvala::table
