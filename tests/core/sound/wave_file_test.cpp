// The wave reader against what the game writes and against bytes it must refuse.

#include "core/sound/wave_file.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace orvala {
namespace {

std::span<const std::uint8_t> bytesOf(const std::string& s) {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

TEST(WaveFile, WhatTheGameWritesReadsBackWithItsLength) {
    const std::vector<std::int16_t> samples(22050 / 4 + 1, 1000);  // a quarter second and one
    const std::string file = writeWave(samples, 22050);
    const auto wave = readWave(bytesOf(file));
    ASSERT_TRUE(wave);
    EXPECT_EQ(wave->channels, 1);
    EXPECT_EQ(wave->bitsPerSample, 16);
    EXPECT_EQ(wave->offset, 44u);
    EXPECT_EQ(wave->size, samples.size() * 2);
    EXPECT_EQ(wave->durationMs(), 251);  // rounded up: the last sample still plays
}

TEST(WaveFile, OtherChunksAreSteppedOverAndAShortDataChunkIsCutToWholeFrames) {
    std::string file = writeWave(std::vector<std::int16_t>(100, 7), 8000);
    // A "LIST" chunk of odd length (padded) between the format and the samples.
    file.insert(36, std::string("LIST\x03\x00\x00\x00"
                                "abc\x00",
                                12));
    auto wave = readWave(bytesOf(file));
    ASSERT_TRUE(wave);
    EXPECT_EQ(wave->offset, 56u);
    EXPECT_EQ(wave->size, 200u);
    // The file cut short inside a sample: what is there, in whole samples.
    file.resize(file.size() - 3);
    wave = readWave(bytesOf(file));
    ASSERT_TRUE(wave);
    EXPECT_EQ(wave->size, 196u);
}

TEST(WaveFile, WhatCannotBePlayedIsRefused) {
    const std::string good = writeWave(std::vector<std::int16_t>(10, 0), 22050);
    auto patched = [&](size_t at, std::string bytes) {
        std::string s = good;
        s.replace(at, bytes.size(), bytes);
        return s;
    };
    const std::vector<std::string> bad = {
        "",
        "RIFF",
        good.substr(0, 30),                               // the format chunk cut
        patched(0, "RIFX"),                               // not RIFF
        patched(20, std::string("\x02\x00", 2)),          // not PCM
        patched(22, std::string("\x03\x00", 2)),          // three channels
        patched(34, std::string("\x18\x00", 2)),          // 24-bit
        patched(24, std::string("\x10\x00\x00\x00", 4)),  // 16 samples a second
        patched(16, std::string("\xFF\xFF\xFF\x7F", 4)),  // a format chunk past the end
        patched(12, "data"),                              // samples before any format
    };
    for (const auto& b : bad) EXPECT_FALSE(readWave(bytesOf(b))) << b.size();
}

// Damaged copies of a good wave through the fuzz target, which aborts on a broken property:
// bytes changed anywhere, and the file cut at every length.
TEST(WaveFile, DamagedWavesAreAnsweredSafely) {
    const std::string good = writeWave(std::vector<std::int16_t>(64, -3), 11025);
    std::mt19937 random(5);
    int accepted = 0;
    for (int i = 0; i < 4000; ++i) {
        std::string bad = good;
        for (int k = 0; k < 1 + i % 4; ++k) bad[random() % 48] = static_cast<char>(random() % 256);
        LLVMFuzzerTestOneInput(bytesOf(bad).data(), bad.size());
        accepted += readWave(bytesOf(bad)).has_value();
    }
    // Some damage only touches what the reader does not need (sizes it recomputes, the byte
    // rate); most of it is refused.
    EXPECT_GT(accepted, 0);
    EXPECT_LT(accepted, 4000);
    for (size_t n = 0; n <= good.size(); ++n) {
        LLVMFuzzerTestOneInput(bytesOf(good).data(), n);
        EXPECT_EQ(readWave(bytesOf(good).first(n)).has_value(), n >= 44) << n;
    }
}

}  // namespace
}  // namespace orvala
