// The one game window: its own thread, keyboard and mouse state, a software
// back buffer with drawing primitives and text, and the table of pictures.
#pragma once

#include <cstdint>

namespace Wimdows {

enum WinState : uint8_t { STATE_DEAD = 0, STATE_ACTIVE = 1, STATE_ERROR = 2 };

// Window thread and presenting.
void Window(const char* title, uint32_t x, uint32_t y);
// Before Window: the window opens fullscreen (or not) for this run, whatever
// the settings say; the settings keep the player's own choice.
void SetStartFullscreen(bool on);
// Before Window: where F12 writes its screenshots (made when needed); none
// set, F12 does nothing.
void SetScreenshotFolder(const char* folder);
void KillWindow();
void SetBuffering(bool state);
void UpdateWindow();
WinState State();
// TRUE once the player closed the window with its close box.
bool WindowClosed();
// The game's size in pixels; the window on the screen scales it.
uint32_t Width();
uint32_t Height();
// The refresh rate of the window's display in hertz; 0 when it is not known.
uint32_t RefreshRate();
// The system's mouse pointer over the window; shown until told otherwise.
// The game hides it while a level runs, where game controllers move the
// robot and aim instead of moving the pointer.
void ShowPointer(bool show);
// Returns once the window thread has handled every event pushed and every
// game-controller change made before the call (tests inject SDL events and
// move virtual controllers from another thread), or once the window has
// ended; at once without a window. Not for use inside a mouse callback.
void Sync();

// Keyboard (Windows virtual-key codes) and mouse.
bool KeyDown(uint32_t k);
bool GetKeyPressed(uint32_t& key);
void FlushKeys();
void MousePos(int32_t& x, int32_t& y);
bool MouseLeft();
using MouseProc = void (*)();
void OnMouseLeftUp(MouseProc proc);
// Presses so far since the program started (a held key's repeats count
// once), so that a press made and let go between two reads is not lost.
uint32_t KeyPresses(uint32_t k);
uint32_t LeftPresses();
// Every press of the left button so far, from any source, a double click's
// and one made while another source holds the button too.
uint32_t LeftDowns();

// Game controllers, all together: the directions of the left sticks and
// d-pads, fire (right trigger or shoulder) and eight buttons, each held or not
// and pressed so many times so far. Nothing is held while the window lacks the focus.
enum PadButton : uint8_t {
    PAD_UP,
    PAD_RIGHT,
    PAD_DOWN,
    PAD_LEFT,
    PAD_FIRE,
    PAD_A,
    PAD_B,
    PAD_START,
    PAD_BACK,
    PAD_X,
    PAD_Y,
    PAD_LEFT_SHOULDER,
    PAD_LEFT_TRIGGER,
    PAD_BUTTONS
};
struct PadState {
    bool held[PAD_BUTTONS];
    uint32_t presses[PAD_BUTTONS];
};
PadState Pads();
// While a level runs (the pointer hidden), the game loop says every frame
// where its player stands, in game pixels: the right stick aims around that
// point by moving the mouse record. Elsewhere the right stick moves the pointer.
void AimAround(int32_t x, int32_t y);

// Primitives; colours are 0x00BBGGRR.
void Rectangle(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t color, bool fill);
void Ellipse(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t color, bool fill);
void Arc(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3,
         int32_t y3, uint32_t color);
void Circle(int32_t x0, int32_t y0, uint32_t radius, uint32_t color);
void Disc(int32_t x0, int32_t y0, uint32_t radius, uint32_t color);
// The disc in the rim colour with the one a pixel smaller over it, drawn at once.
void RimmedDisc(int32_t x0, int32_t y0, uint32_t radius, uint32_t rim, uint32_t color);
void ClearScreen();
void Polygon(uint32_t n, const int32_t* x, const int32_t* y, uint32_t color, bool fill);

// Text in the stock-font styles 0 to 5.
void SetFont(uint32_t style, uint32_t color);
void Text(const char* text, int32_t x, int32_t y);
void TextInt(int32_t number, int32_t x, int32_t y);
void TextCard(uint32_t number, int32_t x, int32_t y);
void GetTextSize(const char* text, uint32_t style, uint32_t& width, uint32_t& height);

// Picture table: handle h is entry h - 1, 0 means none.
uint32_t LoadBitmap(const char* file, uint32_t width, uint32_t height);
uint32_t CreateBitmap(uint32_t width, uint32_t height);
void DestroyBitmap(uint32_t bitmap);
void DrawBitmap(uint32_t bitmap, int32_t x, int32_t y);
void DrawMaskBitmap(uint32_t bitmap, uint32_t maskbitmap, int32_t x, int32_t y);
void CopyBitmap(uint32_t srcbitmap, uint32_t destbitmap, int32_t xsrc, int32_t ysrc, int32_t xdest,
                int32_t ydest, uint32_t width, uint32_t height);
// The back buffer from its top-left corner into the picture, as far as both reach.
void GrabScreen(uint32_t bitmap);
// Number of entries in the picture table (free ones included).
uint32_t BitmapTableLength();

// The back buffer's pixel at (x, y) as 0x00BBGGRR, for tests and screenshots.
uint32_t GetPixel(int32_t x, int32_t y);

} // namespace Wimdows
