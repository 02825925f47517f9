// The drawn-since record of the window layer, in tiles of the picture.
#include "WimdowsInternal.h"

namespace Wimdows::Internal {

void Tiles::Resize(int64_t w, int64_t h) {
    w_ = std::max<int64_t>(w, 0);
    h_ = std::max<int64_t>(h, 0);
    cols_ = (w_ + SIDE - 1) / SIDE;
    rows_ = (h_ + SIDE - 1) / SIDE;
    marked_.assign(static_cast<size_t>(cols_ * rows_), 1);
}

void Tiles::Mark(const Box& b) {
    const int64_t c0 = std::max<int64_t>(b.x0, 0) / SIDE;
    const int64_t r0 = std::max<int64_t>(b.y0, 0) / SIDE;
    const int64_t c1 = std::min(b.x1, w_ - 1);
    const int64_t r1 = std::min(b.y1, h_ - 1);
    if (c1 < c0 * SIDE || r1 < r0 * SIDE) return;
    for (int64_t r = r0; r <= r1 / SIDE; ++r)
        std::fill_n(marked_.begin() + r * cols_ + c0, c1 / SIDE - c0 + 1, uint8_t{1});
}

void Tiles::MarkAll() {
    std::fill(marked_.begin(), marked_.end(), uint8_t{1});
}

void Tiles::Clear() {
    std::fill(marked_.begin(), marked_.end(), uint8_t{0});
}

} // namespace Wimdows::Internal
