// The game's command line: GNU-style options, long and short, all read from
// one table, which also gives the --help text and the manual page's OPTIONS
// section, so that neither can drift from what the game accepts.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace CommandLine {

inline constexpr std::string_view PROGRAM = "kolvemar-trovix";

enum class Kind {
    help,
    version,
    fullscreen,
    window,
    level,
    tutorial,
    dataDir,
    saveDir,
    screenshotDir,
    record,
    playDemo,
    timeDemo,
};

struct Option {
    Kind kind;
    char shortName;         // 0: long form only
    std::string_view name;  // the long form without "--"
    std::string_view value; // the value's name ("N", "DIR"); empty for a switch
    std::string_view help;  // what it does, one line
};
std::span<const Option> Table();

// What the command line asked for; empty and unset values leave the game as it is.
struct Choices {
    bool help = false;
    bool version = false;
    std::optional<bool> fullscreen; // this run only
    uint32_t level = 0;             // the level Start begins with; 0: the first
    uint32_t tutorial = 0;          // the tutorial level Oefenen begins with; 0: the first
    std::string dataDir, saveDir, screenshotDir;
    std::string record;   // the demo file to record the levels played into
    std::string playDemo; // the demo to play back in the window
    std::string timeDemo; // the demo to play back as fast as it goes, then measured
};

struct Parsed {
    Choices choices;
    // The one line that names what is wrong ("kolvemar-trovix: ..."); empty when all is well.
    std::string error;
};

// The arguments after the program's name. "--" ends the options; the game
// takes no other arguments.
Parsed Parse(const std::vector<std::string>& arguments);

// The line that follows every complaint about the command line.
std::string TryHelp();
// The --help text.
std::string Help();
// The OPTIONS section of the manual page, in troff.
std::string ManOptions();

} // namespace CommandLine
