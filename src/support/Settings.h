// The player's settings: a small key=value text file in the settings folder,
// read once and replaced atomically when a value changes. A missing or damaged
// file means defaults; an absurd value gives way to its default.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Settings {

// A key_<action> or pad_<action> line as the file has it; the command module
// reads and checks what it says.
struct Binding {
    std::string name;  // "key_up"
    std::string value; // "E,Up"
    int32_t line = 0;  // where the file has it; 0 for one made by the game
};

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
    // Frames drawn between the game's ticks at the display's rate.
    bool smooth = true;
    // The player's own bindings, in the order they were read or made; an
    // action without a line keeps its default.
    std::vector<Binding> bindings = {};
};

// "settings.txt" in the settings folder; "" without a home folder.
std::string FilePath();

// The values in a settings file's text; every line that cannot be used is
// described in `problems` (line number and reason) and leaves its default.
Values Read(std::string_view text, std::vector<std::string>* problems = nullptr);

// The file's text for the values, one "key=value" line each.
std::string Write(const Values& values);

// The values in the file now; what cannot be used is named on the console.
Values Load();

// The values as last read or stored; the file is read on first use.
Values Current();

// Keeps the values and hands them to the settings writer, a thread of its
// own that replaces the file (creating its folder), so that the caller never
// waits for the disk; values not yet written give way to newer ones. What is
// handed over is written before the program ends.
void StoreLater(const Values& values);

// Waits until every value handed over is written; false, with a console
// message from the writer, when the newest write failed.
bool Flush();

// StoreLater, then Flush.
bool Store(const Values& values);

// The writer's way to the disk, for tests (nullptr: WritePrivateFile).
using FileWriter = bool (*)(const std::string& path, const std::string& text);
void SetFileWriter(FileWriter write);

} // namespace Settings
