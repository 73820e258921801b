#pragma once
// Every built-in picture of the game, by its resource name: the 24 card faces as 69 x 94
// bitmaps ("Ch09" … "Pi5A") and 146 x 198 pictures (the same names + "B"), the seven backs
// ("Ob01Mo" … "Ob07Su", + "B"), the table background "FonG" (760 x 500) and "FonGB"
// (1920 x 922), the panels, bubbles, turn marks, barrel, bolt, clocks and trump symbols of the
// scoreboard, the title, the logo and the own cursors ("CurHand", "CurArrow", "CurBusy", 32 x 32,
// hot spots at (12, 1), (1, 1) and (16, 16)).

#include <QImage>
#include <QString>
#include <vector>

namespace orvala::artgen {

struct Picture {
    QString name;
    QImage image;
};

std::vector<Picture> allPictures();

}  // namespace orvala::artgen
