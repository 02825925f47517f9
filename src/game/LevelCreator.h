// Reads and writes a whole level as text (levels, tutorials and save slots
// share one format), and builds numbered file names.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Kolvemar_Constanten_en_Types.h"

namespace LevelCreator {

using Kolvemar_Constanten_en_Types::CARDINAL;
using Kolvemar_Constanten_en_Types::INTEGER;
using Kolvemar_Constanten_en_Types::Level;
using Kolvemar_Constanten_en_Types::locatie;
using Kolvemar_Constanten_en_Types::REAL;

// A text file read whole and walked by position. Every read is bounded; the
// first fault is kept in `fout` as "FILE:LINE: message" and every later read
// then fails at once, so a reader reads on and checks `fout` at the end.
struct Tekstbestand {
    std::string naam; // the path as opened, for messages
    std::string inhoud;
    std::size_t pos = 0;
    CARDINAL regel = 1;       // the line of `pos`, counting from 1
    CARDINAL waarderegel = 1; // the line of the last value read
    std::string fout;
    std::vector<std::string> waarschuwingen; // "FILE:LINE: warning: ..."
};

// Reads the named file whole (the name goes through PlatformPath). False when
// it cannot be opened or is far larger than any game file; f.fout says why.
bool Openen(const std::string& filename, Tekstbestand& f);

// The same over text already in memory, with a name for the messages.
Tekstbestand UitTekst(const std::string& naam, std::string inhoud);

// Reads one text line into string[0..size-1], zero-filled first. The rest of
// the line of a value read just before (blanks only) is skipped first. CR LF,
// LF and CR all end a line. A line must leave room for the terminating zero:
// a longer one, or none left in the file, is a fault.
bool stringlezer(Tekstbestand& f, char* string, std::size_t size);
template <std::size_t N> bool stringlezer(Tekstbestand& f, char (&string)[N]) {
    return stringlezer(f, string, N);
}

// Names a value in messages ("punten", "objecten[3].soort"); put together
// only when a message needs it, so reading stays cheap.
struct Veldnaam {
    const char* veld;
    const char* rij = nullptr; // the array of `index`, when there is one
    int index = 0;
    Veldnaam(const char* v) : veld(v) {}
    Veldnaam(const char* r, int i, const char* v) : veld(v), rij(r), index(i) {}
};
std::string Naam(const Veldnaam& wat);

// Value readers after the game's text value rules; `wat` names the value in
// messages. A missing or malformed value, or one above `max`, is a fault.
CARDINAL LeesCardinal(Tekstbestand& f, CARDINAL max, Veldnaam wat);
INTEGER LeesInteger(Tekstbestand& f, Veldnaam wat);
REAL LeesReal(Tekstbestand& f, Veldnaam wat);
// Any token is a boolean, true only when "TRUE"; other spellings are warned.
bool LeesBoolean(Tekstbestand& f, Veldnaam wat);

void Waarschuwing(Tekstbestand& f, CARDINAL regel, const std::string& tekst);

// Fills `level` from `f`. On any fault `level` is left as it was and f.fout
// says why. Fields the file does not hold (velocities, collision bookkeeping,
// year, month and weekday of the playing time) keep their values.
// Absurd values that the game could not survive are mended with a warning:
// a negative speed of a randomly steering monster (type4, type5) or of a
// randomly aiming weapon (lukraak) becomes its absolute value, and such speeds
// are capped at MAX_RANDOM_SPEED so that four times them fits in an INTEGER.
// A tekennummer above 45 is kept, with a warning: drawing skips it.
bool Leeslevel(Tekstbestand& f, Level& level);

// Reads the named file; warnings and faults go to the console. False when the
// file is missing or invalid; `level` is then untouched and the caller decides
// (a missing level ends the game, a missing save slot does not).
bool Leeslevel(const std::string& filename, Level& level);

constexpr REAL MAX_RANDOM_SPEED = 1.0e6f;

// Where the last level read by name came from: the name as asked and a hash
// of its text, so that a demo can tell whether the file is still the same.
struct Herkomst {
    std::string naam;
    uint64_t hash = 0;
};
const Herkomst& LaatsteLevel();
uint64_t Tekstcontrole(std::string_view tekst); // 64-bit FNV-1a

// The complete text of a level file, CR LF line ends.
std::string Leveltekst(const Level& level);

// Writes a snapshot of `level`, replacing the file atomically. False, with a
// console message, when the file could not be written; the old file stays.
bool Schrijflevel(const std::string& filename, const Level& level);

// Replaces a file by `inhoud` atomically (a temporary file in the same folder,
// flushed to disk, then renamed over it). False, with a console message, on
// any failure; the old file is then left as it was.
bool SchrijfBestand(const std::string& filename, const std::string& inhoud);

// Appends string2 and its terminating zero to string1 from `index` on and
// leaves `index` at that zero. Never writes past size1: a text that does not
// fit is cut (with a console message) and still ends in a zero.
void Add_StringtoString(CARDINAL& index, char* string1, std::size_t size1, const char* string2);
template <std::size_t N>
void Add_StringtoString(CARDINAL& index, char (&string1)[N], const char* string2) {
    Add_StringtoString(index, string1, N, string2);
}

// file := bronnaam + getal + ".txt"
void txtfile_arrays(const char* bronnaam, CARDINAL getal, locatie& file);

// bitmap := bronnaam + getal + ".bmp"; mask := bronnaam + getal + "_mask.bmp"
void Bitmaps_arrays(const char* bronnaam, CARDINAL getal, locatie& bitmap, locatie& mask);

// --- high scores ---------------------------------------------------------------

// The ten best scores, rank 1 first, kept in "Highscores.txt".
using Highscores = std::array<Kolvemar_Constanten_en_Types::Score, 10>;
inline constexpr const char* HIGHSCORE_BESTAND = "Highscores.txt";

// Reads the table. A missing or damaged file gives ten empty entries and is
// replaced by a valid one (with a console message); FALSE then. A damaged
// file is first kept as it is, renamed to "<file>.damaged".
bool LeesHigscore(Highscores& Scores, const std::string& bestand = HIGHSCORE_BESTAND);
// The table from text already read; FALSE (Scores untouched) with f.fout on a fault.
bool LeesHigscore(Tekstbestand& f, Highscores& Scores);
// The file's complete text: 102 lines, 1,184 bytes, CR LF.
std::string Highscoretekst(const Highscores& Scores);
// Replaces the file atomically; FALSE, with a console message, when it could not.
bool SchrijfHigscore(const Highscores& Scores, const std::string& bestand = HIGHSCORE_BESTAND);
// Enters `nieuwepunten` below every equal or better score and returns its
// rank 1 to 10, or 11 when it did not make the table; the tenth drops out.
CARDINAL InvoegenScore(Highscores& Scores, CARDINAL nieuwepunten, const SYSTEMTIME& nu);
// Reads the table, enters the score stamped with the time now, writes the
// table back (also when nothing changed) and returns the rank. `bewaard`,
// when given, tells whether the table was written.
CARDINAL Higscore(CARDINAL nieuwepunten, const std::string& bestand = HIGHSCORE_BESTAND,
                  bool* bewaard = nullptr);

} // namespace LevelCreator
