// The demo file: numbers as LEB128, every read bounded (docs/demos.md).
#include <bit>
#include <cstddef>
#include <cstring>

#include "Demo.h"

namespace Demo {

using namespace Kolvemar_Constanten_en_Types;

namespace {

constexpr std::string_view MAGIC = "KTDEMO";
constexpr std::size_t MAX_NAAM = 4096;

// ---- writing: unsigned LEB128, signed values zigzagged, reals by their bits ----

void Getal(std::string& uit, uint64_t v) {
    do {
        const uint8_t b = v & 0x7F;
        v >>= 7;
        uit += static_cast<char>(v ? b | 0x80 : b);
    } while (v);
}

void Teken(std::string& uit, int64_t v) {
    Getal(uit, (static_cast<uint64_t>(v) << 1) ^ static_cast<uint64_t>(v >> 63));
}

void Reeel(std::string& uit, float v) {
    Getal(uit, std::bit_cast<uint32_t>(v));
}

uint16_t Vlaggen(const Commands::Command& c) {
    const bool b[] = {c.up,   c.right, c.down,   c.left, c.fire,
                      c.menu, c.pause, c.giveUp, c.skip, c.quit};
    uint16_t v = 0;
    for (int i = 0; i < 10; ++i)
        v |= static_cast<uint16_t>(b[i]) << i;
    return v;
}

Commands::Command UitVlaggen(uint16_t v, int32_t x, int32_t y) {
    auto bit = [v](int i) { return ((v >> i) & 1) != 0; };
    return {bit(0), bit(1), bit(2), bit(3), bit(4), x, y, bit(5), bit(6), bit(7), bit(8), bit(9)};
}

void SchrijfStand(std::string& uit, const Stand& s) {
    for (int32_t v : {s.ticks, s.leven, s.punten, s.kogels, s.levend})
        Teken(uit, v);
    Reeel(uit, s.x);
    Reeel(uit, s.y);
}

void SchrijfEinde(std::string& uit, const Eindstand& e) {
    Getal(uit, static_cast<uint8_t>(e.afloop));
    for (int32_t v : {e.punten, e.leven, e.maxleven, e.ticks, e.kogels, e.levend})
        Teken(uit, v);
    Teken(uit, e.honderdsten);
}

void SchrijfOpname(std::string& uit, const Opname& o) {
    Getal(uit, o.naam.size());
    uit += o.naam;
    Getal(uit, o.hash);
    Getal(uit, o.moeilijkheid);
    Getal(uit, o.tutorial);
    Teken(uit, o.toevalstaat);
    Getal(uit, o.toevalzaad);
    uit.append(reinterpret_cast<const char*>(&o.level), sizeof o.level);
    Getal(uit, o.frames.size());
    for (const Frame& f : o.frames) {
        Getal(uit, Vlaggen(f.opdracht));
        Teken(uit, f.opdracht.aimX);
        Teken(uit, f.opdracht.aimY);
        SchrijfStand(uit, f.stand);
    }
    Getal(uit, o.lezingen.size());
    int64_t vorige = 0; // readings grow slowly: their steps are short
    for (int64_t l : o.lezingen) {
        Teken(uit, static_cast<int64_t>(static_cast<uint64_t>(l) - static_cast<uint64_t>(vorige)));
        vorige = l;
    }
    Getal(uit, o.menukeuzes.size());
    for (uint8_t k : o.menukeuzes)
        Getal(uit, k);
    SchrijfEinde(uit, o.einde);
}

// ---- reading: every read bounded, the first fault kept -------------------------

struct Lezer {
    std::string_view tekst;
    std::size_t pos = 0;
    std::string fout;

