#include <gtest/gtest.h>

#include "StandardMenu.h"

namespace SM = StandardMenu;

namespace {

SM::ButtonRc Button(int32_t x0, int32_t y0, int32_t w, int32_t h) {
    SM::ButtonRc b{};
    b.x0 = x0;
    b.y0 = y0;
    b.width = w;
    b.height = h;
    b.visible = true;
    return b;
}

class PendingClick : public testing::Test {
  protected:
    void SetUp() override { SM::ClearClick(); }
    void TearDown() override { SM::ClearClick(); }
};

} // namespace

TEST(StandardMenu, InButtonExcludesEveryEdge) {
    const SM::ButtonRc b = Button(300, 70, 200, 50);
    EXPECT_FALSE(SM::InButton(b, 300, 70));
    EXPECT_FALSE(SM::InButton(b, 300, 90));
    EXPECT_FALSE(SM::InButton(b, 400, 70));
    EXPECT_TRUE(SM::InButton(b, 301, 71));
    EXPECT_TRUE(SM::InButton(b, 499, 119));
    EXPECT_FALSE(SM::InButton(b, 500, 90));
    EXPECT_FALSE(SM::InButton(b, 400, 120));
    SM::ButtonRc hidden = b;
    hidden.visible = false; // visibility is not InButton's business
    EXPECT_TRUE(SM::InButton(hidden, 400, 90));
}

TEST(StandardMenu, VerticalMenuStepsByTheGapFromTopToTop) {
    SM::ButtonRc menu[7] = {Button(0, 0, 200, 50), Button(9, 9, 10, 10)};
    SM::SetVerticalMenu(300, 70, 100, menu);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(menu[i].x0, 300);
        EXPECT_EQ(menu[i].y0, 70 + 100 * i);
    }
    EXPECT_EQ(menu[1].width, 10); // sizes are left alone
    EXPECT_EQ(menu[0].height, 50);
}

TEST_F(PendingClick, ConsumedOnlyByAVisibleButtonThatContainsIt) {
    const SM::ButtonRc first = Button(100, 100, 200, 50);
    const SM::ButtonRc overlapping = Button(150, 110, 200, 50);
    const SM::ButtonRc empty{};
    EXPECT_FALSE(SM::ButtonSelected(first)); // nothing pending yet

    SM::RegisterLeftClick(10, 10); // misses everything: stays pending
    EXPECT_FALSE(SM::ButtonSelected(first));
    EXPECT_TRUE(SM::ClickPending());

    SM::RegisterLeftClick(200, 120);         // the newer click replaces it
    EXPECT_FALSE(SM::ButtonSelected(empty)); // an all-zero button is inert
    EXPECT_TRUE(SM::ClickPending());
    EXPECT_TRUE(SM::ButtonSelected(first)); // polled first, so it wins the overlap
    EXPECT_FALSE(SM::ClickPending());
    EXPECT_FALSE(SM::ButtonSelected(overlapping));
}

TEST_F(PendingClick, HiddenButtonNeverSelects) {
    SM::ButtonRc b = Button(0, 0, 100, 100);
    b.visible = false;
    SM::RegisterLeftClick(50, 50);
    EXPECT_FALSE(SM::ButtonSelected(b));
    EXPECT_TRUE(SM::ClickPending());
}

TEST_F(PendingClick, MenuSelectionGivesUpWithoutAWindow) {
    // No window is open in the unit tests: no click can ever come.
    const SM::ButtonRc menu[1] = {Button(0, 0, 100, 100)};
    SM::RegisterLeftClick(50, 50);
    EXPECT_EQ(SM::MenuSelection(menu), SM::GEEN_KEUZE);
}
