// The binding table: its defaults, presets and names, the settings' key_ and
// pad_ lines read back, and the fallback per action for lines it cannot use.
#include <gtest/gtest.h>

#include <set>

#include "Commands.h"
#include "Settings.h"
#include "Wimdows.h"
#include "WimdowsInternal.h"

namespace C = Commands;
namespace WI = Wimdows::Internal;

namespace {

C::Bindings FromText(const std::string& text, std::vector<std::string>* problems) {
    std::vector<std::string> settingsProblems;
    const Settings::Values v = Settings::Read(text, &settingsProblems);
    if (problems)
        problems->insert(problems->end(), settingsProblems.begin(), settingsProblems.end());
    return C::FromSettings(v.bindings, problems);
}

// No key or button belongs to two actions, every action has a key, none is fixed.
void ExpectPlayable(const C::Bindings& b) {
    std::set<uint32_t> keys;
    std::set<uint8_t> pads;
    for (int a = 0; a < C::ACTIONS; ++a) {
        EXPECT_NE(b[a].keys[0], C::NO_KEY) << C::ActionName(C::Action(a));
        for (uint32_t k : b[a].keys)
            if (k != C::NO_KEY) {
                EXPECT_TRUE(keys.insert(k).second) << C::KeyName(k);
                EXPECT_FALSE(C::FixedKey(k)) << C::KeyName(k);
            }
        if (b[a].pad != C::NO_PAD) {
            EXPECT_TRUE(pads.insert(b[a].pad).second) << C::PadName(b[a].pad);
            EXPECT_FALSE(C::FixedPad(b[a].pad));
        }
    }
}

} // namespace

TEST(Bindings, TheDefaultsAreTheGamesOwnKeys) {
    const C::Bindings& d = C::Defaults();
    const auto keys = [&](C::Action a) {
        return C::KeyName(d[a].keys[0]) + "," + C::KeyName(d[a].keys[1]);
    };
    EXPECT_EQ(keys(C::UP), "Up,E");
    EXPECT_EQ(keys(C::RIGHT), "Right,F");
    EXPECT_EQ(keys(C::DOWN), "Down,D");
    EXPECT_EQ(keys(C::LEFT), "Left,S");
    EXPECT_EQ(keys(C::FIRE), "mouse1,");
    EXPECT_EQ(keys(C::MENU), "M,");
    EXPECT_EQ(keys(C::PAUSE), "P,");
    EXPECT_EQ(keys(C::GIVE_UP), "K,");
    EXPECT_EQ(keys(C::SKIP), "N,");
    EXPECT_EQ(keys(C::QUIT), "Q,");
    EXPECT_EQ(C::PadName(d[C::FIRE].pad), "righttrigger");
    EXPECT_EQ(C::PadName(d[C::MENU].pad), "start");
    EXPECT_EQ(C::PadName(d[C::PAUSE].pad), "back");
    EXPECT_EQ(C::PresetBindings(C::ORIGINAL), d);
    EXPECT_EQ(C::FromSettings({}), d);
}

TEST(Bindings, EveryPresetIsPlayableAndWasdQuitsOffTheLetters) {
    for (int p = 0; p < C::PRESETS; ++p) {
        SCOPED_TRACE(p);
        ExpectPlayable(C::PresetBindings(C::Preset(p)));
    }
    const C::Bindings& w = C::PresetBindings(C::WASD);
    EXPECT_EQ(C::KeyOwner(w, 'W', C::ACTIONS), C::UP);
    EXPECT_EQ(C::KeyOwner(w, 'A', C::ACTIONS), C::LEFT);
    EXPECT_EQ(C::KeyOwner(w, 'S', C::ACTIONS), C::DOWN);
    EXPECT_EQ(C::KeyOwner(w, 'D', C::ACTIONS), C::RIGHT);
    for (uint32_t letter = 'A'; letter <= 'Z'; ++letter)
        EXPECT_NE(C::KeyOwner(w, letter, C::ACTIONS), C::QUIT);
    const C::Bindings& arrows = C::PresetBindings(C::ARROWS);
    EXPECT_EQ(C::KeyOwner(arrows, 'E', C::ACTIONS), C::ACTIONS);
}

TEST(Bindings, NamesGoBothWaysAsSdlSpellsThem) {
    for (uint32_t key = 1; key <= C::MOUSE_LEFT; ++key) {
        const std::string name = C::KeyName(key);
        if (!name.empty()) {
            EXPECT_EQ(C::KeyFromName(name), key) << name;
        }
    }
    EXPECT_EQ(C::KeyFromName("up"), 0x26u);
    EXPECT_EQ(C::KeyFromName("F10"), 0x79u);
    EXPECT_EQ(C::KeyFromName("Right Shift"), 0x10u);
    EXPECT_EQ(C::KeyFromName("Keypad 7"), 0x67u);
    EXPECT_EQ(C::KeyFromName("Hyper"), C::NO_KEY);
    EXPECT_EQ(C::KeyFromName(""), C::NO_KEY);
    EXPECT_EQ(C::PadFromName("RightTrigger"), Wimdows::PAD_FIRE);
    EXPECT_EQ(C::PadFromName("x"), Wimdows::PAD_X);
    EXPECT_EQ(C::PadFromName("guide"), C::NO_PAD);
}

