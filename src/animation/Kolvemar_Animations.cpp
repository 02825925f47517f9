// Placeholder until the real module lands.
#include "Kolvemar_Animations.h"

namespace Kolvemar_Animations {

void Init() {}
void Startup_Animation() {}
void Startup_gameAnimation(const Kolvemar_Constanten_en_Types::Level&) {}
bool skip() {
    return false;
}
void MemoryClearAnimation() {}
uint32_t Muren() {
    return 0;
}
Kolvemar_Constanten_en_Types::vijanden Robot(uint32_t) {
    return {};
}

} // namespace Kolvemar_Animations
