// Shared state and helpers of the game loop's files; private to src/game.
#pragma once

#include <cstdint>

#include "Kolvemar_Constanten_en_Types.h"

namespace Kolvemar_spel::Internal {

using namespace Kolvemar_Constanten_en_Types;

constexpr int EFFECTEN = 6;
constexpr uint32_t TEKENNUMMERS = 46; // object pictures 0..45
constexpr int LAATSTE_MONSTER = 50;

// The pictures Init loads: the door, the death effects, monsters and pick-ups.
extern uint32_t deurtje;
extern vijanden effects[EFFECTEN];
extern vijanden monsters[TEKENNUMMERS];

// Truncation toward zero to a whole pixel; NaN and absurd values stay in range.
int32_t Cut(REAL v);
int32_t Verzadigd(int64_t v);
// A tick that is at most a long sound window in the past counts as due.
bool Aanzet(INTEGER indicator, INTEGER tijd);
// time + delta, wrapped at maxtime like every timer of the level.
INTEGER Later(INTEGER tijd, INTEGER delta);
float Schermgrootte();
// Draws a picture through its mask.
void TekenPaar(const vijanden& v, int32_t x, int32_t y);
// A new direction at the given speed: the horizontal part drawn at random in
// quarter steps (or whole steps), the vertical part makes up the speed.
void Willekeurigerichting(REAL snelheid, bool helestappen, REAL& vx, REAL& vy);

} // namespace Kolvemar_spel::Internal
