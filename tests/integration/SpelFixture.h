// Shared by the game-loop tests and the frame benchmark: a data folder with
// generated pictures, one window for the process, a fake clock that also
// feeds scripted input to the window thread, and small levels built in code.
#pragma once

#include <SDL.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "../support/SdlInput.h"
#include "Kolvemar_Animations.h"
#include "Kolvemar_Constanten_en_Types.h"
#include "Kolvemar_spel.h"
#include "StandardLib.h"
#include "Time.h"
#include "Wimdows.h"

namespace spelproef {

namespace K = Kolvemar_Constanten_en_Types;

// ---- Pictures -------------------------------------------------------------

// A 24-bit BMP whose pixel (x, y) is kleur(x, y) as 0x00RRGGBB.
template <class F> void SchrijfBmp(const std::string& pad, int w, int h, F kleur) {
    std::filesystem::create_directories(std::filesystem::path(pad).parent_path());
    const int rij = (w * 3 + 3) & ~3;
    const uint32_t data = static_cast<uint32_t>(rij * h);
    std::vector<uint8_t> b(54 + data, 0);
    auto put32 = [&](int at, uint32_t v) { std::memcpy(&b[at], &v, 4); };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, 54 + data);
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(w));
    put32(22, static_cast<uint32_t>(h));
    b[26] = 1;
    b[28] = 24;
    put32(34, data);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t c = kleur(x, y);
            uint8_t* p = &b[54 + (h - 1 - y) * rij + x * 3];
            p[0] = c & 0xFF;
            p[1] = (c >> 8) & 0xFF;
            p[2] = (c >> 16) & 0xFF;
        }
    std::ofstream(pad, std::ios::binary).write(reinterpret_cast<char*>(b.data()), b.size());
}

// A picture and its mask: a disc of colour kleur with a darker ring pattern.
inline void SchrijfFiguur(const std::string& stam, int zijde, uint32_t kleur) {
    const float r = zijde / 2.0f;
    auto binnen = [=](int x, int y) {
        const float dx = x + 0.5f - r, dy = y + 0.5f - r;
        return dx * dx + dy * dy < r * r;
    };
    SchrijfBmp(stam + ".bmp", zijde, zijde, [=](int x, int y) {
        return ((x / 6 + y / 6) % 2) ? kleur : (kleur >> 1) & 0x7F7F7F;
    });
    SchrijfBmp(stam + "_mask.bmp", zijde, zijde,
               [=](int x, int y) { return binnen(x, y) ? 0xFFFFFFu : 0u; });
}

// The pause screen, also the in-game menu's background: one plain colour.
constexpr uint32_t PAUZEKLEUR = 0x602060; // reads the same as RGB and as BGR

// Every picture the game loop draws, at the size it is loaded, in folder map.
inline void MaakBeelden(const std::string& map, int S) {
    const std::string im = map + "/images/";
    SchrijfBmp(im + "achtergrond.bmp", S, S,
               [](int x, int y) { return ((x / 50 + y / 50) % 2) ? 0x3A5F3Au : 0x4F7A4Fu; });
    SchrijfBmp(im + "ijzerenkanten.bmp", S, S,
               [](int x, int y) { return ((x ^ y) & 8) ? 0x707070u : 0x909090u; });
    SchrijfBmp(im + "deurtje.bmp", 60, 95,
               [](int x, int y) { return (x < 4 || x > 55 || y < 4) ? 0x4A2A10u : 0x8B5A2Bu; });
    SchrijfBmp(im + "Backgrounds/pauze.bmp", S, S, [](int, int) { return PAUZEKLEUR; });
    // The intro's pictures, loaded at start-up though no level test shows them.
    for (const char* b : {"wit", "fire3", "fire4", "fire5", "fire6", "fire_en_tekst"})
        SchrijfBmp(im + "Backgrounds/" + b + ".bmp", 8, 8, [](int, int) { return 0x404040u; });
    for (int i = 1; i <= 6; ++i)
        SchrijfBmp(im + "Tamsel_images/tekeningen-Tamsel" + std::to_string(i) + ".bmp", 8, 8,
                   [](int, int) { return 0x404040u; });
    SchrijfFiguur(im + "wolk", 100, 0xE0E0F0);
    SchrijfFiguur(im + "explosie", 100, 0xFF8000);
    for (int k = 1; k <= 36; ++k)
        SchrijfFiguur(im + "monsters/monsters" + std::to_string(k), 60,
                      0x200000u * (k % 8) + 0x2000u * (k % 5) + 0x40u * (k % 4) + 0x101010u);
    SchrijfFiguur(im + "armor", 30, 0x3060C0);
    SchrijfFiguur(im + "leven", 30, 0xC03030);
    SchrijfFiguur(im + "leven2", 30, 0xC030C0);
    const char* robot[] = {"boven", "rechtsboven", "rechts", "rechtsonder",
                           "onder", "linksonder",  "links",  "linksboven"};
    for (int i = 0; i < 8; ++i)
        SchrijfFiguur(im + "robot/" + robot[i], i % 2 ? 65 : 60, 0x2040A0u + 0x100000u * i);
}

