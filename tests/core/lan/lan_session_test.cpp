// The joining handshake as pure transitions, and the framing that keeps messages whole.

#include <gtest/gtest.h>

#include "core/game/random_source.h"
#include "core/game/shuffle.h"
#include "core/lan/address_rules.h"
#include "core/lan/chat_line.h"
#include "core/lan/deal_message.h"
#include "core/lan/framing.h"
#include "core/lan/session.h"
#include "core/lan/step_message.h"

namespace orvala::lan {
namespace {

TEST(Handshake, TwoJoinersAreSeatedAndAThirdIsRefused) {
    Session host = hostListening("Hostess of the table");
    Session first = joinerConnecting("Anna");
    Session second = joinerConnecting("Boris Godunov");
    EXPECT_EQ(joinRequest(first.localName), "zor5525connect1Anna  ");

    const auto toFirst = hostOnJoinRequest(host, joinRequest(first.localName));
    ASSERT_EQ(toFirst, (std::vector<Send>{{0, "connect2+2HostesAnna  PC    "}}));
    EXPECT_EQ(host.joinedCount, 0);
    ASSERT_TRUE(joinerOnSeatReply(first, toFirst[0].bytes));
    EXPECT_EQ(first.role, NetRole::FirstJoiner);
    EXPECT_EQ(first.link, LinkState::Seated);
    EXPECT_EQ(first.seatNames, (std::array<std::string, 4>{"", "PC    ", "Hostes", "Anna  "}));
    EXPECT_FALSE(first.threePeople());

    const auto toSecond = hostOnJoinRequest(host, joinRequest(second.localName));
    ASSERT_EQ(toSecond, (std::vector<Send>{{1, "connect2+3HostesAnna  Boris "},
                                           {0, "connect3+HostesAnna  Boris "}}));
    ASSERT_TRUE(joinerOnSeatReply(second, toSecond[0].bytes));
    EXPECT_EQ(second.role, NetRole::SecondJoiner);
    EXPECT_EQ(second.seatNames, (std::array<std::string, 4>{"", "Hostes", "Anna  ", "Boris "}));
    EXPECT_TRUE(second.threePeople());
    ASSERT_TRUE(joinerOnSeatUpdate(first, toSecond[1].bytes));
    EXPECT_EQ(first.seatNames, (std::array<std::string, 4>{"", "Boris ", "Hostes", "Anna  "}));
    EXPECT_TRUE(first.threePeople());
    EXPECT_EQ(host.seatNames, (std::array<std::string, 4>{"", "Anna  ", "Boris ", "Hostes"}));

    // The table has three seats: a third joiner gets no answer and changes nothing.
    const Session full = host;
    EXPECT_TRUE(hostOnJoinRequest(host, joinRequest("Clara")).empty());
    EXPECT_EQ(host, full);
    // A seated joiner takes no second seat reply; only the first joiner takes seat updates.
    EXPECT_FALSE(joinerOnSeatReply(second, toSecond[0].bytes));
    EXPECT_FALSE(joinerOnSeatUpdate(second, toSecond[1].bytes));
}

TEST(Handshake, WrongGameAndLateRequestsAreNotAnswered) {
    Session host = hostListening("Host");
    EXPECT_TRUE(hostOnJoinRequest(host, "zor5625connect1Anna  ").empty());
    EXPECT_TRUE(hostOnJoinRequest(host, "zor5525connect2Anna  ").empty());
    EXPECT_TRUE(hostOnJoinRequest(host, "zor5525connect1Ann").empty());
    EXPECT_EQ(host.joinedCount, -1);
    ASSERT_EQ(hostOnJoinRequest(host, joinRequest("Anna")).size(), 1u);
    hostDealt(host);
    EXPECT_EQ(host.link, LinkState::Dealt);
    // Once dealt, a newcomer keeps waiting.
    EXPECT_TRUE(hostOnJoinRequest(host, joinRequest("Boris")).empty());
    EXPECT_EQ(host.joinedCount, 0);

    Session joiner = joinerConnecting("Anna");
    EXPECT_FALSE(joinerOnSeatReply(joiner, "connect2+4HosteaAnna  PC    "));
    EXPECT_FALSE(joinerOnSeatReply(joiner, "connect2+2Hostea"));
    EXPECT_EQ(joiner.link, LinkState::Waiting);
}

// A stream of every kind of message, as a host and its joiners write them.
std::vector<std::string> mixedMessages() {
    SeededRandom rng(9);
    return {joinRequest("Anna"),
            "connect2+2HosteaAnna  PC    ",
            "connect3+HosteaAnna  Boris ",
            dealMessage(DealMessage{Shuffle(rng), RuleSettings{}}),
            stepMessage(1, bidBody(2, SeatField{'p', 100}, {true, false, 105}), '2'),
            *chatMessage(2, "hello"),
            stepMessage(2, cardBody(1, SeatField{'i'}, 3, {}), '1'),
            stepMessage(2, collectBody(), '3'),
            std::string(kAbort),
            *chatMessage(3, "\xC4\xE0!")};
}

std::string joined(const std::vector<std::string>& ms) {
    std::string all;
    for (const auto& m : ms) all += m;
    return all;
}

TEST(Framing, EveryCutOfAStreamGivesTheSameMessages) {
    const auto ms = mixedMessages();
    const std::string all = joined(ms);
    // One cut anywhere, and two cuts around every place.
    for (std::size_t a = 0; a <= all.size(); ++a) {
        for (std::size_t b = a; b <= all.size(); b += (b < a + 3 ? 1 : 41)) {
            StreamReader r;
            std::vector<std::string> got = r.feed(all.substr(0, a));
            for (auto& m : r.feed(all.substr(a, b - a))) got.push_back(m);
            for (auto& m : r.feed(all.substr(b))) got.push_back(m);
            ASSERT_EQ(got, ms) << "cuts at " << a << " and " << b;
            EXPECT_EQ(r.buffered(), 0u);
        }
    }
    // Messages written one at a time, and read in pairs and threes.
    for (std::size_t group : {2u, 3u}) {
        StreamReader r;
        std::vector<std::string> got;
        for (std::size_t i = 0; i < ms.size(); i += group) {
            std::string read;
            for (std::size_t k = i; k < std::min(ms.size(), i + group); ++k) read += ms[k];
            for (auto& m : r.feed(read)) got.push_back(m);
        }
        EXPECT_EQ(got, ms);
    }
}

TEST(Framing, JoinedStepsComeOutOneByOne) {
    const std::string a = stepMessage(1, collectBody(), '2');
    const std::string b = stepMessage(1, cardBody(2, SeatField{'i'}, 1, {true, false, false}), '2');
    StreamReader r;
    EXPECT_EQ(r.feed(a + b), (std::vector<std::string>{a, b}));
    EXPECT_EQ(r.feed(a + b + a), (std::vector<std::string>{a, b, a}));
    // A 77th byte begins the next message; it is kept until that message is whole.
    EXPECT_EQ(r.feed(a + b + "h"), (std::vector<std::string>{a, b}));
    EXPECT_EQ(r.buffered(), 1u);
    EXPECT_EQ(r.feed(a.substr(1)), (std::vector<std::string>{a}));
}

TEST(Framing, BytesThatBeginNoMessageBreakTheStream) {
    StreamReader r;
    const std::string a = stepMessage(1, collectBody(), '2');
    EXPECT_EQ(r.feed(a + "conX"), (std::vector<std::string>{a}));
    EXPECT_TRUE(r.broken());
    EXPECT_TRUE(r.feed(a).empty());
    EXPECT_EQ(r.buffered(), 0u);
    EXPECT_EQ(messageLength("con"), 0u);
    EXPECT_EQ(messageLength("connect3"), 27u);
    EXPECT_EQ(messageLength("ab"), 0u);
    EXPECT_EQ(messageLength("abc"), std::nullopt);
    EXPECT_EQ(messageLength(std::string(1, '\0')), std::nullopt);
}

}  // namespace
}  // namespace orvala::lan

namespace orvala::lan {
namespace {

TEST(AddressRules, TheHostsAddressIsFourShortGroupsAndThePortAUsableNumber) {
    EXPECT_TRUE(validServerAddress("192.168.0.10"));
    EXPECT_TRUE(validServerAddress("300.1.1.1"));  // a group's value is not limited
    for (const char* bad :
         {"1.2.3.4.5", "1.2.3.4444", "1.2.3.", ".1.2.3", "1..2.3", "1.2.3", "", "a.b.c.d"})
        EXPECT_FALSE(validServerAddress(bad)) << bad;
    EXPECT_TRUE(addressFieldAllows("10.0."));
    EXPECT_FALSE(addressFieldAllows("10.0.0.x"));
    EXPECT_FALSE(addressFieldAllows(std::string(21, '1')));
    EXPECT_EQ(serverPort("25666"), 25666);
    for (const char* bad : {"", "0", "65536", "99999", "12a"})
        EXPECT_EQ(serverPort(bad), std::nullopt) << bad;
    EXPECT_FALSE(portFieldAllows("123456"));
}

}  // namespace
}  // namespace orvala::lan
