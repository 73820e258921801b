#pragma once
// The service's operations, registered on a router. What they share: the operator's settings
// and the clock (seconds; tests pass a clock of their own so that the 15-second write limit is
// tested without waiting).

#include <cstdint>
#include <functional>

#include "service/config.h"

namespace orvala::service {

class Router;

struct ServiceContext {
    ServiceConfig config;
    std::function<std::int64_t()> now;  // seconds since the epoch
};

// Adds every path of the service. `context` must outlive the router.
void addServiceRoutes(Router& router, const ServiceContext& context);

}  // namespace orvala::service
