// Straight-line motion of bullets, the distance of two points, and what
// bullets and bodies do to life points.
#pragma once

#include "Kolvemar_Constanten_en_Types.h"

namespace Kolvemar_Artificial_movement {

using Kolvemar_Constanten_en_Types::GESCHUT_MAX;
using Kolvemar_Constanten_en_Types::INTEGER;
using Kolvemar_Constanten_en_Types::Object;
using Kolvemar_Constanten_en_Types::OBJECT_MAX;
using Kolvemar_Constanten_en_Types::Objectkogel;
using Kolvemar_Constanten_en_Types::REAL;

// Slots 1 to 50 of the objects are the monsters; 0 is the player.
constexpr int LAATSTE_MONSTER = 50;

// Euclidean distance of (x1, y1) and (x2, y2).
REAL Distance_Real(REAL x1, REAL y1, REAL x2, REAL y2);

// Turns a bullet's start point (kogelx, kogely) into its position at phase
// `fase`: 20 pixels per phase along (kogelvx, kogelvy), minus half a pixel.
// A zero direction leaves the bullet at its start point.
void positiekogel(REAL& kogelx, REAL& kogely, REAL kogelvx, REAL kogelvy, REAL fase);

// Paints the bullet at its present phase, then advances the phase by one.
void draw(REAL kogelx, REAL kogely, REAL kogelvx, REAL kogelvy, REAL& fase);

// Aiming vector from the shooter to the target; unchanged when both coincide.
void shoot(REAL muisx, REAL muisy, REAL spelerx, REAL spelery, REAL& kogelvx, REAL& kogelvy);

// Bullet hits on the objects 0 to 50: damage, score (+3 per monster hit,
// -3 per hit on the player) and deaths.
void levenafdoen(Object (&alleobjecten)[OBJECT_MAX + 1], Objectkogel (&allekogels)[GESCHUT_MAX + 1],
                 INTEGER& punten);

// Monsters touching the player at (xposke, yposke): the player loses half the
// monster's life and the monster dies, unless that would empty the player.
void levenafdoenspeler(INTEGER& utotaalleven, REAL xposke, REAL yposke,
                       Object (&alleobjecten)[OBJECT_MAX + 1]);

} // namespace Kolvemar_Artificial_movement
