#include "Kolvemar_spel.h"

#include <algorithm>
#include <cmath>

#include "Kolvemar_Artificial_movement.h"
#include "Kolvemar_spelInternal.h"
#include "Kolvemar_upgrades_en_controlers.h"
#include "StandardLib.h"

// The monsters' fire: how each aiming mode points a new bullet.
namespace Kolvemar_spel {

using namespace Internal;
namespace AM = Kolvemar_Artificial_movement;
namespace UC = Kolvemar_upgrades_en_controlers;

namespace {

void Horizontaal(const Object& m, const Object& p, REAL s, Objectkogel& k) {
    k.vx = p.x < m.x ? -s : s;
    k.vy = 0.0f;
}

void Vertikaal(const Object& m, const Object& p, REAL s, Objectkogel& k) {
    k.vx = 0.0f;
    k.vy = p.y < m.y ? -s : s;
}

void VolgensAssen(const Object& m, const Object& p, REAL s, Objectkogel& k) {
    const REAL dx = p.x - m.x;
    const REAL dy = p.y - m.y;
    if (std::fabs(dy) <= dx) {
        k.vx = s;
        k.vy = 0.0f;
    } else if (std::fabs(dx) < std::fabs(dy)) {
        Vertikaal(m, p, s, k);
    } else {
        k.vx = -s;
        k.vy = 0.0f;
    }
}

void VolgensAbsissen(const Object& m, const Object& p, REAL s, Objectkogel& k) {
    const REAL d = std::sqrt(s * s / 2.0f);
    k.vx = p.x < m.x ? -d : d;
    k.vy = p.y < m.y ? -d : d;
}

void Richten(const Object& m, const Object& p, REAL s, Objectkogel& k) {
    switch (m.wapens.inteligentie) {
    case Inteligentie::horizontaal:
        Horizontaal(m, p, s, k);
        break;
    case Inteligentie::vertikaal:
        Vertikaal(m, p, s, k);
        break;
    case Inteligentie::volgens_assen:
        VolgensAssen(m, p, s, k);
        break;
    case Inteligentie::volgens_absissen:
        VolgensAbsissen(m, p, s, k);
        break;
    case Inteligentie::volgens_assen_en_absissen: {
        const REAL a = StandardLib::AngleWithXAx_REAL(m.x, m.y, p.x, p.y);
        const REAL n = std::floor((a + 3.141592f) * 8.0f / 6.283184f + 0.5f);
        if (std::fmod(n, 2.0f) != 0.0f)
            VolgensAbsissen(m, p, s, k);
        else
            VolgensAssen(m, p, s, k);
        break;
    }
    case Inteligentie::naar_speler:
        AM::shoot(m.x, m.y, p.x, p.y, k.vx, k.vy);
        k.vx = -k.vx;
        k.vy = -k.vy;
        break;
    case Inteligentie::lukraak:
        Willekeurigerichting(s, true, k.vx, k.vy);
        break;
    }
}

} // namespace

void enemyschoot(Level& level, const Object& player, CARDINAL& standaantalkogel) {
    for (int i = 1; i <= LAATSTE_MONSTER; ++i) {
        Object& m = level.objecten[i];
        if (!m.levend || !m.wapens.actief || !Aanzet(m.wapens.volgendekogeltijd, level.time))
            continue;
        if (standaantalkogel < 1 || standaantalkogel > GESCHUT_MAX) standaantalkogel = 1;
        Objectkogel& k = level.geschut[standaantalkogel];
        Richten(m, player, m.wapens.soortkogel.vtot, k);
        k.soortkogel = m.wapens.soortkogel;
        k.x = m.x;
        k.y = m.y;
        k.fase = 1.0f;
        k.leven = true;
        UC::Controlstandaantalkogel(standaantalkogel, level.geschut);
        m.wapens.volgendekogeltijd = Later(level.time, m.wapens.tijdtussenkogels);
    }
}

} // namespace Kolvemar_spel
