#include "Kolvemar_Constanten_en_Types.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "StandardLib.h"

namespace Kolvemar_Constanten_en_Types {

CARDINAL aantal_levels = 0;
CARDINAL aantal_tutoriallevels = 0;
REAL bewegingssnelheid = 0;
INTEGER maxtime = 0;
CARDINAL schermgrootte = 0;
CARDINAL grootte_informatiebalk = 0;
INTEGER groottespeler = 0;
INTEGER grootteaanvalsgroep1 = 0;
INTEGER grootteaanvalsgroep2 = 0;
INTEGER groottekogels = 0;
REAL grote_exposies = 0;

namespace {

bool initialised = false;

// Room below the information bar for the walls, the player and the exit door.
constexpr CARDINAL MINSTE_SPEELVELD = 200;
// The window layer keeps a window of at most 2^26 pixels, 8192 a side.
constexpr CARDINAL GROOTSTE_VENSTER = 8192;

std::string NextToken(std::FILE* f) {
    std::string token;
    StandardLib::ReadToken(f, token);
    return token;
}

} // namespace

bool LeesConstanten(const std::string& bestand, std::string* reden) {
    std::FILE* fio_constanten = StandardLib::OpenFile(bestand, "rb", reden);
    if (!fio_constanten) return false;
    using namespace StandardLib;
    aantal_levels = TokenToCard(NextToken(fio_constanten));
    aantal_tutoriallevels = TokenToCard(NextToken(fio_constanten));
    bewegingssnelheid = TokenToReal(NextToken(fio_constanten));
    maxtime = TokenToInt(NextToken(fio_constanten));
    schermgrootte = TokenToCard(NextToken(fio_constanten));
    grootte_informatiebalk = TokenToCard(NextToken(fio_constanten));
    groottespeler = TokenToInt(NextToken(fio_constanten));
    grootteaanvalsgroep1 = TokenToInt(NextToken(fio_constanten));
    grootteaanvalsgroep2 = TokenToInt(NextToken(fio_constanten));
    groottekogels = TokenToInt(NextToken(fio_constanten));
    grote_exposies = TokenToReal(NextToken(fio_constanten));
    std::fclose(fio_constanten);
    return true;
}

std::string Schermgrootteprobleem() {
    const uint64_t minst = uint64_t(grootte_informatiebalk) + MINSTE_SPEELVELD;
    const std::string waarde = "\"Constanten.txt\": schermgrootte " + std::to_string(schermgrootte);
    if (schermgrootte > GROOTSTE_VENSTER)
        return waarde + " is larger than a window can be (" + std::to_string(GROOTSTE_VENSTER) +
               " at most)";
    if (schermgrootte < minst)
        return waarde + " leaves no room for the game: the information bar of " +
               std::to_string(grootte_informatiebalk) +
               " pixels, the walls and the arena need a window of " + std::to_string(minst) +
               " or more";
    return {};
}

void Init() {
    if (initialised) return;
    initialised = true;
    std::string reden;
    if (!LeesConstanten("Constanten.txt", &reden)) {
        std::cerr << "Cannot read the constants file \""
                  << StandardLib::PlatformPath("Constanten.txt") << "\" (it " << reden
                  << "); the game cannot start without it." << std::endl;
        std::exit(1);
    }
    // Every picture is loaded at the window's size before the window opens.
    const std::string probleem = Schermgrootteprobleem();
    if (!probleem.empty()) {
        std::cerr << probleem << ".\nCan't create window." << std::endl;
        std::exit(1);
    }
}

} // namespace Kolvemar_Constanten_en_Types
