#pragma once
// A club member and the member line of a club file (59 characters):
//
//   1..20   name, left-aligned, padded with blanks
//   21..30  rating, six decimals with a decimal comma, right-aligned ("  1,234567")
//   31..37  games played, right-aligned
//   38      a blank
//   39..44  score of the current cycle, right-aligned
//   45..59  the password, scrambled (member_password.h)
//
// An empty slot is 37 "#", a blank and 21 "#"; column 37 "#" is what marks a slot as empty.
//
// Ratings live as whole millionths so that the file's six decimals, comparing two ratings and
// the limits are exact. A game moves the rating by the game's result over 50, averaged over the
// games played, and keeps it within -99.99..99.99.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvala {

inline constexpr int kCycleGames = 25;
inline constexpr int kNewMemberSlot = 6;
inline constexpr int64_t kRatingLimit = 99'990'000;  // 99.99 in millionths
inline constexpr size_t kMemberNameWidth = 20;
inline constexpr size_t kMemberPasswordWidth = 5;
// What the columns can hold; a value beyond them would lengthen the line and spoil the file.
inline constexpr int kGamesMax = 9'999'999;
inline constexpr int kCycleScoreMin = -99'999;
inline constexpr int kCycleScoreMax = 999'999;

std::string emptyMemberLine();

struct ClubMember {
    std::string name;    // 20 bytes, padded
    int64_t rating = 0;  // millionths
    int games = 0;
    int cycleScore = 0;
    std::string password;       // the 15 scrambled characters, as stored
    int slot = kNewMemberSlot;  // 1..5 where it was read from, 6 for one not in the club

    friend bool operator==(const ClubMember&, const ClubMember&) = default;
};

// Column 37 is "#".
bool isEmptyMemberLine(std::string_view line);

// A member line's fields; nullopt for an empty slot or a line whose numbers are not numbers.
std::optional<ClubMember> parseMemberLine(std::string_view line, int slot);

// The member's line; numbers beyond their columns are held at the columns' limits.
std::string formatMemberLine(const ClubMember& m);

// `text` cut or padded with blanks to `width` bytes.
std::string padded(std::string_view text, size_t width);

// The name without its padding blanks.
std::string trimmedName(std::string_view name);

// "1,234567": six decimals and a decimal comma (no padding).
std::string ratingText6(int64_t millionths);
// "1,23": two decimals, rounded half away from zero.
std::string ratingText2(int64_t millionths);
// The rating column's text with its comma; nullopt when it is not such a number.
std::optional<int64_t> parseRating(std::string_view text);

// The rating after one more game with `result`: (games * rating + result / 50) / (games + 1),
// rounded to millionths, within the limits.
int64_t ratingAfterGame(int64_t rating, int games, int result);

// A decimal integer with optional blanks around it and an optional sign.
std::optional<int> parseColumnInt(std::string_view text);

}  // namespace orvala
