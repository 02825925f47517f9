// Frames between two ticks: the rules move things once a tick, the display
// shows them gliding at its own rate.
#include <algorithm>
#include <cmath>
#include <memory>

#include "Kolvemar_spel.h"

namespace Kolvemar_spel {

using namespace Kolvemar_Constanten_en_Types;

namespace {

// A move no longer than the object's own speed is a glide; a longer one (a
// patrol's turn with its step back, a pick-up set elsewhere) is a jump.
bool Glijdt(REAL x0, REAL y0, const Object& o) {
    const float dx = o.x - x0;
    const float dy = o.y - y0;
    const float v2 = o.vx * o.vx + o.vy * o.vy;
    return dx * dx + dy * dy <= v2 * 1.001f + 1.0e-4f;
}

void Plaats(const Vorigestand& vorige, int i, float fractie, Object& o) {
    if (!vorige.levend[i] || !o.levend || !Glijdt(vorige.x[i], vorige.y[i], o)) return;
    o.x = std::lerp(vorige.x[i], o.x, fractie);
    o.y = std::lerp(vorige.y[i], o.y, fractie);
}

// The same shot one phase on: its phase in between places it in between.
void Plaats(const Objectkogel& vorige, float fractie, Objectkogel& k) {
    if (vorige.leven && k.leven && vorige.x == k.x && vorige.y == k.y && vorige.vx == k.vx &&
        vorige.vy == k.vy && k.fase == vorige.fase + 1.0f)
        k.fase = std::lerp(vorige.fase, k.fase, fractie);
}

} // namespace

void Bewaarstand(const Level& level, Speelstaat& staat) {
    Vorigestand& v = staat.vorige;
    for (int i = 0; i <= OBJECT_MAX; ++i) {
        const Object& o = i == 0 ? staat.player : level.objecten[i];
        v.x[i] = o.x;
        v.y[i] = o.y;
        v.levend[i] = o.levend;
    }
    std::copy(std::begin(level.geschut), std::end(level.geschut), std::begin(v.geschut));
}

void Tekentussenbeeld(const Level& level, const Speelstaat& staat, float fractie) {
    // Copies off the stack: the two records are some tens of kilobytes.
    const auto tussen = std::make_unique<Level>(level);
    const auto s = std::make_unique<Speelstaat>(staat);
    fractie = std::clamp(fractie, 0.0f, 1.0f);
    Plaats(staat.vorige, 0, fractie, s->player);
    for (int i = 1; i <= OBJECT_MAX; ++i)
        Plaats(staat.vorige, i, fractie, tussen->objecten[i]);
    for (int k = 1; k <= GESCHUT_MAX; ++k)
        Plaats(staat.vorige.geschut[k], fractie, tussen->geschut[k]);
    Tekenframe(*tussen, *s);
}

} // namespace Kolvemar_spel
