// What the files of the menu module share: pictures, menus and small helpers.
// Not for other modules; they use Kolvemar_Menu.h.
#pragma once

#include <cstdint>
#include <string>

#include "StandardMenu.h"

namespace Kolvemar_Menu::Internal {

constexpr uint32_t MENU_KLEUR = 0xB0; // red 176
constexpr uint32_t WIT = 0xFFFFFF;
constexpr uint32_t MAX_DIFFICULTY = 4;

enum Achtergrond { ROBOT, PAUZE, STERRENHEMEL, WIT_ACHTERGROND, GAMEOVER, AANTAL_ACHTERGRONDEN };

// Indices into scoresimages.
constexpr uint32_t ROOD_CIJFER = 10, SLASH = 11, HAAKJE = 12, UUR = 13, MINUTEN = 14, SECONDEN = 15,
                   ROOD_LABEL = 16, ZONDAG = 17, ROOD_DAG = 24, TITEL = 25, ROOD_TITEL = 26,
                   AANTAL_SCORESIMAGES = 27;

extern uint32_t background[AANTAL_ACHTERGRONDEN];
extern uint32_t scoresimages[AANTAL_SCORESIMAGES];
extern StandardMenu::ButtonRc explainations[1];
// The slot screens' menus (built by LoadSubMenus), and the level file Start
// plays: the first level, or the slot loaded last.
extern StandardMenu::ButtonRc SaveMenu[5];
extern StandardMenu::ButtonRc LoadMenu[6];
extern std::string startlevel;

// Builds the save, load and back menus on their first use.
void LoadSubMenus();
void DrawBackground(Achtergrond welke);
// The settings screen's smooth-motion line: its button, its drawing (the
// setting as it stands) and its choice (the setting turned over and stored).
StandardMenu::ButtonRc VloeiendRegel();
void TekenVloeiend(bool lit);
void WisselVloeiend();
// The console line for a selection outside the menu.
void WrongButton(const char* tekst = "error! wrong button number!");

} // namespace Kolvemar_Menu::Internal
