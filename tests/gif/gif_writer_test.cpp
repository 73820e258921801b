// The encoder, checked through the reader and through giflib's own view of the stored images.

#include "gif/gif_writer.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/text/atomic_file.h"
#include "gif/gif_changes.h"
#include "gif/gif_reader.h"
#include "gif/gif_test_pictures.h"

namespace orvala {
namespace {

namespace fs = std::filesystem;
using test::drawCard;
using test::tablePicture;

class GifWriterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("orvala_gif_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string path(const std::string& name) const { return (dir_ / name).string(); }

    fs::path dir_;
};

// The stored image rectangles, as giflib reads them.
std::vector<GifImageDesc> storedImages(const std::string& file) {
    int err = 0;
    GifFileType* gif = DGifOpenFileName(file.c_str(), &err);
    std::vector<GifImageDesc> out;
    if (!gif) return out;
    if (DGifSlurp(gif) == GIF_OK)
        for (int i = 0; i < gif->ImageCount; ++i) out.push_back(gif->SavedImages[i].ImageDesc);
    DGifCloseFile(gif, &err);
    return out;
}

std::vector<GifFrame> movingCard() {
    std::vector<GifFrame> frames;
    for (int step = 0; step < 3; ++step) {
        GifFrame f = tablePicture(120, 90, step == 2 ? 5000 : 1000);
        drawCard(f, 10 + 30 * step, 12 + 5 * step);
        frames.push_back(f);
    }
    return frames;
}

TEST_F(GifWriterTest, FewColoursComeBackExactlyWithTheirDelays) {
    std::vector<GifFrame> frames = movingCard();
    frames[0].pixels[0] &= 0x00ffffffu;  // alpha is not recorded: the window is opaque
    const std::string file = path("deal.gif");
    const GifWriteResult w = writeAnimatedGif(file, frames);
    ASSERT_TRUE(w.ok) << w.error;

    const GifInfo info = readGifInfo(file);
    ASSERT_TRUE(info.valid) << info.error;
    EXPECT_EQ(info.width, 120);
    EXPECT_EQ(info.height, 90);
    EXPECT_EQ(info.delaysMs, (std::vector<int>{1000, 1000, 5000}));

    std::string error;
    const auto decoded = decodeGifFrames(file, &error);
    ASSERT_EQ(decoded.size(), 3u) << error;
    for (std::size_t i = 0; i < 3; ++i) {
        std::vector<std::uint32_t> expected = frames[i].pixels;
        for (auto& p : expected) p |= 0xff000000u;
        EXPECT_EQ(decoded[i], expected) << "picture " << i + 1;
    }

    // The later pictures hold only the union of where the card was and where it is.
    const auto images = storedImages(file);
    ASSERT_EQ(images.size(), 3u);
    EXPECT_EQ(images[0].Width, 120);
    EXPECT_EQ(images[0].Height, 90);
    EXPECT_EQ(images[1].Left, 10);
    EXPECT_EQ(images[1].Top, 12);
    EXPECT_EQ(images[1].Width, 70);
    EXPECT_EQ(images[1].Height, 65);
}

TEST_F(GifWriterTest, ManyColoursComeBackClose) {
    std::vector<GifFrame> frames;
    for (int k = 0; k < 2; ++k) {
        GifFrame f{256, 96, {}, 1000};
        for (int y = 0; y < f.height; ++y)
            for (int x = 0; x < f.width; ++x)
                f.pixels.push_back(0xff000000u | std::uint32_t(x) << 16 |
                                   std::uint32_t((y * 8 + k * 40) & 0xff) << 8 |
                                   std::uint32_t((x + y) & 0xff));
        frames.push_back(f);
    }
    const std::string file = path("colours.gif");
    ASSERT_TRUE(writeAnimatedGif(file, frames).ok);
    std::string error;
    const auto decoded = decodeGifFrames(file, &error);
    ASSERT_EQ(decoded.size(), 2u) << error;
    for (std::size_t i = 0; i < 2; ++i) {
        double total = 0;
        int worst = 0;
        for (std::size_t p = 0; p < decoded[i].size(); ++p)
            for (int shift : {0, 8, 16}) {
                const int d = std::abs(int(decoded[i][p] >> shift & 0xff) -
                                       int(frames[i].pixels[p] >> shift & 0xff));
                total += d;
                worst = std::max(worst, d);
            }
        EXPECT_LT(total / (decoded[i].size() * 3.0), 10.0) << "picture " << i + 1;
        EXPECT_LE(worst, 48) << "picture " << i + 1;
    }
}

TEST_F(GifWriterTest, AnUnchangedPictureIsOnePixelAndKeepsItsDelay) {
    GifFrame a = tablePicture(80, 70, 300);
    drawCard(a, 5, 5);
    GifFrame same = a;
    same.delayMs = 700;
    GifFrame b = a;
    drawCard(b, 30, 0);
    b.delayMs = 5000;
    const std::string file = path("still.gif");
    ASSERT_TRUE(writeAnimatedGif(file, {a, same, b}).ok);

    EXPECT_EQ(readGifInfo(file).delaysMs, (std::vector<int>{300, 700, 5000}));
    const auto images = storedImages(file);
    ASSERT_EQ(images.size(), 3u);
    EXPECT_EQ(images[1].Width, 1);
    EXPECT_EQ(images[1].Height, 1);
    const auto decoded = decodeGifFrames(file, nullptr);
    ASSERT_EQ(decoded.size(), 3u);
    EXPECT_EQ(decoded[1], decoded[0]);
    EXPECT_EQ(decoded[2], b.pixels);
}

TEST_F(GifWriterTest, DelaysAreStoredInHundredthsOfASecond) {
    std::vector<GifFrame> frames;
    const int delays[] = {1000, 1004, 1005, 3, 0, 1'000'000};
    for (int i = 0; i < 6; ++i) {
        GifFrame f = tablePicture(16, 16, delays[i]);
        f.pixels[static_cast<std::size_t>(i)] = 0xffffffffu;
        frames.push_back(f);
    }
    std::string bytes;
    ASSERT_TRUE(encodeAnimatedGif(frames, bytes).ok);
    // A short delay is not stored as none; a long one is cut to the format's longest.
    EXPECT_EQ(readGifInfoFromBytes(bytes).delaysMs,
              (std::vector<int>{1000, 1000, 1010, 10, 0, 655350}));
}

TEST_F(GifWriterTest, ALongDealOfSmallMovesStaysSmall) {
    std::vector<GifFrame> frames;
    GifFrame f = tablePicture(760, 500, 1000);
    for (int i = 0; i < 250; ++i) {
        GifFrame g = f;
        drawCard(g, 20 + (i * 7) % 680, 30 + (i * 3) % 400);
        frames.push_back(std::move(g));
    }
    frames.back().delayMs = 5000;
    std::string bytes;
    const GifWriteResult r = encodeAnimatedGif(frames, bytes);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_LT(bytes.size(), 200'000u);
    const GifInfo info = readGifInfoFromBytes(bytes);
    ASSERT_EQ(info.delaysMs.size(), 250u);
    EXPECT_EQ(info.delaysMs.back(), 5000);
}

TEST_F(GifWriterTest, BadPicturesAndUnwritablePathsAreRefusedAndLeaveNoFile) {
    const std::vector<GifFrame> good = movingCard();
    std::vector<GifFrame> wrongSize = good;
    wrongSize[1] = tablePicture(121, 90, 1000);
    std::vector<GifFrame> shortPixels = good;
    shortPixels[2].pixels.pop_back();
    std::vector<GifFrame> negative = good;
    negative[1].delayMs = -1;
    struct Case {
        std::string file;
        std::vector<GifFrame> frames;
        std::string says;
    };
    fs::create_directories(dir_ / "folder.gif");
    writeFileAtomically(path("plain"), "not a folder");
    const Case cases[] = {
        {path("none.gif"), {}, "no pictures"},
        {path("size.gif"), wrongSize, "not 120 x 90"},
        {path("short.gif"), shortPixels, "pixels"},
        {path("negative.gif"), negative, "negative delay"},
        {path("missing/deal.gif"), good, "does not exist"},
        {path("plain/deal.gif"), good, "does not exist"},
        {path("folder.gif"), good, "cannot write"},
    };
    for (const Case& c : cases) {
        const GifWriteResult r = writeAnimatedGif(c.file, c.frames);
        EXPECT_FALSE(r.ok) << c.file;
        EXPECT_NE(r.error.find(c.says), std::string::npos) << c.file << ": " << r.error;
    }
    // Nothing was left behind: no recording, no temporary.
    std::vector<std::string> left;
    for (const auto& e : fs::directory_iterator(dir_)) left.push_back(e.path().filename());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"folder.gif", "plain"}));
    EXPECT_TRUE(fs::is_empty(dir_ / "folder.gif"));
}

