// Small helpers every module leans on: file paths, the text value rules of
// the game's files, random numbers and the angle of a direction.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace StandardLib {

// The game builds names like "levels\level1.txt"; this opens them on Linux.
std::string PlatformPath(const std::string& name);

// fopen through PlatformPath.
std::FILE* OpenFile(const std::string& name, const char* mode);

// Reads one whitespace-separated token (space, tab, CR, LF and code 26
// separate; at most 255 characters). False at the end of the file.
bool ReadToken(std::FILE* f, std::string& token);

// Token conversions; a malformed token yields 0 (false for booleans).
uint32_t TokenToCard(const std::string& token);
int32_t TokenToInt(const std::string& token);
float TokenToReal(const std::string& token);
bool TokenToBool(const std::string& token);

} // namespace StandardLib
