#include "Commands.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <utility>

#include "Wimdows.h"

namespace Commands {

namespace {

using Wimdows::PadButton;

constexpr uint32_t VK_TAB = 0x09, VK_RETURN = 0x0D, VK_SHIFT = 0x10, VK_ESCAPE = 0x1B,
                   VK_SPACE = 0x20, VK_F1 = 0x70, VK_LEFT = 0x25, VK_UP = 0x26, VK_RIGHT = 0x27,
                   VK_DOWN = 0x28;
// A held menu direction repeats after this long, then every REPEAT_EVERY.
constexpr int64_t REPEAT_DELAY_MS = 400, REPEAT_EVERY_MS = 100;
// The controller's Back held this long in a level shows the help.
constexpr int64_t HELP_HOLD_MS = 500;

// A key, the left button or a controller button.
struct Input {
    enum Kind : uint8_t { NONE, KEY, MOUSE_LEFT, PAD } kind;
    uint32_t code;
};
constexpr Input Key(uint32_t vk) {
    return {Input::KEY, vk};
}
constexpr Input Pad(PadButton b) {
    return {Input::PAD, b};
}
constexpr Input LEFT_BUTTON{Input::MOUSE_LEFT, 0};

using Inputs = std::array<Input, 12>; // the unused ones are NONE

// Held, these act for as long as they are held.
bool HeldAction(int a) {
    return a == UP || a == RIGHT || a == DOWN || a == LEFT || a == FIRE;
}

// The action that a short press of the controller's Back gives, when Back
// held long shows the help instead; ACTIONS: none. Back bound to moving or
// firing keeps acting while held.
Action BackAction(const Bindings& b) {
    for (int a = 0; a < ACTIONS; ++a)
        if (b[a].pad == Wimdows::PAD_BACK) return HeldAction(a) ? ACTIONS : static_cast<Action>(a);
    return ACTIONS;
}

std::array<Inputs, ACTIONS> InputsOf(const Bindings& b) {
    std::array<Inputs, ACTIONS> all{};
    for (int a = 0; a < ACTIONS; ++a) {
        std::size_t n = 0;
        for (uint32_t key : b[a].keys)
            if (key != NO_KEY) all[a][n++] = key == MOUSE_LEFT ? LEFT_BUTTON : Key(key);
        // Back's short press acts on its release, through BackHeld.
        if (b[a].pad != NO_PAD && a != BackAction(b))
            all[a][n] = Pad(static_cast<PadButton>(b[a].pad));
    }
    return all;
}

// The binding table in use, and the inputs each action reads.
Bindings table = Defaults();
std::array<Inputs, ACTIONS> bindings = InputsOf(table);
Action backAction = BackAction(table);

// The fixed keys and buttons beside the actions, each with its own state.
enum Entry : uint8_t {
    BACK_IN_LEVEL = ACTIONS, // Esc or B opens the in-game menu as M does
    MENU_FIRST,              // MENU_FIRST + MenuKey
    TAB = MENU_FIRST + MENU_KEYS,
    MENU_KEY, // the keys of the menu action, in a menu
    SKIPPING,
    HELP, // F1
    ENTRIES
};
const std::array<Inputs, MENU_KEYS + 1> MENU_INPUTS = {{
    {Key(VK_UP), Pad(Wimdows::PAD_UP)},
    {Key(VK_DOWN), Pad(Wimdows::PAD_DOWN)},
    {Key(VK_LEFT), Pad(Wimdows::PAD_LEFT)},
    {Key(VK_RIGHT), Pad(Wimdows::PAD_RIGHT)},
    {Key(VK_RETURN), Key(VK_SPACE), Pad(Wimdows::PAD_A), Pad(Wimdows::PAD_START)},
    {Key(VK_ESCAPE), Pad(Wimdows::PAD_B)},
    {Key(VK_TAB)},
}};

struct State {
    uint32_t presses = 0; // the inputs' presses together at the last read
    bool spent = false;   // held over from the screen before
    bool holding = false; // a menu direction held since heldSince
    int64_t heldSince = 0;
    uint32_t repeats = 0;
};
std::array<State, ENTRIES> states{};

// The controller's Back in a level: a short press is its action, let go;
// held long, the help.
struct BackHold {
    uint32_t presses = 0;
    bool down = false; // held since `since`, and not yet spent
    int64_t since = 0;
    uint32_t taps = 0; // short presses not yet read
    bool help = false; // held long, not yet read
} back;
std::atomic<uint32_t> screen{0};
std::atomic<uint32_t> leftAtScreen{0}; // the left button's downs as the screen began
Source source = nullptr;

Inputs Joined(std::initializer_list<const Inputs*> lists) {
    Inputs all{};
    std::size_t n = 0;
    for (const Inputs* l : lists)
        for (const Input& in : *l)
            if (in.kind != Input::NONE && n < all.size()) all[n++] = in;
    return all;
}

Inputs KeysOnly(const Inputs& inputs) {
    Inputs keys{};
    std::copy_if(inputs.begin(), inputs.end(), keys.begin(),
                 [](const Input& in) { return in.kind == Input::KEY; });
    return keys;
}

Inputs InputsOf(int e) {
    static const Inputs LEFT_ONLY{LEFT_BUTTON};
    if (e < ACTIONS) return bindings[e];
    if (e == BACK_IN_LEVEL) return MENU_INPUTS[BACK];
    if (e == MENU_KEY) return KeysOnly(bindings[MENU]);
    if (e == HELP) return Inputs{Key(VK_F1)};
    if (e == SKIPPING)
        return Joined({&bindings[SKIP], &MENU_INPUTS[CHOOSE], &MENU_INPUTS[BACK], &LEFT_ONLY});
    return MENU_INPUTS[e - MENU_FIRST];
}

struct Look {
    bool held;
    uint32_t presses;
};

Look Now(const Inputs& inputs) {
    const Wimdows::PadState pads = Wimdows::Pads();
    Look l{false, 0};
    for (const Input& in : inputs)
        switch (in.kind) {
        case Input::KEY:
            l.held = l.held || Wimdows::KeyDown(in.code);
            l.presses += Wimdows::KeyPresses(in.code);
            break;
        case Input::MOUSE_LEFT:
            l.held = l.held || Wimdows::MouseLeft();
            l.presses += Wimdows::LeftPresses();
            break;
        case Input::PAD:
            l.held = l.held || pads.held[in.code];
            l.presses += pads.presses[in.code];
            break;
        case Input::NONE:
            break;
        }
    return l;
}

// Held (unless spent) and the presses since the last look at entry `e`.
Look Take(int e) {
    State& st = states[e];
    const Look now = Now(InputsOf(e));
    const uint32_t fresh = now.presses - st.presses;
    st.presses = now.presses;
    if (fresh > 0 || !now.held) st.spent = false;
    return {now.held && !st.spent, fresh};
}

bool On(int e) {
    const Look l = Take(e);
    return l.held || l.presses > 0;
}

int64_t Milliseconds() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// Presses of a menu direction, and its repeats while held.
uint32_t Steps(int e) {
    State& st = states[e];
    const Look l = Take(e);
    if (!l.held) {
        st.holding = false;
        return l.presses;
    }
    const int64_t now = Milliseconds();
    if (l.presses > 0 || !st.holding) {
        st.holding = true;
        st.heldSince = now;
        st.repeats = 0;
        return l.presses;
    }
    const int64_t d = now - st.heldSince;
    const uint32_t due = d < REPEAT_DELAY_MS
                             ? 0
                             : static_cast<uint32_t>(1 + (d - REPEAT_DELAY_MS) / REPEAT_EVERY_MS);
    const uint32_t more = due - st.repeats;
    st.repeats = due;
    return more;
}

void WatchBack() {
    const Wimdows::PadState pads = Wimdows::Pads();
    const uint32_t fresh = pads.presses[Wimdows::PAD_BACK] - back.presses;
    back.presses = pads.presses[Wimdows::PAD_BACK];
    const bool held = pads.held[Wimdows::PAD_BACK];
    const int64_t now = Milliseconds();
    // Pressed and let go between two looks, or let go before it was long.
    if ((fresh > 0 && !held) || (back.down && !held)) ++back.taps;
    if (fresh > 0 && held) back.since = now;
    back.down = held && (back.down || fresh > 0);
    if (back.down && now - back.since >= HELP_HOLD_MS) {
        back.down = false; // its release is no short press
        back.help = true;
    }
}

bool BackTap() {
    WatchBack();
    if (back.taps == 0) return false;
    back.taps = 0;
    return true;
}

Command Live() {
    Command c{};
    c.up = On(UP);
    c.right = On(RIGHT);
    c.down = On(DOWN);
    c.left = On(LEFT);
    c.fire = On(FIRE);
    const bool back = On(BACK_IN_LEVEL);
    c.menu = On(MENU) || back;
    c.pause = On(PAUSE);
    c.giveUp = On(GIVE_UP);
    c.skip = On(SKIP);
    c.quit = On(QUIT);
    if (BackTap()) {
        bool* const SHORT[] = {&c.menu, &c.pause, &c.giveUp, &c.skip, &c.quit};
        if (backAction >= MENU && backAction < ACTIONS) *SHORT[backAction - MENU] = true;
    }
    Wimdows::MousePos(c.aimX, c.aimY);
    return c;
}

// Held over from the screen before, these act at once: movement and fire as
// they always did, and Q, which ends the program from wherever it is held.
bool ActsHeld(int e) {
    return HeldAction(e) || e == QUIT;
}

// What is pressed or held now belongs to what came before.
void Rebase() {
    for (int e = 0; e < ENTRIES; ++e) {
        const Look now = Now(InputsOf(e));
        states[e] = State{now.presses, now.held && !ActsHeld(e)};
    }
    back = BackHold{Wimdows::Pads().presses[Wimdows::PAD_BACK]};
}

} // namespace

Command Read() {
    return source ? source() : Live();
}

Command ReadLive() {
    return Live();
}

void SetSource(Source s) {
    source = s;
}

bool Held(Action a) {
    return Now(bindings[a]).held;
}

void NextScreen() {
    leftAtScreen.store(Wimdows::LeftDowns());
    screen.fetch_add(1);
    Wimdows::FlushKeys();
    Rebase();
}

const Bindings& Current() {
    return table;
}

void Bind(const Bindings& b) {
    table = b;
    bindings = InputsOf(b);
    backAction = BackAction(b);
    Rebase();
}

uint32_t Screen() {
    return screen.load();
}

bool LeftPressedOnScreen() {
    return Wimdows::LeftDowns() != leftAtScreen.load();
}

MenuInput ReadMenu() {
    MenuInput m{};
    for (int k = 0; k < MENU_KEYS; ++k)
        m.count[k] =
            k == CHOOSE || k == BACK ? Take(MENU_FIRST + k).presses : Steps(MENU_FIRST + k);
    // Shift+Tab goes back up.
    const bool shift = Wimdows::KeyDown(VK_SHIFT);
    const uint32_t tabs = Steps(TAB);
    (shift ? m.shiftTab : m.tab) = tabs;
    m.count[shift ? MENU_UP : MENU_DOWN] += tabs;
    m.menuKey = Take(MENU_KEY).presses > 0;
    return m;
}

bool ReadHelp() {
    WatchBack();
    return Take(HELP).presses > 0 || std::exchange(back.help, false);
}

SkipInput ReadSkip() {
    const Look l = Take(SKIPPING);
    return {l.held, l.presses > 0};
}

} // namespace Commands
