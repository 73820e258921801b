#pragma once
// Where our web service is. What wins: $ORVALA_SERVICE when it is set to a service's address (for
// operators and tests), else the address the player set in the options (the settings'
// `ServiceAddress`), else the local service that `make run` starts on this machine.

#include <QUrl>
#include <optional>
#include <string_view>

namespace orvala::net {

inline constexpr int kLocalServicePort = 8787;

// The local service, http://127.0.0.1:8787.
QUrl localServiceUrl();

// $ORVALA_SERVICE, when it holds a service's address (online::serviceBase).
std::optional<QUrl> serviceOverride();

// The service's base address, without a trailing slash. `configured` is the settings' address;
// it counts only when it is a service's address.
QUrl serviceUrl(std::string_view configured);

}  // namespace orvala::net
