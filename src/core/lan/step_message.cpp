#include "core/lan/step_message.h"

#include "core/cards/card.h"

namespace orvala::lan {
namespace {

// Positions are counted from 1 as the protocol counts them; the body starts at position 3.
constexpr std::size_t at(int position) {
    return static_cast<std::size_t>(position - 3);
}

std::string plainBody() {
    return std::string(7, 'i') + "i###i###i###" + std::string(16, 'i');
}

void put(std::string& body, int position, std::string_view text) {
    body.replace(at(position), text.size(), text);
}

std::string digits(int value, int width) {
    std::string s = std::to_string(value);
    return s.size() >= static_cast<std::size_t>(width)
               ? s.substr(s.size() - static_cast<std::size_t>(width))
               : std::string(static_cast<std::size_t>(width) - s.size(), '0') + s;
}

void putSeat(std::string& body, int seat, const SeatField& f) {
    put(body, 10 + 4 * (seat - 1), seatFieldText(f));
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A number of `width` digits at `pos`, nullopt when the place holds "i"/"#" throughout, and an
// error (-1) for anything else.
int numberAt(std::string_view m, int position, int width, std::optional<int>& out) {
    const std::string_view s =
        m.substr(static_cast<std::size_t>(position - 1), static_cast<std::size_t>(width));
    if (s.find_first_not_of("0123456789") == std::string_view::npos) {
        int v = 0;
        for (char c : s) v = v * 10 + (c - '0');
        out = v;
        return 0;
    }
    if (s.find_first_not_of("i#") == std::string_view::npos) return 0;
    return -1;
}

bool flag(char c, bool& out) {
    out = c == '+';
    return c == '+' || c == 'i' || c == '#';
}

StepParse refuse(std::string why) {
    return StepParse{std::nullopt, std::move(why)};
}

}  // namespace

std::string seatFieldText(const SeatField& f) {
    switch (f.kind) {
        case 'p':
            return "p" + digits(f.bid, 3);
        case '9':
        case '8':
        case '6':
        case '4':
            return std::string(1, f.kind) + "0##";
        default:
            return std::string(1, f.kind) + "###";
    }
}

std::string stepMessage(int senderDigit, std::string_view body, char route) {
    std::string m = "h";
    m += static_cast<char>('0' + senderDigit);
    m += body;
    m += route;
    return m;
}

std::string bidBody(int view, const SeatField& field, const BidHandOff& h) {
    std::string b = plainBody();
    putSeat(b, view, field);
    if (h.receiverBidsNext) {
        put(b, 3, "ee2" + digits(h.nextBid, 3));
        put(b, 36, "03");
    } else if (h.receiverDeclares) {
        put(b, 3, "ei3");
        put(b, 36, "04");
    }
    return b;
}

std::string cardBody(int view, const SeatField& field, int slot, const CardHandOff& h) {
    std::string b = plainBody();
    putSeat(b, view, field);
    put(b, 33, std::to_string(slot % 10) + std::to_string(view));
    if (view == 2 && h.handOffTrick) {
        put(b, 3, "e");
        put(b, 36, "14");
    } else if (view == 2 && h.receiverPlaysNext && !h.trickComplete) {
        put(b, 36, "13");
    }
    return b;
}

std::string trickCompleteBody() {
    std::string b = plainBody();
    put(b, 3, "e");
    put(b, 36, "14");
    return b;
}

std::string openTalonBody() {
    std::string b = plainBody();
    for (int s = 1; s <= 3; ++s) putSeat(b, s, SeatField{'n'});
    put(b, 22, "+");
    return b;
}

std::string takeTalonBody() {
    std::string b = plainBody();
    put(b, 23, "+");
    return b;
}

std::string giveBody(int slot1, int slot2) {
    std::string b = plainBody();
    put(b, 24, digits(slot1, 2) + digits(slot2, 2));
    return b;
}

std::string revealBody() {
    std::string b = plainBody();
    put(b, 28, "+");
    return b;
}

std::string contractBody(int contract) {
    std::string b = plainBody();
    put(b, 30, digits(contract, 3));
    return b;
}

std::string giveUpBody() {
    return "x" + std::string(34, 'i');
}

std::string collectBody() {
    std::string b = plainBody();
    put(b, 35, "+");
    return b;
}

bool carriesAction(const StepFields& f) {
    for (int seat = 1; seat <= 3; ++seat) {
        const char k = f.seat[static_cast<std::size_t>(seat)].kind;
        if (k == 'p' || k == 'a') return true;
    }
    return f.openTalon || f.takeTalon || f.give || f.reveal || f.contract || f.button1 == 'x' ||
           f.playSeat != 0 || f.collect;
}

StepParse parseStep(std::string_view m) {
    if (m.size() != kStepLength) return refuse("a step message is 38 bytes");
    auto c = [&](int position) { return m[static_cast<std::size_t>(position - 1)]; };
    auto oneOf = [](char ch, std::string_view set) {
        return set.find(ch) != std::string_view::npos;
    };
    if (c(1) != 'h') return refuse("not a step message");
    StepFields f;
    if (!oneOf(c(2), "123")) return refuse("unknown sender");
    f.sender = c(2) - '0';
    f.button1 = c(3);
    f.button2 = c(4);
    f.caption1 = c(5);
    f.caption2 = c(9);
    if (!oneOf(f.button1, "iedx") || !oneOf(f.button2, "ied#") || !oneOf(f.caption1, "i#123456") ||
        !oneOf(f.caption2, "i#12"))
        return refuse("unknown button or caption");
    if (numberAt(m, 6, 3, f.nextBid) < 0) return refuse("bad next bid");
    for (int s = 1; s <= 3; ++s) {
        const int p = 10 + 4 * (s - 1);
        SeatField& sf = f.seat[static_cast<std::size_t>(s)];
        sf.kind = c(p);
        if (sf.kind == 'p') {
            std::optional<int> bid;
            if (numberAt(m, p + 1, 3, bid) < 0 || !bid) return refuse("bad bid");
            sf.bid = *bid;
        } else if (!oneOf(sf.kind, "iand9864") ||
                   m.substr(static_cast<std::size_t>(p), 3).find_first_not_of("i#0") !=
                       std::string_view::npos) {
            return refuse("bad seat field");
        }
    }
    if (!flag(c(22), f.openTalon) || !flag(c(23), f.takeTalon) || !flag(c(28), f.reveal) ||
        !flag(c(35), f.collect))
        return refuse("bad step flag");
    std::optional<int> slot1, slot2;
    if (numberAt(m, 24, 2, slot1) < 0 || numberAt(m, 26, 2, slot2) < 0 ||
        slot1.has_value() != slot2.has_value())
        return refuse("bad given slots");
    if (slot1) f.give = std::array<int, 2>{*slot1, *slot2};
    f.trump = static_cast<unsigned char>(c(29));
    if (f.trump != 'i' && f.trump != '#' && suitIndex(f.trump) == 0) return refuse("bad trump");
    if (numberAt(m, 30, 3, f.contract) < 0) return refuse("bad contract");
    if (isDigit(c(33)) && oneOf(c(34), "123")) {
        f.playSlot = c(33) - '0';
        f.playSeat = c(34) - '0';
    } else if (!oneOf(c(33), "i#") || !oneOf(c(34), "i#")) {
        return refuse("bad card");
    }
    if (numberAt(m, 36, 2, f.driverState) < 0) return refuse("bad driver state");
    f.route = c(38);
    if (!oneOf(f.route, "123")) return refuse("unknown route code");
    return StepParse{f, {}};
}

}  // namespace orvala::lan
