// Accounts: registration, login, the per-game results, the personal page, the Zors balance and
// transfers, and the photo. A password travels in the request and is checked against its
// argon2id hash; nothing that changes an account is done without it.

#include <array>

#include "service/game_results.h"
#include "service/jpeg_check.h"
#include "service/operations.h"
#include "service/passwords.h"
#include "service/replies.h"
#include "service/text_rules.h"

namespace orvala::service {
namespace {

// The personal page: the keys of the write in the order the read answers them, and the longest
// text each takes.
struct PageField {
    const char* key;
    std::size_t max;
};
constexpr std::array<PageField, 14> kPageFields{{{"namei", 20},
                                                 {"name2", 20},
                                                 {"about", 50},
                                                 {"telephone", 20},
                                                 {"emailo", 50},
                                                 {"website", 50},
                                                 {"skype", 50},
                                                 {"ok", 50},
                                                 {"vk", 50},
                                                 {"telegram", 50},
                                                 {"facebook", 60},
                                                 {"twitter", 50},
                                                 {"instagramm", 50},
                                                 {"youtube", 50}}};

// A page text keeps blanks and any letters, but never the record's own marks.
std::string pageText(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c == '~' || c == '$' || static_cast<unsigned char>(c) < 0x20) c = '_';
    return out;
}

// A registration date in the player's own short format: "09.12.2026", "12/9/2026", "2026-12-09".
bool validDate(std::string_view s) {
    if (s.empty() || s.size() > 10) return false;
    for (char c : s)
        if (!std::isdigit(static_cast<unsigned char>(c)) && c != '.' && c != '/' && c != '-')
            return false;
    return true;
}

constexpr std::int64_t kMaxAmount = 1'000'000'000;
constexpr long long kMaxScore = 1'000'000;

HttpResponse registerAccount(const ServiceContext& ctx, const FormFields& f, Storage& db) {
    const std::string nick = f.get("nick"), pw = f.get("pw"), city = f.get("city"),
                      country1 = f.get("country1"), country2 = f.get("country2"),
                      sex = f.get("sex"), email = f.get("email"), dater = f.get("dater");
    if (!validAccountNick(nick) || !validPassword(pw) || !validCity(city) ||
        !validWord(country1, 20) || !validCountryCode(country2) || (sex != "M" && sex != "W") ||
        !validEmail(email) || !validDate(dater))
        return textReply("fail");
    std::array<std::string, 3> reserved;
    for (int i = 0; i < 3; ++i) {
        reserved[i] = f.get("R0" + std::to_string(i + 1), "xxx");
        if (!validWord(reserved[i], 12)) return textReply("fail");
    }
    // R04..R06 (the balance among them) are the service's to set, whatever the body says.
    if (db.queryOne("SELECT 1 FROM accounts WHERE lower(nick) = lower($1)", {nick}))
        return textReply("is");
    const std::string hash = hashPassword(pw);
    const auto added = db.execute(
        "INSERT INTO accounts (nick, pw_hash, city, country1, country2, sex, email, dater,"
        " r01, r02, r03, page, created_at) VALUES ($1, $2, $3, $4, $5, $6, $7, $8, $9, $10, $11,"
        " $12, $13) ON CONFLICT DO NOTHING",
        {nick, hash, city, country1, country2, sex, email, dater, reserved[0], reserved[1],
         reserved[2], std::string(13, '~'), ctx.now()});
    return textReply(added == 1 ? "ok" : "is");
}

HttpResponse readAccount(const ServiceContext& ctx, const HttpRequest& request, const FormFields& f,
                         Storage& db) {
    const std::string nick = f.get("nick");
    if (!authenticate(db, ctx, request, nick, f.get("pw"))) return textReply("no");
    const auto a = db.queryOne(
        "SELECT city, country1, country2, sex, email, dater, r01, r02, r03, balance, r05, r06 "
        "FROM accounts WHERE nick = $1",
        {nick});
    if (!a) return textReply("no");
    std::vector<std::string> fields;
    for (std::size_t i = 0; i < 12; ++i) fields.push_back(field(a->text(i)));
    return textReply(recordReply(fields));
}

HttpResponse memberCount(const FormFields&, Storage& db) {
    const auto row = db.queryOne("SELECT count(*) FROM accounts");
    return textReply(numberReply(row ? row->integer(0) : 0));
}

HttpResponse readResults(const ServiceContext& ctx, const HttpRequest& request, const FormFields& f,
                         Storage& db) {
    const std::string nick = f.get("nick");
    if (!authenticate(db, ctx, request, nick, f.get("pw"))) return textReply("no");
    const auto a = db.queryOne(
        "SELECT kon, best, rating, sessions, konl, score, res_r1, res_r2 FROM accounts "
        "WHERE nick = $1",
        {nick});
    if (!a) return textReply("no");
    return textReply(recordReply({a->text(0), a->text(1), formatReal(a->real(2)), a->text(3),
                                  a->text(4), a->text(5), a->text(6), field(a->text(7))}));
}

// The game writes its results twice a game (the provisional loss at the start, the real result
// at the end); each write must be the one its stored results and a single game allow.
HttpResponse writeResults(const ServiceContext& ctx, const HttpRequest& request,
                          const FormFields& f, Storage& db) {
    const std::string nick = f.get("nick");
    online::GameResults w;
    long long kon, best, ses, konl, score, r1;
    w.R2 = f.get("crdorvalR2", "#");
    if (!parseInteger(f.get("crdorvalkon"), 0, 10'000'000, kon) ||
        !parseInteger(f.get("crdorvalbest"), -kMaxScore, kMaxScore, best) ||
        !parseReal(f.get("crdorvalrating"), 1e7, w.Rating) ||
        !parseInteger(f.get("crdorvalses"), 0, 1'000'000, ses) ||
        !parseInteger(f.get("crdorvalkonl"), 0, 24, konl) ||
        !parseInteger(f.get("crdorvalscore"), -kMaxScore, kMaxScore, score) ||
        !parseInteger(f.get("crdorvalR1", "0"), -kMaxScore, kMaxScore, r1) ||
        (w.R2 != "#" && !validWord(w.R2, 12)))
        return textReply("no");
    w.Kon = kon;
    w.Best = best;
    w.Sessions = ses;
    w.KonL = konl;
    w.Score = score;
    w.R1 = r1;
    if (!authenticate(db, ctx, request, nick, f.get("pw"))) return textReply("no");
    const std::int64_t now = ctx.now();
    bool written = false;
    db.transaction([&] {
        const auto a = db.queryOne(
            "SELECT kon, best, rating, sessions, konl, score, game_started, game_konl,"
            " game_score FROM accounts WHERE nick = $1",
            {nick});
        if (!a) return;
        StoredResults stored;
        stored.shown.Kon = a->integer(0);
        stored.shown.Best = a->integer(1);
        stored.shown.Rating = a->real(2);
        stored.shown.Sessions = a->integer(3);
        stored.shown.KonL = a->integer(4);
        stored.shown.Score = a->integer(5);
        stored.startedAt = a->integer(6);
        stored.startKonL = a->integer(7);
        stored.startScore = a->integer(8);
        const ResultsDecision d = judgeResultsWrite(stored, w, now);
        using Kind = ResultsDecision::Kind;
        if (d.kind == Kind::Refused) return;
        if (d.kind == Kind::Repeat) {
            written = true;
            return;
        }
        const online::GameResults& n = d.store;
        // Started: the counters before the start are kept for the end; finished: forgotten.
        const bool start = d.kind == Kind::Start;
        written =
            db.execute(
                "UPDATE accounts SET kon = $2, best = $3, rating = $4, sessions = $5,"
                " konl = $6, score = $7, res_r1 = $8, res_r2 = $9, game_started = $10,"
                " game_konl = $11, game_score = $12,"
                " cycle_due = CASE WHEN $13 = 1 THEN 1 ELSE cycle_due END,"
                " cycle_score = CASE WHEN $13 = 1 THEN $14 ELSE cycle_score END"
                " WHERE nick = $1 AND kon = $15 AND sessions = $16 AND game_started = $17",
                {nick, n.Kon, n.Best, n.Rating, n.Sessions, n.KonL, n.Score, w.R1, w.R2,
                 start ? now : std::int64_t{0}, start ? stored.shown.KonL : std::int64_t{0},
                 start ? stored.shown.Score : std::int64_t{0}, std::int64_t{d.closedCycle ? 1 : 0},
                 d.cycleScore, stored.shown.Kon, stored.shown.Sessions, stored.startedAt}) == 1;
    });
    return textReply(written ? "ok" : "no");
}

HttpResponse placeByRating(const FormFields& f, Storage& db) {
    double rating;
    if (!parseReal(f.get("crdorvalrating"), 1e7, rating)) return textReply("no");
    const auto row =
        db.queryOne("SELECT count(*) FROM accounts WHERE kon > 0 AND rating > $1", {rating});
    return textReply(numberReply(1 + (row ? row->integer(0) : 0)));
}

HttpResponse readPage(const FormFields& f, Storage& db) {
    const auto a = db.queryOne("SELECT page FROM accounts WHERE nick = $1", {f.get("nick")});
    if (!a) return textReply("no");
    return textReply(recordReply({a->text(0)}, '~'));
}

HttpResponse writePage(const ServiceContext& ctx, const HttpRequest& request, const FormFields& f,
                       Storage& db) {
    const std::string nick = f.get("nick");
    std::string page;
    for (std::size_t i = 0; i < kPageFields.size(); ++i) {
        const std::string value = pageText(f.get(kPageFields[i].key));
        if (value.size() > kPageFields[i].max) return textReply("no");
        if (i) page += '~';
        page += value;
    }
    if (!authenticate(db, ctx, request, nick, f.get("pw"))) return textReply("no");
    db.execute("UPDATE accounts SET page = $2 WHERE nick = $1", {nick, page});
    return textReply("ok");
}

HttpResponse readBalance(const FormFields& f, Storage& db) {
    const auto a = db.queryOne("SELECT balance FROM accounts WHERE nick = $1", {f.get("nick")});
    if (!a) return textReply("no");
    return textReply(recordReply({a->text(0)}));
}

// One authenticated operation: the debit is guarded by the balance in the same statement, the
// credit and the ledger row follow in the same transaction. The two rows are touched in the
// order of their nicks, so two opposite transfers never wait on each other.
HttpResponse transfer(const ServiceContext& ctx, const HttpRequest& request, const FormFields& f,
                      Storage& db) {
    const std::string from = f.get("nick"), to = f.get("to");
    long long amount;
    if (!parseInteger(f.get("amount"), 1, kMaxAmount, amount)) return textReply("empty");
    if (!authenticate(db, ctx, request, from, f.get("pw"))) return textReply("refused");
    if (from == to) return textReply("same");
    std::string reply;
    db.transaction([&] {
        if (!db.queryOne("SELECT 1 FROM accounts WHERE nick = $1", {to})) {
            reply = "no";
            return;
        }
        for (const std::string& nick : {std::min(from, to), std::max(from, to)})
            db.execute("UPDATE accounts SET balance = balance WHERE nick = $1", {nick});
        if (db.execute("UPDATE accounts SET balance = balance - $2 WHERE nick = $1 AND "
                       "balance >= $2",
                       {from, std::int64_t{amount}}) != 1) {
            reply = "low";
            return;
        }
        db.execute("UPDATE accounts SET balance = balance + $2 WHERE nick = $1",
                   {to, std::int64_t{amount}});
        db.execute(
            "INSERT INTO ledger (at, from_nick, to_nick, amount, reason) "
            "VALUES ($1, $2, $3, $4, 'transfer')",
            {ctx.now(), from, to, std::int64_t{amount}});
        const auto left = db.queryOne("SELECT balance FROM accounts WHERE nick = $1", {from});
        reply = "ok" + recordReply({left->text(0)});
    });
    return textReply(reply);
}

HttpResponse uploadPhoto(const ServiceContext& ctx, const HttpRequest& request, Storage& db) {
    const BodyDecode body = decodeFormBody(request.body, FormText::Bytes);
    if (!body.fields) return textReply("no");
    const FormFields& f = *body.fields;
    const std::string nick = f.get("nick"), photo = f.get("photo");
    if (!checkJpeg(photo).ok) return textReply("bad");
    if (!authenticate(db, ctx, request, nick, f.get("pw"))) return textReply("no");
    static const char* kHex = "0123456789abcdef";
    std::string hex;
    hex.reserve(photo.size() * 2);
    for (unsigned char c : photo) {
        hex += kHex[c >> 4];
        hex += kHex[c & 15];
    }
    db.execute(
        "INSERT INTO photos (nick, jpeg_hex) VALUES ($1, $2) "
        "ON CONFLICT (nick) DO UPDATE SET jpeg_hex = excluded.jpeg_hex",
        {nick, hex});
    return textReply("ok");
}

HttpResponse photo(const HttpRequest& request, Storage& db) {
    std::string name = request.path.substr(std::string_view("/photos/").size());
    if (!name.ends_with(".jpg")) return errorReply(404, "not found");
    name.resize(name.size() - 4);
    const auto row = db.queryOne("SELECT jpeg_hex FROM photos WHERE nick = $1", {name});
    if (!row) return errorReply(404, "not found");
    const std::string hex = row->text(0);
    std::string bytes;
    bytes.reserve(hex.size() / 2);
    auto nibble = [](char c) { return c <= '9' ? c - '0' : c - 'a' + 10; };
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes += static_cast<char>(nibble(hex[i]) * 16 + nibble(hex[i + 1]));
    return {200, "image/jpeg", std::move(bytes)};
}

}  // namespace

