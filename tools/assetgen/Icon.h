// The game's desktop icon.
#pragma once

#include <string>

namespace Icon {

// Writes DIR/<n>x<n>/apps/NAME.png for the hicolor sizes 48, 64, 128 and 256:
// the robot on a round arena tile. False when a file cannot be written.
bool DrawIcons(const std::string& dir, const std::string& name);

} // namespace Icon
