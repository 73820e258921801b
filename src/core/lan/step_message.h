#pragma once
// Step messages: 38 bytes that make the receiver perform the step its sender performed.
//
// Byte 1 is "h", byte 2 the sender's role digit, bytes 3..37 the step, byte 38 the route code.
// "i" means no change and "#" is filler. Seat numbers inside a message are the receiver's own.
// `parseStep` reads untrusted bytes: anything but exactly 38 bytes whose every position holds a
// value the protocol knows is refused with a reason, and nothing is applied from it. The
// builders below make the message of each action; which view and which hand-off fields a
// receiver gets is decided by the caller (move_steps.h).

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace orvala::lan {

inline constexpr std::size_t kStepLength = 38;

// A seat field: its first character decides ("p" a bid with its number, "a" a pass, "n" the
// name bubble, "d" a cleared bubble, "9" "8" "6" "4" a marriage's bubble, "i" nothing).
struct SeatField {
    char kind = 'i';
    int bid = 0;
    friend bool operator==(const SeatField&, const SeatField&) = default;
};

struct StepFields {
    int sender = 1;
    char button1 = 'i';  // "e", "d", or "x": the declarer gives the deal up
    char button2 = 'i';
    char caption1 = 'i';              // "1".."6"
    std::optional<int> nextBid;       // bytes 6..8
    char caption2 = 'i';              // "1" or "2"
    std::array<SeatField, 4> seat{};  // 1..3
    bool openTalon = false;
    bool takeTalon = false;
    std::optional<std::array<int, 2>> give;
    bool reveal = false;
    unsigned char trump = 'i';
    std::optional<int> contract;
    int playSlot = 0;  // with playSeat, 0 when no card is played
    int playSeat = 0;
    bool collect = false;
    std::optional<int> driverState;  // bytes 36..37
    char route = '1';
    friend bool operator==(const StepFields&, const StepFields&) = default;
};

struct StepParse {
    std::optional<StepFields> step;
    std::string error;  // empty when step is set
};

StepParse parseStep(std::string_view bytes);

// Whether a step makes its receiver do anything (a trick-complete notice does not).
bool carriesAction(const StepFields& f);

// The four characters of a seat field: "p100", "a###", "90##", "i###".
std::string seatFieldText(const SeatField& f);

// The builders give bytes 3..37 (35 characters); `stepMessage` wraps them.
std::string stepMessage(int senderDigit, std::string_view body, char route);

// Bids and passes. `view` is the acting seat as the receiver numbers it (1 or 2). The hand-off:
// the receiver bids next (with the lowest bid it may make), or is the last seat left.
struct BidHandOff {
    bool receiverBidsNext = false;
    bool receiverDeclares = false;
    int nextBid = 0;
};
std::string bidBody(int view, const SeatField& field, const BidHandOff& h);

// A card played from hand slot `slot` (1..9). `receiverPlaysNext` and `trickComplete` only
// change the seat-2 view; `handOffTrick` carries the trick-complete hand-off inside it.
struct CardHandOff {
    bool receiverPlaysNext = false;
    bool trickComplete = false;
    bool handOffTrick = false;
};
std::string cardBody(int view, const SeatField& field, int slot, const CardHandOff& h);

std::string trickCompleteBody();
std::string openTalonBody();
std::string takeTalonBody();
std::string giveBody(int slot1, int slot2);
std::string revealBody();
std::string contractBody(int contract);
std::string giveUpBody();
std::string collectBody();

}  // namespace orvala::lan
