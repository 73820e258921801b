#pragma once
// The shared chat of the family of games, kept by the web service as record table 100: every
// message is one row whose score is its number, counting up over the whole chat, so the first
// row of the record list is the newest message.
//
// A message's stamp and text travel with every character outside the allowed set (Latin and
// Cyrillic letters, digits and ! ( ) , - . @ _) made "_", so blanks go as "_" and come back as
// blanks when shown, and nothing a player types can forge a field of the raw body. Texts are
// Windows-1251 bytes.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/online/operations.h"

namespace orvala::online {

inline constexpr int kChatTable = 100;
inline constexpr std::size_t kChatTextMax = 80;
// A player posts at most one message in this many seconds; the service holds to it as well.
inline constexpr std::int64_t kChatSendSeconds = 15;

// Every character outside the allowed set made "_".
std::string chatSafe(std::string_view text);
// A stamp or text as the chat window shows it: "_" back to blanks.
std::string chatShown(std::string_view text);
// The local time, the local date (each in the user's short format) and the product's name,
// joined by "_" and made chat-safe.
std::string chatStamp(std::string_view time, std::string_view date, std::string_view product);

// One message to post, as the passport and the edit line give it.
struct ChatPost {
    std::string nick, city, country = "1-001", sex = "M";
    std::int64_t number = 1;  // the newest number read, plus one
    std::string stamp, text;  // made chat-safe by the request
};
Request chatReadRequest();
Request chatWriteRequest(const ChatPost& post);
// The rows of a chat read, newest first; empty rows (nick "#") are dropped.
std::vector<RecordRow> readChat(std::string_view reply);
// The newest message's number, 0 for an empty chat.
std::int64_t newestMessage(const std::vector<RecordRow>& rows);
// Whether the service took a message: its reply carries a number. A refusal ("wait" within
// the 15 seconds, "no", "paused") carries none.
bool readChatWriteReply(std::string_view reply);

// Posting needs a passport whose nick and city are not red.
bool passportAllowsPosting(std::string_view nick, std::string_view city);

// The client's side of the 15-second rule, on a clock the caller keeps (seconds).
class SendGate {
  public:
    bool open(std::int64_t now) const { return !sent_ || now - sentAt_ >= kChatSendSeconds; }
    void sent(std::int64_t now) {
        sent_ = true;
        sentAt_ = now;
    }

  private:
    bool sent_ = false;
    std::int64_t sentAt_ = 0;
};

}  // namespace orvala::online
