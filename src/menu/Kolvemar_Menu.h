// Every screen outside a running level: start menu, in-game menu, difficulty
// selector, save and load screens, high scores, result sheet and credits.
#pragma once

#include <cstdint>

#include "Kolvemar_Constanten_en_Types.h"

namespace Kolvemar_Menu {

// Flags shared with the game loop and the driver.
extern bool autosave;                   // write the autosave slot when a level is left
extern bool tutorial;                   // a tutorial is being played
extern uint32_t difficultyLevel;        // 0 (lazy) to 4 (extreem)
extern uint32_t Gameover, Gameovermask; // the game-over picture, drawn by the game loop

void Init();
// The in-game menu; resume sends the player back into the level.
Kolvemar_Constanten_en_Types::next_action
Kolvemar_ingamemenu(Kolvemar_Constanten_en_Types::Level& level);
void MemoryClearMenu();

} // namespace Kolvemar_Menu
