#include "core/online/reply_readers.h"

#include <limits>

namespace orvala::online {
namespace {

// The record text with one separator added at each end, cut at every separator.
ReplyFields cut(std::string_view text, char separator) {
    std::vector<std::string> pieces;
    std::string piece;
    pieces.emplace_back();  // field 0, before the added leading separator
    for (char c : text) {
        if (c == separator) {
            pieces.push_back(std::move(piece));
            piece.clear();
        } else {
            piece += c;
        }
    }
    pieces.push_back(std::move(piece));
    return ReplyFields(std::move(pieces));
}

}  // namespace

std::string ReplyFields::field(std::size_t n, std::string_view fallback) const {
    if (n == 0 || n >= pieces_.size()) return std::string(fallback);
    return pieces_[n];
}

bool ReplyMarker(std::string_view reply, std::string_view marker) {
    if (marker.empty()) return false;
    const std::string_view head = reply.substr(0, reply.find('$'));
    return head.find(marker) != std::string_view::npos;
}

std::optional<ReplyFields> ReplyRecord(std::string_view reply, char separator) {
    const std::size_t open = reply.find('$');
    if (open == std::string_view::npos) return std::nullopt;
    const std::size_t start = open + 1;
    std::size_t end = reply.find('$', start);
    if (end == std::string_view::npos) end = reply.size() - 1;  // the last character never counts
    const std::string_view text =
        end > start ? reply.substr(start, end - start) : std::string_view{};
    return cut(text, separator);
}

std::vector<ReplyFields> ReplyList(std::string_view reply) {
    std::vector<ReplyFields> records;
    for (std::size_t open = reply.find('$'); open != std::string_view::npos;
         open = reply.find('$', open + 1)) {
        if (records.size() == kListMaxRecords) break;
        const std::size_t start = open + 1;
        std::size_t end = reply.find('*', start);
        if (end == std::string_view::npos) end = reply.size() - 1;
        const std::string_view text =
            end > start ? reply.substr(start, end - start) : std::string_view{};
        records.push_back(cut(text, ' '));
    }
    return records;
}

std::optional<std::int64_t> ReplyNumber(std::string_view reply) {
    const std::size_t open = reply.rfind('$');
    if (open == std::string_view::npos) return std::nullopt;
    const std::size_t last = reply.size() - 1;
    std::int64_t n = 0;
    bool any = false;
    for (std::size_t i = open + 1; i < last; ++i) {
        const char c = reply[i];
        if (c < '0' || c > '9') break;
        const int digit = c - '0';
        // A number too long for the counter is no number rather than a wrong one.
        if (n > (std::numeric_limits<std::int64_t>::max() - digit) / 10) return std::nullopt;
        n = n * 10 + digit;
        any = true;
    }
    if (!any) return std::nullopt;
    return n;
}

bool ReplyStatus(std::string_view reply) {
    if (reply.size() < 2) return false;
    const std::size_t open = reply.rfind('$', reply.size() - 2);
    if (open == std::string_view::npos) return false;
    std::string_view rest = reply.substr(open + 1);
    rest = rest.substr(0, rest.find('#'));
    return rest.starts_with("ok");
}

}  // namespace orvala::online
