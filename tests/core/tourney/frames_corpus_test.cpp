// Feeds the tournament readers' fuzz entry point real frames and streams of them, then seeded
// mutations of those, so that whatever once broke them stays fixed. The entry point aborts on a
// broken property.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/game/random_source.h"
#include "core/game/shuffle.h"
#include "core/tourney/frames.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace orvala::tourney {
namespace {

void feed(const std::string& bytes) {
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

std::vector<std::string> seeds() {
    SeededRandom random(4);
    const std::string deal = dealFrame(Shuffle(random));
    const std::string step = longFrame("h2iiiiiiia###i###i###iiiiiiiiiiiiiiii3", 2);
    lan::GameLog log;
    log.names = {"", "Ann   ", "Bob   ", "Cy    "};
    log.dealt(lan::DealMessage{Shuffle(random), tableRules(4)});
    const std::string fresh = resumeFrame(2, log);
    log.deals[0].moves.push_back(lan::Move{lan::Move::Kind::Bid, 2, 100});
    const std::string bid = resumeFrame(3, log);
    return {fresh,
            bid,
            deal + step + fresh,
            deal,
            step,
            deal + step,
            deal + longFrame("h1eiiiiiii###i###i###iiiiiiiiiiiiii143", 1),
            longFrame("shi", 1) + gameOverFrame(),
            leftFrame(2) + timeOutFrame(3),
            seatNoticeFrame(1, false, "Ann") + seatNoticeFrame(1, true, "Ann"),
            shortFrame("connect1", 1) + shortFrame("bnext", 1) + longFrame("disA", 1),
            shortFrame(resultReport({0, 300, 400, 500}), 1),
            "GET / HTTP/1.1\r\n\r\n",
            ""};
}

TEST(TourneyCorpus, RealFramesReadSafely) {
    for (const auto& s : seeds()) feed(s);
}

TEST(TourneyCorpus, MutatedFrames) {
    SeededRandom rng(20261210);
    const auto files = seeds();
    const std::string alphabet = "hbsTaeocdr#i+p0123456789x\xC8\xCB\xD2\xEF";
    for (int i = 0; i < 1500; ++i) {
        std::string bytes = files[static_cast<std::size_t>(rng.uniform(0, int(files.size()) - 1))];
        for (int e = rng.uniform(1, 4); e > 0 && !bytes.empty(); --e) {
            const auto at = static_cast<std::size_t>(rng.uniform(0, int(bytes.size()) - 1));
            switch (rng.uniform(0, 2)) {
                case 0:
                    bytes[at] = alphabet[static_cast<std::size_t>(
                        rng.uniform(0, int(alphabet.size()) - 1))];
                    break;
                case 1:
                    bytes.erase(at, 1);
                    break;
                default:
                    bytes.insert(at, 1, static_cast<char>(rng.uniform(0, 255)));
            }
        }
        feed(bytes);
    }
}

}  // namespace
}  // namespace orvala::tourney
