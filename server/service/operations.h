#pragma once
// What the operation files share, seen only inside the service folder.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "http/form_body.h"
#include "http/http_message.h"
#include "http/router.h"
#include "service/service.h"
#include "storage/storage.h"

namespace orvala::service {

void addAccountRoutes(Router& router, const ServiceContext& context);
class SettingsCache;
void addRecordRoutes(Router& router, const ServiceContext& context,
                     std::shared_ptr<SettingsCache> settings);
void addStatisticsRoutes(Router& router, const ServiceContext& context);
void addLobbyRoutes(Router& router, const ServiceContext& context);
void addPageRoutes(Router& router, const ServiceContext& context,
                   std::shared_ptr<SettingsCache> settings);

// True when a record write's body is for the accounts' table, whose writes check a password.
bool recordWriteChecksPassword(std::string_view body);

enum class Style { Form, Raw };

// A POST route whose body is decoded in its style first; a body that does not decode is answered
// `refusal` without calling the handler.
using FieldsHandler = std::function<HttpResponse(const HttpRequest&, const FormFields&, Storage&)>;
void addPost(Router& router, std::string path, Style style, std::string refusal,
             FieldsHandler handler, std::size_t maxBody = 16 * 1024);

// The player's address: the peer, or the last address of X-Forwarded-For when the peer is one of
// the operator's trusted proxies.
std::string callerAddress(const HttpRequest& request, const ServiceConfig& config);

// True when the nick exists and the password is its own. Every try is counted per nick (any
// case) and caller address before the password is checked: after a few failures from one
// address its tries wait, doubling, up to an hour; after many failures from everywhere the
// nick's tries are spaced by a few seconds at most. A try that must wait fails at once.
bool authenticate(Storage& storage, const ServiceContext& context, const HttpRequest& request,
                  std::string_view nick, std::string_view password);

// A nick as the service compares nicks: Latin and Cyrillic (Windows-1251) letters in small.
std::string foldedNick(std::string_view nick);

// Takes the write slots `first` and `second` (two different keys) when each was last taken
// at least `seconds` ago (or never); false when either was not, after which the caller's
// transaction must be rolled back.
bool takeWriteSlots(Storage& storage, const std::string& first, const std::string& second,
                    std::int64_t now, std::int64_t seconds);

// An operator's setting kept in the database, so that every service process sees it.
std::optional<std::string> storedSetting(Storage& storage, std::string_view name);
void storeSetting(Storage& storage, std::string_view name, std::string_view value);

// Adds `amount` Zors to a balance with a ledger row; in the caller's transaction.
void creditZors(Storage& storage, std::int64_t at, const std::string& nick, std::int64_t amount,
                const std::string& reason);

// Thrown inside a transaction to roll it back and answer `reply`.
struct Refusal {
    std::string reply;
};

}  // namespace orvala::service