// A recorder that keeps only what changed gets the same file as one that keeps whole pictures;
// changes that do not fit the picture are refused.
TEST_F(GifWriterTest, ChangesAloneGiveTheSameFileAndBadOnesAreRefused) {
    const std::vector<GifFrame> frames = movingCard();
    const int w = frames[0].width, h = frames[0].height;
    std::vector<GifChange> changes;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const GifRect r = i == 0 ? GifRect{0, 0, w, h}
                                 : changedRect(frames[i - 1].pixels, frames[i].pixels, w, h);
        GifChange c{r.left, r.top, r.width, r.height, {}, frames[i].delayMs};
        for (int y = r.top; y < r.top + r.height; ++y)
            for (int x = r.left; x < r.left + r.width; ++x) {
                const auto p = static_cast<std::size_t>(y * w + x);
                const bool same = i > 0 && frames[i - 1].pixels[p] == frames[i].pixels[p];
                c.pixels.push_back(same ? 0u : frames[i].pixels[p]);
            }
        changes.push_back(std::move(c));
    }
    std::string fromFrames, fromChanges;
    ASSERT_TRUE(encodeAnimatedGif(frames, fromFrames).ok);
    ASSERT_TRUE(encodeAnimatedGifChanges(w, h, changes, fromChanges).ok);
    EXPECT_EQ(fromChanges, fromFrames);

    std::vector<GifChange> outside = changes;
    outside[1].left = w - 1;
    EXPECT_FALSE(encodeAnimatedGifChanges(w, h, outside, fromChanges).ok);
    std::vector<GifChange> partFirst = changes;
    partFirst[0].pixels[0] = 0;  // the first picture must be whole
    const GifWriteResult r = encodeAnimatedGifChanges(w, h, partFirst, fromChanges);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.empty());
    EXPECT_TRUE(fromChanges.empty());
}

}  // namespace
}  // namespace orvala
