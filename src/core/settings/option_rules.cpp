#include "core/settings/option_rules.h"

namespace orvala {

int windowSizeChoices(int w, int h) {
    if (w < 990 || h < 670) return 2;
    if (w < 1290 || h < 870) return 3;
    if (w < 1520 || h < 1020) return 4;
    return 5;
}

BackModification backModification(int deckBackSet, bool deckBackFixed) {
    if (deckBackSet >= 8 && deckBackSet <= 11) return {2, {false, false, true}};
    return {deckBackFixed ? 1 : 0, {true, true, false}};
}

int auxDesignItem(const Settings& s) {
    if (s.AuxDesignPurple) return 3;
    switch (s.AuxDesignGrey) {
        case 1:
            return 1;
        case 3:
            return 2;
        default:
            return 0;
    }
}

bool topTenOpensWorld(const Settings& s) {
    return s.AuxDesignPurple;
}

void setAuxDesignItem(Settings& s, int item) {
    s.AuxDesignPurple = item == 3;
    if (item == 0) s.AuxDesignGrey = 2;
    if (item == 1) s.AuxDesignGrey = 1;
    if (item == 2) s.AuxDesignGrey = 3;
}

void restoreDefaultFonts(Settings& s) {
    const Settings defaults;
    s.FontName = defaults.FontName;
    s.FontScale = defaults.FontScale;
}

}  // namespace orvala
