// Any bytes as "Highscores.txt": no fault may escape the reader's bounds, and
// a table it accepts must write out and read back to the very same text.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "LevelCreator.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    LevelCreator::Highscores table{};
    LevelCreator::Tekstbestand f =
        LevelCreator::UitTekst("fuzz.txt", std::string(reinterpret_cast<const char*>(data), size));
    if (!LevelCreator::LeesHigscore(f, table)) return 0;
    const std::string text = LevelCreator::Highscoretekst(table);
    LevelCreator::Highscores again{};
    LevelCreator::Tekstbestand g = LevelCreator::UitTekst("again.txt", text);
    if (!LevelCreator::LeesHigscore(g, again) || LevelCreator::Highscoretekst(again) != text)
        std::abort();
    return 0;
}
