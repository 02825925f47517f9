// The intro, the level-start animation, and the wall and robot pictures.
#pragma once

#include <cstdint>

#include "Kolvemar_Constanten_en_Types.h"

namespace Kolvemar_Animations {

void Init(); // loads the pictures; may run before the window exists
void Startup_Animation();
void Startup_gameAnimation(const Kolvemar_Constanten_en_Types::Level& level);
// The player asks to cut an animation short: N, Esc, Enter, Space, a click
// or the controller's A, B or Start at its release; Q at once.
bool skip();
// Filled green triangle inscribed in a circle of diameter g around (x1, y1),
// pointing down (up for negative g); ster draws both, a six-pointed star.
void driehoek(int32_t x1, int32_t y1, int32_t g);
void ster(int32_t x1, int32_t y1, int32_t g);
void MemoryClearAnimation();

// Pictures the game loop draws too.
uint32_t Muren();                                               // the wall texture
Kolvemar_Constanten_en_Types::vijanden Robot(uint32_t heading); // 1 up, clockwise to 8

} // namespace Kolvemar_Animations
