// Any bytes through the level reader: no fault may escape its bounds, and a
// file it accepts must write out and read back to the very same text.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "LevelCreator.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    LevelCreator::Level level{};
    LevelCreator::Tekstbestand f =
        LevelCreator::UitTekst("fuzz.txt", std::string(reinterpret_cast<const char*>(data), size));
    if (!LevelCreator::Leeslevel(f, level)) return 0;
    const std::string text = LevelCreator::Leveltekst(level);
    LevelCreator::Level again{};
    LevelCreator::Tekstbestand g = LevelCreator::UitTekst("again.txt", text);
    if (!LevelCreator::Leeslevel(g, again) || LevelCreator::Leveltekst(again) != text) std::abort();
    return 0;
}
