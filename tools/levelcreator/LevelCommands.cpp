// check and normalise: level files in, problems or a clean file out.
#include <iostream>

#include "Commands.h"
#include "LevelCreator.h"

namespace {

// Reads one level file, printing its warnings and its fault.
bool ReadLevel(const std::string& path, LevelCreator::Level& level) {
    LevelCreator::Tekstbestand f;
    const bool ok = LevelCreator::Openen(path, f) && LevelCreator::Leeslevel(f, level);
    for (const std::string& w : f.waarschuwingen)
        std::cout << w << "\n";
    if (!ok) std::cout << f.fout << "\n";
    return ok;
}

} // namespace

int Check(const Arguments& files) {
    int result = 0;
    for (const std::string& path : files) {
        LevelCreator::Level level{};
        if (!ReadLevel(path, level)) result = 1;
    }
    return result;
}

int Normalise(const Arguments& paths) {
    LevelCreator::Level level{};
    if (!ReadLevel(paths[0], level)) return 1;
    return LevelCreator::Schrijflevel(paths[1], level) ? 0 : 1;
}
