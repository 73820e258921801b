#pragma once
// Every data file of the game is replaced whole: the new content goes to a temporary file beside
// the old one, is flushed to the disk, and is renamed over it. A crash leaves either the old or
// the new file, never a short one.
//
// The temporary file has a name of its own for every write ("<file>.new." and six letters or
// digits) and is locked while it is written; a temporary of the same file that nobody holds
// locked was left by a run that died, and is removed by the next write (so is "<file>.new", the
// name older versions used). The replaced file keeps its permissions (and its owner, where the
// program may set it); a symbolic link is written through: its target's folder takes the
// temporary and its target is replaced, while the link stays a link. Only a regular file is
// ever replaced: a folder, a FIFO or a device where the file should be fails the write.

#include <sys/types.h>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace orvala {

// Returns true when the file now holds exactly `content`. On failure the old file is untouched
// and the temporary file is removed.
bool writeFileAtomically(const std::string& path, std::string_view content);
// The same for a file that only its owner may read or write (mode 0600 from the first byte on,
// whatever the old file allowed): a file that holds a password.
bool writeOwnerOnlyFileAtomically(const std::string& path, std::string_view content);

enum class FileRead {
    Read,
    Missing,     // nothing is there (or a folder on the way is missing)
    Unreadable,  // something is there that cannot be read, or is not a regular file
};

// Reads a regular file from its start in pieces, handing each to `take` until it returns false
// or the file ends. A folder, a FIFO, a device or anything else that is not a regular file is
// Unreadable, and is found so without waiting on it: opening a FIFO for reading would wait for
// a writer for ever.
FileRead readFileInPieces(const std::string& path,
                          const std::function<bool(std::string_view)>& take);

// Reads a whole regular file as bytes; false when it cannot be read (as above) or is larger
// than `maxBytes`.
bool readFileBytes(const std::string& path, std::string& out, size_t maxBytes = 16u << 20);

namespace detail {

// The write loop, with the system call passed in so that a test can make it stall or fail. A
// call that writes nothing fails the loop, as an error does; an interrupted one is repeated.
using WriteCall = ssize_t (*)(int fd, const void* bytes, size_t count);
bool writeAll(int fd, std::string_view bytes, WriteCall call);

}  // namespace detail

}  // namespace orvala