// ---- The process-wide setup -------------------------------------------------

constexpr int S = 400;

// Written into the data folder, where the modules' start-up reads them.
inline void Constanten(const std::string& map, int zijde) {
    std::ofstream(map + "/Constanten.txt", std::ios::binary)
        << "3\r\n2\r\n5.0\r\n100000\r\n"
        << zijde << "\r\n60\r\n20\r\n25\r\n25\r\n4\r\n90.0\r\n";
    K::LeesConstanten(map + "/Constanten.txt");
}

// Folder, constants, pictures and window, once per process; the tests use a
// window of S pixels, the benchmark one of the game's usual size.
inline void Opstarten(int zijde = S) {
    static bool gedaan = false;
    if (gedaan && Wimdows::State() == Wimdows::STATE_ACTIVE) return;
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (!gedaan) {
        static const std::string map =
            (std::filesystem::temp_directory_path() / ("kolvemar_spel_" + std::to_string(getpid())))
                .string();
        std::atexit([] { std::filesystem::remove_all(map); });
        MaakBeelden(map, zijde);
        std::filesystem::create_directories(map + "/levels");
        Constanten(map, zijde);
        std::filesystem::current_path(map);
        StandardLib::Init();
        Kolvemar_Animations::Init();
        Kolvemar_spel::Init();
    }
    gedaan = true;
    Wimdows::Window("Kolvemar-Trovix", static_cast<uint32_t>(zijde), static_cast<uint32_t>(zijde));
    Wimdows::SetBuffering(true);
}

// ---- Scripted input ---------------------------------------------------------

enum class Soort { toets_neer, toets_op, muis, knop_neer, knop_op, sluiten, actie };

struct Invoer {
    K::INTEGER tick; // in place when the frame with this level time reads its input
    Soort soort;
    int32_t a = 0, b = 0;                // key code, or mouse position
    std::function<void()> doe = nullptr; // any other input (a game controller)
};

inline SDL_Keycode Sleutel(uint32_t vk) {
    switch (vk) {
    case 37:
        return SDLK_LEFT;
    case 38:
        return SDLK_UP;
    case 39:
        return SDLK_RIGHT;
    case 40:
        return SDLK_DOWN;
    default:
        return static_cast<SDL_Keycode>(SDLK_a + (vk - 'A'));
    }
}

inline void Stuur(const Invoer& in) {
    switch (in.soort) {
    case Soort::toets_neer:
    case Soort::toets_op:
        SdlInput::Key(Sleutel(static_cast<uint32_t>(in.a)), in.soort == Soort::toets_neer);
        break;
    case Soort::muis:
        SdlInput::Move(in.a, in.b);
        break;
    case Soort::knop_neer:
    case Soort::knop_op:
        SdlInput::Button(in.a, in.b, in.soort == Soort::knop_neer);
        break;
    case Soort::sluiten:
        SdlInput::Close();
        break;
    case Soort::actie:
        in.doe();
        break;
    }
    Wimdows::Sync(); // the window thread has turned it into state
}

// The fake clock: one hundredth per reading, starting 10:00 on 10 January.
// Each reading also hands the script's input for the next frame to the window.
struct Klok {
    uint64_t honderdsten = 0;
    const K::Level* level = nullptr;
    std::vector<Invoer> script;
    std::size_t volgende = 0;
    uint64_t noodstop = 0; // a runaway level is quit at this reading
    bool gestopt = false;
    std::function<void(const K::Level&)> waarnemer; // looks on at every reading
};

