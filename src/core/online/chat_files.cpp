#include "core/online/chat_files.h"

#include <charconv>
#include <vector>

#include "core/text/atomic_file.h"

namespace orvala::online {
namespace {

// Larger files are no file of ours; they read as nothing seen.
constexpr std::size_t kMaxFileBytes = 4096;

std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r')) line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

// A whole non-negative decimal number, else 0.
std::int64_t count(std::string_view s) {
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    std::int64_t n = 0;
    const auto [at, ec] = std::from_chars(s.data(), s.data() + s.size(), n);
    return ec == std::errc() && at == s.data() + s.size() && !s.empty() && n >= 0 ? n : 0;
}

bool readSmallFile(const std::string& path, std::string& text, bool& missing) {
    text.clear();
    missing = false;
    bool tooLarge = false;
    const FileRead r = readFileInPieces(path, [&](std::string_view piece) {
        if (text.size() + piece.size() > kMaxFileBytes) {
            tooLarge = true;
            return false;
        }
        text += piece;
        return true;
    });
    missing = r == FileRead::Missing;
    return r == FileRead::Read && !tooLarge;
}

}  // namespace

ChatFile readChatFileText(std::string_view text) {
    const auto lines = linesOf(text);
    ChatFile f;
    if (lines.size() > 0) f.lastSeen = count(lines[0]);
    if (lines.size() > 1) f.bottom = lines[1] == "1";
    if (lines.size() > 2) f.openOnNew = lines[2] == "1";
    return f;
}

std::string chatFileText(const ChatFile& f) {
    return std::to_string(f.lastSeen) + "\r\n" + (f.bottom ? "1" : "0") + "\r\n" +
           (f.openOnNew ? "1" : "0") + "\r\n";
}

ChatFile loadChatFile(const std::string& path) {
    std::string text;
    bool missing = false;
    if (readSmallFile(path, text, missing)) return readChatFileText(text);
    if (!missing) return {};
    const ChatFile fresh{1, false, false};
    writeChatFile(path, fresh);
    return fresh;
}

bool writeChatFile(const std::string& path, const ChatFile& file) {
    return writeFileAtomically(path, chatFileText(file));
}

std::int64_t readNewsFileText(std::string_view text) {
    const auto lines = linesOf(text);
    return lines.empty() ? 0 : count(lines[0]);
}

std::int64_t loadNewsFile(const std::string& path) {
    std::string text;
    bool missing = false;
    return readSmallFile(path, text, missing) ? readNewsFileText(text) : 0;
}

bool writeNewsFile(const std::string& path, std::int64_t number) {
    return writeFileAtomically(path, std::to_string(number) + "\r\n");
}

std::int64_t newsNumber(std::string_view page) {
    constexpr std::string_view kKey = "ZorNews";
    const std::size_t at = page.find(kKey);
    if (at == std::string_view::npos) return 0;
    const std::string_view digits = page.substr(at + kKey.size(), 5);
    if (digits.empty()) return 0;
    for (char c : digits)
        if (c < '0' || c > '9') return 0;
    return count(digits);
}

}  // namespace orvala::online
