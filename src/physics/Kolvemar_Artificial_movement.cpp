#include "Kolvemar_Artificial_movement.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "Wimdows.h"

namespace Kolvemar_Artificial_movement {

namespace K = Kolvemar_Constanten_en_Types;

namespace {

constexpr REAL PIXELS_PER_FASE = 20.0f;
constexpr uint32_t ZWART = 0;
constexpr uint32_t ROOD = 176;
constexpr INTEGER PUNTEN_PER_TREFFER = 3;
constexpr int64_t AANRAAKAFSTAND = 20;

// Truncation toward zero that stays defined for positions far off the screen.
int32_t Afkappen(REAL v) {
    if (!(std::fabs(v) < 2.0e9f)) return 0;
    return static_cast<int32_t>(v);
}

// The bullets that can hit in this frame, in slot order, and where they were
// drawn in the previous frame (single precision values, held exactly).
struct Schoten {
    int aantal = 0;
    int slot[GESCHUT_MAX];
    double x[GESCHUT_MAX], y[GESCHUT_MAX];
};

// The bullets in their order against one living, unarmoured object. What a
// bullet does to one object never depends on another, so each object takes
// them on its own.
void Beschiet(Object& o, bool speler, const Schoten& schoten,
              Objectkogel (&allekogels)[GESCHUT_MAX + 1], INTEGER& punten) {
    const double x = o.x;
    const double y = o.y;
    const REAL straal = static_cast<REAL>(o.grootte);
    INTEGER leven = o.levenspuntentot;
    for (int n = 0; n < schoten.aantal; ++n) {
        // An axis gap of the radius or more: the distance is never smaller.
        if (std::fabs(x - schoten.x[n]) < straal && std::fabs(y - schoten.y[n]) < straal &&
            straal > Distance_Real(o.x, o.y, static_cast<REAL>(schoten.x[n]),
                                   static_cast<REAL>(schoten.y[n]))) {
            Objectkogel& kogel = allekogels[schoten.slot[n]];
            leven -= kogel.soortkogel.dammage;
            o.levenspuntentot = leven;
            kogel.leven = false;
            punten += speler ? -PUNTEN_PER_TREFFER : PUNTEN_PER_TREFFER;
        }
        // Out of life after a bullet, it is hit by no later one.
        if (leven <= 0) return;
    }
}

} // namespace

// Intermediates in double: only the result is rounded to single precision.
REAL Distance_Real(REAL x1, REAL y1, REAL x2, REAL y2) {
    const double dx = static_cast<double>(x1) - x2;
    const double dy = static_cast<double>(y1) - y2;
    return static_cast<REAL>(std::sqrt(dx * dx + dy * dy));
}

// The step factor and the position are rounded to single precision; what
// leads up to them is not.
void positiekogel(REAL& kogelx, REAL& kogely, REAL kogelvx, REAL kogelvy, REAL fase) {
    const double lengte =
        std::sqrt(static_cast<double>(kogelvx) * kogelvx + static_cast<double>(kogelvy) * kogelvy);
    // A shot without direction would divide by zero; it stays where it was fired.
    const REAL k = lengte == 0.0 ? 0.0f : static_cast<REAL>(fase / lengte);
    const REAL x = static_cast<REAL>(kogelx + PIXELS_PER_FASE * static_cast<double>(kogelvx) * k);
    const REAL y = static_cast<REAL>(kogely + PIXELS_PER_FASE * static_cast<double>(kogelvy) * k);
    kogelx = x - 0.5f;
    kogely = y - 0.5f;
}

void draw(REAL kogelx, REAL kogely, REAL kogelvx, REAL kogelvy, REAL& fase) {
    positiekogel(kogelx, kogely, kogelvx, kogelvy, fase);
    const int32_t x = Afkappen(kogelx);
    const int32_t y = Afkappen(kogely);
    const uint32_t straal = static_cast<uint32_t>(std::max(K::groottekogels, 0));
    Wimdows::RimmedDisc(x, y, straal, ZWART, ROOD);
    fase = fase + 1.0f;
}

void shoot(REAL muisx, REAL muisy, REAL spelerx, REAL spelery, REAL& kogelvx, REAL& kogelvy) {
    if (muisx == spelerx && muisy == spelery) return;
    kogelvx = muisx - spelerx;
    kogelvy = muisy - spelery;
}

void levenafdoen(Object (&alleobjecten)[OBJECT_MAX + 1], Objectkogel (&allekogels)[GESCHUT_MAX + 1],
                 INTEGER& punten) {
    Schoten schoten;
    for (int i = 1; i <= GESCHUT_MAX; ++i) {
        const Objectkogel& kogel = allekogels[i];
        if (!kogel.leven || !(kogel.fase > 2.0f)) continue;
        // Where the bullet was drawn in the previous frame.
        REAL px = kogel.x;
        REAL py = kogel.y;
        positiekogel(px, py, kogel.vx, kogel.vy, kogel.fase - 1.0f);
        const int n = schoten.aantal++;
        schoten.slot[n] = i;
        schoten.x[n] = px;
        schoten.y[n] = py;
    }
    if (schoten.aantal == 0) return;
    for (int j = 0; j <= LAATSTE_MONSTER; ++j) {
        Object& o = alleobjecten[j];
        if (o.levend && !o.armoraan) Beschiet(o, j == 0, schoten, allekogels, punten);
        if (o.levenspuntentot <= 0) o.levend = false;
    }
}

void levenafdoenspeler(INTEGER& utotaalleven, REAL xposke, REAL yposke,
                       Object (&alleobjecten)[OBJECT_MAX + 1]) {
    const REAL bereik = static_cast<REAL>(AANRAAKAFSTAND + int64_t{alleobjecten[0].grootte});
    for (int j = 1; j <= LAATSTE_MONSTER; ++j) {
        Object& m = alleobjecten[j];
        if (!(Distance_Real(m.x, m.y, xposke, yposke) < bereik) || !m.levend || m.armoraan)
            continue;
        const INTEGER helft = m.levenspuntentot / 2;
        if (helft < utotaalleven) {
            utotaalleven -= helft;
            m.levend = false;
        } else {
            utotaalleven = 0;
        }
    }
}

} // namespace Kolvemar_Artificial_movement
