#pragma once
// Windows-1251 is the byte encoding of every file and network text of the game.
// Bytes stay bytes (std::string) inside the core; these two functions convert at the edges.

#include <string>
#include <string_view>

namespace orvala {

// Every Windows-1251 byte becomes its Unicode character in UTF-8; the one unassigned byte (0x98)
// becomes U+FFFD.
std::string cp1251ToUtf8(std::string_view bytes);

// Characters without a Windows-1251 byte, and malformed UTF-8 sequences, become '?'.
std::string utf8ToCp1251(std::string_view utf8);

// The Unicode code point of one Windows-1251 byte (0xFFFD for 0x98).
char32_t cp1251CodePoint(unsigned char byte);

}  // namespace orvala
