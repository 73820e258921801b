#pragma once
// The names of the world lists' small pictures among the built-in pictures: a country's flag
// "GFlag" + its code ("GFlag1-001"), the continent's "Unknown" flag for a number the table does
// not have, and the faces of the two sexes.

#include <string>
#include <string_view>

namespace orvala::online {

// Empty for a text that is not a country code at all.
std::string flagPictureName(std::string_view countryCode);
// "GFaceW" for "W", "GFaceM" for anything else.
std::string facePictureName(std::string_view sex);

}  // namespace orvala::online
