// The words on the pictures, in the language being drawn: the game's Dutch texts are the keys
// of the compiled catalogues that the build puts into the data folder before drawing.
#pragma once

#include <string>

namespace Words {

// Reads the catalogue of every translation from OUTDIR/locale; false (told) when one is missing.
bool Load(const std::string& outDir);
// Draws in `code` from now on: the texts of Tekst and the folder of every picture saved.
void Speak(const std::string& code);
// The Dutch text in the language being drawn.
const char* Tekst(const char* nederlands);

} // namespace Words
