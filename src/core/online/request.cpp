#include "core/online/request.h"

#include "core/text/cp1251.h"

namespace orvala::online {
namespace {

void appendPercentEncoded(std::string& out, std::string_view cp1251, bool bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    const std::string text = bytes ? std::string(cp1251) : cp1251ToUtf8(cp1251);
    for (unsigned char c : text) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' || c == '~';
        if (plain) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
}

}  // namespace

std::string formBody(const std::vector<Field>& fields, bool bytes) {
    std::string out;
    for (const Field& f : fields) {
        if (!out.empty()) out += '&';
        appendPercentEncoded(out, f.key, bytes);
        out += '=';
        appendPercentEncoded(out, f.value, bytes);
    }
    return out;
}

std::string rawBody(const std::vector<Field>& fields) {
    std::string out;
    for (const Field& f : fields) {
        if (!out.empty()) out += '&';
        out += f.key;
        out += '=';
        for (char c : f.value) out += (c == '&' || c == '=') ? '_' : c;
    }
    return out;
}

std::string Request::body() const {
    if (style == Style::Raw) return rawBody(fields) + closing;
    return formBody(fields, style == Style::FormBytes);
}

}  // namespace orvala::online
