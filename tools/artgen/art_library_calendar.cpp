// The calendar library "ZorCalendar01.dll": the card ground "R_BASE", the twelve zodiac signs
// "R_01".."R_12", the twelve animals of the Chinese years and one picture per holiday of the
// calendar's table. The signs, animals and holiday symbols are glyphs of the colour emoji font
// (Noto Color Emoji, SIL Open Font License), drawn on grounds of our own, so every picture is
// recognisable at the card's small size.

#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <cstdlib>
#include <set>

#include "art_library.h"
#include "art_painter.h"
#include "core/calendar/holiday_table.h"
#include "core/calendar/signs.h"
#include "table/art_names.h"

namespace orvala::artgen {
namespace {

constexpr int kScale = art::kCalendarPictureScale;

// The symbol of each holiday picture.
const QHash<QString, QString>& holidaySymbols() {
    static const QHash<QString, QString> symbols = {
        {"R_NEWYEAR", "🎄"},       {"R_INAUGUR", "🏛️"}, {"R_TATIANA", "🎓"},
        {"R_LENINGR", "🍞"},       {"R_MLKINGD", "✊🏾"}, {"R_STALING", "⚔️"},
        {"R_SCIENCE", "🔬"},       {"R_VALENTN", "💘"},       {"R_DEFENDR", "🪖"},
        {"R_WOMENDY", "🌷"},       {"R_PATRICK", "☘️"},  {"R_FOOLSDY", "🤡"},
        {"R_UNITYDY", "🤝"},    {"R_COSMONA", "🚀"},       {"R_ICEBATL", "🛡️"},
        {"R_LABORDY", "🛠️"}, {"R_MADRIDY", "🐻"},       {"R_RADIODY", "📻"},
        {"R_VICTFRA", "🇫🇷"},      {"R_VICTORY", "🎖️"}, {"R_SLAVLIT", "📜"},
        {"R_CHEMIST", "⚗️"},  {"R_CHILDRN", "🧸"},    {"R_RUSSIAD", "🪆"},
        {"R_USAFLAG", "🇺🇸"},      {"R_MUSICDY", "🎵"},       {"R_YOUTHDY", "🛹"},
        {"R_INDEPEN", "🗽"},       {"R_FAMILYD", "🌼"},       {"R_POLTAVA", "🗡️"},
        {"R_BASTILL", "🏰"},       {"R_HOTDOGD", "🌭"},    {"R_BAPTISM", "☦️"},
        {"R_ELVISDY", "🎸"},       {"R_RUSFLAG", "🇷🇺"},      {"R_KURSKBT", "💥"},
        {"R_KNOWLDG", "📚"},       {"R_WW2ENDD", "☮️"},  {"R_BORODIN", "💣"},
        {"R_PROGRAM", "💻"},       {"R_KULIKOV", "🏹"},    {"R_ELDERLY", "👵"},
        {"R_DEUUNIT", "🇩🇪"},      {"R_TEACHER", "✏️"},  {"R_SPAINDY", "🇪🇸"},
        {"R_APPLEDY", "🍎"},       {"R_HALLOWN", "🎃"},       {"R_GUYFAWK", "🎆"},
        {"R_WW1ENDD", "🌺"},       {"R_THANKSG", "🦃"},    {"R_MOSCOWB", "❄️"},
        {"R_SPCONST", "📘"},       {"R_RUCONST", "📕"},       {"R_ENERGET", "⚡"},
        {"R_RESCUER", "🚒"},       {"R_MOURNDY", "🥀"},    {"R_PRAPASH", "🥚"},
        {"R_PRAVERB", "🌴"},       {"R_PRAVOZN", "☁️"},  {"R_PRATROI", "🌳"},
        {"R_PRAROZD", "⭐"},       {"R_PRAOBRE", "📿"},    {"R_PRAKRES", "💧"},
        {"R_PRASRET", "🕯️"}, {"R_PRABLAG", "🕊️"}, {"R_PRAIOAN", "🌿"},
        {"R_PRAPETR", "🔑"},       {"R_PRAPREO", "🍏"},       {"R_PRAUSPE", "🌾"},
        {"R_PRAUSEK", "🙏"},       {"R_PRARBOG", "🌹"},       {"R_PRAVOZD", "✝️"},
        {"R_PRAPOKR", "🧣"},    {"R_PRAVVED", "⛪"},       {"R_KATPASH", "🐣"},
        {"R_KATSRET", "🪔"},    {"R_KATBLAG", "👼"},       {"R_KATPREO", "✨"},
        {"R_KATRBOG", "💐"},       {"R_KATSAIN", "😇"},       {"R_KATSOCH", "🎁"},
        {"R_KATROZD", "🌟"},
    };
    return symbols;
}

// Monkey, Rooster, Dog, Pig, Rat, Ox, Tiger, Rabbit, Dragon, Snake, Horse, Goat: year mod 12.
constexpr const char* kAnimals[12] = {"🐒", "🐓", "🐕", "🐖", "🐀", "🐂", "🐅", "🐇", "🐉", "🐍", "🐎", "🐐"};
constexpr const char* kZodiac[12] = {"♈", "♉", "♊", "♋", "♌", "♍", "♎", "♏", "♐", "♑", "♒", "♓"};

// The ground of a holiday picture by its kind: the national ones in their flags' colour, the
// church feasts in gold and violet, the rest in a calm teal.
QColor kindColour(std::string_view kind) {
    if (kind == "RUS") return {196, 52, 52};
    if (kind == "USA") return {46, 78, 160};
    if (kind == "ENG") return {150, 36, 60};
    if (kind == "DEU") return {70, 70, 70};
    if (kind == "FRA") return {40, 90, 190};
    if (kind == "ISP") return {214, 150, 20};
    if (kind == "PRA") return {200, 160, 50};
    if (kind == "KAT") return {120, 70, 160};
    return {30, 140, 140};
}

void drawGlyph(QPainter& p, const QRectF& box, const QString& glyph, int pixels) {
    QFont font(kEmojiFamily);
    font.setPixelSize(pixels);
    p.setFont(font);
    p.drawText(box, Qt::AlignCenter, glyph);
}

// A transparent picture of a box's size at the library's scale.
QImage blank(const art::CalendarBox& b) {
    QImage img(b.w * kScale, b.h * kScale, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

// A rounded plate with a soft light from above and a thin darker rim.
QImage drawPlate(QColor colour, const QString& glyph) {
    QImage img = blank(art::kCalendarPicture);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(img.rect()).adjusted(2, 2, -2, -2);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, colour.lighter(175));
    g.setColorAt(1, colour.lighter(115));
    p.setPen(QPen(colour.darker(140), 3));
    p.setBrush(g);
    p.drawRoundedRect(r, 12, 12);
    drawGlyph(p, r.adjusted(4, 8, -4, -8), glyph, 80);
    return img;
}

QImage drawYear(int animal) {
    // Red and gold, the colours of the lunar new year.
    return drawPlate(QColor(190, 30, 30), QString::fromUtf8(kAnimals[animal]));
}

QImage drawZodiac(int sign) {
    QImage img = blank(art::kCalendarZodiac);
    QPainter p(&img);
    drawGlyph(p, QRectF(img.rect()), QString::fromUtf8(kZodiac[sign]), 46);
    return img;
}

// A tear-off calendar leaf: white paper with rounded corners, a red head band with two rings,
// and a faint line under which the day's text goes.
QImage drawBase() {
    QImage img = blank(art::kCalendarCard);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF paper = QRectF(img.rect()).adjusted(2, 4, -3, -3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));  // the shadow
    p.drawRoundedRect(paper.translated(2, 2), 10, 10);
    QLinearGradient g(paper.topLeft(), paper.bottomLeft());
    g.setColorAt(0, QColor(255, 255, 250));
    g.setColorAt(1, QColor(236, 232, 220));
    p.setBrush(g);
    p.setPen(QPen(QColor(150, 140, 120), 2));
    p.drawRoundedRect(paper, 10, 10);
    QPainterPath leaf;
    leaf.addRoundedRect(paper, 10, 10);
    p.save();
    p.setClipPath(leaf);
    p.setPen(Qt::NoPen);
    p.fillRect(QRectF(paper.left(), paper.top(), paper.width(), 30), QColor(186, 34, 40));
    p.restore();
    p.setPen(Qt::NoPen);
    for (double x : {paper.left() + 28, paper.right() - 28}) {
        p.setBrush(QColor(40, 30, 30));
        p.drawEllipse(QPointF(x, paper.top() + 10), 5, 5);
        p.setPen(QPen(QColor(200, 200, 210), 3));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(x - 5, paper.top() - 8, 10, 20), 0, 180 * 16);
        p.setPen(Qt::NoPen);
    }
    return img;
}

}  // namespace

