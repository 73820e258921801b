#include "core/text/atomic_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>

namespace orvala {

bool writeFileAtomically(const std::string& path, std::string_view content) {
    const std::string temp = path + ".new";
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    const char* p = content.data();
    size_t left = content.size();
    bool ok = true;
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            ok = false;
            break;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    if (ok && ::fsync(fd) != 0) ok = false;
    if (::close(fd) != 0) ok = false;
    if (ok && std::rename(temp.c_str(), path.c_str()) != 0) ok = false;
    if (!ok) std::remove(temp.c_str());
    return ok;
}

bool readFileBytes(const std::string& path, std::string& out, size_t maxBytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    in.seekg(0, std::ios::end);
    std::streamoff size = in.tellg();
    if (size < 0 || static_cast<unsigned long long>(size) > maxBytes) return false;
    in.seekg(0, std::ios::beg);
    out.assign(static_cast<size_t>(size), '\0');
    if (size > 0 && !in.read(out.data(), size)) return false;
    return true;
}

}  // namespace orvala
