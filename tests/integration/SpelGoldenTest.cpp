// A fixed arena drawn into the back buffer must match the stored picture pixel
// for pixel. Set KT_REGENERATE_GOLDEN=1 to store a new reference on purpose.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "SpelFixture.h"

using namespace spelproef;

namespace {

const std::string REFERENTIE = std::string(KT_SOURCE_DIR) + "/tests/golden/arena.kgi";
const char MAGIC[8] = {'K', 'T', 'G', 'O', 'L', 'D', '1', '\n'};

// Run-length pairs (count, 0x00BBGGRR) after the magic, width and height.
void Bewaar(const std::vector<uint32_t>& px) {
    std::ofstream f(REFERENTIE, std::ios::binary);
    const uint32_t zijde = S;
    f.write(MAGIC, 8);
    f.write(reinterpret_cast<const char*>(&zijde), 4);
    f.write(reinterpret_cast<const char*>(&zijde), 4);
    for (std::size_t i = 0; i < px.size();) {
        uint32_t n = 1;
        while (i + n < px.size() && px[i + n] == px[i])
            ++n;
        f.write(reinterpret_cast<const char*>(&n), 4);
        f.write(reinterpret_cast<const char*>(&px[i]), 4);
        i += n;
    }
}

std::vector<uint32_t> Lees() {
    std::ifstream f(REFERENTIE, std::ios::binary);
    char magic[8] = {};
    uint32_t w = 0, h = 0;
    f.read(magic, 8);
    f.read(reinterpret_cast<char*>(&w), 4);
    f.read(reinterpret_cast<char*>(&h), 4);
    std::vector<uint32_t> px;
    if (!f || std::memcmp(magic, MAGIC, 8) != 0 || w != uint32_t(S) || h != uint32_t(S)) return px;
    uint32_t n = 0, kleur = 0;
    while (f.read(reinterpret_cast<char*>(&n), 4) && f.read(reinterpret_cast<char*>(&kleur), 4) &&
           px.size() + n <= std::size_t(S) * S)
        px.insert(px.end(), n, kleur);
    return px;
}

// Every kind of thing the frame draws, the armour bar straddling the clock's wrap.
K::Level Toestand() {
    K::Level l = LeegLevel();
    l.margerechts = 30;
    l.margerelinks = 25;
    l.margeboven = 20;
    l.margeonder = 35;
    l.time = K::maxtime - 50;
    K::Object& p = l.objecten[0];
    p.x = 200;
    p.y = 250;
    p.armoraan = true;
    p.levenspuntentot = 30;
    p.levenspuntentotbegin = 80;
    l.objecten[51].levenspuntentot = 150; // 200 ticks left, across the wrap
    for (int i = 1; i <= 6; ++i)
        Monster(l, i, 60.0f + 55 * i, 110.0f + 30 * (i % 2)).tekennummer = 5 * i;
    Monster(l, 7, 330, 300).tekennummer = 40;    // a number without a picture
    Monster(l, 8, 90, 300).tekennummer = 46;     // beyond the table
    Monster(l, 9, 90, 340).tekennummer = 100000; // far beyond it
    for (int i = 51; i <= 53; ++i) {
        K::Object& o = l.objecten[i];
        o.levend = true;
        o.x = 250.0f + 30 * (i - 51);
        o.y = 350.0f;
        o.tekennummer = static_cast<K::CARDINAL>(36 + i - 51);
    }
    for (int k = 1; k <= 5; ++k) {
        K::Objectkogel& g = l.geschut[k * 7];
        g = K::Objectkogel{200, 250, float(k - 3), -2, float(k), true, K::Kogel{1, 20}};
    }
    return l;
}

class SpelGolden : public testing::Test {
  protected:
    void SetUp() override { Opstarten(); }
};

TEST_F(SpelGolden, TheArenaMatchesTheReferencePixelForPixel) {
    K::Level l = Toestand();
    Stuur({0, Soort::muis, 310, 140});
    const uint32_t achtergrond = Wimdows::LoadBitmap("images\\achtergrond.bmp", S, S);
    Kolvemar_spel::Tekenachtergrond(achtergrond);
    Kolvemar_spel::Tekendeur();
    Kolvemar_spel::Tekeneffect(1, l.objecten[2]);
    Kolvemar_spel::Tekeneffect(4, l.objecten[5]);
    Kolvemar_spel::Tekenarena(l, l.objecten[0], -42);
    Wimdows::DestroyBitmap(achtergrond);
    const std::vector<uint32_t> px = Scherm();

    // What must hold whatever the reference says.
    auto at = [&](int x, int y) { return px[std::size_t(y) * S + x]; };
    EXPECT_EQ(at(S - 3, 3), 0x456816u); // the information bar
    EXPECT_EQ(at(55, 38), 0x800080u);   // life 30: purple up to x = 60
    EXPECT_EQ(at(140, 38), 0xFF0000u);  // maximum 80: blue up to x = 160
    EXPECT_EQ(at(100, 88), 0x800080u);  // armour: 200 ticks left, purple up to x = 115
    EXPECT_EQ(at(140, 88), 0xFF0000u);  // the rest of the 150-pixel frame
    EXPECT_EQ(at(330, 300), 0x4F7A4Fu); // picture 40 draws nothing: background
    EXPECT_EQ(at(90, 300), 0x3A5F3Au);  // nor do numbers beyond the table
    EXPECT_EQ(at(90, 340), 0x3A5F3Au);
    EXPECT_EQ(l.geschut[7].fase, 2.0f); // drawing moved each bullet on

    if (std::getenv("KT_REGENERATE_GOLDEN")) {
        Bewaar(px);
        GTEST_SKIP() << "reference written to " << REFERENTIE;
    }
    const std::vector<uint32_t> ref = Lees();
    ASSERT_EQ(ref.size(), px.size()) << "no usable reference at " << REFERENTIE;
    std::size_t anders = 0, eerste = px.size();
    for (std::size_t i = 0; i < px.size(); ++i)
        if (px[i] != ref[i]) {
            ++anders;
            eerste = std::min(eerste, i);
        }
    EXPECT_EQ(anders, 0u) << "first difference at (" << eerste % S << ", " << eerste / S << ")";
}

TEST_F(SpelGolden, TheRobotFacesTheMouseInEightSectors) {
    // Each heading picture has its own colour; sample the robot's centre.
    K::Level l = LeegLevel();
    K::Object& p = l.objecten[0];
    p.x = 200;
    p.y = 200;
    std::vector<uint32_t> kleuren;
    const int muis[8][2] = {{200, 100}, {300, 100}, {300, 200}, {300, 300},
                            {200, 300}, {100, 300}, {100, 200}, {100, 100}};
    for (const auto& m : muis) {
        Stuur({0, Soort::muis, m[0], m[1]});
        Kolvemar_spel::Tekenarena(l, p, 0);
        kleuren.push_back(Wimdows::GetPixel(200, 200));
    }
    for (int i = 0; i < 8; ++i)
        for (int j = i + 1; j < 8; ++j)
            EXPECT_NE(kleuren[i], kleuren[j]) << i << " " << j;
    // Just left of straight up still shows the picture for up.
    Stuur({0, Soort::muis, 199, 20});
    Kolvemar_spel::Tekenarena(l, p, 0);
    EXPECT_EQ(Wimdows::GetPixel(200, 200), kleuren[0]);
}

} // namespace
