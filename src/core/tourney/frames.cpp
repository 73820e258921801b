#include "core/tourney/frames.h"

#include "core/lan/rejoin_messages.h"

#include <charconv>
#include <cstdio>
#include <utility>

#include "core/game/scoring_rules.h"

namespace orvala::tourney {
namespace {

std::string framed(std::string_view text, std::size_t length, char last) {
    std::string f(text);
    if (f.size() < length) f.resize(length, '#');
    f[length - 1] = last;
    return f;
}

char digit(int seat) {
    return static_cast<char>('0' + seat);
}

// The whole length of the frame that `head` begins, 0 when none does.
std::size_t serverFrameLength(char first) {
    switch (first) {
        case 'b':
            return kDealFrame;
        case 's':
        case 'h':
        case 'e':
        case 'a':
        case 'T':
        case 'w':
            return kLongFrame;
        default:
            return 0;
    }
}

std::size_t playerFrameLength(char first) {
    switch (first) {
        case 'c':
        case 'T':
        case 'b':
        case 'o':
            return kShortFrame;
        case 'd':
        case 'h':
        case 's':
            return kLongFrame;
        default:
            return 0;
    }
}

template <typename LengthOf>
std::vector<std::string> cut(std::string& buffer, bool& broken, std::string_view bytes,
                             LengthOf lengthOf, bool resumes = false) {
    std::vector<std::string> out;
    if (broken) return out;
    buffer.append(bytes);
    std::size_t at = 0;
    while (at < buffer.size()) {
        if (resumes && buffer[at] == 'r') {
            // A resume says its length in its first seven bytes.
            const auto n = lan::resumeLength(std::string_view(buffer).substr(at));
            if (!n) {
                broken = true;
                buffer.clear();
                return out;
            }
            if (*n == 0 || buffer.size() - at < *n) break;
            out.push_back(buffer.substr(at, *n));
            at += *n;
            continue;
        }
        const std::size_t n = lengthOf(buffer[at]);
        if (n == 0) {
            broken = true;
            buffer.clear();
            return out;
        }
        if (buffer.size() - at < n) break;
        out.push_back(buffer.substr(at, n));
        at += n;
    }
    buffer.erase(0, at);
    return out;
}

}  // namespace

RuleSettings tableRules(int table) {
    RuleSettings r;
    r.RuleStartWith500 = table <= 5;
    r.RuleRoundToFive = true;
    r.RuleBolts = table > 5;
    r.RuleBoltPenaltyMode = 3;
    r.RuleBarrel = table > 5;
    r.RulePainting = table == 4 || table == 5 || table == 9 || table == 10;
    return r;
}

lan::NetRole roleOfSeat(int seat) {
    switch (seat) {
        case 1:
            return lan::NetRole::FirstJoiner;
        case 2:
            return lan::NetRole::SecondJoiner;
        default:
            return lan::NetRole::Host;
    }
}

int seatOfRole(lan::NetRole role) {
    return lan::hostSeatOf(role);
}

StepFrame stepFrame(lan::Send send, int sender) {
    using lan::NetRole;
    const NetRole from = roleOfSeat(sender);
    // The host writes on its connection to a joiner; a joiner names the host ("1") or the other
    // joiner in its route code.
    NetRole receiver;
    if (from == NetRole::Host)
        receiver = send.to == 0 ? NetRole::FirstJoiner : NetRole::SecondJoiner;
    else if (!send.bytes.empty() && send.bytes.back() == '1')
        receiver = NetRole::Host;
    else
        receiver = from == NetRole::FirstJoiner ? NetRole::SecondJoiner : NetRole::FirstJoiner;
    StepFrame f{seatOfRole(receiver), std::move(send.bytes)};
    if (f.bytes.size() >= 2) {
        f.bytes[1] = digit(sender);
        f.bytes.back() = digit(f.to);
    }
    f.bytes = longFrame(f.bytes, sender);
    return f;
}

std::string shortFrame(std::string_view text, int seat) {
    return framed(text, kShortFrame, digit(seat));
}

std::string longFrame(std::string_view text, int seat) {
    return framed(text, kLongFrame, digit(seat));
}

std::string dealFrame(const std::array<Card, 25>& deck) {
    // The LAN deal without its six rule letters.
    return lan::dealMessage(lan::DealMessage{deck, {}}).substr(0, kDealFrame);
}

std::string gameOverFrame() {
    return framed("end", kLongFrame, '0');
}

std::string leftFrame(int seat) {
    std::string text = "abort";
    text += digit(seat);
    return framed(text, kLongFrame, digit(seat));
}

std::string resumeFrame(int seat, const lan::GameLog& log) {
    return lan::resumeHeaded(std::string(1, digit(seat)) + lan::encodeGameLog(log));
}

std::optional<Resume> parseResumeFrame(std::string_view frame) {
    const auto n = lan::resumeLength(frame);
    if (!n || *n != frame.size() || frame.size() < lan::kResumeHead + 1) return std::nullopt;
    const char d = frame[lan::kResumeHead];
    if (d < '1' || d > '3') return std::nullopt;
    lan::GameLogParse log = lan::decodeGameLog(frame.substr(lan::kResumeHead + 1));
    if (!log.log) return std::nullopt;
    return Resume{d - '0', std::move(*log.log)};
}

std::string seatNoticeFrame(int seat, bool back, std::string_view name) {
    std::string text = back ? "wb" : "wa";
    // The name up to the padding, which it cannot hold itself.
    text += name.substr(0, std::min(name.find('#'), kLongFrame - 3));
    return framed(text, kLongFrame, digit(seat));
}

std::optional<SeatNoticeFrame> parseSeatNoticeFrame(std::string_view f) {
    if (f.size() != kLongFrame || f[0] != 'w' || (f[1] != 'a' && f[1] != 'b')) return std::nullopt;
    const char d = f.back();
    if (d < '1' || d > '3') return std::nullopt;
    const std::string_view name = f.substr(2, kLongFrame - 3);
    return SeatNoticeFrame{d - '0', f[1] == 'b', std::string(name.substr(0, name.find('#')))};
}

std::string timeOutFrame(int seat) {
    return framed("TOut", kLongFrame, digit(seat));
}

std::optional<lan::DealMessage> parseDealFrame(std::string_view frame, int table) {
    if (frame.size() != kDealFrame || frame[0] != 'b') return std::nullopt;
    // The table's rules take the place of the letters a LAN host sends.
    const RuleSettings rules = tableRules(table);
    const std::string tail = lan::dealMessage(lan::DealMessage{{}, rules}).substr(kDealFrame);
    const lan::DealParse p = lan::parseDeal(std::string(frame) + tail);
    return p.deal;
}

std::array<int, 4> tableResults(const std::array<int, 4>& scores) {
    return FinalResults(scores);
}

std::array<int, 4> forfeitResults(const std::array<int, 4>& scores, int quitter) {
    std::array<int, 4> r = tableResults(scores);
    if (quitter < 1 || quitter > 3) return r;
    int lowest = quitter;
    for (int s = 1; s <= 3; ++s)
        if (r[static_cast<std::size_t>(s)] < r[static_cast<std::size_t>(lowest)]) lowest = s;
    std::swap(r[static_cast<std::size_t>(quitter)], r[static_cast<std::size_t>(lowest)]);
    return r;
}

std::string resultReport(const std::array<int, 4>& scores) {
    const std::array<int, 4> r = tableResults(scores);
    std::string text = "o";
    for (int s = 1; s <= 3; ++s) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%5d", r[static_cast<std::size_t>(s)]);
        text += buf;
    }
    return text;
}

std::optional<std::array<int, 4>> parseResultReport(std::string_view frame) {
    if (frame.size() < 16 || frame[0] != 'o') return std::nullopt;
    std::array<int, 4> r{};
    for (int s = 1; s <= 3; ++s) {
        std::string_view field = frame.substr(1 + 5 * static_cast<std::size_t>(s - 1), 5);
        while (!field.empty() && field.front() == ' ') field.remove_prefix(1);
        int v = 0;
        const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), v);
        if (ec != std::errc() || end != field.data() + field.size()) return std::nullopt;
        r[static_cast<std::size_t>(s)] = v;
    }
    return r;
}

std::vector<std::string> ServerFrameReader::feed(std::string_view bytes) {
    return cut(buffer_, broken_, bytes, serverFrameLength, true);
}

std::vector<std::string> PlayerFrameReader::feed(std::string_view bytes) {
    return cut(buffer_, broken_, bytes, playerFrameLength);
}

}  // namespace orvala::tourney
