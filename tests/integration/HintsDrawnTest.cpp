// The tutorial's hints and the level's number are drawn in the information
// bar's free space, never over the arena, and only in the tutorial.
#include <gtest/gtest.h>

#include "Commands.h"
#include "Kolvemar_Menu.h"
#include "SpelFixture.h"

using namespace spelproef;

namespace {

constexpr uint32_t HINT = 0x80FFFF;

// Pixels of the colour inside the box.
int Count(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t colour) {
    int n = 0;
    for (int32_t y = y0; y < y1; ++y)
        for (int32_t x = x0; x < x1; ++x)
            n += Wimdows::GetPixel(x, y) == colour;
    return n;
}

class HintsDrawn : public testing::Test {
  protected:
    void SetUp() override { Opstarten(); }
    void TearDown() override { Kolvemar_Menu::tutorial = false; }
};

} // namespace

TEST_F(HintsDrawn, EachTutorialLevelShowsItsHintLinesInTheBarOnly) {
    K::Level l = LeegLevel();
    for (uint32_t level = 1; level <= 3; ++level) {
        SCOPED_TRACE(level);
        Wimdows::ClearScreen();
        Kolvemar_Menu::tutorial = true;
        l.vordering = level;
        Kolvemar_spel::TekenAanwijzingen(l);
        const size_t lines = Kolvemar_spel::Aanwijzingen(level, Commands::Current()).size();
        for (size_t i = 0; i < lines; ++i)
            EXPECT_GT(Count(250, 8 + 16 * int32_t(i), 2 * S / 3, 24 + 16 * int32_t(i), HINT), 20) << i;
        EXPECT_EQ(Count(0, 100, S, S, HINT), 0);
    }
    Wimdows::ClearScreen();
    Kolvemar_Menu::tutorial = false;
    Kolvemar_spel::TekenAanwijzingen(l);
    EXPECT_EQ(Count(0, 0, S, S, HINT), 0);
    EXPECT_GT(Count(2 * S / 3, 60, S, 76, 0xC0C0C0), 20); // "Level 3"
}
