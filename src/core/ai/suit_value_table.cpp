#include "core/ai/suit_value_table.h"

#include <algorithm>
#include <string_view>

#include "core/cards/hand_helpers.h"

namespace orvala {
namespace {

// The table as it is read: holdings by rank letters, points as "m+N", "m" or "N", where m is the
// marriage value of the suit being valued.
struct TextRow {
    std::string_view holding;
    int tricks1;
    std::string_view points1;
    int tricks2;
    std::string_view points2;
    int marriageRow;
    double weight;
};

constexpr TextRow kRows[kHoldingCount] = {
    {"9 J Q K 10 A", 6, "m+57", 6, "m+57", 0, 6},  // 1
    {"9 J Q K 10", 4, "m+28", 0, "m", 1, 4},       // 2
    {"9 J Q K A", 5, "m+45", 5, "m+45", 0, 5},     // 3
    {"9 J Q 10 A", 5, "45", 5, "45", 0, 5},        // 4
    {"9 J K 10 A", 5, "46", 5, "46", 0, 5},        // 5
    {"9 Q K 10 A", 5, "m+47", 5, "m+47", 0, 5},    // 6
    {"J Q K 10 A", 5, "m+49", 5, "m+49", 0, 5},    // 7
    {"9 J Q K", 2, "m+8", 0, "m", 1, 2.5},         // 8
    {"9 J Q A", 1, "15", 1, "15", 0, 3.5},         // 9
    {"9 J 10 A", 4, "35", 4, "35", 0, 4},          // 10
    {"9 K 10 A", 4, "37", 4, "37", 0, 4},          // 11
    {"Q K 10 A", 4, "m+40", 4, "m+40", 0, 4},      // 12
    {"9 J Q 10", 0, "0", 0, "0", 0, 2.5},          // 13
    {"9 J K 10", 0, "0", 0, "0", 0, 3.4},          // 14
    {"9 Q K 10", 3, "m+20", 0, "m", 1, 3.4},       // 15
    {"J Q K 10", 3, "m+22", 0, "m", 1, 3.4},       // 16
    {"9 J K A", 1, "14", 1, "14", 0, 3.5},         // 17
    {"9 Q K A", 3, "m+21", 1, "m+13", 1, 3.5},     // 18
    {"J Q K A", 3, "m+23", 1, "m+11", 1, 3.5},     // 19
    {"9 Q 10 A", 4, "43", 4, "43", 0, 4},          // 20
    {"J Q 10 A", 4, "39", 4, "39", 0, 4},          // 21
    {"J K 10 A", 4, "39", 4, "39", 0, 4},          // 22
    {"K 10 A", 3, "32", 3, "32", 0, 3},            // 23
    {"Q 10 A", 2, "23", 2, "23", 0, 2.8},          // 24
    {"J 10 A", 2, "24", 2, "24", 0, 2.7},          // 25
    {"9 10 A", 2, "26", 2, "26", 0, 2.8},          // 26
    {"Q K A", 2, "m+17", 1, "m+11", 1, 2.7},       // 27
    {"J K A", 1, "11", 1, "11", 0, 2.4},           // 28
    {"9 K A", 1, "13", 1, "13", 0, 2.4},           // 29
    {"J Q A", 1, "11", 1, "11", 0, 2.3},           // 30
    {"9 Q A", 1, "13", 1, "13", 0, 2.3},           // 31
    {"9 J A", 1, "14", 1, "14", 0, 2.3},           // 32
    {"Q K 10", 2, "m+11", 0, "m", 1, 2},           // 33
    {"J K 10", 0, "0", 0, "0", 0, 1.8},            // 34
    {"9 K 10", 0, "0", 0, "0", 0, 1.8},            // 35
    {"J Q 10", 0, "0", 0, "0", 0, 1.8},            // 36
    {"9 Q 10", 0, "0", 0, "0", 0, 1.7},            // 37
    {"9 J 10", 0, "0", 0, "0", 0, 1.7},            // 38
    {"J Q K", 1, "m+2", 0, "m", 1, 1.4},           // 39
    {"9 Q K", 0, "m+12", 0, "m", 1, 1.3},          // 40
    {"9 J K", 0, "0", 0, "0", 0, 1.2},             // 41
    {"9 J Q", 0, "0", 0, "0", 0, 1.1},             // 42
    {"9 A", 1, "13", 1, "13", 0, 1.3},             // 43
    {"J A", 1, "11", 1, "11", 0, 1.2},             // 44
    {"Q A", 1, "11", 1, "11", 0, 1.1},             // 45
    {"K A", 1, "11", 1, "11", 0, 1.3},             // 46
    {"10 A", 2, "23", 2, "23", 0, 2},              // 47
    {"K 10", 0, "0", 0, "0", 0, 1},                // 48
    {"Q 10", 0, "0", 0, "0", 0, 0.9},              // 49
    {"J 10", 0, "0", 0, "0", 0, 0.9},              // 50
    {"9 10", 0, "0", 0, "0", 0, 0.8},              // 51
    {"Q K", 0, "m", 0, "m", 1, 0.1},               // 52
    {"J K", 0, "0", 0, "0", 0, 0.1},               // 53
    {"9 K", 0, "0", 0, "0", 0, 0.1},               // 54
    {"J Q", 0, "0", 0, "0", 0, 0.1},               // 55
    {"9 Q", 0, "0", 0, "0", 0, 0.1},               // 56
    {"9 J", 0, "0", 0, "0", 0, 0.1},               // 57
    {"A", 1, "11", 1, "11", 0, 1},                 // 58
    {"10", 0, "0", 0, "0", 0, 0},                  // 59
    {"K", 0, "0", 0, "0", 0, 0.05},                // 60
    {"Q", 0, "0", 0, "0", 0, 0.1},                 // 61
    {"J", 0, "0", 0, "0", 0, 0.1},                 // 62
    {"9", 0, "0", 0, "0", 0, 0.15},                // 63
    {"(none)", 0, "0", 0, "0", 0, 0},              // 64
};

// Parsing runs at compile time: a malformed entry makes the table fail to build.
constexpr int parseNumber(std::string_view s) {
    if (s.empty()) throw "empty number";
    int v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') throw "bad digit";
        v = v * 10 + (c - '0');
    }
    return v;
}

struct PointsEntry {
    int points;
    bool withMarriage;
};

constexpr PointsEntry parsePoints(std::string_view s) {
    if (s == "m") return {0, true};
    if (s.starts_with("m+")) return {parseNumber(s.substr(2)), true};
    return {parseNumber(s), false};
}

constexpr RankMask parseHolding(std::string_view s) {
    if (s == "(none)") return 0;
    RankMask mask = 0;
    while (!s.empty()) {
        const size_t space = s.find(' ');
        const std::string_view word = s.substr(0, space);
        s = space == std::string_view::npos ? std::string_view{} : s.substr(space + 1);
        int rank = 0;
        if (word == "9")
            rank = 1;
        else if (word == "J")
            rank = 2;
        else if (word == "Q")
            rank = 3;
        else if (word == "K")
            rank = 4;
        else if (word == "10")
            rank = 5;
        else if (word == "A")
            rank = 6;
        else
            throw "bad rank";
        if (mask & rankBit(rank)) throw "repeated rank";
        mask |= rankBit(rank);
    }
    return mask;
}

constexpr std::array<SuitValueRow, kHoldingCount + 1> buildTable() {
    std::array<SuitValueRow, kHoldingCount + 1> table{};
    for (int i = 0; i < kHoldingCount; ++i) {
        const TextRow& t = kRows[i];
        const PointsEntry p1 = parsePoints(t.points1), p2 = parsePoints(t.points2);
        table[static_cast<size_t>(i + 1)] =
            SuitValueRow{parseHolding(t.holding), t.tricks1,     p1.points,
                         p1.withMarriage,         t.tricks2,     p2.points,
                         p2.withMarriage,         t.marriageRow, t.weight};
    }
    return table;
}

constexpr std::array<SuitValueRow, kHoldingCount + 1> kTable = buildTable();

// Every one of the 64 holdings appears exactly once, so the reverse map is total.
constexpr std::array<int, kHoldingCount> buildIndexOfMask() {
    std::array<int, kHoldingCount> index{};
    for (int i = 1; i <= kHoldingCount; ++i) {
        const RankMask m = kTable[static_cast<size_t>(i)].holding;
        if (index[m] != 0) throw "holding listed twice";
        index[m] = i;
    }
    return index;
}

constexpr std::array<int, kHoldingCount> kIndexOfMask = buildIndexOfMask();

}  // namespace

const std::array<SuitValueRow, kHoldingCount + 1>& SuitValueTable() {
    return kTable;
}

int holdingIndexOfMask(RankMask mask) {
    return kIndexOfMask[mask & 0x3F];
}

RankMask suitMask(int n, std::span<const Card> a, SuitCode suit) {
    const int last = std::min(n, static_cast<int>(a.size()) - 1);
    RankMask mask = 0;
    for (int i = 1; i <= last; ++i) {
        const Card c = a[static_cast<size_t>(i)];
        if (c.suit != suit || !isValidCard(c)) continue;
        mask |= rankBit(CardRank(c));
    }
    return mask;
}

int HoldingIndex(int n, std::span<const Card> a, SuitCode suit) {
    return holdingIndexOfMask(suitMask(n, a, suit));
}

SuitValue lookupSuitValue(std::span<const Card> a, SuitCode suit) {
    const int index = HoldingIndex(kListSlots, a, suit);
    return {index, &kTable[static_cast<size_t>(index)]};
}

}  // namespace orvala
