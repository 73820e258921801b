// Feeds the LAN readers' fuzz entry point its checked-in corpus, then seeded random and mutated
// messages, so that whatever once broke them stays fixed. The entry point aborts on a broken
// property.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/game/random_source.h"
#include "core/text/atomic_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace orvala {
namespace {

void feed(const std::string& bytes) {
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

std::vector<std::string> corpus() {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(ORVALA_LAN_CORPUS)) {
        std::string bytes;
        if (entry.is_regular_file() && readFileBytes(entry.path().string(), bytes))
            files.push_back(bytes);
    }
    return files;
}

TEST(LanCorpus, EveryCheckedInMessageReadsSafely) {
    const auto files = corpus();
    ASSERT_GE(files.size(), 20u) << "corpus folder " << ORVALA_LAN_CORPUS;
    for (const auto& f : files) feed(f);
}

// Mutations of real messages reach far deeper than random bytes: most keep their kind's head.
TEST(LanCorpus, MutatedMessages) {
    SeededRandom rng(20261209);
    const auto files = corpus();
    const std::string alphabet = "hbs#i+pa0123456789xe\xC8\xCB\xD2\xEF";
    for (int i = 0; i < 3000; ++i) {
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
}  // namespace orvala
