// The reply readers against the shapes the service answers and the ways a reply goes wrong; the
// fuzz target's corpus is replayed through its entry point, which aborts on a broken property.

#include "core/online/reply_readers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "core/online/numbers.h"
#include "core/online/operations.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace orvala::online {
namespace {

TEST(ReplyMarker, MarkersInTheHeadOnly) {
    EXPECT_TRUE(ReplyMarker("ok", "ok"));
    EXPECT_TRUE(ReplyMarker("no ok", "no"));
    EXPECT_TRUE(ReplyMarker("no ok", "ok"));
    EXPECT_FALSE(ReplyMarker("", "ok"));
    EXPECT_FALSE(ReplyMarker("o", "ok"));
    // A city or an e-mail holding "no" is a value of the record, not a refusal.
    const std::string account = "$Snowtown Norway 1-035 W nora@no.no 01.01.2020 xxx xxx xxx 7 0 0$";
    EXPECT_FALSE(ReplyMarker(account, "no"));
    const auto a = readAccountReply(account, "Nora", "secret");
    ASSERT_TRUE(a);
    EXPECT_EQ(a->City, "Snowtown");
    EXPECT_EQ(a->Sex, "W");
    EXPECT_EQ(a->R04, 7);
    EXPECT_FALSE(readAccountReply("no", "Nora", "secret"));
    EXPECT_FALSE(readAccountReply("$Moscow Russia$", "Nora", "secret"));  // too few fields
}

TEST(ReplyMarker, RegisterTestsOkThenIs) {
    EXPECT_EQ(readRegisterReply("ok"), RegisterResult::Created);
    EXPECT_EQ(readRegisterReply("okis"), RegisterResult::NickTaken);
    EXPECT_EQ(readRegisterReply("is"), RegisterResult::NickTaken);
    EXPECT_EQ(readRegisterReply("fail"), RegisterResult::Failed);
    EXPECT_EQ(readRegisterReply("<html>502 Bad Gateway</html>"), RegisterResult::Failed);
}

TEST(ReplyRecord, TwelveValuesClosedOrNot) {
    const std::string values = "a b c d e f g h i j k l";
    const auto closed = ReplyRecord("$" + values + "$");
    ASSERT_TRUE(closed);
    for (int i = 0; i < 12; ++i) EXPECT_EQ(closed->field(1 + i), std::string(1, char('a' + i)));
    EXPECT_EQ(closed->field(0), "");
    // Without the closing "$" the reply's last character is lost: a one-character last value
    // becomes empty.
    const auto open = ReplyRecord("$" + values);
    ASSERT_TRUE(open);
    EXPECT_EQ(open->field(11), "k");
    EXPECT_EQ(open->field(12), "");
    EXPECT_FALSE(ReplyRecord("no record here"));
    EXPECT_EQ(ReplyRecord("$")->field(1, "#"), "");
    const auto page = ReplyRecord("$Ann~Lee~Hello there~~$", '~');
    EXPECT_EQ(page->field(3), "Hello there");
    EXPECT_EQ(page->field(4), "");
    EXPECT_EQ(page->field(40, "#"), "#");
}

TEST(ReplyList, RowsAreCutAtStarsAndCappedAtTen) {
    std::string reply;
    for (int i = 1; i <= 12; ++i)
        reply += "$" + std::to_string(i) + " 55 " + std::to_string(100 - i) + " p" +
                 std::to_string(i) + " 1-001 Tver M 5.7f # #*";
    const auto rows = readRecordList(reply, 55);
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(rows[0].Place, 1);
    EXPECT_EQ(rows[0].Score, 99);
    EXPECT_EQ(rows[9].Nick, "p10");
    EXPECT_EQ(rows[9].R10, "#");
    // The last row without its "*" loses the reply's last character.
    const auto cut = readRecordList("$1 55 300 ann 1-001 Moscow M 5.7f # #", 55);
    ASSERT_EQ(cut.size(), 1u);
    EXPECT_EQ(cut[0].R10, "#*");  // emptied, so the default stays
    EXPECT_TRUE(readRecordList("#", 55).empty());
}

TEST(ReplyList, RatingTopAndStatistics) {
    const auto top = readRatingTop("$1 ann Moscow Russia 1-001 W 12.5*$2 bob # # # M -3*");
    ASSERT_EQ(top.size(), 2u);
    EXPECT_EQ(top[0].Country, "1-001");  // the code replaces the name
    EXPECT_DOUBLE_EQ(top[0].Rating, 12.5);
    EXPECT_EQ(ratingText(top[0].Rating), "12,500");
    EXPECT_EQ(top[1].Sex, "M");
    EXPECT_DOUBLE_EQ(top[1].Rating, -3);

    const auto s = readStatistics("$9 4 2 ann 1 2 3 4 5 6 7 8 9 10 11 12 3 #*");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->Stat1, 9);
    EXPECT_EQ(s->Stat4, "ann");
    EXPECT_EQ(s->StatX[0], 1);
    EXPECT_EQ(s->StatX[11], 12);
    EXPECT_EQ(s->StatY, 3);
    EXPECT_FALSE(readStatistics("$no#"));
}

