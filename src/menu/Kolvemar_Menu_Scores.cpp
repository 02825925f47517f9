// The high-score screen and the result sheet.
#include <algorithm>

#include "Kolvemar_Menu.h"
#include "Kolvemar_MenuInternal.h"
#include "LevelCreator.h"
#include "Wimdows.h"

namespace Kolvemar_Menu {

using namespace Kolvemar_Constanten_en_Types;
using namespace Internal;
using StandardMenu::GEEN_KEUZE;

namespace {

constexpr const char* DIFFICULTY_NAAM[MAX_DIFFICULTY + 1] = {"lazy", "easy", "normaal", "hard",
                                                             "extreem"};

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

} // namespace

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
    StandardMenu::Focus focus{.terug = 0};
    for (;;) {
        DrawBackground(WIT_ACHTERGROND);
        DrawMaskPlaatjes(plaatjes);
        Wimdows::UpdateWindow();
        const int32_t k = StandardMenu::MenuSelection(explainations, focus);
        if (k == 0 || k == GEEN_KEUZE) return;
        WrongButton();
        Wimdows::UpdateWindow();
        Wimdows::ClearScreen();
    }
}

std::vector<TekstRegel> ResultTeksten(uint32_t hiscore, int32_t punten, int32_t leven,
                                      int32_t leventot, int32_t kogelcounter,
                                      const SYSTEMTIME& bijhoudentijd, uint32_t vordering,
                                      uint32_t difficulty, bool bewaard) {
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
    // A rank that was not written to the table must not pass for a kept one.
    if (!bewaard && hiscore != 11) regels.push_back({SCORE_NIET_BEWAARD, 250, 112});
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
                 int32_t kogelcounter, SYSTEMTIME bijhoudentijd, uint32_t vordering, bool bewaard) {
    LoadSubMenus();
    const std::vector<TekstRegel> regels =
        ResultTeksten(hiscore, punten, leven, leventot, kogelcounter, bijhoudentijd, vordering,
                      difficultyLevel, bewaard);
    Wimdows::ClearScreen();
    StandardMenu::Focus focus{.terug = 0};
    for (;;) {
        DrawBackground(GAMEOVER);
        Wimdows::SetFont(1, MENU_KLEUR);
        for (const TekstRegel& r : regels)
            Wimdows::Text(r.tekst.c_str(), r.x, r.y);
        Wimdows::DrawMaskBitmap(Gameover, Gameovermask, 400, 500);
        const int32_t k = StandardMenu::MenuSelection(explainations, focus);
        if (k == 0 || k == GEEN_KEUZE) return;
        WrongButton();
        Wimdows::UpdateWindow();
    }
}

} // namespace Kolvemar_Menu
