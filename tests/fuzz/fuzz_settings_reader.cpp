// Any bytes as the settings file: every value read must lie in its range, and
// the values must write out and read back the same, without a complaint.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "Settings.h"

namespace {

bool InRange(int32_t v) {
    return v >= 0 && v <= 16384;
}

bool Same(const Settings::Values& a, const Settings::Values& b) {
    return a.windowWidth == b.windowWidth && a.windowHeight == b.windowHeight &&
           a.fullscreen == b.fullscreen;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> problems;
    const Settings::Values v =
        Settings::Read(std::string_view(reinterpret_cast<const char*>(data), size), &problems);
    if (!InRange(v.windowWidth) || !InRange(v.windowHeight)) std::abort();
    std::vector<std::string> again;
    if (!Same(Settings::Read(Settings::Write(v), &again), v) || !again.empty()) std::abort();
    return 0;
}
