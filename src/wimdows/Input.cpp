// Keyboard and mouse: the window thread turns SDL events into key states, the
// key queue, the press counts and the mouse record the game reads. A key or
// the left button is down while any source holds it.
#include "WimdowsInternal.h"

#include <array>
#include <deque>

namespace Wimdows {

using namespace Internal;

namespace {

std::array<std::atomic<bool>, 256> keys{};
// Presses so far, read and written without a lock: a count only grows.
std::array<std::atomic<uint32_t>, 256> keyPresses{};
std::atomic<uint32_t> leftPresses{0};
// Every press of the left button from any source, a double click's too.
std::atomic<uint32_t> leftDowns{0};
std::mutex inputLock;
std::deque<uint32_t> keyQueue;
int32_t mouseX = 0;
int32_t mouseY = 0;
std::atomic<bool> mouseLeft{false};
std::atomic<bool> mouseRight{false};
// The sources holding each key and the left button; window thread only.
std::array<uint8_t, 256> keyHolders{};
uint8_t leftHolders = 0;
std::atomic<MouseProc> leftUpProc{nullptr};
bool leftLetGo = false; // window thread: released at a focus loss, its real release ignored

// Windows virtual-key code of an SDL key; 0 for keys the game cannot name.
uint32_t VirtualKey(SDL_Keycode k) {
    if (k >= SDLK_a && k <= SDLK_z) return 0x41 + static_cast<uint32_t>(k - SDLK_a);
    if (k >= SDLK_0 && k <= SDLK_9) return 0x30 + static_cast<uint32_t>(k - SDLK_0);
    if (k >= SDLK_F1 && k <= SDLK_F12) return 0x70 + static_cast<uint32_t>(k - SDLK_F1);
    if (k >= SDLK_KP_1 && k <= SDLK_KP_9) return 0x61 + static_cast<uint32_t>(k - SDLK_KP_1);
    static const std::pair<SDL_Keycode, uint32_t> others[] = {
        {SDLK_BACKSPACE, 0x08},    {SDLK_TAB, 0x09},         {SDLK_RETURN, 0x0D},
        {SDLK_KP_ENTER, 0x0D},     {SDLK_LSHIFT, 0x10},      {SDLK_RSHIFT, 0x10},
        {SDLK_LCTRL, 0x11},        {SDLK_RCTRL, 0x11},       {SDLK_LALT, 0x12},
        {SDLK_RALT, 0x12},         {SDLK_PAUSE, 0x13},       {SDLK_CAPSLOCK, 0x14},
        {SDLK_ESCAPE, 0x1B},       {SDLK_SPACE, 0x20},       {SDLK_PAGEUP, 0x21},
        {SDLK_PAGEDOWN, 0x22},     {SDLK_END, 0x23},         {SDLK_HOME, 0x24},
        {SDLK_LEFT, 0x25},         {SDLK_UP, 0x26},          {SDLK_RIGHT, 0x27},
        {SDLK_DOWN, 0x28},         {SDLK_INSERT, 0x2D},      {SDLK_DELETE, 0x2E},
        {SDLK_KP_0, 0x60},         {SDLK_KP_MULTIPLY, 0x6A}, {SDLK_KP_PLUS, 0x6B},
        {SDLK_KP_MINUS, 0x6D},     {SDLK_KP_PERIOD, 0x6E},   {SDLK_KP_DIVIDE, 0x6F},
        {SDLK_NUMLOCKCLEAR, 0x90}, {SDLK_SCROLLLOCK, 0x91},  {SDLK_SEMICOLON, 0xBA},
        {SDLK_EQUALS, 0xBB},       {SDLK_COMMA, 0xBC},       {SDLK_MINUS, 0xBD},
        {SDLK_PERIOD, 0xBE},       {SDLK_SLASH, 0xBF},       {SDLK_BACKQUOTE, 0xC0},
        {SDLK_LEFTBRACKET, 0xDB},  {SDLK_BACKSLASH, 0xDC},   {SDLK_RIGHTBRACKET, 0xDD},
        {SDLK_QUOTE, 0xDE}};
    for (const auto& [sym, vk] : others)
        if (sym == k) return vk;
    return 0;
}

} // namespace

namespace Internal {

void ReleaseInput() {
    for (auto& k : keys)
        k.store(false, std::memory_order_relaxed);
    keyHolders.fill(0);
    {
        std::lock_guard lock(inputLock);
        keyQueue.clear();
    }
    leftLetGo = leftLetGo || (leftHolders & FROM_MOUSE) != 0;
    leftHolders = 0;
    mouseLeft = false;
    mouseRight = false;
}

void ResetInput() {
    ReleaseInput();
    {
        std::lock_guard lock(inputLock);
        mouseX = 0;
        mouseY = 0;
    }
    leftUpProc = nullptr;
    leftLetGo = false;
    layout = Layout{};
}

void HoldKey(uint32_t vk, Source from, bool down) {
    uint8_t& holders = keyHolders[vk & 0xFF];
    if (down && holders == 0) keyPresses[vk & 0xFF].fetch_add(1, std::memory_order_relaxed);
    holders = down ? holders | from : holders & ~from;
    keys[vk & 0xFF].store(holders != 0, std::memory_order_relaxed);
    if (!down) return;
    std::lock_guard lock(inputLock);
    keyQueue.push_back(vk & 0xFF);
}

void OnKey(const SDL_KeyboardEvent& e) {
    // The game reads none of the volume keys, so they reach it as well.
    if (OnVolumeKey(e)) Repaint();
    const uint32_t vk = VirtualKey(e.keysym.sym);
    // Held keys repeat: every repeat queues again.
    if (vk != 0) HoldKey(vk, FROM_KEYBOARD, e.type == SDL_KEYDOWN);
}

void SetMouse(int32_t x, int32_t y) {
    const SDL_Point g = GamePoint(layout, x, y);
    SetGameMouse(g.x, g.y);
}

// Positions are 16-bit unsigned: left of or above the picture is 65536 minus the distance.
void SetGameMouse(int32_t x, int32_t y) {
    std::lock_guard lock(inputLock);
    mouseX = static_cast<uint16_t>(x);
    mouseY = static_cast<uint16_t>(y);
}

void OnButton(const SDL_MouseButtonEvent& e) {
    const bool down = e.type == SDL_MOUSEBUTTONDOWN;
    const bool left = e.button == SDL_BUTTON_LEFT;
    if (!left && e.button != SDL_BUTTON_RIGHT) return;
    // A second press within the double-click time is the double click, not a press.
    if (down && left && e.clicks % 2 == 0) {
        leftDowns.fetch_add(1, std::memory_order_relaxed);
        return;
    }
    const bool other = left ? mouseRight.load() : (leftHolders & FROM_MOUSE) != 0;
    // The callbacks take no position: they read it from MousePos.
    SetMouse(e.x, e.y);
    if (!other) SDL_CaptureMouse(down ? SDL_TRUE : SDL_FALSE);
    // The release of a press that a focus loss already ended is no click.
    const bool click = !leftLetGo;
    if (left) {
        leftLetGo = false;
        HoldLeft(FROM_MOUSE, down, click);
    } else {
        mouseRight = down;
    }
}

void HoldLeft(Source from, bool down, bool click) {
    if (down && leftHolders == 0) leftPresses.fetch_add(1, std::memory_order_relaxed);
    if (down) leftDowns.fetch_add(1, std::memory_order_relaxed);
    leftHolders = down ? leftHolders | from : leftHolders & ~from;
    mouseLeft = leftHolders != 0;
    const MouseProc proc = leftUpProc.load();
    if (!down && click && proc) proc();
}

} // namespace Internal

// ---------------------------------------------------------------- input

bool KeyDown(uint32_t k) {
    return k < keys.size() && keys[k].load(std::memory_order_relaxed);
}

uint32_t KeyPresses(uint32_t k) {
    return k < keyPresses.size() ? keyPresses[k].load(std::memory_order_relaxed) : 0;
}

uint32_t LeftPresses() {
    return leftPresses.load(std::memory_order_relaxed);
}

uint32_t LeftDowns() {
    return leftDowns.load(std::memory_order_relaxed);
}

bool GetKeyPressed(uint32_t& key) {
    std::lock_guard lock(inputLock);
    if (keyQueue.empty()) return false;
    key = keyQueue.front();
    keyQueue.pop_front();
    return true;
}

void FlushKeys() {
    std::lock_guard lock(inputLock);
    keyQueue.clear();
}

void MousePos(int32_t& x, int32_t& y) {
    std::lock_guard lock(inputLock);
    x = mouseX;
    y = mouseY;
}

bool MouseLeft() {
    return mouseLeft.load();
}

void OnMouseLeftUp(MouseProc proc) {
    leftUpProc.store(proc);
}

} // namespace Wimdows
