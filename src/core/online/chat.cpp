#include "core/online/chat.h"

#include "core/online/account.h"
#include "core/online/reply_readers.h"

namespace orvala::online {

std::string chatSafe(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (!isAllowedChar(static_cast<unsigned char>(c))) c = '_';
    return out;
}

std::string chatShown(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c == '_') c = ' ';
    return out;
}

std::string chatStamp(std::string_view time, std::string_view date, std::string_view product) {
    return chatSafe(time) + "_" + chatSafe(date) + "_" + chatSafe(product);
}

Request chatReadRequest() {
    return recordListRequest(kChatTable);
}

Request chatWriteRequest(const ChatPost& post) {
    RecordEntry entry;
    entry.gid = kChatTable;
    entry.nick = post.nick;
    entry.city = post.city;
    entry.country = post.country;
    entry.sex = post.sex == "W" ? "W" : "M";
    entry.score = post.number;
    Request r = recordWriteRequest(entry);
    for (Field& f : r.fields) {
        if (f.key == "R9") f.value = chatSafe(post.stamp);
        if (f.key == "R10") f.value = chatSafe(post.text.substr(0, kChatTextMax));
    }
    return r;
}

std::vector<RecordRow> readChat(std::string_view reply) {
    std::vector<RecordRow> rows = readRecordList(reply, kChatTable);
    std::erase_if(rows, [](const RecordRow& r) { return r.Nick == "#"; });
    return rows;
}

std::int64_t newestMessage(const std::vector<RecordRow>& rows) {
    return rows.empty() ? 0 : rows.front().Score;
}

bool readChatWriteReply(std::string_view reply) {
    return ReplyNumber(reply).has_value();
}

bool passportAllowsPosting(std::string_view nick, std::string_view city) {
    return passportLamp(nick, 12) != Lamp::Red && passportLamp(city, 15) != Lamp::Red;
}

}  // namespace orvala::online
