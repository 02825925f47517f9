// What shows the player how to play: the level's number and the life bar's
// legend in the information bar's free space, the tutorial's hints there too
// (never over the arena), the help with the controls on F1, and the word that
// the tutorial is done.
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "Commands.h"
#include "Kolvemar_Menu.h"
#include "Kolvemar_spel.h"
#include "Kolvemar_spelInternal.h"
#include "Taal.h"
#include "Wimdows.h"

namespace Kolvemar_spel {

using namespace Internal;
using Commands::Action;

namespace {

constexpr uint32_t KLEUR_TEKST = 0xC0C0C0, KLEUR_HINT = 0x80FFFF, KLEUR_PANEEL = 0x202020,
                   KLEUR_RAND = 0xC0C0C0, KLEUR_TITEL = 0x40C0FF;
// The information bar's free space: right of the life bar, left of the points.
constexpr int32_t HINT_X = 250, HINT_Y = 8, HINT_REGEL = 16;
constexpr int32_t NUMMER_Y = 60;
constexpr int32_t PANEEL = 140; // the help's margin on every side

std::string Toetsen(const Commands::Binding& b) {
    std::string t = Commands::KeyLabel(b.keys[0]);
    if (b.keys[1] != Commands::NO_KEY) t += ", " + Commands::KeyLabel(b.keys[1]);
    return t;
}

// The four movement keys of one column: "E S D F".
std::string Richtingen(const Commands::Bindings& b, int kolom) {
    std::string t;
    for (Action a : {Commands::UP, Commands::LEFT, Commands::DOWN, Commands::RIGHT}) {
        if (b[a].keys[kolom] == Commands::NO_KEY) return "";
        t += (t.empty() ? "" : " ") + Commands::KeyLabel(b[a].keys[kolom]);
    }
    return t;
}

std::string Lopen(const Commands::Bindings& b) {
    const std::string eerste = Richtingen(b, 0), tweede = Richtingen(b, 1);
    return tweede.empty() ? eerste : eerste + " / " + tweede;
}

// Any key, click or controller button since the last call.
struct Wachter {
    uint32_t links = Wimdows::LeftPresses();
    Wimdows::PadState pads = Wimdows::Pads();
    bool Iets() {
        uint32_t key = 0;
        bool iets = Wimdows::GetKeyPressed(key) || Wimdows::LeftPresses() != links;
        const Wimdows::PadState nu = Wimdows::Pads();
        for (int p = 0; p < Wimdows::PAD_BUTTONS; ++p)
            iets = iets || nu.presses[p] != pads.presses[p];
        return iets || Wimdows::WindowClosed();
    }
};

void WachtOpIets(int32_t honderdsten) {
    Wimdows::FlushKeys();
    Wachter w;
    const auto einde =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(honderdsten * 10);
    while (!w.Iets() && std::chrono::steady_clock::now() < einde)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    Commands::NextScreen();
}

} // namespace

std::vector<std::string> Aanwijzingen(uint32_t nummer, const Commands::Bindings& b) {
    const std::string menu = Taal::Formaat(Taal::Nl("%s: menu · %s: pauze · F1: hulp"),
                                           Toetsen(b[Commands::MENU]), Toetsen(b[Commands::PAUSE]));
    switch (nummer) {
    case 1:
        return {Taal::Formaat(Taal::Nl("Lopen: %s"), Lopen(b)),
                Taal::Formaat(Taal::Nl("Mik met de muis, vuur met %s"), Toetsen(b[Commands::FIRE])),
                menu};
    case 2:
        return {Taal::Tekst("Pak de pakjes: armor beschermt, harten geven leven"),
                Taal::Formaat(Taal::Nl("Vuur met %s, lopen met %s"), Toetsen(b[Commands::FIRE]),
                              Lopen(b)),
                menu};
    case 3:
        return {Taal::Tekst("Is elk monster dood, dan gaat de deur open"),
                Taal::Tekst("Loop door de deur naar het volgende level"), menu};
    default:
        return {};
    }
}

void TekenAanwijzingen(const Level& level) {
    Wimdows::SetFont(0, KLEUR_TEKST);
    const std::string nummer = std::to_string(level.vordering);
    const std::string titel = Kolvemar_Menu::tutorial
                                  ? Taal::Formaat(Taal::Nl("Tutorial %s"), nummer)
                                  : Taal::Formaat(Taal::Nl("Level %s"), nummer);
    const int32_t rechts = static_cast<int32_t>((2 * int64_t(schermgrootte)) / 3);
    Wimdows::Text(titel.c_str(), rechts, NUMMER_Y);
    Wimdows::Text(Taal::Tekst("paars: leven · blauw: verloren"), 15, 43);
    if (!Kolvemar_Menu::tutorial) return;
    Wimdows::SetFont(0, KLEUR_HINT);
    int32_t y = HINT_Y;
    for (const std::string& regel : Aanwijzingen(level.vordering, Commands::Current())) {
        Wimdows::Text(regel.c_str(), HINT_X, y);
        y += HINT_REGEL;
    }
}

void Hulp() {
    const int32_t S = static_cast<int32_t>(schermgrootte);
    Wimdows::Rectangle(PANEEL, PANEEL, S - PANEEL, S - PANEEL, KLEUR_PANEEL, true);
    Wimdows::Rectangle(PANEEL, PANEEL, S - PANEEL, S - PANEEL, KLEUR_RAND, false);
    Wimdows::SetFont(1, KLEUR_TITEL);
    Wimdows::Text(Taal::Tekst("Besturing"), PANEEL + 30, PANEEL + 25);
    const Commands::Bindings& b = Commands::Current();
    int32_t y = PANEEL + 60;
    for (int a = 0; a < Commands::ACTIONS; ++a, y += 24) {
        Wimdows::SetFont(3, KLEUR_TEKST);
        Wimdows::Text(Commands::ActionLabel(static_cast<Action>(a)), PANEEL + 30, y);
        std::string toetsen = Toetsen(b[a]);
        if (b[a].pad != Commands::NO_PAD) toetsen += " · " + Commands::PadName(b[a].pad);
        Wimdows::Text(toetsen.c_str(), PANEEL + 200, y);
    }
    Wimdows::SetFont(0, KLEUR_TEKST);
    Wimdows::Text(Taal::Tekst("Mik met de muis of de rechter stick."), PANEEL + 30, y + 10);
    Wimdows::Text(Taal::Tekst("Vast: Esc of B menu · F11 volledig scherm · - + 0 volume"),
                  PANEEL + 30, y + 30);
    Wimdows::SetFont(3, KLEUR_TITEL);
    Wimdows::Text(Taal::Tekst("Druk op een toets om verder te spelen."), PANEEL + 30, y + 60);
    Wimdows::UpdateWindow();
    WachtOpIets(60 * 60 * 100);
}

void TutorialKlaar() {
    const int32_t S = static_cast<int32_t>(schermgrootte);
    Wimdows::Rectangle(0, 0, S - 1, S - 1, KLEUR_PANEEL, true);
    Wimdows::SetFont(1, KLEUR_TITEL);
    Wimdows::Text(Taal::Tekst("De tutorial is voltooid!"), S / 4, S / 2 - 30);
    Wimdows::SetFont(3, KLEUR_TEKST);
    Wimdows::Text(Taal::Tekst("Kies Start in het menu voor het echte werk."), S / 4, S / 2);
    Wimdows::UpdateWindow();
    WachtOpIets(500);
}

} // namespace Kolvemar_spel
