#include "core/lan/chat_line.h"

namespace orvala::lan {

std::optional<std::string> chatMessage(int senderDigit, std::string_view text) {
    text = text.substr(0, kChatTextMax);
    // A text that begins with the padding would show as nothing.
    if (text.empty() || text.front() == '#') return std::nullopt;
    std::string m = "s";
    m += static_cast<char>('0' + senderDigit);
    m += text;
    m.resize(kChatLength, '#');
    return m;
}

std::optional<ChatLine> parseChat(std::string_view m) {
    if (m.size() != kChatLength || m[0] != 's' || m[1] < '1' || m[1] > '4') return std::nullopt;
    const std::string_view text = m.substr(2);
    return ChatLine{m[1] - '0', std::string(text.substr(0, text.find('#')))};
}

}  // namespace orvala::lan
