#include "core/settings/settings.h"

namespace orvala {

bool isValidLocationCode(std::string_view code) {
    // The highest country number of each region; 0 is "unknown" in every region.
    constexpr int kRegionMax[] = {48, 51, 35, 14, 23, 54};
    if (code.size() != 5 || code[0] < '1' || code[0] > '6' || code[1] != '-') return false;
    int number = 0;
    for (size_t i = 2; i < 5; ++i) {
        if (code[i] < '0' || code[i] > '9') return false;
        number = number * 10 + (code[i] - '0');
    }
    return number <= kRegionMax[code[0] - '1'];
}

}  // namespace orvala
