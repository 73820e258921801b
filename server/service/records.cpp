// Record tables (the best cycle scores, by table) and the chat, which is table 100: its score is
// the message number, so the "best" row is the newest message. The account table 355 takes only
// authenticated cycle records and pays the places' rewards itself.

#include "core/online/account_rating.h"
#include "service/game_results.h"
#include "service/operations.h"
#include "service/replies.h"
#include "service/settings_cache.h"
#include "service/text_rules.h"

namespace orvala::service {
namespace {

constexpr long long kChat = 100, kWindows = 55, kMobile = 155, kAccounts = 355;
constexpr long long kMaxScore = 1'000'000;
constexpr std::int64_t kWriteInterval = 15;

bool knownTable(long long gid) {
    return gid == kChat || gid == kWindows || gid == kMobile || gid == kAccounts;
}

const char* kColumns = "score, nick, country, city, r07, r08, r09, r10";

std::string rows(const std::vector<SqlRow>& found, long long gid, std::int64_t firstPlace) {
    std::string out;
    for (std::size_t i = 0; i < found.size(); ++i) {
        const SqlRow& r = found[i];
        std::vector<std::string> f{std::to_string(firstPlace + static_cast<std::int64_t>(i)),
                                   std::to_string(gid)};
        for (std::size_t c = 0; c < 8; ++c) f.push_back(field(r.text(c)));
        out += listRow(f);
    }
    return out.empty() ? "#" : out;
}

// The place of a row: one more than the rows above it (a higher score, or the same score
// written earlier).
std::int64_t placeOf(Storage& db, long long gid, std::int64_t score, std::int64_t id) {
    // Summed by band above the score's band and by score above it in its band; the rows of
    // the same score are counted.
    const std::int64_t band = recordBand(score);
    const std::int64_t bandEnd = (band + 1) * kRecordBandWidth - kRecordBandOffset;
    const auto row = db.queryOne(
        "SELECT (SELECT coalesce(sum(rows_at), 0) FROM record_bands WHERE gid = $1 AND band > $4)"
        " + (SELECT coalesce(sum(rows_at), 0) FROM record_scores WHERE gid = $1 AND score > $2"
        " AND score < $5)"
        " + (SELECT count(*) FROM records WHERE gid = $1 AND score = $2 AND id < $3)",
        {std::int64_t{gid}, score, id, band, bandEnd});
    return 1 + row->integer(0);
}

HttpResponse count(const FormFields& f, Storage& db) {
    long long gid;
    if (!parseInteger(f.get("rgid"), 0, 100000, gid)) return textReply("no");
    const auto row = db.queryOne(
        "SELECT coalesce(sum(rows_at), 0) FROM record_bands WHERE gid = $1", {std::int64_t{gid}});
    return textReply(numberReply(row->integer(0)));
}

HttpResponse list(const FormFields& f, Storage& db) {
    long long gid;
    if (!parseInteger(f.get("gid"), 0, 100000, gid)) return textReply("no");
    const auto found = db.query(std::string("SELECT ") + kColumns +
                                    " FROM records WHERE gid = $1 ORDER BY score DESC, id LIMIT 10",
                                {std::int64_t{gid}});
    return textReply(rows(found, gid, 1));
}

// Ten rows around the player's best row: four above it, the row, five below.
HttpResponse near(const FormFields& f, Storage& db) {
    long long gid;
    if (!parseInteger(f.get("gid"), 0, 100000, gid)) return textReply("no");
    const auto mine = db.queryOne(
        "SELECT id, score FROM records WHERE gid = $1 AND nick = $2 AND city = $3 "
        "ORDER BY score DESC, id LIMIT 1",
        {std::int64_t{gid}, f.get("nick"), f.get("city")});
    if (!mine) return textReply("#");
    const std::int64_t place = placeOf(db, gid, mine->integer(1), mine->integer(0));
    const std::int64_t first = std::max<std::int64_t>(1, place - 4);
    const auto found = db.query(std::string("SELECT ") + kColumns +
                                    " FROM records WHERE gid = $1 ORDER BY score DESC, id "
                                    "LIMIT 10 OFFSET $2",
                                {std::int64_t{gid}, first - 1});
    return textReply(rows(found, gid, first));
}

struct Row {
    long long gid = 0, score = 0;
    std::string nick, country, city, sex, version, stamp, text;
};

// The fields of a record write, checked; a chat line's stamp and text keep only the allowed
// characters (the game sends blanks as "_").
std::optional<Row> readRow(const FormFields& f) {
    Row r;
    if (!parseInteger(f.get("gid"), 0, 100000, r.gid) || !knownTable(r.gid)) return std::nullopt;
    std::string text = f.get("R10");
    if (text.ends_with('*')) text.pop_back();  // the closing "*" after the last value
    r.nick = f.get("nick");
    r.city = f.get("city");
    r.country = f.get("country");
    r.sex = f.get("R7");
    r.version = f.get("R8");
    r.stamp = f.get("R9");
    r.text = text;
    const bool countryOk = r.gid == kWindows || r.gid == kChat ? validCountryCode(r.country)
                                                               : validWord(r.country, 20);
    if (!validPassportNick(r.nick) || !validCity(r.city) || !countryOk ||
        (r.sex != "M" && r.sex != "W") || !validWord(r.version, 10))
        return std::nullopt;
    if (r.gid == kChat) {
        if (r.text.empty() || r.text.size() > 80 || r.stamp.size() > 60 || !allAllowed(r.text) ||
            !allAllowed(r.stamp))
            return std::nullopt;
    } else {
        // Cycles played without an account were not timed: they get the bound of 25 games
        // whose scores never rose above their start.
        const long long bound = r.gid == kAccounts ? kMaxScore : largestCycleScore();
        if (!parseInteger(f.get("score"), -bound, bound, r.score)) return std::nullopt;
        if (r.stamp != "#" || r.text != "#") return std::nullopt;
    }
    return r;
}

// Adds the row and answers its place: one more than the rows written before it with its score
// or a higher one. The counts the statement's own row adds (the database's triggers) are not
// yet seen by its RETURNING on either engine.
std::int64_t insert(Storage& db, const Row& r, std::int64_t now) {
    const std::int64_t band = recordBand(r.score);
    const std::int64_t bandEnd = (band + 1) * kRecordBandWidth - kRecordBandOffset;
    const auto row = db.queryOne(
        "INSERT INTO records (gid, score, nick, country, city, r07, r08, r09, r10, at) "
        "VALUES ($1, $2, $3, $4, $5, $6, $7, $8, $9, $10) RETURNING 1 + "
        "(SELECT coalesce(sum(rows_at), 0) FROM record_bands WHERE gid = $1 AND band > $11) + "
        "(SELECT coalesce(sum(rows_at), 0) FROM record_scores WHERE gid = $1 AND score >= $2 "
        "AND score < $12)",
        {std::int64_t{r.gid}, std::int64_t{r.score}, r.nick, r.country, r.city, r.sex, r.version,
         r.stamp, r.text, now, band, bandEnd});
    return row->integer(0);
}

HttpResponse write(const ServiceContext& ctx, SettingsCache& settings, const HttpRequest& request,
                   const FormFields& f, Storage& db) {
    auto row = readRow(f);
    if (!row) return textReply("no");
    const bool chat = row->gid == kChat;
    const ServiceConfig& config = ctx.config;
    if (chat && (config.chatPaused || settings.get(db, "chat_paused") == "on"))
        return textReply("paused");
    if (!chat && config.recordsPaused) return textReply("paused");
    if (row->gid == kAccounts && !authenticate(db, ctx, request, row->nick, f.get("pw")))
        return textReply("no");

    const std::int64_t now = ctx.now();
    const std::string kind = chat ? "chat" : "record";
    std::int64_t place = 0;
    db.transaction([&] {
        if (!takeWriteSlots(db, kind + " address " + callerAddress(request, config),
                            kind + " nick " + foldedNick(row->nick), now, kWriteInterval))
            throw Refusal{"wait"};
        if (chat) {
            // The service numbers the messages, so two players posting at once never share one.
            const auto n = db.queryOne(
                "INSERT INTO counters (name, value) VALUES ('chat', "
                "(SELECT coalesce(max(score), 0) + 1 FROM records WHERE gid = 100)) "
                "ON CONFLICT (name) DO UPDATE SET value = counters.value + 1 RETURNING value");
            row->score = n->integer(0);
            insert(db, *row, now);
            place = 1;
            return;
        }
        if (row->gid == kAccounts) {
            // A cycle record stands for the last cycle the account finished through its verified
            // games, with that cycle's score, once.
            const auto a = db.queryOne(
                "SELECT cycle_due, cycle_score, city, country1, sex FROM accounts WHERE nick = $1",
                {row->nick});
            if (!a || a->integer(0) != 1 || row->score != a->integer(1)) throw Refusal{"no"};
            if (db.execute("UPDATE accounts SET cycle_due = 0 WHERE nick = $1 AND cycle_due = 1",
                           {row->nick}) != 1)
                throw Refusal{"no"};
            row->city = a->text(2);
            row->country = a->text(3);
            row->sex = a->text(4);
        }
        place = insert(db, *row, now);
        if (const int zors = online::cyclePlaceReward(place); row->gid == kAccounts && zors > 0)
            creditZors(db, now, row->nick, zors, "cycle place");
    });
    return textReply(numberReply(place));
}

HttpResponse ratingTop(const FormFields&, Storage& db) {
    const auto found = db.query(
        "SELECT nick, city, country1, country2, sex, rating FROM accounts WHERE kon > 0 "
        "ORDER BY rating DESC, nick LIMIT 10");
    std::string out;
    for (std::size_t i = 0; i < found.size(); ++i) {
        const SqlRow& r = found[i];
        out += listRow({std::to_string(i + 1), field(r.text(0)), field(r.text(1)), field(r.text(2)),
                        field(r.text(3)), field(r.text(4)), formatReal(r.real(5))});
    }
    return textReply(out.empty() ? "#" : out);
}

}  // namespace

bool recordWriteChecksPassword(std::string_view body) {
    const BodyDecode decoded = decodeRawBody(body);
    long long gid;
    return decoded.fields && parseInteger(decoded.fields->get("gid"), 0, 100000, gid) &&
           gid == kAccounts;
}

void addRecordRoutes(Router& router, const ServiceContext& ctx,
                     std::shared_ptr<SettingsCache> settings) {
    const ServiceContext* c = &ctx;
    addPost(router, "/rec/count", Style::Form, "no",
            [](const HttpRequest&, const FormFields& f, Storage& db) { return count(f, db); });
    addPost(router, "/rec/list", Style::Form, "no",
            [](const HttpRequest&, const FormFields& f, Storage& db) { return list(f, db); });
    addPost(router, "/rec/near", Style::Raw, "no",
            [](const HttpRequest&, const FormFields& f, Storage& db) { return near(f, db); });
    addPost(router, "/rec/write", Style::Raw, "no",
            [c, settings](const HttpRequest& r, const FormFields& f, Storage& db) {
                return write(*c, *settings, r, f, db);
            });
    addPost(router, "/rec/rating-top", Style::Form, "no",
            [](const HttpRequest&, const FormFields& f, Storage& db) { return ratingTop(f, db); });
}

}  // namespace orvala::service
