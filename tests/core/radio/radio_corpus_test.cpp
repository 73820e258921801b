// Feeds the radio readers' fuzz entry point its checked-in corpus and mutated station lists, so
// that whatever once broke a reader stays fixed. The entry point aborts on a broken property.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/game/random_source.h"
#include "core/text/atomic_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace orvala {
namespace {

int feed(const std::string& bytes) {
    return LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

TEST(RadioCorpus, CheckedInAndMutatedFilesReadSafely) {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(ORVALA_RADIO_CORPUS)) {
        std::string bytes;
        if (entry.is_regular_file() && readFileBytes(entry.path().string(), bytes))
            files.push_back(bytes);
    }
    ASSERT_GE(files.size(), 10u) << "corpus folder " << ORVALA_RADIO_CORPUS;
    for (const auto& f : files) EXPECT_EQ(feed(f), 0);

    // Field separators, line ends and scheme pieces are what the readers decide on.
    const std::string pieces[] = {"#", "\r\n", "\n", "http://", "https://", " ", "~", "\0", "\xFF"};
    SeededRandom rng(20261209);
    for (int i = 0; i < 3000; ++i) {
        std::string bytes = files[static_cast<size_t>(rng.uniform(0, int(files.size()) - 1))];
        for (int e = rng.uniform(1, 6); e > 0; --e) {
            const size_t at =
                bytes.empty() ? 0 : static_cast<size_t>(rng.uniform(0, int(bytes.size()) - 1));
            if (rng.uniform(0, 1) == 0 && !bytes.empty())
                bytes.erase(at, static_cast<size_t>(rng.uniform(1, 8)));
            else
                bytes.insert(at, pieces[rng.uniform(0, 8)]);
        }
        EXPECT_EQ(feed(bytes), 0);
    }
}

}  // namespace
}  // namespace orvala
