#include "StandardMenu.h"

#include <chrono>
#include <cstring>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "Wimdows.h"

namespace StandardMenu {

namespace {

constexpr auto POLL_PAUSE = std::chrono::milliseconds(25);

// The one pending click, written by the window thread and consumed by the
// main thread; the lock makes test-and-discard atomic.
std::mutex clickLock;
std::optional<ClickRc> leftClick;

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
void LeftUp() {
    int32_t x = 0, y = 0;
    Wimdows::MousePos(x, y);
    RegisterLeftClick(x, y);
}

// Draws the button and tells whether it showed its mouse-over picture.
bool DrawButtonOver(const ButtonRc& button) {
    if (!button.visible) return false;
    bool over = false;
    if (button.type.withMouseOver) {
        int32_t x = 0, y = 0;
        Wimdows::MousePos(x, y);
        over = InButton(button, x, y);
    }
    const int i = over ? 1 : 0;
    if (button.type.withMask)
        Wimdows::DrawMaskBitmap(button.bitmap[i], button.mask[i], button.x0, button.y0);
    else
        Wimdows::DrawBitmap(button.bitmap[i], button.x0, button.y0);
    return over;
}

} // namespace

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
    DrawButtonOver(button);
}

bool ButtonSelected(const ButtonRc& button) {
    if (!button.visible) return false;
    Wimdows::OnMouseLeftUp(LeftUp);
    std::lock_guard<std::mutex> guard(clickLock);
    if (!leftClick || !InButton(button, leftClick->x, leftClick->y)) return false;
    leftClick.reset();
    return true;
}

int32_t MenuSelection(std::span<const ButtonRc> menu) {
    Wimdows::UpdateWindow();
    // A pass draws the same frame as the one before unless a button's
    // mouse-over state changed; only a changed frame is presented, so a menu
    // that waits costs next to nothing.
    std::vector<bool> shown;
    for (;;) {
        if (WindowGone()) return GEEN_KEUZE;
        std::vector<bool> over(menu.size());
        for (std::size_t i = 0; i < menu.size(); ++i) {
            over[i] = DrawButtonOver(menu[i]);
            if (ButtonSelected(menu[i])) return static_cast<int32_t>(i);
        }
        std::this_thread::sleep_for(POLL_PAUSE);
        if (over != shown) Wimdows::UpdateWindow();
        shown = std::move(over);
    }
}

void RegisterLeftClick(int32_t x, int32_t y) {
    std::lock_guard<std::mutex> guard(clickLock);
    leftClick = ClickRc{x, y};
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
