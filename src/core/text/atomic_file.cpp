#include "core/text/atomic_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <random>

namespace orvala {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kTemporaryMark = ".new";
constexpr size_t kTemporaryLetters = 6;
constexpr std::string_view kLetters =
    "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

// The file a write replaces: `path` itself, or the end of its chain of links. A link that
// points at nothing yet names the file to be made.
std::optional<std::string> linkTarget(std::string path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st;
        if (::lstat(path.c_str(), &st) != 0)
            return errno == ENOENT ? std::optional(path) : std::nullopt;
        if (!S_ISLNK(st.st_mode)) return path;
        std::string target(PATH_MAX, '\0');
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n <= 0 || static_cast<size_t>(n) >= target.size()) return std::nullopt;
        target.resize(static_cast<size_t>(n));
        const fs::path next(target);
        path = next.is_absolute() ? next.string() : (fs::path(path).parent_path() / next).string();
    }
    return std::nullopt;  // a loop of links
}

bool isTemporaryOf(std::string_view entry, std::string_view file) {
    if (!entry.starts_with(file)) return false;
    entry.remove_prefix(file.size());
    if (!entry.starts_with(kTemporaryMark)) return false;
    entry.remove_prefix(kTemporaryMark.size());
    if (entry.empty()) return true;  // the fixed name of older versions
    return entry.size() == 1 + kTemporaryLetters && entry[0] == '.' &&
           std::all_of(entry.begin() + 1, entry.end(),
                       [](char c) { return kLetters.find(c) != std::string_view::npos; });
}

// A writer holds its temporary locked until the rename, so one that can be locked was left
// behind by a run that died.
void removeStaleTemporaries(const fs::path& folder, const std::string& file) {
    std::error_code ec;
    for (fs::directory_iterator it(folder.empty() ? "." : folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        if (!isTemporaryOf(it->path().filename().string(), file)) continue;
        const std::string path = it->path().string();
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat st;
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.c_str());
        ::close(fd);
    }
}

// Creates and locks a temporary file of a name no other write uses.
int createTemporary(const std::string& target, std::string& temp, mode_t mode) {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = target + std::string(kTemporaryMark) + ".";
        for (size_t k = 0; k < kTemporaryLetters; ++k) temp += kLetters[random() % kLetters.size()];
        const int fd =
            ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return -1;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return fd;
        ::close(fd);  // a cleaner took it in that instant: take another name
        ::unlink(temp.c_str());
    }
    return -1;
}

void syncFolder(const fs::path& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);  // best effort: the rename is already done
    ::close(fd);
}

}  // namespace

namespace detail {

bool writeAll(int fd, std::string_view bytes, WriteCall call) {
    while (!bytes.empty()) {
        const ssize_t n = call(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0 || static_cast<size_t>(n) > bytes.size()) return false;
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

}  // namespace detail

namespace {

bool writeAtomically(const std::string& path, std::string_view content, bool ownerOnly) {
    const auto target = linkTarget(path);
    if (!target) return false;
    struct stat old;
    const bool exists = ::lstat(target->c_str(), &old) == 0;
    if (!exists && errno != ENOENT) return false;
    if (exists && !S_ISREG(old.st_mode)) return false;

    const fs::path folder = fs::path(*target).parent_path();
    removeStaleTemporaries(folder, fs::path(*target).filename().string());
    std::string temp;
    const int fd = createTemporary(*target, temp, ownerOnly ? 0600 : 0644);
    if (fd < 0) return false;
    bool ok = true;
    if (ownerOnly) {
        ok = ::fchmod(fd, 0600) == 0;  // whatever the old file allowed
    } else if (exists) {
        // The owner first: changing it clears the set-id bits that the mode then restores.
        if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
            ::fchown(fd, old.st_uid, old.st_gid) != 0) {
            // Only root may give a file away: the new file is then the writer's own.
        }
        ok = ::fchmod(fd, old.st_mode & 07777) == 0;
    }
    ok = ok && detail::writeAll(fd, content, ::write) && ::fsync(fd) == 0;
    // The rename happens with the temporary still locked, so no cleaner takes it first.
    ok = ok && std::rename(temp.c_str(), target->c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    ::close(fd);  // after fsync, a failing close loses nothing
    if (ok) syncFolder(folder);
    return ok;
}

}  // namespace

bool writeFileAtomically(const std::string& path, std::string_view content) {
    return writeAtomically(path, content, false);
}

bool writeOwnerOnlyFileAtomically(const std::string& path, std::string_view content) {
    return writeAtomically(path, content, true);
}

FileRead readFileInPieces(const std::string& path,
                          const std::function<bool(std::string_view)>& take) {
    // Looked at before it is opened, so that no device is ever opened for a settings file; the
    // opened file is looked at again, since the name may have changed in between.
    struct stat st;
    if (::stat(path.c_str(), &st) != 0)
        return errno == ENOENT || errno == ENOTDIR ? FileRead::Missing : FileRead::Unreadable;
    if (!S_ISREG(st.st_mode)) return FileRead::Unreadable;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? FileRead::Missing : FileRead::Unreadable;
    FileRead result = FileRead::Read;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)
        result = FileRead::Unreadable;
    char piece[1 << 16];
    while (result == FileRead::Read) {
        const ssize_t n = ::read(fd, piece, sizeof piece);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) result = FileRead::Unreadable;
        if (n <= 0 || !take({piece, static_cast<size_t>(n)})) break;
    }
    ::close(fd);
    return result;
}

bool readFileBytes(const std::string& path, std::string& out, size_t maxBytes) {
    std::string bytes;
    bool tooLarge = false;
    const FileRead r = readFileInPieces(path, [&](std::string_view piece) {
        tooLarge = piece.size() > maxBytes - bytes.size();
        if (!tooLarge) bytes += piece;
        return !tooLarge;
    });
    if (r != FileRead::Read || tooLarge) return false;
    out = std::move(bytes);
    return true;
}

}  // namespace orvala
