#include "service/replies.h"

namespace orvala::service {

std::string field(std::string_view text) {
    if (text.empty()) return "#";
    std::string out(text);
    for (char& c : out)
        if (c == ' ' || c == '$' || c == '*' || c == '~' || static_cast<unsigned char>(c) < 0x20)
            c = '_';
    return out;
}

std::string recordReply(const std::vector<std::string>& fields, char separator) {
    std::string out = "$";
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i) out += separator;
        out += fields[i];
    }
    out += '$';
    return out;
}

std::string listRow(const std::vector<std::string>& fields) {
    std::string out = "$";
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i) out += ' ';
        out += fields[i];
    }
    out += '*';
    return out;
}

std::string numberReply(std::int64_t n) {
    return "$" + std::to_string(n) + "*";
}

}  // namespace orvala::service
