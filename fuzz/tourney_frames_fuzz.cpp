// Fuzz target of the tournament's readers. Any bytes go to both frame readers, whole and cut in
// two, to the deal, report and resume readers, and to a player of each seat. Nothing may crash;
// both ways of reading a stream must give the same frames, each of its kind's length (a resume
// the length it declares); a deal that reads must carry a whole deck; a resume that reads is
// written back to the same seat and log; a player's rules state stays in a state the game
// knows. A broken property aborts.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <type_traits>

#include "core/game/random_players.h"
#include "core/lan/rejoin_messages.h"
#include "core/tourney/frames.h"
#include "core/tourney/tourney_peer.h"

namespace {

void require(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "tournament reader property broken: %s\n", what);
        std::abort();
    }
}

template <typename Reader>
void cutTheSame(std::string_view bytes) {
    Reader whole, cut;
    const auto all = whole.feed(bytes);
    auto parts = cut.feed(bytes.substr(0, bytes.size() / 2));
    for (auto& f : cut.feed(bytes.substr(bytes.size() / 2))) parts.push_back(f);
    require(all == parts && whole.broken() == cut.broken(), "a cut stream reads differently");
    for (const auto& f : all) {
        if (f[0] == 'r' && std::is_same_v<Reader, orvala::tourney::ServerFrameReader>) {
            // A resume is as long as it says.
            require(orvala::lan::resumeLength(f) == f.size(), "a resume of another length");
            continue;
        }
        require(f.size() == orvala::tourney::kShortFrame ||
                    f.size() == orvala::tourney::kLongFrame ||
                    f.size() == orvala::tourney::kDealFrame,
                "a frame of no kind's length");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orvala;
    using namespace orvala::tourney;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    cutTheSame<ServerFrameReader>(bytes);
    cutTheSame<PlayerFrameReader>(bytes);
    if (const auto deal = parseDealFrame(bytes, 7))
        require(dealFrame(deal->deck) == bytes, "deal round trip");
    if (const auto report = parseResultReport(bytes)) (void)report;
    if (const auto resume = parseResumeFrame(bytes)) {
        const auto again = parseResumeFrame(resumeFrame(resume->seat, resume->log));
        require(again && again->seat == resume->seat && again->log == resume->log,
                "resume round trip");
    }

    for (int seat = 1; seat <= 3; ++seat) {
        SeededRandom random(static_cast<std::uint64_t>(seat));
        RandomPlayers players(random);
        TourneyPeer peer(1 + seat * 3, seat, players, PlayerStart{"Fuzz"});
        peer.receive(bytes);
        AutoPilot pilot(players);
        for (int n = 0; n < 5 && peer.autoplay(pilot); ++n) {
        }
        require(isGameState(stateNumber(peer.state().g.GameState)), "an unknown state");
        peer.takeOutgoing();
    }
    return 0;
}