TEST(ReplyNumber, DigitsAfterTheLastDollar) {
    EXPECT_EQ(ReplyNumber("$42*"), 42);
    EXPECT_EQ(ReplyNumber("$42"), 4);
    EXPECT_EQ(ReplyNumber("$a"), std::nullopt);
    EXPECT_EQ(ReplyNumber("42*"), std::nullopt);
    EXPECT_EQ(ReplyNumber("$1*$7*"), 7);
    EXPECT_EQ(ReplyNumber("$99999999999999999999*"), std::nullopt);
}

TEST(ReplyStatus, OnlyAfterTheLastDollar) {
    EXPECT_TRUE(ReplyStatus("$ok#"));
    EXPECT_TRUE(ReplyStatus("$ok"));
    EXPECT_FALSE(ReplyStatus("ok"));
    EXPECT_FALSE(ReplyStatus("ok$no#"));
    EXPECT_FALSE(ReplyStatus("$ok#$no#"));
    EXPECT_TRUE(ReplyStatus("$ok#$"));  // a "$" that is the last character is not the one
    EXPECT_FALSE(ReplyStatus("$"));
    EXPECT_FALSE(ReplyStatus(""));
}

TEST(Transfer, EveryAnswerOfTheService) {
    const Transfer done = readTransferReply("ok$90$");
    EXPECT_EQ(done.result, TransferResult::Done);
    EXPECT_EQ(done.balanceLeft, 90);
    EXPECT_EQ(readTransferReply("no").result, TransferResult::NoSuchMember);
    EXPECT_EQ(readTransferReply("low").result, TransferResult::NotEnough);
    EXPECT_EQ(readTransferReply("refused").result, TransferResult::Refused);
    EXPECT_EQ(readTransferReply("empty").result, TransferResult::Failed);
    EXPECT_EQ(readBalanceReply("$25$"), 25);
    EXPECT_EQ(readBalanceReply("no"), std::nullopt);
    EXPECT_EQ(readBalanceReply("$x$"), std::nullopt);
}

TEST(Numbers, RatingsAndCounters) {
    EXPECT_EQ(formatReal(1234.5), "1234.5");
    EXPECT_EQ(formatReal(0.000001), "0");
    EXPECT_EQ(formatReal(-1999.96), "-1999.96");
    EXPECT_EQ(formatReal(std::numeric_limits<double>::quiet_NaN()), "0");
    EXPECT_EQ(readReal("12,5"), 12.5);
    EXPECT_EQ(readReal("-1 999.96"), -1999.96);
    EXPECT_EQ(readReal("#"), std::nullopt);
    EXPECT_EQ(readReal("1.5.7"), 1.5);
    EXPECT_EQ(ratingText(12.5), "12,500");
    EXPECT_EQ(ratingText(100.04), "100,040");
    EXPECT_EQ(ratingText(-0.0001), "0,000");
    EXPECT_EQ(abbreviatedCount(999), "999");
    EXPECT_EQ(abbreviatedCount(1500), "2K");
    EXPECT_EQ(abbreviatedCount(1234567), "1M");
    EXPECT_EQ(abbreviatedCount(2'600'000'000), "3G");
}

TEST(Corpus, ReplaysThroughTheFuzzTarget) {
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(ORVALA_ONLINE_CORPUS)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), {});
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        ++files;
    }
    EXPECT_GE(files, 10u);
}

}  // namespace
}  // namespace orvala::online
