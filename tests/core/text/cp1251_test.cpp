#include "core/text/cp1251.h"

#include <gtest/gtest.h>

#include <string>

namespace orvala {
namespace {

TEST(Cp1251, CardBytesAndCyrillicRoundTrip) {
    // The ace of spades is 0xD2 0xEF, which reads "Тп".
    EXPECT_EQ(cp1251ToUtf8("\xD2\xEF"), "Тп");
    EXPECT_EQ(utf8ToCp1251("Тп"), "\xD2\xEF");
    EXPECT_EQ(cp1251ToUtf8("\xC0\xDF\xE0\xFF"), "АЯая");
    EXPECT_EQ(cp1251ToUtf8("\xA8\xB8\xB9\x88\x96"), "Ёё№€–");
}

TEST(Cp1251, EveryByteRoundTripsExceptTheUnassignedOne) {
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        const std::string utf8 = cp1251ToUtf8(one);
        if (b == 0x98) {
            EXPECT_EQ(utf8, "\xEF\xBF\xBD");
            EXPECT_EQ(utf8ToCp1251(utf8), "?");
        } else {
            EXPECT_EQ(utf8ToCp1251(utf8), one) << "byte " << b;
        }
    }
}

TEST(Cp1251, UnencodableAndMalformedTextBecomesQuestionMarks) {
    EXPECT_EQ(utf8ToCp1251("a中b"), "a?b");
    EXPECT_EQ(utf8ToCp1251("\xC3"), "?");           // cut short
    EXPECT_EQ(utf8ToCp1251("\xC3(x"), "?(x");       // bad continuation
    EXPECT_EQ(utf8ToCp1251("\xF0\x9F\x82\xA1"), "?");  // a playing-card emoji has no byte
}

}  // namespace
}  // namespace orvala
