// The player's settings: key=value lines in "settings.txt" of the settings
// folder (StandardLib::ConfigFolder). A missing or damaged file means the
// defaults; a damaged line is reported and skipped. Safe from any thread.
#pragma once

#include <string>

namespace Settings {

// The stored value, or "" when the key is not set.
std::string Get(const std::string& key);
// Stores the value and rewrites the file at once, atomically.
void Set(const std::string& key, const std::string& value);
// Forgets what was read, so the next Get reads the file again (a restart).
void Reload();
// The file's path, for messages and tests.
std::string FilePath();

} // namespace Settings
