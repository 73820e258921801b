#pragma once
// Every data file of the game is replaced whole: the new content goes to a file beside the old
// one, is flushed to the disk, and is renamed over it. A crash leaves either the old or the new
// file, never a short one.

#include <string>
#include <string_view>

namespace orvala {

// Returns true when the file now holds exactly `content`. On failure the old file is untouched
// and the temporary file is removed.
bool writeFileAtomically(const std::string& path, std::string_view content);

// Reads a whole file as bytes; false when it cannot be opened or is larger than `maxBytes`.
bool readFileBytes(const std::string& path, std::string& out, size_t maxBytes = 16u << 20);

}  // namespace orvala
