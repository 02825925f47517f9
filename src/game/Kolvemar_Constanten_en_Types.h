// Shared vocabulary of the game: the level record and everything in it, the
// enumerations that classify objects, and the tuning constants.
#pragma once

#include <cstdint>
#include <string>

#include "Time.h"

namespace Kolvemar_Constanten_en_Types {

using INTEGER = int32_t;
using CARDINAL = uint32_t;
using REAL = float;

constexpr int LOCATIE_LEN = 51;
constexpr int NAAMWAPEN_LEN = 31;
constexpr int OBJECT_MAX = 60;   // objecten[0..60]
constexpr int GESCHUT_MAX = 300; // geschut[1..300]

using locatie = char[LOCATIE_LEN];

enum class soortSR : uint8_t { monster, speler, armor, leven, leventot };

enum class bewegingssoort : uint8_t { stil, type1, type2, type3, type4, type5 };

enum class doodsoort : uint8_t {
    niets,
    spawen,
    spawenbis,
    spawentris,
    explosion,
    explosionbis,
    explosiontris
};

enum class Inteligentie : uint8_t {
    horizontaal,
    vertikaal,
    volgens_assen,
    volgens_absissen,
    volgens_assen_en_absissen,
    naar_speler,
    lukraak
};

enum class next_action : uint8_t {
    menu,
    startup,
    next_level,
    startup_tutorial,
    next_level_tutorial,
    einde,
    afsluiten,
    resume
};

struct Kogel {
    INTEGER dammage;
    REAL vtot;
};

struct Wapen {
    bool actief;
    char naamwapen[NAAMWAPEN_LEN];
    INTEGER tijdtussenkogels;
    INTEGER volgendekogeltijd;
    Inteligentie inteligentie;
    Kogel soortkogel;
};

struct Object {
    bool levend;
    bool armoraan;
    soortSR soort;
    INTEGER levenspuntentot;
    INTEGER levenspuntentotbegin;
    bewegingssoort soortbeweging;
    doodsoort death;
    REAL x, y;
    REAL vx, vy;
    REAL vtot;
    INTEGER grootte;
    CARDINAL tekennummer;
    Wapen wapens;
    REAL laatstebotstijd;
};

struct Objectkogel {
    REAL x, y;
    REAL vx, vy;
    REAL fase;
    bool leven;
    Kogel soortkogel;
};

struct BotsingRC {
    CARDINAL bol1, bol2;
    REAL time;
    bool toepasbaar;
};

struct Score {
    CARDINAL punten;
    SYSTEMTIME dag_behaald;
};

struct vijanden {
    INTEGER normaal;
    INTEGER mask;
};

struct Level {
    REAL margerechts;
    REAL margerelinks;
    REAL margeboven;
    REAL margeonder;
    INTEGER time;
    CARDINAL vordering;
    INTEGER punten;
    CARDINAL aantalobjecten;
    locatie locatieachtergrond;
    INTEGER stats_kogels;
    SYSTEMTIME stats_tijd;
    bool Got_bonus;
    Object objecten[OBJECT_MAX + 1];
    Objectkogel geschut[GESCHUT_MAX + 1]; // index 0 unused: slots are 1..300
};

// The eleven tuning constants, in the order of "Constanten.txt".
extern CARDINAL aantal_levels;
extern CARDINAL aantal_tutoriallevels;
extern REAL bewegingssnelheid;
extern INTEGER maxtime;
extern CARDINAL schermgrootte;
extern CARDINAL grootte_informatiebalk;
extern INTEGER groottespeler;
extern INTEGER grootteaanvalsgroep1;
extern INTEGER grootteaanvalsgroep2;
extern INTEGER groottekogels;
extern REAL grote_exposies;

// Reads "Constanten.txt" once; a missing file, or a window size the game
// cannot be played in, ends the program with a message.
void Init();

// Why `schermgrootte` cannot be the window's side (naming the file and the
// value), or empty when it can: it must hold the information bar and an arena
// below it, and SDL must be able to make it.
std::string Schermgrootteprobleem();

// Reads the constants from the named file; false when it cannot be opened or
// is no regular file, with the reason in `reden` when given.
bool LeesConstanten(const std::string& bestand, std::string* reden = nullptr);

} // namespace Kolvemar_Constanten_en_Types
