// The game's counters: start-ups and first runs, likes (one per passport nick), and the sums of
// the game reports. Each write is one guarded statement; its answer is the statistics status.

#include "service/operations.h"
#include "service/replies.h"
#include "service/text_rules.h"

namespace orvala::service {
namespace {

bool readGid(const FormFields& f, long long& gid) {
    return parseInteger(f.get("gid"), 1, 999, gid);
}

void ensureRow(Storage& db, long long gid) {
    db.execute("INSERT INTO stats (gid) VALUES ($1) ON CONFLICT (gid) DO NOTHING",
               {std::int64_t{gid}});
}

HttpResponse read(const FormFields& f, Storage& db) {
    long long gid;
    if (!readGid(f, gid)) return textReply(std::string(kStatusFailed));
    const auto row = db.queryOne(
        "SELECT stat1, stat2, stat3, stat4, x1, x2, x3, x4, x5, x6, x7, x8, x9, x10, x11, x12,"
        " staty, statz FROM stats WHERE gid = $1",
        {std::int64_t{gid}});
    std::vector<std::string> fields;
    for (std::size_t i = 0; i < 18; ++i) {
        const bool text = i == 3 || i == 17;
        fields.push_back(row ? field(row->text(i)) : (text ? "#" : "0"));
    }
    return textReply(listRow(fields));
}

HttpResponse start(const FormFields& f, Storage& db) {
    long long gid, one, first;
    if (!readGid(f, gid) || !parseInteger(f.get("stat1"), 1, 1, one) ||
        !parseInteger(f.get("stat2"), 0, 1, first))
        return textReply(std::string(kStatusFailed));
    ensureRow(db, gid);
    db.execute("UPDATE stats SET stat1 = stat1 + 1, stat2 = stat2 + $2 WHERE gid = $1",
               {std::int64_t{gid}, std::int64_t{first}});
    return textReply(std::string(kStatusOk));
}

HttpResponse like(const FormFields& f, Storage& db) {
    long long gid, one;
    const std::string nick = f.get("stat4");
    if (!readGid(f, gid) || !parseInteger(f.get("stat3"), 1, 1, one) || !validPassportNick(nick))
        return textReply(std::string(kStatusFailed));
    db.transaction([&] {
        ensureRow(db, gid);
        // A nick likes once; liking again is answered "ok" and counts nothing.
        if (db.execute("INSERT INTO likes (gid, nick) VALUES ($1, $2) ON CONFLICT DO NOTHING",
                       {std::int64_t{gid}, nick}) == 1)
            db.execute("UPDATE stats SET stat3 = stat3 + 1, stat4 = $2 WHERE gid = $1",
                       {std::int64_t{gid}, nick});
    });
    return textReply(std::string(kStatusOk));
}

HttpResponse report(const FormFields& f, Storage& db) {
    long long gid;
    long long r[12];
    // A game's result lies within the 1000 points each player starts from, a little more with
    // penalties; flags are 0 or 1.
    const long long hi[12] = {1, 1, 5000, 5000, 1, 1, 0, 0, 0, 0, 0, 0};
    if (!readGid(f, gid)) return textReply(std::string(kStatusFailed));
    for (int i = 0; i < 12; ++i)
        if (!parseInteger(f.get("R" + std::to_string(i + 1), "0"), 0, hi[i], r[i]))
            return textReply(std::string(kStatusFailed));
    db.transaction([&] {
        ensureRow(db, gid);
        db.execute(
            "UPDATE stats SET x1 = x1 + $2, x2 = x2 + $3, x3 = x3 + $4, x4 = x4 + $5,"
            " x5 = x5 + $6, x6 = x6 + $7, staty = staty + 1 WHERE gid = $1",
            {std::int64_t{gid}, std::int64_t{r[0]}, std::int64_t{r[1]}, std::int64_t{r[2]},
             std::int64_t{r[3]}, std::int64_t{r[4]}, std::int64_t{r[5]}});
    });
    return textReply(std::string(kStatusOk));
}

}  // namespace

void addStatisticsRoutes(Router& router, const ServiceContext&) {
    const std::string failed(kStatusFailed);
    addPost(router, "/stat/read", Style::Form, failed,
            [](const HttpRequest&, const FormFields& f, Storage& db) { return read(f, db); });
    addPost(router, "/stat/start", Style::Raw, failed,
            [](const HttpRequest&, const FormFields& f, Storage& db) { return start(f, db); });
    addPost(router, "/stat/like", Style::Raw, failed,
            [](const HttpRequest&, const FormFields& f, Storage& db) { return like(f, db); });
    addPost(router, "/stat/report", Style::Raw, failed,
            [](const HttpRequest&, const FormFields& f, Storage& db) { return report(f, db); });
}

}  // namespace orvala::service
