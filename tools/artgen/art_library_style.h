#pragma once
// The look of a library face set, drawn from the set number alone: paper, suit colours, pip
// shapes, index font and letters, frame, the court figures' colours, costume and headgear, and
// the ace's decoration. Neighbouring sets differ in several of these at once.

#include <QColor>
#include <QPainterPath>
#include <QRectF>
#include <QString>
#include <cstdint>

namespace orvala::artgen {

// A small seeded generator (splitmix64): the same numbers for the same seed on every machine.
class SeededRandom {
  public:
    explicit SeededRandom(std::uint64_t seed)
        : state_(seed * 0x9e3779b97f4a7c15ull + 0x632be5ull) {}
    std::uint64_t next();
    double unit();     // 0 <= x < 1
    int below(int n);  // 0 <= x < n
    double range(double lo, double hi) { return lo + (hi - lo) * unit(); }

  private:
    std::uint64_t state_;
};

struct FaceStyle {
    int set = 0;
    bool wide = true;
    QColor paper, edge;
    QColor suit[5];    // by suit index 1..4
    int pipShape = 0;  // 0 classic, 1 round, 2 angular, 3 slim
    int pipFill = 0;   // 0 solid, 1 shaded, 2 outlined, 3 with a shadow
    QString fontFamily;
    bool fontBold = true;
    QString index[7];  // by rank value 1..6
    int frame = 0;     // 0 none, 1 line, 2 double line, 3 band, 4 corner flourishes
    QColor frameColour;
    // The court cards.
    QColor robe[5];                          // by suit index
    QColor robeSecond, trim, skin, hair[5];  // hair by rank value 2..4
    QColor courtGround;
    int costume = 0;  // 0 plain, 1 stripes, 2 checks, 3 lozenges, 4 dots, 5 a placket
    int hat[5] = {};  // headgear by rank value 2 (jack, 0..5), 3 (queen, 0..4), 4 (king, 0..5)
    int beard = 0;    // the king's: 0 full, 1 pointed, 2 moustache only
    bool diagonal = false;  // the halves of a court card parted on the diagonal
    bool itemLeft = false;  // the hand that holds the sword, flower or sceptre
    int aceStyle = 0;       // 0 rings, 1 rays, 2 wreath, 3 medallion, 4 four small pips
};

FaceStyle faceStyle(int faceSet);

// A colour by hue in degrees (any value, taken round the circle), saturation and value 0..1.
QColor hsv(double hue, double s, double v);

// A pip of the set's shape filling the box.
QPainterPath libraryPipPath(int shape, int suit, const QRectF& box);

}  // namespace orvala::artgen
