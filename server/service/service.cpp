#include "service/service.h"

#include <algorithm>
#include <atomic>
#include <stdexcept>
#include <tuple>

#include "service/operations.h"
#include "service/passwords.h"
#include "service/settings_cache.h"

namespace orvala::service {

void addServiceRoutes(Router& router, const ServiceContext& context) {
    // Held by the routes that read it.
    const auto settings = std::make_shared<SettingsCache>(
        std::chrono::milliseconds(context.config.settingsRefreshMs));
    addAccountRoutes(router, context);
    addRecordRoutes(router, context, settings);
    addStatisticsRoutes(router, context);
    addLobbyRoutes(router, context);
    addPageRoutes(router, context, settings);
    // The routes that check or hash a password run on the heavy lane of workers.
    if (!router.markHeavy({"/acc/register", "/acc/read", "/acc/results-read", "/acc/results-write",
                           "/acc/page-write", "/acc/transfer", "/acc/photo-upload", "/tour/seat"}) ||
        !router.markHeavyWhen("/rec/write", [](const HttpRequest& request) {
            return recordWriteChecksPassword(request.body);
        }))
        throw std::logic_error("a password route is missing");
}

void addPost(Router& router, std::string path, Style style, std::string refusal,
             FieldsHandler handler, std::size_t maxBody) {
    router.add({"POST", std::move(path), false, maxBody,
                [style, refusal = std::move(refusal), handler = std::move(handler)](
                    const HttpRequest& request, Storage& storage) -> HttpResponse {
                    const BodyDecode body = style == Style::Form ? decodeFormBody(request.body)
                                                                 : decodeRawBody(request.body);
                    if (!body.fields) return textReply(refusal);
                    try {
                        return handler(request, *body.fields, storage);
                    } catch (const Refusal& r) {
                        return textReply(r.reply);
                    }
                }});
}

std::string callerAddress(const HttpRequest& request, const ServiceConfig& config) {
    return clientAddress(request, config.trustedProxies);
}

namespace {

// Tries of one nick from one address: a few free, then waits doubling up to an hour. Tries of
// one nick from everywhere: many free, then waits of a few seconds at most, so that a crowd of
// strangers slows a guesser but never locks the owner out.
constexpr std::int64_t kFreeTries = 3, kLongestAddressWait = 3600;
constexpr std::int64_t kNickCeiling = 100, kLongestNickWait = 4;
// A nick or pair not tried for this long starts again.
constexpr std::int64_t kForgetAfter = 3600;

std::int64_t waitAfter(std::int64_t tries, std::int64_t free, std::int64_t longest) {
    if (tries <= free) return 0;
    const std::int64_t doublings = std::min<std::int64_t>(tries - free - 1, 30);
    return std::min<std::int64_t>(std::int64_t{1} << doublings, longest);
}

struct MustWait {};

// Counts one try as a failure before the password is checked, so that no burst of tries in
// parallel gets past the count: each reservation is one atomic increment, refused while the
// previous one set a wait.
bool reserveTry(Storage& db, const std::string& nick, const std::string& address,
                std::int64_t now) {
    try {
        db.transaction([&] {
            db.execute("DELETE FROM login_tries WHERE last < $1", {now - kForgetAfter});
            for (const auto& [key, free, longest] :
                 {std::tuple{std::string(), kNickCeiling, kLongestNickWait},
                  std::tuple{address, kFreeTries, kLongestAddressWait}}) {
                db.execute(
                    "INSERT INTO login_tries (nick, address, count, last, next_at) "
                    "VALUES ($1, $2, 0, $3, 0) ON CONFLICT (nick, address) DO NOTHING",
                    {nick, key, now});
                const auto tries = db.queryOne(
                    "UPDATE login_tries SET count = count + 1, last = $3 "
                    "WHERE nick = $1 AND address = $2 AND next_at <= $3 RETURNING count",
                    {nick, key, now});
                if (!tries) throw MustWait{};
                db.execute("UPDATE login_tries SET next_at = $3 WHERE nick = $1 AND address = $2",
                           {nick, key, now + waitAfter(tries->integer(0), free, longest)});
            }
        });
    } catch (const MustWait&) {
        return false;
    }
    return true;
}

}  // namespace

std::string foldedNick(std::string_view nick) {
    std::string out(nick);
    for (char& c : out) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 'A' && u <= 'Z')
            c = static_cast<char>(u + 32);
        else if (u >= 0xC0 && u <= 0xDF)  // Cyrillic capitals in Windows-1251
            c = static_cast<char>(u + 32);
        else if (u == 0xA8)  // Yo
            c = static_cast<char>(0xB8);
    }
    return out;
}

bool authenticate(Storage& storage, const ServiceContext& context, const HttpRequest& request,
                  std::string_view nick, std::string_view password) {
    const std::string n(nick), key = foldedNick(nick);
    std::string address = callerAddress(request, context.config);
    if (address.empty()) address = "-";  // '' stands for the nick's tries from everywhere
    // A nick without an account has nothing to guess, and its tries leave no rows behind.
    const auto account = storage.queryOne("SELECT pw_hash FROM accounts WHERE nick = $1", {n});
    if (!account) return false;
    if (!reserveTry(storage, key, address, context.now())) return false;
    if (!verifyPassword(account->text(0), password)) return false;
    // The owner's try was no failure: this address starts again and the nick's count forgets it.
    storage.execute("DELETE FROM login_tries WHERE nick = $1 AND address = $2", {key, address});
    storage.execute(
        "UPDATE login_tries SET count = count - 1 WHERE nick = $1 AND address = '' AND count > 0",
        {key});
    return true;
}

bool takeWriteSlots(Storage& storage, const std::string& first, const std::string& second,
                    std::int64_t now, std::int64_t seconds) {
    // Slots long past are of no use; dropping them now and then (once a minute of this
    // process's writes) keeps the table to about an hour's writes.
    static std::atomic<std::int64_t> lastSweep{0};
    if (std::int64_t last = lastSweep.load();
        now - last >= 60 && lastSweep.compare_exchange_strong(last, now))
        storage.execute("DELETE FROM post_times WHERE at < $1", {now - 3600});
    // Both in one statement; when one is refused the caller's transaction takes the other back.
    return storage.execute(
               "INSERT INTO post_times (key, at) VALUES ($1, $3), ($2, $3) "
               "ON CONFLICT (key) DO UPDATE SET at = excluded.at WHERE post_times.at <= $4",
               {first, second, now, now - seconds}) == 2;
}

std::optional<std::string> storedSetting(Storage& storage, std::string_view name) {
    const auto row =
        storage.queryOne("SELECT value FROM settings WHERE name = $1", {std::string(name)});
    if (!row) return std::nullopt;
    return row->text(0);
}

void storeSetting(Storage& storage, std::string_view name, std::string_view value) {
    storage.execute(
        "INSERT INTO settings (name, value) VALUES ($1, $2) "
        "ON CONFLICT (name) DO UPDATE SET value = excluded.value",
        {std::string(name), std::string(value)});
}

void creditZors(Storage& storage, std::int64_t at, const std::string& nick, std::int64_t amount,
                const std::string& reason) {
    if (storage.execute("UPDATE accounts SET balance = balance + $2 WHERE nick = $1",
                        {nick, amount}) != 1)
        throw StorageError("no account " + nick);
    storage.execute(
        "INSERT INTO ledger (at, from_nick, to_nick, amount, reason) VALUES ($1, '', $2, $3, $4)",
        {at, nick, amount, reason});
}

}  // namespace orvala::service
