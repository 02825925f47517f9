// Bitmap buttons and the modal wait for a click on one of them.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace StandardMenu {

constexpr int BITMAPNAME_LEN = 30;
using BitmapName = char[BITMAPNAME_LEN];

struct ButtonType {
    bool withMouseOver; // a second picture while the mouse is over the button
    bool withMask;      // only the mask's shape is painted
};

struct ButtonStrings {
    BitmapName normal;
    BitmapName mouseOver;
    BitmapName normalMask;
    BitmapName mouseOverMask; // "=": the mouse-over picture uses the normal mask
};

// A plain value; an all-zero button is invisible and inert.
struct ButtonRc {
    int32_t x0, y0;
    int32_t width, height;
    bool visible;
    ButtonType type;
    uint32_t bitmap[2]; // [0] normal, [1] mouse-over
    uint32_t mask[2];
};

struct ClickRc {
    int32_t x, y;
};

// What MenuSelection returns once the window is gone: no button can be
// clicked any more, so the caller must wind down.
constexpr int32_t GEEN_KEUZE = -1;
// What MenuPass returns when nothing was chosen in its pass.
constexpr int32_t NOG_NIETS = -2;

// A screen's focused button, for the keyboard and the controllers; a screen
// keeps one for as long as it shows, so that its polls go on from where the
// focus stood. It starts on the first visible button. Up and Down (Tab and
// Shift+Tab, the d-pad) move it through the visible buttons, wrapping; Enter,
// Space, A or Start choose it as a click would. Moving the mouse over a
// button moves the focus there.
struct Focus {
    int32_t knop = -1;               // the focused button; -1: the first visible one
    int32_t terug = -1;              // what Esc or B chooses; -1: nothing
    bool eerstTonen = false;         // the first Esc only moves the focus to `terug`
    int32_t links = -1, rechts = -1; // what Left and Right choose; -1: nothing
    bool menuToets = false;          // the in-game menu's key (M) goes back as Esc does
};

ButtonRc CreateButton(int32_t w, int32_t h, const char* normal, const char* mouseOver);
ButtonRc CreateMaskedButton(int32_t w, int32_t h, const char* normal, const char* mouseOver,
                            const char* mask);
ButtonRc CreateField(int32_t w, int32_t h, const char* normal, const char* mask);
ButtonRc CreateButtonX(int32_t w, int32_t h, ButtonType flags, const ButtonStrings& bitmaps);

// Releases the pictures a button loaded (a shared mouse-over mask only once).
void DestroyButton(const ButtonRc& button);

void SetVerticalMenu(int32_t x0, int32_t y0, int32_t yGap, std::span<ButtonRc> buttons);
bool InButton(const ButtonRc& button, int32_t x, int32_t y);
void DrawButton(const ButtonRc& button);
// The menus take the window's left clicks from now on, so that a click on a
// menu's first frame, made before the menu first looks, is not lost. A new
// window starts without; every look at a button takes them again.
void TakeClicks();
bool ButtonSelected(const ButtonRc& button);

// Draws the buttons every 25 ms until one is clicked or chosen with the keys;
// its index, or GEEN_KEUZE when the window was closed. Without a focus of
// its own the menu is a screen of its own.
int32_t MenuSelection(std::span<const ButtonRc> menu);
int32_t MenuSelection(std::span<const ButtonRc> menu, Focus& focus);
// What a screen draws over its buttons after every pass, told which buttons
// are lit: a button without pictures (its mouse-over one asked for) is a line
// the screen draws itself.
using Erbij = std::function<void(const std::vector<bool>& lit)>;
int32_t MenuSelection(std::span<const ButtonRc> menu, Focus& focus, const Erbij& erbij);
// One pass of MenuSelection: the buttons drawn (the focused one lit while the
// keys lead, else the one under the mouse) and the index chosen, NOG_NIETS or
// GEEN_KEUZE; nothing is presented.
int32_t MenuPass(std::span<const ButtonRc> menu, Focus& focus);

// TRUE when the mouse moved since the last look of any menu (its focus
// follows the mouse).
bool MouseMoved();

// TRUE once no click can come any more: the window was closed or never opened.
bool WindowGone();

// The left-button-up handler: stores the single pending click. A click
// belongs to the screen it was made on: once a button was chosen there, it
// acts on no other.
void RegisterLeftClick(int32_t x, int32_t y);
// TRUE while a click waits to be consumed by a button.
bool ClickPending();
// Forgets a pending click.
void ClearClick();

} // namespace StandardMenu
