// The game's frame smoothed to a size that is no whole multiple of it, a
// window row at a time: a frame that changed a few game rows redraws only the
// window rows that read them, where SDL's scaler would draw the whole window.
// Every pixel is what SDL's linear scaler draws (SDL_SoftStretchLinear):
// window and screenshots look as they did, and both paths stay alike.
#include "WimdowsInternal.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace Wimdows::Internal {

namespace {

constexpr int32_t ONE = 1 << 7; // the weights' precision: a full weight
constexpr int64_t FP_HALF = 1 << 15;

} // namespace

// Where each of `out` samples falls between `in` source ones, in 16.16 fixed
// point from the middle of the first; samples before the first source or past
// the last one take that one whole.
std::vector<Stretcher::Tap> Stretcher::Taps(int32_t in, int32_t out) {
    const int64_t step = (int64_t{in} << 16) / out;
    int64_t at = ((step * FP_HALF + FP_HALF) >> 16) - FP_HALF;
    std::vector<Tap> taps(static_cast<size_t>(out));
    for (Tap& t : taps) {
        const int64_t index = at >> 16;
        if (at < 0)
            t = {0, 0};
        else if (index > in - 2)
            t = {in - 2, ONE};
        else
            t = {static_cast<int32_t>(index), static_cast<int32_t>((at >> 9) & (ONE - 1))};
        at += step;
    }
    return taps;
}

void Stretcher::Fit(int32_t inW, int32_t inH, int32_t outW, int32_t outH) {
    if (inW_ == inW && inH_ == inH && columns_.size() == size_t(outW) &&
        rows_.size() == size_t(outH))
        return;
    inW_ = inW;
    inH_ = inH;
    columns_ = Taps(inW, outW);
    rows_ = Taps(inH, outH);
    between_.assign(size_t(inW) * 4, 0);
}

bool Stretcher::Reads(int32_t row, const std::vector<uint8_t>& changed) const {
    const Tap& t = rows_[size_t(row)];
    return changed[size_t(t.index)] || changed[size_t(t.index) + 1];
}

// Between two source rows first, then between two columns of that, each
// channel on its own with SDL's rounding: a pixel's four channels side by
// side in 16 bits each, and the mix of two columns in 32.
#ifdef __SSE2__
void Stretcher::Row(const uint32_t* frame, int32_t row, uint32_t* out) {
    const Tap& t = rows_[size_t(row)];
    const uint32_t* above = frame + int64_t{t.index} * inW_;
    const uint32_t* below = above + inW_;
    const __m128i zero = _mm_setzero_si128();
    const __m128i wAbove = _mm_set1_epi16(static_cast<int16_t>(ONE - t.weight));
    const __m128i wBelow = _mm_set1_epi16(static_cast<int16_t>(t.weight));
    const auto mix = [&](__m128i a, __m128i b) {
        return _mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(a, zero), wAbove),
                             _mm_mullo_epi16(_mm_unpacklo_epi8(b, zero), wBelow));
    };
    int32_t x = 0;
    for (; x + 2 <= inW_; x += 2) // two pixels at a time
        _mm_storeu_si128(reinterpret_cast<__m128i*>(&between_[size_t(x) * 4]),
                         mix(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(above + x)),
                             _mm_loadl_epi64(reinterpret_cast<const __m128i*>(below + x))));
    if (x < inW_)
        _mm_storel_epi64(reinterpret_cast<__m128i*>(&between_[size_t(x) * 4]),
                         mix(_mm_cvtsi32_si128(static_cast<int32_t>(above[x])),
                             _mm_cvtsi32_si128(static_cast<int32_t>(below[x]))));
    for (size_t i = 0; i < columns_.size(); ++i) {
        const Tap& c = columns_[i];
        const __m128i both =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(&between_[size_t(c.index) * 4]));
        const __m128i pairs = _mm_unpacklo_epi16(both, _mm_srli_si128(both, 8));
        const __m128i weights = _mm_set1_epi32(c.weight << 16 | (ONE - c.weight));
        __m128i v = _mm_srli_epi32(_mm_madd_epi16(pairs, weights), 14);
        v = _mm_packus_epi16(_mm_packs_epi32(v, v), zero);
        out[i] = static_cast<uint32_t>(_mm_cvtsi128_si32(v));
    }
}
#else
void Stretcher::Row(const uint32_t* frame, int32_t row, uint32_t* out) {
    const Tap& t = rows_[size_t(row)];
    const auto* above = reinterpret_cast<const uint8_t*>(frame + int64_t{t.index} * inW_);
    const auto* below = above + int64_t{inW_} * 4;
    for (size_t i = 0; i < between_.size(); ++i)
        between_[i] = static_cast<uint16_t>(above[i] * (ONE - t.weight) + below[i] * t.weight);
    for (size_t x = 0; x < columns_.size(); ++x) {
        const uint16_t* left = &between_[size_t(columns_[x].index) * 4];
        const uint32_t w = static_cast<uint32_t>(columns_[x].weight);
        uint32_t pixel = 0;
        for (int ch = 0; ch < 4; ++ch)
            pixel |= ((left[ch] * (ONE - w) + left[ch + 4] * w) >> 14) << (8 * ch);
        out[x] = pixel;
    }
}
#endif

} // namespace Wimdows::Internal
