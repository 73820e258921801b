#include "service/service.h"

#include <algorithm>
#include <stdexcept>

#include "service/operations.h"
#include "service/passwords.h"

namespace orvala::service {

void addServiceRoutes(Router& router, const ServiceContext& context) {
    addAccountRoutes(router, context);
    addRecordRoutes(router, context);
    addStatisticsRoutes(router, context);
    addLobbyRoutes(router, context);
    addPageRoutes(router, context);
    // The routes that check or hash a password run on the heavy lane of workers.
    if (!router.markHeavy({"/acc/register", "/acc/read", "/acc/results-read", "/acc/results-write",
                           "/acc/page-write", "/acc/transfer", "/acc/photo-upload", "/rec/write",
                           "/tour/seat"}))
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
    const auto& proxies = config.trustedProxies;
    if (request.forwardedFor.empty() ||
        std::find(proxies.begin(), proxies.end(), request.peerAddress) == proxies.end())
        return request.peerAddress;
    std::string last = request.forwardedFor.substr(request.forwardedFor.rfind(',') + 1);
    last.erase(0, last.find_first_not_of(' '));
    last.erase(last.find_last_not_of(' ') + 1);
    return last.empty() ? request.peerAddress : last;
}

bool authenticate(Storage& storage, const ServiceContext& context, std::string_view nick,
                  std::string_view password) {
    constexpr std::int64_t kWindow = 600, kMaxFailures = 10;
    const std::int64_t now = context.now();
    const std::string n(nick);
    const auto failures =
        storage.queryOne("SELECT since, count FROM login_failures WHERE nick = $1", {n});
    if (failures && now - failures->integer(0) < kWindow && failures->integer(1) >= kMaxFailures)
        return false;
    const auto account = storage.queryOne("SELECT pw_hash FROM accounts WHERE nick = $1", {n});
    if (account && verifyPassword(account->text(0), password)) return true;
    if (account) {
        storage.execute(
            "INSERT INTO login_failures (nick, since, count) VALUES ($1, $2, 1) "
            "ON CONFLICT (nick) DO UPDATE SET "
            "count = CASE WHEN login_failures.since > $3 THEN login_failures.count + 1 ELSE 1 END,"
            " since = CASE WHEN login_failures.since > $3 THEN login_failures.since ELSE $2 END",
            {n, now, now - kWindow});
    }
    return false;
}

bool takeWriteSlot(Storage& storage, const std::string& key, std::int64_t now,
                   std::int64_t seconds) {
    // Slots long past are of no use; dropping them keeps the table to an hour's writes.
    storage.execute("DELETE FROM post_times WHERE at < $1", {now - 3600});
    return storage.execute(
               "INSERT INTO post_times (key, at) VALUES ($1, $2) "
               "ON CONFLICT (key) DO UPDATE SET at = excluded.at WHERE post_times.at <= $3",
               {key, now, now - seconds}) == 1;
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
