#include "core/online/text_cipher.h"

namespace orvala::online {
namespace {

unsigned char keyByte(std::string_view key, std::size_t i) {
    return static_cast<unsigned char>((key.empty() ? 'O' : key[i % key.size()]) + 7 * i);
}

}  // namespace

std::string encipherText(std::string_view text, std::string_view key) {
    std::string out;
    out.reserve(text.size() * 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]) ^ keyByte(key, i);
        out += static_cast<char>('A' + (c >> 4));
        out += static_cast<char>('A' + (c & 15));
    }
    return out;
}

std::optional<std::string> decipherText(std::string_view text, std::string_view key,
                                        std::size_t maxPlain) {
    if (text.empty() || text.size() % 2 != 0 || text.size() / 2 > maxPlain) return std::nullopt;
    std::string out;
    out.reserve(text.size() / 2);
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int hi = text[i] - 'A', lo = text[i + 1] - 'A';
        if (hi < 0 || hi > 15 || lo < 0 || lo > 15) return std::nullopt;
        out += static_cast<char>(static_cast<unsigned char>(hi * 16 + lo) ^ keyByte(key, i / 2));
    }
    return out;
}

}  // namespace orvala::online
