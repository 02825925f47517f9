// The painters: every picture of the game, drawn from code.
#pragma once

#include <cairo.h>

namespace Pictures {

// Arena objects: the robot, the monsters, the pick-ups, the effects, the door, game over.
void DrawSprites();
// Backgrounds, walls and arena floors.
void DrawBackgrounds();
// Buttons, difficulty fields, high-score digits and labels.
void DrawMenus();
// Intro drawings and the credits picture.
void DrawIntro();

// The pictures with words, drawn again in each translation (see Words).
void DrawWordedSprites();     // game over
void DrawWordedBackgrounds(); // the pause screen, the intro's title
void DrawWordedMenus();       // buttons, difficulty fields, high-score words
void DrawWordedIntro();       // the credits

// Figures reused by the larger pictures, centred on the current origin at scale 1 = in-game.
void RobotFigure(cairo_t* cr);
void MonsterFigure(cairo_t* cr, int number); // number 1 to 36
// A monster figure centred on (x, y), enlarged by scale.
void MonsterAt(cairo_t* cr, int number, double x, double y, double scale);
// The game's title in large metal letters, centred on (cx, cy).
void Title(cairo_t* cr, double cx, double cy, double px);

} // namespace Pictures
