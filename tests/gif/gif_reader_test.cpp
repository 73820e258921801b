// The reader over damaged and hostile files, and the fuzz target's corpus replayed through its
// entry point (which aborts on a broken property). The corpus is what `gifCorpus()` makes;
// after a deliberate change, write it again with ORVALA_REGENERATE_CORPUS=1 build/bin/test_gif.

#include "gif/gif_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "core/text/atomic_file.h"
#include "gif/gif_test_pictures.h"
#include "gif/gif_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace orvala {
namespace {

std::string goodGif() {
    std::vector<GifFrame> frames;
    for (int step = 0; step < 3; ++step) {
        GifFrame f = test::tablePicture(64, 64, step == 2 ? 5000 : 1000);
        test::drawCard(f, 2 + 4 * step, 1);
        frames.push_back(f);
    }
    frames.push_back(frames.back());  // an unchanged picture
    std::string bytes;
    EXPECT_TRUE(encodeAnimatedGif(frames, bytes).ok);
    return bytes;
}

std::string withVersion(std::string bytes, const char* version) {
    bytes.replace(0, 6, version);
    return bytes;
}

TEST(GifReader, DamagedFilesAreRefusedWithAReason) {
    const std::string good = goodGif();
    ASSERT_TRUE(readGifInfoFromBytes(good).valid);

    const std::map<std::string, std::pair<std::string, std::string>> cases = {
        {"empty", {"", "not a GIF"}},
        {"signature", {withVersion(good, "PNG89a"), "not a GIF"}},
        {"GIF87a", {withVersion(good, "GIF87a"), "GIF87a"}},
        {"other version", {withVersion(good, "GIF90a"), "not a GIF89a"}},
        {"no trailer", {good.substr(0, good.size() - 1), "damaged or truncated"}},
        {"no pictures", {test::handMadeGif(4, 4, 0), "no pictures"}},
        {"huge screen", {test::handMadeGif(9000, 10, 1), "outside"}},
        {"zero screen", {test::handMadeGif(0, 10, 1), "outside"}},
        {"picture outside", {test::handMadeGif(4, 4, 1, 4), "outside the picture area"}},
        {"too many pictures", {test::handMadeGif(2, 2, kGifMaxFrames + 1), "more than 10000"}},
    };
    for (const auto& [name, c] : cases) {
        const GifInfo info = readGifInfoFromBytes(c.first);
        EXPECT_FALSE(info.valid) << name;
        EXPECT_TRUE(info.delaysMs.empty()) << name;
        EXPECT_NE(info.error.find(c.second), std::string::npos) << name << ": " << info.error;
    }
    EXPECT_TRUE(readGifInfoFromBytes(test::handMadeGif(2, 2, kGifMaxFrames)).valid);

    // Cut anywhere, the file is refused, and decoding it gives nothing.
    const std::string file =
        (std::filesystem::temp_directory_path() / ("orvala_cut_" + std::to_string(::getpid())))
            .string();
    for (std::size_t n = 0; n < good.size(); ++n) {
        const GifInfo info = readGifInfoFromBytes(good.substr(0, n));
        EXPECT_FALSE(info.valid) << "cut at " << n;
        EXPECT_FALSE(info.error.empty()) << "cut at " << n;
        if (n % 16 != 0) continue;
        ASSERT_TRUE(writeFileAtomically(file, good.substr(0, n)));
        std::string error;
        EXPECT_TRUE(decodeGifFrames(file, &error).empty()) << "cut at " << n;
        EXPECT_FALSE(error.empty());
    }
    std::filesystem::remove(file);
    EXPECT_EQ(readGifInfo("/nonexistent/orvala.gif").error, "no such file");
    EXPECT_EQ(readGifInfo("/").error, "cannot be read");
}

// The corpus: files of this encoder ("good_") and damaged ones ("bad_").
std::map<std::string, std::string> gifCorpus() {
    const std::string good = goodGif();
    return {
        {"good_recording.gif", good},
        {"good_hand_made.gif", test::handMadeGif(3, 2, 2)},
        {"bad_truncated.gif", good.substr(0, good.size() / 2)},
        {"bad_gif87a.gif", withVersion(good, "GIF87a")},
        {"bad_signature.gif", withVersion(good, "GIF8x9")},
        {"bad_outside.gif", test::handMadeGif(4, 4, 1, 9)},
        {"bad_huge_screen.gif", test::handMadeGif(8193, 8193, 1)},
    };
}

TEST(GifReader, TheCheckedInCorpusReadsAsNamed) {
    const std::filesystem::path dir = ORVALA_GIF_CORPUS;
    if (std::getenv("ORVALA_REGENERATE_CORPUS")) {
        for (const auto& [name, bytes] : gifCorpus())
            std::ofstream(dir / name, std::ios::binary) << bytes;
        GTEST_SKIP() << "regenerated " << dir;
    }
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        std::string bytes;
        ASSERT_TRUE(readFileBytes(entry.path().string(), bytes)) << entry.path();
        EXPECT_EQ(LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                         bytes.size()),
                  0);
        const std::string name = entry.path().filename().string();
        EXPECT_EQ(readGifInfoFromBytes(bytes).valid, name.starts_with("good_")) << name;
        ++files;
    }
    EXPECT_GE(files, 7) << "run with ORVALA_REGENERATE_CORPUS=1";
}

}  // namespace
}  // namespace orvala
