// The in-level game loop and the drawing of a frame.
#pragma once

#include "Kolvemar_Constanten_en_Types.h"

namespace Kolvemar_spel {

void Init(); // loads the game's pictures; may run before the window exists
// Plays the level to its end; never returns resume.
Kolvemar_Constanten_en_Types::next_action spel(Kolvemar_Constanten_en_Types::Level& level);
void MemoryClearSpel();

} // namespace Kolvemar_spel
