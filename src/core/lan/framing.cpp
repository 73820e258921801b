#include "core/lan/framing.h"

#include "core/lan/rejoin_messages.h"

#include <algorithm>
#include <array>
#include <utility>

namespace orvala::lan {
namespace {

struct Kind {
    std::string_view head;
    std::size_t length;
};

constexpr std::array<Kind, 8> kKinds = {{{"h", 38},
                                         {"w", kSeatNoticeLength},
                                         {"b", 127},
                                         {"s", 17},
                                         {"abort", 5},
                                         {"zor", 21},
                                         {"connect2", 28},
                                         {"connect3", 27}}};

}  // namespace

std::optional<std::size_t> messageLength(std::string_view head) {
    if (!head.empty() && head[0] == 'r') return resumeLength(head);
    bool undecided = false;
    for (const Kind& k : kKinds) {
        const std::size_t n = std::min(head.size(), k.head.size());
        if (head.substr(0, n) != k.head.substr(0, n)) continue;
        if (n == k.head.size()) return k.length;
        undecided = true;  // a prefix of this kind's head: more bytes will tell
    }
    if (undecided) return 0;
    return std::nullopt;
}

std::vector<std::string> StreamReader::feed(std::string_view bytes) {
    std::vector<std::string> out;
    if (broken_) return out;
    buffer_.append(bytes);
    std::size_t start = 0;
    while (start < buffer_.size()) {
        const std::optional<std::size_t> n = messageLength(std::string_view(buffer_).substr(start));
        if (!n || (!resumes_ && buffer_[start] == 'r')) {
            broken_ = true;
            buffer_.clear();
            return out;
        }
        if (*n == 0 || buffer_.size() - start < *n) break;
        out.push_back(buffer_.substr(start, *n));
        start += *n;
    }
    buffer_.erase(0, start);
    return out;
}

}  // namespace orvala::lan
