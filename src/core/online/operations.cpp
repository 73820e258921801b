#include "core/online/operations.h"

#include <charconv>

#include "core/online/numbers.h"
#include "core/online/reply_readers.h"

namespace orvala::online {
namespace {

std::string code(std::string_view key) {
    return std::string(kGameCode) + std::string(key);
}

Request make(Address address, std::string path, Style style, std::vector<Field> fields,
             int timeoutMs = kDefaultTimeoutMs) {
    Request r;
    r.address = address;
    r.path = std::move(path);
    r.style = style;
    r.fields = std::move(fields);
    r.timeoutMs = timeoutMs;
    return r;
}

// A whole decimal integer, or the fallback for anything else.
std::int64_t integer(const std::string& text, std::int64_t fallback = 0) {
    std::int64_t n = 0;
    const char* end = text.data() + text.size();
    const auto [at, ec] = std::from_chars(text.data(), end, n);
    return ec == std::errc() && at == end && !text.empty() ? n : fallback;
}

std::string text(const ReplyFields& f, std::size_t n, std::string_view fallback = "#") {
    std::string v = f.field(n);
    return v.empty() ? std::string(fallback) : v;
}

}  // namespace

Request registerRequest(const Account& a) {
    return make(Address::Account, "/register", Style::Raw,
                {{"nick", a.Nick},
                 {"pw", a.Pw},
                 {"city", a.City},
                 {"country1", a.Country1},
                 {"country2", a.Country2},
                 {"sex", a.Sex},
                 {"email", a.EMail},
                 {"dater", a.DateR},
                 {"R01", a.R01},
                 {"R02", a.R02},
                 {"R03", a.R03},
                 {"R04", std::to_string(a.R04)},
                 {"R05", std::to_string(a.R05)},
                 {"R06", std::to_string(a.R06)}});
}

RegisterResult readRegisterReply(std::string_view reply) {
    // "ok" is tested first and "is" after it, so a reply holding both says the nick is taken.
    RegisterResult result = RegisterResult::Failed;
    if (ReplyMarker(reply, "ok")) result = RegisterResult::Created;
    if (ReplyMarker(reply, "is")) result = RegisterResult::NickTaken;
    return result;
}

Request readAccountRequest(std::string_view nick, std::string_view pw) {
    return make(Address::Account, "/read", Style::Form,
                {{"nick", std::string(nick)}, {"pw", std::string(pw)}, {"label0", "0"}});
}

std::optional<Account> readAccountReply(std::string_view reply, std::string_view nick,
                                        std::string_view pw) {
    if (ReplyMarker(reply, "no")) return std::nullopt;
    const auto f = ReplyRecord(reply);
    if (!f || f->count() < 12) return std::nullopt;
    Account a;
    a.Nick = nick;
    a.Pw = pw;
    a.City = text(*f, 1);
    a.Country1 = text(*f, 2);
    a.Country2 = text(*f, 3);
    a.Sex = f->field(4) == "W" ? "W" : "M";
    a.EMail = text(*f, 5);
    a.DateR = text(*f, 6, "00.00.0000");
    a.R01 = text(*f, 7);
    a.R02 = text(*f, 8);
    a.R03 = text(*f, 9);
    a.R04 = integer(f->field(10));
    a.R05 = integer(f->field(11));
    a.R06 = integer(f->field(12));
    return a;
}

Request memberCountRequest() {
    return make(Address::Account, "/count", Style::Raw, {{"label1", "0"}});
}

std::optional<std::int64_t> readNumberReply(std::string_view reply) {
    return ReplyNumber(reply);
}

Request readResultsRequest(std::string_view nick, std::string_view pw) {
    return make(Address::Account, "/results-read", Style::Form,
                {{"nick", std::string(nick)}, {"pw", std::string(pw)}, {code("best"), "0"}});
}

std::optional<GameResults> readResultsReply(std::string_view reply) {
    if (ReplyMarker(reply, "no")) return std::nullopt;
    const auto f = ReplyRecord(reply);
    if (!f || f->count() < 8) return std::nullopt;
    GameResults r;
    r.Kon = integer(f->field(1));
    r.Best = integer(f->field(2));
    r.Rating = readReal(f->field(3)).value_or(0);
    r.Sessions = integer(f->field(4));
    r.KonL = integer(f->field(5));
    r.Score = integer(f->field(6));
    r.R1 = integer(f->field(7));
    r.R2 = text(*f, 8);
    return r;
}

Request writeResultsRequest(std::string_view nick, std::string_view pw, const GameResults& r) {
    return make(Address::Account, "/results-write", Style::Raw,
                {{"nick", std::string(nick)},
                 {"pw", std::string(pw)},
                 {code("kon"), std::to_string(r.Kon)},
                 {code("best"), std::to_string(r.Best)},
                 {code("rating"), formatReal(r.Rating)},
                 {code("ses"), std::to_string(r.Sessions)},
                 {code("konl"), std::to_string(r.KonL)},
                 {code("score"), std::to_string(r.Score)},
                 {code("R1"), std::to_string(r.R1)},
                 {code("R2"), r.R2}});
}

bool readOkReply(std::string_view reply) {
    return ReplyMarker(reply, "ok");
}

Request placeByRatingRequest(double rating) {
    return make(Address::Account, "/place", Style::Raw, {{code("rating"), formatReal(rating)}});
}

Request readBalanceRequest(std::string_view nick) {
    return make(Address::Account, "/balance-read", Style::Form,
                {{"nick", std::string(nick)}, {"labelzorread", "0"}});
}

std::optional<std::int64_t> readBalanceReply(std::string_view reply) {
    if (ReplyMarker(reply, "no")) return std::nullopt;
    const auto f = ReplyRecord(reply);
    if (!f) return std::nullopt;
    const std::string value = f->field(1);
    const std::int64_t n = integer(value, -1);
    if (n == -1 && value != "-1") return std::nullopt;
    return n;
}

Request transferRequest(std::string_view nick, std::string_view pw, std::string_view to,
                        std::int64_t amount) {
    return make(Address::Account, "/transfer", Style::Raw,
                {{"nick", std::string(nick)},
                 {"pw", std::string(pw)},
                 {"to", std::string(to)},
                 {"amount", std::to_string(amount)}});
}

Transfer readTransferReply(std::string_view reply) {
    Transfer t;
    if (ReplyMarker(reply, "ok")) {
        t.result = TransferResult::Done;
        t.balanceLeft = readBalanceReply(reply);
    } else if (ReplyMarker(reply, "low")) {
        t.result = TransferResult::NotEnough;
    } else if (ReplyMarker(reply, "refused")) {
        t.result = TransferResult::Refused;
    } else if (ReplyMarker(reply, "no")) {
        t.result = TransferResult::NoSuchMember;
    }
    return t;
}

Request recordCountRequest(int gid) {
    return make(Address::Records, "/count", Style::Form, {{"rgid", std::to_string(gid)}},
                kShortTimeoutMs);
}

Request recordListRequest(int gid) {
    return make(Address::Records, "/list", Style::Form, {{"gid", std::to_string(gid)}},
                kShortTimeoutMs);
}

Request recordsNearRequest(int gid, std::string_view nick, std::string_view city) {
    return make(
        Address::Records, "/near", Style::Raw,
        {{"gid", std::to_string(gid)}, {"nick", std::string(nick)}, {"city", std::string(city)}},
        kShortTimeoutMs);
}

std::vector<RecordRow> readRecordList(std::string_view reply, int gid) {
    std::vector<RecordRow> rows;
    for (const ReplyFields& f : ReplyList(reply)) {
        RecordRow r;
        r.GID = gid;
        r.Place = integer(f.field(1));
        r.Score = integer(f.field(3));
        r.Nick = text(f, 4);
        r.Country = text(f, 5);
        r.City = text(f, 6);
        r.R07 = text(f, 7);
        r.R08 = text(f, 8);
        r.R09 = text(f, 9);
        r.R10 = text(f, 10, "#*");
        rows.push_back(std::move(r));
    }
    return rows;
}

Request recordWriteRequest(const RecordEntry& e) {
    std::vector<Field> fields{{"gid", std::to_string(e.gid)},
                              {"nick", e.nick},
                              {"city", e.city},
                              {"country", e.country},
                              {"score", std::to_string(e.score)},
                              {"R7", e.sex},
                              {"R8", std::string(kVersion)},
                              {"R9", "#"},
                              {"R10", "#"}};
    if (e.gid == kAccountTable) fields.insert(fields.begin() + 2, {"pw", e.pw});
    Request r = make(Address::Records, "/write", Style::Raw, std::move(fields), kShortTimeoutMs);
    r.closing = "*";
    return r;
}

Request ratingTopRequest() {
    return make(Address::Records, "/rating-top", Style::Form, {{code("kon"), "0"}},
                kShortTimeoutMs);
}

std::vector<TopRow> readRatingTop(std::string_view reply) {
    std::vector<TopRow> rows;
    for (const ReplyFields& f : ReplyList(reply)) {
        TopRow r;
        r.Nick = text(f, 2);
        r.City = text(f, 3);
        // The country name comes first and the code after it, which replaces it.
        r.Country = text(f, 4);
        if (!f.field(5).empty()) r.Country = f.field(5);
        r.Sex = f.field(6) == "W" ? "W" : "M";
        r.Rating = readReal(f.field(7)).value_or(0);
        rows.push_back(std::move(r));
    }
    return rows;
}

Request statisticsRequest() {
    return make(Address::Statistics, "/read", Style::Form, {{"gid", std::to_string(kGameId)}},
                kShortTimeoutMs);
}

std::optional<Statistics> readStatistics(std::string_view reply) {
    const auto rows = ReplyList(reply);
    if (rows.empty() || rows.front().count() < 18) return std::nullopt;
    const ReplyFields& f = rows.front();
    Statistics s;
    s.Stat1 = integer(f.field(1));
    s.Stat2 = integer(f.field(2));
    s.Stat3 = integer(f.field(3));
    s.Stat4 = text(f, 4);
    for (std::size_t i = 0; i < s.StatX.size(); ++i) s.StatX[i] = integer(f.field(5 + i));
    s.StatY = integer(f.field(17));
    s.StatZ = text(f, 18);
    return s;
}

Request startReportRequest(bool firstRun) {
    return make(
        Address::Statistics, "/start", Style::Raw,
        {{"gid", std::to_string(kGameId)}, {"stat1", "1"}, {"stat2", firstRun ? "1" : "0"}});
}

Request likeRequest(std::string_view nick) {
    return make(Address::Statistics, "/like", Style::Raw,
                {{"gid", std::to_string(kGameId)}, {"stat3", "1"}, {"stat4", std::string(nick)}});
}

Request gameReportRequest(const std::array<std::int64_t, 12>& values) {
    std::vector<Field> fields{{"gid", std::to_string(kGameId)}};
    for (std::size_t i = 0; i < values.size(); ++i)
        fields.push_back({"R" + std::to_string(i + 1), std::to_string(values[i])});
    return make(Address::Statistics, "/report", Style::Raw, std::move(fields));
}

bool readStatusReply(std::string_view reply) {
    return ReplyStatus(reply);
}

}  // namespace orvala::online
