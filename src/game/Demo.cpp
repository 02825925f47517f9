#include "Demo.h"

#include <bit>
#include <chrono>
#include <cstddef>
#include <cstring>
#include <iostream>
#include <sstream>

#include "Kolvemar_Menu.h"
#include "LevelCreator.h"
#include "StandardLib.h"
#include "Time.h"
#include "Wimdows.h"

namespace Demo {

using namespace Kolvemar_Constanten_en_Types;

namespace {

constexpr std::string_view MAGIC = "KTDEMO";
constexpr std::size_t MAX_NAAM = 4096;
constexpr std::size_t MAX_DEMOBESTAND = 256u << 20;
constexpr uint32_t VK_ESCAPE = 0x1B;

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

// ---- recording and playing back -------------------------------------------------

enum class Modus { uit, opnemen, afspelen };

struct Toestand {
    Modus modus = Modus::uit;
    std::string bestand;         // the demo recorded into
    std::vector<Opname> opnames; // recorded so far, or being played
    Opname* opname = nullptr;    // the level now playing
    const Level* level = nullptr;
    const Kolvemar_spel::Speelstaat* staat = nullptr;
    std::size_t frame = 0, lezing = 0, menukeuze = 0;
    std::string verschil; // the first difference of a replay
    bool gestopt = false; // Esc ended the replay
};
Toestand demo;

int32_t Levend(const Level& l) {
    int32_t n = 0;
    for (int i = 1; i <= 50; ++i)
        n += l.objecten[i].levend;
    return n;
}

Stand Standnu() {
    const Level& l = *demo.level;
    const Object& p = demo.staat->player;
    return {l.time, p.levenspuntentot, demo.staat->punten, l.stats_kogels, Levend(l), p.x, p.y};
}

void Verschil(const std::string& wat) {
    if (demo.verschil.empty()) demo.verschil = wat;
}

// The first field in which the replay differs from the recording.
void Vergelijk(std::size_t frame, const Stand& nu, const Stand& was) {
    if (nu == was) return;
    const struct {
        const char* naam;
        double nu, was;
    } velden[] = {{"level ticks", double(nu.ticks), double(was.ticks)},
                  {"life", double(nu.leven), double(was.leven)},
                  {"score", double(nu.punten), double(was.punten)},
                  {"bullets fired", double(nu.kogels), double(was.kogels)},
                  {"monsters alive", double(nu.levend), double(was.levend)},
                  {"player x", double(nu.x), double(was.x)},
                  {"player y", double(nu.y), double(was.y)}};
    for (const auto& v : velden)
        if (v.nu != v.was || (v.nu != v.nu) != (v.was != v.was)) {
            std::ostringstream s;
            s.precision(9);
            s << "frame " << frame << ": " << v.naam << " is " << v.nu << ", recorded " << v.was;
            return Verschil(s.str());
        }
}

Commands::Command Opnamebron() {
    const Commands::Command c = Commands::ReadLive();
    demo.opname->frames.push_back({c, Standnu()});
    return c;
}

Commands::Command Afspeelbron() {
    Commands::Command stop{};
    stop.quit = true;
    const std::size_t n = demo.frame++;
    // Esc, or a controller's B: held now or tapped since the frame before.
    if (demo.gestopt || Commands::ReadMenu().count[Commands::BACK] > 0 ||
        Wimdows::KeyDown(VK_ESCAPE)) {
        demo.gestopt = true;
        return stop;
    }
    if (n >= demo.opname->frames.size()) {
        Verschil("frame " + std::to_string(n + 1) + ": the level goes on after the demo's end");
        return stop;
    }
    const Frame& f = demo.opname->frames[n];
    Vergelijk(n + 1, Standnu(), f.stand);
    return f.opdracht;
}

int64_t Opnamelezing(int64_t v) {
    demo.opname->lezingen.push_back(v);
    return v;
}

int64_t Afspeellezing(int64_t v) {
    if (demo.lezing >= demo.opname->lezingen.size()) {
        Verschil("frame " + std::to_string(demo.frame) + ": a clock reading beyond the demo's");
        return v;
    }
    return demo.opname->lezingen[demo.lezing++];
}

bool Schrijf() {
    return StandardLib::WriteFileAtomic(demo.bestand, Tekst(demo.opnames));
}

// A tutorial's death also goes on to a tutorial level: the same one again.
const char* Afloopwoord(const Eindstand& e) {
    switch (e.afloop) {
    case next_action::next_level:
        return "won";
    case next_action::next_level_tutorial:
        return e.leven > 0 ? "won" : "died";
    case next_action::einde:
        return "died";
    case next_action::menu:
        return "left";
    default:
        return "quit";
    }
}

// The level file is still the one the demo was recorded with. A save slot
// is the player's own and changes with every game: the demo holds its level
// record whole, so a later save never stops the replay.
std::string Levelfout(const std::string& bestand, const Opname& o) {
    if (StandardLib::IsPlayerFile(o.naam)) return {};
    LevelCreator::Tekstbestand f;
    if (!LevelCreator::Openen(o.naam, f)) return bestand + ": " + f.fout;
    if (LevelCreator::Tekstcontrole(f.inhoud) != o.hash)
        return bestand + ": the level file " + o.naam + " has changed since the demo was recorded";
    return {};
}

// A clock for the timedemo: each reading a hundredth later, no waiting.
Time::DateTime Snelleklok() {
    static uint64_t h = 0;
    ++h;
    Time::DateTime t{};
    t.year = 2026;
    t.month = 1;
    t.day = 1 + uint32_t(h / 8640000 % 28);
    t.hour = uint32_t(h / 360000 % 24);
    t.minute = uint32_t(h / 6000 % 60);
    t.second = uint32_t(h / 100 % 60);
    t.fractions = uint32_t(h % 100);
    return t;
}

// Plays one recorded level; its end state, or the first difference, printed.
bool Speel(Opname& o, uint64_t& frames) {
    static Level level;
    level = o.level;
    Kolvemar_Menu::difficultyLevel = o.moeilijkheid;
    Kolvemar_Menu::tutorial = o.tutorial;
    Kolvemar_Menu::autosave = false; // a replay writes no save
    Time::SetRandomState(o.toevalstaat);
    StandardLib::SetRandomSeed(o.toevalzaad);
    demo.opname = &o;
    demo.frame = demo.lezing = demo.menukeuze = 0;
    demo.verschil.clear();
    const next_action afloop = Kolvemar_spel::spel(level);
    frames += demo.frame;
    const Eindstand e = Eindstandvan(level, afloop);
    if (demo.gestopt) {
        std::cout << o.naam << ": stopped with Esc at frame " << demo.frame << std::endl;
        return true;
    }
    std::cout << Regel(o.naam, e) << std::endl;
    if (demo.verschil.empty() && demo.frame < o.frames.size())
        Verschil("frame " + std::to_string(demo.frame) + ": the level ended, the demo goes on to " +
                 std::to_string(o.frames.size()));
    if (demo.verschil.empty() && e != o.einde)
        Verschil("end: " + Regel(o.naam, e) + "; recorded " + Regel(o.naam, o.einde));
    if (demo.verschil.empty()) return true;
    std::cout << o.naam << ": differs from the demo: " << demo.verschil << std::endl;
    return false;
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

void Opnemen(const std::string& bestand) {
    demo = Toestand{};
    demo.modus = bestand.empty() ? Modus::uit : Modus::opnemen;
    demo.bestand = bestand;
}

void Begin(Level& level, const Kolvemar_spel::Speelstaat& staat) {
    demo.level = &level;
    demo.staat = &staat;
    if (demo.modus == Modus::opnemen) {
        const LevelCreator::Herkomst& h = LevelCreator::LaatsteLevel();
        demo.opnames.push_back({h.naam,
                                h.hash,
                                Kolvemar_Menu::difficultyLevel,
                                Kolvemar_Menu::tutorial,
                                Time::RandomState(),
                                StandardLib::RandomSeed(),
                                level,
                                {},
                                {},
                                {},
                                {}});
        demo.opname = &demo.opnames.back();
        Commands::SetSource(Opnamebron);
        Time::SetReadingFilter(Opnamelezing);
    } else if (demo.modus == Modus::afspelen) {
        Commands::SetSource(Afspeelbron);
        Time::SetReadingFilter(Afspeellezing);
    }
}

void Einde(const Level& level, next_action afloop) {
    if (demo.modus == Modus::uit) return;
    Commands::SetSource(nullptr);
    Time::SetReadingFilter(nullptr);
    if (demo.modus == Modus::opnemen) {
        demo.opname->einde = Eindstandvan(level, afloop);
        if (!Schrijf()) std::cout << demo.bestand << ": the demo could not be written" << std::endl;
    }
}

bool Speelt() {
    return demo.modus == Modus::afspelen;
}

next_action Ingamemenu(const Level& stand) {
    if (demo.modus == Modus::afspelen) {
        if (demo.menukeuze < demo.opname->menukeuzes.size())
            return static_cast<next_action>(demo.opname->menukeuzes[demo.menukeuze++]);
        Verschil("frame " + std::to_string(demo.frame) + ": a menu the demo did not open");
        return next_action::afsluiten;
    }
    const next_action a = Kolvemar_Menu::Kolvemar_ingamemenu(stand);
    if (demo.modus == Modus::opnemen) demo.opname->menukeuzes.push_back(static_cast<uint8_t>(a));
    return a;
}

Eindstand Eindstandvan(const Level& l, next_action afloop) {
    const Object& p = l.objecten[0];
    const SYSTEMTIME& t = l.stats_tijd;
    const int64_t seconden = ((int64_t(t.wDay) * 24 + t.wHour) * 60 + t.wMinute) * 60 + t.wSecond;
    return {afloop, l.punten,       p.levenspuntentot, p.levenspuntentotbegin,
            l.time, l.stats_kogels, Levend(l),         seconden * 100 + t.wMilliseconds / 10};
}

std::string Regel(const std::string& naam, const Eindstand& e) {
    std::ostringstream s;
    s << naam << ": " << Afloopwoord(e) << ", score " << e.punten << ", life " << e.leven
      << ", max life " << e.maxleven << ", ticks " << e.ticks << ", bullets " << e.kogels
      << ", monsters alive " << e.levend << ", hundredths " << e.honderdsten;
    return s.str();
}

int Afspelen(const std::string& bestand, bool snel) {
    std::string tekst, reden;
    if (!StandardLib::ReadRegularFile(bestand, MAX_DEMOBESTAND, tekst, &reden)) {
        std::cout << bestand << ": " << reden << std::endl;
        return 1;
    }
    if (tekst.size() > MAX_DEMOBESTAND) {
        std::cout << bestand << ": too large for a demo" << std::endl;
        return 1;
    }
    demo = Toestand{};
    if (!Lees(bestand, tekst, demo.opnames, reden)) {
        std::cout << reden << std::endl;
        return 1;
    }
    for (const Opname& o : demo.opnames)
        if (const std::string fout = Levelfout(bestand, o); !fout.empty()) {
            std::cout << fout << std::endl;
            return 1;
        }
    demo.modus = Modus::afspelen;
    if (snel) Time::SetClockSource(Snelleklok);
    const auto begin = std::chrono::steady_clock::now();
    uint64_t frames = 0;
    bool gelijk = true;
    for (Opname& o : demo.opnames)
        if (!(gelijk = Speel(o, frames)) || demo.gestopt || Wimdows::WindowClosed()) break;
    const double seconden =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    if (snel) Time::SetClockSource(nullptr);
    demo = Toestand{};
    std::ostringstream s;
    s.setf(std::ios::fixed);
    s.precision(3);
    s << frames << " frames, " << seconden << " seconds, ";
    s.precision(1);
    s << (seconden > 0 ? double(frames) / seconden : 0.0) << " fps";
    std::cout << s.str() << std::endl;
    return gelijk ? 0 : 1;
}

} // namespace Demo
