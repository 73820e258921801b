// The HTTP fuzz target's corpus, replayed: every stored run of requests goes through the
// router to the handlers again, and the target itself aborts when the Zors stop adding up.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

TEST(HttpCorpus, EveryStoredRunOfRequestsKeepsTheZorsSum) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(ORVALA_HTTP_CORPUS)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), {});
        EXPECT_EQ(LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                         bytes.size()),
                  0)
            << entry.path();
        ++files;
    }
    EXPECT_GE(files, 9) << "the corpus is missing";
}

}  // namespace
