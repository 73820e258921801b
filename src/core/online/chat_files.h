#pragma once
// The two small files that remember what the player has seen of the chat and the news. They lie
// in the folder above the program's folder and are shared with the other games of the family,
// which may write them too, so every reader takes whatever bytes are there.
//
// "ZorChatZor.ini", three lines: the number of the newest message seen; "1" or "0" for "Last
// message at the bottom"; "1" or "0" for "Open this window when a new message". A missing file
// is created as "1", "0", "0". A line that does not read counts as 0 (nothing seen, option off).
//
// "ZorNewsZor.ini", one line: the number of the newest news item seen; 0 when missing or not a
// number.
//
// The news page tells its newest number after the key "ZorNews": the up to five characters that
// follow the key's first occurrence, all of them digits.

#include <cstdint>
#include <string>
#include <string_view>

namespace orvala::online {

inline constexpr std::string_view kChatFileName = "ZorChatZor.ini";
inline constexpr std::string_view kNewsFileName = "ZorNewsZor.ini";

struct ChatFile {
    std::int64_t lastSeen = 0;
    bool bottom = false;     // "Last message at the bottom"
    bool openOnNew = false;  // "Open this window when a new message"
    bool operator==(const ChatFile&) const = default;
};

ChatFile readChatFileText(std::string_view text);
std::string chatFileText(const ChatFile& file);
// The file at `path`; a missing one is written as "1", "0", "0" first (a failed write still
// answers those values).
ChatFile loadChatFile(const std::string& path);
bool writeChatFile(const std::string& path, const ChatFile& file);

std::int64_t readNewsFileText(std::string_view text);
std::int64_t loadNewsFile(const std::string& path);
bool writeNewsFile(const std::string& path, std::int64_t number);

// The newest news number a page tells, 0 when it tells none.
std::int64_t newsNumber(std::string_view page);

}  // namespace orvala::online