    bool Fout(const std::string& wat) {
        if (fout.empty()) fout = wat + " at byte " + std::to_string(pos);
        return false;
    }
    uint64_t Getal(uint64_t max) {
        uint64_t v = 0;
        for (int shift = 0; fout.empty(); shift += 7) {
            if (pos >= tekst.size()) return Fout("truncated"), 0;
            if (shift > 63) return Fout("damaged number"), 0;
            const uint8_t b = static_cast<uint8_t>(tekst[pos++]);
            v |= uint64_t(b & 0x7F) << shift;
            if (!(b & 0x80)) break;
        }
        if (v > max) return Fout("damaged value"), 0;
        return fout.empty() ? v : 0;
    }
    int64_t Teken() {
        const uint64_t z = Getal(UINT64_MAX);
        return static_cast<int64_t>(z >> 1) ^ -static_cast<int64_t>(z & 1);
    }
    int32_t Teken32() {
        const int64_t v = Teken();
        if (v < INT32_MIN || v > INT32_MAX) return Fout("damaged value"), 0;
        return static_cast<int32_t>(v);
    }
    float Reeel() { return std::bit_cast<float>(static_cast<uint32_t>(Getal(UINT32_MAX))); }
    std::string_view Bytes(std::size_t n) {
        if (tekst.size() - pos < n) return Fout("truncated"), std::string_view{};
        const std::string_view b = tekst.substr(pos, n);
        pos += n;
        return b;
    }
    // A count of records of at least `grootte` bytes each: never more than the rest holds.
    std::size_t Aantal(std::size_t grootte) {
        const uint64_t n = Getal(UINT64_MAX);
        if (n > (tekst.size() - pos) / grootte) return Fout("truncated"), 0;
        return static_cast<std::size_t>(n);
    }
};

// The byte of a bool or an enumeration holds one of its values.
struct Bytegrens {
    std::size_t plek;
    uint8_t max;
};
constexpr std::size_t WAPEN = offsetof(Object, wapens);
constexpr Bytegrens OBJECTGRENZEN[] = {
    {offsetof(Object, levend), 1},
    {offsetof(Object, armoraan), 1},
    {offsetof(Object, soort), uint8_t(soortSR::leventot)},
    {offsetof(Object, soortbeweging), uint8_t(bewegingssoort::type5)},
    {offsetof(Object, death), uint8_t(doodsoort::explosiontris)},
    {WAPEN + offsetof(Wapen, actief), 1},
    {WAPEN + offsetof(Wapen, inteligentie), uint8_t(Inteligentie::lukraak)},
};

bool Binnengrenzen(std::string_view b, std::size_t basis, const Bytegrens& g) {
    return static_cast<uint8_t>(b[basis + g.plek]) <= g.max;
}

bool GeldigLevel(std::string_view b) {
    if (static_cast<uint8_t>(b[offsetof(Level, Got_bonus)]) > 1) return false;
    for (std::size_t i = 0; i <= OBJECT_MAX; ++i)
        for (const Bytegrens& g : OBJECTGRENZEN)
            if (!Binnengrenzen(b, offsetof(Level, objecten) + i * sizeof(Object), g)) return false;
    for (std::size_t i = 0; i <= GESCHUT_MAX; ++i)
        if (!Binnengrenzen(b, offsetof(Level, geschut) + i * sizeof(Objectkogel),
                           {offsetof(Objectkogel, leven), 1}))
            return false;
    return true;
}

constexpr uint64_t LAATSTE_ACTIE = uint64_t(next_action::resume);

Stand LeesStand(Lezer& l) {
    Stand s{};
    for (int32_t* v : {&s.ticks, &s.leven, &s.punten, &s.kogels, &s.levend})
        *v = l.Teken32();
    s.x = l.Reeel();
    s.y = l.Reeel();
    return s;
}

Eindstand LeesEinde(Lezer& l) {
    Eindstand e{};
    e.afloop = static_cast<next_action>(l.Getal(LAATSTE_ACTIE));
    for (int32_t* v : {&e.punten, &e.leven, &e.maxleven, &e.ticks, &e.kogels, &e.levend})
        *v = l.Teken32();
    e.honderdsten = l.Teken();
    return e;
}

bool LeesOpname(Lezer& l, Opname& o) {
    const std::string_view naam = l.Bytes(l.Getal(MAX_NAAM));
    o.naam.assign(naam);
    o.hash = l.Getal(UINT64_MAX);
    o.moeilijkheid = static_cast<uint32_t>(l.Getal(4));
    o.tutorial = l.Getal(1) != 0;
    o.toevalstaat = l.Teken32();
    if (o.toevalstaat < 0 || o.toevalstaat >= 100000) l.Fout("damaged random state");
    o.toevalzaad = static_cast<uint32_t>(l.Getal(UINT32_MAX));
    const std::string_view level = l.Bytes(sizeof(Level));
    if (!l.fout.empty()) return false;
    if (!GeldigLevel(level)) return l.Fout("damaged level record");
    std::memcpy(&o.level, level.data(), sizeof(Level));
    o.frames.resize(l.Aantal(10)); // ten numbers of a byte at least
    for (Frame& f : o.frames) {
        const auto vlaggen = static_cast<uint16_t>(l.Getal(0x3FF));
        const int32_t x = l.Teken32();
        const int32_t y = l.Teken32();
        f.opdracht = UitVlaggen(vlaggen, x, y);
        f.stand = LeesStand(l);
    }
    o.lezingen.resize(l.Aantal(1));
    int64_t vorige = 0;
    for (int64_t& v : o.lezingen)
        vorige = v =
            static_cast<int64_t>(static_cast<uint64_t>(vorige) + static_cast<uint64_t>(l.Teken()));
    o.menukeuzes.resize(l.Aantal(1));
    for (uint8_t& k : o.menukeuzes)
        k = static_cast<uint8_t>(l.Getal(LAATSTE_ACTIE));
    o.einde = LeesEinde(l);
    return l.fout.empty();
}

} // namespace

std::string Tekst(const std::vector<Opname>& opnames) {
    std::string uit(MAGIC);
    Getal(uit, VERSION);
    Getal(uit, sizeof(Level));
    Getal(uit, opnames.size());
    for (const Opname& o : opnames)
        SchrijfOpname(uit, o);
    return uit;
}

bool Lees(const std::string& bestand, std::string_view tekst, std::vector<Opname>& opnames,
          std::string& fout) {
    opnames.clear();
    fout.clear();
    if (!tekst.starts_with(MAGIC)) {
        fout = bestand + ": not a Kolvemar-Trovix demo";
        return false;
    }
    Lezer l{tekst, MAGIC.size(), {}};
    const uint64_t versie = l.Getal(UINT16_MAX);
    if (l.fout.empty() && versie != VERSION) {
        fout = bestand + ": a demo of version " + std::to_string(versie) +
               "; this game plays version " + std::to_string(VERSION);
        return false;
    }
    if (l.Getal(UINT32_MAX) != sizeof(Level)) l.Fout("a level record of another size");
    opnames.resize(l.Aantal(sizeof(Level)));
    for (Opname& o : opnames)
        if (!LeesOpname(l, o)) break;
    if (l.fout.empty() && l.pos != tekst.size()) l.Fout("bytes after the last level");
    if (l.fout.empty()) return true;
    opnames.clear();
    fout = bestand + ": damaged demo (" + l.fout + ")";
    return false;
}

} // namespace Demo
