// manpage TEMPLATE OUT: the game's manual page, the template with its
// "@OPTIONS@" line replaced by the OPTIONS section of the option table.
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "CommandLine.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: manpage TEMPLATE OUT" << std::endl;
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::cerr << "manpage: cannot read " << argv[1] << std::endl;
        return 1;
    }
    std::ostringstream page;
    bool placed = false;
    for (std::string line; std::getline(in, line);) {
        if (line == "@OPTIONS@") {
            page << CommandLine::ManOptions();
            placed = true;
        } else {
            page << line << '\n';
        }
    }
    std::ofstream out(argv[2], std::ios::binary);
    out << page.str();
    if (!placed || !out.flush()) {
        std::cerr << "manpage: " << (placed ? "cannot write " : "no @OPTIONS@ line in ")
                  << (placed ? argv[2] : argv[1]) << std::endl;
        return 1;
    }
    return 0;
}
