// The program driver: starts every module in order and runs the game from the
// intro to the farewell.
#pragma once

#include <string>
#include <vector>

#include "Kolvemar_Constanten_en_Types.h"

namespace Kolvemar_Trovix {

// What a game carries from one level to the next.
struct Bijhouden {
    Kolvemar_Constanten_en_Types::INTEGER bijhoudenscore;
    Kolvemar_Constanten_en_Types::INTEGER bijhoudenleven;
    Kolvemar_Constanten_en_Types::INTEGER bijhoudenleventot;
    SYSTEMTIME bijhoudentijd;
    Kolvemar_Constanten_en_Types::INTEGER bijhoudenkogelcounter;
};

// The whole program with the arguments after its name; returns the process
// exit code: 0, 1 after an error stop, 2 for a bad command line.
int Main(const std::vector<std::string>& arguments);

// The levels a game and a tutorial begin with (1 and 1 unless the command
// line names others): Start of the start menu and Oefenen begin there.
void StartAt(uint32_t level, uint32_t tutorial);

// One step of the driver's state machine on its own level record.
Kolvemar_Constanten_en_Types::next_action Stap(Kolvemar_Constanten_en_Types::next_action actie);
// The values carried between levels, and the level record, as the driver holds them.
Bijhouden& Carried();
Kolvemar_Constanten_en_Types::Level& CurrentLevel();
// TRUE once the driver has stopped for a level file it cannot go on without;
// the program then ends with a non-zero status.
bool Foutstop();

// After a level: what it hands on to the next.
Bijhouden CarryOut(const Kolvemar_Constanten_en_Types::Level& level);
// Into a freshly read level: the game's score, life (level number plus the
// carried life, at most the maximum), maximum life, time and bullet count.
void CarryIn(Kolvemar_Constanten_en_Types::Level& level, const Bijhouden& carried);

// Releases every module's pictures.
void MemoryClear();

} // namespace Kolvemar_Trovix
