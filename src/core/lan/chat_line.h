#pragma once
// Chat lines and the abort notice.
//
// A chat line is "s", the sender's role digit and the text as typed, at most 15 bytes of
// Windows-1251. On the wire the text is padded with "#" to 15 bytes, so every line is 17 bytes and
// a stream of messages can be cut into whole messages (framing.h); the receiver shows the text up
// to the first "#". The host writes its own lines with the digit "1".

#include <optional>
#include <string>
#include <string_view>

namespace orvala::lan {

inline constexpr std::size_t kChatTextMax = 15;
inline constexpr std::size_t kChatLength = 2 + kChatTextMax;
inline constexpr std::string_view kAbort = "abort";

struct ChatLine {
    int sender = 1;
    std::string text;  // Windows-1251, without the padding
    // A line the table writes itself: a seat's machine lost (its computer plays), away (a
    // tournament seat whose player may connect again) or back; the text is then the seat's
    // name, and the window says the rest in its language.
    enum class Kind { Said, Computer, Away, Back } kind = Kind::Said;
    friend bool operator==(const ChatLine&, const ChatLine&) = default;
};

// The text is cut to 15 bytes; an empty text gives no line (nullopt), as the chat field sends
// nothing then.
std::optional<std::string> chatMessage(int senderDigit, std::string_view text);
// nullopt unless 17 bytes of "s", a digit 1..4 and the text.
std::optional<ChatLine> parseChat(std::string_view bytes);

}  // namespace orvala::lan
