// The hidden open-hands toggle's buffer.

#include "app/open_hands.h"

#include <gtest/gtest.h>

namespace orvala::app {
namespace {

TEST(OpenHands, TheNumberFlipsTheToggleWhereverItIsTypedAndADealResetsIt) {
    OpenHandsToggle t;
    EXPECT_FALSE(t.on());
    // Typed one key at a time after other keys: the last five characters count.
    bool flipped = false;
    for (QChar ch : QString("9x2718") + OpenHandsToggle::kNumber) flipped = t.type(ch) || flipped;
    EXPECT_TRUE(flipped);
    EXPECT_TRUE(t.on());
    // The buffer was emptied by the flip: the tail of the number and the next keys do not
    // flip again until the whole number is typed once more.
    EXPECT_FALSE(t.type("8218"));
    EXPECT_TRUE(t.on());
    EXPECT_TRUE(t.type(OpenHandsToggle::kNumber));
    EXPECT_FALSE(t.on());
    // Non-printing key texts (Return, Escape) are not part of the buffer.
    EXPECT_FALSE(t.type("2718"));
    EXPECT_FALSE(t.type("\r"));
    EXPECT_TRUE(t.type("2"));
    EXPECT_TRUE(t.on());
    t.reset();
    EXPECT_FALSE(t.on());
    EXPECT_FALSE(t.type("2"));  // the half-typed number went with the reset
}

}  // namespace
}  // namespace orvala::app
