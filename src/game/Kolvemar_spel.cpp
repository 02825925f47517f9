#include "Kolvemar_spel.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <thread>

#include "Commands.h"
#include "Demo.h"
#include "Kolvemar_Animations.h"
#include "Kolvemar_Artificial_movement.h"
#include "Kolvemar_Botsingen.h"
#include "Kolvemar_Menu.h"
#include "Kolvemar_spelInternal.h"
#include "Kolvemar_upgrades_en_controlers.h"
#include "LevelCreator.h"
#include "Music.h"
#include "Settings.h"
#include "StandardLib.h"
#include "Taal.h"
#include "Time.h"
#include "Wimdows.h"

namespace Kolvemar_spel {

using namespace Kolvemar_Constanten_en_Types;
namespace AM = Kolvemar_Artificial_movement;
namespace UC = Kolvemar_upgrades_en_controlers;
using namespace Internal;

namespace Internal {

uint32_t deurtje = 0;
vijanden effects[EFFECTEN]{};
vijanden monsters[TEKENNUMMERS]{};

namespace {

constexpr int32_t GELUIDSVENSTER = 15000; // a timer this far in the past stays silent

// Speeds that steer or aim at random: a negative, NaN or absurd speed would
// give an empty or overflowing range to the random generator and a NaN root.
// The limit is the level reader's, so a record made in memory meets the same rule.
REAL Willekeurigesnelheid(REAL v) {
    if (!(v == v)) return 0.0f;
    return std::min(std::fabs(v), LevelCreator::MAX_RANDOM_SPEED);
}

} // namespace

int32_t Cut(REAL v) {
    if (!(v == v)) return 0;
    const float grens = 2.0e9f;
    return static_cast<int32_t>(std::clamp(v, -grens, grens));
}

int32_t Verzadigd(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

bool Aanzet(INTEGER indicator, INTEGER tijd) {
    return indicator <= tijd && int64_t(tijd) < int64_t(indicator) + GELUIDSVENSTER;
}

INTEGER Later(INTEGER tijd, INTEGER delta) {
    INTEGER t = Verzadigd(int64_t(tijd) + delta);
    UC::Controltime(t);
    return t;
}

float Schermgrootte() {
    return static_cast<float>(schermgrootte);
}

void Willekeurigerichting(REAL snelheid, bool helestappen, REAL& vx, REAL& vy) {
    const REAL s = Willekeurigesnelheid(snelheid);
    const int32_t grens = static_cast<int32_t>(s * 4.0f);
    const int32_t r = Time::RandomNr(-grens, grens);
    vx = helestappen ? static_cast<REAL>(r / 4) : static_cast<REAL>(r) / 4.0f;
    const REAL rest = std::sqrt(std::max(0.0f, s * s - vx * vx));
    vy = StandardLib::RandomCard(0, 1) != 0 ? -rest : rest;
}

} // namespace Internal

namespace {

constexpr int32_t FRAMEDUUR = 3; // hundredths per frame
constexpr float DEURAFSTAND = 22.0f;

locatie str_locatie1{};
locatie str_locatie2{};

uint32_t machinegun = 0;
uint32_t explosionsound = 0;
uint32_t deathsound = 0;
INTEGER tijdsindicator_machinegun = 0;
INTEGER tijdtussengeluid_machinegun = 17;
INTEGER tijdsindicator_explosionsound = 0;
INTEGER tijdtussengeluid_explosionsound = 25;
uint32_t pauze = 0;
bool geladen = false; // the pictures of Init are in the table

void Wacht(int32_t honderdsten, Time::Tussendoor tussendoor = nullptr) {
    Time::IterationDelay(honderdsten, tussendoor);
    Time::StartIterations();
}

// ---- Frames between ticks ------------------------------------------------

constexpr uint32_t MIN_HZ = 24;
constexpr uint32_t MAX_HZ = 360;
constexpr uint32_t ONBEKENDE_HZ = 60;
constexpr float TICK_MS = 10.0f * FRAMEDUUR;

// What the wait between two ticks draws, and since when it waits.
const Level* tussenLevel = nullptr;
const Speelstaat* tussenStaat = nullptr;
std::chrono::steady_clock::time_point tickmoment{};

// One frame at the fraction of the tick passed so far; the next one a
// refresh of the display later.
int32_t Tussenbeeld() {
    const std::chrono::duration<float, std::milli> verstreken =
        std::chrono::steady_clock::now() - tickmoment;
    Tekentussenbeeld(*tussenLevel, *tussenStaat, verstreken.count() / TICK_MS);
    Wimdows::UpdateWindow();
    const uint32_t hz = Wimdows::RefreshRate();
    return static_cast<int32_t>(1000000 / std::clamp(hz ? hz : ONBEKENDE_HZ, MIN_HZ, MAX_HZ));
}

// The pacing wait of a tick; smooth, it draws the frames in between.
void Tickwacht(const Level& level, const Speelstaat& staat, bool vloeiend) {
    if (!vloeiend) return Wacht(FRAMEDUUR);
    tussenLevel = &level;
    tussenStaat = &staat;
    tickmoment = std::chrono::steady_clock::now();
    Wacht(FRAMEDUUR, Tussenbeeld);
    tussenLevel = nullptr;
    tussenStaat = nullptr;
}

vijanden LaadPaar(const char* beeld, const char* mask, uint32_t w, uint32_t h) {
    vijanden v{};
    v.normaal = static_cast<INTEGER>(Wimdows::LoadBitmap(beeld, w, h));
    v.mask = static_cast<INTEGER>(Wimdows::LoadBitmap(mask, w, h));
    return v;
}

void ReleasePaar(vijanden& v) {
    Wimdows::DestroyBitmap(static_cast<uint32_t>(v.normaal));
    Wimdows::DestroyBitmap(static_cast<uint32_t>(v.mask));
    v = vijanden{};
}

// ---- The frame's steps ----------------------------------------------------

bool Gewonnen(Speelstaat& staat) {
    staat.following_action =
        Kolvemar_Menu::tutorial ? next_action::next_level_tutorial : next_action::next_level;
    return false;
}

// The door opens when every monster is dead.
bool Deur(Level& level, Speelstaat& staat) {
    staat.deur = UC::ControlLevel(level);
    if (!staat.deur) return true;
    const float S = Schermgrootte();
    if (AM::Distance_Real(staat.player.x, staat.player.y, S / 2.0f, S - 47.0f) < DEURAFSTAND)
        return Gewonnen(staat);
    return true;
}

// The player's death ends the game, or replays a tutorial level; the loop
// shows the game-over picture.
bool Dood(Level& level, Speelstaat& staat) {
    if (!UC::Controlleven(level)) return true;
    Music::StopSound(machinegun);
    Music::PlaySound(deathsound, false);
    Kolvemar_Menu::autosave = false;
    staat.gameover = true;
    if (Kolvemar_Menu::tutorial) {
        if (level.vordering > 0) --level.vordering;
        staat.following_action = next_action::next_level_tutorial;
    } else {
        staat.following_action = next_action::einde;
    }
    return false;
}

void Wolk(Level& level, Speelstaat& staat, int i) {
    Object& m = level.objecten[i];
    m.death = doodsoort::spawenbis;
    const REAL dx[4] = {10.0f, 10.0f, -10.0f, -10.0f};
    const REAL dy[4] = {10.0f, -10.0f, 10.0f, -10.0f};
    for (int c = 0; c < 4; ++c) {
        Object& kind = level.objecten[i + 1 + c];
        kind.levend = true;
        kind.x = m.x + dx[c];
        kind.y = m.y + dy[c];
    }
    staat.effect[i] = 0;
}

void Ontploffing(Level& level, Speelstaat& staat, int i) {
    Object& m = level.objecten[i];
    m.death = doodsoort::explosionbis;
    if (Aanzet(tijdsindicator_explosionsound, level.time)) {
        Music::PlaySound(explosionsound, false);
        tijdsindicator_explosionsound = Later(level.time, tijdtussengeluid_explosionsound);
    }
    if (!m.armoraan) {
        const INTEGER schade = m.levenspuntentotbegin / 2;
        for (int j = 0; j <= LAATSTE_MONSTER; ++j) {
            Object& o = level.objecten[j];
            if (j != i && AM::Distance_Real(o.x, o.y, m.x, m.y) < grote_exposies)
                o.levenspuntentot = Verzadigd(int64_t(o.levenspuntentot) - schade);
        }
    }
    staat.effect[i] = 3;
}

// The later frames of both animations: each state moves on and shows its frame.
struct Animatiestap {
    doodsoort van, naar;
    uint8_t frame;
};
constexpr Animatiestap VERVOLG[] = {
    {doodsoort::spawenbis, doodsoort::spawentris, 1},
    {doodsoort::spawentris, doodsoort::niets, 2},
    {doodsoort::explosionbis, doodsoort::explosiontris, 4},
    {doodsoort::explosiontris, doodsoort::niets, 5},
};

void VolgendeFrame(Object& m, uint8_t& effect) {
    for (const Animatiestap& s : VERVOLG)
        if (m.death == s.van) {
            m.death = s.naar;
            effect = s.frame;
            return;
        }
}

// Clouds release four monsters, explosions hurt their neighbours.
void Doodsanimaties(Level& level, Speelstaat& staat) {
    for (int i = 1; i <= LAATSTE_MONSTER; ++i) {
        Object& m = level.objecten[i];
        if (!m.levend && m.death == doodsoort::spawen)
            Wolk(level, staat, i);
        else if (!m.levend && m.death == doodsoort::explosion)
            Ontploffing(level, staat, i);
        else
            VolgendeFrame(m, staat.effect[i]);
    }
    // The blast may have reached the player; the working copy must see it, or
    // storing the copy later in the frame would undo the damage.
    staat.player.levenspuntentot = level.objecten[0].levenspuntentot;
}

// A later direction overrides an earlier one: down over up, left over right.
void Spelersnelheid(Object& player, const Commands::Command& c) {
    player.vx = 0.0f;
    player.vy = 0.0f;
    if (c.up) player.vy = -bewegingssnelheid;
    if (c.right) player.vx = bewegingssnelheid;
    if (c.down) player.vy = bewegingssnelheid;
    if (c.left) player.vx = -bewegingssnelheid;
}

// Until the pause key is down (neer) or up, or the window is gone.
void WachtOpP(bool neer) {
    // A closed window must not leave the game paused forever.
    while (Commands::Held(Commands::PAUSE) != neer && !Wimdows::WindowClosed()) {
        Wimdows::FlushKeys();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

// The press that started the pause may still be down: the pause ends only
// at a new press, and that press, held on, does not start another one (the
// level after the pause is a new screen).
void Pauze() {
    Time::StartIterations();
    Wimdows::ClearScreen();
    pauze = Wimdows::LoadBitmap(Taal::Plaatje("images\\Backgrounds\\pauze.bmp").c_str(),
                                schermgrootte, schermgrootte);
    Wimdows::DrawBitmap(pauze, 0, 0);
    Wimdows::UpdateWindow();
    Wacht(10);
    Wimdows::FlushKeys();
    if (!Demo::Speelt()) {
        WachtOpP(false);
        WachtOpP(true);
    }
    Commands::NextScreen();
    Time::StartIterations();
    Wimdows::DestroyBitmap(pauze);
    pauze = 0;
    Wacht(10);
}

// What the level stands at now: the working copies put into the record and
// the playing time up to this moment added.
void Bijwerken(Level& level, Speelstaat& staat) {
    Tellen(staat, false);
    level.objecten[0] = staat.player;
    level.punten = staat.punten;
    speeltijdbijvoegen(level.stats_tijd, staat.speeltijd);
}

// A save from the menu keeps the game as it stands; the record itself goes on
// from the level's start until the level ends. FALSE when the level ends.
bool Ingamemenu(Level& level, Speelstaat& staat) {
    Level stand = level;
    Bijwerken(stand, staat);
    Commands::NextScreen();
    Wimdows::ShowPointer(true);
    const next_action a = Demo::Ingamemenu(stand);
    Tellen(staat, true); // the time in the menu is played time, however long
    Wimdows::ShowPointer(false);
    Commands::NextScreen();
    if (a == next_action::resume) return true;
    staat.following_action = a;
    return false;
}

// What the player asked for this tick. After the menu or a pause the button
// that was read before it no longer fires.
bool Opdrachten(Level& level, Speelstaat& staat) {
    const Commands::Command c = Commands::Read();
    if (c.quit || Wimdows::WindowClosed()) {
        staat.following_action = next_action::afsluiten;
        return false;
    }
    if (c.skip) return Gewonnen(staat);
    Spelersnelheid(staat.player, c);
    staat.mouseposx = c.aimX;
    staat.mouseposy = c.aimY;
    staat.mouseleft = c.fire;
    if (c.menu) {
        if (!Ingamemenu(level, staat)) return false;
        staat.mouseleft = false;
    }
    if (Commands::ReadHelp()) {
        Tellen(staat, false);
        Hulp();
        Tellen(staat, true);
        staat.mouseleft = false;
    }
    if (c.giveUp) staat.player.levenspuntentot = 0;
    if (c.pause) {
        Tellen(staat, false);
        Pauze();
        Tellen(staat, true);
        staat.mouseleft = false;
    }
    Wimdows::FlushKeys();
    return true;
}

// One bullet per frame while the button is held.
void Geweer(Level& level, Speelstaat& staat) {
    const Object& p = staat.player;
    if (!staat.mouseleft) {
        Music::StopSound(machinegun);
        return;
    }
    if (staat.mouseposx == Cut(p.x) && staat.mouseposy == Cut(p.y)) return;
    if (Aanzet(tijdsindicator_machinegun, level.time)) {
        Music::PlaySound(machinegun, true);
        tijdsindicator_machinegun = Later(level.time, tijdtussengeluid_machinegun);
    }
    Objectkogel& k = level.geschut[staat.standaantalkogel];
    AM::shoot(static_cast<REAL>(staat.mouseposx), static_cast<REAL>(staat.mouseposy), p.x, p.y,
              k.vx, k.vy);
    k.soortkogel.vtot = p.wapens.soortkogel.vtot;
    // Difficulty 0 gives one and a half times the damage, 4 half of it.
    const int64_t factor = 6 - int64_t(std::min<uint32_t>(Kolvemar_Menu::difficultyLevel, 6));
    k.soortkogel.dammage = Verzadigd(int64_t(p.wapens.soortkogel.dammage) * factor / 4);
    k.x = p.x;
    k.y = p.y;
    k.fase = 1.0f;
    k.leven = true;
    UC::Controlstandaantalkogel(staat.standaantalkogel, level.geschut);
    level.stats_kogels = Verzadigd(int64_t(level.stats_kogels) + 1);
}

// Back and forth along one axis: beyond a bound the monster turns and takes
// one step back at once.
void Patrouille(Object& m, REAL& positie, REAL& langs, REAL& dwars, REAL laag, REAL hoog) {
    if (positie > hoog || positie < laag) {
        m.vtot = -m.vtot;
        positie = positie + m.vtot;
    }
    langs = m.vtot;
    dwars = 0.0f;
}

void Sturen(const Level& level, const Object& player, Object& m) {
    const float S = Schermgrootte();
    switch (m.soortbeweging) {
    case bewegingssoort::stil:
        break;
    case bewegingssoort::type1: {
        const REAL dx = player.x - m.x;
        const REAL dy = player.y - m.y;
        const REAL d = std::sqrt(dx * dx + dy * dy);
        if (d != 0.0f) {
            m.vx = m.vtot * dx / d;
            m.vy = m.vtot * dy / d;
        }
        break;
    }
    case bewegingssoort::type2:
        Patrouille(m, m.x, m.vx, m.vy, level.margerelinks + 50.0f, S - 50.0f - level.margerechts);
        break;
    case bewegingssoort::type3:
        Patrouille(m, m.y, m.vy, m.vx,
                   level.margeboven + 30.0f + static_cast<float>(grootte_informatiebalk),
                   S - 30.0f - level.margeonder);
        break;
    case bewegingssoort::type4:
        Willekeurigerichting(m.vtot, false, m.vx, m.vy);
        break;
    case bewegingssoort::type5:
        if ((m.vx == 0.0f && m.vy == 0.0f) || level.time % 30 == 0)
            Willekeurigerichting(m.vtot, false, m.vx, m.vy);
        break;
    }
}

// Every living monster steers and moves.
void Monsters(Level& level, const Object& player) {
    for (int i = 1; i <= LAATSTE_MONSTER; ++i) {
        Object& m = level.objecten[i];
        if (!m.levend) continue;
        Sturen(level, player, m);
        m.x = m.x + m.vx;
        m.y = m.y + m.vy;
    }
}

// A diagonal goes at three fifths of the speed along each axis.
void Spelerbeweging(Level& level, Object& player) {
    if (std::fabs(player.vx) == std::fabs(player.vy)) {
        player.vx = player.vx / 5.0f * 3.0f;
        player.vy = player.vy / 5.0f * 3.0f;
    }
    player.x = player.x + player.vx;
    player.y = player.y + player.vy;
    player.vtot = std::sqrt(player.vx * player.vx + player.vy * player.vy);
    level.objecten[0] = player;
}

void Bonus(Level& level) {
    if (level.Got_bonus) return;
    level.Got_bonus = true;
    switch (StandardLib::RandomCard(1, 6)) {
    case 1:
        level.objecten[51].levend = true;
        break;
    case 2:
    case 3:
        level.objecten[52].levend = true;
        break;
    case 4:
        level.objecten[53].levend = true;
        break;
    default:
        break;
    }
}

void Verlaten(Level& level, Speelstaat& staat) {
    Music::StopSound(machinegun);
    Bijwerken(level, staat);
    if (Kolvemar_Menu::tutorial)
        Kolvemar_Menu::autosave = true;
    else if (Kolvemar_Menu::autosave)
        LevelCreator::Schrijflevel("levels\\save5.txt", level);
    else
        Kolvemar_Menu::autosave = true;
    VergeetOndergrond();
    Wimdows::DestroyBitmap(staat.background);
    Music::UnLoadSound(machinegun);
    Music::UnLoadSound(explosionsound);
    Music::UnLoadSound(deathsound);
    machinegun = explosionsound = deathsound = 0;
    Wacht(FRAMEDUUR);
}

} // namespace

void Init() {
    if (geladen) return;
    geladen = true;
    Wimdows::SetBuffering(true);
    deurtje = Wimdows::LoadBitmap("images\\deurtje.bmp", 60, 95);
    for (int i = 0; i < EFFECTEN; ++i) {
        const bool wolk = i < 3;
        const uint32_t zijde = 50u * static_cast<uint32_t>(i % 3 + 1);
        effects[i] =
            LaadPaar(wolk ? "images\\wolk.bmp" : "images\\explosie.bmp",
                     wolk ? "images\\wolk_mask.bmp" : "images\\explosie_mask.bmp", zijde, zijde);
    }
    for (CARDINAL k = 1; k <= 36; ++k) {
        LevelCreator::Bitmaps_arrays("images\\monsters\\monsters", k, str_locatie1, str_locatie2);
        monsters[k - 1] = LaadPaar(str_locatie1, str_locatie2, 60, 60);
    }
    monsters[36] = LaadPaar("images\\armor.bmp", "images\\armor_mask.bmp", 30, 30);
    monsters[37] = LaadPaar("images\\leven.bmp", "images\\leven_mask.bmp", 30, 30);
    monsters[38] = LaadPaar("images\\leven2.bmp", "images\\leven_mask.bmp", 30, 30);
}

void MemoryClearSpel() {
    geladen = false;
    Wimdows::DestroyBitmap(deurtje);
    deurtje = 0;
    for (vijanden& e : effects)
        ReleasePaar(e);
    for (vijanden& m : monsters)
        ReleasePaar(m);
}

Speelstaat Beginstaat(const Level& level) {
    Speelstaat staat{};
    staat.player = level.objecten[0];
    staat.punten = level.punten;
    staat.standaantalkogel = 1;
    staat.klokstand = Time::GameClock();
    staat.following_action = next_action::resume;
    std::fill(std::begin(staat.effect), std::end(staat.effect), GEEN_EFFECT);
    return staat;
}

bool Tickbegin(Level& level, Speelstaat& staat) {
    staat.gameover = false;
    std::fill(std::begin(staat.effect), std::end(staat.effect), GEEN_EFFECT);
    if (!Deur(level, staat) || !Dood(level, staat)) return false;
    Doodsanimaties(level, staat);
    return true;
}

bool Speelstap(Level& level, Speelstaat& staat) {
    Bewaarstand(level, staat);
    Kogelsvooruit(level);
    if (!Opdrachten(level, staat)) return false;
    Geweer(level, staat);
    enemyschoot(level, staat.player, staat.standaantalkogel);
    Monsters(level, staat.player);
    Spelerbeweging(level, staat.player);
    UC::upgrade(level);
    AM::levenafdoenspeler(level.objecten[0].levenspuntentot, level.objecten[0].x,
                          level.objecten[0].y, level.objecten);
    AM::levenafdoen(level.objecten, level.geschut, staat.punten);
    Kolvemar_Botsingen::Botsing(level.objecten, level.margerelinks, level.margerechts,
                                level.margeboven, level.margeonder);
    Kolvemar_Botsingen::Botsinggeschut(level.geschut, level.margerelinks, level.margerechts,
                                       level.margeboven, level.margeonder);
    staat.player = level.objecten[0];
    return true;
}

bool Speelframe(Level& level, Speelstaat& staat) {
    // A game controller's right stick aims around the player.
    Wimdows::AimAround(Cut(staat.player.x), Cut(staat.player.y));
    const bool verder = Tickbegin(level, staat);
    // The door reached ends the level at once; the game-over picture stays a while.
    if (!verder && !staat.gameover) return false;
    Tekenframe(level, staat);
    Wimdows::UpdateWindow();
    if (!verder) {
        Wacht(250);
        return false;
    }
    return Speelstap(level, staat);
}

next_action spel(Level& level) {
    Speelstaat staat{};
    Demo::Begin(level, staat); // before the level's first clock reading
    staat = Beginstaat(level);
    machinegun = Music::LoadSound("muziek/glock22.mp3");
    explosionsound = Music::LoadSound("muziek/explosion.mp3");
    deathsound = Music::LoadSound("muziek/death.mp3");
    tijdsindicator_machinegun = 0;
    tijdtussengeluid_machinegun = 17;
    tijdsindicator_explosionsound = 0;
    tijdtussengeluid_explosionsound = 25;
    Time::StartIterations();
    Kolvemar_Animations::Startup_gameAnimation(level);
    Tellen(staat, true);
    Commands::NextScreen();
    // The path field may be full without its closing zero.
    const std::string achtergrond(level.locatieachtergrond,
                                  strnlen(level.locatieachtergrond, LOCATIE_LEN));
    VergeetOndergrond(); // a picture of the last level's may stand under this one's handle
    staat.background = Wimdows::LoadBitmap(achtergrond.c_str(), schermgrootte, schermgrootte);
    Bonus(level);
    // The cross-hair is the pointer while the level runs.
    Wimdows::ShowPointer(false);
    while (Speelframe(level, staat)) {
        // As it stands now: the in-game menu's settings may have turned it.
        Tickwacht(level, staat, Settings::Current().smooth);
        Tellen(staat, false);
        level.time = Later(level.time, 1);
    }
    Wimdows::ShowPointer(true);
    Commands::NextScreen();
    Verlaten(level, staat);
    Demo::Einde(level, staat.following_action);
    return staat.following_action;
}

} // namespace Kolvemar_spel
