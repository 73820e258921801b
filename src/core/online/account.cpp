#include "core/online/account.h"

#include <algorithm>
#include <vector>

#include "core/online/text_cipher.h"
#include "core/text/atomic_file.h"

namespace orvala::online {
namespace {

constexpr std::string_view kPasswordKey = "Orvala remembers the player's password";
constexpr std::size_t kMaxFileBytes = 4096;

bool hasCyrillic(std::string_view s) {
    for (unsigned char c : s)
        if (isCyrillicChar(c)) return true;
    return false;
}

bool allAllowed(std::string_view s) {
    for (unsigned char c : s)
        if (!isAllowedChar(c)) return false;
    return true;
}

Lamp fieldLamp(std::string_view s, std::size_t minLength, std::size_t maxLength, bool cyrillicOk) {
    if (s.size() < std::max<std::size_t>(minLength, 2) || s.size() > maxLength || !allAllowed(s))
        return Lamp::Red;
    if (hasCyrillic(s)) return cyrillicOk ? Lamp::Yellow : Lamp::Red;
    return Lamp::Green;
}

std::vector<std::string_view> lines(std::string_view text) {
    std::vector<std::string_view> out;
    while (!text.empty() && out.size() < 4) {
        std::size_t nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        if (line.ends_with('\r')) line.remove_suffix(1);
        out.push_back(line);
        if (nl == std::string_view::npos) break;
        text.remove_prefix(nl + 1);
    }
    return out;
}

}  // namespace

bool isCyrillicChar(unsigned char c) {
    return c >= 0xC0 || c == 0xA8 || c == 0xB8;
}

bool isAllowedChar(unsigned char c) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
    if (isCyrillicChar(c)) return true;
    return std::string_view("!(),-.@_").find(static_cast<char>(c)) != std::string_view::npos;
}

Lamp nickLamp(std::string_view nick) {
    return fieldLamp(nick, 2, 12, false);
}

Lamp passwordLamp(std::string_view pw) {
    return fieldLamp(pw, 4, 12, false);
}

Lamp cityLamp(std::string_view city) {
    return fieldLamp(city, 2, 15, true);
}

Lamp emailLamp(std::string_view email) {
    const Lamp lamp = fieldLamp(email, 2, 30, false);
    const std::size_t at = email.find('@');
    if (lamp == Lamp::Red || at == std::string_view::npos || at == 0 || at + 1 == email.size())
        return Lamp::Red;
    return lamp;
}

AccountLamps accountLamps(std::string_view nick, std::string_view pw, std::string_view city,
                          std::string_view email) {
    return {nickLamp(nick), passwordLamp(pw), cityLamp(city), emailLamp(email)};
}

bool canCreate(AccountState state, const AccountLamps& l) {
    return state == AccountState::LoggedOut && l.nick == Lamp::Green && l.pw == Lamp::Green &&
           l.email == Lamp::Green && l.city != Lamp::Red;
}

bool canLogin(AccountState state, const AccountLamps& l) {
    return state == AccountState::LoggedOut && l.nick != Lamp::Red && l.pw == Lamp::Green;
}

Lamp passportLamp(std::string_view text, std::size_t maxLength) {
    return fieldLamp(text, 2, maxLength, true);
}

std::string encipherPassword(std::string_view pw) {
    return encipherText(pw, kPasswordKey);
}

std::string accountFileText(std::string_view nick, std::string_view pw) {
    return std::string(kAccountFileHead) + "\n" + std::string(nick) + "\n" + encipherPassword(pw) +
           "\n";
}

std::optional<StoredAccount> readAccountFileText(std::string_view text) {
    const auto l = lines(text);
    if (l.size() < 3 || l[0] != kAccountFileHead || l[1].empty() || l[1].size() > 64)
        return std::nullopt;
    auto pw = decipherText(l[2], kPasswordKey, 64);
    if (!pw) return std::nullopt;
    for (char& c : *pw)
        if (c == ' ' || c == '#' || c == '$') c = '-';
    return StoredAccount{std::string(l[1]), *pw};
}

std::optional<StoredAccount> readAccountFile(const std::string& path) {
    std::string text;
    if (!readFileBytes(path, text, kMaxFileBytes)) return std::nullopt;
    return readAccountFileText(text);
}

bool writeAccountFile(const std::string& path, std::string_view nick, std::string_view pw) {
    return writeOwnerOnlyFileAtomically(path, accountFileText(nick, pw));
}

}  // namespace orvala::online
