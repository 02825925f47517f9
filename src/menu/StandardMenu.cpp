#include "StandardMenu.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "Commands.h"
#include "Wimdows.h"

namespace StandardMenu {

namespace {

constexpr auto POLL_PAUSE = std::chrono::milliseconds(25);

// The one pending click, written by the window thread and consumed by the
// main thread; the lock makes test-and-discard atomic. It belongs to the
// screen it was made on.
std::mutex clickLock;
std::optional<ClickRc> leftClick;
uint32_t clickScreen = 0;

// Main thread: the keys lead (the focused button is lit) until the mouse
// moves; where the mouse was last seen.
bool keysLead = false;
std::optional<ClickRc> mouseSeen;

void CopyName(BitmapName& target, const char* name) {
    std::strncpy(target, name, BITMAPNAME_LEN - 1);
    target[BITMAPNAME_LEN - 1] = '\0';
}

ButtonStrings Names(const char* normal, const char* mouseOver, const char* normalMask,
                    const char* mouseOverMask) {
    ButtonStrings names{};
    CopyName(names.normal, normal);
    CopyName(names.mouseOver, mouseOver);
    CopyName(names.normalMask, normalMask);
    CopyName(names.mouseOverMask, mouseOverMask);
    return names;
}

uint32_t Load(const char* name, int32_t w, int32_t h) {
    return Wimdows::LoadBitmap(name, static_cast<uint32_t>(w), static_cast<uint32_t>(h));
}

// The window layer hands us the release; its position is the mouse's last.
// A button pressed on the screen before (fire held in a level as the menu
// opened) clicks nothing here.
void LeftUp() {
    if (!Commands::LeftPressedOnScreen()) return;
    int32_t x = 0, y = 0;
    Wimdows::MousePos(x, y);
    RegisterLeftClick(x, y);
}

bool MouseOver(const ButtonRc& button) {
    int32_t x = 0, y = 0;
    Wimdows::MousePos(x, y);
    return InButton(button, x, y);
}

// Draws the button, lit or not, and tells whether it showed its mouse-over picture.
bool DrawButtonLit(const ButtonRc& button, bool lit) {
    if (!button.visible) return false;
    const bool over = lit && button.type.withMouseOver;
    const int i = over ? 1 : 0;
    if (button.type.withMask)
        Wimdows::DrawMaskBitmap(button.bitmap[i], button.mask[i], button.x0, button.y0);
    else
        Wimdows::DrawBitmap(button.bitmap[i], button.x0, button.y0);
    return over;
}

std::vector<int32_t> Visible(std::span<const ButtonRc> menu) {
    std::vector<int32_t> v;
    for (std::size_t i = 0; i < menu.size(); ++i)
        if (menu[i].visible) v.push_back(static_cast<int32_t>(i));
    return v;
}

// The focus on a visible button, `steps` further through them, wrapping.
void MoveFocus(std::span<const ButtonRc> menu, Focus& focus, int32_t steps) {
    const std::vector<int32_t> v = Visible(menu);
    if (v.empty()) return;
    const int32_t n = static_cast<int32_t>(v.size());
    const auto at = std::find(v.begin(), v.end(), focus.knop);
    const int32_t pos = at == v.end() ? 0 : static_cast<int32_t>(at - v.begin());
    focus.knop = v[((pos + steps) % n + n) % n];
}

// The nearest visible button beside button k on its row (to the right or
// the left), whose height overlaps its own; -1 when there is none.
int32_t Beside(std::span<const ButtonRc> menu, std::size_t k, bool right) {
    const ButtonRc& at = menu[k];
    int32_t best = -1;
    int32_t bestGap = 0;
    for (std::size_t i = 0; i < menu.size(); ++i) {
        const ButtonRc& b = menu[i];
        const int32_t gap = right ? b.x0 - at.x0 : at.x0 - b.x0;
        const bool row = b.y0 < at.y0 + at.height && at.y0 < b.y0 + b.height;
        if (b.visible && row && gap > 0 && (best < 0 || gap < bestGap)) {
            best = static_cast<int32_t>(i);
            bestGap = gap;
        }
    }
    return best;
}

// The focus `steps` buttons along its row, to the left when negative.
void MoveAlongRow(std::span<const ButtonRc> menu, Focus& focus, int32_t steps) {
    for (int32_t k = 0; k < std::abs(steps); ++k) {
        if (focus.knop < 0 || static_cast<std::size_t>(focus.knop) >= menu.size()) return;
        const int32_t next = Beside(menu, static_cast<std::size_t>(focus.knop), steps > 0);
        if (next < 0) return;
        focus.knop = next;
    }
}

// A mouse that moved takes the lead, and the focus to the button under it.
void FollowMouse(std::span<const ButtonRc> menu, Focus& focus) {
    if (!MouseMoved()) return;
    keysLead = false;
    int32_t x = 0, y = 0;
    Wimdows::MousePos(x, y);
    for (std::size_t i = 0; i < menu.size(); ++i)
        if (menu[i].visible && InButton(menu[i], x, y)) focus.knop = static_cast<int32_t>(i);
}

// A choice made with the keys hands over to the next screen as a click does.
int32_t KeyChoice(int32_t k) {
    std::lock_guard<std::mutex> guard(clickLock);
    Commands::NextScreen();
    return k;
}

// What the menu keys chose, or NOG_NIETS.
int32_t Keys(std::span<const ButtonRc> menu, Focus& focus) {
    const Commands::MenuInput in = Commands::ReadMenu();
    const uint32_t* c = in.count;
    uint32_t back = c[Commands::BACK] + (focus.menuToets && in.menuKey ? 1 : 0);
    if (back == 0 && std::all_of(c, c + Commands::MENU_KEYS, [](uint32_t n) { return n == 0; }))
        return NOG_NIETS;
    keysLead = true;
    MoveFocus(menu, focus,
              static_cast<int32_t>(c[Commands::MENU_DOWN]) -
                  static_cast<int32_t>(c[Commands::MENU_UP]));
    if (c[Commands::MENU_LEFT] && focus.links >= 0) return KeyChoice(focus.links);
    if (c[Commands::MENU_RIGHT] && focus.rechts >= 0) return KeyChoice(focus.rechts);
    MoveAlongRow(menu, focus,
                 static_cast<int32_t>(c[Commands::MENU_RIGHT]) -
                     static_cast<int32_t>(c[Commands::MENU_LEFT]));
    if (c[Commands::CHOOSE] && focus.knop >= 0) return KeyChoice(focus.knop);
    if (back == 0 || focus.terug < 0) return NOG_NIETS;
    if (focus.eerstTonen && focus.knop != focus.terug) {
        focus.knop = focus.terug;
        --back;
    }
    return back > 0 ? KeyChoice(focus.terug) : NOG_NIETS;
}

// One pass: `lit` tells which buttons showed their mouse-over picture.
int32_t Pass(std::span<const ButtonRc> menu, Focus& focus, std::vector<bool>& lit) {
    if (WindowGone()) return GEEN_KEUZE;
    MoveFocus(menu, focus, 0);
    FollowMouse(menu, focus);
    if (const int32_t k = Keys(menu, focus); k != NOG_NIETS) return k;
    lit.assign(menu.size(), false);
    for (std::size_t i = 0; i < menu.size(); ++i) {
        const int32_t n = static_cast<int32_t>(i);
        lit[i] = DrawButtonLit(menu[i], keysLead ? n == focus.knop : MouseOver(menu[i]));
        if (ButtonSelected(menu[i])) {
            focus.knop = n; // the screen comes back to what was clicked
            return n;
        }
    }
    return NOG_NIETS;
}

} // namespace

bool MouseMoved() {
    int32_t x = 0, y = 0;
    Wimdows::MousePos(x, y);
    const bool moved = mouseSeen && (mouseSeen->x != x || mouseSeen->y != y);
    mouseSeen = ClickRc{x, y};
    return moved;
}

bool WindowGone() {
    return Wimdows::WindowClosed() || Wimdows::State() != Wimdows::STATE_ACTIVE;
}

ButtonRc CreateButton(int32_t w, int32_t h, const char* normal, const char* mouseOver) {
    return CreateButtonX(w, h, {true, false}, Names(normal, mouseOver, " ", " "));
}

ButtonRc CreateMaskedButton(int32_t w, int32_t h, const char* normal, const char* mouseOver,
                            const char* mask) {
    return CreateButtonX(w, h, {true, true}, Names(normal, mouseOver, mask, "="));
}

ButtonRc CreateField(int32_t w, int32_t h, const char* normal, const char* mask) {
    return CreateButtonX(w, h, {false, true}, Names(normal, " ", mask, " "));
}

ButtonRc CreateButtonX(int32_t w, int32_t h, ButtonType flags, const ButtonStrings& bitmaps) {
    ButtonRc button{};
    button.bitmap[0] = Load(bitmaps.normal, w, h);
    if (flags.withMask) button.mask[0] = Load(bitmaps.normalMask, w, h);
    if (flags.withMouseOver) {
        button.bitmap[1] = Load(bitmaps.mouseOver, w, h);
        if (flags.withMask)
            button.mask[1] = bitmaps.mouseOverMask[0] == '=' ? button.mask[0]
                                                             : Load(bitmaps.mouseOverMask, w, h);
    }
    button.width = w;
    button.height = h;
    button.type = flags;
    button.visible = true;
    return button;
}

void DestroyButton(const ButtonRc& button) {
    if (!button.visible) return;
    Wimdows::DestroyBitmap(button.bitmap[0]);
    if (button.type.withMask) Wimdows::DestroyBitmap(button.mask[0]);
    if (!button.type.withMouseOver) return;
    Wimdows::DestroyBitmap(button.bitmap[1]);
    if (button.type.withMask && button.mask[1] != button.mask[0])
        Wimdows::DestroyBitmap(button.mask[1]);
}

void SetVerticalMenu(int32_t x0, int32_t y0, int32_t yGap, std::span<ButtonRc> buttons) {
    buttons[0].x0 = x0;
    buttons[0].y0 = y0;
    for (std::size_t i = 1; i < buttons.size(); ++i) {
        buttons[i].x0 = buttons[i - 1].x0;
        buttons[i].y0 = buttons[i - 1].y0 + yGap;
    }
}

bool InButton(const ButtonRc& button, int32_t x, int32_t y) {
    return button.x0 < x && x < button.x0 + button.width && button.y0 < y &&
           y < button.y0 + button.height;
}

void DrawButton(const ButtonRc& button) {
    DrawButtonLit(button, MouseOver(button));
}

void TakeClicks() {
    Wimdows::OnMouseLeftUp(LeftUp);
}

bool ButtonSelected(const ButtonRc& button) {
    if (!button.visible) return false;
    TakeClicks(); // back from whatever had the clicks since
    std::lock_guard<std::mutex> guard(clickLock);
    if (leftClick && clickScreen != Commands::Screen()) leftClick.reset(); // made on another screen
    if (!leftClick || !InButton(button, leftClick->x, leftClick->y)) return false;
    leftClick.reset();
    // Under the lock: a click that comes after this one belongs to the next screen.
    Commands::NextScreen();
    return true;
}

int32_t MenuSelection(std::span<const ButtonRc> menu) {
    Focus focus;
    return MenuSelection(menu, focus);
}

int32_t MenuSelection(std::span<const ButtonRc> menu, Focus& focus) {
    return MenuSelection(menu, focus, nullptr);
}

int32_t MenuSelection(std::span<const ButtonRc> menu, Focus& focus, const Erbij& erbij) {
    Wimdows::UpdateWindow();
    // A pass draws the same frame as the one before unless a button's lit
    // state changed; only a changed frame is presented, so a menu that waits
    // costs next to nothing.
    std::vector<bool> shown;
    for (;;) {
        std::vector<bool> lit;
        const int32_t k = Pass(menu, focus, lit);
        if (k != NOG_NIETS) return k;
        if (erbij) erbij(lit);
        std::this_thread::sleep_for(POLL_PAUSE);
        if (lit != shown) Wimdows::UpdateWindow();
        shown = std::move(lit);
    }
}

int32_t MenuPass(std::span<const ButtonRc> menu, Focus& focus) {
    std::vector<bool> lit;
    return Pass(menu, focus, lit);
}

void RegisterLeftClick(int32_t x, int32_t y) {
    std::lock_guard<std::mutex> guard(clickLock);
    leftClick = ClickRc{x, y};
    clickScreen = Commands::Screen();
}

bool ClickPending() {
    std::lock_guard<std::mutex> guard(clickLock);
    return leftClick.has_value();
}

void ClearClick() {
    std::lock_guard<std::mutex> guard(clickLock);
    leftClick.reset();
}

} // namespace StandardMenu