TEST(Bindings, TheSettingsLinesRoundTrip) {
    const C::Bindings w = C::PresetBindings(C::WASD);
    Settings::Values v;
    v.bindings = C::ToSettings(w);
    const std::string text = Settings::Write(v);
    EXPECT_NE(text.find("key_up=W,Up\n"), std::string::npos) << text;
    EXPECT_NE(text.find("key_quit=F10\n"), std::string::npos);
    EXPECT_NE(text.find("pad_fire=righttrigger\n"), std::string::npos);
    EXPECT_NE(text.find("pad_skip=\n"), std::string::npos);
    std::vector<std::string> problems;
    EXPECT_EQ(FromText(text, &problems), w);
    EXPECT_TRUE(problems.empty()) << problems.front();
}

TEST(Bindings, ALineReplacesOnlyItsOwnActionsKeys) {
    std::vector<std::string> problems;
    const C::Bindings b =
        FromText("key_up=W\npad_fire=x\nkey_fire = mouse1 , Space\nkey_up=w,i\n", &problems);
    EXPECT_TRUE(problems.empty());
    C::Bindings want = C::Defaults();
    want[C::UP].keys = {'W', 'I'}; // the later line for an action wins
    want[C::FIRE] = {{C::MOUSE_LEFT, 0x20}, Wimdows::PAD_X};
    EXPECT_EQ(b, want);
}

TEST(Bindings, AHostileFileFallsBackPerActionAndNamesEachLine) {
    const std::string text = "key_up=W\n"
                             "key_down=Hyper\n"  // unknown key
                             "key_left=A,B,C\n"  // three keys
                             "key_right=\n"      // unbound
                             "key_menu=Escape\n" // fixed
                             "pad_pause=a\n"     // fixed
                             "pad_skip=guide\n"  // unknown button
                             "key_jump=J\n"      // unknown action
                             "key_skip=W\n"      // W is up's already
                             "pad_giveup=dpup\n" // up's button
                             "key_quit=" +
                             std::string(1 << 20, 'Q') + // a 1 MB line
                             "\n";
    std::vector<std::string> problems;
    const C::Bindings b = FromText(text, &problems);
    C::Bindings want = C::Defaults();
    want[C::UP].keys = {'W', C::NO_KEY};
    EXPECT_EQ(b, want);
    ExpectPlayable(b);
    const char* told[] = {"line 11",
                          "line 2: key_down: unknown key \"Hyper\"",
                          "line 3: key_left: more than two keys",
                          "line 4: key_right: no key",
                          "line 5: key_menu: the key Escape cannot",
                          "line 6: pad_pause",
                          "line 7: pad_skip: unknown controller button",
                          "line 8: key_jump",
                          "line 9: key_skip takes what up has",
                          "line 10: pad_giveup takes"};
    ASSERT_EQ(problems.size(), std::size(told));
    for (std::size_t i = 0; i < problems.size(); ++i)
        EXPECT_EQ(problems[i].rfind(told[i], 0), 0u) << problems[i];
}

TEST(Bindings, ACollisionUndoesTheLaterLine) {
    std::vector<std::string> problems;
    // S is left's by default; up takes it first, then left moves to A and frees it.
    C::Bindings b = FromText("key_up=S\nkey_left=A\n", &problems);
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(b[C::UP].keys[0], uint32_t('S'));
    // Two lines for one key: the later goes back to its default.
    b = FromText("key_skip=J\nkey_giveup=J\n", &problems);
    EXPECT_EQ(b[C::SKIP].keys[0], uint32_t('J'));
    EXPECT_EQ(b[C::GIVE_UP], C::Defaults()[C::GIVE_UP]);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0], "line 2: key_giveup takes what skip has");
}

TEST(Bindings, TheCommandRecordFollowsTheBoundKeys) {
    WI::ResetInput();
    C::SetSource(nullptr);
    C::Bind(C::PresetBindings(C::WASD));
    WI::HoldKey('W', WI::FROM_KEYBOARD, true);
    EXPECT_TRUE(C::Read().up);
    WI::HoldKey('W', WI::FROM_KEYBOARD, false);
    WI::HoldKey('Q', WI::FROM_KEYBOARD, true);
    WI::HoldKey('E', WI::FROM_KEYBOARD, true);
    const C::Command c = C::Read();
    EXPECT_FALSE(c.quit);
    EXPECT_FALSE(c.up);
    WI::HoldKey(0x79, WI::FROM_KEYBOARD, true);
    EXPECT_TRUE(C::Read().quit);
    C::Bind(C::Defaults());
    WI::ResetInput();
}
