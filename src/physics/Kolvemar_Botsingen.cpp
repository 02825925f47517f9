#include "Kolvemar_Botsingen.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iomanip>
#include <iostream>
#include <limits>
#include <vector>

#include "Kolvemar_Artificial_movement.h"
#include "StandardLib.h"

namespace Kolvemar_Botsingen {

namespace K = Kolvemar_Constanten_en_Types;
using K::BotsingRC;
using K::INTEGER;
using Kolvemar_Artificial_movement::Distance_Real;
using Kolvemar_Artificial_movement::LAATSTE_MONSTER;
using Kolvemar_Artificial_movement::positiekogel;
using StandardLib::AngleWithXAx_REAL;

namespace {

// Angles as the game has always written them: six decimals, single precision.
constexpr REAL KWART_PI = 0.785398f;
constexpr REAL HALF_PI = 1.570796f;
constexpr REAL DRIEKWART_PI = 2.356194f;
constexpr REAL VIJFKWART_PI = 3.926990f;
constexpr REAL ANDERHALF_PI = 4.712388f;
constexpr REAL ZEVENKWART_PI = 5.497786f;
constexpr REAL TWEE_PI = 6.283184f;

// Objects are put back slightly short of the contact point.
constexpr REAL TERUG = 0.9f;

CARDINAL gPassen = 0;
CARDINAL gStappen = 0;

struct Coefficienten {
    REAL a, b, c;
};

// Squared distance of the centres at time t is a t^2 + b t + c + rr for a
// start offset d and a relative motion w.
inline Coefficienten Vergelijking(REAL dx, REAL dy, REAL wx, REAL wy, REAL rr) {
    const REAL a = wx * wx + wy * wy;
    const REAL b = 2.0f * (dx * wx + dy * wy);
    const REAL c = dx * dx + dy * dy - rr;
    return {a, b, c};
}

// Sums of radii and their squares are whole numbers.
REAL Kwadraat(int64_t r) {
    return static_cast<REAL>(r * r);
}

inline REAL Discriminant(const Coefficienten& q) {
    return q.b * q.b - 4.0f * q.a * q.c;
}

// Roots of a t^2 + b t + c for a != 0, the later one first; false when the
// paths never come within reach.
bool Wortels(const Coefficienten& q, REAL& t1, REAL& t2) {
    const REAL discriminant = Discriminant(q);
    if (discriminant < 0.0f) return false;
    const REAL s = std::sqrt(discriminant);
    t1 = (s - q.b) / (2.0f * q.a);
    t2 = (-q.b - s) / (2.0f * q.a);
    return true;
}

// First touch ahead, or the separation of an overlapping pair; `geen` when
// the paths never come within reach.
REAL Contacttijd(const Coefficienten& q, REAL geen) {
    if (q.a == 0.0f && q.b == 0.0f) return -1.0f;
    if (q.a == 0.0f) return -q.c / q.b;
    if (q.b == 0.0f) return std::sqrt(std::fabs(q.c / q.a));
    REAL t1 = 0.0f;
    REAL t2 = 0.0f;
    if (!Wortels(q, t1, t2)) return geen;
    return (t2 < t1 && t2 >= 0.0f) ? t2 : t1;
}

bool BinnenStap(REAL t) {
    return t >= 0.0f && t <= 1.0f;
}

// Whether a root of the bullet test lies within the step, both ends included.
bool RaaktBinnenStap(const Coefficienten& q) {
    // Same motion: the distance never changes.
    if (q.a == 0.0f && q.b == 0.0f) return false;
    if (q.a == 0.0f) return BinnenStap(-q.c / q.b);
    // Motion square to the offset: they are closest at the start, so they
    // touch only if they already do; the roots are +-sqrt(-c/a).
    if (q.b == 0.0f) return q.c <= 0.0f && BinnenStap(std::sqrt(-q.c / q.a));
    REAL t1 = 0.0f;
    REAL t2 = 0.0f;
    return Wortels(q, t1, t2) && (BinnenStap(t1) || BinnenStap(t2));
}

REAL Reik(const Object& p, const Object& q) {
    return Kwadraat(int64_t{p.grootte} + q.grootte);
}

// Exacte_bots without copying the objects, for the pair scan.
REAL Botstijd(const Object& object1, const Object& object2) {
    const REAL dx = (object2.x - object2.vx) - (object1.x - object1.vx);
    const REAL dy = (object2.y - object2.vy) - (object1.y - object1.vy);
    const REAL wx = object2.vx - object1.vx;
    const REAL wy = object2.vy - object1.vy;
    return Contacttijd(Vergelijking(dx, dy, wx, wy, Reik(object1, object2)), -1.0f);
}

// Where a centre of radius g may be: the walls, and the bar across the top.
struct Arena {
    REAL links, rechts, boven, onder;
};

Arena ArenaVoor(REAL margelinks, REAL margerechts, REAL margeboven, REAL margeonder) {
    const REAL scherm = static_cast<REAL>(K::schermgrootte);
    return {margelinks, scherm - margerechts,
            static_cast<REAL>(K::grootte_informatiebalk) + margeboven, scherm - margeonder};
}

// Objects are only held back along an axis they move on.
void Klem(Object& o, const Arena& arena) {
    const REAL g = static_cast<REAL>(o.grootte);
    if (o.vx != 0.0f) {
        if (o.x < arena.links + g) o.x = arena.links + g;
        if (o.x > arena.rechts - g) o.x = arena.rechts - g;
    }
    if (o.vy != 0.0f) {
        if (o.y < arena.boven + g) o.y = arena.boven + g;
        if (o.y > arena.onder - g) o.y = arena.onder - g;
    }
}

bool Buiten(REAL x, REAL y, const Arena& arena, REAL g) {
    return x < arena.links + g || x > arena.rechts - g || y < arena.boven + g ||
           y > arena.onder - g;
}

// Distance_Real minus the radii below zero. The box test in front is exact:
// an axis gap above the reach rounds to a distance of at least the reach.
bool Overlappen(const Object& p, const Object& q) {
    const REAL reik = static_cast<REAL>(int64_t{p.grootte} + q.grootte);
    if (std::fabs(p.x - q.x) > reik || std::fabs(p.y - q.y) > reik) return false;
    return Distance_Real(p.x, p.y, q.x, q.y) - reik < 0.0f;
}

void Probleem(char as, CARDINAL corrector, CARDINAL referentie, const char* einde) {
    std::cout << "hier is een probleem " << as << ' ' << std::setw(3) << corrector << "  "
              << std::setw(3) << referentie << einde;
}

REAL Weg(REAL eigen, REAL ander) {
    if (eigen > ander) return 1.0f;
    if (eigen < ander) return -1.0f;
    return 0.0f;
}

// One pixel along each axis away from the reference.
void Duw(Object& corrector, const Object& referentie, CARDINAL c, CARDINAL r) {
    if (corrector.x == referentie.x) Probleem('x', c, r, "\n");
    const REAL dx = Weg(corrector.x, referentie.x);
    if (corrector.y == referentie.y) Probleem('y', c, r, "\n\n");
    const REAL dy = Weg(corrector.y, referentie.y);
    corrector.x = corrector.x + dx;
    corrector.y = corrector.y + dy;
}

// Marks as bits, slot k in bit k: a chain copies them for free.
using Merken = uint64_t;

constexpr Merken Bit(CARDINAL slot) {
    return Merken{1} << slot;
}

// A nudge chain; the marks are this chain's own copy. `buren` holds the
// living slots that a nudge passes on to.
void Stap(CARDINAL corrector, CARDINAL referentie, Object* objecten, Merken al_geweest,
          Merken buren) {
    al_geweest |= Bit(corrector);
    if (!Overlappen(objecten[referentie], objecten[corrector])) return;
    if (gStappen >= MAX_CORRECTIE_STAPPEN) return;
    ++gStappen;
    Duw(objecten[corrector], objecten[referentie], corrector, referentie);
    for (Merken open = buren & ~al_geweest; open != 0 && gStappen < MAX_CORRECTIE_STAPPEN;
         open &= open - 1)
        Stap(static_cast<CARDINAL>(std::countr_zero(open)), corrector, objecten, al_geweest, buren);
}

void TerugNaar(Object& o, REAL t) {
    o.x = (o.x - o.vx) + o.vx * t * TERUG;
    o.y = (o.y - o.vy) + o.vy * t * TERUG;
}

void Stop(Object& o) {
    o.vx = 0.0f;
    o.vy = 0.0f;
}

bool Stil(const Object& o) {
    return o.vx == 0.0f && o.vy == 0.0f;
}

bool Patrouille(const Object& o) {
    return o.soortbeweging == K::bewegingssoort::type2 ||
           o.soortbeweging == K::bewegingssoort::type3;
}

REAL Rond(REAL h) {
    return h < 0.0f ? h + TWEE_PI : h;
}

bool Tussen(REAL h, REAL onder, REAL boven) {
    return h > onder && h < boven;
}

// The chaser goes back to `terug` and stops; the other one keeps the
// contact time as the earliest moment of a further collision.
void HoudTegen(Object& achter, Object& ander, REAL terug, REAL t) {
    TerugNaar(achter, terug);
    Stop(achter);
    ander.laatstebotstijd = t;
    achter.laatstebotstijd = 0.0f;
}

void BeideTerug(Object& oi, Object& oj, REAL t) {
    TerugNaar(oi, t);
    TerugNaar(oj, t);
    oi.laatstebotstijd = 0.0f;
    oj.laatstebotstijd = 0.0f;
}

void BeideStop(Object& oi, Object& oj, REAL t) {
    BeideTerug(oi, oj, t);
    Stop(oi);
    Stop(oj);
}

// Side by side: both glide on with the mean velocity.
void SamenVerder(Object& oi, Object& oj, REAL t) {
    BeideTerug(oi, oj, t);
    const REAL vx = (oi.vx + oj.vx) / 2.0f;
    const REAL vy = (oi.vy + oj.vy) / 2.0f;
    for (Object* o : {&oi, &oj}) {
        o->vx = vx;
        o->vy = vy;
        o->x = o->x - o->vx * t * TERUG;
        o->y = o->y - o->vy * t * TERUG;
    }
}

void TegenRustend(Object (&objecten)[OBJECT_MAX + 1], CARDINAL bewegend, CARDINAL rustend, REAL t) {
    REAL terug = 0.0f;
    Exacte_botshalf(objecten[bewegend], objecten[rustend], terug);
    HoudTegen(objecten[bewegend], objecten[rustend], terug, t);
    botsings_correctie(bewegend, rustend, objecten);
}

void Correcties(Object (&objecten)[OBJECT_MAX + 1], CARDINAL i, CARDINAL j) {
    botsings_correctie(j, i, objecten);
    botsings_correctie(i, j, objecten);
}

// The settling rules, first match wins.
void Regel(Object (&objecten)[OBJECT_MAX + 1], CARDINAL i, CARDINAL j, REAL t) {
    Object& oi = objecten[i];
    Object& oj = objecten[j];
    if (Stil(oi)) return TegenRustend(objecten, j, i, t);
    if (Stil(oj)) return TegenRustend(objecten, i, j, t);
    // gamma: i's motion seen from the line towards j; delta: the line towards
    // i seen from j's motion. Angles at the present positions.
    const REAL gamma = Rond(AngleWithXAx_REAL(oi.x, oi.y, oi.x + oi.vx, oi.y + oi.vy) -
                            AngleWithXAx_REAL(oi.x, oi.y, oj.x, oj.y));
    const REAL delta = Rond(AngleWithXAx_REAL(oj.x, oj.y, oi.x, oi.y) -
                            AngleWithXAx_REAL(oj.x, oj.y, oj.x + oj.vx, oj.y + oj.vy));
    // i runs away from j: j ran into it.
    if (Tussen(gamma, HALF_PI, ANDERHALF_PI)) return HoudTegen(oj, oi, t, t);
    // j runs away from i: i ran into it.
    if (Tussen(delta, HALF_PI, ANDERHALF_PI)) {
        HoudTegen(oi, oj, t, t);
        return Correcties(objecten, i, j);
    }
    const bool zijAanZij =
        (Tussen(gamma, KWART_PI, DRIEKWART_PI) && Tussen(delta, KWART_PI, DRIEKWART_PI)) ||
        (Tussen(gamma, VIJFKWART_PI, ZEVENKWART_PI) && Tussen(delta, VIJFKWART_PI, ZEVENKWART_PI));
    if (zijAanZij) return SamenVerder(oi, oj, t);
    if (Patrouille(oi) && Patrouille(oj)) {
        // Two patrols meeting head-on both turn round.
        oi.vtot = -oi.vtot;
        oj.vtot = -oj.vtot;
        return BeideStop(oi, oj, t);
    }
    BeideStop(oi, oj, t);
    Correcties(objecten, i, j);
}

// What the pair tests read of an object that a pass may change.
struct Stand {
    REAL x, y, vx, vy;
};

// The living objects and, per pair, the contact time of the latest scan (NaN
// when apart). Most objects keep still from pass to pass, so a pass only
// recomputes the pairs of which an object has changed since.
struct Paren {
    CARDINAL slot[OBJECT_MAX + 1];
    int aantal = 0;
    Stand stand[OBJECT_MAX + 1];
    bool gewijzigd[OBJECT_MAX + 1];
    REAL tijd[OBJECT_MAX + 1][OBJECT_MAX + 1];
};

void Bijwerken(Paren& paren, const Object (&objecten)[OBJECT_MAX + 1], bool alles) {
    for (int a = 0; a < paren.aantal; ++a) {
        const Object& o = objecten[paren.slot[a]];
        const Stand nu{o.x, o.y, o.vx, o.vy};
        paren.gewijzigd[a] = alles || std::memcmp(&nu, &paren.stand[a], sizeof nu) != 0;
        paren.stand[a] = nu;
    }
}

REAL PaarTijd(const Object& p, const Object& q) {
    return Overlappen(p, q) ? Botstijd(p, q) : std::numeric_limits<REAL>::quiet_NaN();
}

// One pass: the earliest contact among the overlapping pairs, skipping the
// pair that the previous pass settled.
void Zoek(const Object (&objecten)[OBJECT_MAX + 1], Paren& paren, BotsingRC& keuze) {
    for (int a = 0; a < paren.aantal; ++a) {
        const CARDINAL i = paren.slot[a];
        for (int b = a + 1; b < paren.aantal; ++b) {
            const CARDINAL j = paren.slot[b];
            if (paren.gewijzigd[a] || paren.gewijzigd[b])
                paren.tijd[a][b] = PaarTijd(objecten[i], objecten[j]);
            const REAL t = paren.tijd[a][b];
            if (t < keuze.time && t >= 0.0f && t >= objecten[i].laatstebotstijd &&
                t >= objecten[j].laatstebotstijd && !(i == keuze.bol1 && j == keuze.bol2))
                keuze = {i, j, t, true};
        }
    }
}

// A bullet's step in this frame: where it is now, and the way back to where
// it was one phase earlier.
struct Spoor {
    REAL x, y, sx, sy;
};

Spoor SpoorVan(const Objectkogel& k) {
    REAL x1 = k.x, y1 = k.y, x2 = k.x, y2 = k.y;
    positiekogel(x1, y1, k.vx, k.vy, k.fase);
    positiekogel(x2, y2, k.vx, k.vy, k.fase - 1.0f);
    return {x1, y1, x2 - x1, y2 - y1};
}

// Two bullets touch at twice the bullet radius.
REAL KogelReik() {
    return Kwadraat(2 * int64_t{K::groottekogels});
}

inline Coefficienten KogelVergelijking(REAL ix, REAL iy, REAL isx, REAL isy, REAL jx, REAL jy,
                                       REAL jsx, REAL jsy, REAL rr) {
    return Vergelijking(jx - ix, jy - iy, jsx - isx, jsy - isy, rr);
}

// Live bullets column by column, in slot order.
struct Kolommen {
    int slot[GESCHUT_MAX];
    REAL x[GESCHUT_MAX], y[GESCHUT_MAX], sx[GESCHUT_MAX], sy[GESCHUT_MAX];
    int aantal = 0;
};

inline Coefficienten KogelVergelijking(const Kolommen& k, int i, int j, REAL rr) {
    return KogelVergelijking(k.x[i], k.y[i], k.sx[i], k.sy[i], k.x[j], k.y[j], k.sx[j], k.sy[j],
                             rr);
}

// The broad phase drops a pair only when the boxes around the two steps,
// each widened by a bullet radius plus VEILIG, lie apart: the centres then
// stay more than the reach plus 2 VEILIG apart all step long, far beyond
// what the exact test's rounding can close (some 1e-4 pixels at arena
// distances). The boxes' own rounding needs sane coordinates; a bullet
// beyond them gets a box over everything, so it is paired with every other.
constexpr REAL VEILIG = 2.0f;
constexpr REAL MAX_PLAATS = 4096.0f;
constexpr REAL MAX_STAP = 256.0f;

struct Doos {
    REAL x0, x1, y0, y1;
};

// False for NaN too.
bool Binnen(REAL v, REAL grens) {
    return std::fabs(v) <= grens;
}

Doos DoosVan(const Kolommen& k, int n, REAL rand) {
    constexpr REAL oneindig = std::numeric_limits<REAL>::infinity();
    const bool gewoon = Binnen(k.x[n], MAX_PLAATS) && Binnen(k.y[n], MAX_PLAATS) &&
                        Binnen(k.sx[n], MAX_STAP) && Binnen(k.sy[n], MAX_STAP);
    if (!gewoon) return {-oneindig, oneindig, -oneindig, oneindig};
    const REAL x2 = k.x[n] + k.sx[n];
    const REAL y2 = k.y[n] + k.sy[n];
    return {std::min(k.x[n], x2) - rand, std::max(k.x[n], x2) + rand, std::min(k.y[n], y2) - rand,
            std::max(k.y[n], y2) + rand};
}

// A pair of columns i < j as one number that sorts as the exact scan runs.
using Paar = uint32_t;

Paar PaarVan(int a, int b) {
    return static_cast<Paar>(std::min(a, b)) << 16 | static_cast<Paar>(std::max(a, b));
}

int Rij(Paar p) {
    return static_cast<int>(p >> 16);
}

int Kolom(Paar p) {
    return static_cast<int>(p & 0xFFFFu);
}

// Order-keeping unsigned key of a float that is not NaN.
uint64_t Sleutel(REAL v) {
    const uint32_t bits = std::bit_cast<uint32_t>(v);
    return (bits & 0x80000000u) ? ~bits : bits | 0x80000000u;
}

// Sweep over the boxes by their left edge: every pair whose boxes meet, in
// the order of the exact scan.
std::vector<Paar> Kandidaten(const Kolommen& k) {
    const REAL rand = static_cast<REAL>(std::abs(int64_t{K::groottekogels})) + VEILIG;
    Doos doos[GESCHUT_MAX];
    uint64_t volgorde[GESCHUT_MAX];
    for (int n = 0; n < k.aantal; ++n) {
        doos[n] = DoosVan(k, n, rand);
        volgorde[n] = Sleutel(doos[n].x0) << 32 | static_cast<uint64_t>(n);
    }
    std::sort(volgorde, volgorde + k.aantal);
    std::vector<Paar> paren;
    paren.reserve(4 * static_cast<size_t>(k.aantal));
    int open[GESCHUT_MAX];
    int aantalOpen = 0;
    for (int v = 0; v < k.aantal; ++v) {
        const int n = static_cast<int>(volgorde[v] & 0xFFFFu);
        const Doos& d = doos[n];
        int blijft = 0;
        for (int o = 0; o < aantalOpen; ++o) {
            const Doos& e = doos[open[o]];
            // Every later box starts further right.
            if (e.x1 < d.x0) continue;
            open[blijft++] = open[o];
            if (e.y0 <= d.y1 && d.y0 <= e.y1) paren.push_back(PaarVan(open[o], n));
        }
        aantalOpen = blijft;
        open[aantalOpen++] = n;
    }
    std::sort(paren.begin(), paren.end());
    return paren;
}

} // namespace

void Exacte_bots(Object object1, Object object2, REAL& botstijd) {
    botstijd = Botstijd(object1, object2);
}

void Exacte_botshalf(Object object1, Object object2, REAL& botstijd) {
    const REAL dx = (object1.x - object1.vx) - object2.x;
    const REAL dy = (object1.y - object1.vy) - object2.y;
    // No real root: back to the start of the path.
    botstijd =
        Contacttijd(Vergelijking(dx, dy, object1.vx, object1.vy, Reik(object1, object2)), 0.0f);
}

bool Exacte_bots_kogels(REAL ix1, REAL iy1, REAL jx1, REAL jy1, REAL ix2, REAL iy2, REAL jx2,
                        REAL jy2) {
    return RaaktBinnenStap(KogelVergelijking(ix1, iy1, ix2 - ix1, iy2 - iy1, jx1, jy1, jx2 - jx1,
                                             jy2 - jy1, KogelReik()));
}

void Botsing(Object (&objecten)[OBJECT_MAX + 1], REAL margelinks, REAL margerechts, REAL margeboven,
             REAL margeonder) {
    const Arena arena = ArenaVoor(margelinks, margerechts, margeboven, margeonder);
    Paren paren;
    for (CARDINAL k = 0; k <= OBJECT_MAX; ++k) {
        objecten[k].laatstebotstijd = 0.0f;
        if (objecten[k].levend) paren.slot[paren.aantal++] = k;
    }
    // No pair is held before the first pass; (0, 0) is never a pair.
    BotsingRC keuze{0, 0, 1.0f, false};
    gPassen = 0;
    do {
        keuze.time = 1.0f;
        keuze.toepasbaar = false;
        for (int a = 0; a < paren.aantal; ++a)
            Klem(objecten[paren.slot[a]], arena);
        const bool eerstePas = gPassen == 0;
        Bijwerken(paren, objecten, eerstePas);
        ++gPassen;
        Zoek(objecten, paren, keuze);
        if (keuze.toepasbaar) Regel(objecten, keuze.bol1, keuze.bol2, keuze.time);
    } while (keuze.toepasbaar && gPassen < MAX_PASSEN);
}

void botsings_correctie(CARDINAL corrector, CARDINAL referentie,
                        Object (&objecten)[OBJECT_MAX + 1]) {
    Geweest al_geweest{};
    for (int k = 0; k <= OBJECT_MAX; ++k)
        al_geweest[k] = !objecten[k].levend;
    if (referentie <= OBJECT_MAX) al_geweest[referentie] = true;
    botsings_correctie_recursie(corrector, referentie, objecten, al_geweest);
}

void botsings_correctie_recursie(CARDINAL corrector, CARDINAL referentie,
                                 Object (&objecten)[OBJECT_MAX + 1], Geweest al_geweest) {
    static_assert(OBJECT_MAX < 64, "the marks of every slot fit in one word");
    gStappen = 0;
    if (corrector > OBJECT_MAX || referentie > OBJECT_MAX) return;
    Merken merken = 0;
    Merken buren = 0;
    for (CARDINAL k = 0; k <= OBJECT_MAX; ++k) {
        if (al_geweest[k]) merken |= Bit(k);
        if (k <= LAATSTE_MONSTER && objecten[k].levend) buren |= Bit(k);
    }
    Stap(corrector, referentie, objecten, merken, buren);
}

void Botsinggeschut(Objectkogel (&geschut)[GESCHUT_MAX + 1], REAL margelinks, REAL margerechts,
                    REAL margeboven, REAL margeonder) {
    const Arena arena = ArenaVoor(margelinks, margerechts, margeboven, margeonder);
    const REAL g = static_cast<REAL>(K::groottekogels);
    const REAL rr = KogelReik();
    Kolommen k;
    for (int slot = 1; slot <= GESCHUT_MAX; ++slot) {
        if (!geschut[slot].leven) continue;
        const Spoor s = SpoorVan(geschut[slot]);
        const int n = k.aantal++;
        k.slot[n] = slot;
        k.x[n] = s.x;
        k.y[n] = s.y;
        k.sx[n] = s.sx;
        k.sy[n] = s.sy;
    }
    const std::vector<Paar> paren = Kandidaten(k);
    size_t p = 0;
    for (int i = 0; i < k.aantal; ++i) {
        Objectkogel& kogel = geschut[k.slot[i]];
        size_t einde = p;
        while (einde < paren.size() && Rij(paren[einde]) == i)
            ++einde;
        if (!kogel.leven) {
            p = einde;
            continue;
        }
        for (; p < einde; ++p) {
            Objectkogel& ander = geschut[k.slot[Kolom(paren[p])]];
            if (ander.leven && RaaktBinnenStap(KogelVergelijking(k, i, Kolom(paren[p]), rr))) {
                kogel.leven = false;
                ander.leven = false;
            }
        }
        // A shot without a direction never leaves its muzzle: it fizzles.
        const bool zonderRichting = kogel.vx == 0.0f && kogel.vy == 0.0f;
        if (zonderRichting || Buiten(k.x[i], k.y[i], arena, g)) kogel.leven = false;
    }
}

CARDINAL AantalPassen() {
    return gPassen;
}

CARDINAL AantalCorrectieStappen() {
    return gStappen;
}

} // namespace Kolvemar_Botsingen
