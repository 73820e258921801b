#pragma once
// One request to the web service, as data: which of the service's addresses it goes to (records,
// statistics, account; the root for the tournament lobby), the path below it, the body's style
// and fields, and the read time-out. The client on the network side only sends it.
//
// Two body styles:
//  - form: every key and value percent-encoded (our texts are Windows-1251 bytes; they travel as
//    percent-encoded UTF-8), pairs joined by "&";
//  - raw: "key=value" pairs joined by "&", no encoding at all, sent as Windows-1251 bytes. A value
//    cannot hold "&" or "=" there, so each such character is sent as "_" rather than letting a
//    value forge another field.
// A picture goes in a form body whose values are bytes, percent-encoded as they are (FormBytes).

#include <string>
#include <string_view>
#include <vector>

namespace orvala::online {

enum class Address { Records, Statistics, Account, Tourney };
enum class Style { Form, Raw, FormBytes };

// The time-out of the record and table-list operations and of the statistics read.
inline constexpr int kShortTimeoutMs = 3000;
// Every other operation's.
inline constexpr int kDefaultTimeoutMs = 10000;

struct Field {
    std::string key;
    std::string value;  // Windows-1251 bytes
};

struct Request {
    Address address = Address::Account;
    std::string path;  // below the address, starting with "/"
    Style style = Style::Form;
    std::vector<Field> fields;
    int timeoutMs = kDefaultTimeoutMs;
    // Appended after the raw body's last value (the record write closes its body with "*").
    std::string closing;

    // The body's bytes in the request's style.
    std::string body() const;
};

std::string formBody(const std::vector<Field>& fields, bool bytes = false);
std::string rawBody(const std::vector<Field>& fields);

}  // namespace orvala::online
