// Feeds the settings reader's fuzz entry point its checked-in corpus, then seeded random and
// mutated files, so that whatever once broke it stays fixed. The entry point aborts on a broken
// property.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/game/random_source.h"
#include "core/settings/settings_file.h"
#include "core/text/atomic_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace orvala {
namespace {

int feed(const std::string& bytes) {
    return LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

std::vector<std::string> corpus() {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(ORVALA_SETTINGS_CORPUS)) {
        std::string bytes;
        if (entry.is_regular_file() && readFileBytes(entry.path().string(), bytes))
            files.push_back(bytes);
    }
    return files;
}

TEST(SettingsCorpus, EveryCheckedInFileReadsSafely) {
    const auto files = corpus();
    ASSERT_GE(files.size(), 10u) << "corpus folder " << ORVALA_SETTINGS_CORPUS;
    for (const auto& f : files) EXPECT_EQ(feed(f), 0);
}

// Line-aware mutations find the guarded tail far more often than flipping bytes alone.
TEST(SettingsCorpus, SeededRandomAndMutatedFiles) {
    SeededRandom rng(20240601);
    const auto files = corpus();
    std::string alphabet =
        "0123456789#RLMW-\r\n \xE8\xEB\xFF"
        "abc";
    alphabet += '\0';
    for (int i = 0; i < 1500; ++i) {
        std::string bytes(static_cast<size_t>(rng.uniform(0, 400)), '\0');
        for (char& c : bytes)
            c = alphabet[static_cast<size_t>(rng.uniform(0, int(alphabet.size()) - 1))];
        feed(bytes);
    }
    int outcomes[5] = {};
    for (int i = 0; i < 3000; ++i) {
        std::string bytes = files[static_cast<size_t>(rng.uniform(0, int(files.size()) - 1))];
        const int edits = rng.uniform(1, 6);
        for (int e = 0; e < edits && !bytes.empty(); ++e) {
            const size_t at = static_cast<size_t>(rng.uniform(0, int(bytes.size()) - 1));
            switch (rng.uniform(0, 4)) {
                case 0:
                    bytes[at] = static_cast<char>(rng.uniform(0, 255));
                    break;
                case 1:
                    bytes.erase(at, static_cast<size_t>(rng.uniform(1, 12)));
                    break;
                case 2:
                    bytes.insert(at, "\r\n");
                    break;
                case 3:
                    bytes.insert(at, std::string(static_cast<size_t>(rng.uniform(1, 30)), 'x'));
                    break;
                default: {  // empty one line: the guards' favourite case
                    const size_t end = bytes.find('\r', at);
                    bytes.erase(at, end == std::string::npos ? std::string::npos : end - at);
                }
            }
        }
        EXPECT_EQ(feed(bytes), 0);
        Settings s;
        ++outcomes[static_cast<int>(decodeSettingsFile(bytes, s).outcome)];
    }
    // The mutations reach every way a reading can end, so the guards are all exercised.
    for (int o = 1; o < 4; ++o) EXPECT_GT(outcomes[o], 50) << "outcome " << o;
}

}  // namespace
}  // namespace orvala
