// What the player asks of the game. In a level: one plain record per tick of
// the game loop, made from the keyboard, the mouse and the game controllers
// through one binding table whose defaults are the game's own keys. On the
// other screens: the keys and buttons that move a menu's focus, choose and go
// back, which are never rebound.
#pragma once

#include <cstdint>
#include <type_traits>

namespace Commands {

// One tick's commands. An action counts when one of its keys or buttons is
// held, or was pressed at all since the record before (a tap between two
// reads counts once).
struct Command {
    bool up, right, down, left; // movement
    bool fire;
    int32_t aimX, aimY; // game pixels, as the mouse record gives them
    bool menu, pause, giveUp, skip, quit;
};
static_assert(std::is_trivially_copyable_v<Command>);

enum Action : uint8_t { UP, RIGHT, DOWN, LEFT, FIRE, MENU, PAUSE, GIVE_UP, SKIP, QUIT, ACTIONS };

// The record of this tick, once per frame of the game loop.
Command Read();
// Where the records come from instead of the live input (a demo being
// played); nullptr goes back to the live input.
using Source = Command (*)();
void SetSource(Source source);
// The record of the live input, whatever the source (a demo being recorded).
Command ReadLive();

// TRUE while one of the action's keys or buttons is held.
bool Held(Action a);

// One screen hands over to the next (a level, a menu, a sub-screen): what was
// pressed so far never acts on the next one, and a key or button held now
// acts again only once let go and pressed anew. Movement, fire and quit are
// the exception: held, they act at once, as they always did.
void NextScreen();
// The number of the screen now showing; NextScreen counts on. A click belongs
// to the screen it was made on.
uint32_t Screen();

// The menus' keys and buttons: the arrows and the d-pad or left stick move
// (a held direction repeats), Tab and Shift+Tab step down and up, Enter,
// keypad Enter, Space, A and Start choose, Esc and B go back.
enum MenuKey : uint8_t { MENU_UP, MENU_DOWN, MENU_LEFT, MENU_RIGHT, CHOOSE, BACK, MENU_KEYS };
struct MenuInput {
    uint32_t count[MENU_KEYS]; // presses and repeats since the last read
    bool menuKey;              // the in-game menu's key (M) was pressed: it leaves that menu
};
MenuInput ReadMenu();

// The intro and the level start are skipped by the skip action, by a choose
// or back key or button, and by the left button.
struct SkipInput {
    bool held;    // one of them is held now
    bool pressed; // one of them was pressed since the last read
};
SkipInput ReadSkip();

} // namespace Commands
