#include "core/records/game_log_file.h"

#include <algorithm>
#include <charconv>

#include "core/cards/card.h"
#include "core/game/rule_settings.h"
#include "core/lan/net_seats.h"
#include "core/text/cp1251.h"

namespace orvala {
namespace {

using lan::Move;
using MoveKind = lan::Move::Kind;

constexpr std::string_view kFirstLine = "orvala game log 1";
constexpr std::size_t kMaxNameBytes = 60;
constexpr int kMaxScore = 999999;
constexpr int kMaxMoveValue = 999;

struct MoveWord {
    MoveKind kind;
    std::string_view word;
    int values;  // how many values the kind's line carries
};
constexpr std::array<MoveWord, 10> kMoveWords = {{{MoveKind::Bid, "bid", 1},
                                                  {MoveKind::Pass, "pass", 0},
                                                  {MoveKind::OpenTalon, "open-talon", 0},
                                                  {MoveKind::TakeTalon, "take-talon", 0},
                                                  {MoveKind::Give, "give", 2},
                                                  {MoveKind::Reveal, "reveal", 0},
                                                  {MoveKind::Contract, "contract", 1},
                                                  {MoveKind::GiveUp, "give-up", 0},
                                                  {MoveKind::Play, "play", 1},
                                                  {MoveKind::Collect, "collect", 0}}};

constexpr std::array<std::pair<GameLogKind, char>, 4> kKindLetters = {
    {{GameLogKind::Local, 'L'},
     {GameLogKind::Net, 'N'},
     {GameLogKind::Tourney, 'T'},
     {GameLogKind::Account, 'A'}}};

const MoveWord& moveWordOf(MoveKind kind) {
    for (const MoveWord& w : kMoveWords)
        if (w.kind == kind) return w;
    return kMoveWords.back();
}

// The first code point of `s` at `at` and its length; a length of 0 for malformed UTF-8
// (overlong forms, surrogates and code points past U+10FFFF included).
std::pair<char32_t, std::size_t> codePointAt(std::string_view s, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char b = byte(at);
    if (b < 0x80) return {b, 1};
    std::size_t n = 0;
    char32_t cp = 0;
    if (b >= 0xC2 && b <= 0xDF) {
        n = 2;
        cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
        n = 3;
        cp = b & 0x0F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        n = 4;
        cp = b & 0x07;
    } else {
        return {0, 0};
    }
    if (s.size() - at < n) return {0, 0};
    for (std::size_t i = 1; i < n; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return {0, 0};
        cp = (cp << 6) | (byte(at + i) & 0x3F);
    }
    const char32_t least = n == 3 ? 0x800 : n == 4 ? 0x10000 : 0x80;
    if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return {0, 0};
    return {cp, n};
}

// Why a line is no text of the log, or empty when it is.
std::string textFault(std::string_view line) {
    for (std::size_t at = 0; at < line.size();) {
        const auto [cp, n] = codePointAt(line, at);
        if (n == 0) return "not UTF-8 text";
        if (cp < 0x20 || (cp >= 0x7F && cp <= 0x9F)) return "a control character";
        at += n;
    }
    return {};
}

std::vector<std::string_view> words(std::string_view line) {
    std::vector<std::string_view> out;
    std::size_t at = 0;
    while (true) {
        const std::size_t space = line.find(' ', at);
        out.push_back(line.substr(at, space == std::string_view::npos ? space : space - at));
        if (space == std::string_view::npos) return out;
        at = space + 1;
    }
}

std::optional<int> readInt(std::string_view s, int lo, int hi) {
    if (s.empty() || s.size() > 8 || s[0] == '+') return std::nullopt;
    int v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || v < lo || v > hi) return std::nullopt;
    return v;
}

std::optional<Move> readMove(const std::vector<std::string_view>& w) {
    if (w.size() < 3) return std::nullopt;
    for (const MoveWord& mw : kMoveWords) {
        if (mw.word != w[1]) continue;
        if (w.size() != 3 + static_cast<std::size_t>(mw.values)) return std::nullopt;
        const auto seat = readInt(w[2], 1, 3);
        if (!seat) return std::nullopt;
        Move m{mw.kind, *seat};
        if (mw.values >= 1) {
            const auto v = readInt(w[3], 0, kMaxMoveValue);
            if (!v) return std::nullopt;
            m.value = *v;
        }
        if (mw.values >= 2) {
            const auto v = readInt(w[4], 0, kMaxMoveValue);
            if (!v) return std::nullopt;
            m.value2 = *v;
        }
        return m;
    }
    return std::nullopt;
}

std::optional<std::array<Card, 25>> readDeck(const std::vector<std::string_view>& w) {
    if (w.size() != 25) return std::nullopt;
    std::array<Card, 25> deck{};
    for (std::size_t k = 1; k <= 24; ++k) {
        const auto c = parseCard(w[k]);
        if (!c || !isValidCard(*c)) return std::nullopt;
        for (std::size_t j = 1; j < k; ++j)
            if (deck[j] == *c) return std::nullopt;
        deck[k] = *c;
    }
    return deck;
}

std::optional<std::array<int, 4>> readScores(const std::vector<std::string_view>& w) {
    if (w.size() != 4) return std::nullopt;
    std::array<int, 4> scores{};
    for (std::size_t s = 1; s <= 3; ++s) {
        const auto v = readInt(w[s], -kMaxScore, kMaxScore);
        if (!v) return std::nullopt;
        scores[s] = *v;
    }
    return scores;
}

bool isTime(std::string_view t) {
    const auto digit = [&](std::size_t i) { return t[i] >= '0' && t[i] <= '9'; };
    return t.size() == 5 && digit(0) && digit(1) && t[2] == ':' && digit(3) && digit(4) &&
           (t[0] - '0') * 10 + (t[1] - '0') < 24 && t[3] < '6';
}

// "hh:nn DATE PLAYER RESULT", the player possibly with spaces of its own.
std::optional<GameLogFinish> readFinish(std::string_view rest) {
    const std::size_t a = rest.find(' ');
    if (a == std::string_view::npos) return std::nullopt;
    const std::size_t b = rest.find(' ', a + 1);
    const std::size_t z = rest.rfind(' ');
    if (b == std::string_view::npos || z <= b) return std::nullopt;
    GameLogFinish f;
    f.time = std::string(rest.substr(0, a));
    f.date = std::string(rest.substr(a + 1, b - a - 1));
    f.player = std::string(rest.substr(b + 1, z - b - 1));
    const auto result = readInt(rest.substr(z + 1), -kMaxScore, kMaxScore);
    if (!isTime(f.time) || f.date.empty() || f.date.size() > 20 ||
        f.player.size() > kMaxNameBytes || !result)
        return std::nullopt;
    f.result = *result;
    return f;
}

// Where the reader is: what the next line must be.
enum class Next { First, Kind, Seat, DealOrFinish, Rules, Deck, MoveOrScores, End, Nothing };

}  // namespace

