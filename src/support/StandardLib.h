// Small helpers every module leans on: file paths, the text value rules of
// the game's files, random numbers and the angle of a direction.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

struct SDL_RWops;

namespace StandardLib {

// The game builds names like "levels\level1.txt"; this turns them into real
// paths. Once the game has set its folders, a relative name leads into the
// player's folder (the save slots "levels\save1.txt" to "levels\save5.txt"
// and "Highscores.txt") or else into the data folder; absolute names, and
// every name in the tools, which set no folders, keep their usual meaning.
std::string PlatformPath(const std::string& name);

// True for a name that leads to a file inside the folder it is taken from:
// relative, and no part of it ".." (either slash separates). Names that come
// from a level or a save must be such, so that a shared file cannot make the
// game open any file of the system.
bool StaysInside(const std::string& name);

// True for the names of the files the player's own play writes.
bool IsPlayerFile(const std::string& name);

// The folders PlatformPath leads into; an empty one is the working directory
// (SetFolders("", "") gives the tools' meaning back).
void SetFolders(const std::string& dataFolder, const std::string& playerFolder);
// The folders as set.
std::string DataFolder();
std::string SaveFolder();

// The game's data folder: the working directory when it holds
// "Constanten.txt" (returned as ""), else <prefix>/share/kolvemar-trovix for
// <prefix>/bin/<executable>, else <build>/game for <build>/bin/<executable>.
// "" with a console message when none holds it.
std::string FindDataFolder(const std::string& workingFolder, const std::string& executable);

// SetFolders(FindDataFolder(working directory, this program), PlayerFolder()).
// Without a home folder the game plays without saving (said on the console):
// the player's files then have no path ("") and are never written.
void FindFolders();

// WriteFileAtomic of PlatformPath(name); a player's file first gets its folder
// made, and is written as WritePrivateFile. A folder that cannot be made is reported on the console
// and nothing is written (false): the game plays on without saving.
bool WriteGameFile(const std::string& name, const std::string& content);

// The player's settings folder: $XDG_CONFIG_HOME/kolvemar-trovix when that is
// set, non-empty and absolute, else $HOME/.config/kolvemar-trovix (an unset or
// empty HOME: the password database's home folder; "" when there is none
// either). Not created.
std::string ConfigFolder();

// The player's own files (saves, high scores): $XDG_DATA_HOME/kolvemar-trovix
// by the same rules, else $HOME/.local/share/kolvemar-trovix. Not created.
std::string PlayerFolder();

// mkdir -p with the private mode the XDG rules ask for; 0 or the errno.
int MakeFolders(const std::string& folder);

// A player's file gets its folder made (mkdir -p, private); 0 or the errno.
// Other files need none.
int MakePlayerFolder(const std::string& name);

// OpenRegularFile of PlatformPath(name); game files are opened for reading
// only ("r" or "rb"), every write goes through WriteGameFile.
std::FILE* OpenFile(const std::string& name, const char* mode, std::string* reason = nullptr);

// OpenFile as an SDL stream (closing it closes the file), for the picture and
// sound loaders; on failure `reason` also carries SDL's own.
SDL_RWops* OpenStream(const std::string& name, std::string* reason = nullptr);

// Opens `path` for reading without ever waiting on it: anything but a regular
// file (a FIFO, a device, a folder) is refused, so that no reader hangs on
// what was put in its file's place. nullptr when it cannot be read; `reason`
// then says why ("cannot be opened (No such file or directory)", "is not a
// regular file but a FIFO") and errno holds the open's error (EINVAL or
// EISDIR for a refused kind of file).
std::FILE* OpenRegularFile(const std::string& path, std::string* reason = nullptr);

// Reads the regular file at `path` whole, but at most `limit` + 1 bytes, so
// that a caller sees a file longer than it takes. False, with `reason` and
// errno as OpenRegularFile's, when it cannot be opened or read.
bool ReadRegularFile(const std::string& path, std::size_t limit, std::string& text,
                     std::string* reason = nullptr);

// Runs `update` holding an advisory lock on "<file>.lock" beside the game
// file `name`, so that two games never interleave their read-modify-write of
// one file. A lock that cannot be had (in ten seconds) is reported and the
// update runs anyway: a hung game must not stop this one.
void Locked(const std::string& name, const std::function<void()>& update);

// Replaces the file at `path` by `content` atomically (a temporary file in the
// same folder, flushed to disk, then renamed over it). A replaced regular file
// keeps its mode; a read-only one is not replaced. A link, or anything else
// that is no regular file, is replaced by a fresh file (mode 0644), never
// written through. Temporaries that earlier writes of the same family of
// files ("save1.txt" to "save5.txt") left behind when they were killed are
// removed first, once a minute old. False, with a console message naming the
// reason, on any failure; the old file is then left as it was.
bool WriteFileAtomic(const std::string& path, const std::string& content);

// WriteFileAtomic for the player's own files: a fresh one is private (0600).
bool WritePrivateFile(const std::string& path, const std::string& content);

// Reads one whitespace-separated token (space, tab, CR, LF and code 26
// separate; at most 255 characters). False at the end of the file.
bool ReadToken(std::FILE* f, std::string& token);

// The same rules over text in memory, from text[pos] on; pos ends after the
// separator that ended the token.
bool ReadToken(std::string_view text, std::size_t& pos, std::string& token);

// The position of the first character at or after pos that is not a separator.
std::size_t SkipSeparators(std::string_view text, std::size_t pos);

// True for a whole decimal number as the game's files write them: an optional
// sign, digits with an optional fraction, an optional exponent ("E" or "e").
bool IsDecimalReal(std::string_view token);

// Token conversions; a malformed or out-of-range token yields 0 (false for
// booleans). A REAL must be decimal notation and finite.
uint32_t TokenToCard(const std::string& token);
int32_t TokenToInt(const std::string& token);
float TokenToReal(const std::string& token);
bool TokenToBool(const std::string& token);

// Sets the generators to their start state (seed 94, deterministic mode on).
void Init();

// A number in [min, max] from the selected generator; min > max is reported
// on the console and yields min.
uint32_t RandomCard(uint32_t min, uint32_t max);

// The deterministic generator: advances the seed and returns it (0 to 1012).
uint32_t PseudoRandomCardGenerator();
// Its seed, kept with a demo so that a level replays its numbers.
uint32_t RandomSeed();
void SetRandomSeed(uint32_t seed);

// Angle in radians (-pi/2 to 3pi/2, screen axes) of the direction from
// (x0, y0) to (x1, y1).
float AngleWithXAx_REAL(float x0, float y0, float x1, float y1);

} // namespace StandardLib
