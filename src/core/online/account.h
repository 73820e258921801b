#pragma once
// The account on this machine: its state, the field checks of the account page and of the
// passport, and the account file "ZorUser.zor" that remembers the account between runs.
//
// Texts are Windows-1251 bytes. The allowed characters are Latin and Cyrillic letters (with Ё
// and ё), digits and ! ( ) , - . @ _. Each checked field gets a lamp: red (refused), yellow
// (holds a Cyrillic letter) or green.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvala::online {

// 1 not logged in, 2 logged in, 3 logged in and playing for the global rating.
enum class AccountState { LoggedOut = 1, LoggedIn = 2, GlobalRating = 3 };

enum class Lamp { Red = 1, Yellow = 2, Green = 3 };

bool isAllowedChar(unsigned char c);
bool isCyrillicChar(unsigned char c);

// The account page: nick up to 12, password 4 to 12, city up to 15, e-mail up to 30 with an "@"
// that is neither its first nor its last character. An empty or one-character field is red; a
// Cyrillic letter makes the city yellow and every other field red.
Lamp nickLamp(std::string_view nick);
Lamp passwordLamp(std::string_view pw);
Lamp cityLamp(std::string_view city);
Lamp emailLamp(std::string_view email);

struct AccountLamps {
    Lamp nick, pw, city, email;
};
AccountLamps accountLamps(std::string_view nick, std::string_view pw, std::string_view city,
                          std::string_view email);
// "Create an account": logged out, nick, password and e-mail green, the city not red.
bool canCreate(AccountState state, const AccountLamps& lamps);
// "Login to account": logged out, the nick not red and the password green.
bool canLogin(AccountState state, const AccountLamps& lamps);

// The passport of record tables without an account: nick up to 12, city up to 15; yellow is
// accepted for both.
Lamp passportLamp(std::string_view text, std::size_t maxLength);

// "ZorUser.zor": "Zor User File", the nick and the enciphered password, a line each.
inline constexpr std::string_view kAccountFileName = "ZorUser.zor";
inline constexpr std::string_view kAccountFileHead = "Zor User File";

std::string encipherPassword(std::string_view pw);
std::string accountFileText(std::string_view nick, std::string_view pw);

struct StoredAccount {
    std::string nick, pw;
};
// The account a file names, with every blank, "#" and "$" of its password made "-"; nothing for
// a file of another kind (its first line is not the head) or one that does not decipher.
std::optional<StoredAccount> readAccountFileText(std::string_view text);

// Reads and writes the file at `path`; the file is written whole and readable by its owner only.
std::optional<StoredAccount> readAccountFile(const std::string& path);
bool writeAccountFile(const std::string& path, std::string_view nick, std::string_view pw);

}  // namespace orvala::online
