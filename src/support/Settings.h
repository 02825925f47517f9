// The player's settings: a small key=value text file in the settings folder,
// read once and replaced atomically when a value changes. A missing or damaged
// file means defaults; an absurd value gives way to its default.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Settings {

// How the window shows its picture: chosen at start-up (the renderer where
// there is a GPU, the window surface where the renderer would draw on the
// CPU anyway), or one of the two asked for.
enum class Present : uint8_t { AUTO, RENDERER, SURFACE };

struct Values {
    // The window's size on the screen when not fullscreen; 0 lets the window
    // take the size that fits the screen.
    int32_t windowWidth = 0;
    int32_t windowHeight = 0;
    bool fullscreen = false;
    // The master volume in percent, and its mute (which keeps the level).
    int32_t volume = 100;
    bool muted = false;
    // The language the game speaks: "auto" (the environment's) or a code.
    std::string language = "auto";
    Present present = Present::AUTO;
};

// "settings.txt" in the settings folder.
std::string FilePath();

// The values in a settings file's text; every line that cannot be used is
// described in `problems` (line number and reason) and leaves its default.
Values Read(std::string_view text, std::vector<std::string>* problems = nullptr);

// The file's text for the values, one "key=value" line each.
std::string Write(const Values& values);

// The values as last read or stored; the file is read on first use.
Values Current();

// Keeps the values and replaces the file with them (creating its folder).
// False, with a console message, when the file could not be written.
bool Store(const Values& values);

} // namespace Settings
