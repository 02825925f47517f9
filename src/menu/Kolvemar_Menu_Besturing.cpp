// The controls screen, drawn with the game's text: a grid of every action's
// two keys and controller button, the presets and the way back. A cell is
// chosen with the keys, the controller or a click; the next key, click or
// button pressed is its new binding.
#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>

#include "Commands.h"
#include "Kolvemar_Menu.h"
#include "Kolvemar_MenuInternal.h"
#include "StandardMenu.h"
#include "Taal.h"
#include "Time.h"
#include "Wimdows.h"

namespace Kolvemar_Menu {

using namespace Internal;
using Commands::Action;
using Commands::Bindings;
using StandardMenu::ButtonRc;

namespace {

constexpr uint32_t ZWART = 0x000000, GRIJS = 0x808080;
constexpr int32_t KOLOMMEN = 3; // two keys and the controller
constexpr int32_t PRESET_RIJ = Commands::ACTIONS, TERUG_RIJ = PRESET_RIJ + 1, RIJEN = TERUG_RIJ + 1;
constexpr int32_t RIJ_Y = 110, RIJ_H = 32, CEL_W = 150, CEL_H = 28;
constexpr int32_t KOLOM_X[KOLOMMEN] = {250, 410, 570};
constexpr int32_t PRESET_Y = 560, PRESET_W = 220, TERUG_Y = 620;
constexpr uint32_t VK_BACK = 0x08, VK_ESCAPE = 0x1B, VK_DELETE = 0x2E;

constexpr const char* PRESET_NAMEN[Commands::PRESETS] = {Taal::Nl("Origineel"), Taal::Nl("WASD"),
                                                         Taal::Nl("Alleen pijltjes")};

struct Scherm {
    int32_t rij = 0, kolom = 0;
    bool wachten = false;   // the focused cell waits for its new key or button
    bool loslaten = false;  // a click bound as a key: its release is no click on a cell
    uint32_t linksVoor = 0; // the left button's presses when the wait began
    Wimdows::PadState padsVoor{};
    std::string bericht;
};

int32_t Breedte(int32_t rij) {
    return rij < PRESET_RIJ ? KOLOMMEN : rij == PRESET_RIJ ? Commands::PRESETS : 1;
}

// A cell as an invisible button: it takes the clicks made on it.
ButtonRc Cel(int32_t rij, int32_t kolom) {
    if (rij < PRESET_RIJ)
        return {KOLOM_X[kolom], RIJ_Y + rij * RIJ_H, CEL_W, CEL_H, true, {}, {}, {}};
    if (rij == PRESET_RIJ)
        return {60 + kolom * (PRESET_W + 20), PRESET_Y, PRESET_W, 36, true, {}, {}, {}};
    return {300, TERUG_Y, 200, 36, true, {}, {}, {}};
}

std::string CelTekst(const Bindings& b, int32_t rij, int32_t kolom) {
    if (rij == PRESET_RIJ) return Taal::Tekst(PRESET_NAMEN[kolom]);
    if (rij == TERUG_RIJ) return Taal::Tekst("Terug");
    const Commands::Binding& bd = b[rij];
    return kolom < 2 ? Commands::KeyLabel(bd.keys[kolom]) : Commands::PadName(bd.pad);
}

void TekenCel(const Scherm& s, const Bindings& b, int32_t rij, int32_t kolom) {
    const ButtonRc c = Cel(rij, kolom);
    const bool focus = s.rij == rij && s.kolom == kolom;
    Wimdows::Rectangle(c.x0, c.y0, c.x0 + c.width - 1, c.y0 + c.height - 1,
                       focus ? MENU_KLEUR : GRIJS, false);
    if (focus)
        Wimdows::Rectangle(c.x0 + 1, c.y0 + 1, c.x0 + c.width - 2, c.y0 + c.height - 2, MENU_KLEUR,
                           false);
    Wimdows::SetFont(3, focus ? MENU_KLEUR : ZWART);
    const std::string tekst = focus && s.wachten ? "?" : CelTekst(b, rij, kolom);
    Wimdows::Text(tekst.c_str(), c.x0 + 8, c.y0 + 6);
}

void Teken(const Scherm& s) {
    const Bindings& b = Commands::Current();
    DrawBackground(WIT_ACHTERGROND);
    Wimdows::SetFont(1, MENU_KLEUR);
    Wimdows::Text(Taal::Tekst("Besturing"), 60, 30);
    Wimdows::SetFont(0, GRIJS);
    const char* koppen[] = {Taal::Nl("Toets"), Taal::Nl("Tweede toets"), Taal::Nl("Controller")};
    for (int32_t k = 0; k < KOLOMMEN; ++k)
        Wimdows::Text(Taal::Tekst(koppen[k]), KOLOM_X[k], RIJ_Y - 24);
    for (int32_t rij = 0; rij < Commands::ACTIONS; ++rij) {
        Wimdows::SetFont(3, ZWART);
        Wimdows::Text(Commands::ActionLabel(static_cast<Action>(rij)), 60, RIJ_Y + rij * RIJ_H + 6);
    }
    for (int32_t rij = 0; rij < RIJEN; ++rij)
        for (int32_t k = 0; k < Breedte(rij); ++k)
            TekenCel(s, b, rij, k);
    Wimdows::SetFont(0, GRIJS);
    Wimdows::Text(Taal::Tekst("Vast: kiezen Enter, Spatie, A · terug Esc, B · hulp F1"), 60, 450);
    Wimdows::Text(Taal::Tekst("Vast: volledig scherm F11 · volume - + 0 · schermafdruk F12"), 60,
                  472);
    Wimdows::Text(Taal::Tekst("Delete of Backspace wist de tweede toets."), 60, 494);
    Wimdows::SetFont(3, MENU_KLEUR);
    Wimdows::Text(s.bericht.c_str(), 60, 690);
}

// The key goes to the focused action's column; one another action holds is
// swapped with the old one, unless that action would be left without a key.
std::string NieuweToets(Bindings& b, Action a, int32_t slot, uint32_t key) {
    const std::string naam = Commands::KeyLabel(key);
    if (Commands::FixedKey(key) || key == Commands::NO_KEY)
        return Taal::Formaat(Taal::Nl("%s ligt vast en kan niet gebonden worden."), naam);
    const uint32_t oud = b[a].keys[slot];
    std::string bericht;
    const Action ander = Commands::KeyOwner(b, key, a);
    if (ander != Commands::ACTIONS) {
        Commands::Binding& o = b[ander];
        const int32_t zijn = o.keys[0] == key ? 0 : 1;
        if (oud == Commands::NO_KEY && o.keys[1 - zijn] == Commands::NO_KEY)
            return Taal::Formaat(Taal::Nl("%s hoort bij %s: geweigerd."), naam,
                                 Commands::ActionLabel(ander));
        o.keys[zijn] = oud;
        if (o.keys[0] == Commands::NO_KEY) std::swap(o.keys[0], o.keys[1]);
        bericht = Taal::Formaat(Taal::Nl("%s hoorde bij %s: gewisseld."), naam,
                                Commands::ActionLabel(ander));
    }
    if (b[a].keys[1 - slot] == key) b[a].keys[1 - slot] = oud;
    b[a].keys[slot] = key;
    if (b[a].keys[0] == Commands::NO_KEY) std::swap(b[a].keys[0], b[a].keys[1]);
    return bericht;
}

std::string NieuweKnop(Bindings& b, Action a, uint8_t pad) {
    const std::string naam = Commands::PadName(pad);
    if (Commands::FixedPad(pad))
        return Taal::Formaat(Taal::Nl("%s ligt vast en kan niet gebonden worden."), naam);
    const Action ander = Commands::PadOwner(b, pad, a);
    std::string bericht;
    if (ander != Commands::ACTIONS) {
        b[ander].pad = b[a].pad;
        bericht = Taal::Formaat(Taal::Nl("%s hoorde bij %s: gewisseld."), naam,
                                Commands::ActionLabel(ander));
    }
    b[a].pad = pad;
    return bericht;
}

void Bewaar(Scherm& s, const Bindings& b, std::string bericht) {
    Commands::StoreBindings(b);
    s.bericht = std::move(bericht);
}

// Delete or Backspace: the focused action's second key, or its button, goes.
void Wis(Scherm& s) {
    Bindings b = Commands::Current();
    if (s.kolom == 2)
        b[s.rij].pad = Commands::NO_PAD;
    else
        b[s.rij].keys[1] = Commands::NO_KEY;
    Bewaar(s, b, "");
}

// The wait for the focused cell's new key or button.
void Wacht(Scherm& s) {
    Bindings b = Commands::Current();
    const Action a = static_cast<Action>(s.rij);
    uint32_t key = 0;
    while (Wimdows::GetKeyPressed(key)) {
        s.wachten = false;
        if (key == VK_ESCAPE) {
            s.bericht.clear();
        } else if (key == VK_DELETE || key == VK_BACK) {
            Wis(s);
        } else if (s.kolom < 2) {
            Bewaar(s, b, NieuweToets(b, a, s.kolom, key));
        } else {
            continue; // the controller's column waits for a button
        }
        Commands::NextScreen();
        return;
    }
    if (s.kolom < 2 && Wimdows::LeftPresses() != s.linksVoor) {
        s.wachten = false;
        s.loslaten = true;
        Bewaar(s, b, NieuweToets(b, a, s.kolom, Commands::MOUSE_LEFT));
        Commands::NextScreen();
        return;
    }
    // B cancels in every column; the controller's column takes any other button.
    const Wimdows::PadState nu = Wimdows::Pads();
    for (uint8_t p = 0; p < Wimdows::PAD_BUTTONS; ++p) {
        if (nu.presses[p] == s.padsVoor.presses[p] || (s.kolom < 2 && p != Wimdows::PAD_B))
            continue;
        s.wachten = false;
        if (p == Wimdows::PAD_B)
            s.bericht.clear();
        else
            Bewaar(s, b, NieuweKnop(b, a, p));
        Commands::NextScreen();
        return;
    }
}

void BeginWachten(Scherm& s) {
    Wimdows::FlushKeys();
    s.wachten = true;
    s.linksVoor = Wimdows::LeftPresses();
    s.padsVoor = Wimdows::Pads();
    s.bericht = Taal::Formaat(
        s.kolom < 2 ? Taal::Nl("Druk een toets voor %s (Esc of B: annuleren).")
                    : Taal::Nl("Druk een knop op de controller voor %s (B: annuleren)."),
        Commands::ActionLabel(static_cast<Action>(s.rij)));
}

// The focused cell chosen; false when it leaves the screen.
bool Kies(Scherm& s) {
    if (s.rij == TERUG_RIJ) return false;
    if (s.rij == PRESET_RIJ) {
        Bewaar(s, Commands::PresetBindings(static_cast<Commands::Preset>(s.kolom)),
               Taal::Formaat(Taal::Nl("Voorinstelling %s gekozen."),
                             Taal::Tekst(PRESET_NAMEN[s.kolom])));
        return true;
    }
    BeginWachten(s);
    return true;
}

void Verplaats(Scherm& s, int32_t rijen, int32_t kolommen) {
    s.rij = std::clamp(s.rij + rijen, 0, RIJEN - 1);
    s.kolom = std::clamp(s.kolom + kolommen, 0, Breedte(s.rij) - 1);
}

// Tab and Shift+Tab: through every cell, row by row, wrapping.
void Stap(Scherm& s, int32_t stappen) {
    int32_t n = 0, hier = 0;
    for (int32_t rij = 0; rij < RIJEN; ++rij)
        for (int32_t k = 0; k < Breedte(rij); ++k, ++n)
            if (rij == s.rij && k == s.kolom) hier = n;
    int32_t doel = ((hier + stappen) % n + n) % n;
    for (s.rij = 0; doel >= Breedte(s.rij); ++s.rij)
        doel -= Breedte(s.rij);
    s.kolom = doel;
}

// The focus follows the mouse onto a cell.
void Volg(Scherm& s) {
    if (!StandardMenu::MouseMoved()) return;
    int32_t x = 0, y = 0;
    Wimdows::MousePos(x, y);
    for (int32_t rij = 0; rij < RIJEN; ++rij)
        for (int32_t k = 0; k < Breedte(rij); ++k)
            if (StandardMenu::InButton(Cel(rij, k), x, y)) {
                s.rij = rij;
                s.kolom = k;
            }
}

// A click on a cell focuses and chooses it; nullopt: nothing clicked.
std::optional<bool> Klik(Scherm& s) {
    if (s.loslaten) {
        if (Wimdows::MouseLeft()) return std::nullopt;
        Wimdows::Sync();
        StandardMenu::ClearClick();
        s.loslaten = false;
    }
    for (int32_t rij = 0; rij < RIJEN; ++rij)
        for (int32_t k = 0; k < Breedte(rij); ++k)
            if (StandardMenu::ButtonSelected(Cel(rij, k))) {
                s.rij = rij;
                s.kolom = k;
                return Kies(s);
            }
    return std::nullopt;
}

// One pass of the screen's keys and clicks; false when it is left.
bool Pass(Scherm& s) {
    if (s.wachten) {
        Wacht(s);
        return true;
    }
    if (const std::optional<bool> k = Klik(s)) return *k;
    Volg(s);
    const Commands::MenuInput m = Commands::ReadMenu();
    if (m.count[Commands::BACK] > 0) return false;
    const auto telling = [&m](int k) { return static_cast<int32_t>(m.count[k]); };
    const int32_t tab = static_cast<int32_t>(m.tab), shiftTab = static_cast<int32_t>(m.shiftTab);
    Verplaats(s, (telling(Commands::MENU_DOWN) - tab) - (telling(Commands::MENU_UP) - shiftTab),
              telling(Commands::MENU_RIGHT) - telling(Commands::MENU_LEFT));
    Stap(s, tab - shiftTab);
    uint32_t key = 0;
    while (Wimdows::GetKeyPressed(key))
        if ((key == VK_DELETE || key == VK_BACK) && s.rij < PRESET_RIJ) Wis(s);
    if (m.count[Commands::CHOOSE] > 0) return Kies(s);
    return true;
}

} // namespace

void Besturing() {
    Commands::NextScreen();
    Scherm s;
    for (;;) {
        if (StandardMenu::WindowGone()) return;
        Time::StartIterations();
        if (!Pass(s)) break;
        Teken(s);
        Wimdows::UpdateWindow();
        Time::IterationDelay(3);
    }
    Commands::NextScreen();
}

} // namespace Kolvemar_Menu
