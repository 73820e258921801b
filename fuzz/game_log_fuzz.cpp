// Fuzz target of the game log reader. Any bytes give an answer; a log it accepts is written
// again to the same text's meaning (reading the written text gives the same log), and its
// replay through the rules either ends or names the step it stopped at.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "core/records/game_log_file.h"

namespace {

void require(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "game log property broken: %s\n", what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvala;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const GameLogRead r = readGameLogText(bytes);
    require(r.log.has_value() == r.error.empty(), "a log and an error together, or neither");
    if (!r.log) {
        require(r.error.starts_with("line ") || size > kMaxGameLogBytes, "an error without a line");
        return 0;
    }
    const GameLogFile& log = *r.log;
    require(log.scores.size() == log.game.deals.size(), "a deal without its scores");
    const GameLogRead again = readGameLogText(writeGameLogText(log));
    require(again.log && *again.log == log, "the written log reads differently");
    const GameLogReplay replay = replayGameLog(log);
    require(replay.states.size() <= log.game.deals.size(), "more deals replayed than logged");
    require(!replay.error.empty() || replay.states.size() == log.game.deals.size(),
            "a replay that stopped without a reason");
    return 0;
}
