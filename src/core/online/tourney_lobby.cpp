#include "core/online/tourney_lobby.h"

#include <charconv>

#include "core/online/operations.h"
#include "core/online/reply_readers.h"

namespace orvala::online {
namespace {

Request make(std::string path, Style style, std::vector<Field> fields,
             int timeoutMs = kDefaultTimeoutMs) {
    Request r;
    r.address = Address::Tourney;
    r.path = std::move(path);
    r.style = style;
    r.fields = std::move(fields);
    r.timeoutMs = timeoutMs;
    return r;
}

std::optional<std::int64_t> integer(const std::string& text) {
    std::int64_t n = 0;
    const char* end = text.data() + text.size();
    const auto [at, ec] = std::from_chars(text.data(), end, n);
    if (ec != std::errc() || at != end || text.empty()) return std::nullopt;
    return n;
}

std::int64_t integerOr(const std::string& text, std::int64_t fallback) {
    return integer(text).value_or(fallback);
}

std::string textOr(const ReplyFields& f, std::size_t n, std::string_view fallback) {
    std::string v = f.field(n);
    return v.empty() ? std::string(fallback) : v;
}

const std::string kGid = std::to_string(kGameId);

// Eight values from field `first` on: nick, score, games, rating, country, city, sex, address.
TourneyClient clientAt(const ReplyFields& f, std::size_t first) {
    TourneyClient c;
    c.Nick = textOr(f, first, "X");
    c.Score = integerOr(f.field(first + 1), 0);
    c.Kon = integerOr(f.field(first + 2), 0);
    c.Rating = integerOr(f.field(first + 3), 0);
    c.Country = textOr(f, first + 4, "X");
    c.City = textOr(f, first + 5, "X");
    c.Sex = textOr(f, first + 6, "X");
    c.IP = textOr(f, first + 7, "X");
    return c;
}

}  // namespace

Request tourneyTablesRequest() {
    return make("/tour/tables", Style::Form, {{"readtable310", kGid}, {"gid", kGid}},
                kShortTimeoutMs);
}

std::optional<TourneyTables> readTourneyTables(std::string_view reply) {
    const auto list = ReplyList(reply);
    if (list.empty()) return std::nullopt;
    TourneyTables tables;
    for (std::size_t k = 0; k < list.size() && k < tables.size(); ++k) {
        const ReplyFields& f = list[k];
        TourneyTable& t = tables[tables.size() - 1 - k];
        t.IP = textOr(f, 2, "0.0.0.0");
        t.Port = integerOr(f.field(3), 0);
        t.Free = textOr(f, 4, "X");
        t.R1 = integerOr(f.field(5), 0);
        t.R2 = textOr(f, 6, "X");
        for (std::size_t s = 0; s < 3; ++s) t.seats[s] = clientAt(f, 7 + 8 * s);
    }
    return tables;
}

Request serverInfoRequest() {
    return make("/tour/info", Style::Form, {{"serverinforead", "0"}, {"gid", kGid}});
}

std::optional<ServerInfo> readServerInfo(std::string_view reply) {
    if (ReplyMarker(reply, "no")) return std::nullopt;
    const auto f = ReplyRecord(reply);
    if (!f || f->field(1).empty()) return std::nullopt;
    ServerInfo info{f->field(1), f->field(2)};
    for (char& c : info.welcome)
        if (c == '_') c = ' ';
    return info;
}

Request tourneyRatingRequest(std::string_view nick) {
    return make("/tour/rating", Style::Raw,
                {{"readrating" + kGid, "0"}, {"nick", std::string(nick)}});
}

std::optional<TourneyRating> readTourneyRating(std::string_view reply) {
    if (ReplyMarker(reply, "no")) return std::nullopt;
    const auto f = ReplyRecord(reply);
    if (!f) return std::nullopt;
    const auto score = integer(f->field(1)), kon = integer(f->field(2)),
               rating = integer(f->field(3));
    if (!score || !kon || !rating) return std::nullopt;
    return TourneyRating{*score, *kon, *rating};
}

Request seatRequest(int table, int seat, SeatCan can, const TourneyClient& player,
                    std::string_view pw) {
    const std::string s = std::to_string(seat);
    // Releasing and clearing send "X" for every value.
    const TourneyClient p = can == SeatCan::Take ? player : TourneyClient{};
    const auto number = [&](std::int64_t n) {
        return can == SeatCan::Take ? std::to_string(n) : std::string("X");
    };
    std::vector<Field> fields{{"client3on" + s, "0"},
                              {"gid", kGid},
                              {"num", std::to_string(table)},
                              {"can", std::to_string(static_cast<int>(can))},
                              {"nick" + s, p.Nick},
                              {"score" + s, number(p.Score)},
                              {"kon" + s, number(p.Kon)},
                              {"rating" + s, number(p.Rating)},
                              {"country" + s, p.Country},
                              {"city" + s, p.City},
                              {"sex" + s, p.Sex},
                              {"ip" + s, p.IP}};
    // The service seats nobody under an account's nick without the account's password.
    if (can == SeatCan::Take) fields.insert(fields.begin() + 5, {"pw", std::string(pw)});
    return make("/tour/seat", Style::Raw, std::move(fields));
}

SeatResult readSeatReply(std::string_view reply) {
    if (ReplyMarker(reply, "ok")) return SeatResult::Done;
    if (ReplyMarker(reply, "is")) return SeatResult::Taken;
    return SeatResult::Failed;
}

Request readSeatRequest(int table, int seat) {
    return make("/tour/read-seat", Style::Form,
                {{"readclient" + std::to_string(seat), "0"},
                 {"gid", kGid},
                 {"num", std::to_string(table)}});
}

std::optional<TourneyClient> readSeat(std::string_view reply) {
    if (ReplyMarker(reply, "no")) return std::nullopt;
    const auto f = ReplyRecord(reply);
    if (!f || f->field(1).empty()) return std::nullopt;
    TourneyClient c = clientAt(*f, 1);
    if (f->field(7).empty()) c.Sex = "M";
    return c;
}

char topKindLetter(TopKind kind) {
    switch (kind) {
        case TopKind::Rating:
            return 'r';
        case TopKind::Games:
            return 'k';
        case TopKind::Score:
            break;
    }
    return 's';
}

Request tourneyTopRequest(TopKind kind) {
    return make("/tour/top10", Style::Form,
                {{"top10" + std::string(1, topKindLetter(kind)) + kGid, "0"}, {"nick", "z"}},
                kShortTimeoutMs);
}

std::optional<std::vector<TourneyTopRow>> readTourneyTop(std::string_view reply) {
    if (ReplyMarker(reply, "no") || reply.empty()) return std::nullopt;
    std::vector<TourneyTopRow> rows;
    for (const ReplyFields& f : ReplyList(reply)) {
        const auto place = integer(f.field(1)), value = integer(f.field(6));
        if (!place || !value) continue;
        rows.push_back({*place, textOr(f, 2, "X"), textOr(f, 3, "X"), textOr(f, 4, "X"),
                        textOr(f, 5, "M"), *value});
    }
    return rows;
}

Request tourneyPlaceRequest(TopKind kind, std::int64_t value) {
    const char k = topKindLetter(kind);
    const std::string field = k == 's' ? "score1" : k == 'r' ? "rating1" : "kon1";
    return make("/tour/place", Style::Raw,
                {{"place" + std::string(1, k) + kGid, "0"}, {field, std::to_string(value)}});
}

std::optional<std::int64_t> readTourneyPlace(std::string_view reply) {
    if (ReplyMarker(reply, "no")) return std::nullopt;
    return ReplyNumber(reply);
}

SeatButton seatLook(const TourneyTables& tables, int table, int seat, SeatedAt at, bool serverOn,
                    std::string_view me) {
    if (!serverOn || table < 1 || table > kLobbyTables || seat < 1 || seat > 3) return {};
    const auto& seats = tables[static_cast<std::size_t>(table - 1)].seats;
    const TourneyClient& c = seats[static_cast<std::size_t>(seat - 1)];
    const bool mine = at.table == table && at.seat == seat;
    const bool full = !seats[0].free() && !seats[1].free() && !seats[2].free();
    if (!at.seated() && full && !me.empty() && c.Nick == me) return {SeatLook::Back, true};
    if (mine && seat < 3) return {SeatLook::LogOff, true};
    if (!c.free() || mine) return {SeatLook::Held, false};
    if (seat > 1 && seats[static_cast<std::size_t>(seat - 2)].free())
        return {SeatLook::Free, false};
    return {SeatLook::Take, !at.seated()};
}

SeatedAt checkedSeat(const TourneyTables& tables, SeatedAt at) {
    if (at.table < 1 || at.table > kLobbyTables) return {};
    if (tables[static_cast<std::size_t>(at.table - 1)].seats[0].free()) return {};
    return at;
}

GameServer gameServerOf(const TourneyTables& tables, int table) {
    if (table < 1 || table > kLobbyTables) return {};
    const TourneyTable& t = tables[static_cast<std::size_t>(table - 1)];
    return {t.IP, t.Port};
}

std::array<std::string, 4> tableNicks(const TourneyTables& tables, int table) {
    std::array<std::string, 4> nicks;
    if (table < 1 || table > kLobbyTables) return nicks;
    for (int s = 1; s <= 3; ++s) {
        const TourneyClient& c =
            tables[static_cast<std::size_t>(table - 1)].seats[static_cast<std::size_t>(s - 1)];
        if (!c.free()) nicks[static_cast<std::size_t>(s)] = c.Nick;
    }
    return nicks;
}

}  // namespace orvala::online
