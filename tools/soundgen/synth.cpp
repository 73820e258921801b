#include "synth.h"

#include <algorithm>
#include <cmath>

namespace orvala::soundgen {
namespace {

constexpr double kPi = 3.14159265358979323846;

}  // namespace

double noteHz(int midiNote) {
    return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0);
}

void Buffer::tone(const Tone& t) {
    const size_t from = static_cast<size_t>(t.start * kRate);
    const size_t count = static_cast<size_t>(t.length * kRate);
    for (const auto& [multiple, level] : t.partials) {
        double phase = 0;
        for (size_t i = 0; i < count && from + i < s_.size(); ++i) {
            const double time = static_cast<double>(i) / kRate;
            const double bend = std::pow(t.glide, time / t.length);
            const double hz = t.hz * multiple * bend;
            if (hz >= kRate / 2.0) break;  // a partial above the band would only alias
            phase += 2 * kPi * hz / kRate;
            const double swell = t.attack > 0 ? std::min(1.0, time / t.attack) : 1.0;
            const double fall = std::exp(-t.decay * multiple * time);
            s_[from + i] += t.level * level * swell * fall * std::sin(phase);
        }
    }
}

void Buffer::brass(double hz, double start, double length, double level) {
    const size_t from = static_cast<size_t>(start * kRate);
    const size_t count = static_cast<size_t>(length * kRate);
    double low = 0;
    for (size_t i = 0; i < count && from + i < s_.size(); ++i) {
        const double time = static_cast<double>(i) / kRate;
        // Additive sawtooth: only the harmonics under the band, so nothing aliases.
        double saw = 0;
        for (int k = 1; k * hz < kRate / 2.2 && k <= 14; ++k)
            saw += std::sin(2 * kPi * hz * k * time) / k;
        const double swell = std::min(1.0, time / 0.03) *
                             (time > length - 0.06 ? std::max(0.0, (length - time) / 0.06) : 1.0);
        const double cutoff = 600 + 2400 * swell;
        const double a = 1 - std::exp(-2 * kPi * cutoff / kRate);
        low += a * (saw - low);
        s_[from + i] += level * swell * low;
    }
}

void Buffer::noise(double start, double length, double hz, double q, double level, double decay,
                   std::mt19937& random) {
    std::uniform_real_distribution<double> white(-1.0, 1.0);
    // A two-pole resonator (the constant-peak band-pass of the audio cookbook).
    const double w = 2 * kPi * hz / kRate, alpha = std::sin(w) / (2 * q);
    const double a0 = 1 + alpha, b0 = alpha / a0, b2 = -alpha / a0;
    const double a1 = -2 * std::cos(w) / a0, a2 = (1 - alpha) / a0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    const size_t from = static_cast<size_t>(start * kRate);
    const size_t count = static_cast<size_t>(length * kRate);
    for (size_t i = 0; i < count && from + i < s_.size(); ++i) {
        const double x = white(random);
        const double y = b0 * x + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1, x1 = x, y2 = y1, y1 = y;
        const double time = static_cast<double>(i) / kRate;
        s_[from + i] += level * std::exp(-decay * time) * y;
    }
}

std::vector<std::int16_t> Buffer::finish(double in, double out) {
    const size_t n = s_.size();
    const size_t fadeIn = std::min(n, static_cast<size_t>(in * kRate));
    const size_t fadeOut = std::min(n, static_cast<size_t>(out * kRate));
    for (size_t i = 0; i < fadeIn; ++i) s_[i] *= static_cast<double>(i) / fadeIn;
    for (size_t i = 0; i < fadeOut; ++i) s_[n - 1 - i] *= static_cast<double>(i) / fadeOut;
    double peak = 0;
    for (double v : s_) peak = std::max(peak, std::abs(v));
    const double gain = peak > 0 ? 0.89 / peak : 0;
    std::vector<std::int16_t> pcm(n);
    for (size_t i = 0; i < n; ++i)
        pcm[i] =
            static_cast<std::int16_t>(std::lround(std::clamp(s_[i] * gain, -1.0, 1.0) * 32767));
    return pcm;
}

}  // namespace orvala::soundgen
