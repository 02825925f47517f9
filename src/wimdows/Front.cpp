// The front buffer: the presented frame that the window thread shows, apart
// from the back buffer the game draws into. Presenting compares what was
// drawn with the presented frame, each row until it is found changed, and
// swaps the two buffers rather than copying; the new back buffer is brought
// up to date only where it is behind, and only when it is next drawn on.
// The window redraws only the changed rows; a frame that changed nothing is
// not shown at all.
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
// Under bufferLock: the parts where the back buffer, swapped in, still shows
// an older frame than the front buffer; none unless `behind`, which drawing
// asks far more often than presenting sets.
Tiles stale;
bool behind = false;

Plane Raw() {
    return {back.data(), xlen.load(std::memory_order_relaxed),
            ylen.load(std::memory_order_relaxed)};
}

// Under frontLock: the box's rows copied from one buffer to the other.
void CopyRows(const uint32_t* from, uint32_t* to, int64_t w, const Box& b) {
    const size_t span = static_cast<size_t>(b.x1 - b.x0 + 1) * sizeof(uint32_t);
    for (int64_t y = b.y0; y <= b.y1; ++y)
        std::memcpy(to + y * w + b.x0, from + y * w + b.x0, span);
}

void MarkRows(const Box& b) {
    std::fill(changedRows.begin() + b.y0, changedRows.begin() + b.y1 + 1, uint8_t{1});
}

// Under frontLock: the box's rows where the back buffer differs from the
// front buffer marked as changed; true when any row is, or was already.
// A row found changed is not compared again in the frame's other boxes.
bool MarkChanged(const Plane& d, const Box& b) {
    const size_t span = static_cast<size_t>(b.x1 - b.x0 + 1) * sizeof(uint32_t);
    bool any = false;
    for (int64_t y = b.y0; y <= b.y1; ++y) {
        if (!changedRows[y])
            changedRows[y] =
                std::memcmp(front.data() + y * d.w + b.x0, d.px + y * d.w + b.x0, span) != 0;
        any = any || changedRows[y];
    }
    return any;
}

} // namespace

Plane BackPlane() {
    const Plane d = Raw();
    if (behind) {
        std::lock_guard lock(frontLock);
        stale.ForEachBox([&](const Box& b) { CopyRows(front.data(), d.px, d.w, b); });
        stale.Clear();
        behind = false;
    }
    return d;
}

void TakeStale(Tiles& into) {
    into.Mark(stale);
    stale.Clear();
    behind = false;
}

void MakeFront(uint32_t w, uint32_t h) {
    touched.Resize(w, h);
    stale.Resize(w, h);
    stale.Clear(); // both buffers start black
    behind = false;
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
    const Plane d = Raw();
    {
        std::lock_guard lock(frontLock);
        CopyRows(d.px, front.data(), d.w, b);
        MarkRows(b);
    }
    RequestPresent();
}

// A frame between two ticks changes a few sprites' worth of the picture.
void PresentAll() {
    const Plane d = Raw();
    bool any = false;
    {
        std::lock_guard lock(frontLock);
        touched.ForEachBox([&](const Box& b) { any = MarkChanged(d, b) || any; });
        if (any) front.swap(back);
    }
    if (any) {
        stale.Mark(touched);
        behind = true;
        RequestPresent();
    }
    touched.Clear();
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
