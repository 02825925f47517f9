// The intro, the level-start animation, and the wall and robot pictures.
#pragma once

#include "Kolvemar_Constanten_en_Types.h"

namespace Kolvemar_Animations {

void Init(); // loads the pictures; may run before the window exists
void Startup_Animation();
void Startup_gameAnimation(const Kolvemar_Constanten_en_Types::Level& level);
// The player asks to cut an animation short (N after release, Q at once).
bool skip();
void MemoryClearAnimation();

} // namespace Kolvemar_Animations
