// orvala-tool: the developer's command line over the game core.

#include <cstdio>
#include <iostream>
#include <string>

#include "commands.h"

namespace {

struct Command {
    const char* name;
    int (*run)(orvala::tool::Args&);
    const char* usage;
};

constexpr Command kCommands[] = {
    {"deal", orvala::tool::runDeal, "deal [--seed N] [--kon K] [--deals D] [--start500]"},
    {"score", orvala::tool::runScore,
     "score --declarer S --contract C --points P1,P2,P3 --scores S1,S2,S3 [--bolts B1,B2,B3] "
     "[--rules LINE]"},
    {"bid-limit", orvala::tool::runBidLimit, "bid-limit [--no-painting] CARD x7"},
    {"give", orvala::tool::runGive, "give --bid B [--no-painting] [--no-round5] CARD x10"},
    {"settings", orvala::tool::runSettings, "settings read FILE | write DIR [Field=value ...]"},
    {"words", orvala::tool::runWords, "words [--lang N]  (N = 0..9 or ENG, RUS, ...)"},
    {"solve", orvala::tool::runSolve,
     "solve --contract C --scores A,B,C --declarer P [--trump SUIT] [--prune] [--trick CARDS] "
     "[--oracle] MOVER NEXT THIRD  (hands: comma-separated cards, mover first)"},
    {"selfplay", orvala::tool::runSelfplay,
     "selfplay --games N --seed S [--rules LINE] [--log FILE]"},
    {"match", orvala::tool::runMatch,
     "match --deals N --seed S --a LEVEL --b LEVEL [--rules LINE] [--threads N]  (duplicate deals; "
     "LEVEL: classic, expert, random)"},
    {"bench", orvala::tool::runBench, "bench  (the search's node count and hash of its choices)"},
    {"gif-info", orvala::tool::runGifInfo,
     "gif-info FILE  (a recorded deal's size, frames and delays)"},
    {"calendar", orvala::tool::runCalendar,
     "calendar --date YYYY-MM-DD [--lang N]  (the calendar cards of a day)"},
    {"sounds", orvala::tool::runSounds, "sounds  (the wave sounds with their lengths)"},
    {"voices", orvala::tool::runVoices, "voices FILE  (the spoken card names of a voice library)"},
    {"club", orvala::tool::runClub,
     "club check FILE | new FILE | game FILE --name N --result R [--new] [--password P]"},
    {"history", orvala::tool::runHistory,
     "history add DIR --player P --result R --rating X --kind local|account|tourney|net | "
     "check FILE"},
    {"replay", orvala::tool::runReplay,
     "replay FILE [--deal N] | replay --check FILE  (a game log through the rules)"},
    {"lan", orvala::tool::runLan,
     "lan host --port P --name NAME [--seed S] [--players 2|3] [--deals D] [--rules LINE] | "
     "lan join --address A --port P --name NAME [--seed S] [--deals D] "
     "[--leave-after-deal K [--rejoin-after-deal M]]"},
    {"tourney", orvala::tool::runTourney,
     "tourney --service URL --nick N --password P --table T --seat S [--seed X] "
     "[--leave-after D | --stall-after D | --cheat-after D | --drop-after D [--reconnect-ms T]]"},
#ifdef ORVALA_TOOL_ONLINE
    {"online", orvala::tool::runOnline,
     "online --service URL register NICK PW [--city C] [--country CODE] [--sex M|W] [--email E] | "
     "login NICK PW | records GID | rating-top | stat"},
    {"chat", orvala::tool::runChat,
     "chat --service URL post --nick N --city C [--country CODE] [--sex M|W] TEXT | read"},
#endif
};

void usage(std::ostream& out) {
    out << "usage: orvala-tool COMMAND [options]\n";
    for (const auto& c : kCommands) out << "  orvala-tool " << c.usage << '\n';
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        usage(std::cerr);
        return 2;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "help") {
        usage(std::cout);
        return 0;
    }
    for (const auto& c : kCommands) {
        if (name != c.name) continue;
        try {
            orvala::tool::Args args(argc, argv, 2);
            return c.run(args);
        } catch (const orvala::tool::UsageError& e) {
            std::cerr << "orvala-tool " << name << ": " << e.what() << "\nusage: orvala-tool "
                      << c.usage << '\n';
            return 2;
        }
    }
    std::cerr << "orvala-tool: unknown command \"" << name << "\"\n";
    usage(std::cerr);
    return 2;
}
