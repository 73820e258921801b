// orvala-tool replay: a game log run through the rules again.
//
//   orvala-tool replay FILE [--deal N]   the steps of deal N (default 1): what the deal showed,
//                                        then each logged move ("step 3 bid 2 105") and what
//                                        the table showed, in the playthroughs' words; then the
//                                        logged scores
//   orvala-tool replay --check FILE      "valid games 1 deals N"
//
// Exit status 1 when the rules refuse a step of the log (or, printing a deal, a step of that deal
// or of one before it), 2 when the file cannot be read or is no game log.

#include <iostream>

#include "commands.h"
#include "core/records/game_log_file.h"
#include "core/text/atomic_file.h"

namespace orvala::tool {

int runReplay(Args& args) {
    const bool check = args.flag("check");
    const auto dealText = args.value("deal");
    const auto words = args.positional();
    args.finish();
    if (words.size() != 1) throw UsageError("replay takes one FILE");
    if (check && dealText) throw UsageError("--check replays every deal; --deal goes without it");
    const int deal =
        dealText ? parseInt(*dealText, "--deal", 1, static_cast<int>(lan::kMaxLoggedDeals)) : 1;
    const std::string& path = words[0];

    std::string bytes;
    if (!readFileBytes(path, bytes, kMaxGameLogBytes)) {
        std::cerr << "orvala-tool replay: " << path << ": cannot be read, or is too large\n";
        return 2;
    }
    const GameLogRead read = readGameLogText(bytes);
    if (!read.log) {
        std::cerr << "orvala-tool replay: " << path << ": " << read.error << '\n';
        return 2;
    }
    const GameLogFile& log = *read.log;
    const std::size_t deals = log.game.deals.size();
    GameLogEvents events;
    const GameLogReplay replay = replayGameLog(log, events);
    const auto refused = [&] {
        std::cout << "refused: " << replay.error << '\n';
        return 1;
    };
    if (check) {
        if (!replay.error.empty()) return refused();
        std::cout << "valid games 1 deals " << deals << '\n';
        return 0;
    }
    if (static_cast<std::size_t>(deal) > deals) {
        std::cerr << "orvala-tool replay: " << path << " holds " << deals << " deals\n";
        return 2;
    }
    const auto d = static_cast<std::size_t>(deal - 1);
    std::cout << "deal " << deal << '\n';
    if (d < events.size()) {
        for (std::size_t k = 0; k < events[d].size(); ++k) {
            // The logged move in the log's words, without its "move" (events have their own).
            if (k > 0)
                std::cout << "step " << k << ' '
                          << gameLogMoveLine(log.game.deals[d].moves[k - 1]).substr(5) << '\n';
            for (const TableEvent& e : events[d][k]) std::cout << describe(e) << '\n';
        }
    }
    // The replay stops at its first fault; the deal was shown whole unless it stopped there or
    // before.
    if (!replay.error.empty() && replay.states.size() <= static_cast<std::size_t>(deal))
        return refused();
    const auto& s = log.scores[d];
    std::cout << "scores " << s[1] << ' ' << s[2] << ' ' << s[3] << '\n';
    return 0;
}

}  // namespace orvala::tool
