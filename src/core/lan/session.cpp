#include "core/lan/session.h"

namespace orvala::lan {
namespace {

constexpr std::string_view kJoinHead = "zor";
constexpr std::string_view kJoinTail = "25connect1";
constexpr std::string_view kSeatReply = "connect2+";
constexpr std::string_view kSeatUpdate = "connect3+";
constexpr std::size_t kNameBytes = 6;

std::string field(std::string_view m, std::size_t position) {
    return std::string(m.substr(position - 1, kNameBytes));
}

}  // namespace

std::string sixBytes(std::string_view name) {
    std::string s(name.substr(0, kNameBytes));
    s.resize(kNameBytes, ' ');
    return s;
}

Session hostListening(std::string_view localName) {
    Session s;
    s.role = NetRole::Host;
    s.link = LinkState::Waiting;
    s.joinedCount = -1;
    s.localName = sixBytes(localName);
    s.seatNames[3] = s.localName;
    return s;
}

Session joinerConnecting(std::string_view localName) {
    Session s;
    s.role = NetRole::FirstJoiner;
    s.link = LinkState::Waiting;
    s.joinedCount = 0;
    s.localName = sixBytes(localName);
    s.seatNames[3] = s.localName;
    return s;
}

std::string joinRequest(std::string_view localName) {
    return std::string(kJoinHead) + std::string(kGameId) + std::string(kJoinTail) +
           sixBytes(localName);
}

std::optional<std::string> joinRequestName(std::string_view m) {
    const std::size_t head = kJoinHead.size() + kGameId.size() + kJoinTail.size();
    if (m.size() != head + kNameBytes || m.substr(0, 3) != kJoinHead || m.substr(3, 2) != kGameId ||
        m.substr(5, 10) != kJoinTail)
        return std::nullopt;
    return std::string(m.substr(head));
}

std::vector<Send> hostOnJoinRequest(Session& h, std::string_view m) {
    const auto name = joinRequestName(m);
    if (h.role != NetRole::Host || h.link != LinkState::Waiting || !name) return {};
    // Two joiners fill the table; a third is not answered.
    if (h.joinedCount >= 1) return {};
    const int c = ++h.joinedCount;
    h.seatNames[2] = std::string(kComputerSeatName);
    h.seatNames[static_cast<std::size_t>(c + 1)] = *name;
    h.seatNames[3] = h.localName;
    std::vector<Send> out;
    out.push_back(Send{c, seatReply(h, c)});
    if (c == 1)
        out.push_back(Send{0, std::string(kSeatUpdate) + h.seatNames[3] + h.seatNames[1] +
                                  h.seatNames[2]});
    return out;
}

std::string seatReply(const Session& h, int link) {
    return std::string(kSeatReply) + static_cast<char>('0' + link + 2) + h.seatNames[3] +
           h.seatNames[1] + h.seatNames[2];
}

bool joinerOnSeatReply(Session& j, std::string_view m) {
    if (j.link != LinkState::Waiting || j.role == NetRole::Host || j.role == NetRole::None ||
        m.size() != kSeatReply.size() + 1 + 3 * kNameBytes || m.substr(0, 9) != kSeatReply ||
        (m[9] != '2' && m[9] != '3'))
        return false;
    j.link = LinkState::Seated;
    if (m[9] == '3') {
        j.role = NetRole::SecondJoiner;
        j.seatNames[1] = field(m, 11);
        j.seatNames[2] = field(m, 17);
        j.seatNames[3] = field(m, 23);
        j.joinedCount = 1;
    } else {
        j.role = NetRole::FirstJoiner;
        j.seatNames[2] = field(m, 11);
        j.seatNames[3] = field(m, 17);
        j.seatNames[1] = field(m, 23);
        j.joinedCount = 0;
    }
    return true;
}

bool joinerOnSeatUpdate(Session& j, std::string_view m) {
    if (j.role != NetRole::FirstJoiner || j.link != LinkState::Seated ||
        m.size() != kSeatUpdate.size() + 3 * kNameBytes || m.substr(0, 9) != kSeatUpdate)
        return false;
    j.joinedCount = 1;
    j.seatNames[2] = field(m, 10);
    j.seatNames[3] = field(m, 16);
    j.seatNames[1] = field(m, 22);
    return true;
}

void hostDealt(Session& h) {
    if (h.role == NetRole::Host) h.link = LinkState::Dealt;
}

}  // namespace orvala::lan
