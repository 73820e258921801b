#pragma once
// Where the operations go: the three addresses of the service (records, statistics, account),
// whether the chat and the record tables are paused, and the configuration page that the
// program reads once at start-up to learn them.
//
// The settings file keeps the records and statistics addresses enciphered (text_cipher.h).

#include <optional>
#include <string>
#include <string_view>

#include "core/online/request.h"

namespace orvala::online {

struct ServiceAddresses {
    std::string records, statistics, account;  // each without a trailing "/"
    // The tournament lobby's operations, at the service's root; the configuration page leaves it.
    std::string tourney;
    bool chatPaused = false;
    bool recordsPaused = false;
    // The club president, whose page the account window shows; empty when the page names none.
    std::string presidentNick;

    // The address of one of the three.
    const std::string& of(Address a) const;
};

// The service's base address from a text a player or an operator typed: "http://" or
// "https://", a host, perhaps ":" and a port (1..65535), perhaps a path; blanks around it and
// slashes at its end are dropped. Nothing for anything else (a blank, a "#" or "?" inside, no
// host, another scheme).
std::optional<std::string> serviceBase(std::string_view text);

// The addresses of the service at `base` ("http://127.0.0.1:8787"), as the service lays them out.
ServiceAddresses addressesAt(std::string_view base);

// Stored addresses from the settings (enciphered; "#" or anything that does not decipher to an
// http or https address keeps the one already there).
void applyStoredAddresses(std::string_view records, std::string_view statistics,
                          ServiceAddresses& addresses);

// The configuration page, already text: "CTGamesPause" anywhere pauses the chat,
// "WTGamesPause" the record tables; otherwise the value one character after "WTGamesPatt" (its
// "=") up to the next "#" is the records address. "StatPath" and "AccPath" give the other two in
// the same way. A value may be written plain (http or https) or enciphered; a key that is missing
// or a value that is neither keeps the address already there.
void applyConfigPage(std::string_view page, ServiceAddresses& addresses);

std::string encipherAddress(std::string_view address);
// Nothing when `text` is not something `encipherAddress` wrote.
std::optional<std::string> decipherAddress(std::string_view text);

}  // namespace orvala::online
