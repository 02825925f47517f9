#include "Kolvemar_Animations.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <string>
#include <utility>

#include "Commands.h"
#include "LevelCreator.h"
#include "Music.h"
#include "Taal.h"
#include "Time.h"
#include "Wimdows.h"

namespace Kolvemar_Animations {

namespace {

namespace K = Kolvemar_Constanten_en_Types;

constexpr uint32_t GROEN = 0xFF00;
constexpr uint32_t BALKKLEUR = 0x456816;
constexpr const char* TEKENINGEN = "images\\Tamsel_images\\tekeningen-Tamsel";
constexpr float KWARTPI = 0.785398f;
constexpr float ZESTIENDEPI = 0.1963495f;

constexpr std::array<const char*, 7> ACHTERGRONDEN = {
    "images\\Backgrounds\\wit.bmp",          "images\\Backgrounds\\fire3.bmp",
    "images\\Backgrounds\\fire4.bmp",        "images\\Backgrounds\\fire5.bmp",
    "images\\Backgrounds\\fire6.bmp",        "images\\Backgrounds\\fire_en_tekst.bmp",
    "images\\Backgrounds\\fire_en_tekst.bmp"};

struct RobotBestand {
    const char* beeld;
    const char* mask;
    uint32_t grootte;
};

constexpr std::array<RobotBestand, 8> ROBOTBESTANDEN = {{
    {"images\\robot\\boven.bmp", "images\\robot\\boven_mask.bmp", 60},
    {"images\\robot\\rechtsboven.bmp", "images\\robot\\rechtsboven_mask.bmp", 65},
    {"images\\robot\\rechts.bmp", "images\\robot\\rechts_mask.bmp", 60},
    {"images\\robot\\rechtsonder.bmp", "images\\robot\\rechtsonder_mask.bmp", 65},
    {"images\\robot\\onder.bmp", "images\\robot\\onder_mask.bmp", 60},
    {"images\\robot\\linksonder.bmp", "images\\robot\\linksonder_mask.bmp", 65},
    {"images\\robot\\links.bmp", "images\\robot\\links_mask.bmp", 60},
    {"images\\robot\\linksboven.bmp", "images\\robot\\linksboven_mask.bmp", 65},
}};

bool geladen = false;
// The intro's pictures are loaded when its steps first need them and released
// when it ends: a skipped intro loads hardly any, and none stay for the game.
std::array<uint32_t, 7> Backgrounds{};
std::array<uint32_t, 7> animatie_tekeningen{}; // 1 to 6 used
std::array<bool, 7> achtergrondGeladen{};      // tried, so a missing file is told once
std::array<bool, 7> tekeningGeladen{};
uint32_t muren = 0;
std::array<K::vijanden, 9> robot{}; // 1 to 8 used
bool activation_n = false;          // a skip key or button went down; the skip comes at its release

std::string TekeningNaam(uint32_t i) {
    K::locatie bitmap{};
    K::locatie mask{};
    LevelCreator::Bitmaps_arrays(TEKENINGEN, i, bitmap, mask);
    return bitmap;
}

uint32_t Tekening(uint32_t i) {
    if (!std::exchange(tekeningGeladen[i], true)) {
        const uint32_t s = K::schermgrootte;
        const uint32_t breed = i <= 2 ? s / 2 : s;
        const uint32_t hoog = i <= 2 ? s / 2 : (i <= 5 ? s : 115);
        animatie_tekeningen[i] = Wimdows::LoadBitmap(TekeningNaam(i).c_str(), breed, hoog);
    }
    return animatie_tekeningen[i];
}

// The last two backgrounds are one file: one picture serves both.
uint32_t Achtergrond(std::size_t i) {
    i = std::min<std::size_t>(i, 5);
    if (!std::exchange(achtergrondGeladen[i], true))
        Backgrounds[i] = Wimdows::LoadBitmap(Taal::Plaatje(ACHTERGRONDEN[i]).c_str(),
                                             K::schermgrootte, K::schermgrootte);
    return Backgrounds[i];
}

void LoadRobot() {
    for (std::size_t i = 0; i < ROBOTBESTANDEN.size(); ++i) {
        const RobotBestand& b = ROBOTBESTANDEN[i];
        robot[i + 1].normaal =
            static_cast<int32_t>(Wimdows::LoadBitmap(b.beeld, b.grootte, b.grootte));
        robot[i + 1].mask = static_cast<int32_t>(Wimdows::LoadBitmap(b.mask, b.grootte, b.grootte));
    }
}

// Ends a pass: wait out its time, restart the pacing, ask whether to stop.
bool Wait(int32_t d) {
    Time::IterationDelay(d);
    Time::StartIterations();
    return skip();
}

bool PresentAndWait(int32_t d) {
    Wimdows::UpdateWindow();
    return Wait(d);
}

// Each intro step answers TRUE when the player cut the intro short.
bool Zoom() {
    const std::string tekening2 = TekeningNaam(2);
    // A drawing that failed once is not tried (and reported) 150 times more.
    bool aanwezig = true;
    for (uint32_t s = 4; s <= 600; s += 4) {
        const uint32_t kopie = aanwezig ? Wimdows::LoadBitmap(tekening2.c_str(), s, s) : 0;
        aanwezig = kopie != 0;
        Wimdows::DrawBitmap(kopie, 300, 150);
        Wimdows::DrawBitmap(Tekening(6), 0, 0);
        Wimdows::UpdateWindow();
        Wimdows::DestroyBitmap(kopie);
        if (Wait(4)) return true;
    }
    return false;
}

bool Slide() {
    for (int32_t s = 4; s <= 304; s += 4) {
        Wimdows::DrawBitmap(Achtergrond(0), 0, 0);
        Wimdows::DrawBitmap(Tekening(1), 306 - s, 250);
        Wimdows::DrawBitmap(Tekening(6), 0, 0);
        if (PresentAndWait(4)) return true;
    }
    return false;
}

void DrawTekeningMetMask(uint32_t tekening, int32_t y) {
    Wimdows::DrawMaskBitmap(Tekening(tekening), Tekening(5), 0, y);
}

bool Rise() {
    const int32_t s = static_cast<int32_t>(K::schermgrootte);
    for (int32_t k = 0; k <= s / 8; ++k) {
        Wimdows::DrawBitmap(Achtergrond(0), 0, 0);
        DrawTekeningMetMask(3, s - 8 * k);
        if (PresentAndWait(4)) return true;
    }
    return false;
}

bool Fire() {
    for (uint32_t n = 1; n <= 50; ++n) {
        Wimdows::DrawBitmap(Achtergrond((n / 3) % 4 + 1), 0, 0);
        DrawTekeningMetMask(4, 0);
        if (PresentAndWait(4)) return true;
    }
    return false;
}

bool WaitPasses(int32_t passes, int32_t d) {
    for (int32_t i = 0; i < passes; ++i)
        if (Wait(d)) return true;
    return false;
}

bool Hold() {
    Wimdows::DrawBitmap(Achtergrond(1), 0, 0);
    DrawTekeningMetMask(4, 0);
    Wimdows::UpdateWindow();
    return WaitPasses(5, 10);
}

bool Title() {
    Wimdows::DrawBitmap(Achtergrond(5), 0, 0);
    Wimdows::UpdateWindow();
    return WaitPasses(15, 10);
}

void Fade(uint32_t muziek) {
    for (uint32_t v = 254; v >= 50; --v) {
        Music::SetSoundVolume(muziek, v);
        if (Wait(1)) return;
    }
}

// Toward zero; a position from a damaged level (NaN, huge) stays far off-screen
// instead of overflowing.
int32_t Trunc(float v) {
    constexpr float GRENS = 1 << 30;
    if (std::isnan(v)) return 0;
    return static_cast<int32_t>(std::clamp(v, -GRENS, GRENS));
}

// The walls slide in from the edges, reaching their full thickness at 1.
void DrawWalls(const K::Level& level, float marge_procent) {
    const float s = static_cast<float>(K::schermgrootte);
    const float balk = static_cast<float>(K::grootte_informatiebalk);
    Wimdows::DrawBitmap(muren, Trunc(s - level.margerechts * marge_procent), 0);
    Wimdows::DrawBitmap(muren, -Trunc(s - level.margerelinks * marge_procent), 0);
    Wimdows::DrawBitmap(muren, 0, Trunc(s - level.margeonder * marge_procent));
    Wimdows::DrawBitmap(muren, 0, -Trunc(s - level.margeboven * marge_procent - balk));
}

// The green ring from the star at B back a quarter of pi, with the robot in
// its middle.
void DrawRingPass(const K::Level& level, uint32_t achtergrond, int32_t i, float rotatie) {
    const float x = level.objecten[0].x;
    const float y = level.objecten[0].y;
    const float r = std::sqrt(static_cast<float>(i)) * static_cast<float>(i) / 3.0f;
    const int32_t bx = Trunc(x + r * std::cos(rotatie));
    const int32_t by = Trunc(y + r * std::sin(rotatie));
    const int32_t ax = Trunc(x + r * std::cos(rotatie - KWARTPI));
    const int32_t ay = Trunc(y + r * std::sin(rotatie - KWARTPI));
    Wimdows::DrawBitmap(achtergrond, 0, 0);
    Wimdows::Arc(Trunc(x + r), Trunc(y + r), Trunc(x - r), Trunc(y - r), bx, by, ax, ay, GROEN);
    ster(bx, by, 9);
    if (i >= 100) DrawWalls(level, static_cast<float>(i) / 200.0f);
    Wimdows::Rectangle(0, 0, static_cast<int32_t>(K::schermgrootte),
                       static_cast<int32_t>(K::grootte_informatiebalk), BALKKLEUR, true);
    Wimdows::DrawMaskBitmap(static_cast<uint32_t>(robot[1].normaal),
                            static_cast<uint32_t>(robot[1].mask), Trunc(x) - 30, Trunc(y) - 30);
}

void Release(uint32_t& bitmap) {
    Wimdows::DestroyBitmap(bitmap);
    bitmap = 0;
}

void Release(int32_t& bitmap) {
    Wimdows::DestroyBitmap(static_cast<uint32_t>(bitmap));
    bitmap = 0;
}

void ReleaseIntro() {
    for (uint32_t& t : animatie_tekeningen)
        Release(t);
    for (uint32_t& b : Backgrounds)
        Release(b);
    tekeningGeladen = {};
    achtergrondGeladen = {};
}

} // namespace

void Init() {
    if (geladen) return;
    K::Init();
    geladen = true;
    muren = Wimdows::LoadBitmap("images\\ijzerenkanten.bmp", K::schermgrootte, K::schermgrootte);
    LoadRobot();
}

bool skip() {
    bool antwoord = false;
    uint32_t key = 0;
    // A tap between two checks counts as a press that is already let go.
    const Commands::SkipInput s = Commands::ReadSkip();
    if (s.held) {
        activation_n = true;
    } else if ((activation_n || s.pressed) && !Wimdows::GetKeyPressed(key)) {
        antwoord = true;
        activation_n = false;
    } else if (s.pressed) {
        activation_n = true;
    }
    Wimdows::FlushKeys();
    // The close box or a termination signal ends the animation as Q does.
    return antwoord || Commands::Held(Commands::QUIT) || Wimdows::WindowClosed();
}

void driehoek(int32_t x1, int32_t y1, int32_t g) {
    const int32_t breed = (43 * g) / 100;
    const int32_t x[4] = {x1, x1 + breed, x1 - breed, x1};
    const int32_t y[4] = {y1 + g / 2, y1 - g / 4, y1 - g / 4, y1 + g / 2};
    Wimdows::Polygon(4, x, y, GROEN, true);
}

void ster(int32_t x1, int32_t y1, int32_t g) {
    driehoek(x1, y1, g);
    driehoek(x1, y1, -g);
}

void Startup_Animation() {
    const uint32_t muziek = Music::LoadMusic("muziek/Intro.mp3");
    Music::PlaySound(muziek, false);
    activation_n = false;
    Wimdows::DrawBitmap(Achtergrond(0), 0, 0);
    if (!(Zoom() || Slide() || Rise() || Fire() || Hold() || Title())) Fade(muziek);
    Music::StopSound(muziek);
    Music::UnLoadSound(muziek);
    ReleaseIntro();
}

void Startup_gameAnimation(const K::Level& level) {
    // The name may fill its array without an ending zero.
    const std::string naam(level.locatieachtergrond,
                           strnlen(level.locatieachtergrond, K::LOCATIE_LEN));
    uint32_t achtergrond = Wimdows::LoadBitmap(naam.c_str(), K::schermgrootte, K::schermgrootte);
    activation_n = false;
    float rotatie = 0.0f;
    Time::StartIterations();
    for (int32_t i = 1; i <= 200; ++i) {
        DrawRingPass(level, achtergrond, i, rotatie);
        rotatie += ZESTIENDEPI;
        if (PresentAndWait(1)) break;
    }
    Release(achtergrond);
}

void MemoryClearAnimation() {
    ReleaseIntro();
    Release(muren);
    for (K::vijanden& r : robot) {
        Release(r.normaal);
        Release(r.mask);
    }
    geladen = false;
}

uint32_t Muren() {
    return muren;
}

K::vijanden Robot(uint32_t heading) {
    return heading >= 1 && heading <= 8 ? robot[heading] : K::vijanden{};
}

} // namespace Kolvemar_Animations
