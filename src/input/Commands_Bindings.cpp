// The binding table's defaults and presets, the names of keys and buttons in
// the settings file, and the reading of the settings' key_ and pad_ lines.
#include <algorithm>
#include <cctype>
#include <initializer_list>
#include <iostream>
#include <optional>
#include <utility>

#include "Commands.h"
#include "Taal.h"
#include "Wimdows.h"

namespace Commands {

namespace {

using W = Wimdows::PadButton;

constexpr uint32_t VK_RETURN = 0x0D, VK_ESCAPE = 0x1B, VK_LEFT = 0x25, VK_UP = 0x26,
                   VK_RIGHT = 0x27, VK_DOWN = 0x28, VK_F1 = 0x70, VK_F10 = 0x79, VK_F11 = 0x7A,
                   VK_F12 = 0x7B;

constexpr Binding Bound(uint32_t first, uint32_t second, uint8_t pad) {
    return {{first, second}, pad};
}

// The one table of the game's own keys.
constexpr Bindings DEFAULTS = {{
    Bound(VK_UP, 'E', W::PAD_UP),
    Bound(VK_RIGHT, 'F', W::PAD_RIGHT),
    Bound(VK_DOWN, 'D', W::PAD_DOWN),
    Bound(VK_LEFT, 'S', W::PAD_LEFT),
    Bound(MOUSE_LEFT, NO_KEY, W::PAD_FIRE),
    Bound('M', NO_KEY, W::PAD_START),
    Bound('P', NO_KEY, W::PAD_BACK),
    Bound('K', NO_KEY, NO_PAD),
    Bound('N', NO_KEY, NO_PAD),
    Bound('Q', NO_KEY, NO_PAD),
}};

constexpr Bindings Moved(Bindings b, std::initializer_list<std::pair<Action, Binding>> changes) {
    for (const auto& [a, binding] : changes)
        b[a] = binding;
    return b;
}

constexpr Bindings PRESETS_TABLE[PRESETS] = {
    DEFAULTS,
    // Q sits beside W and A: quitting moves off the letters.
    Moved(DEFAULTS, {{UP, Bound('W', VK_UP, W::PAD_UP)},
                     {RIGHT, Bound('D', VK_RIGHT, W::PAD_RIGHT)},
                     {DOWN, Bound('S', VK_DOWN, W::PAD_DOWN)},
                     {LEFT, Bound('A', VK_LEFT, W::PAD_LEFT)},
                     {QUIT, Bound(VK_F10, NO_KEY, NO_PAD)}}),
    Moved(DEFAULTS, {{UP, Bound(VK_UP, NO_KEY, W::PAD_UP)},
                     {RIGHT, Bound(VK_RIGHT, NO_KEY, W::PAD_RIGHT)},
                     {DOWN, Bound(VK_DOWN, NO_KEY, W::PAD_DOWN)},
                     {LEFT, Bound(VK_LEFT, NO_KEY, W::PAD_LEFT)}}),
};

constexpr const char* ACTION_LABELS[ACTIONS] = {
    Taal::Nl("Omhoog"),   Taal::Nl("Rechts"),        Taal::Nl("Omlaag"),
    Taal::Nl("Links"),    Taal::Nl("Vuren"),         Taal::Nl("Menu"),
    Taal::Nl("Pauze"),    Taal::Nl("Leven opgeven"), Taal::Nl("Level overslaan"),
    Taal::Nl("Afsluiten")};

constexpr const char* ACTION_NAMES[ACTIONS] = {"up",   "right", "down",   "left", "fire",
                                               "menu", "pause", "giveup", "skip", "quit"};

// SDL's names of the keys the window layer knows that are not letters,
// digits or function keys. The comma is "Comma": a binding's keys are
// separated by commas.
const std::pair<uint32_t, const char*> KEY_NAMES[] = {
    {MOUSE_LEFT, "mouse1"},
    {0x08, "Backspace"},
    {0x09, "Tab"},
    {0x0D, "Return"},
    {0x10, "Left Shift"},
    {0x11, "Left Ctrl"},
    {0x12, "Left Alt"},
    {0x13, "Pause"},
    {0x14, "CapsLock"},
    {0x1B, "Escape"},
    {0x20, "Space"},
    {0x21, "PageUp"},
    {0x22, "PageDown"},
    {0x23, "End"},
    {0x24, "Home"},
    {0x25, "Left"},
    {0x26, "Up"},
    {0x27, "Right"},
    {0x28, "Down"},
    {0x2D, "Insert"},
    {0x2E, "Delete"},
    {0x60, "Keypad 0"},
    {0x6A, "Keypad *"},
    {0x6B, "Keypad +"},
    {0x6D, "Keypad -"},
    {0x6E, "Keypad ."},
    {0x6F, "Keypad /"},
    {0x90, "Numlock"},
    {0x91, "ScrollLock"},
    {0xBA, ";"},
    {0xBB, "="},
    {0xBC, "Comma"},
    {0xBD, "-"},
    {0xBE, "."},
    {0xBF, "/"},
    {0xC0, "`"},
    {0xDB, "["},
    {0xDC, "\\"},
    {0xDD, "]"},
    {0xDE, "'"},
};

// SDL's names of the controller's buttons, by PadButton.
constexpr const char* PAD_NAMES[Wimdows::PAD_BUTTONS] = {
    "dpup",  "dpright", "dpdown", "dpleft", "righttrigger", "a",          "b",
    "start", "back",    "x",      "y",      "leftshoulder", "lefttrigger"};

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

std::optional<Action> ActionNamed(std::string_view name) {
    for (int a = 0; a < ACTIONS; ++a)
        if (name == ACTION_NAMES[a]) return static_cast<Action>(a);
    return std::nullopt;
}

// The keys a key_ line lists; the reason when it cannot be used.
std::optional<std::string> ReadKeys(std::string_view value, Binding& into) {
    std::array<uint32_t, 2> keys{NO_KEY, NO_KEY};
    std::size_t n = 0;
    while (!value.empty() || n == 0) {
        const std::size_t comma = std::min(value.find(','), value.size());
        const std::string_view name = Trimmed(value.substr(0, comma));
        value.remove_prefix(std::min(comma + 1, value.size()));
        if (name.empty()) return "no key for the action";
        if (n == keys.size()) return "more than two keys";
        const uint32_t key = KeyFromName(name);
        if (key == NO_KEY) return "unknown key \"" + std::string(name) + "\"";
        if (FixedKey(key)) return "the key " + std::string(name) + " cannot be bound";
        if (n == 0 || keys[0] != key) keys[n++] = key;
    }
    into.keys = keys;
    return std::nullopt;
}

std::optional<std::string> ReadPad(std::string_view value, Binding& into) {
    value = Trimmed(value);
    const uint8_t pad = value.empty() ? NO_PAD : PadFromName(value);
    if (!value.empty() && pad == NO_PAD)
        return "unknown controller button \"" + std::string(value) + "\"";
    if (FixedPad(pad)) return "the button " + std::string(value) + " cannot be bound";
    into.pad = pad;
    return std::nullopt;
}

// Where each action's keys and button came from: 0 for the defaults.
struct Lines {
    std::array<int32_t, ACTIONS> keys{}, pad{};
};

// One collision between two actions undone: the later line's action goes
// back to its default. False when there is none.
bool UndoCollision(Bindings& b, Lines& lines, bool pads, std::vector<std::string>* problems) {
    auto& from = pads ? lines.pad : lines.keys;
    for (int a = 0; a < ACTIONS; ++a) {
        const Action other = pads ? PadOwner(b, b[a].pad, static_cast<Action>(a))
                                  : std::min(KeyOwner(b, b[a].keys[0], static_cast<Action>(a)),
                                             KeyOwner(b, b[a].keys[1], static_cast<Action>(a)));
        if (other == ACTIONS) continue;
        const int loser = from[a] >= from[other] ? a : other;
        const int keeper = loser == a ? other : a;
        if (problems)
            problems->push_back("line " + std::to_string(from[loser]) + ": " +
                                (pads ? "pad_" : "key_") + ACTION_NAMES[loser] + " takes what " +
                                ACTION_NAMES[keeper] + " has");
        if (pads)
            b[loser].pad = DEFAULTS[loser].pad;
        else
            b[loser].keys = DEFAULTS[loser].keys;
        from[loser] = 0;
        return true;
    }
    return false;
}

} // namespace

const Bindings& Defaults() {
    return DEFAULTS;
}

const Bindings& PresetBindings(Preset p) {
    return PRESETS_TABLE[p < PRESETS ? p : ORIGINAL];
}

const char* ActionName(Action a) {
    return a < ACTIONS ? ACTION_NAMES[a] : "";
}

const char* ActionLabel(Action a) {
    return a < ACTIONS ? Taal::Tekst(ACTION_LABELS[a]) : "";
}

std::string KeyLabel(uint32_t key) {
    return key == MOUSE_LEFT ? Taal::Tekst("Linkermuisknop") : KeyName(key);
}

std::string KeyName(uint32_t key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        return std::string(1, static_cast<char>(key));
    if (key >= VK_F1 && key <= VK_F12) return "F" + std::to_string(key - VK_F1 + 1);
    if (key >= 0x61 && key <= 0x69) return "Keypad " + std::to_string(key - 0x60);
    for (const auto& [code, name] : KEY_NAMES)
        if (code == key) return name;
    return "";
}

std::string PadName(uint8_t pad) {
    return pad < Wimdows::PAD_BUTTONS ? PAD_NAMES[pad] : "";
}

uint32_t KeyFromName(std::string_view name) {
    if (name.empty()) return NO_KEY;
    for (uint32_t key = 1; key <= MOUSE_LEFT; ++key) {
        const std::string known = KeyName(key);
        if (!known.empty() && SameName(known, name)) return key;
    }
    // SDL's names of the keys the window layer takes for their left twins.
    for (const auto& [twin, key] : {std::pair{"Right Shift", 0x10},
                                    {"Right Ctrl", 0x11},
                                    {"Right Alt", 0x12},
                                    {"Keypad Enter", 0x0D},
                                    {",", 0xBC}})
        if (SameName(twin, name)) return key;
    return NO_KEY;
}

uint8_t PadFromName(std::string_view name) {
    for (uint8_t p = 0; p < Wimdows::PAD_BUTTONS; ++p)
        if (SameName(PAD_NAMES[p], name)) return p;
    return NO_PAD;
}

bool FixedKey(uint32_t key) {
    // Enter and Esc; F1, F11, F12; 0, minus and plus and their keypad twins.
    constexpr uint32_t FIXED[] = {VK_RETURN, VK_ESCAPE, VK_F1, VK_F11, VK_F12, '0',
                                  0x60,      0xBD,      0x6D,  0xBB,   0x6B};
    return std::find(std::begin(FIXED), std::end(FIXED), key) != std::end(FIXED);
}

bool FixedPad(uint8_t pad) {
    return pad == Wimdows::PAD_A || pad == Wimdows::PAD_B;
}

Action KeyOwner(const Bindings& b, uint32_t key, Action except) {
    if (key == NO_KEY) return ACTIONS;
    for (int a = 0; a < ACTIONS; ++a)
        if (a != except && (b[a].keys[0] == key || b[a].keys[1] == key))
            return static_cast<Action>(a);
    return ACTIONS;
}

Action PadOwner(const Bindings& b, uint8_t pad, Action except) {
    if (pad == NO_PAD) return ACTIONS;
    for (int a = 0; a < ACTIONS; ++a)
        if (a != except && b[a].pad == pad) return static_cast<Action>(a);
    return ACTIONS;
}

Bindings FromSettings(const std::vector<Settings::Binding>& lines,
                      std::vector<std::string>* problems) {
    Bindings b = DEFAULTS;
    Lines from;
    for (const Settings::Binding& l : lines) {
        const bool pad = l.name.starts_with("pad_");
        const std::optional<Action> a = ActionNamed(std::string_view(l.name).substr(4));
        std::optional<std::string> problem = "unknown action";
        if (a) problem = pad ? ReadPad(l.value, b[*a]) : ReadKeys(l.value, b[*a]);
        if (problem && problems)
            problems->push_back("line " + std::to_string(l.line) + ": " + l.name + ": " + *problem);
        if (problem || !a) continue;
        (pad ? from.pad : from.keys)[*a] = std::max(l.line, 1);
    }
    // Each undo puts one more action back to its default, whose keys never collide.
    while (UndoCollision(b, from, false, problems) || UndoCollision(b, from, true, problems)) {
    }
    return b;
}

std::vector<Settings::Binding> ToSettings(const Bindings& b) {
    std::vector<Settings::Binding> lines;
    for (int a = 0; a < ACTIONS; ++a) {
        std::string keys = KeyName(b[a].keys[0]);
        if (b[a].keys[1] != NO_KEY) keys += "," + KeyName(b[a].keys[1]);
        lines.push_back({std::string("key_") + ACTION_NAMES[a], keys});
        lines.push_back({std::string("pad_") + ACTION_NAMES[a], PadName(b[a].pad)});
    }
    return lines;
}

void LoadBindings() {
    std::vector<std::string> problems;
    Bind(FromSettings(Settings::Current().bindings, &problems));
    for (const std::string& p : problems)
        std::cerr << "\"" << Settings::FilePath() << "\" " << p << "; the default is used."
                  << std::endl;
}

void StoreBindings(const Bindings& b) {
    Bind(b);
    Settings::Values v = Settings::Current();
    v.bindings = ToSettings(b);
    Settings::StoreLater(v);
}

} // namespace Commands
