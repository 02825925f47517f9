// F12 on the real window thread (dummy video driver): the PNG holds the shown
// frame pixel for pixel; and a window nobody can see is refused unless asked for.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../support/SdlInput.h"
#include "Wimdows.h"

namespace W = Wimdows;
namespace fs = std::filesystem;

namespace {

constexpr uint32_t GAME_W = 100, GAME_H = 80;

void F12(bool repeat = false) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.state = SDL_PRESSED;
    e.key.repeat = repeat;
    e.key.keysym.sym = SDLK_F12;
    ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError();
}

std::vector<fs::path> Pictures(const fs::path& folder) {
    std::vector<fs::path> found;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error))
        found.push_back(entry.path());
    std::sort(found.begin(), found.end());
    return found;
}

class WimdowsScreenshot : public testing::Test {
  protected:
    fs::path folder;
    void SetUp() override {
        folder = fs::path(std::getenv("XDG_DATA_HOME")) / "shots" /
                 testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(folder); // a repeated run starts empty
        W::SetScreenshotFolder(folder.c_str());
        W::Window("WimdowsScreenshot", GAME_W, GAME_H);
        ASSERT_EQ(W::State(), W::STATE_ACTIVE);
        W::SetBuffering(true);
    }
    void TearDown() override {
        W::KillWindow();
        W::SetScreenshotFolder("");
    }
};

TEST_F(WimdowsScreenshot, F12WritesTheShownFramePixelForPixel) {
    W::Rectangle(0, 0, GAME_W - 1, GAME_H - 1, 0x204060, true);
    W::Disc(30, 40, 20, 0x00FF00);
    W::Rectangle(60, 10, 90, 70, 0x0000FF, false);
    W::Ellipse(5, 5, 50, 30, 0xFF00FF, true);
    W::UpdateWindow();
    std::vector<uint32_t> shown; // as 0x00RRGGBB
    for (uint32_t y = 0; y < GAME_H; ++y)
        for (uint32_t x = 0; x < GAME_W; ++x) {
            const uint32_t c = W::GetPixel(x, y);
            shown.push_back(((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF));
        }
    W::Rectangle(0, 0, 10, 10, 0xFFFFFF, true); // drawn, not yet shown
    testing::internal::CaptureStdout();
    F12();
    F12(true); // a held key takes one picture
    W::Sync();
    const std::string said = testing::internal::GetCapturedStdout();
    const std::vector<fs::path> files = Pictures(folder);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(said, "Screenshot: " + files[0].string() + "\n");
    EXPECT_EQ(files[0].extension(), ".png");
    EXPECT_EQ(files[0].filename().string().rfind("kolvemar-trovix_20", 0), 0u) << files[0];

    SDL_Surface* loaded = IMG_Load(files[0].c_str());
    ASSERT_NE(loaded, nullptr) << IMG_GetError();
    SDL_Surface* png = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGB888, 0);
    SDL_FreeSurface(loaded);
    ASSERT_EQ(png->w, int(GAME_W));
    ASSERT_EQ(png->h, int(GAME_H));
    int differing = 0;
    for (int y = 0; y < png->h; ++y)
        for (int x = 0; x < png->w; ++x)
            differing += (static_cast<const uint32_t*>(png->pixels)[y * png->pitch / 4 + x] &
                          0xFFFFFF) != shown[y * GAME_W + x];
    SDL_FreeSurface(png);
    EXPECT_EQ(differing, 0) << "the picture is the shown frame, not the one being drawn";
    EXPECT_TRUE(SdlInput::TakeQueuedKeys().empty()) << "the game never sees F12";
}

TEST_F(WimdowsScreenshot, PicturesOfOneSecondKeepTheirOwnNames) {
    W::UpdateWindow();
    testing::internal::CaptureStdout();
    for (int i = 0; i < 3; ++i)
        F12();
    W::Sync();
    testing::internal::GetCapturedStdout();
    const std::vector<fs::path> files = Pictures(folder);
    EXPECT_EQ(files.size(), 3u); // one second or two: never one over another
}

TEST_F(WimdowsScreenshot, AFolderThatCannotBeMadeIsReportedAndNothingIsWritten) {
    W::UpdateWindow();
    fs::create_directories(folder.parent_path());
    std::ofstream(folder) << "a file in the way";
    testing::internal::CaptureStderr();
    F12();
    W::Sync();
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said.rfind("Cannot write a screenshot into \"" + folder.string() + "\": ", 0), 0u)
        << said;
    EXPECT_EQ(W::State(), W::STATE_ACTIVE);
    fs::remove(folder);
}

// The environment of a desktop without a display: no X, no Wayland.
struct Environment {
    std::vector<std::pair<std::string, std::string>> kept;
    explicit Environment(std::initializer_list<const char*> names) {
        for (const char* n : names) {
            const char* v = std::getenv(n);
            kept.emplace_back(n, v ? v : std::string(1, '\0'));
            unsetenv(n);
        }
    }
    ~Environment() {
        for (const auto& [n, v] : kept)
            if (v != std::string(1, '\0')) setenv(n.c_str(), v.c_str(), 1);
    }
};

TEST(WimdowsNoDisplay, AWindowNobodySeesIsRefusedUnlessAskedFor) {
    Environment none({"SDL_VIDEODRIVER", "DISPLAY", "WAYLAND_DISPLAY"});
    testing::internal::CaptureStderr();
    W::Window("WimdowsNoDisplay", 100, 80);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(W::State(), W::STATE_DEAD);
    EXPECT_NE(said.find("Can't create window.\n"), std::string::npos) << said;

    for (const char* asked : {"offscreen", "x11,offscreen"}) {
        setenv("SDL_VIDEODRIVER", asked, 1);
        W::Window("WimdowsNoDisplay", 100, 80);
        EXPECT_EQ(W::State(), W::STATE_ACTIVE) << asked;
        W::KillWindow();
    }
}

} // namespace
