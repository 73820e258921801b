#pragma once
// Where our web service is: $ORVALA_SERVICE (http or https) when it is set, else the local
// service that `make run` starts on this machine.

#include <QUrl>

namespace orvala::net {

inline constexpr int kLocalServicePort = 8787;

// The service's base address, without a trailing slash; an ORVALA_SERVICE that is not an http or
// https address is ignored.
QUrl serviceUrl();

}  // namespace orvala::net
