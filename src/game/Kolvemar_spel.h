// The in-level game loop and the drawing of a frame.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Commands.h"
#include "Kolvemar_Constanten_en_Types.h"

namespace Kolvemar_spel {

void Init(); // loads the game's pictures; may run before the window exists
// Plays the level to its end; never returns resume.
Kolvemar_Constanten_en_Types::next_action spel(Kolvemar_Constanten_en_Types::Level& level);
void MemoryClearSpel();

// Adds the wall-clock time from begintijd to endtijd to an accumulated playing time.
void tijdverschilbijvoegen(SYSTEMTIME& result, const SYSTEMTIME& begintijd,
                           const SYSTEMTIME& endtijd);
// Adds milliseconds to an accumulated playing time (days, hours, minutes,
// seconds, milliseconds; the days stop at 65535).
void speeltijdbijvoegen(SYSTEMTIME& result, int64_t milliseconden);

// Every armed monster whose time has come fires one bullet.
void enemyschoot(Kolvemar_Constanten_en_Types::Level& level,
                 const Kolvemar_Constanten_en_Types::Object& player,
                 Kolvemar_Constanten_en_Types::CARDINAL& standaantalkogel);

// Where things stood at the start of the tick, for the frames between ticks.
struct Vorigestand {
    Kolvemar_Constanten_en_Types::REAL x[Kolvemar_Constanten_en_Types::OBJECT_MAX + 1];
    Kolvemar_Constanten_en_Types::REAL y[Kolvemar_Constanten_en_Types::OBJECT_MAX + 1];
    bool levend[Kolvemar_Constanten_en_Types::OBJECT_MAX + 1];
    Kolvemar_Constanten_en_Types::Objectkogel
        geschut[Kolvemar_Constanten_en_Types::GESCHUT_MAX + 1];
};

// What one call of spel keeps between the steps of a frame.
struct Speelstaat {
    Kolvemar_Constanten_en_Types::Object player; // working copy of objecten[0]
    Kolvemar_Constanten_en_Types::INTEGER punten;
    Kolvemar_Constanten_en_Types::CARDINAL standaantalkogel; // slot of the next shot, 1..300
    // The level's playing time so far, counted on Time::GameClock up to klokstand.
    int64_t speeltijd;
    int64_t klokstand;
    uint32_t background;
    int32_t mouseposx, mouseposy;
    bool mouseleft;
    Kolvemar_Constanten_en_Types::next_action following_action;
    // What the tick decided that its picture shows: the open door, the
    // game-over picture, and the death-animation frame of each monster
    // (GEEN_EFFECT for none).
    bool deur;
    bool gameover;
    uint8_t effect[Kolvemar_Constanten_en_Types::OBJECT_MAX + 1];
    Vorigestand vorige;
};

constexpr uint8_t GEEN_EFFECT = 0xFF;

// Counts the playing time up to now. A step longer than any wait of a frame
// (a stopped process, a clock that jumps) counts as one frame's length, unless
// `geheel`: the pause and the in-game menu count whole, however long.
void Tellen(Speelstaat& staat, bool geheel);

// The working state as a level starts, without loading or playing anything.
Speelstaat Beginstaat(const Kolvemar_Constanten_en_Types::Level& level);

// One pass of the frame loop up to the pacing wait: the tick's opening, its
// picture, then the tick itself; FALSE when the level ends, with the result
// in staat.following_action.
bool Speelframe(Kolvemar_Constanten_en_Types::Level& level, Speelstaat& staat);

// The tick's opening, after the clock moved on: the door, the player's death
// (the level ends: FALSE) and the death animations, set in staat for the picture.
bool Tickbegin(Kolvemar_Constanten_en_Types::Level& level, Speelstaat& staat);
// The rest of the tick: the bullets move on a phase, then the player's
// commands to the collisions. Draws nothing; FALSE when the level ends.
bool Speelstap(Kolvemar_Constanten_en_Types::Level& level, Speelstaat& staat);

// The picture of the moment the state stands at; reads and changes nothing.
void Tekenframe(const Kolvemar_Constanten_en_Types::Level& level, const Speelstaat& staat);

// Keeps where the player, the objects and the bullets stand (the player from
// staat.player); the step does it first.
void Bewaarstand(const Kolvemar_Constanten_en_Types::Level& level, Speelstaat& staat);
// A frame between the previous tick's picture (fractie 0) and the state's
// own (fractie 1): whatever glided since the previous tick is drawn between
// the two places; what appeared or jumped is drawn where it is now.
void Tekentussenbeeld(const Kolvemar_Constanten_en_Types::Level& level, const Speelstaat& staat,
                      float fractie);

// The frame's drawing steps, in the order the loop calls them.
void Tekenachtergrond(uint32_t background);
// What shows the player how to play, over the frame's information bar: the
// level's number, the life bar's legend and, in the tutorial, its hints.
void TekenAanwijzingen(const Kolvemar_Constanten_en_Types::Level& level);
// The hints of tutorial level `nummer` (1 to 3) with the keys as bound.
std::vector<std::string> Aanwijzingen(uint32_t nummer, const Commands::Bindings& b);
// The controls as bound, over the frame, until a key, click or button.
void Hulp();
// Says that the last tutorial level is done (a few seconds or a key).
void TutorialKlaar();
void Tekendeur();
void Tekeneffect(uint32_t frame, const Kolvemar_Constanten_en_Types::Object& monster); // 0..5
// Walls, information bar, bullets, objects, player, cross-hair and the bar's
// texts; the caller presents.
void Tekenstand(const Kolvemar_Constanten_en_Types::Level& level,
                const Kolvemar_Constanten_en_Types::Object& player,
                Kolvemar_Constanten_en_Types::INTEGER punten);
// Bullets, objects, player, cross-hair and the bar's texts: what moves.
void TekenBeweeglijk(const Kolvemar_Constanten_en_Types::Level& level,
                     const Kolvemar_Constanten_en_Types::Object& player,
                     Kolvemar_Constanten_en_Types::INTEGER punten);
// Frees the picture of what lies under the sprites; a level that ends calls it.
void VergeetOndergrond();
// Every live bullet one phase on, as each tick starts.
void Kogelsvooruit(Kolvemar_Constanten_en_Types::Level& level);
// Tekenstand and then the bullets' next phase: the picture of a tick and the
// first deed of the next one, as the loop does them.
void Tekenarena(Kolvemar_Constanten_en_Types::Level& level,
                const Kolvemar_Constanten_en_Types::Object& player,
                Kolvemar_Constanten_en_Types::INTEGER punten);

} // namespace Kolvemar_spel
