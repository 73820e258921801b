// Feeds a reader's fuzz entry point its checked-in corpus and seeded mutations of it, so that
// whatever once broke the reader stays fixed. The entry point aborts on a broken property.

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

TEST(RecordsCorpus, CheckedInFilesAndTheirMutationsReadSafely) {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(ORVALA_RECORDS_CORPUS)) {
        std::string bytes;
        if (entry.is_regular_file() && readFileBytes(entry.path().string(), bytes))
            files.push_back(bytes);
    }
    ASSERT_GE(files.size(), 3u) << ORVALA_RECORDS_CORPUS;
    for (const auto& f : files) EXPECT_EQ(feed(f), 0);
    SeededRandom rng(20261209);
    for (int i = 0; i < 2000; ++i) {
        std::string bytes = files[static_cast<size_t>(rng.uniform(0, int(files.size()) - 1))];
        for (int e = rng.uniform(1, 4); e > 0 && !bytes.empty(); --e) {
            const size_t at = static_cast<size_t>(rng.uniform(0, int(bytes.size()) - 1));
            switch (rng.uniform(0, 3)) {
                case 0:
                    bytes[at] = static_cast<char>(rng.uniform(0, 255));
                    break;
                case 1:
                    bytes.erase(at, static_cast<size_t>(rng.uniform(1, 40)));
                    break;
                case 2:
                    bytes.insert(at, "\r\n");
                    break;
                default:
                    bytes.insert(at, std::string(static_cast<size_t>(rng.uniform(1, 9)), '#'));
            }
        }
        EXPECT_EQ(feed(bytes), 0);
    }
}

}  // namespace
}  // namespace orvala
