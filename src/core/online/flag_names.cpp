#include "core/online/flag_names.h"

#include "core/online/countries.h"

namespace orvala::online {

std::string flagPictureName(std::string_view code) {
    if (const auto c = countryByCode(code)) return "GFlag" + countryCode(c->continent, c->number);
    const auto digit = [](char ch) { return ch >= '0' && ch <= '9'; };
    if (code.size() == 5 && code[0] >= '1' && code[0] <= '6' && code[1] == '-' && digit(code[2]) &&
        digit(code[3]) && digit(code[4]))
        return "GFlag" + countryCode(code[0] - '0', 0);
    return {};
}

std::string facePictureName(std::string_view sex) {
    return sex == "W" ? "GFaceW" : "GFaceM";
}

}  // namespace orvala::online
