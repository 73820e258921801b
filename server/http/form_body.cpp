#include "http/form_body.h"

#include "core/text/cp1251.h"

namespace orvala::service {

const std::string* FormFields::find(std::string_view key) const {
    for (const auto& [k, v] : pairs_)
        if (k == key) return &v;
    return nullptr;
}

std::string FormFields::get(std::string_view key, std::string_view fallback) const {
    const std::string* v = find(key);
    return v ? *v : std::string(fallback);
}

const std::string* FormFields::firstKeyWithPrefix(std::string_view prefix) const {
    for (const auto& [k, v] : pairs_)
        if (k.starts_with(prefix)) return &k;
    return nullptr;
}

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<std::string> percentDecode(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '+') {
            out += ' ';
        } else if (s[i] == '%') {
            if (i + 2 >= s.size()) return std::nullopt;
            const int hi = hexValue(s[i + 1]), lo = hexValue(s[i + 2]);
            if (hi < 0 || lo < 0) return std::nullopt;
            out += static_cast<char>(hi * 16 + lo);
            i += 2;
        } else {
            out += s[i];
        }
    }
    return out;
}

template <typename Decode>
BodyDecode split(std::string_view body, Decode decode) {
    BodyDecode result;
    FormFields fields;
    std::size_t count = 0;
    while (!body.empty()) {
        const std::size_t amp = body.find('&');
        const std::string_view pair = body.substr(0, amp);
        body = amp == std::string_view::npos ? std::string_view() : body.substr(amp + 1);
        if (pair.empty()) continue;
        if (++count > kMaxFields) return {std::nullopt, "too many fields"};
        const std::size_t eq = pair.find('=');
        if (eq == std::string_view::npos) return {std::nullopt, "a field without \"=\""};
        auto key = decode(pair.substr(0, eq));
        auto value = decode(pair.substr(eq + 1));
        if (!key || !value) return {std::nullopt, "a malformed escape"};
        if (key->empty()) return {std::nullopt, "a field without a name"};
        if (key->size() > kMaxKeyBytes) return {std::nullopt, "a field name too long"};
        if (fields.has(*key)) return {std::nullopt, "a field given twice: " + *key};
        fields.add(std::move(*key), std::move(*value));
    }
    result.fields = std::move(fields);
    return result;
}

}  // namespace

BodyDecode decodeFormBody(std::string_view body, FormText text) {
    return split(body, [text](std::string_view s) -> std::optional<std::string> {
        auto bytes = percentDecode(s);
        if (bytes && text == FormText::Utf8ToCp1251) return utf8ToCp1251(*bytes);
        return bytes;
    });
}

BodyDecode decodeRawBody(std::string_view body) {
    return split(body,
                 [](std::string_view s) -> std::optional<std::string> { return std::string(s); });
}

}  // namespace orvala::service