void addAccountRoutes(Router& router, const ServiceContext& ctx) {
    const ServiceContext* c = &ctx;
    addPost(router, "/acc/register", Style::Raw, "fail",
            [c](const HttpRequest&, const FormFields& f, Storage& db) {
                return registerAccount(*c, f, db);
            });
    addPost(router, "/acc/read", Style::Form, "no",
            [c](const HttpRequest& r, const FormFields& f, Storage& db) {
                return readAccount(*c, r, f, db);
            });
    addPost(
        router, "/acc/count", Style::Raw, "no",
        [](const HttpRequest&, const FormFields& f, Storage& db) { return memberCount(f, db); });
    addPost(router, "/acc/results-read", Style::Form, "no",
            [c](const HttpRequest& r, const FormFields& f, Storage& db) {
                return readResults(*c, r, f, db);
            });
    addPost(router, "/acc/results-write", Style::Raw, "no",
            [c](const HttpRequest& r, const FormFields& f, Storage& db) {
                return writeResults(*c, r, f, db);
            });
    addPost(
        router, "/acc/place", Style::Raw, "no",
        [](const HttpRequest&, const FormFields& f, Storage& db) { return placeByRating(f, db); });
    addPost(router, "/acc/page-read", Style::Form, "no",
            [](const HttpRequest&, const FormFields& f, Storage& db) { return readPage(f, db); });
    addPost(router, "/acc/page-write", Style::Raw, "no",
            [c](const HttpRequest& r, const FormFields& f, Storage& db) {
                return writePage(*c, r, f, db);
            });
    addPost(
        router, "/acc/balance-read", Style::Form, "no",
        [](const HttpRequest&, const FormFields& f, Storage& db) { return readBalance(f, db); });
    addPost(router, "/acc/transfer", Style::Raw, "empty",
            [c](const HttpRequest& r, const FormFields& f, Storage& db) {
                return transfer(*c, r, f, db);
            });
    // A picture of up to 200 KB, percent-encoded: up to three bytes a byte.
    router.add({"POST", "/acc/photo-upload", false, 3 * kMaxJpegBytes + 4096,
                [c](const HttpRequest& r, Storage& db) { return uploadPhoto(*c, r, db); }});
    router.add({"GET", "/photos/", true, 0,
                [](const HttpRequest& r, Storage& db) { return photo(r, db); }});
}

}  // namespace orvala::service
