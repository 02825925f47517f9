// Every screen outside a running level: start menu, in-game menu, difficulty
// selector, save and load screens, high scores, result sheet and credits.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Kolvemar_Constanten_en_Types.h"
#include "Taal.h"

namespace Kolvemar_Menu {

// Flags shared with the game loop and the driver.
extern bool autosave;                   // write the autosave slot when a level is left
extern bool tutorial;                   // a tutorial is being played
extern uint32_t difficultyLevel;        // 0 (lazy) to 4 (extreem)
extern uint32_t Gameover, Gameovermask; // the game-over picture, drawn by the game loop

void Init();
// The in-game menu; resume sends the player back into the level. Save
// writes `level` as given: the game as it stands when the menu opened.
Kolvemar_Constanten_en_Types::next_action
Kolvemar_ingamemenu(const Kolvemar_Constanten_en_Types::Level& level);
void MemoryClearMenu();

// The start menu: startup, startup_tutorial or afsluiten.
Kolvemar_Constanten_en_Types::next_action Kolvemar_menu();
// The difficulty selector, changing `level` in place (0 to 4).
void Select(uint32_t& level);
// Speaks `code` from now on ("nl", "en", "de" or "fr"), remembers it in the
// settings file and loads every picture again in it.
void NieuweTaal(std::string_view code);
// The level file the next startup reads: the first level or the save slot chosen last.
std::string Getstartlevel();
// The first level (1 unless the command line names another), which the start
// menu sets back on every visit.
void SetStartLevel(uint32_t nummer);

// Save slots 1 to 4 of the running level, and the choice of slot 1 to 5.
// An empty or damaged slot cannot be chosen; Loadgame is FALSE when only such
// slots were chosen, so that the running game goes on, and TRUE otherwise
// (the game restarts from startlevel).
void Savegame(const Kolvemar_Constanten_en_Types::Level& level);
bool Loadgame();
// The path of save slot `slot` (1 to 5).
std::string SlotFile(uint32_t slot);

// What a save slot holds, for the line beside its button.
struct SlotInhoud {
    bool bruikbaar;    // the level reader takes the file
    std::string regel; // "level 4 · 7-12 15:42" (when it was written), "leeg" or "beschadigd"
};
SlotInhoud LeesSlot(uint32_t slot);

void Hiscore();
// `bewaard` is FALSE when the high-score table could not be written; the
// sheet then says that the rank was not kept.
void resultfiche(uint32_t hiscore, int32_t punten, int32_t leven, int32_t leventot,
                 int32_t kogelcounter, SYSTEMTIME bijhoudentijd, uint32_t vordering,
                 bool bewaard = true);
void Credits();
// The controls screen: every action with its keys and controller button, to
// be bound anew one by one or from a preset; kept in the settings file.
void Besturing();

// Draws `getal` (its last five digits, no leading zeros) with the red digit
// pictures, `marge` pixels apart.
void Draw_Card_from_images(uint32_t getal, int32_t x, int32_t y, int32_t marge);

// What the screens draw, as data.
struct MaskPlaatje {
    uint32_t rood; // index in the score pictures of the red fill
    uint32_t vorm; // index of the digit or label used as its mask
    int32_t x, y;
};
struct TekstRegel {
    std::string tekst;
    int32_t x, y;
};
std::vector<MaskPlaatje> CijferPlaatjes(uint32_t getal, int32_t x, int32_t y, int32_t marge);
std::vector<MaskPlaatje>
HiscorePlaatjes(const std::array<Kolvemar_Constanten_en_Types::Score, 10>& scores);
std::vector<TekstRegel> ResultTeksten(uint32_t hiscore, int32_t punten, int32_t leven,
                                      int32_t leventot, int32_t kogelcounter,
                                      const SYSTEMTIME& bijhoudentijd, uint32_t vordering,
                                      uint32_t difficulty, bool bewaard = true);
inline constexpr const char* SCORE_NIET_BEWAARD = Taal::Nl("Uw score kon niet bewaard worden.");
// The slot lines beside the buttons and, when `Activate`, the confirmation.
std::vector<TekstRegel> SlotTeksten(const std::vector<SlotInhoud>& sloten, bool Activate,
                                    const std::string& tekst, int32_t y_tekst);

} // namespace Kolvemar_Menu
