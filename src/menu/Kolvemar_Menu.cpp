#include "Kolvemar_Menu.h"

#include <algorithm>
#include <iostream>
#include <optional>
#include <span>
#include <utility>

#include "Kolvemar_MenuInternal.h"
#include "Kolvemar_spel.h"
#include "LevelCreator.h"
#include "Settings.h"
#include "StandardLib.h"
#include "StandardMenu.h"
#include "Taal.h"
#include "Time.h"
#include "Wimdows.h"

namespace Kolvemar_Menu {

using namespace Kolvemar_Constanten_en_Types;
using StandardMenu::ButtonRc;
using StandardMenu::GEEN_KEUZE;

bool autosave = true;
bool tutorial = false;
uint32_t difficultyLevel = 2;
uint32_t Gameover = 0, Gameovermask = 0;

namespace Internal {
uint32_t background[AANTAL_ACHTERGRONDEN];
uint32_t scoresimages[AANTAL_SCORESIMAGES];
ButtonRc explainations[1];
ButtonRc SaveMenu[5];
ButtonRc LoadMenu[6];
std::string startlevel = "levels\\level1.txt";
} // namespace Internal

using namespace Internal;

namespace {

std::string eersteLevel = "levels\\level1.txt";
constexpr const char* ACHTERGROND_BESTAND[AANTAL_ACHTERGRONDEN] = {
    "images\\Backgrounds\\robotachtergrond.bmp", "images\\Backgrounds\\pauze.bmp",
    "images\\Backgrounds\\sterrenhemel2.bmp", "images\\Backgrounds\\wit.bmp",
    "images\\Backgrounds\\gameover.bmp"};

struct Plaatje {
    const char* bestand;
    uint32_t w, h;
};
// scoresimages[10] to [26]; the red fill is loaded once per size it is used at.
constexpr Plaatje LABELS[] = {
    {"images\\nummers\\rood.bmp", 20, 28},      {"images\\nummers\\slash.bmp", 20, 28},
    {"images\\nummers\\).bmp", 20, 28},         {"images\\nummers\\h.bmp", 20, 28},
    {"images\\nummers\\min.bmp", 44, 28},       {"images\\nummers\\sec.bmp", 44, 28},
    {"images\\nummers\\rood.bmp", 44, 28},      {"images\\nummers\\zondag.bmp", 120, 28},
    {"images\\nummers\\maandag.bmp", 120, 28},  {"images\\nummers\\dinsdag.bmp", 120, 28},
    {"images\\nummers\\woensdag.bmp", 120, 28}, {"images\\nummers\\donderdag.bmp", 120, 28},
    {"images\\nummers\\vrijdag.bmp", 120, 28},  {"images\\nummers\\zaterdag.bmp", 120, 28},
    {"images\\nummers\\rood.bmp", 120, 28},     {"images\\nummers\\highscores.bmp", 180, 42},
    {"images\\nummers\\rood.bmp", 180, 42}};
static_assert(std::size(LABELS) + 10 == AANTAL_SCORESIMAGES);

bool initialised = false;
uint32_t credits_tekst = 0;

ButtonRc startMenu[7];
ButtonRc startingameMenu1[7];
ButtonRc startingameMenu2[5];
// The difficulty's arrows, back, the language's arrows, smooth motion, controls
// (last, where Up from the first button wraps to).
ButtonRc spinnerMenu[7];
ButtonRc difficulties[5];
ButtonRc talen[Taal::TALEN.size()]; // the language's name, in that language

// The menus are built on their first visit and kept: rebuilding them on every
// visit would load every picture again and grow the picture table.
// The language selector's row, above the difficulty's.
constexpr int32_t TAAL_Y = 100;

bool startMenuGebouwd = false, ingameMenuGebouwd = false, subMenusGebouwd = false,
     selectorGebouwd = false;

ButtonRc MenuButton(const char* stam) {
    const std::string naam = std::string("images\\") + stam;
    return StandardMenu::CreateButton(200, 50, Taal::Plaatje(naam + "0.bmp").c_str(),
                                      Taal::Plaatje(naam + "1.bmp").c_str());
}

ButtonRc BackButton() {
    return StandardMenu::CreateMaskedButton(200, 100, Taal::Plaatje("images/back0.bmp").c_str(),
                                            Taal::Plaatje("images/back1.bmp").c_str(),
                                            Taal::Plaatje("images/back_mask.bmp").c_str());
}

ButtonRc Placed(ButtonRc button, int32_t x0, int32_t y0) {
    button.x0 = x0;
    button.y0 = y0;
    return button;
}

void LoadStartMenu() {
    if (startMenuGebouwd) return;
    startMenuGebouwd = true;
    const char* stammen[] = {"Start", "Tutorial", "Load", "Hiscore", "Settings", "Credits", "Quit"};
    for (std::size_t i = 0; i < std::size(stammen); ++i)
        startMenu[i] = MenuButton(stammen[i]);
    StandardMenu::SetVerticalMenu(300, 70, 100, startMenu);
}

// The in-game menu's column, with Hulp beside Verder: next to it in the
// focus's order, and Afsluiten stays the last, where Up from Verder wraps.
constexpr std::size_t HULP = 1;
void PlaceIngameMenu(std::span<ButtonRc> menu) {
    int32_t y = 100;
    for (std::size_t i = 0; i < menu.size(); ++i) {
        const bool hulp = i == HULP;
        menu[i] = Placed(menu[i], hulp ? 540 : 300, hulp ? 100 : y);
        if (!hulp) y += 100;
    }
}

void LoadingameMenu() {
    if (ingameMenuGebouwd) return;
    ingameMenuGebouwd = true;
    const char* normaal[] = {"Resume", "Help", "Save", "Load", "Settings", "Menu", "Quit"};
    const char* oefenen[] = {"Resume", "Help", "Settings", "Menu", "Quit"};
    for (std::size_t i = 0; i < std::size(normaal); ++i)
        startingameMenu1[i] = MenuButton(normaal[i]);
    for (std::size_t i = 0; i < std::size(oefenen); ++i)
        startingameMenu2[i] = MenuButton(oefenen[i]);
    PlaceIngameMenu(startingameMenu1);
    PlaceIngameMenu(startingameMenu2);
}

ButtonRc SlotButton(const std::string& stam) {
    return StandardMenu::CreateButton(200, 50, Taal::Plaatje("images/" + stam + "0.bmp").c_str(),
                                      Taal::Plaatje("images/" + stam + "1.bmp").c_str());
}

void LoadDifficultySelector() {
    if (selectorGebouwd) return;
    selectorGebouwd = true;
    spinnerMenu[0] =
        Placed(StandardMenu::CreateMaskedButton(25, 100, "images/down.bmp", "images/down1.bmp",
                                                "images/down_mask.bmp"),
               250, 250);
    spinnerMenu[1] = Placed(StandardMenu::CreateMaskedButton(
                                25, 100, "images/up.bmp", "images/up1.bmp", "images/up_mask.bmp"),
                            575, 250);
    spinnerMenu[2] = Placed(BackButton(), 325, 350);
    spinnerMenu[3] = Placed(spinnerMenu[0], 250, TAAL_Y);
    spinnerMenu[4] = Placed(spinnerMenu[1], 575, TAAL_Y);
    spinnerMenu[5] = VloeiendRegel();
    spinnerMenu[6] = Placed(MenuButton("Controls"), 300, 500);
    for (std::size_t i = 0; i < Taal::TALEN.size(); ++i) {
        const std::string stam = std::string("images/taal_") + Taal::TALEN[i];
        talen[i] = Placed(StandardMenu::CreateField(300, 100, (stam + ".bmp").c_str(),
                                                    (stam + "_mask.bmp").c_str()),
                          275, TAAL_Y);
    }
    const char* namen[] = {"lazy", "easy", "medium", "hard", "extreme"};
    for (std::size_t i = 0; i < std::size(namen); ++i) {
        const std::string stam = std::string("images/") + namen[i];
        difficulties[i] =
            Placed(StandardMenu::CreateField(300, 100, Taal::Plaatje(stam + ".bmp").c_str(),
                                             Taal::Plaatje(stam + "_mask.bmp").c_str()),
                   275, 250);
    }
}

// Frees the pictures of buttons[vanaf..] and empties the whole menu.
void Release(std::span<ButtonRc> buttons, std::size_t vanaf = 0) {
    for (std::size_t i = vanaf; i < buttons.size(); ++i)
        StandardMenu::DestroyButton(buttons[i]);
    std::fill(buttons.begin(), buttons.end(), ButtonRc{});
}

void ReleaseMenus() {
    Release(startMenu);
    Release(startingameMenu1);
    Release(startingameMenu2);
    Release(LoadMenu, 4); // slots 1 to 4 share SaveMenu's pictures
    Release(SaveMenu);
    Release(explainations);
    // The language's arrows share the difficulty's pictures.
    std::fill(std::begin(spinnerMenu) + 3, std::begin(spinnerMenu) + 5, ButtonRc{});
    Release(spinnerMenu);
    Release(difficulties);
    Release(talen);
    startMenuGebouwd = ingameMenuGebouwd = subMenusGebouwd = selectorGebouwd = false;
}

// The pictures of every screen, those with words in the language spoken now.
void LoadPictures() {
    const uint32_t S = schermgrootte;
    for (int i = 0; i < AANTAL_ACHTERGRONDEN; ++i)
        background[i] = Wimdows::LoadBitmap(Taal::Plaatje(ACHTERGROND_BESTAND[i]).c_str(), S, S);
    for (uint32_t d = 0; d < 10; ++d) {
        locatie bitmap, mask;
        LevelCreator::Bitmaps_arrays("images\\nummers\\", d, bitmap, mask);
        scoresimages[d] = Wimdows::LoadBitmap(bitmap, 20, 28);
    }
    for (std::size_t i = 0; i < std::size(LABELS); ++i)
        scoresimages[10 + i] =
            Wimdows::LoadBitmap(Taal::Plaatje(LABELS[i].bestand).c_str(), LABELS[i].w, LABELS[i].h);
    Gameover = Wimdows::LoadBitmap(Taal::Plaatje("images\\gameover.bmp").c_str(), 400, 120);
    Gameovermask =
        Wimdows::LoadBitmap(Taal::Plaatje("images\\gameover_mask.bmp").c_str(), 400, 120);
}

void ReleasePictures() {
    for (uint32_t& b : background)
        Wimdows::DestroyBitmap(std::exchange(b, 0u));
    for (uint32_t& b : scoresimages)
        Wimdows::DestroyBitmap(std::exchange(b, 0u));
    Wimdows::DestroyBitmap(std::exchange(Gameover, 0u));
    Wimdows::DestroyBitmap(std::exchange(Gameovermask, 0u));
}

std::size_t TaalIndex() {
    const std::string code = Taal::Code();
    for (std::size_t i = 0; i < Taal::TALEN.size(); ++i)
        if (code == Taal::TALEN[i]) return i;
    return 0;
}

void DrawMenuScreen(Achtergrond welke) {
    Wimdows::ClearScreen();
    DrawBackground(welke);
    Wimdows::SetFont(1, MENU_KLEUR);
    Wimdows::UpdateWindow();
}

// A sub-screen's choice: either a result for the menu to return, or stay.
using Keuze = std::optional<next_action>;

Keuze TutorialKeuze(int32_t select) {
    switch (select) {
    case 0:
        return next_action::resume;
    case HULP:
        Kolvemar_spel::Hulp();
        return std::nullopt;
    case 2:
        Select(difficultyLevel);
        return std::nullopt;
    case 3:
        return next_action::menu;
    case 4:
    case GEEN_KEUZE:
        return next_action::afsluiten;
    default:
        WrongButton();
        return std::nullopt;
    }
}

Keuze NormaleKeuze(int32_t select, const Level& level, next_action& start_play) {
    switch (select) {
    case 0:
        return start_play;
    case HULP:
        Kolvemar_spel::Hulp();
        return std::nullopt;
    case 2:
        Savegame(level);
        return std::nullopt;
    case 3:
        // Only a usable slot replaces the running game.
        if (Loadgame()) start_play = next_action::startup;
        return std::nullopt;
    case 4:
        Select(difficultyLevel);
        return std::nullopt;
    case 5:
        return next_action::einde;
    case 6:
    case GEEN_KEUZE:
        return next_action::afsluiten;
    default:
        WrongButton();
        return std::nullopt;
    }
}

} // namespace

void Internal::LoadSubMenus() {
    if (subMenusGebouwd) return;
    subMenusGebouwd = true;
    for (int k = 0; k < 4; ++k) {
        SaveMenu[k] = SlotButton("save" + std::to_string(k + 1));
        LoadMenu[k] = SaveMenu[k]; // the same pictures
    }
    SaveMenu[4] = SlotButton("back2");
    LoadMenu[4] = SlotButton("save5");
    LoadMenu[5] = SlotButton("back2");
    StandardMenu::SetVerticalMenu(300, 100, 100, SaveMenu);
    StandardMenu::SetVerticalMenu(300, 100, 100, LoadMenu);
    explainations[0] = BackButton();
    StandardMenu::SetVerticalMenu(600, 700, 1, explainations);
}

void Internal::DrawBackground(Achtergrond welke) {
    Wimdows::DrawBitmap(background[welke], 0, 0);
}

void Internal::WrongButton(const char* tekst) {
    std::cout << tekst << std::endl;
}

void Init() {
    StandardMenu::TakeClicks(); // for this window, from the first frame of the first menu
    if (initialised) return;
    initialised = true;
    Kolvemar_Constanten_en_Types::Init();
    LoadPictures();
}

void NieuweTaal(std::string_view code) {
    Taal::Zet(code);
    Settings::Values v = Settings::Current();
    v.language = Taal::Code();
    Settings::Store(v); // a failure is told on the console; the choice holds for this run
    if (!initialised) return;
    // Every picture is loaded again in the new language, and the menus that
    // were built are built again in it, in the same places.
    const bool start = startMenuGebouwd, ingame = ingameMenuGebouwd, sub = subMenusGebouwd,
               selector = selectorGebouwd;
    ReleaseMenus();
    ReleasePictures();
    LoadPictures();
    if (start) LoadStartMenu();
    if (ingame) LoadingameMenu();
    if (sub) LoadSubMenus();
    if (selector) LoadDifficultySelector();
}

next_action Kolvemar_menu() {
    startlevel = eersteLevel;
    tutorial = false;
    LoadStartMenu();
    LoadSubMenus();
    LoadDifficultySelector();
    difficultyLevel = 2;
    // Esc first shows Afsluiten, then chooses it.
    StandardMenu::Focus focus{.terug = 6, .eerstTonen = true};
    for (;;) {
        DrawMenuScreen(ROBOT);
        switch (StandardMenu::MenuSelection(startMenu, focus)) {
        case 0:
            return next_action::startup;
        case 1:
            tutorial = true;
            return next_action::startup_tutorial;
        case 2:
            Loadgame();
            break;
        case 3:
            Hiscore();
            break;
        case 4:
            Select(difficultyLevel);
            break;
        case 5:
            Credits();
            break;
        case 6:
        case GEEN_KEUZE:
            return next_action::afsluiten;
        default:
            WrongButton();
        }
    }
}

next_action Kolvemar_ingamemenu(const Level& level) {
    Wimdows::SetBuffering(true);
    LoadingameMenu();
    LoadSubMenus();
    LoadDifficultySelector();
    next_action start_play = next_action::resume;
    StandardMenu::Focus focus{.terug = 0, .menuToets = true}; // Esc or M resumes
    for (;;) {
        DrawMenuScreen(PAUZE);
        const Keuze keuze =
            tutorial ? TutorialKeuze(StandardMenu::MenuSelection(startingameMenu2, focus))
                     : NormaleKeuze(StandardMenu::MenuSelection(startingameMenu1, focus), level,
                                    start_play);
        if (keuze) return *keuze;
    }
}

void Select(uint32_t& level) {
    LoadDifficultySelector();
    level = std::min(level, MAX_DIFFICULTY);
    const ButtonRc& veld = difficulties[0];
    const uint32_t w = static_cast<uint32_t>(veld.width), h = static_cast<uint32_t>(veld.height);
    const uint32_t diffbg = Wimdows::CreateBitmap(w, h);
    Wimdows::CopyBitmap(background[WIT_ACHTERGROND], diffbg, veld.x0, veld.y0, 0, 0, w, h);
    DrawBackground(WIT_ACHTERGROND);
    // Left and Right step as the arrows do.
    StandardMenu::Focus focus{.terug = 2, .links = 0, .rechts = 1};
    const StandardMenu::Erbij lijn = [](const std::vector<bool>& lit) { TekenVloeiend(lit[5]); };
    for (;;) {
        StandardMenu::ClickRc muis{};
        Wimdows::MousePos(muis.x, muis.y);
        const std::size_t taal = TaalIndex();
        Wimdows::DrawBitmap(diffbg, veld.x0, veld.y0);
        StandardMenu::DrawButton(difficulties[level]);
        Wimdows::DrawBitmap(diffbg, talen[taal].x0, talen[taal].y0);
        StandardMenu::DrawButton(talen[taal]);
        TekenVloeiend(StandardMenu::InButton(spinnerMenu[5], muis.x, muis.y));
        Wimdows::UpdateWindow();
        switch (StandardMenu::MenuSelection(spinnerMenu, focus, lijn)) {
        case 0:
            if (level > 0) --level;
            break;
        case 1:
            if (level < MAX_DIFFICULTY) ++level;
            break;
        case 2:
        case GEEN_KEUZE:
            Wimdows::DestroyBitmap(diffbg);
            return;
        case 3:
            if (taal > 0) NieuweTaal(Taal::TALEN[taal - 1]);
            break;
        case 4:
            if (taal + 1 < Taal::TALEN.size()) NieuweTaal(Taal::TALEN[taal + 1]);
            break;
        case 5:
            WisselVloeiend();
            break;
        case 6:
            Besturing();
            DrawBackground(WIT_ACHTERGROND);
            break;
        default:
            WrongButton("error! button undefined!");
        }
    }
}

std::string Getstartlevel() {
    return startlevel;
}

void SetStartLevel(uint32_t nummer) {
    locatie naam{};
    LevelCreator::txtfile_arrays("levels\\level", nummer, naam);
    eersteLevel = startlevel = naam;
}

namespace {

void ScrollCredits() {
    const int32_t S = static_cast<int32_t>(schermgrootte);
    Wimdows::ClearScreen();
    StandardMenu::Focus focus{.terug = 0};
    for (;;) {
        Time::StartIterations();
        for (int32_t y = S; y >= -3 * S; y -= 2) {
            DrawBackground(WIT_ACHTERGROND);
            Wimdows::DrawBitmap(credits_tekst, 0, y);
            const int32_t k = StandardMenu::MenuPass(explainations, focus);
            if (k != StandardMenu::NOG_NIETS) return;
            Wimdows::UpdateWindow();
            Time::IterationDelay(4);
            Time::StartIterations();
        }
        DrawBackground(WIT_ACHTERGROND);
        const int32_t k = StandardMenu::MenuSelection(explainations, focus);
        if (k == 0 || k == GEEN_KEUZE) return;
        WrongButton();
        Wimdows::UpdateWindow();
        Wimdows::ClearScreen();
    }
}

} // namespace

// The tall picture (a screen and more of memory) lives only while the credits run.
void Credits() {
    LoadSubMenus();
    const uint32_t S = schermgrootte;
    credits_tekst = Wimdows::LoadBitmap(Taal::Plaatje("images\\Credits2.bmp").c_str(), S, 3 * S);
    ScrollCredits();
    Wimdows::DestroyBitmap(std::exchange(credits_tekst, 0u));
}

void MemoryClearMenu() {
    ReleaseMenus();
    ReleasePictures();
    initialised = false;
}

} // namespace Kolvemar_Menu
