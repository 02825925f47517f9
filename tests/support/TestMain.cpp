// Unit and integration tests run headless, whether CTest starts them or a
// developer runs the binary directly; an explicit driver setting still wins.
// The player's and settings folders always point into a fresh temporary
// folder, so no test ever reads or writes a real home folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    // A dummy window never has the keyboard focus, without which SDL drops
    // the presses of game controllers; the tests plug in virtual ones.
    setenv("SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS", "1", 0);
    std::string home = (std::filesystem::temp_directory_path() / "kt-home-XXXXXX").string();
    if (mkdtemp(home.data()) == nullptr) return 2;
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_DATA_HOME", (home + "/data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    std::error_code ignored;
    std::filesystem::remove_all(home, ignored);
    return result;
}
