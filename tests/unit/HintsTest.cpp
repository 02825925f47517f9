// The tutorial's hints name the keys as they are bound now.
#include <gtest/gtest.h>

#include "Commands.h"
#include "Kolvemar_spel.h"

namespace C = Commands;

namespace {

std::string Joined(uint32_t level, const C::Bindings& b) {
    std::string all;
    for (const std::string& line : Kolvemar_spel::Aanwijzingen(level, b))
        all += line + "\n";
    return all;
}

} // namespace

TEST(Hints, EveryTutorialLevelHasItsHintsWithTheKeysAsBound) {
    for (uint32_t level = 1; level <= 3; ++level) {
        const std::string hints = Joined(level, C::Defaults());
        EXPECT_NE(hints.find("M: menu · P: pauze · F1: hulp"), std::string::npos) << hints;
    }
    EXPECT_NE(Joined(1, C::Defaults()).find("Lopen: Up Left Down Right / E S D F"),
              std::string::npos);
    EXPECT_NE(Joined(1, C::Defaults()).find("vuur met Linkermuisknop"), std::string::npos);
    EXPECT_NE(Joined(2, C::Defaults()).find("armor"), std::string::npos);
    EXPECT_NE(Joined(3, C::Defaults()).find("deur"), std::string::npos);
    EXPECT_TRUE(Kolvemar_spel::Aanwijzingen(4, C::Defaults()).empty());

    C::Bindings b = C::PresetBindings(C::WASD);
    b[C::MENU].keys = {'J', C::NO_KEY};
    b[C::FIRE].keys = {0x20, C::MOUSE_LEFT};
    const std::string hints = Joined(1, b);
    EXPECT_NE(hints.find("Lopen: W A S D / Up Left Down Right"), std::string::npos) << hints;
    EXPECT_NE(hints.find("vuur met Space, Linkermuisknop"), std::string::npos) << hints;
    EXPECT_NE(hints.find("J: menu"), std::string::npos) << hints;
}
