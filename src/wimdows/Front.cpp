// The front buffer: the presented frame that the window thread shows, apart
// from the back buffer the game draws into. Presenting compares and copies
// only what was drawn since the last time, and the window redraws only the
// rows that changed.
#include <cstring>

#include "WimdowsInternal.h"

namespace Wimdows::Internal {

namespace {

// The presented frame, and which of its rows changed since the window showed
// it: an unchanged row is never drawn again.
std::mutex frontLock;
std::vector<uint32_t> front;
std::vector<uint8_t> changedRows;

// Under bufferLock: the parts drawn since the last PresentAll, outside which
// the front buffer equals the back buffer.
Tiles touched;

// Under frontLock: the box's rows of the back buffer that differ from the
// front buffer copied there.
bool CopyChanged(const Plane& d, const Box& b) {
    const size_t span = static_cast<size_t>(b.x1 - b.x0 + 1) * sizeof(uint32_t);
    bool any = false;
    for (int64_t y = b.y0; y <= b.y1; ++y) {
        uint32_t* to = front.data() + y * d.w + b.x0;
        const uint32_t* from = back.data() + y * d.w + b.x0;
        if (std::memcmp(to, from, span) == 0) continue;
        std::memcpy(to, from, span);
        changedRows[y] = 1;
        any = true;
    }
    return any;
}

} // namespace

void MakeFront(uint32_t w, uint32_t h) {
    touched.Resize(w, h);
    std::lock_guard lock(frontLock);
    front.assign(size_t{w} * h, 0);
    changedRows.assign(h, 1);
}

void FreeFront() {
    std::lock_guard lock(frontLock);
    std::vector<uint32_t>().swap(front);
    std::vector<uint8_t>().swap(changedRows);
}

void Touch(const Box& b) {
    touched.Mark(b);
}

void Touch(const Tiles& t) {
    touched.Mark(t);
}

void PresentBox(const Box& b) {
    const Plane d = BackPlane();
    {
        std::lock_guard lock(frontLock);
        for (int64_t y = b.y0; y <= b.y1; ++y) {
            std::memcpy(front.data() + y * d.w + b.x0, back.data() + y * d.w + b.x0,
                        static_cast<size_t>(b.x1 - b.x0 + 1) * sizeof(uint32_t));
            changedRows[y] = 1;
        }
    }
    RequestPresent();
}

// A frame between two ticks changes a few sprites' worth of the picture.
void PresentAll() {
    const Plane d = BackPlane();
    bool any = false;
    {
        std::lock_guard lock(frontLock);
        touched.ForEachBox([&](const Box& b) { any = CopyChanged(d, b) || any; });
    }
    touched.Clear();
    if (any) RequestPresent();
}

bool DrawFront(bool whole) {
    std::lock_guard lock(frontLock);
    return !front.empty() && DrawFrame(layout, front.data(), changedRows, whole);
}

std::vector<uint32_t> ShownFrame() {
    std::lock_guard lock(frontLock);
    return front;
}

} // namespace Wimdows::Internal
