// The list of the built-in pictures with their names and sizes.

#include "art_painter.h"

#include "core/lang/language.h"
#include "table/art_names.h"

namespace orvala::artgen {

std::vector<Picture> allPictures() {
    std::vector<Picture> out;
    for (int suit = 1; suit <= 4; ++suit)
        for (int rank = 1; rank <= 6; ++rank) {
            const QString name = QString(art::kSuitPrefix[suit]) + art::kRankPart[rank];
            out.push_back({name, drawFace(rank, suit, true)});
            out.push_back({name + "B", drawFace(rank, suit, false)});
        }
    for (int b = 1; b <= art::kBuiltInBacks; ++b) {
        out.push_back({art::kBackName[b], drawBack(b - 1, true)});
        out.push_back({QString(art::kBackName[b]) + "B", drawBack(b - 1, false)});
    }
    out.push_back({"FonG", drawCloth(760, 500)});
    out.push_back({"FonGB", drawCloth(1920, 922)});
    out.push_back({"TabloSm", drawSeatPanel(155, 95, true)});
    out.push_back({"TabloBg", drawSeatPanel(310, 190, false)});
    out.push_back({"RamkaBBSm", drawDealPanel(120, 150, true)});
    out.push_back({"RamkaBBBg", drawDealPanel(240, 300, false)});
    out.push_back({"Hand_Up", drawTurnMark(true, 40, 60)});
    out.push_back({"Hand_Down", drawTurnMark(false, 40, 60)});
    out.push_back({"ImageList3_0", drawTurnMark(false, 20, 30)});
    out.push_back({"ImageList3_1", drawTurnMark(true, 20, 30)});
    out.push_back({"GBarrel", drawBarrel(42, 60)});
    out.push_back({"GBolt", drawBolt(32, 60)});
    const std::pair<const char*, QColor> bubbles[] = {{"SPBlue", QColor(36, 84, 200)},
                                                      {"SPGreen", QColor(30, 140, 60)},
                                                      {"SPRed", QColor(200, 36, 36)},
                                                      {"SPYellow", QColor(206, 146, 0)}};
    for (const auto& [name, colour] : bubbles) {
        out.push_back({name, drawBubble(colour, 160, 20)});
        out.push_back({QString(name) + "B", drawBubble(colour, 320, 40)});
    }
    out.push_back({"GTimerY", drawClock(QColor(246, 208, 30), 50, 50)});
    out.push_back({"GTimerR", drawClock(QColor(206, 32, 32), 50, 50)});
    for (int suit = 1; suit <= 4; ++suit) {
        out.push_back({art::kSymbolName[suit], drawSymbolBitmap(suit)});
        out.push_back({QString(art::kSymbolName[suit]) + "B", drawSymbolPng(suit)});
    }
    out.push_back({"GTitle", drawTitle(900, 270)});
    out.push_back({"Logo", drawLogo(120, 80)});
    out.push_back({"AdvBar3", drawNoticeBar(350, 80)});
    out.push_back({art::kMenuFilmNames[0], drawMenuFilm(1)});
    out.push_back({art::kMenuFilmNames[1], drawMenuFilm(4)});
    out.push_back({art::kCursorHand.name, drawCursor(0)});
    out.push_back({art::kCursorArrow.name, drawCursor(1)});
    out.push_back({art::kCursorBusy.name, drawCursor(2)});
    for (int language = 0; language < 10; ++language)
        out.push_back({QString::fromStdString(FlagPictureName(language)), drawFlag(language)});
    for (auto& p : buttonPictures()) out.push_back(std::move(p));
    for (auto& p : recordsPictures()) out.push_back(std::move(p));
    for (auto& p : countryPictures()) out.push_back(std::move(p));
    for (auto& p : musicPlayerPictures()) out.push_back(std::move(p));
    for (auto& p : chatPictures()) out.push_back(std::move(p));
    return out;
}

}  // namespace orvala::artgen
