// Exact contact times of moving circles, and the settling of the collisions
// of one frame between objects and between bullets.
#pragma once

#include <array>

#include "Kolvemar_Constanten_en_Types.h"

namespace Kolvemar_Botsingen {

using Kolvemar_Constanten_en_Types::CARDINAL;
using Kolvemar_Constanten_en_Types::GESCHUT_MAX;
using Kolvemar_Constanten_en_Types::Object;
using Kolvemar_Constanten_en_Types::OBJECT_MAX;
using Kolvemar_Constanten_en_Types::Objectkogel;
using Kolvemar_Constanten_en_Types::REAL;

// Visited marks of a nudge chain, one per object slot.
using Geweest = std::array<bool, OBJECT_MAX + 1>;

// A dense cluster makes the nudge chains branch without end; one correction
// stops after this many one-pixel nudges. Ordinary frames need a few dozen.
constexpr CARDINAL MAX_CORRECTIE_STAPPEN = 1000;
// Guard on the passes of one Botsing call; a frame settles at most one
// collision per pass, and every pass but the side-by-side glide stops an object.
constexpr CARDINAL MAX_PASSEN = 500;

// When, in frames from the start of this frame, the two moving circles touch
// (first touch ahead, or the separation of an overlapping pair); -1 if never.
void Exacte_bots(Object object1, Object object2, REAL& botstijd);

// As Exacte_bots with object2 resting at its present position; 0 if never.
void Exacte_botshalf(Object object1, Object object2, REAL& botstijd);

// Whether two bullets of radius groottekogels, moving from the points with
// index 1 to those with index 2, touch during that step.
bool Exacte_bots_kogels(REAL ix1, REAL iy1, REAL jx1, REAL jy1, REAL ix2, REAL iy2, REAL jx2,
                        REAL jy2);

// Settles every collision of this frame between the living objects.
void Botsing(Object (&objecten)[OBJECT_MAX + 1], REAL margelinks, REAL margerechts, REAL margeboven,
             REAL margeonder);

// Nudges `corrector` one pixel away from `referentie`, then onwards through
// the neighbours it now overlaps.
void botsings_correctie(CARDINAL corrector, CARDINAL referentie,
                        Object (&objecten)[OBJECT_MAX + 1]);

// One nudge step with the marks of this chain.
void botsings_correctie_recursie(CARDINAL corrector, CARDINAL referentie,
                                 Object (&objecten)[OBJECT_MAX + 1], Geweest al_geweest);

// Kills the live bullets that meet each other in this frame or leave the arena.
void Botsinggeschut(Objectkogel (&geschut)[GESCHUT_MAX + 1], REAL margelinks, REAL margerechts,
                    REAL margeboven, REAL margeonder);

// Work of the latest calls, for tests and measurements: passes of the latest
// Botsing, nudges of the latest correction.
CARDINAL AantalPassen();
CARDINAL AantalCorrectieStappen();

} // namespace Kolvemar_Botsingen
