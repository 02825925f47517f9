#include "Kolvemar_upgrades_en_controlers.h"

#include <algorithm>
#include <cstdint>

#include "Kolvemar_Artificial_movement.h"
#include "StandardLib.h"

namespace Kolvemar_upgrades_en_controlers {

namespace K = Kolvemar_Constanten_en_Types;
using K::Object;
using K::REAL;
using Kolvemar_Artificial_movement::Distance_Real;
using Kolvemar_Artificial_movement::LAATSTE_MONSTER;

namespace {

constexpr int SPELER = 0;
constexpr int ARMOR = 51;
constexpr int LEVEN = 52;
constexpr int LEVENTOT = 53;
constexpr int EERSTE_UPGRADE = ARMOR;
constexpr int LAATSTE_UPGRADE = K::OBJECT_MAX;
constexpr int AANTAL_UPGRADES = LAATSTE_UPGRADE - EERSTE_UPGRADE + 1;

constexpr INTEGER VERPLAATS_PERIODE = 300;
constexpr INTEGER ARMORDUUR = 300;
constexpr INTEGER AANRAAK_MARGE = 5;
// Pick-ups land at least this far inside the walls.
constexpr REAL MUURAFSTAND = 20.0f;

bool Raken(const Object& a, const Object& b) {
    return Distance_Real(a.x, a.y, b.x, b.y) <
           static_cast<REAL>(int64_t{a.grootte} + b.grootte + AANRAAK_MARGE);
}

// Truncation toward zero to a whole number of pixels, never below 0.
CARDINAL Afkappen(REAL v) {
    return v > 0.0f ? static_cast<CARDINAL>(v) : 0;
}

// A number between cut(marge_laag) and S - cut(marge_hoog); an arena too
// small for that reports itself through RandomCard.
REAL Tussen(CARDINAL laag, REAL marge_hoog) {
    const CARDINAL rand = Afkappen(marge_hoog + MUURAFSTAND);
    const CARDINAL hoog = K::schermgrootte > rand ? K::schermgrootte - rand : 0;
    return static_cast<REAL>(StandardLib::RandomCard(laag, hoog));
}

// The x value is always drawn before the y value.
void Verplaats(const Level& level, Object& upgrade) {
    upgrade.x = Tussen(Afkappen(level.margerelinks + MUURAFSTAND), level.margerechts);
    upgrade.y = Tussen(
        Afkappen(static_cast<REAL>(K::grootte_informatiebalk) + level.margeboven + MUURAFSTAND),
        level.margeonder);
}

// Takes a living pick-up that the player touches off the field.
bool Opgepakt(const Object& speler, Object& upgrade) {
    if (!upgrade.levend || !Raken(speler, upgrade)) return false;
    upgrade.levend = false;
    return true;
}

// The first slot from `van` to `tot` without a live bullet; 0 if none. A
// full ring is the busy case, so four slots are looked at per branch.
CARDINAL VrijeSlot(const Objectkogel (&geschut)[GESCHUT_MAX + 1], CARDINAL van, CARDINAL tot) {
    CARDINAL slot = van;
    for (; slot + 3 <= tot; slot += 4)
        if (!(geschut[slot].leven & geschut[slot + 1].leven & geschut[slot + 2].leven &
              geschut[slot + 3].leven))
            break;
    for (; slot <= tot; ++slot)
        if (!geschut[slot].leven) return slot;
    return 0;
}

} // namespace

void upgrade(Level& level) {
    Object* o = level.objecten;
    Object& speler = o[SPELER];
    if (((level.time % VERPLAATS_PERIODE) + VERPLAATS_PERIODE) % VERPLAATS_PERIODE == 0)
        for (int p = EERSTE_UPGRADE; p <= LAATSTE_UPGRADE; ++p)
            if (o[p].levend) Verplaats(level, o[p]);
    if (level.time == o[ARMOR].levenspuntentot) speler.armoraan = false;
    bool verplaatsen[AANTAL_UPGRADES] = {};

    if (Opgepakt(speler, o[ARMOR])) {
        speler.armoraan = true;
        INTEGER einde = level.time + ARMORDUUR;
        Controltime(einde);
        o[ARMOR].levenspuntentot = einde;
    }
    if (Opgepakt(speler, o[LEVEN])) {
        const INTEGER bonus = o[LEVEN].levenspuntentotbegin;
        if (speler.levenspuntentotbegin - bonus < speler.levenspuntentot)
            speler.levenspuntentot = speler.levenspuntentotbegin;
        else
            speler.levenspuntentot += bonus;
    }
    if (Opgepakt(speler, o[LEVENTOT]))
        speler.levenspuntentotbegin += o[LEVENTOT].levenspuntentotbegin;

    // Pick-ups heal the monsters that reach them, and then move away.
    for (int m = 1; m <= LAATSTE_MONSTER; ++m)
        for (int p = EERSTE_UPGRADE; p <= LAATSTE_UPGRADE; ++p) {
            if (!o[m].levend || !o[p].levend || !Raken(o[m], o[p])) continue;
            o[m].levenspuntentot = std::min(o[m].levenspuntentot + o[p].levenspuntentotbegin,
                                            o[m].levenspuntentotbegin);
            verplaatsen[p - EERSTE_UPGRADE] = true;
        }
    for (int p = EERSTE_UPGRADE; p <= LAATSTE_UPGRADE; ++p)
        if (verplaatsen[p - EERSTE_UPGRADE]) Verplaats(level, o[p]);
}

bool ControlLevel(const Level& level) {
    return std::none_of(level.objecten + 1, level.objecten + LAATSTE_MONSTER + 1,
                        [](const Object& m) { return m.levend; });
}

bool Controlleven(Level& level) {
    Object& speler = level.objecten[SPELER];
    if (speler.levenspuntentot > 0) return false;
    speler.levend = false;
    return true;
}

void Controltime(INTEGER& time) {
    if (time > K::maxtime) time = time - K::maxtime;
}

void Controlstandaantalkogel(CARDINAL& standaantalkogel,
                             const Objectkogel (&geschut)[GESCHUT_MAX + 1]) {
    // A slot number out of the ring starts over at its beginning.
    const bool geldig = standaantalkogel >= 1 && standaantalkogel <= GESCHUT_MAX;
    const CARDINAL begin = geldig ? standaantalkogel : GESCHUT_MAX;
    // The ring from the slot after `begin` round to `begin` itself, as two
    // straight runs; when every bullet flies the start slot is reused.
    CARDINAL slot = VrijeSlot(geschut, begin + 1, GESCHUT_MAX);
    if (slot == 0) slot = VrijeSlot(geschut, 1, begin);
    standaantalkogel = slot != 0 ? slot : begin;
}

} // namespace Kolvemar_upgrades_en_controlers