std::string gameLogMoveLine(const Move& m) {
    const MoveWord& w = moveWordOf(m.kind);
    std::string line = "move " + std::string(w.word) + ' ' + std::to_string(m.seat);
    if (w.values >= 1) line += ' ' + std::to_string(m.value);
    if (w.values >= 2) line += ' ' + std::to_string(m.value2);
    return line;
}

std::string writeGameLogText(const GameLogFile& log) {
    std::string out(kFirstLine);
    out += "\nkind ";
    for (const auto& [kind, letter] : kKindLetters)
        if (kind == log.kind) out += letter;
    out += '\n';
    for (int s = 1; s <= 3; ++s)
        out +=
            "seat " + std::to_string(s) + ' ' + log.game.names[static_cast<std::size_t>(s)] + '\n';
    if (log.firstBidder != 1) out += "first " + std::to_string(log.firstBidder) + '\n';
    for (std::size_t d = 0; d < log.game.deals.size(); ++d) {
        const lan::LoggedDeal& deal = log.game.deals[d];
        out += "deal " + std::to_string(d + 1) + "\nrules " + formatRuleLine(deal.deal.rules) +
               "\ndeck";
        for (std::size_t k = 1; k <= 24; ++k) out += ' ' + toLatin(deal.deal.deck[k]);
        out += '\n';
        for (const Move& m : deal.moves) out += gameLogMoveLine(m) + '\n';
        if (d < log.scores.size()) {
            out += "scores";
            for (std::size_t s = 1; s <= 3; ++s) out += ' ' + std::to_string(log.scores[d][s]);
            out += '\n';
        }
        out += "end of deal\n";
    }
    if (log.finished) {
        const GameLogFinish& f = *log.finished;
        out += "finished " + f.time + ' ' + f.date + ' ' + f.player + ' ' +
               std::to_string(f.result) + '\n';
    }
    return out;
}

