// Drawing a frame reads the level and changes nothing.
#include <gtest/gtest.h>

#include <cstring>

#include "SpelFixture.h"

using namespace spelproef;

namespace {

std::vector<uint32_t> Scherm() {
    std::vector<uint32_t> px;
    px.reserve(std::size_t(S) * S);
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x)
            px.push_back(Wimdows::GetPixel(x, y));
    return px;
}

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
    // Background, door, effects by monster, then the arena, bullets at their phase.
    Stand s;
    Kolvemar_spel::Tekenframe(s.level, s.staat);
    const std::vector<uint32_t> frame = Scherm();
    K::Level kopie = s.level;
    Kolvemar_spel::Tekenachtergrond(s.staat.background);
    Kolvemar_spel::Tekendeur();
    Kolvemar_spel::Tekeneffect(1, kopie.objecten[2]);
    Kolvemar_spel::Tekeneffect(5, kopie.objecten[4]);
    Kolvemar_spel::Tekenarena(kopie, s.staat.player, s.staat.punten);
    EXPECT_EQ(Scherm(), frame);
    EXPECT_EQ(kopie.geschut[5].fase, 2.0f); // the next tick's phase
    EXPECT_EQ(s.level.geschut[5].fase, 1.0f);
}

} // namespace
