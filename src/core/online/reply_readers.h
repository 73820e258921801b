#pragma once
// The readers of the web service's replies. A reply is Windows-1251 text of any length and any
// content (an error page of a proxy, a cut-off body); every reader answers a clear result and
// never reads past it.
//
//  - `ReplyMarker`: does the reply's head carry a marker ("ok", "no", "is")? The head is the text
//    before the first "$", where the service writes its verdict; the values of a record after it
//    (a city "Snowdon", an e-mail "nora@...") are never taken for a verdict.
//  - `ReplyRecord`: the first "$" opens a record, which ends before the next "$" or else before
//    the reply's last character (that character is never part of a record). Cut at the
//    separator, the record's first value is field 1.
//  - `ReplyList`: every "$" opens a record that ends before the next "*", or else before the
//    reply's last character; each is cut at blanks; at most ten are taken.
//  - `ReplyNumber`: the decimal digits after the reply's last "$", up to the first other
//    character and never including the reply's last character.
//  - `ReplyStatus`: the text after the last "$" that is not the reply's last character, up to
//    the next "#" or the end, begins with "ok". An "ok" elsewhere is no success.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvala::online {

inline constexpr std::size_t kListMaxRecords = 10;

// The values of one record; field 0 is always empty, so the first value is field(1).
class ReplyFields {
  public:
    ReplyFields() = default;
    explicit ReplyFields(std::vector<std::string> pieces) : pieces_(std::move(pieces)) {}

    // The value numbered `n`, or `fallback` when the record has no such value.
    std::string field(std::size_t n, std::string_view fallback = {}) const;
    // How many values follow field 0 (the piece after the closing separator counts too).
    std::size_t count() const { return pieces_.empty() ? 0 : pieces_.size() - 1; }

  private:
    std::vector<std::string> pieces_;
};

bool ReplyMarker(std::string_view reply, std::string_view marker);
std::optional<ReplyFields> ReplyRecord(std::string_view reply, char separator = ' ');
std::vector<ReplyFields> ReplyList(std::string_view reply);
std::optional<std::int64_t> ReplyNumber(std::string_view reply);
bool ReplyStatus(std::string_view reply);

}  // namespace orvala::online
