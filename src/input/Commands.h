// What the player asks of the game. In a level: one plain record per tick of
// the game loop, made from the keyboard, the mouse and the game controllers
// through one binding table whose defaults are the game's own keys. On the
// other screens: the keys and buttons that move a menu's focus, choose and go
// back, which are never rebound.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "Settings.h"

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

// ---------------------------------------------------------------- bindings

// An action's keys: up to two window-layer key codes (MOUSE_LEFT is the left
// button) and one controller button (a Wimdows::PadButton).
constexpr uint32_t NO_KEY = 0, MOUSE_LEFT = 0x100;
constexpr uint8_t NO_PAD = 0xFF;
struct Binding {
    std::array<uint32_t, 2> keys;
    uint8_t pad;
    bool operator==(const Binding&) const = default;
};
using Bindings = std::array<Binding, ACTIONS>;

// The game's own keys: the arrows and E S D F move, the left button fires,
// M, P, K, N and Q.
const Bindings& Defaults();
enum Preset : uint8_t { ORIGINAL, WASD, ARROWS, PRESETS };
// The presets: the original keys; W A S D with quit on F10; the arrows
// alone for moving.
const Bindings& PresetBindings(Preset p);

// The table in use, and a new one for from now on (a key held across the
// change acts only once let go and pressed anew).
const Bindings& Current();
void Bind(const Bindings& b);

// The actions' names in the settings file ("up", "giveup").
const char* ActionName(Action a);
// SDL's names of keys ("E", "Up", "F10"; "mouse1" for the left button) and of
// controller buttons ("righttrigger"); "" for none. From a name: NO_KEY or
// NO_PAD when the game knows no such key or button (letter case aside).
std::string KeyName(uint32_t key);
std::string PadName(uint8_t pad);
uint32_t KeyFromName(std::string_view name);
uint8_t PadFromName(std::string_view name);
// What the player sees for an action and a key, in the language spoken now.
const char* ActionLabel(Action a);
std::string KeyLabel(uint32_t key);
// Keys and buttons no action can take: Enter, Esc, A and B (the menus'),
// F1 (help), F11 and F12 (the window's) and the volume keys.
bool FixedKey(uint32_t key);
bool FixedPad(uint8_t pad);
// The action other than `except` holding the key or button; ACTIONS: none.
Action KeyOwner(const Bindings& b, uint32_t key, Action except);
Action PadOwner(const Bindings& b, uint8_t pad, Action except);

// The table that the settings' key_ and pad_ lines make: a line gives its
// action exactly what it lists. A line that names an unknown action, key or
// button, binds a key or button another action has, or leaves an action
// without a key is described in `problems` ("line N: ...") and its action
// keeps its default.
Bindings FromSettings(const std::vector<Settings::Binding>& lines,
                      std::vector<std::string>* problems = nullptr);
// The settings' lines for a table: every action's key_ and pad_ line.
std::vector<Settings::Binding> ToSettings(const Bindings& b);
// Binds what the settings file says, naming on the console each line it
// cannot use.
void LoadBindings();
// Binds the table and hands it to the settings writer.
void StoreBindings(const Bindings& b);

// ---------------------------------------------------------------- commands

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
// The left button's last press was made on the screen now showing: only then
// is its release a click there.
bool LeftPressedOnScreen();

// The menus' keys and buttons: the arrows and the d-pad or left stick move
// (a held direction repeats), Tab and Shift+Tab step down and up, Enter,
// keypad Enter, Space, A and Start choose, Esc and B go back.
enum MenuKey : uint8_t { MENU_UP, MENU_DOWN, MENU_LEFT, MENU_RIGHT, CHOOSE, BACK, MENU_KEYS };
struct MenuInput {
    uint32_t count[MENU_KEYS]; // presses and repeats since the last read
    uint32_t tab, shiftTab;    // of the down and up steps, those of Tab and Shift+Tab
    bool menuKey;              // the in-game menu's key (M) was pressed: it leaves that menu
};
MenuInput ReadMenu();

// F1 was pressed, or the controller's Back held for half a second, since the
// last read: the help with the controls. A shorter press of Back acts as
// its binding does, on its release; Back bound to moving or firing acts
// while held and never asks for the help.
bool ReadHelp();

// The intro and the level start are skipped by the skip action, by a choose
// or back key or button, and by the left button.
struct SkipInput {
    bool held;    // one of them is held now
    bool pressed; // one of them was pressed since the last read
};
SkipInput ReadSkip();

} // namespace Commands