GameLogRead readGameLogText(std::string_view bytes) {
    if (bytes.size() > kMaxGameLogBytes) return GameLogRead{std::nullopt, "the file is too large"};
    GameLogFile log;
    lan::LoggedDeal deal;
    std::array<int, 4> scores{};
    Next next = Next::First;
    int seat = 1;
    int lineNumber = 0;
    std::string why;
    for (std::size_t at = 0; why.empty();) {
        const std::size_t end = bytes.find('\n', at);
        // A last line without its end was cut off as it was written: the log ends before it.
        if (end == std::string_view::npos) break;
        const std::string_view line = bytes.substr(at, end - at);
        at = end + 1;
        ++lineNumber;
        why = textFault(line);
        if (!why.empty()) break;
        const std::vector<std::string_view> w = words(line);
        switch (next) {
            case Next::First:
                if (line != kFirstLine) why = "not a game log of this version";
                next = Next::Kind;
                break;
            case Next::Kind:
                why = "the kind of game cannot be read";
                if (w.size() == 2 && w[0] == "kind" && w[1].size() == 1)
                    for (const auto& [kind, letter] : kKindLetters)
                        if (w[1][0] == letter) {
                            log.kind = kind;
                            why.clear();
                        }
                next = Next::Seat;
                break;
            case Next::Seat: {
                const std::string prefix = "seat " + std::to_string(seat) + ' ';
                if (!line.starts_with(prefix)) {
                    why = "seat " + std::to_string(seat) + "'s name is expected";
                } else if (line.size() - prefix.size() > kMaxNameBytes) {
                    why = "a name longer than 60 bytes";
                } else {
                    log.game.names[static_cast<std::size_t>(seat)] = line.substr(prefix.size());
                    if (++seat > 3) next = Next::DealOrFinish;
                }
                break;
            }
            case Next::DealOrFinish:
                if (w[0] == "first" && log.game.deals.empty() && log.firstBidder == 1) {
                    const auto first = w.size() == 2 ? readInt(w[1], 1, 3) : std::nullopt;
                    if (!first || *first < 2)
                        why = "the first bidder cannot be read";
                    else
                        log.firstBidder = *first;
                } else if (w[0] == "finished") {
                    const auto f = readFinish(line.substr(std::min(line.size(), std::size_t(9))));
                    if (log.game.deals.empty())
                        why = "a game finished without a deal";
                    else if (!f)
                        why = "the game's end cannot be read";
                    else
                        log.finished = *f;
                    next = Next::Nothing;
                } else if (w.size() != 2 || w[0] != "deal" ||
                           readInt(w[1], 1, kMaxScore) != int(log.game.deals.size()) + 1) {
                    why = "deal " + std::to_string(log.game.deals.size() + 1) + " is expected";
                } else if (log.game.deals.size() == lan::kMaxLoggedDeals) {
                    why = "more than " + std::to_string(lan::kMaxLoggedDeals) + " deals";
                } else {
                    deal = lan::LoggedDeal{};
                    next = Next::Rules;
                }
                break;
            case Next::Rules: {
                const auto rules =
                    w.size() == 2 && w[0] == "rules" ? parseRuleLine(w[1]) : std::nullopt;
                if (!rules) why = "the deal's rules cannot be read";
                if (rules) deal.deal.rules = *rules;
                next = Next::Deck;
                break;
            }
            case Next::Deck: {
                const auto deck = w[0] == "deck" ? readDeck(w) : std::nullopt;
                if (!deck) why = "the deck is not the 24 different cards";
                if (deck) deal.deal.deck = *deck;
                next = Next::MoveOrScores;
                break;
            }
            case Next::MoveOrScores:
                if (w[0] == "move") {
                    const auto m = readMove(w);
                    if (!m)
                        why = "a move cannot be read";
                    else if (deal.moves.size() == lan::kMaxLoggedMoves)
                        why = "more than " + std::to_string(lan::kMaxLoggedMoves) +
                              " moves in a deal";
                    else
                        deal.moves.push_back(*m);
                } else if (w[0] == "scores") {
                    const auto s = readScores(w);
                    if (!s) why = "the scores cannot be read";
                    if (s) scores = *s;
                    next = Next::End;
                } else {
                    why = "a move or the deal's scores are expected";
                }
                break;
            case Next::End:
                if (line != "end of deal") {
                    why = "\"end of deal\" is expected";
                } else {
                    log.game.deals.push_back(std::move(deal));
                    log.scores.push_back(scores);
                    next = Next::DealOrFinish;
                }
                break;
            case Next::Nothing:
                why = "a line after the game's end";
                break;
        }
    }
    if (why.empty() && (next == Next::First || next == Next::Kind || next == Next::Seat)) {
        ++lineNumber;
        why = "the seats' names are cut short";
    }
    if (!why.empty())
        return GameLogRead{std::nullopt, "line " + std::to_string(lineNumber) + ": " + why};
    return GameLogRead{std::move(log), {}};
}

