// Demos: everything that makes a level replay bit for bit (the level as it
// starts, the file it came from, the difficulty, the random generators'
// state, every tick's commands and every clock reading that enters the
// rules), recorded while playing and played back in the window or as fast as
// the machine goes. The file format is told in docs/demos.md.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Commands.h"
#include "Kolvemar_Constanten_en_Types.h"
#include "Kolvemar_spel.h"

namespace Demo {

inline constexpr uint16_t VERSION = 1;

// What a tick is checked by: a replay that differs names the first field.
struct Stand {
    int32_t ticks, leven, punten, kogels, levend;
    float x, y;
    bool operator==(const Stand&) const = default;
};

struct Frame {
    Commands::Command opdracht;
    Stand stand;
};

// How a level ended, as the statistics files list it.
struct Eindstand {
    Kolvemar_Constanten_en_Types::next_action afloop;
    int32_t punten, leven, maxleven, ticks, kogels, levend;
    int64_t honderdsten; // playing time
    bool operator==(const Eindstand&) const = default;
};

struct Opname {
    std::string naam; // the level file as the game named it
    uint64_t hash;    // of its text
    uint32_t moeilijkheid;
    bool tutorial;
    int32_t toevalstaat;                       // Time::RandomNr's state
    uint32_t toevalzaad;                       // StandardLib's generator's seed
    Kolvemar_Constanten_en_Types::Level level; // as it starts
    std::vector<Frame> frames;
    std::vector<int64_t> lezingen;   // clock readings, in the order the rules took them
    std::vector<uint8_t> menukeuzes; // the in-game menu's answers
    Eindstand einde;
};

// A demo file's whole text from its levels, and back. Lees refuses another
// version, a truncated or damaged text with `fout` naming `bestand`.
std::string Tekst(const std::vector<Opname>& opnames);
bool Lees(const std::string& bestand, std::string_view tekst, std::vector<Opname>& opnames,
          std::string& fout);

// Every level played from now on is recorded into `bestand`, which is
// rewritten as each level ends; an empty name stops recording.
void Opnemen(const std::string& bestand);

// The level loop's seams: as a level starts (before any clock reading of its
// own) and as it has ended.
void Begin(Kolvemar_Constanten_en_Types::Level& level, const Kolvemar_spel::Speelstaat& staat);
void Einde(const Kolvemar_Constanten_en_Types::Level& level,
           Kolvemar_Constanten_en_Types::next_action afloop);
// TRUE while a demo is played back: the pause waits for no key.
bool Speelt();
// The in-game menu, or its recorded answer during a replay.
Kolvemar_Constanten_en_Types::next_action
Ingamemenu(const Kolvemar_Constanten_en_Types::Level& stand);

// The end state in the statistics files' words, one line.
std::string Regel(const std::string& naam, const Eindstand& e);
Eindstand Eindstandvan(const Kolvemar_Constanten_en_Types::Level& level,
                       Kolvemar_Constanten_en_Types::next_action afloop);

// Plays the demo in `bestand` back: at the game's pace, or as fast as it goes
// (`snel`, with a fake clock), then prints each level's end state and the
// figures. 0 when every level went as recorded; 1 with the first frame and
// field that differ, or the reason the demo is refused.
int Afspelen(const std::string& bestand, bool snel);

} // namespace Demo
