#pragma once
// The reversible cipher of the texts the program keeps out of plain sight (the service
// addresses of the settings file, the account file's password). Each byte is mixed with a key
// stream and written as two letters "A".."P", so the enciphered text holds no blank, "#", "$",
// "=" or line break and survives any line of any of our files.

#include <optional>
#include <string>
#include <string_view>

namespace orvala::online {

std::string encipherText(std::string_view text, std::string_view key);
// Nothing when `text` is not something `encipherText` wrote, or is longer than `maxPlain` bytes
// once deciphered.
std::optional<std::string> decipherText(std::string_view text, std::string_view key,
                                        std::size_t maxPlain);

}  // namespace orvala::online