void addCalendar(std::vector<LibraryPicture>& out) {
    requireEmojiFont();
    out.push_back({art::kCalendarBase, [] { return drawBase(); }});
    for (int sign = 0; sign < 12; ++sign)
        out.push_back({QString::fromUtf8(calendar::zodiacPicture(sign).data(),
                                         static_cast<int>(calendar::zodiacPicture(sign).size())),
                       [=] { return drawZodiac(sign); }});
    for (int animal = 0; animal < 12; ++animal) {
        const auto name = calendar::yearAnimalPicture(animal);
        out.push_back({QString::fromUtf8(name.data(), static_cast<int>(name.size())),
                       [=] { return drawYear(animal); }});
    }
    std::set<QString> seen;
    for (const calendar::CalendarEntry& e : calendar::holidayTable()) {
        const QString name =
            QString::fromUtf8(e.picture.data(), static_cast<int>(e.picture.size()));
        if (!seen.insert(name).second) continue;
        const auto symbol = holidaySymbols().constFind(name);
        if (symbol == holidaySymbols().constEnd()) {
            // A new holiday needs its symbol here; an empty plate would pass unnoticed.
            std::fprintf(stderr, "artgen: no symbol for the holiday picture %s\n",
                         qPrintable(name));
            std::exit(1);
        }
        const QColor colour = kindColour(e.kind);
        const QString glyph = *symbol;
        out.push_back({name, [=] { return drawPlate(colour, glyph); }});
    }
}

}  // namespace orvala::artgen
