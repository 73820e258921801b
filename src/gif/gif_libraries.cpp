#include "gif/gif_libraries.h"

#include <gif_lib.h>
#include <libimagequant.h>

namespace orvala::gif {

std::string giflibVersion() {
    return std::to_string(GIFLIB_MAJOR) + "." + std::to_string(GIFLIB_MINOR) + "." +
           std::to_string(GIFLIB_RELEASE);
}

std::string imagequantVersion() {
    const int v = liq_version();  // 21700 for 2.17.0
    return std::to_string(v / 10000) + "." + std::to_string(v / 100 % 100) + "." +
           std::to_string(v % 100);
}

}  // namespace orvala::gif
