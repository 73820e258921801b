// Replays the game server fuzz target's corpus (fuzz/corpus/tourney_server, seeded by
// fuzz/tourney_server_seeds.py) through its entry point, which aborts on a broken property.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "core/text/atomic_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace orvala::service {
namespace {

TEST(TourneyServerCorpus, EveryInputKeepsTheTableSound) {
    int inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(ORVALA_TOURNEY_SERVER_CORPUS)) {
        std::string bytes;
        ASSERT_TRUE(readFileBytes(entry.path().string(), bytes));
        if (std::getenv("ORVALA_FUZZ_VERBOSE"))
            std::fprintf(stderr, "%s: ", entry.path().filename().c_str());
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        ++inputs;
    }
    EXPECT_GE(inputs, 10) << "the corpus is missing";
}

}  // namespace
}  // namespace orvala::service
