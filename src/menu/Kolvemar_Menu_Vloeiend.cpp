// The settings screen's line that turns smooth motion on and off: drawn with
// the game's text, chosen as the screen's buttons are.
#include "Kolvemar_MenuInternal.h"
#include "Settings.h"
#include "Taal.h"
#include "Wimdows.h"

namespace Kolvemar_Menu::Internal {

namespace {

constexpr uint32_t ZWART = 0x000000, GRIJS = 0x808080;
constexpr int32_t X = 250, Y = 580, W = 300, H = 36;

} // namespace

StandardMenu::ButtonRc VloeiendRegel() {
    // Lit by the mouse or the focus; the line draws itself.
    return {X, Y, W, H, true, {true, false}, {}, {}};
}

void TekenVloeiend(bool lit) {
    Wimdows::Rectangle(X, Y, X + W - 1, Y + H - 1, WIT, true);
    const uint32_t rand = lit ? MENU_KLEUR : GRIJS;
    Wimdows::Rectangle(X, Y, X + W - 1, Y + H - 1, rand, false);
    if (lit) Wimdows::Rectangle(X + 1, Y + 1, X + W - 2, Y + H - 2, rand, false);
    Wimdows::SetFont(3, lit ? MENU_KLEUR : ZWART);
    const char* tekst = Settings::Current().smooth ? Taal::Tekst("Vloeiende beweging: aan")
                                                   : Taal::Tekst("Vloeiende beweging: uit");
    Wimdows::Text(tekst, X + 8, Y + 10);
}

void WisselVloeiend() {
    Settings::Values v = Settings::Current();
    v.smooth = !v.smooth;
    Settings::StoreLater(v); // a failure is told on the console; the choice holds for this run
}

} // namespace Kolvemar_Menu::Internal
