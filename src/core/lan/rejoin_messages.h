#pragma once
// The texts that let a LAN table outlive a lost link.
//
// Seat notice, 3 bytes: "w", the role digit of the machine whose seat it is about, and what
// happened: "c" the host's computer plays that seat now (its link was lost), "p" the person is
// back. A joiner that reads "p" answers "w", that digit and "a": from then on what it sends for
// that seat's machine is meant for the returned one.
//
// Resume, sent by the host to a machine that comes back instead of a seat reply: "r", the whole
// length as six digits, the receiver's role digit ("2" or "3"), "1" when three people play (else
// "0"), one digit for each of the host's seats 1 and 2 ("1" while the host's computer plays it),
// then the game log (`encodeGameLog`). Its length is read from its first seven bytes, so the
// stream reader cuts it like any other message; it is never longer than `kLongestResume`.
// `parseResume` reads untrusted bytes and refuses anything it cannot use, with a reason.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/lan/game_log.h"
#include "core/lan/net_seats.h"

namespace orvala::lan {

inline constexpr std::size_t kSeatNoticeLength = 3;
inline constexpr std::size_t kResumeHead = 7;  // "r" and six digits
inline constexpr std::size_t kLongestResume = kResumeHead + 4 + kMaxEncodedLog;
static_assert(kLongestResume <= 999'999, "a resume's length must fit its six digits");

struct SeatNotice {
    enum class Kind { Computer, Back, Acknowledged } kind = Kind::Computer;
    NetRole machine = NetRole::None;  // the first or the second joiner
    friend bool operator==(const SeatNotice&, const SeatNotice&) = default;
};

std::string seatNotice(const SeatNotice& n);
std::optional<SeatNotice> parseSeatNotice(std::string_view bytes);

struct ResumeMessage {
    NetRole role = NetRole::None;
    bool threePeople = false;
    std::array<bool, 4> standIn{};  // 1..2: seats of the host's numbering its computer plays
    GameLog log;
    friend bool operator==(const ResumeMessage&, const ResumeMessage&) = default;
};

std::string resumeMessage(const ResumeMessage& r);
struct ResumeParse {
    std::optional<ResumeMessage> resume;
    std::string error;
};
ResumeParse parseResume(std::string_view bytes);

// "r" and the whole length before `body` (the tournament's resume frame is headed alike).
std::string resumeHeaded(std::string_view body);
// The whole length a resume beginning with `head` declares: 0 while fewer than seven bytes tell,
// nullopt when they cannot begin a resume.
std::optional<std::size_t> resumeLength(std::string_view head);

}  // namespace orvala::lan
