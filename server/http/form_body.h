#pragma once
// The two body styles the game posts, decoded into fields. Both are "key=value" pairs joined by
// "&":
//  - form style: keys and values are percent-encoded ("+" is a blank); the decoded bytes are
//    UTF-8 text, which `decodeFormBody` turns into Windows-1251, or raw bytes (an uploaded
//    picture) with FormText::Bytes;
//  - raw style: nothing is encoded; values are Windows-1251 bytes and cannot hold "&" or "=".
// A body that cannot be read whole is refused with the reason: a malformed escape, a pair
// without "=", an empty or over-long key, a key given twice, or more than kMaxFields pairs.
// Empty pairs (from "&&" or a trailing "&") are skipped.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvala::service {

inline constexpr std::size_t kMaxFields = 64;
inline constexpr std::size_t kMaxKeyBytes = 64;

class FormFields {
  public:
    bool has(std::string_view key) const { return find(key) != nullptr; }
    const std::string* find(std::string_view key) const;
    std::string get(std::string_view key, std::string_view fallback = {}) const;
    // The first key that starts with `prefix`, or nullptr.
    const std::string* firstKeyWithPrefix(std::string_view prefix) const;

    const std::vector<std::pair<std::string, std::string>>& pairs() const { return pairs_; }
    void add(std::string key, std::string value) {
        pairs_.emplace_back(std::move(key), std::move(value));
    }

  private:
    std::vector<std::pair<std::string, std::string>> pairs_;
};

struct BodyDecode {
    std::optional<FormFields> fields;  // empty when refused
    std::string problem;               // why, when refused
};

enum class FormText { Utf8ToCp1251, Bytes };

BodyDecode decodeFormBody(std::string_view body, FormText text = FormText::Utf8ToCp1251);
BodyDecode decodeRawBody(std::string_view body);

}  // namespace orvala::service
