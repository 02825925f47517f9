// The save and load screens: five slot files, each named on screen by its
// level and date, or as empty or damaged.
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <memory>
#include <sys/stat.h>

#include "Kolvemar_Menu.h"
#include "Kolvemar_MenuInternal.h"
#include "LevelCreator.h"
#include "StandardLib.h"
#include "StandardMenu.h"
#include "Taal.h"
#include "Wimdows.h"

namespace Kolvemar_Menu {

using namespace Kolvemar_Constanten_en_Types;
using namespace Internal;
using StandardMenu::GEEN_KEUZE;

namespace {

// The slot lines stand right of the slot buttons (300 to 500), in their middle.
constexpr int32_t SLOT_REGEL_X = 510, SLOT_REGEL_DY = 18;

void DrawSlotScreen(const std::vector<SlotInhoud>& sloten, bool Activate, const std::string& tekst,
                    int32_t y_tekst) {
    DrawBackground(STERRENHEMEL);
    Wimdows::SetFont(0, WIT);
    for (const TekstRegel& r : SlotTeksten(sloten, Activate, tekst, y_tekst))
        Wimdows::Text(r.tekst.c_str(), r.x, r.y);
}

std::vector<SlotInhoud> LeesSloten(uint32_t aantal) {
    std::vector<SlotInhoud> sloten;
    for (uint32_t slot = 1; slot <= aantal; ++slot)
        sloten.push_back(LeesSlot(slot));
    return sloten;
}

std::string SlotRegel(uint32_t vordering, std::time_t geschreven) {
    std::tm t{};
    localtime_r(&geschreven, &t);
    char regel[64];
    // The catalogue keeps only translations with the same placeholders.
    // TRANSLATORS: level, day, month, hour, minute of a save, in this order.
    std::snprintf(regel, sizeof regel, Taal::Tekst("level %u · %d-%d %02d:%02d"), vordering,
                  t.tm_mday, t.tm_mon + 1, t.tm_hour, t.tm_min);
    return regel;
}

} // namespace

std::string SlotFile(uint32_t slot) {
    locatie file;
    LevelCreator::txtfile_arrays("levels\\save", slot, file);
    return file;
}

SlotInhoud LeesSlot(uint32_t slot) {
    const std::string bestand = SlotFile(slot);
    struct stat st {};
    if (::stat(StandardLib::PlatformPath(bestand).c_str(), &st) != 0)
        return {false, Taal::Tekst(errno == ENOENT || errno == ENOTDIR ? "leeg" : "beschadigd")};
    LevelCreator::Tekstbestand f;
    auto level = std::make_unique<Level>();
    if (!LevelCreator::Openen(bestand, f) || !LevelCreator::Leeslevel(f, *level))
        return {false, Taal::Tekst("beschadigd")};
    return {true, SlotRegel(level->vordering, st.st_mtime)};
}

std::vector<TekstRegel> SlotTeksten(const std::vector<SlotInhoud>& sloten, bool Activate,
                                    const std::string& tekst, int32_t y_tekst) {
    std::vector<TekstRegel> regels;
    for (std::size_t k = 0; k < sloten.size(); ++k)
        regels.push_back(
            {sloten[k].regel, SLOT_REGEL_X, 100 + 100 * static_cast<int32_t>(k) + SLOT_REGEL_DY});
    if (Activate) regels.push_back({tekst, 350, y_tekst});
    return regels;
}

void Savegame(const Level& level) {
    LoadSubMenus();
    std::vector<SlotInhoud> sloten = LeesSloten(4);
    Wimdows::ClearScreen();
    bool Activate = false;
    int32_t y_tekst = 75;
    StandardMenu::Focus focus{.terug = 4};
    for (;;) {
        DrawSlotScreen(sloten, Activate, Taal::Tekst("Saving complete"), y_tekst);
        const int32_t k = StandardMenu::MenuSelection(SaveMenu, focus);
        if (k >= 0 && k <= 3) {
            // Only a write that really happened is confirmed.
            Activate = LevelCreator::Schrijflevel(SlotFile(k + 1).c_str(), level);
            sloten[k] = LeesSlot(k + 1);
            y_tekst = 75 + 100 * k;
        } else if (k == 4 || k == GEEN_KEUZE) {
            return;
        } else {
            WrongButton();
        }
        Wimdows::ClearScreen();
    }
}

bool Loadgame() {
    LoadSubMenus();
    const std::vector<SlotInhoud> sloten = LeesSloten(5);
    Wimdows::ClearScreen();
    bool Activate = false;
    std::string tekst;
    int32_t y_tekst = 75;
    int32_t laatste = -1; // the last usable slot chosen
    // A visit that chose only refused slots leaves the flag as it found it, so
    // that it still belongs to the start level it was set for.
    const bool autosave_ervoor = autosave;
    StandardMenu::Focus focus{.terug = 5};
    for (;;) {
        DrawSlotScreen(sloten, Activate, tekst, y_tekst);
        autosave = laatste != 4; // loading the autosave must not overwrite it first
        const int32_t k = StandardMenu::MenuSelection(LoadMenu, focus);
        if (k >= 0 && k <= 4) {
            // An empty or damaged slot is named where the confirmation would stand.
            const bool bruikbaar = sloten[k].bruikbaar;
            tekst = bruikbaar ? Taal::Tekst("Loading complete") : sloten[k].regel;
            if (bruikbaar) {
                startlevel = SlotFile(k + 1);
                laatste = k;
            }
            Activate = true;
            y_tekst = 75 + 100 * k;
        } else if (k == 5 || k == GEEN_KEUZE) {
            // Only refused slots chosen: the running game goes on.
            if (laatste >= 0 || !Activate) return true;
            autosave = autosave_ervoor;
            return false;
        } else {
            WrongButton();
        }
        Wimdows::ClearScreen();
    }
}

} // namespace Kolvemar_Menu
