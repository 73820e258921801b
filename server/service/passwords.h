#pragma once
// Passwords are kept only as argon2id hashes (libsodium's string form, which carries its own
// salt and costs). The costs are moderate (2 passes over 19 MiB) so that a worker hashes in tens
// of milliseconds; the pool's size bounds how many hash at once.

#include <string>
#include <string_view>

namespace orvala::service {

std::string hashPassword(std::string_view password);
bool verifyPassword(const std::string& hash, std::string_view password);

}  // namespace orvala::service
