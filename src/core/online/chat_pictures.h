#pragma once
// The built-in pictures of the chat and the news, by name, shared by artgen (which draws them)
// and the windows (which show them): the main menu's two indicators with their siren and the
// chat rows' "new" mark. The rows' flags and faces are the world lists' (flag_names.h), shown at
// the sizes below.

#include <string>
#include <string_view>

namespace orvala::chat_art {

inline constexpr const char* kNews = "GNews";  // the news indicator, 32 x 32
inline constexpr const char* kChat = "GChat";  // the chat indicator, 32 x 32
// The siren beside an indicator while something is new, lit and dark in turn; 16 x 24.
inline constexpr const char* kSirenOn = "GSirenOn";
inline constexpr const char* kSirenOff = "GSirenOff";
inline constexpr const char* kNewMark = "GChatNew";  // "new", 30 x 14
inline constexpr int kIndicatorSize = 32, kSirenWidth = 16, kSirenHeight = 24;
inline constexpr int kFlagWidth = 24, kFlagHeight = 16, kFaceSize = 16;

}  // namespace orvala::chat_art
