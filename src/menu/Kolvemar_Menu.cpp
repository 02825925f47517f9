// Placeholder until the real module lands.
#include "Kolvemar_Menu.h"

namespace Kolvemar_Menu {

bool autosave = true;
bool tutorial = false;
uint32_t difficultyLevel = 2;
uint32_t Gameover = 0, Gameovermask = 0;

void Init() {}
Kolvemar_Constanten_en_Types::next_action
Kolvemar_ingamemenu(Kolvemar_Constanten_en_Types::Level&) {
    return Kolvemar_Constanten_en_Types::next_action::resume;
}
void MemoryClearMenu() {}

} // namespace Kolvemar_Menu
