// Fuzz target of the history-file check. Any bytes give an answer; a valid file keeps its game
// lines when one more game is appended the way the writer does, and stays valid.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/records/history_file.h"

namespace {

void require(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "history reader property broken: %s\n", what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvala;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const HistoryCheck check = checkHistoryBytes(bytes);
    const auto lines = historyGameLines(bytes);
    require(check.valid || lines.empty(), "an invalid file gave lines");
    require(!check.valid || static_cast<int>(lines.size()) == check.games, "line count");
    for (const auto& line : lines) require(line.size() >= 114, "a short game line");
    return 0;
}
