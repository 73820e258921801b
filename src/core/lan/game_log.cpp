#include "core/lan/game_log.h"

#include <charconv>

namespace orvala::lan {
namespace {

using Kind = Move::Kind;

// One letter per move kind in the encoded log.
constexpr std::array<std::pair<Kind, char>, 10> kLetters = {{{Kind::Bid, 'B'},
                                                             {Kind::Pass, 'P'},
                                                             {Kind::OpenTalon, 'O'},
                                                             {Kind::TakeTalon, 'T'},
                                                             {Kind::Give, 'G'},
                                                             {Kind::Reveal, 'R'},
                                                             {Kind::Contract, 'C'},
                                                             {Kind::GiveUp, 'X'},
                                                             {Kind::Play, 'L'},
                                                             {Kind::Collect, 'K'}}};

std::string digits(int value, int width) {
    std::string s = std::to_string(value);
    return std::string(static_cast<std::size_t>(width) - std::min(s.size(), std::size_t(width)),
                       '0') +
           s.substr(0, static_cast<std::size_t>(width));
}

std::optional<int> readDigits(std::string_view s) {
    int v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
    }
    return v;
}

// A reader over untrusted bytes that only moves forward.
class Cursor {
  public:
    explicit Cursor(std::string_view b) : b_(b) {}
    std::optional<std::string_view> take(std::size_t n) {
        if (b_.size() - at_ < n) return std::nullopt;
        const std::string_view s = b_.substr(at_, n);
        at_ += n;
        return s;
    }
    std::optional<int> number(std::size_t width) {
        const auto s = take(width);
        return s ? readDigits(*s) : std::nullopt;
    }
    bool done() const { return at_ == b_.size(); }

  private:
    std::string_view b_;
    std::size_t at_ = 0;
};

std::optional<Move> readMove(std::string_view s) {
    Move m;
    bool known = false;
    for (const auto& [kind, letter] : kLetters)
        if (s[0] == letter) {
            m.kind = kind;
            known = true;
        }
    const auto seat = readDigits(s.substr(1, 1));
    const auto value = readDigits(s.substr(2, 3));
    const auto value2 = readDigits(s.substr(5, 2));
    if (!known || !seat || *seat < 1 || *seat > 3 || !value || !value2) return std::nullopt;
    m.seat = *seat;
    m.value = *value;
    m.value2 = *value2;
    return m;
}

}  // namespace

void GameLog::dealt(const DealMessage& deal) {
    deals.push_back(LoggedDeal{deal, {}});
}

void GameLog::moved(const std::vector<Move>& moves, NetRole role) {
    if (deals.empty()) return;
    for (Move m : moves) {
        m.seat = hostSeat(role, m.seat);
        m.field = 'i';  // a marriage is the rules' to read from the card
        deals.back().moves.push_back(m);
    }
}

in::SeatAction seatActionOf(const Move& m) {
    using A = in::SeatAction::Kind;
    A kind = A::Collect;
    switch (m.kind) {
        case Kind::Bid: kind = A::Bid; break;
        case Kind::Pass: kind = A::Pass; break;
        case Kind::OpenTalon: kind = A::OpenTalon; break;
        case Kind::TakeTalon: kind = A::TakeTalon; break;
        case Kind::Give: kind = A::Give; break;
        case Kind::Reveal: kind = A::Reveal; break;
        case Kind::Contract: kind = A::Contract; break;
        case Kind::GiveUp: kind = A::Paint; break;
        case Kind::Play: kind = A::Play; break;
        case Kind::Collect: kind = A::Collect; break;
    }
    return in::SeatAction{kind, m.seat, m.value, m.value2};
}

std::vector<Move> movesApplied(const RulesState& before, const RulesState& after) {
    RulesState b = before;
    // A move from elsewhere is itself the start of the deal's bidding.
    if (b.g.DealStartPending == 1 && after.g.DealStartPending != 1) b.g.DealStartPending = 2;
    const GameState to = after.g.GameState;
    if (b.g.GameState == GameState::ContractSet &&
        (seatToPlay(to) != 0 || to == GameState::TrickComplete))
        b.g.GameState = playingState(b.g.Declarer);
    return movesBetween(b, after);
}

