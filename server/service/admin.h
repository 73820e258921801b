#pragma once
// The operator's commands, run on the same data folder or database as the service (which may be
// running meanwhile): "news TEXT", "pause-chat on|off", "show NICK", "grant NICK AMOUNT".
// Returns the process's exit status: 0 done, 1 refused (the reason on `err`), 2 usage.

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "service/config.h"

namespace orvala::service {

int runAdmin(const std::vector<std::string>& words, const ServiceConfig& config, std::int64_t now,
             std::ostream& out, std::ostream& err);

}  // namespace orvala::service
