#pragma once
// The deal message: 127 bytes the host sends each joiner once per deal. Byte 1 is "b"; then the
// 24 dealt cards as Windows-1251 card codes (cards 1..7 the first joiner's, 8..14 the second
// joiner's or the computer seat's, 15..21 the host's, 22..24 the talon), each card's strength
// digit, its points as two digits, and the host's six house rules: three letters ("И" set,
// "Л" clear), the bolt penalty mode digit, two more letters.
//
// `parseDeal` reads untrusted bytes: it refuses anything but 127 bytes holding the 24 different
// cards of the deck with their own strengths and points, and a penalty mode 1..3. A rule letter
// other than "И" reads as clear.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/cards/card.h"
#include "core/game/rule_settings.h"
#include "core/lan/net_seats.h"

namespace orvala::lan {

inline constexpr std::size_t kDealLength = 127;
inline constexpr unsigned char kRuleSet = 0xC8;    // "И"
inline constexpr unsigned char kRuleClear = 0xCB;  // "Л"

struct DealMessage {
    std::array<Card, 25> deck{};  // 1..24 in the host's numbering
    RuleSettings rules;
    friend bool operator==(const DealMessage&, const DealMessage&) = default;
};

std::string dealMessage(const DealMessage& deal);

struct DealParse {
    std::optional<DealMessage> deal;
    std::string error;
};
DealParse parseDeal(std::string_view bytes);

// The deck as `viewer` deals it to its own seats: each seven-card block moves to the seat that
// the viewer gives its holder; the talon stays.
std::array<Card, 25> deckSeenBy(NetRole viewer, const std::array<Card, 25>& hostDeck);

}  // namespace orvala::lan
