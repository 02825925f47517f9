// assetgen OUTDIR CONTACT_SHEET.png: draws every picture and renders every sound of the game.
// assetgen --icons DIR NAME: the desktop icons.
#include "AssetList.h"
#include "Canvas.h"
#include "Icon.h"
#include "Pictures.h"
#include "Sounds.h"
#include "Words.h"

#include <chrono>
#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--icons")
        return Icon::DrawIcons(argv[2], argv[3]) ? 0 : 1;
    if (argc != 3) {
        std::fprintf(stderr, "usage: assetgen OUTDIR CONTACT_SHEET.png\n");
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    const std::string out = argv[1];
    if (!Canvas::Begin(out)) {
        std::fprintf(stderr, "assetgen: cannot start SDL2_ttf with the DejaVu fonts\n");
        return 1;
    }
    Pictures::DrawSprites();
    Pictures::DrawBackgrounds();
    Pictures::DrawMenus();
    Pictures::DrawIntro();
    bool worded = Words::Load(out);
    for (std::string_view code : AssetList::kLanguages) {
        if (!worded) break;
        Words::Speak(std::string(code));
        Pictures::DrawWordedSprites();
        Pictures::DrawWordedBackgrounds();
        Pictures::DrawWordedMenus();
        Pictures::DrawWordedIntro();
    }
    Words::Speak("nl");
    const bool pictures = Canvas::Finish(argv[2]) && worded;
    const bool sounds = Sounds::MakeSounds(out, "/usr/share/sounds/sf2/TimGM6mb.sf2");
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("assetgen: %s in %.1f s\n", pictures && sounds ? "done" : "FAILED", seconds);
    return pictures && sounds ? 0 : 1;
}
