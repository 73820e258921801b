#pragma once
// Wave files in memory: RIFF "WAVE" with a PCM "fmt " chunk and a "data" chunk.
//
// readWave takes untrusted bytes (the clips of a voice library found beside the program) and
// answers where the samples lie, or nothing for anything it cannot play: another container, a
// compressed format, more than two channels, an odd sample size or rate, chunks that run past
// the end. A data chunk that claims more bytes than follow (a file written while streaming) is
// cut to what is there, in whole frames.
//
// writeWave makes the game's own sounds: 16-bit mono PCM.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace orvala {

struct WaveData {
    int channels = 1;
    int sampleRate = 22050;
    int bitsPerSample = 16;
    std::size_t offset = 0;  // of the first sample in the file
    std::size_t size = 0;    // bytes of samples, whole frames

    int frameBytes() const { return channels * bitsPerSample / 8; }
    // The playing time, rounded up to the next millisecond.
    int durationMs() const;
};

std::optional<WaveData> readWave(std::span<const std::uint8_t> bytes);

std::string writeWave(std::span<const std::int16_t> samples, int sampleRate);

}  // namespace orvala
