#pragma once
// The tournament's wire: frames between a player and the game server, the table's house rules,
// and how a tournament seat sits at the shared LAN code's table.
//
// A player sends frames of fixed length with its seat digit last: short frames of 20 bytes
// ("connect" and the seat, "TOut", "bnext", the result report "o") and long frames of 50 bytes
// ("disA", step messages, chat lines). The text is padded with "#" and its last byte replaced by
// the seat digit; a text longer than its frame is sent whole, its 20th or 50th byte replaced all
// the same. The server sends 50-byte frames ("s" chat, "h" step, "e" game over, "a" a player
// left with the seat digit at byte 6, "T" a player's time ran out with the seat digit at byte
// 50), except the deal: 121 bytes, the LAN deal message without the house rules, which are the
// table's, and the resume of a seat that connects again mid-game: "r", its whole length as six
// digits, the seat digit and the game log (lan/game_log.h), bounded like the LAN resume.
//
// Both readers cut a TCP stream into whole frames by the first byte, so frames joined in one read
// or split over several come out one by one, in order. Bytes that begin no frame make the stream
// unusable: the reader reports it and takes nothing more.
//
// The tournament seat numbers the table as the LAN host does: seat 1 sits as the first joiner,
// seat 2 as the second, seat 3 as the host. A step message carries the sender's tournament seat
// at byte 2 and the receiver's at byte 38.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/game/rule_settings.h"
#include "core/lan/deal_message.h"
#include "core/lan/game_log.h"
#include "core/lan/net_seats.h"
#include "core/lan/session.h"

namespace orvala::tourney {

inline constexpr int kTables = 10;
inline constexpr std::size_t kShortFrame = 20;
inline constexpr std::size_t kLongFrame = 50;
inline constexpr std::size_t kDealFrame = 121;
// The move clock of a player's own seat, in seconds.
inline constexpr int kMoveSeconds = 26;

// The house rules of table 1..10: start at 500 on tables 1..5, rounding to 5 everywhere, bolts
// (penalty mode 3) and the barrel on tables 6..10, giving up on tables 4, 5, 9 and 10.
RuleSettings tableRules(int table);

// The LAN role a tournament seat 1..3 plays, and back.
lan::NetRole roleOfSeat(int seat);
int seatOfRole(lan::NetRole role);

// A LAN step message written by seat `sender`'s machine, as the frame it sends the server: the
// sender's seat digit in its second byte and the receiving seat as its route code.
struct StepFrame {
    int to = 0;  // seat 1..3
    std::string bytes;
};
StepFrame stepFrame(lan::Send send, int sender);

std::string shortFrame(std::string_view text, int seat);
std::string longFrame(std::string_view text, int seat);

// The server's frames.
std::string dealFrame(const std::array<Card, 25>& deck);
std::string gameOverFrame();
std::string leftFrame(int seat);
std::string timeOutFrame(int seat);
std::string resumeFrame(int seat, const lan::GameLog& log);
// To the others: a seat's connection dropped (away) or its player connected again (back), with
// the seat's name; 50 bytes, "w", "a" or "b", the name, the seat digit last.
std::string seatNoticeFrame(int seat, bool back, std::string_view name);
struct SeatNoticeFrame {
    int seat = 0;
    bool back = false;
    std::string name;
};
std::optional<SeatNoticeFrame> parseSeatNoticeFrame(std::string_view frame);
struct Resume {
    int seat = 0;
    lan::GameLog log;
};
// A resume frame's seat and game log; nullopt when it does not read.
std::optional<Resume> parseResumeFrame(std::string_view frame);

// A received deal frame with the table's rules; nullopt when it is no deal of the whole deck.
std::optional<lan::DealMessage> parseDealFrame(std::string_view frame, int table);

// The result report of tournament seat 1: "o" and, for seats 1, 2 and 3, the two others' scores
// less twice the seat's own, each right-aligned to five places.
std::array<int, 4> tableResults(const std::array<int, 4>& scores);
// A game cut short by `quitter` (who left or ran out of time) counts from the standings as if it
// had ended there, except that the quitter takes the lowest of the three results (changing
// places with the seat that held it): leaving or going silent never pays.
std::array<int, 4> forfeitResults(const std::array<int, 4>& scores, int quitter);
std::string resultReport(const std::array<int, 4>& scores);
// The three results of a report frame; nullopt when it does not read.
std::optional<std::array<int, 4>> parseResultReport(std::string_view frame);

// Cuts the stream from the server: 121 bytes for a frame beginning "b", 50 for "s" "h" "e" "a"
// "T" "w", a resume's own length for "r".
class ServerFrameReader {
  public:
    std::vector<std::string> feed(std::string_view bytes);
    bool broken() const { return broken_; }

  private:
    std::string buffer_;
    bool broken_ = false;
};

// Cuts the stream from a player: 20 bytes for "c" "T" "b" "o", 50 for "d" "h" "s".
class PlayerFrameReader {
  public:
    std::vector<std::string> feed(std::string_view bytes);
    bool broken() const { return broken_; }
    std::size_t buffered() const { return buffer_.size(); }

  private:
    std::string buffer_;
    bool broken_ = false;
};

}  // namespace orvala::tourney
