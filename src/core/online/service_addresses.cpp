#include "core/online/service_addresses.h"

#include "core/online/account.h"
#include "core/online/text_cipher.h"

namespace orvala::online {
namespace {

constexpr std::string_view kKey = "Orvala keeps its addresses to itself";
constexpr std::size_t kMaxAddress = 1024;

bool isWebAddress(std::string_view s) {
    if (s.size() > kMaxAddress) return false;
    for (unsigned char c : s)
        if (c <= ' ' || c >= 0x7f || c == '#') return false;
    return (s.starts_with("http://") && s.size() > 7) ||
           (s.starts_with("https://") && s.size() > 8);
}

std::string withoutTrailingSlash(std::string s) {
    while (s.ends_with('/')) s.pop_back();
    return s;
}

// A web address from a stored or published value, plain or enciphered.
std::optional<std::string> addressFrom(std::string_view value) {
    if (isWebAddress(value)) return withoutTrailingSlash(std::string(value));
    if (auto plain = decipherAddress(value); plain && isWebAddress(*plain))
        return withoutTrailingSlash(*plain);
    return std::nullopt;
}

void applyKey(std::string_view page, std::string_view key, std::string& address) {
    const std::size_t at = page.find(key);
    if (at == std::string_view::npos) return;
    const std::size_t start = at + key.size() + 1;  // the character after the key is its "="
    if (start > page.size()) return;
    std::string_view value = page.substr(start);
    value = value.substr(0, value.find('#'));
    if (auto found = addressFrom(value)) address = *found;
}

}  // namespace

std::optional<std::string> serviceBase(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    if (!isWebAddress(text) || text.find('?') != std::string_view::npos) return std::nullopt;
    const std::string_view rest = text.substr(text.find("://") + 3);
    const std::string_view authority = rest.substr(0, rest.find('/'));
    const std::size_t colon =
        authority.ends_with(']') ? std::string_view::npos : authority.rfind(':');  // [::1]
    const std::string_view host = authority.substr(0, colon);
    if (host.empty() || host.find('@') != std::string_view::npos) return std::nullopt;
    if (colon != std::string_view::npos) {
        const std::string_view port = authority.substr(colon + 1);
        if (port.empty() || port.size() > 5) return std::nullopt;
        int value = 0;
        for (char c : port) {
            if (c < '0' || c > '9') return std::nullopt;
            value = value * 10 + (c - '0');
        }
        if (value < 1 || value > 65535) return std::nullopt;
    }
    return withoutTrailingSlash(std::string(text));
}

const std::string& ServiceAddresses::of(Address a) const {
    switch (a) {
        case Address::Records:
            return records;
        case Address::Statistics:
            return statistics;
        case Address::Tourney:
            return tourney;
        case Address::Account:
            break;
    }
    return account;
}

ServiceAddresses addressesAt(std::string_view base) {
    const std::string b = withoutTrailingSlash(std::string(base));
    ServiceAddresses a;
    a.records = b + "/rec";
    a.statistics = b + "/stat";
    a.account = b + "/acc";
    a.tourney = b;
    return a;
}

void applyStoredAddresses(std::string_view records, std::string_view statistics,
                          ServiceAddresses& addresses) {
    if (auto a = addressFrom(records)) addresses.records = *a;
    if (auto a = addressFrom(statistics)) addresses.statistics = *a;
}

void applyConfigPage(std::string_view page, ServiceAddresses& addresses) {
    addresses.chatPaused = page.find("CTGamesPause") != std::string_view::npos;
    addresses.recordsPaused = page.find("WTGamesPause") != std::string_view::npos;
    if (!addresses.recordsPaused) applyKey(page, "WTGamesPatt", addresses.records);
    applyKey(page, "StatPath", addresses.statistics);
    applyKey(page, "AccPath", addresses.account);
    if (const std::size_t at = page.find("PresidentNick="); at != std::string_view::npos) {
        std::string_view nick = page.substr(at + 14);
        nick = nick.substr(0, nick.find('#'));
        if (nickLamp(nick) != Lamp::Red) addresses.presidentNick = nick;
    }
}

std::string encipherAddress(std::string_view address) {
    return encipherText(address, kKey);
}

std::optional<std::string> decipherAddress(std::string_view text) {
    return decipherText(text, kKey, kMaxAddress);
}

}  // namespace orvala::online
