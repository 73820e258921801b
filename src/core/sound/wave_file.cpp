#include "core/sound/wave_file.h"

#include <cstring>

namespace orvala {
namespace {

std::uint32_t le32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t{p[3]} << 24);
}
std::uint16_t le16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

void put32(std::string& s, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}
void put16(std::string& s, std::uint16_t v) {
    s.push_back(static_cast<char>(v & 0xFF));
    s.push_back(static_cast<char>(v >> 8));
}

}  // namespace

int WaveData::durationMs() const {
    const std::uint64_t frames = size / static_cast<std::uint64_t>(frameBytes());
    return static_cast<int>((frames * 1000 + static_cast<std::uint64_t>(sampleRate) - 1) /
                            static_cast<std::uint64_t>(sampleRate));
}

std::optional<WaveData> readWave(std::span<const std::uint8_t> bytes) {
    const std::size_t n = bytes.size();
    const std::uint8_t* b = bytes.data();
    if (n < 12 || std::memcmp(b, "RIFF", 4) != 0 || std::memcmp(b + 8, "WAVE", 4) != 0)
        return std::nullopt;
    std::optional<WaveData> format;
    std::size_t at = 12;
    // Chunks are walked in order; others ("LIST", "fact") are stepped over. The format must
    // come before the samples.
    while (n - at >= 8) {
        const std::uint32_t size = le32(b + at + 4);
        const std::size_t body = at + 8;
        if (std::memcmp(b + at, "fmt ", 4) == 0) {
            if (size < 16 || size > n - body) return std::nullopt;
            WaveData w;
            const int tag = le16(b + body);
            w.channels = le16(b + body + 2);
            const std::uint32_t rate = le32(b + body + 4);
            w.bitsPerSample = le16(b + body + 14);
            if (tag != 1 || w.channels < 1 || w.channels > 2 ||
                (w.bitsPerSample != 8 && w.bitsPerSample != 16) || rate < 4000 || rate > 192000)
                return std::nullopt;
            w.sampleRate = static_cast<int>(rate);
            format = w;
        } else if (std::memcmp(b + at, "data", 4) == 0) {
            if (!format) return std::nullopt;
            WaveData w = *format;
            w.offset = body;
            const std::size_t there = n - body;
            const std::size_t claimed = size < there ? size : there;
            w.size = claimed - claimed % static_cast<std::size_t>(w.frameBytes());
            return w;
        }
        const std::size_t step = std::size_t{size} + (size & 1);
        if (step > n - body) return std::nullopt;
        at = body + step;
    }
    return std::nullopt;
}

std::string writeWave(std::span<const std::int16_t> samples, int sampleRate) {
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::string s;
    s.reserve(44 + dataBytes);
    s += "RIFF";
    put32(s, 36 + dataBytes);
    s += "WAVEfmt ";
    put32(s, 16);
    put16(s, 1);  // PCM
    put16(s, 1);  // mono
    put32(s, static_cast<std::uint32_t>(sampleRate));
    put32(s, static_cast<std::uint32_t>(sampleRate) * 2);
    put16(s, 2);
    put16(s, 16);
    s += "data";
    put32(s, dataBytes);
    for (std::int16_t v : samples) put16(s, static_cast<std::uint16_t>(v));
    return s;
}

}  // namespace orvala
