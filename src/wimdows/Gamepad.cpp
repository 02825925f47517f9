// Game controllers: the window thread follows every controller SDL knows and
// keeps what they hold and how often each was pressed, for the game's command
// record: the left stick and the d-pad are the four directions, the right
// trigger or shoulder fires, and A, B, X, Y, Start, Back, the left shoulder
// and the left trigger are buttons of their own. In a level the right stick aims around the player;
// on every other screen it moves the pointer.
#include "WimdowsInternal.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace Wimdows {

using namespace Internal;

namespace {

constexpr float AXIS_FULL = 32767.0f;
constexpr float DEAD_ZONE = 8000.0f / AXIS_FULL;
// A stick held within 22.5 degrees of a diagonal holds both of its directions.
constexpr float DIRECTION = 0.38268343f; // sin 22.5 degrees
constexpr int16_t TRIGGER_FIRES = 10000;
// The cross-hair's distance from the player, in game pixels.
constexpr float AIM_DISTANCE = 120.0f;
// A stick pushed all the way moves the pointer across the game in a second.
constexpr float POINTER_SPEED = 1.0f;
constexpr uint32_t POINTER_TICK_MS = 10; // the window thread looks in more often
constexpr uint64_t LONGEST_TICK_MS = 50;

struct Pad {
    SDL_GameController* controller = nullptr;
    SDL_JoystickID id = -1;
    // The buttons as last followed; a button held while the focus went is
    // spent until it is released.
    std::array<bool, SDL_CONTROLLER_BUTTON_MAX> seen{};
    std::array<bool, SDL_CONTROLLER_BUTTON_MAX> spent{};
};

using Held = std::array<bool, PAD_BUTTONS>;

// Window thread only.
std::vector<Pad> pads;
bool started = false;
bool levelSeen = false;           // the right stick aims (in a level) or moves the pointer
bool focused = true;              // without the focus the controllers hold nothing
Held held{};                      // what the pads hold now
float pointerX = 0, pointerY = 0; // game pixels, with the fraction kept
int32_t pointerSetX = -1, pointerSetY = -1; // where the pads last put the mouse record
uint64_t lastTick = 0;                      // 0: the pointer is not moving

// Shared with the main thread, which reads them into its command record.
std::array<std::atomic<bool>, PAD_BUTTONS> sharedHeld{};
std::array<std::atomic<uint32_t>, PAD_BUTTONS> presses{};

// Shared with the main thread, which says where the player stands.
std::mutex aimLock;
std::atomic<bool> inLevel{false};
int32_t centreX = 0, centreY = 0;
bool aiming = false; // the right stick, not the mouse, holds the cross-hair
float aimX = 1, aimY = 0;

struct Stick {
    float x, y;
};

Stick StickOf(SDL_GameController* c, SDL_GameControllerAxis ax, SDL_GameControllerAxis ay) {
    return {SDL_GameControllerGetAxis(c, ax) / AXIS_FULL,
            SDL_GameControllerGetAxis(c, ay) / AXIS_FULL};
}

Stick LeftStick(const Pad& p) {
    return StickOf(p.controller, SDL_CONTROLLER_AXIS_LEFTX, SDL_CONTROLLER_AXIS_LEFTY);
}

Stick RightStick(const Pad& p) {
    return StickOf(p.controller, SDL_CONTROLLER_AXIS_RIGHTX, SDL_CONTROLLER_AXIS_RIGHTY);
}

float Length(Stick s) {
    return std::hypot(s.x, s.y);
}

// A button held while the focus went counts from its next press.
bool Pressed(const Pad& p, SDL_GameControllerButton b) {
    return p.seen[b] && !p.spent[b];
}

void AddButtons(const Pad& p, Held& want) {
    const Stick s = LeftStick(p);
    const float m = Length(s);
    const bool moved = m > DEAD_ZONE;
    auto hold = [&](PadButton b, bool stick, SDL_GameControllerButton pad) {
        if ((moved && stick) || p.seen[pad]) want[b] = true;
    };
    hold(PAD_LEFT, s.x < -DIRECTION * m, SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    hold(PAD_RIGHT, s.x > DIRECTION * m, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    hold(PAD_UP, s.y < -DIRECTION * m, SDL_CONTROLLER_BUTTON_DPAD_UP);
    hold(PAD_DOWN, s.y > DIRECTION * m, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    if (SDL_GameControllerGetAxis(p.controller, SDL_CONTROLLER_AXIS_TRIGGERRIGHT) > TRIGGER_FIRES ||
        p.seen[SDL_CONTROLLER_BUTTON_RIGHTSHOULDER])
        want[PAD_FIRE] = true;
    if (SDL_GameControllerGetAxis(p.controller, SDL_CONTROLLER_AXIS_TRIGGERLEFT) > TRIGGER_FIRES)
        want[PAD_LEFT_TRIGGER] = true;
    const std::pair<PadButton, SDL_GameControllerButton> buttons[] = {
        {PAD_A, SDL_CONTROLLER_BUTTON_A},
        {PAD_B, SDL_CONTROLLER_BUTTON_B},
        {PAD_START, SDL_CONTROLLER_BUTTON_START},
        {PAD_BACK, SDL_CONTROLLER_BUTTON_BACK},
        {PAD_X, SDL_CONTROLLER_BUTTON_X},
        {PAD_Y, SDL_CONTROLLER_BUTTON_Y},
        {PAD_LEFT_SHOULDER, SDL_CONTROLLER_BUTTON_LEFTSHOULDER}};
    for (const auto& [b, pad] : buttons)
        if (Pressed(p, pad)) want[b] = true;
}

// What the pads together hold; nothing without the focus.
Held Wanted() {
    Held want{};
    if (!focused) return want;
    for (const Pad& p : pads)
        AddButtons(p, want);
    return want;
}

// Every button that goes down counts a press.
void Apply(const Held& want) {
    for (int b = 0; b < PAD_BUTTONS; ++b) {
        if (want[b] && !held[b]) presses[b].fetch_add(1, std::memory_order_relaxed);
        sharedHeld[b].store(want[b], std::memory_order_relaxed);
    }
    held = want;
}

// The point at AIM_DISTANCE from the centre in the aimed direction, brought
// nearer along the same line where the game's edge is closer, so that the
// 16-bit mouse rule never turns a point off the game into one on the far side.
void AimedPoint(int32_t& x, int32_t& y) {
    const float edge = static_cast<float>(xlen.load(std::memory_order_relaxed)) - 1;
    const float edgeY = static_cast<float>(ylen.load(std::memory_order_relaxed)) - 1;
    float t = AIM_DISTANCE;
    auto limit = [&t](float from, float d, float high) {
        if (d > 0) t = std::min(t, (high - from) / d);
        if (d < 0) t = std::min(t, -from / d);
    };
    limit(static_cast<float>(centreX), aimX, edge);
    limit(static_cast<float>(centreY), aimY, edgeY);
    t = std::max(t, 0.0f);
    x = static_cast<int32_t>(std::lround(centreX + aimX * t));
    y = static_cast<int32_t>(std::lround(centreY + aimY * t));
}

// Under aimLock.
void PlaceCrossHair() {
    int32_t x = 0, y = 0;
    AimedPoint(x, y);
    SetGameMouse(x, y);
}

void Aim() {
    Stick sum{0, 0};
    for (const Pad& p : pads) {
        const Stick s = RightStick(p);
        if (Length(s) > DEAD_ZONE) sum = {sum.x + s.x, sum.y + s.y};
    }
    const float m = Length(sum);
    if (m == 0) return; // let go: the cross-hair keeps its direction
    std::lock_guard lock(aimLock);
    aimX = sum.x / m;
    aimY = sum.y / m;
    aiming = true;
    PlaceCrossHair();
}

// Game pixels per second that a right stick asks of the pointer: slow near
// the dead zone, the whole game's width per second at full push. (The left
// stick moves the menus' focus.)
Stick PointerVelocity() {
    const float full = POINTER_SPEED * static_cast<float>(xlen.load(std::memory_order_relaxed));
    Stick v{0, 0};
    for (const Pad& p : pads) {
        const Stick s = RightStick(p);
        const float m = std::min(Length(s), 1.0f);
        if (m <= DEAD_ZONE) continue;
        const float push = (m - DEAD_ZONE) / (1 - DEAD_ZONE);
        const float speed = full * push * push / m;
        v = {v.x + s.x * speed, v.y + s.y * speed};
    }
    return v;
}

void Refresh() {
    const bool level = inLevel.load();
    levelSeen = level;
    for (Pad& p : pads)
        for (int b = 0; b < SDL_CONTROLLER_BUTTON_MAX; ++b) {
            p.seen[b] =
                SDL_GameControllerGetButton(p.controller, static_cast<SDL_GameControllerButton>(b));
            if (!p.seen[b]) p.spent[b] = false;
        }
    Apply(Wanted());
    if (focused && level) Aim();
    const Stick v = focused && !level ? PointerVelocity() : Stick{0, 0};
    if (v.x == 0 && v.y == 0)
        lastTick = 0; // the pointer stands still
    else if (lastTick == 0)
        lastTick = SDL_GetTicks64();
}

Pad* Find(SDL_JoystickID id) {
    for (Pad& p : pads)
        if (p.id == id) return &p;
    return nullptr;
}

void Open(int index) {
    SDL_GameController* c = SDL_GameControllerOpen(index);
    if (!c) return Complain("cannot open game controller", SDL_GetError());
    const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(c));
    if (Find(id)) return SDL_GameControllerClose(c); // announced twice
    pads.push_back({c, id, {}, {}});
}

void Close(SDL_JoystickID id) {
    for (auto p = pads.begin(); p != pads.end(); ++p)
        if (p->id == id) {
            SDL_GameControllerClose(p->controller);
            pads.erase(p);
            return;
        }
}

} // namespace

namespace Internal {

void OpenGamepads() {
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0)
        return Complain("game controllers are not available", SDL_GetError());
    started = true; // the controllers present now announce themselves as added
}

void CloseGamepads() {
    if (!started) return;
    for (Pad& p : pads)
        SDL_GameControllerClose(p.controller);
    pads.clear();
    Apply({});
    levelSeen = false;
    focused = true;
    lastTick = 0;
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    started = false;
}

bool OnGamepadEvent(const SDL_Event& e) {
    switch (e.type) {
    case SDL_CONTROLLERDEVICEADDED:
        Open(e.cdevice.which);
        break;
    case SDL_CONTROLLERDEVICEREMOVED:
        Close(e.cdevice.which);
        break;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        // The press itself first: a press and release within one poll still counts.
        if (Pad* p = Find(e.cbutton.which); p && e.cbutton.button < SDL_CONTROLLER_BUTTON_MAX) {
            p->seen[e.cbutton.button] = e.cbutton.state == SDL_PRESSED;
            Apply(Wanted());
        }
        break;
    case SDL_CONTROLLERAXISMOTION:
        break;
    default:
        return false;
    }
    Refresh();
    return true;
}

void SyncGamepads() {
    if (!started) return;
    SDL_GameControllerUpdate();
    Refresh();
}

void MovePointerByGamepad() {
    if (lastTick == 0 || levelSeen) return;
    const uint64_t now = SDL_GetTicks64();
    if (now - lastTick < POINTER_TICK_MS) return;
    const float dt = static_cast<float>(std::min(now - lastTick, LONGEST_TICK_MS)) / 1000.0f;
    lastTick = now;
    // The mouse may have moved the pointer since: go on from where it is (a
    // point over a bar left of or above the game is 65536 minus the distance).
    int32_t mx = 0, my = 0;
    MousePos(mx, my);
    if (mx != pointerSetX || my != pointerSetY) {
        pointerX = static_cast<float>(static_cast<int16_t>(mx));
        pointerY = static_cast<float>(static_cast<int16_t>(my));
    }
    const Stick v = PointerVelocity();
    const float w = static_cast<float>(xlen.load(std::memory_order_relaxed));
    const float h = static_cast<float>(ylen.load(std::memory_order_relaxed));
    pointerX = std::clamp(pointerX + v.x * dt, 0.0f, w - 1);
    pointerY = std::clamp(pointerY + v.y * dt, 0.0f, h - 1);
    WarpPointer(static_cast<int32_t>(std::lround(pointerX)),
                static_cast<int32_t>(std::lround(pointerY)), pointerSetX, pointerSetY);
}

void PointerMoved(SDL_Point game) {
    if (game.x == pointerSetX && game.y == pointerSetY) return; // the echo of our own warp
    std::lock_guard lock(aimLock);
    aiming = false;
}

bool LevelRuns(bool runs) {
    std::lock_guard lock(aimLock);
    if (!runs) aiming = false;
    return inLevel.exchange(runs) != runs;
}

void GamepadFocus(bool has) {
    focused = has;
    if (!has)
        for (Pad& p : pads)
            p.spent = p.seen;
    if (started) Refresh();
}

} // namespace Internal

PadState Pads() {
    PadState s{};
    for (int b = 0; b < PAD_BUTTONS; ++b) {
        s.held[b] = sharedHeld[b].load(std::memory_order_relaxed);
        s.presses[b] = presses[b].load(std::memory_order_relaxed);
    }
    return s;
}

void AimAround(int32_t x, int32_t y) {
    std::lock_guard lock(aimLock);
    centreX = x;
    centreY = y;
    if (aiming) PlaceCrossHair();
}

} // namespace Wimdows
