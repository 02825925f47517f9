// The game's music and sound effects, composed and synthesised in code, written as MP3.
#pragma once

#include <string>

namespace Sounds {

// Writes every file of AssetList::kSounds under outDir; false on the first failure.
bool MakeSounds(const std::string& outDir, const std::string& soundFont);

} // namespace Sounds
