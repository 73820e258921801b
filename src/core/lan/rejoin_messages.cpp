#include "core/lan/rejoin_messages.h"

namespace orvala::lan {
namespace {

constexpr char kindLetter(SeatNotice::Kind k) {
    switch (k) {
        case SeatNotice::Kind::Computer:
            return 'c';
        case SeatNotice::Kind::Back:
            return 'p';
        case SeatNotice::Kind::Acknowledged:
            break;
    }
    return 'a';
}

}  // namespace

std::string seatNotice(const SeatNotice& n) {
    return std::string{'w', static_cast<char>('0' + digitOf(n.machine)), kindLetter(n.kind)};
}

std::optional<SeatNotice> parseSeatNotice(std::string_view b) {
    if (b.size() != kSeatNoticeLength || b[0] != 'w' || (b[1] != '2' && b[1] != '3'))
        return std::nullopt;
    SeatNotice n;
    n.machine = static_cast<NetRole>(b[1] - '0');
    if (b[2] == 'c')
        n.kind = SeatNotice::Kind::Computer;
    else if (b[2] == 'p')
        n.kind = SeatNotice::Kind::Back;
    else if (b[2] == 'a')
        n.kind = SeatNotice::Kind::Acknowledged;
    else
        return std::nullopt;
    return n;
}

std::string resumeMessage(const ResumeMessage& r) {
    std::string body;
    body += static_cast<char>('0' + digitOf(r.role));
    body += r.threePeople ? '1' : '0';
    body += r.standIn[1] ? '1' : '0';
    body += r.standIn[2] ? '1' : '0';
    body += encodeGameLog(r.log);
    return resumeHeaded(body);
}

std::string resumeHeaded(std::string_view body) {
    std::string length = std::to_string(kResumeHead + body.size());
    length.insert(0, 6 - std::min<std::size_t>(6, length.size()), '0');
    return "r" + length + std::string(body);
}

std::optional<std::size_t> resumeLength(std::string_view head) {
    if (head.empty() || head[0] != 'r') return std::nullopt;
    std::size_t n = 0;
    for (std::size_t i = 1; i < kResumeHead; ++i) {
        if (i >= head.size()) return 0;
        if (head[i] < '0' || head[i] > '9') return std::nullopt;
        n = n * 10 + static_cast<std::size_t>(head[i] - '0');
    }
    if (n < kResumeHead + 4 || n > kLongestResume) return std::nullopt;
    return n;
}

ResumeParse parseResume(std::string_view b) {
    const auto refuse = [](std::string why) { return ResumeParse{std::nullopt, std::move(why)}; };
    const auto n = resumeLength(b);
    if (!n || *n == 0 || *n != b.size()) return refuse("not a resume of the length it declares");
    ResumeMessage r;
    const char role = b[7], three = b[8];
    if ((role != '2' && role != '3') || (three != '0' && three != '1') ||
        (role == '3' && three == '0'))
        return refuse("a seat the table does not have");
    r.role = static_cast<NetRole>(role - '0');
    r.threePeople = three == '1';
    for (int s = 1; s <= 2; ++s) {
        const char c = b[static_cast<std::size_t>(8 + s)];
        if (c != '0' && c != '1') return refuse("the computer's seats cannot be read");
        r.standIn[static_cast<std::size_t>(s)] = c == '1';
    }
    GameLogParse log = decodeGameLog(b.substr(kResumeHead + 4));
    if (!log.log) return refuse(log.error);
    r.log = std::move(*log.log);
    return ResumeParse{std::move(r), {}};
}

}  // namespace orvala::lan
