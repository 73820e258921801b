// orvala-tool history: appends one game to the history files of a folder as the end of a game
// does, or checks one history file.
//
//   orvala-tool history add DIR --player P --result R --rating X --kind local|account|tourney|net
//   orvala-tool history check FILE
//
// A file that fails its check prints "invalid" with exit status 2.

#include <charconv>
#include <iostream>

#include "commands.h"
#include "core/records/history_file.h"
#include "core/text/cp1251.h"

namespace orvala::tool {

namespace {

double parseRatingArg(const std::string& text) {
    double v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || v < -99.99 || v > 99.99)
        throw UsageError("--rating must be a number from -99.99 to 99.99, not \"" + text + "\"");
    return v;
}

HistoryKind parseKind(const std::string& text) {
    if (text == "local") return HistoryKind::Local;
    if (text == "account") return HistoryKind::Account;
    if (text == "tourney") return HistoryKind::Tourney;
    if (text == "net") return HistoryKind::Net;
    throw UsageError("--kind is local, account, tourney or net, not \"" + text + "\"");
}

}  // namespace

int runHistory(Args& args) {
    const auto player = args.value("player");
    const auto result = args.value("result");
    const auto rating = args.value("rating");
    const auto kind = args.value("kind");
    const auto words = args.positional();
    args.finish();
    if (words.size() != 2) throw UsageError("history takes add DIR or check FILE");
    if (words[0] == "check") {
        if (player || result || rating || kind) throw UsageError("options belong to history add");
        const HistoryCheck c = CheckHistoryFile(words[1]);
        if (!c.valid) {
            std::cout << "invalid\n";
            return 2;
        }
        std::cout << "valid games " << c.games << '\n';
        return 0;
    }
    if (words[0] != "add") throw UsageError("unknown history command \"" + words[0] + "\"");
    if (!player || !result || !rating || !kind)
        throw UsageError("--player, --result, --rating and --kind are required");
    HistoryRecord r;
    r.Player = utf8ToCp1251(*player);
    r.Result = parseInt(*result, "--result", -100000, 100000);
    r.Rating = parseRatingArg(*rating);
    r.Kind = parseKind(*kind);
    const HistoryWrite w = WriteHistory(words[1], {r}, historyStampNow());
    if (!w.setAside.empty()) std::cout << "damaged file set aside as " << w.setAside << '\n';
    if (!w.written) {
        std::cerr << "orvala-tool history add: Cann`t save history!\n";
        return 2;
    }
    std::cout << w.path << '\n';
    return 0;
}

}  // namespace orvala::tool
