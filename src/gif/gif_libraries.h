#pragma once
// The versions of the two libraries the recordings are made with, for the about box.

#include <string>

namespace orvala::gif {

// giflib's, as the build saw it ("5.2.1").
std::string giflibVersion();
// libimagequant's, as the library loaded says ("2.17.0").
std::string imagequantVersion();

}  // namespace orvala::gif
