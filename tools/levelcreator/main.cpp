// levelcreator: the level designers' command-line tool.
#include <cstring>
#include <iostream>

#include "Commands.h"

namespace {

struct Command {
    const char* name;
    const char* usage;
    std::size_t minArgs; // fewest arguments after the command name
    std::size_t maxArgs;
    int (*run)(const Arguments&);
};

// One row per subcommand.
const Command COMMANDS[] = {
    {"check", "check FILE...          report every problem as FILE:LINE: message", 1, 1000, Check},
    {"normalise", "normalise IN OUT       read a level file and write it in the game's form", 2, 2,
     Normalise},
    {"build", "build DESIGN OUT       turn a level design into a level file", 2, 2, Build},
    {"highscores", "highscores OUT         write a fresh high-score file of ten empty entries", 1,
     1, Highscores},
};

int Usage() {
    std::cerr << "usage: levelcreator COMMAND ARGUMENTS\n";
    for (const Command& c : COMMANDS)
        std::cerr << "  levelcreator " << c.usage << "\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    for (const Command& c : COMMANDS) {
        if (std::strcmp(argv[1], c.name) != 0) continue;
        const Arguments args(argv + 2, argv + argc);
        if (args.size() < c.minArgs || args.size() > c.maxArgs) return Usage();
        return c.run(args);
    }
    return Usage();
}
