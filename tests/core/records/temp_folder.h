#pragma once
// A folder of the test's own under the system's temporary folder, removed with everything in it
// when the test ends.

#include <unistd.h>

#include <filesystem>
#include <string>

namespace orvala::testing {

struct TempFolder {
    std::filesystem::path path;
    explicit TempFolder(const std::string& prefix) {
        path = std::filesystem::temp_directory_path() /
               (prefix + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(path);
    }
    ~TempFolder() { std::filesystem::remove_all(path); }
    std::string file(const char* name) const { return (path / name).string(); }
    static inline int counter = 0;
};

}  // namespace orvala::testing
