// Pick-up rules applied once per frame, and the small guards of the game loop.
#pragma once

#include "Kolvemar_Constanten_en_Types.h"

namespace Kolvemar_upgrades_en_controlers {

using Kolvemar_Constanten_en_Types::CARDINAL;
using Kolvemar_Constanten_en_Types::GESCHUT_MAX;
using Kolvemar_Constanten_en_Types::INTEGER;
using Kolvemar_Constanten_en_Types::Level;
using Kolvemar_Constanten_en_Types::Objectkogel;

// Applies the pick-ups 51 to 60: collection by the player, healing of
// monsters, and their relocation.
void upgrade(Level& level);

// TRUE when every monster (objects 1 to 50) is dead.
bool ControlLevel(const Level& level);

// TRUE when the player has no life left; the player then stops living.
bool Controlleven(Level& level);

// Wraps a tick counter that has passed maxtime.
void Controltime(INTEGER& time);

// Moves the shared bullet slot number on to the next slot without a live
// bullet; when every slot is live it stays where it was.
void Controlstandaantalkogel(CARDINAL& standaantalkogel,
                             const Objectkogel (&geschut)[GESCHUT_MAX + 1]);

} // namespace Kolvemar_upgrades_en_controlers
