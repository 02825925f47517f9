// The subcommands of the levelcreator tool; main.cpp lists them in its table.
#pragma once

#include <string>
#include <vector>

using Arguments = std::vector<std::string>;

// Each returns the process exit code: 0 done, 1 invalid input or failure.
int Check(const Arguments& files);
int Normalise(const Arguments& paths);
int Build(const Arguments& paths);
int Highscores(const Arguments& paths);