inline Klok& klok() {
    static Klok k;
    return k;
}

inline Time::DateTime LeesKlok() {
    Klok& k = klok();
    static bool bezig = false;
    if (k.level && !bezig) {
        bezig = true;
        while (k.volgende < k.script.size() && k.script[k.volgende].tick <= k.level->time + 1)
            Stuur(k.script[k.volgende++]);
        if (k.honderdsten == k.noodstop) {
            k.gestopt = true;
            Stuur({0, Soort::toets_neer, 'Q'});
        }
        if (k.waarnemer) k.waarnemer(*k.level);
        bezig = false;
    }
    const uint64_t h = k.honderdsten++;
    Time::DateTime t{};
    t.year = 2026;
    t.month = 1;
    t.day = 10 + static_cast<uint32_t>(h / 8640000);
    t.hour = 10 + static_cast<uint32_t>(h / 360000 % 24);
    t.minute = static_cast<uint32_t>(h / 6000 % 60);
    t.second = static_cast<uint32_t>(h / 100 % 60);
    t.fractions = static_cast<uint32_t>(h % 100);
    return t;
}

// Releases every key and the button so the next level starts clean.
inline void LosLaten() {
    for (uint32_t vk :
         {37u, 38u, 39u, 40u, uint32_t('D'), uint32_t('E'), uint32_t('F'), uint32_t('K'),
          uint32_t('M'), uint32_t('N'), uint32_t('P'), uint32_t('Q'), uint32_t('S')})
        if (Wimdows::KeyDown(vk)) Stuur({0, Soort::toets_op, static_cast<int32_t>(vk)});
    if (Wimdows::MouseLeft()) Stuur({0, Soort::knop_op});
    Wimdows::FlushKeys();
}

// Plays the level through spel with the script; input for the level's first
// tick (and the one after it, which shares the level-start animation) is given
// before the level starts.
inline K::next_action Speel(K::Level& level, std::vector<Invoer> script,
                            std::function<void(const K::Level&)> waarnemer = {}) {
    LosLaten();
    Klok& k = klok();
    k = Klok{};
    k.script = std::move(script);
    k.waarnemer = std::move(waarnemer);
    k.noodstop = 2000000;
    Time::SetClockSource(LeesKlok);
    k.level = &level;
    const K::next_action a = Kolvemar_spel::spel(level);
    k.level = nullptr;
    Time::SetClockSource(nullptr);
    LosLaten();
    return a;
}

// The back buffer of the test window, row by row.
inline std::vector<uint32_t> Scherm() {
    std::vector<uint32_t> px;
    px.reserve(std::size_t(S) * S);
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x)
            px.push_back(Wimdows::GetPixel(x, y));
    return px;
}

// ---- Levels -------------------------------------------------------------------

// A walled arena with only the player in the middle, no bonus left to draw.
inline K::Level LeegLevel() {
    K::Level l{};
    l.margerechts = l.margerelinks = l.margeboven = l.margeonder = 20.0f;
    l.time = 1000;
    l.vordering = 2;
    l.aantalobjecten = 61;
    std::strcpy(l.locatieachtergrond, "images\\achtergrond.bmp");
    l.Got_bonus = true;
    K::Object& p = l.objecten[0];
    p.levend = true;
    p.soort = K::soortSR::speler;
    p.levenspuntentot = p.levenspuntentotbegin = 100;
    p.x = 200.0f;
    p.y = 200.0f;
    p.grootte = 20;
    p.wapens.soortkogel = K::Kogel{10, 20.0f};
    return l;
}

inline K::Object& Monster(K::Level& l, int i, float x, float y, K::INTEGER leven = 40) {
    K::Object& m = l.objecten[i];
    m.levend = true;
    m.soort = K::soortSR::monster;
    m.levenspuntentot = m.levenspuntentotbegin = leven;
    m.x = x;
    m.y = y;
    m.grootte = 15;
    m.tekennummer = static_cast<K::CARDINAL>(i % 36);
    return m;
}

} // namespace spelproef