Replayed replayGame(const GameLog& log, NetRole viewer, const PlayerStart& player,
                    const SeatRoles& roles) {
    if (log.deals.empty()) return Replayed{std::nullopt, "a game without a deal"};
    RulesState v;
    // Every seat played elsewhere, so that the machine's own moves apply as moves made
    // elsewhere; the numbering and the first bidder's rotation are the machine's own.
    v.roles = roles;
    for (int s = 0; s <= 3; ++s) {
        v.roles.sitter[s] = Sitter::Remote;
        v.roles.actsHere[s] = false;
    }
    v.roles.startsRounds = false;
    v.rules = log.deals.front().deal.rules;
    for (int local = 1; local <= 2; ++local)
        v.g.SeatNames[static_cast<std::size_t>(local)] =
            log.names[static_cast<std::size_t>(hostSeat(viewer, local))];
    apply(v, in::NewGame{player});
    for (std::size_t d = 0; d < log.deals.size(); ++d) {
        const LoggedDeal& deal = log.deals[d];
        const std::string where = "deal " + std::to_string(d + 1);
        v.rules = deal.deal.rules;
        if (d > 0) {
            const in::SeatAction next{in::SeatAction::Kind::NextRound, localSeat(viewer, 3)};
            if (!accepts(v, next)) return Replayed{std::nullopt, where + " begins too early"};
            apply(v, next);
        }
        const in::DeckAnswer deck{deckSeenBy(viewer, deal.deal.deck)};
        if (!accepts(v, deck)) return Replayed{std::nullopt, where + " cannot be dealt"};
        apply(v, deck);
        for (std::size_t k = 0; k < deal.moves.size(); ++k) {
            Move m = deal.moves[k];
            if (m.seat < 1 || m.seat > 3)
                return Replayed{std::nullopt, where + ": a move of no seat"};
            m.seat = localSeat(viewer, m.seat);
            in::SeatAction a = seatActionOf(m);
            if (a.kind == in::SeatAction::Kind::Collect) a.seat = v.g.FirstBidder;
            if (!accepts(v, a))
                return Replayed{std::nullopt,
                                where + ", move " + std::to_string(k + 1) + ": the rules refuse it"};
            apply(v, a);
        }
    }
    v.roles = roles;
    return Replayed{std::move(v), {}};
}

std::string encodeGameLog(const GameLog& log) {
    std::string out;
    for (int s = 1; s <= 3; ++s) out += sixBytes(log.names[static_cast<std::size_t>(s)]);
    out += digits(static_cast<int>(log.deals.size()), 3);
    for (const LoggedDeal& d : log.deals) {
        out += dealMessage(d.deal);
        out += digits(static_cast<int>(d.moves.size()), 3);
        for (const Move& m : d.moves) {
            char letter = 'K';
            for (const auto& [kind, l] : kLetters)
                if (kind == m.kind) letter = l;
            out += letter;
            out += static_cast<char>('0' + m.seat);
            out += digits(m.value, 3);
            out += digits(m.value2, 2);
        }
    }
    return out;
}

GameLogParse decodeGameLog(std::string_view bytes) {
    const auto refuse = [](std::string why) { return GameLogParse{std::nullopt, std::move(why)}; };
    if (bytes.size() > kMaxEncodedLog) return refuse("the game log is too long");
    Cursor c(bytes);
    GameLog log;
    for (int s = 1; s <= 3; ++s) {
        const auto name = c.take(6);
        if (!name) return refuse("the seats' names are cut short");
        log.names[static_cast<std::size_t>(s)] = std::string(*name);
    }
    const auto deals = c.number(3);
    if (!deals || *deals < 1 || static_cast<std::size_t>(*deals) > kMaxLoggedDeals)
        return refuse("the number of deals cannot be read");
    for (int d = 0; d < *deals; ++d) {
        const auto deal = c.take(kDealLength);
        if (!deal) return refuse("a deal is cut short");
        DealParse p = parseDeal(*deal);
        if (!p.deal) return refuse("deal " + std::to_string(d + 1) + ": " + p.error);
        LoggedDeal logged{*p.deal, {}};
        const auto moves = c.number(3);
        if (!moves || static_cast<std::size_t>(*moves) > kMaxLoggedMoves)
            return refuse("the number of moves cannot be read");
        for (int k = 0; k < *moves; ++k) {
            const auto text = c.take(kLoggedMoveLength);
            const auto m = text ? readMove(*text) : std::nullopt;
            if (!m) return refuse("deal " + std::to_string(d + 1) + ": a move cannot be read");
            logged.moves.push_back(*m);
        }
        log.deals.push_back(std::move(logged));
    }
    if (!c.done()) return refuse("bytes after the last deal");
    return GameLogParse{std::move(log), {}};
}

}  // namespace orvala::lan
