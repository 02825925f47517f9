// The drawn-since record of the window layer, in tiles of the picture.
#include "WimdowsInternal.h"

namespace Wimdows::Internal {

namespace {

// The bits of word w of a row that tiles c0 to c1 cover.
uint64_t WordBits(int64_t w, int64_t c0, int64_t c1) {
    uint64_t bits = ~uint64_t{0};
    if (w == c0 / 64) bits &= ~uint64_t{0} << (c0 % 64);
    if (w == c1 / 64) bits &= ~uint64_t{0} >> (63 - c1 % 64);
    return bits;
}

} // namespace

void Tiles::Resize(int64_t w, int64_t h) {
    w_ = std::max<int64_t>(w, 0);
    h_ = std::max<int64_t>(h, 0);
    cols_ = (w_ + WIDE - 1) / WIDE;
    rows_ = (h_ + HIGH - 1) / HIGH;
    words_ = (cols_ + 63) / 64;
    bits_.assign(static_cast<size_t>(words_ * rows_), 0);
    MarkAll();
}

void Tiles::MarkRow(int64_t r, int64_t c0, int64_t c1) {
    uint64_t* row = bits_.data() + r * words_;
    for (int64_t w = c0 / 64; w <= c1 / 64; ++w)
        row[w] |= WordBits(w, c0, c1);
}

void Tiles::Mark(const Box& b) {
    const int64_t x0 = std::max<int64_t>(b.x0, 0), y0 = std::max<int64_t>(b.y0, 0);
    const int64_t x1 = std::min(b.x1, w_ - 1), y1 = std::min(b.y1, h_ - 1);
    if (x0 > x1 || y0 > y1) return;
    const int64_t c0 = x0 / WIDE, c1 = x1 / WIDE;
    const int64_t r0 = y0 / HIGH, r1 = y1 / HIGH;
    if (c0 / 64 != c1 / 64) {
        for (int64_t r = r0; r <= r1; ++r)
            MarkRow(r, c0, c1);
        return;
    }
    // Most drawings lie within one word of a row: one mask for every row.
    const uint64_t bits = WordBits(c0 / 64, c0, c1);
    for (int64_t r = r0; r <= r1; ++r)
        bits_[static_cast<size_t>(r * words_ + c0 / 64)] |= bits;
}

void Tiles::MarkAll() {
    for (int64_t r = 0; r < rows_; ++r)
        if (cols_ > 0) MarkRow(r, 0, cols_ - 1);
}

void Tiles::Mark(const Tiles& other) {
    if (other.w_ != w_ || other.h_ != h_) return MarkAll();
    for (size_t i = 0; i < bits_.size(); ++i)
        bits_[i] |= other.bits_[i];
}

void Tiles::Clear() {
    std::fill(bits_.begin(), bits_.end(), uint64_t{0});
}

} // namespace Wimdows::Internal
