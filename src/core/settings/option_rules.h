#pragma once
// The rules of the options dialog that are not drawing: which window sizes a screen offers, how
// the deck-back "Modification" group follows the back set, and what the auxiliary-window design
// list shows.

#include <array>

#include "core/settings/settings.h"

namespace orvala {

// How many of the five window sizes ("Small window", "Full screen", "Average window 1",
// "Average window 2", "Large window") a screen of that many pixels offers: the large window
// needs 1520 x 1020, the second average 1290 x 870, the first 990 x 670. Sizes go from the end
// of the list, so the remaining items keep their indices.
int windowSizeChoices(int screenWidth, int screenHeight);

// The "Modification" group of a deck-back set: the item shown (0 "To change decks", 1 "Always
// one", 2 "Random") and which items may be picked. Sets 8..11 have ten backs and are always
// random; the others change by the day or stay on one, as DeckBackFixed says.
struct BackModification {
    int item = 0;
    std::array<bool, 3> enabled{};
};
BackModification backModification(int deckBackSet, bool deckBackFixed);

// The auxiliary design list's item (0 "Gray aristocratic", 1 "Gray concise", 2 "Gray with red
// ribbons", 3 "Purple") for the settings, and the settings an item sets.
int auxDesignItem(const Settings& s);
void setAuxDesignItem(Settings& s, int item);

// The main menu's "Top Ten" opens the world top ten in the "Purple" design of the auxiliary
// windows, and the club's own top ten in the grey designs.
bool topTenOpensWorld(const Settings& s);

// The font slots as "Default" leaves them: both informal slots, then the fixed and the typewriter
// font, each at 100 per cent.
void restoreDefaultFonts(Settings& s);

}  // namespace orvala
