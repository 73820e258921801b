#pragma once
// A member's password as the club file keeps it: the typed password padded with blanks to five
// bytes, each byte turned into three printable characters (15 in all) that depend on its place,
// so the file does not show it plainly. The scheme only hides; it is no protection against a
// reader of the file.

#include <optional>
#include <string>
#include <string_view>

namespace orvala {

inline constexpr size_t kScrambledPasswordWidth = 15;

// The password is cut or padded with blanks to five bytes first.
std::string scramblePassword(std::string_view password);

// The five bytes back; nullopt for text that no password scrambles to.
std::optional<std::string> unscramblePassword(std::string_view scrambled);

}  // namespace orvala
