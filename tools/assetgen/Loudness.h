// Integrated loudness in LUFS of interleaved stereo in -1..1: K-weighted, in 400 ms blocks with
// the absolute and relative gates. The generator masters its music with it; the data-folder
// test measures the decoded files with it.
#pragma once

#include <cmath>
#include <cstddef>
#include <vector>

namespace Loudness {

namespace Detail {

// One biquad stage, direct form II transposed.
struct Biquad {
    double b0, b1, b2, a1, a2, z1 = 0, z2 = 0;
    double Step(double x) {
        const double y = b0 * x + z1;
        z1 = b1 * x - a1 * y + z2;
        z2 = b2 * x - a2 * y;
        return y;
    }
};

// The K-weighting: a high shelf of +4 dB above 1.7 kHz and a high pass at 38 Hz.
inline Biquad Shelf(double rate) {
    const double k = std::tan(M_PI * 1681.974450955533 / rate), q = 0.7071752369554196;
    const double vh = std::pow(10, 3.999843853973347 / 20), vb = std::pow(vh, 0.4996667741545416);
    const double a0 = 1 + k / q + k * k;
    return {(vh + vb * k / q + k * k) / a0, 2 * (k * k - vh) / a0, (vh - vb * k / q + k * k) / a0,
            2 * (k * k - 1) / a0, (1 - k / q + k * k) / a0};
}

inline Biquad HighPass(double rate) {
    const double k = std::tan(M_PI * 38.13547087602444 / rate), q = 0.5003270373238773;
    const double a0 = 1 + k / q + k * k;
    return {1, -2, 1, 2 * (k * k - 1) / a0, (1 - k / q + k * k) / a0};
}

} // namespace Detail

inline double Lufs(const std::vector<float>& stereo, double rate) {
    std::vector<double> power(stereo.size() / 2, 0.0);
    for (int c = 0; c < 2; ++c) {
        Detail::Biquad shelf = Detail::Shelf(rate), pass = Detail::HighPass(rate);
        for (size_t i = 0; i < power.size(); ++i) {
            const double y = pass.Step(shelf.Step(stereo[2 * i + size_t(c)]));
            power[i] += y * y;
        }
    }
    const size_t block = size_t(rate * 0.4), hop = block / 4;
    std::vector<double> blocks;
    double sum = 0;
    for (size_t i = 0; i < power.size(); ++i) {
        sum += power[i];
        if (i >= block) sum -= power[i - block];
        if (i + 1 >= block && (i + 1 - block) % hop == 0) blocks.push_back(sum / double(block));
    }
    auto gated = [&](double floor) {
        double total = 0;
        int n = 0;
        for (double b : blocks)
            if (b > floor) total += b, ++n;
        return n > 0 ? total / n : 0.0;
    };
    const double absolute = std::pow(10, (-70 + 0.691) / 10);
    const double relative = gated(absolute) / 10;
    const double mean = gated(absolute > relative ? absolute : relative);
    return mean > 0 ? -0.691 + 10 * std::log10(mean) : -200.0;
}

} // namespace Loudness
