// Drawing a frame reads the level and changes nothing.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>

#include "Kolvemar_Menu.h"
#include "Settings.h"
#include "SpelFixture.h"
#include "WimdowsInternal.h"

using namespace spelproef;

namespace {

// Monsters, pick-ups, bullets in flight, two death animations and the door.
struct Stand {
    K::Level level = LeegLevel();
    Kolvemar_spel::Speelstaat staat{};
    Stand() {
        for (int i = 1; i <= 5; ++i) {
            K::Object& m = Monster(level, i, 60.0f + 60 * i, 120.0f + 25 * (i % 2));
            m.vx = 1.5f;
            m.vy = -0.75f;
        }
        level.objecten[52] = level.objecten[5];
        level.objecten[52].tekennummer = 37;
        for (int k = 1; k <= 4; ++k)
            level.geschut[k * 5] =
                K::Objectkogel{200, 250, float(k - 2), -2, float(k), true, K::Kogel{1, 20}};
        staat = Kolvemar_spel::Beginstaat(level);
        staat.background = Wimdows::LoadBitmap("images\\achtergrond.bmp", S, S);
        staat.deur = true;
        staat.effect[2] = 1;
        staat.effect[4] = 5;
    }
    ~Stand() { Wimdows::DestroyBitmap(staat.background); }
};

bool Gelijk(const K::Level& a, const K::Level& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

class SpelTeken : public testing::Test {
  protected:
    void SetUp() override {
        Opstarten();
        Stuur({0, Soort::muis, 310, 140});
    }
};

TEST_F(SpelTeken, DrawingTwiceGivesTheSamePictureAndLeavesTheStateAlone) {
    for (bool gameover : {false, true}) {
        Stand s;
        s.staat.gameover = gameover;
        const K::Level voor = s.level;
        Kolvemar_spel::Tekenframe(s.level, s.staat);
        const std::vector<uint32_t> eerste = Scherm();
        Kolvemar_spel::Tekenframe(s.level, s.staat);
        EXPECT_EQ(Scherm(), eerste) << gameover;
        EXPECT_TRUE(Gelijk(s.level, voor)) << gameover;
    }
}

TEST_F(SpelTeken, TheFrameIsTheLoopsOldOrderOfDrawingSteps) {
    // Background, door, effects by monster, the arena (bullets at their phase), the hints.
    Stand s;
    Kolvemar_spel::Tekenframe(s.level, s.staat);
    const std::vector<uint32_t> frame = Scherm();
    K::Level kopie = s.level;
    Kolvemar_spel::Tekenachtergrond(s.staat.background);
    Kolvemar_spel::Tekendeur();
    Kolvemar_spel::Tekeneffect(1, kopie.objecten[2]);
    Kolvemar_spel::Tekeneffect(5, kopie.objecten[4]);
    Kolvemar_spel::Tekenarena(kopie, s.staat.player, s.staat.punten);
    Kolvemar_spel::TekenAanwijzingen(kopie);
    EXPECT_EQ(Scherm(), frame);
    EXPECT_EQ(kopie.geschut[5].fase, 2.0f); // the next tick's phase
    EXPECT_EQ(s.level.geschut[5].fase, 1.0f);
}

// One tick's moves: monsters and the player glide at their speed, bullets
// move on a phase.
void Stap(Stand& s) {
    Kolvemar_spel::Bewaarstand(s.level, s.staat);
    for (int i = 1; i <= 5; ++i) {
        K::Object& m = s.level.objecten[i];
        m.x += m.vx;
        m.y += m.vy;
    }
    s.staat.player.vx = 3.0f;
    s.staat.player.x += 3.0f;
    Kolvemar_spel::Kogelsvooruit(s.level);
}

std::vector<uint32_t> Frame(const K::Level& l, const Kolvemar_spel::Speelstaat& staat) {
    Kolvemar_spel::Tekenframe(l, staat);
    return Scherm();
}

std::vector<uint32_t> Tussen(const Stand& s, float fractie) {
    Kolvemar_spel::Tekentussenbeeld(s.level, s.staat, fractie);
    return Scherm();
}

TEST_F(SpelTeken, BetweenTicksFractionZeroIsThePreviousPictureAndOneTheCurrent) {
    Stand s;
    const std::vector<uint32_t> vorige = Frame(s.level, s.staat);
    Stap(s);
    const std::vector<uint32_t> huidige = Frame(s.level, s.staat);
    const K::Level voor = s.level;
    EXPECT_EQ(Tussen(s, 0.0f), vorige);
    EXPECT_EQ(Tussen(s, 1.0f), huidige);
    const std::vector<uint32_t> half = Tussen(s, 0.5f);
    EXPECT_NE(half, vorige);
    EXPECT_NE(half, huidige);
    EXPECT_TRUE(Gelijk(s.level, voor));
    EXPECT_EQ(Tussen(s, -3.0f), vorige); // a fraction out of range is held to its end
    EXPECT_EQ(Tussen(s, 7.0f), huidige);
}

TEST_F(SpelTeken, WhatAppearedOrJumpedIsDrawnWhereItIsNow) {
    Stand s;
    K::Level verwacht = s.level;
    Stap(s);
    // Monster 1 turns with a step back, 3 is new, a new shot takes slot 5,
    // the player is set elsewhere.
    K::Object& m = s.level.objecten[1];
    m.vx = -1.5f;
    m.vy = 0.0f;
    m.x = s.staat.vorige.x[1] + 2 * m.vx;
    m.y = s.staat.vorige.y[1];
    s.level.objecten[3].levend = true;
    s.staat.vorige.levend[3] = false;
    s.level.geschut[5] = K::Objectkogel{100, 300, 1, 1, 1.0f, true, K::Kogel{1, 20}};
    s.staat.player.x += 40.0f;
    verwacht.objecten[1] = m;
    verwacht.objecten[3] = s.level.objecten[3];
    verwacht.geschut[5] = s.level.geschut[5];
    for (int k = 10; k <= 20; k += 5)
        verwacht.geschut[k] = s.staat.vorige.geschut[k];
    EXPECT_EQ(Tussen(s, 0.0f), Frame(verwacht, s.staat));
}

} // namespace

// Without death animations a frame lays the kept picture of what lies under
// the sprites and copies back only what they covered: frame after frame, with
// things moving and the door opening, it is still the old order of steps.
TEST_F(SpelTeken, FramesOverTheKeptGroundAreTheOldOrderOfDrawingSteps) {
    Stand s;
    std::fill(std::begin(s.staat.effect), std::end(s.staat.effect), Kolvemar_spel::GEEN_EFFECT);
    s.staat.deur = false;
    for (int tik = 0; tik < 4; ++tik) {
        const std::vector<uint32_t> frame = Frame(s.level, s.staat);
        K::Level kopie = s.level;
        Kolvemar_spel::Tekenachtergrond(s.staat.background);
        if (s.staat.deur) Kolvemar_spel::Tekendeur();
        Kolvemar_spel::Tekenarena(kopie, s.staat.player, s.staat.punten);
        Kolvemar_spel::TekenAanwijzingen(kopie);
        EXPECT_EQ(Scherm(), frame) << tik;
        Stap(s);
        s.staat.deur = tik >= 1;
    }
    Kolvemar_spel::VergeetOndergrond();
}

// Smooth or not, as the settings stand: on the real clock, with the robot
// walking, the window shows one picture a tick without smoothing and more
// with it.
TEST_F(SpelTeken, WithoutSmoothingTheWindowShowsOnePictureATick) {
    Kolvemar_Menu::tutorial = false;
    Kolvemar_Menu::autosave = false;
    for (const bool smooth : {false, true}) {
        Settings::Values v = Settings::Current();
        v.smooth = smooth;
        Settings::StoreLater(v);
        K::Level l = LeegLevel();
        Monster(l, 1, 700, 150); // the door stays shut
        std::thread speler([] {
            Stuur({0, Soort::toets_neer, 'N'}); // past the level's opening
            Stuur({0, Soort::toets_op, 'N'});
            Stuur({0, Soort::toets_neer, 40});
            std::this_thread::sleep_for(std::chrono::milliseconds(600));
            Stuur({0, Soort::toets_op, 40});
            Stuur({0, Soort::toets_neer, 'Q'});
        });
        const uint64_t voor = Wimdows::Internal::FramesShown();
        const auto t0 = std::chrono::steady_clock::now();
        Kolvemar_spel::spel(l);
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0)
                .count();
        speler.join();
        Stuur({0, Soort::toets_op, 'Q'});
        const double getoond = double(Wimdows::Internal::FramesShown() - voor);
        const double tikken = ms / 30.0 + 1;
        if (smooth)
            EXPECT_GT(getoond, tikken + 5) << getoond << " pictures in " << ms << " ms";
        else
            EXPECT_LE(getoond, tikken + 5) << getoond << " pictures in " << ms << " ms";
    }
    Settings::StoreLater({});
}
