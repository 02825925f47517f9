// The high-score screen and the result sheet.
#include <algorithm>

#include "Kolvemar_Menu.h"
#include "Kolvemar_MenuInternal.h"
#include "LevelCreator.h"
#include "Taal.h"
#include "Wimdows.h"

namespace Kolvemar_Menu {

using namespace Kolvemar_Constanten_en_Types;
using namespace Internal;
using StandardMenu::GEEN_KEUZE;

namespace {

constexpr const char* DIFFICULTY_NAAM[MAX_DIFFICULTY + 1] = {
    Taal::Nl("lazy"), Taal::Nl("easy"), Taal::Nl("normaal"), Taal::Nl("hard"), Taal::Nl("extreem")};
// The font of the result sheet's lines.
constexpr uint32_t RESULT_FONT = 1;

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
    if (hiscore == 1) return Taal::Tekst("Proficiat u staat op de 1ste plaats!");
    if (hiscore == 11) return Taal::Tekst("U heeft de high scores niet gehaald.");
    // TRANSLATORS: the rank and then "de plaats" follow: "... op de 3de plaats".
    return Taal::Tekst("Proficiat u staat op de");
}

// The result sheet's columns: labels, then values, numbers and units.
constexpr int32_t LABEL_X = 150, WAARDE_X = 250, KOLOM_RUIMTE = 10;

// The width of a text in the sheet's font; 0 without a window.
int32_t Breedte(const std::string& tekst) {
    uint32_t w = 0, h = 0;
    Wimdows::GetTextSize(tekst.c_str(), RESULT_FONT, w, h);
    return static_cast<int32_t>(w);
}

// A piece of a line at its place on the sheet.
struct Stuk {
    std::string tekst;
    int32_t x;
};

// A line of the sheet: its Dutch label and the pieces after it.
struct Lijn {
    int32_t y;
    const char* label;
    std::vector<Stuk> stukken;
};

// The label, then the pieces at their places moved by `schuif`, each further
// right where the one before it would reach it.
void Regel(std::vector<TekstRegel>& regels, const Lijn& lijn, int32_t schuif) {
    const std::string label = Taal::Tekst(lijn.label);
    regels.push_back({label, LABEL_X, lijn.y});
    int32_t einde = LABEL_X + Breedte(label);
    for (const Stuk& stuk : lijn.stukken) {
        const int32_t x = std::max(stuk.x + schuif, einde + 1);
        regels.push_back({stuk.tekst, x, lijn.y});
        einde = x + Breedte(stuk.tekst);
    }
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
    const bool plaats = hiscore != 1 && hiscore != 11;
    std::vector<Stuk> rank{{RankTekst(hiscore), 250}};
    // TRANSLATORS: follows the rank, without a space: "3de plaats".
    if (plaats)
        rank.insert(rank.end(), {{to_string(hiscore), 395}, {Taal::Tekst("de plaats"), 410}});
    const SYSTEMTIME& t = bijhoudentijd;
    const std::vector<Lijn> lijnen{
        {60, Taal::Nl("Punten:"), {{to_string(punten), 250}}},
        {100, Taal::Nl("High score:"), rank},
        {140, Taal::Nl("Level:"), {{to_string(vordering), 250}}},
        {180,
         Taal::Nl("Moeilijkheid:"),
         {{difficulty <= MAX_DIFFICULTY ? Taal::Tekst(DIFFICULTY_NAAM[difficulty]) : "", 250}}},
        {220,
         Taal::Nl("Leven:"),
         {{to_string(std::max(leven, 0)), 250}, {"/", 275}, {to_string(leventot), 285}}},
        {260, Taal::Nl("Kogels:"), {{to_string(kogelcounter), 250}}},
        {300,
         Taal::Nl("Tijd:"),
         {{to_string(t.wHour), 250},
          {Taal::Tekst("h"), 260},
          {to_string(t.wMinute), 270},
          {Taal::Tekst("min"), 290},
          {to_string(t.wSecond), 320},
          {Taal::Tekst("sec"), 350},
          {to_string(t.wMilliseconds), 380}}}};
    // The values' column moves right only for labels that would reach it.
    int32_t breedste = 0;
    for (const Lijn& lijn : lijnen)
        breedste = std::max(breedste, Breedte(Taal::Tekst(lijn.label)));
    const int32_t schuif = std::max(0, LABEL_X + breedste + KOLOM_RUIMTE - WAARDE_X);
    std::vector<TekstRegel> regels{{Taal::Tekst("Einde van dit spel!"), 200, 20}};
    for (const Lijn& lijn : lijnen) {
        Regel(regels, lijn, schuif);
        // A rank that was not written to the table must not pass for a kept one.
        if (lijn.y == 100 && !bewaard && hiscore != 11)
            regels.push_back({Taal::Tekst(SCORE_NIET_BEWAARD), WAARDE_X + schuif, 112});
    }
    regels.push_back({Taal::Tekst("Einde van het spel"), 10, 750});
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
        Wimdows::SetFont(RESULT_FONT, MENU_KLEUR);
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
