#include "Demo.h"

#include <chrono>
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

constexpr std::size_t MAX_DEMOBESTAND = 256u << 20;
constexpr uint32_t VK_ESCAPE = 0x1B;

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
