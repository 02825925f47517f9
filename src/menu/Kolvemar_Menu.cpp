#include "Kolvemar_Menu.h"

#include <algorithm>
#include <iostream>
#include <optional>
#include <span>
#include <utility>

#include "LevelCreator.h"
#include "StandardMenu.h"
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

namespace {

constexpr uint32_t MENU_KLEUR = 0xB0; // red 176
constexpr uint32_t WIT = 0xFFFFFF;
constexpr uint32_t MAX_DIFFICULTY = 4;
constexpr const char* EERSTE_LEVEL = "levels\\level1.txt";
constexpr const char* WRONG_BUTTON = "error! wrong button number!";

enum Achtergrond { ROBOT, PAUZE, STERRENHEMEL, WIT_ACHTERGROND, GAMEOVER, AANTAL_ACHTERGRONDEN };
constexpr const char* ACHTERGROND_BESTAND[AANTAL_ACHTERGRONDEN] = {
    "images\\Backgrounds\\robotachtergrond.bmp", "images\\Backgrounds\\pauze.bmp",
    "images\\Backgrounds\\sterrenhemel2.bmp", "images\\Backgrounds\\wit.bmp",
    "images\\Backgrounds\\gameover.bmp"};

// Indices into scoresimages.
constexpr uint32_t ROOD_CIJFER = 10, SLASH = 11, HAAKJE = 12, UUR = 13, MINUTEN = 14, SECONDEN = 15,
                   ROOD_LABEL = 16, ZONDAG = 17, ROOD_DAG = 24, TITEL = 25, ROOD_TITEL = 26,
                   AANTAL_SCORESIMAGES = 27;

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

constexpr const char* DIFFICULTY_NAAM[MAX_DIFFICULTY + 1] = {"lazy", "easy", "normaal", "hard",
                                                             "extreem"};

bool initialised = false;
std::string startlevel = EERSTE_LEVEL;
uint32_t background[AANTAL_ACHTERGRONDEN];
uint32_t scoresimages[AANTAL_SCORESIMAGES];
uint32_t credits_tekst = 0;

ButtonRc startMenu[7];
ButtonRc startingameMenu1[6];
ButtonRc startingameMenu2[4];
ButtonRc SaveMenu[5];
ButtonRc LoadMenu[6];
ButtonRc explainations[1];
ButtonRc spinnerMenu[5]; // slots 3 and 4 stay empty
ButtonRc difficulties[5];

// The menus are built on their first visit and kept: rebuilding them on every
// visit would load every picture again and grow the picture table.
bool startMenuGebouwd = false, ingameMenuGebouwd = false, subMenusGebouwd = false,
     selectorGebouwd = false;

ButtonRc MenuButton(const char* stam) {
    const std::string naam = std::string("images\\") + stam;
    return StandardMenu::CreateButton(200, 50, (naam + "0.bmp").c_str(), (naam + "1.bmp").c_str());
}

ButtonRc BackButton() {
    return StandardMenu::CreateMaskedButton(200, 100, "images/back0.bmp", "images/back1.bmp",
                                            "images/back_mask.bmp");
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

void LoadingameMenu() {
    if (ingameMenuGebouwd) return;
    ingameMenuGebouwd = true;
    const char* normaal[] = {"Resume", "Save", "Load", "Settings", "Menu", "Quit"};
    const char* oefenen[] = {"Resume", "Settings", "Menu", "Quit"};
    for (std::size_t i = 0; i < std::size(normaal); ++i)
        startingameMenu1[i] = MenuButton(normaal[i]);
    for (std::size_t i = 0; i < std::size(oefenen); ++i)
        startingameMenu2[i] = MenuButton(oefenen[i]);
    StandardMenu::SetVerticalMenu(300, 100, 100, startingameMenu1);
    StandardMenu::SetVerticalMenu(300, 100, 100, startingameMenu2);
}

ButtonRc SlotButton(const std::string& stam) {
    return StandardMenu::CreateButton(200, 50, ("images/" + stam + "0.bmp").c_str(),
                                      ("images/" + stam + "1.bmp").c_str());
}

void LoadSubMenus() {
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
    const char* namen[] = {"lazy", "easy", "medium", "hard", "extreme"};
    for (std::size_t i = 0; i < std::size(namen); ++i) {
        const std::string stam = std::string("images/") + namen[i];
        difficulties[i] = Placed(StandardMenu::CreateField(300, 100, (stam + ".bmp").c_str(),
                                                           (stam + "_mask.bmp").c_str()),
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
    Release(spinnerMenu);
    Release(difficulties);
    startMenuGebouwd = ingameMenuGebouwd = subMenusGebouwd = selectorGebouwd = false;
}

void WrongButton(const char* tekst = WRONG_BUTTON) {
    std::cout << tekst << std::endl;
}

void DrawBackground(Achtergrond welke) {
    Wimdows::DrawBitmap(background[welke], 0, 0);
}

void DrawMenuScreen(Achtergrond welke) {
    Wimdows::ClearScreen();
    DrawBackground(welke);
    Wimdows::SetFont(1, MENU_KLEUR);
    Wimdows::UpdateWindow();
}

void DrawMaskPlaatjes(const std::vector<MaskPlaatje>& plaatjes) {
    for (const MaskPlaatje& p : plaatjes)
        Wimdows::DrawMaskBitmap(scoresimages[p.rood], scoresimages[p.vorm], p.x, p.y);
}

void Add(std::vector<MaskPlaatje>& plaatjes, const std::vector<MaskPlaatje>& meer) {
    plaatjes.insert(plaatjes.end(), meer.begin(), meer.end());
}

// The rows of one rank of the high-score screen.
void AddRank(std::vector<MaskPlaatje>& p, uint32_t i, const Score& e) {
    const int32_t n = static_cast<int32_t>(i);
    const int32_t ya = 60 * n + 35, yb = 60 * n + 20, yc = 60 * n + 50;
    const SYSTEMTIME& t = e.dag_behaald;
    if (i < 10) {
        p.push_back({ROOD_CIJFER, i, 125, ya});
    } else {
        p.push_back({ROOD_CIJFER, 1, 110, 635});
        p.push_back({ROOD_CIJFER, 0, 125, 635});
    }
    p.push_back({ROOD_CIJFER, HAAKJE, 140, ya});
    Add(p, CijferPlaatjes(e.punten, 180, ya, 15));
    if (t.wDayOfWeek <= 6) p.push_back({ROOD_DAG, ZONDAG + t.wDayOfWeek, 360, yb});
    Add(p, CijferPlaatjes(t.wYear, 510, yb, 15));
    p.push_back({ROOD_CIJFER, SLASH, 570, yb});
    Add(p, CijferPlaatjes(t.wMonth, 585, yb, 15));
    p.push_back({ROOD_CIJFER, SLASH, 615, yb});
    Add(p, CijferPlaatjes(t.wDay, 630, yb, 15));
    Add(p, CijferPlaatjes(t.wHour, 430, yc, 15));
    p.push_back({ROOD_CIJFER, UUR, 460, yc});
    Add(p, CijferPlaatjes(t.wMinute, 475, yc, 15));
    p.push_back({ROOD_LABEL, MINUTEN, 505, yc});
    Add(p, CijferPlaatjes(t.wSecond, 550, yc, 15));
    p.push_back({ROOD_LABEL, SECONDEN, 580, yc});
    Add(p, CijferPlaatjes(t.wMilliseconds, 625, yc, 15));
}

std::string RankTekst(uint32_t hiscore) {
    if (hiscore == 1) return "Proficiat u staat op de 1ste plaats!";
    if (hiscore == 11) return "U heeft de high scores niet gehaald.";
    return "Proficiat u staat op de";
}

// A sub-screen's choice: either a result for the menu to return, or stay.
using Keuze = std::optional<next_action>;

Keuze TutorialKeuze(int32_t select) {
    switch (select) {
    case 0:
        return next_action::resume;
    case 1:
        Select(difficultyLevel);
        return std::nullopt;
    case 2:
        return next_action::menu;
    case 3:
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
    case 1:
        Savegame(level);
        return std::nullopt;
    case 2:
        Loadgame();
        start_play = next_action::startup;
        return std::nullopt;
    case 3:
        Select(difficultyLevel);
        return std::nullopt;
    case 4:
        return next_action::einde;
    case 5:
    case GEEN_KEUZE:
        return next_action::afsluiten;
    default:
        WrongButton();
        return std::nullopt;
    }
}

// The confirmation under a slot screen: shown above the chosen slot's button.
void DrawSlotScreen(bool Activate, const char* tekst, int32_t y_tekst) {
    DrawBackground(STERRENHEMEL);
    if (!Activate) return;
    Wimdows::SetFont(0, WIT);
    Wimdows::Text(tekst, 350, y_tekst);
}

} // namespace

void Init() {
    if (initialised) return;
    initialised = true;
    Kolvemar_Constanten_en_Types::Init();
    const uint32_t S = schermgrootte;
    for (int i = 0; i < AANTAL_ACHTERGRONDEN; ++i)
        background[i] = Wimdows::LoadBitmap(ACHTERGROND_BESTAND[i], S, S);
    credits_tekst = Wimdows::LoadBitmap("images\\Credits2.bmp", S, 3 * S);
    for (uint32_t d = 0; d < 10; ++d) {
        locatie bitmap, mask;
        LevelCreator::Bitmaps_arrays("images\\nummers\\", d, bitmap, mask);
        scoresimages[d] = Wimdows::LoadBitmap(bitmap, 20, 28);
    }
    for (std::size_t i = 0; i < std::size(LABELS); ++i)
        scoresimages[10 + i] = Wimdows::LoadBitmap(LABELS[i].bestand, LABELS[i].w, LABELS[i].h);
    Gameover = Wimdows::LoadBitmap("images\\gameover.bmp", 400, 120);
    Gameovermask = Wimdows::LoadBitmap("images\\gameover_mask.bmp", 400, 120);
}

next_action Kolvemar_menu() {
    startlevel = EERSTE_LEVEL;
    tutorial = false;
    LoadStartMenu();
    LoadSubMenus();
    LoadDifficultySelector();
    difficultyLevel = 2;
    for (;;) {
        DrawMenuScreen(ROBOT);
        switch (StandardMenu::MenuSelection(startMenu)) {
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
    for (;;) {
        DrawMenuScreen(PAUZE);
        const Keuze keuze = tutorial ? TutorialKeuze(StandardMenu::MenuSelection(startingameMenu2))
                                     : NormaleKeuze(StandardMenu::MenuSelection(startingameMenu1),
                                                    level, start_play);
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
    for (;;) {
        Wimdows::DrawBitmap(diffbg, veld.x0, veld.y0);
        StandardMenu::DrawButton(difficulties[level]);
        Wimdows::UpdateWindow();
        switch (StandardMenu::MenuSelection(spinnerMenu)) {
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
        default:
            WrongButton("error! button undefined!");
        }
    }
}

std::string Getstartlevel() {
    return startlevel;
}

std::string SlotFile(uint32_t slot) {
    locatie file;
    LevelCreator::txtfile_arrays("levels\\save", slot, file);
    return file;
}

void Savegame(const Level& level) {
    LoadSubMenus();
    Wimdows::ClearScreen();
    bool Activate = false;
    int32_t y_tekst = 75;
    for (;;) {
        DrawSlotScreen(Activate, "Saving complete", y_tekst);
        const int32_t k = StandardMenu::MenuSelection(SaveMenu);
        if (k >= 0 && k <= 3) {
            // Only a write that really happened is confirmed.
            Activate = LevelCreator::Schrijflevel(SlotFile(k + 1).c_str(), level);
            y_tekst = 75 + 100 * k;
        } else if (k == 4 || k == GEEN_KEUZE) {
            return;
        } else {
            WrongButton();
        }
        Wimdows::ClearScreen();
    }
}

void Loadgame() {
    LoadSubMenus();
    Wimdows::ClearScreen();
    bool Activate = false;
    int32_t y_tekst = 75;
    int32_t laatste = -1;
    for (;;) {
        DrawSlotScreen(Activate, "Loading complete", y_tekst);
        autosave = laatste != 4; // loading the autosave must not overwrite it first
        const int32_t k = StandardMenu::MenuSelection(LoadMenu);
        if (k >= 0 && k <= 4) {
            startlevel = SlotFile(k + 1);
            Activate = true;
            y_tekst = 75 + 100 * k;
            laatste = k;
        } else if (k == 5 || k == GEEN_KEUZE) {
            return;
        } else {
            WrongButton();
        }
        Wimdows::ClearScreen();
    }
}

std::vector<MaskPlaatje> CijferPlaatjes(uint32_t getal, int32_t x, int32_t y, int32_t marge) {
    std::vector<MaskPlaatje> plaatjes;
    bool Beduidende_cijfers = false;
    for (uint32_t place : {10000u, 1000u, 100u, 10u, 1u}) {
        const uint32_t cijfer = (getal / place) % 10;
        if (cijfer == 0 && !Beduidende_cijfers) continue;
        plaatjes.push_back({ROOD_CIJFER, cijfer, x, y});
        x += marge;
        Beduidende_cijfers = true;
    }
    if (getal == 0) plaatjes.push_back({ROOD_CIJFER, 0, x, y});
    return plaatjes;
}

void Draw_Card_from_images(uint32_t getal, int32_t x, int32_t y, int32_t marge) {
    DrawMaskPlaatjes(CijferPlaatjes(getal, x, y, marge));
}

std::vector<MaskPlaatje> HiscorePlaatjes(const std::array<Score, 10>& scores) {
    const int32_t midden = static_cast<int32_t>(schermgrootte / 2);
    std::vector<MaskPlaatje> plaatjes{{ROOD_TITEL, TITEL, midden - 90, 10}};
    for (uint32_t i = 1; i <= 10; ++i)
        AddRank(plaatjes, i, scores[i - 1]);
    return plaatjes;
}

void Hiscore() {
    LoadSubMenus();
    LevelCreator::Highscores scores;
    LevelCreator::LeesHigscore(scores);
    const std::vector<MaskPlaatje> plaatjes = HiscorePlaatjes(scores);
    Wimdows::ClearScreen();
    for (;;) {
        DrawBackground(WIT_ACHTERGROND);
        DrawMaskPlaatjes(plaatjes);
        Wimdows::UpdateWindow();
        const int32_t k = StandardMenu::MenuSelection(explainations);
        if (k == 0 || k == GEEN_KEUZE) return;
        WrongButton();
        Wimdows::UpdateWindow();
        Wimdows::ClearScreen();
    }
}

std::vector<TekstRegel> ResultTeksten(uint32_t hiscore, int32_t punten, int32_t leven,
                                      int32_t leventot, int32_t kogelcounter,
                                      const SYSTEMTIME& bijhoudentijd, uint32_t vordering,
                                      uint32_t difficulty) {
    using std::to_string;
    std::vector<TekstRegel> regels{{"Einde van dit spel!", 200, 20},
                                   {"Punten:", 150, 60},
                                   {to_string(punten), 250, 60},
                                   {"High score:", 150, 100},
                                   {RankTekst(hiscore), 250, 100}};
    if (hiscore != 1 && hiscore != 11) {
        regels.push_back({to_string(hiscore), 395, 100});
        regels.push_back({"de plaats", 410, 100});
    }
    const std::vector<TekstRegel> rest{
        {"Level:", 150, 140},
        {to_string(vordering), 250, 140},
        {"Moeilijkheid:", 150, 180},
        {difficulty <= MAX_DIFFICULTY ? DIFFICULTY_NAAM[difficulty] : "", 250, 180},
        {"Leven:", 150, 220},
        {to_string(std::max(leven, 0)), 250, 220},
        {"/", 275, 220},
        {to_string(leventot), 285, 220},
        {"Kogels:", 150, 260},
        {to_string(kogelcounter), 250, 260},
        {"Tijd:", 150, 300},
        {to_string(bijhoudentijd.wHour), 250, 300},
        {"h", 260, 300},
        {to_string(bijhoudentijd.wMinute), 270, 300},
        {"min", 290, 300},
        {to_string(bijhoudentijd.wSecond), 320, 300},
        {"sec", 350, 300},
        {to_string(bijhoudentijd.wMilliseconds), 380, 300},
        {"Einde van het spel", 10, 750}};
    regels.insert(regels.end(), rest.begin(), rest.end());
    return regels;
}

void resultfiche(uint32_t hiscore, int32_t punten, int32_t leven, int32_t leventot,
                 int32_t kogelcounter, SYSTEMTIME bijhoudentijd, uint32_t vordering) {
    LoadSubMenus();
    const std::vector<TekstRegel> regels = ResultTeksten(
        hiscore, punten, leven, leventot, kogelcounter, bijhoudentijd, vordering, difficultyLevel);
    Wimdows::ClearScreen();
    for (;;) {
        DrawBackground(GAMEOVER);
        Wimdows::SetFont(1, MENU_KLEUR);
        for (const TekstRegel& r : regels)
            Wimdows::Text(r.tekst.c_str(), r.x, r.y);
        Wimdows::DrawMaskBitmap(Gameover, Gameovermask, 400, 500);
        const int32_t k = StandardMenu::MenuSelection(explainations);
        if (k == 0 || k == GEEN_KEUZE) return;
        WrongButton();
        Wimdows::UpdateWindow();
    }
}

void Credits() {
    LoadSubMenus();
    const int32_t S = static_cast<int32_t>(schermgrootte);
    Wimdows::ClearScreen();
    for (;;) {
        Time::StartIterations();
        for (int32_t y = S; y >= -3 * S; y -= 2) {
            if (StandardMenu::WindowGone()) return;
            DrawBackground(WIT_ACHTERGROND);
            Wimdows::DrawBitmap(credits_tekst, 0, y);
            StandardMenu::DrawButton(explainations[0]);
            Wimdows::UpdateWindow();
            if (StandardMenu::ButtonSelected(explainations[0])) return;
            Time::IterationDelay(4);
            Time::StartIterations();
        }
        DrawBackground(WIT_ACHTERGROND);
        const int32_t k = StandardMenu::MenuSelection(explainations);
        if (k == 0 || k == GEEN_KEUZE) return;
        WrongButton();
        Wimdows::UpdateWindow();
        Wimdows::ClearScreen();
    }
}

void MemoryClearMenu() {
    ReleaseMenus();
    Wimdows::DestroyBitmap(credits_tekst);
    for (uint32_t& b : background)
        Wimdows::DestroyBitmap(std::exchange(b, 0u));
    for (uint32_t& b : scoresimages)
        Wimdows::DestroyBitmap(std::exchange(b, 0u));
    Wimdows::DestroyBitmap(std::exchange(Gameover, 0u));
    Wimdows::DestroyBitmap(std::exchange(Gameovermask, 0u));
    credits_tekst = 0;
    initialised = false;
}

} // namespace Kolvemar_Menu
