#include "service/passwords.h"

#include <sodium.h>

#include <stdexcept>

namespace orvala::service {
namespace {

#ifdef ORVALA_CHEAP_PASSWORD_HASHES
constexpr unsigned long long kOps = crypto_pwhash_OPSLIMIT_MIN;
constexpr std::size_t kMemory = crypto_pwhash_MEMLIMIT_MIN;
#else
constexpr unsigned long long kOps = 2;
constexpr std::size_t kMemory = 19u << 20;
#endif

void ensureSodium() {
    static const bool ready = sodium_init() >= 0;
    if (!ready) throw std::runtime_error("libsodium cannot start");
}

}  // namespace

std::string hashPassword(std::string_view password) {
    ensureSodium();
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str_alg(out, password.data(), password.size(), kOps, kMemory,
                              crypto_pwhash_ALG_ARGON2ID13) != 0)
        throw std::runtime_error("out of memory while hashing a password");
    return out;
}

bool verifyPassword(const std::string& hash, std::string_view password) {
    ensureSodium();
    return crypto_pwhash_str_verify(hash.c_str(), password.data(), password.size()) == 0;
}

}  // namespace orvala::service