namespace {

GameLogReplay replay(const GameLogFile& log, GameLogEvents* events, bool checkScores = true) {
    GameLogReplay out;
    const auto keep = [&](std::vector<TableEvent> shown) {
        if (!events) return;
        if (events->size() < out.states.size()) events->emplace_back();
        events->back().push_back(std::move(shown));
    };
    RulesState v;
    // The LAN host's numbering, every seat played elsewhere; the first bidders turn from the
    // logged one as they turn at a LAN table whose host sits at the matching place.
    const int first = std::clamp(log.firstBidder, 1, 3);
    v.roles = SeatRoles::lan(first == 1 ? 1 : first == 2 ? 3 : 2, false);
    for (int s = 0; s <= 3; ++s) {
        v.roles.sitter[s] = Sitter::Remote;
        v.roles.actsHere[s] = false;
    }
    v.roles.startsRounds = false;
    if (!log.game.deals.empty()) v.rules = log.game.deals.front().deal.rules;
    for (int seat = 1; seat <= 2; ++seat)
        v.g.SeatNames[static_cast<std::size_t>(seat)] = utf8ToCp1251(
            log.game.names[static_cast<std::size_t>(lan::hostSeat(lan::NetRole::Host, seat))]);
    PlayerStart player;
    player.name = utf8ToCp1251(log.game.names[3]);
    std::vector<TableEvent> shown = apply(v, in::NewGame{player});
    const auto fail = [&](std::string why) {
        out.error = std::move(why);
        return out;
    };
    for (std::size_t d = 0; d < log.game.deals.size(); ++d) {
        const lan::LoggedDeal& deal = log.game.deals[d];
        const std::string where = "deal " + std::to_string(d + 1);
        out.states.emplace_back();
        v.rules = deal.deal.rules;
        if (d > 0) {
            const in::SeatAction next{in::SeatAction::Kind::NextRound,
                                      lan::localSeat(lan::NetRole::Host, 3)};
            if (!accepts(v, next)) return fail(where + " begins before the game can go on");
            shown = apply(v, next);
        }
        const in::DeckAnswer deck{lan::deckSeenBy(lan::NetRole::Host, deal.deal.deck)};
        if (!accepts(v, deck)) return fail(where + " cannot be dealt");
        for (TableEvent& e : apply(v, deck)) shown.push_back(std::move(e));
        out.states.back().push_back(v);
        keep(std::move(shown));
        for (std::size_t k = 0; k < deal.moves.size(); ++k) {
            Move m = deal.moves[k];
            const std::string move =
                where + ", move " + std::to_string(k + 1) + " (" + gameLogMoveLine(m) + ")";
            if (m.seat < 1 || m.seat > 3) return fail(move + ": a move of no seat");
            m.seat = lan::localSeat(lan::NetRole::Host, m.seat);
            in::SeatAction a = lan::seatActionOf(m);
            if (a.kind == in::SeatAction::Kind::Collect) a.seat = v.g.FirstBidder;
            if (!accepts(v, a)) return fail(move + ": the rules refuse it");
            keep(apply(v, a));
            out.states.back().push_back(v);
        }
        if (v.g.GameState != GameState::DealScored && v.g.GameState != GameState::GameOver)
            return fail(where + " ends before it is scored");
        const auto scoreLine = [](const auto& s) {
            return std::to_string(s[1]) + ' ' + std::to_string(s[2]) + ' ' + std::to_string(s[3]);
        };
        out.scores.push_back({0, v.g.Score[1], v.g.Score[2], v.g.Score[3]});
        if (!checkScores) continue;
        if (d >= log.scores.size()) return fail(where + " has no scores");
        const std::array<int, 4>& logged = log.scores[d];
        if (logged[1] != v.g.Score[1] || logged[2] != v.g.Score[2] || logged[3] != v.g.Score[3])
            return fail(where + ": the logged scores " + scoreLine(logged) +
                        " are not the rules' " + scoreLine(v.g.Score));
    }
    if (log.finished && v.g.GameState != GameState::GameOver)
        return fail("the game is logged as finished, but the rules have not ended it");
    return out;
}

}  // namespace

GameLogReplay replayGameLog(const GameLogFile& log) {
    return replay(log, nullptr);
}

GameLogReplay replayGameLogScoring(const GameLogFile& log) {
    return replay(log, nullptr, false);
}

GameLogReplay replayGameLog(const GameLogFile& log, GameLogEvents& events) {
    events.clear();
    return replay(log, &events);
}

}  // namespace orvala
