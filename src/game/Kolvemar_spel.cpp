// Placeholder until the real module lands.
#include "Kolvemar_spel.h"

namespace Kolvemar_spel {

void Init() {}
Kolvemar_Constanten_en_Types::next_action spel(Kolvemar_Constanten_en_Types::Level&) {
    return Kolvemar_Constanten_en_Types::next_action::afsluiten;
}
void MemoryClearSpel() {}

} // namespace Kolvemar_spel
