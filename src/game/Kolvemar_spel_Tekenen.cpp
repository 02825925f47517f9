#include "Kolvemar_spel.h"

#include <algorithm>
#include <cmath>

#include "Kolvemar_Animations.h"
#include "Kolvemar_Artificial_movement.h"
#include "Kolvemar_Menu.h"
#include "Kolvemar_spelInternal.h"
#include "StandardLib.h"
#include "Taal.h"
#include "Wimdows.h"

// The drawing of a frame: walls, information bar, bullets, objects, player.
namespace Kolvemar_spel {

using namespace Internal;
namespace AM = Kolvemar_Artificial_movement;

namespace {

constexpr uint32_t KLEUR_BALK = 0x456816;
constexpr uint32_t KLEUR_ROOD = 0xB0;
constexpr uint32_t KLEUR_TEKST = 0xC0C0C0;
constexpr uint32_t KLEUR_KADER = 0xFF0000;
constexpr uint32_t KLEUR_VULLING = 0x800080;

void TekenMuren(const Level& level) {
    const uint32_t muren = Kolvemar_Animations::Muren();
    const float S = Schermgrootte();
    Wimdows::DrawBitmap(muren, Cut(S - level.margerechts), 0);
    Wimdows::DrawBitmap(muren, Cut(level.margerelinks - S), 0);
    Wimdows::DrawBitmap(muren, 0, Cut(S - level.margeonder));
    Wimdows::DrawBitmap(muren, 0,
                        Cut(level.margeboven + static_cast<float>(grootte_informatiebalk) - S));
}

void TekenKogels(const Level& level) {
    for (int k = 1; k <= GESCHUT_MAX; ++k) {
        const Objectkogel& g = level.geschut[k];
        REAL fase = g.fase; // the tick moves it on, not the drawing
        if (g.leven) AM::draw(g.x, g.y, g.vx, g.vy, fase);
    }
}

void TekenObjecten(const Level& level) {
    for (int i = 1; i <= OBJECT_MAX; ++i) {
        const Object& o = level.objecten[i];
        // A picture number beyond the table is bad level data: draw nothing.
        if (o.levend && o.tekennummer < TEKENNUMMERS)
            TekenPaar(monsters[o.tekennummer], Cut(o.x) - 21, Cut(o.y) - 21);
    }
}

// The robot faces the mouse: eight pictures of 45 degrees each, 1 straight up.
uint32_t Richting(const Object& player, int32_t mx, int32_t my) {
    const REAL a = StandardLib::AngleWithXAx_REAL(player.x, player.y, static_cast<REAL>(mx),
                                                  static_cast<REAL>(my));
    const int32_t h = Cut((a + 3.1415920f) / 0.7853980f - 0.5f);
    return (h < 1 || h > 8) ? 1 : static_cast<uint32_t>(h);
}

void TekenSpeler(const Object& player) {
    int32_t mx = 0;
    int32_t my = 0;
    Wimdows::MousePos(mx, my);
    TekenPaar(Kolvemar_Animations::Robot(Richting(player, mx, my)), Cut(player.x) - 30,
              Cut(player.y) - 30);
    Wimdows::Circle(mx, my, 7, KLEUR_ROOD);
    Wimdows::Disc(mx, my, 2, KLEUR_ROOD);
}

void Balk(int32_t links, int32_t boven, int32_t rechts, int32_t onder, uint32_t kleur) {
    Wimdows::Rectangle(links, boven, rechts, onder, kleur, true);
}

// What lies under the sprites while no death animation plays (the
// background, the door, the walls and the bar) as one picture, taken from the
// drawing itself: laid again, only what the sprites covered is copied back.
struct Ondergrond {
    uint32_t beeld = 0;
    uint32_t background = 0;
    bool deur = false;
    REAL marges[4] = {};
};
Ondergrond ondergrond;

bool Zelfde(const Ondergrond& o, const Level& level, const Speelstaat& staat) {
    return o.beeld && o.background == staat.background && o.deur == staat.deur &&
           o.marges[0] == level.margerechts && o.marges[1] == level.margerelinks &&
           o.marges[2] == level.margeonder && o.marges[3] == level.margeboven;
}

void TekenOnder(const Speelstaat& staat) {
    Tekenachtergrond(staat.background);
    if (staat.deur) Tekendeur();
}

void TekenVast(const Level& level) {
    TekenMuren(level);
    Balk(0, 0, static_cast<int32_t>(schermgrootte), static_cast<int32_t>(grootte_informatiebalk),
         KLEUR_BALK);
}

void LegOndergrond(const Level& level, const Speelstaat& staat) {
    if (!Zelfde(ondergrond, level, staat)) {
        VergeetOndergrond();
        TekenOnder(staat);
        TekenVast(level);
        const uint32_t beeld = Wimdows::CreateBitmap(schermgrootte, schermgrootte);
        Wimdows::GrabScreen(beeld);
        ondergrond = {beeld,
                      staat.background,
                      staat.deur,
                      {level.margerechts, level.margerelinks, level.margeonder, level.margeboven}};
    }
    Wimdows::DrawBitmap(ondergrond.beeld, 0, 0);
}

void TekenTeksten(const Level& level, const Object& player, INTEGER punten) {
    Wimdows::SetFont(4, KLEUR_TEKST);
    Wimdows::Text(Taal::Tekst("Leven"), 15, 10);
    // The bars end at twice the value counted from the window's edge.
    Balk(15, 25, Verzadigd(2 * int64_t(player.levenspuntentotbegin)), 40, KLEUR_KADER);
    Balk(15, 25, Verzadigd(2 * int64_t(player.levenspuntentot)), 40, KLEUR_VULLING);
    const int32_t rechts = static_cast<int32_t>((2 * int64_t(schermgrootte)) / 3);
    Wimdows::Text(Taal::Tekst("Punten"), rechts, 10);
    Wimdows::TextInt(punten, rechts, 25);
    if (!player.armoraan) return;
    Wimdows::Text(Taal::Tekst("Armor"), 15, 60);
    Balk(15, 75, 165, 90, KLEUR_KADER);
    // The expiry tick may lie past the clock's wrap.
    int64_t rest = int64_t(level.objecten[51].levenspuntentot) - level.time;
    if (rest < 0) rest += maxtime;
    Balk(15, 75, Verzadigd(rest / 2 + 15), 90, KLEUR_VULLING);
}

} // namespace

void Internal::TekenPaar(const vijanden& v, int32_t x, int32_t y) {
    Wimdows::DrawMaskBitmap(static_cast<uint32_t>(v.normaal), static_cast<uint32_t>(v.mask), x, y);
}

void Tekenachtergrond(uint32_t background) {
    Wimdows::DrawBitmap(background, 0, 0);
}

void Tekendeur() {
    Wimdows::DrawBitmap(deurtje, static_cast<int32_t>(schermgrootte / 2) - 30,
                        static_cast<int32_t>(schermgrootte) - 95);
}

void Tekeneffect(uint32_t frame, const Object& monster) {
    if (frame < EFFECTEN) TekenPaar(effects[frame], Cut(monster.x) - 60, Cut(monster.y) - 60);
}

void VergeetOndergrond() {
    Wimdows::DestroyBitmap(ondergrond.beeld);
    ondergrond = {};
}

void Tekenframe(const Level& level, const Speelstaat& staat) {
    const bool effecten = std::any_of(std::begin(staat.effect), std::end(staat.effect),
                                      [](uint32_t e) { return e != GEEN_EFFECT; });
    if (!staat.gameover && !effecten) {
        LegOndergrond(level, staat);
        TekenBeweeglijk(level, staat.player, staat.punten);
        TekenAanwijzingen(level);
        return;
    }
    TekenOnder(staat);
    if (staat.gameover) {
        TekenPaar(vijanden{static_cast<INTEGER>(Kolvemar_Menu::Gameover),
                           static_cast<INTEGER>(Kolvemar_Menu::Gameovermask)},
                  300, 300);
        return;
    }
    for (int i = 0; i <= OBJECT_MAX; ++i)
        if (staat.effect[i] != GEEN_EFFECT) Tekeneffect(staat.effect[i], level.objecten[i]);
    Tekenstand(level, staat.player, staat.punten);
    TekenAanwijzingen(level);
}

void Kogelsvooruit(Level& level) {
    for (int k = 1; k <= GESCHUT_MAX; ++k)
        if (level.geschut[k].leven) level.geschut[k].fase += 1.0f;
}

void Tekenarena(Level& level, const Object& player, INTEGER punten) {
    Tekenstand(level, player, punten);
    Kogelsvooruit(level);
}

void Tekenstand(const Level& level, const Object& player, INTEGER punten) {
    TekenVast(level);
    TekenBeweeglijk(level, player, punten);
}

void TekenBeweeglijk(const Level& level, const Object& player, INTEGER punten) {
    TekenKogels(level);
    TekenObjecten(level);
    TekenSpeler(player);
    TekenTeksten(level, player, punten);
}

} // namespace Kolvemar_spel
